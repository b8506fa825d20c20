#!/usr/bin/python3
# Copies the bitmap test suite (BMP Suite 2.8 by Jason Summers, public domain) into this
# folder and turns its reference PNG renderings into binary PPM (P6) files, which the tests
# read without a PNG decoder. Only references without an alpha channel are converted.
# Run once with the suite's folder as argument; the output is committed.
import json, os, shutil, sys
from PIL import Image

suite = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))
for part in ("g", "q", "b"):
    os.makedirs(os.path.join(here, part), exist_ok=True)
    for name in sorted(os.listdir(os.path.join(suite, part))):
        shutil.copyfile(os.path.join(suite, part, name), os.path.join(here, part, name))
        os.chmod(os.path.join(here, part, name), 0o644)
shutil.copyfile(os.path.join(suite, "README.md"), os.path.join(here, "SUITE-README.md"))
os.chmod(os.path.join(here, "SUITE-README.md"), 0o644)

manifest = json.load(open(os.path.join(suite, "manifest.json")))
os.makedirs(os.path.join(here, "reference"), exist_ok=True)
refs = {}
for bmp, entry in manifest.items():
    if bmp.startswith("x/"):
        continue
    kept = []
    for png in entry["reference_png"]:
        image = Image.open(os.path.join(suite, "reference", png))
        if "A" in image.mode or "transparency" in image.info:
            continue
        ppm = png[:-4] + ".ppm"
        image.convert("RGB").save(os.path.join(here, "reference", ppm))
        kept.append(ppm)
    refs[bmp] = kept
with open(os.path.join(here, "references.txt"), "w") as out:
    out.write("# bitmap, then the acceptable renderings (PPM files in reference/)\n")
    for bmp in sorted(refs):
        out.write(" ".join([bmp] + refs[bmp]) + "\n")
