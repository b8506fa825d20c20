#!/usr/bin/env python3
"""Measures how the V9958 shows its YJK modes on an emulated MSX2+ and checks that the files
written by `murelo9918-cli convert --page v9958 --mode 2|3 --export` show exactly the
converter's preview, pixel by pixel.

First it measures: a SCREEN 12 ramp of Y = 0..31 with J = K = 0 gives the 8-bit value of
every 5-bit level, and SCREEN 10 attribute pixels over eight grey palette entries give the
value of every 3-bit palette level. Then it shows the exported files (NAME.S10 with
NAME.PAL, NAME.S12) of two pictures and compares every pixel with the result bitmap.

C-BIOS has no BASIC, so the Tcl script does what BLOAD"...",S and COLOR=RESTORE would. The
emulator runs with gamma 1.0, the chip's own output without the monitor curve openMSX adds
by default, and it keeps its settings file as it was.

Needs the Debian packages openmsx, cbios and xvfb (not part of the regular build):
    tools/openmsx/check_yjk_files.py build/src/cli/murelo9918-cli
"""
import math
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_screen_files import (  # noqa: E402
    TCL_LOADING,
    TCL_SETTINGS,
    read_bmp,
    read_png,
    tcl_after_boot,
    test_pixel,
    write_bmp,
)

TCL = TCL_SETTINGS + TCL_LOADING + r"""
set plan {PLAN}
proc show {index} {
    global plan
    if {$index >= [llength $plan]} { exit }
    vdp 0 0x06
    after time 0.1 [list load_and_show $index]
}
proc load_and_show {index} {
    global plan
    lassign [lindex $plan $index] r25 pal files shot
    for {set a 0} {$a < 0x20000} {incr a} { debug write VRAM $a 0 }
    foreach f $files { load_bsave $f 1 }
    vdp 0 0x0E; vdp 1 0x40; vdp 2 0x1F; vdp 7 0; vdp 8 0x0A; vdp 9 0x80; vdp 18 0
    vdp 25 $r25
    if {$pal ne ""} { color_restore $pal 1 }
    set ::throttle on
    after time 2 [list take $shot $index]
}
proc take {shot index} {
    screenshot -raw $shot
    show [expr {$index + 1}]
}
""" + tcl_after_boot("    show 0\n")

YJK, YJK_ATTRIBUTE = 0x08, 0x18
PALETTE_TABLE = 0xFA80
LEVELS5 = [255 * v // 31 for v in range(32)]
PALETTE_LEVELS = [LEVELS5[(p << 2) | (p >> 1)] for p in range(8)]


def bsave(path, start, data):
    end = start + len(data) - 1
    with open(path, "wb") as f:
        f.write(bytes([0xFE, start & 255, start >> 8, end & 255, end >> 8, start & 255, start >> 8]))
        f.write(bytes(data))


def natural_pixel(w, h):
    def pixel(x, y):
        n = (x * 7919 + y * 104729) % 23 - 11
        r = 128 + 110 * math.sin(6.0 * x / w + 2.0 * y / h) + n
        g = 128 + 100 * math.sin(4.0 * y / h - 3.0 * x / w + 1.0) - n
        b = 110 + 90 * math.cos(5.0 * (x / w + y / h)) + n / 2
        if (x // 40 + y // 30) % 5 == 0:
            r, g, b = (250, 30, 60) if x % 2 else (20, 60, 240)
        return tuple(max(0, min(255, int(c))) for c in (r, g, b))
    return pixel


def main():
    cli = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="murelo-openmsx-yjk-")
    os.chdir(work)
    # Level ramps: SCREEN 12 Y = x / 8 with J = K = 0; SCREEN 10 palette entry x / 32, grey
    # level (x / 32) & 7.
    bsave("RAMP.S12", 0, [(x // 8) << 3 for _ in range(16) for x in range(256)])
    bsave("RAMP.S10", 0, [((x // 32) << 4) | 8 for _ in range(16) for x in range(256)])
    bsave("RAMP.PAL", PALETTE_TABLE, [b for i in range(16) for b in ((i & 7) << 4 | (i & 7), i & 7)])
    write_bmp("bars.bmp", 256, 212, test_pixel(256, 212))
    write_bmp("natural.bmp", 256, 212, natural_pixel(256, 212))
    plan = [(YJK, "", ["RAMP.S12"], "ramp12.png"),
            (YJK_ATTRIBUTE, PALETTE_TABLE, ["RAMP.S10", "RAMP.PAL"], "ramp10.png")]
    runs = []
    for picture in ("bars", "natural"):
        for mode, stem, files, r25, pal in ((2, "P10", ["S10", "PAL"], YJK_ATTRIBUTE, PALETTE_TABLE),
                                            (3, "P12", ["S12"], YJK, "")):
            name = f"{stem}{picture[0].upper()}"
            subprocess.run([cli, "convert", f"{picture}.bmp", "--page", "v9958", "--mode", str(mode),
                            "--export", name.lower(), "-o", f"{name}.bmp"], check=True,
                           stdout=subprocess.DEVNULL)
            plan.append((r25, pal, [f"{name}.{e}" for e in files], f"{name}.png"))
            runs.append((mode, picture, f"{name}.bmp", f"{name}.png"))
    entries = [f"{{{r25} {{{pal}}} {{{' '.join(os.path.abspath(f) for f in files)}}} "
               f"{os.path.abspath(shot)}}}" for r25, pal, files, shot in plan]
    with open("show.tcl", "w") as f:
        f.write(TCL.replace("{PLAN}", "{" + " ".join(entries) + "}"))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "openmsx", "-machine",
                    "C-BIOS_MSX2+", "-script", "show.tcl"], env=env, check=True, timeout=600,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    ok = True
    _, _, ramp12 = read_png("ramp12.png")
    _, _, ramp10 = read_png("ramp10.png")
    ox = next(x for x in range(320) if ramp12[20][x] != (0, 0, 0)) - 8  # Y = 1 starts at 8
    levels5 = [ramp12[20][ox + 8 * v + 4][0] for v in range(32)]
    levels3 = [ramp10[20][ox + 32 * p + 16][0] for p in range(8)]
    print("5-bit levels shown:", levels5)
    print("3-bit palette levels shown:", levels3)
    print(f"picture starts at x = {ox} of the {len(ramp12[0])}-pixel screenshot")
    if levels5 != LEVELS5 or levels3 != PALETTE_LEVELS:
        print("the levels differ from the converter's: 255 * v / 31, palette p as (p << 2) | (p >> 1)")
        ok = False
    for mode, picture, result, shot in runs:
        rw, rh, want = read_bmp(result)
        _, _, got = read_png(shot)
        bad = sum(1 for y in range(rh) for x in range(rw) if got[14 + y][ox + x] != want[y][x])
        screen = "SCREEN 10/11" if mode == 2 else "SCREEN 12"
        print(f"{screen} Dithered, {picture}: {rw * rh - bad}/{rw * rh} pixels of the emulator's "
              f"screen equal the preview")
        ok = ok and bad == 0
    print("files and screenshots in", work)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
