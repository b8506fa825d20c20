#!/usr/bin/env bash
# Whole-process timings of `convert` with hyperfine, pinned to one core:
#  1. a 640 x 640 photograph to SCREEN 2 (tms9918 mode 0) and to SCREEN 8 Floyd-Steinberg
#     (v9938 mode 6), each beside ImageMagick's -remap of the same picture to the same
#     palette (its default dither for SCREEN 2, Floyd-Steinberg for SCREEN 8);
#  2. 200 pictures of 256 x 192 to SCREEN 2 through one `convert -O` (all cores) against 200
#     separate `convert` processes.
# Usage: bench/convert-processes.sh [CLI]   (needs hyperfine, imagemagick, mate-backgrounds)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="$(realpath "${1:-$here/build/src/cli/murelo9918-cli}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

photo=/usr/share/backgrounds/mate/nature/LadyBird.jpg
convert "$photo" -resize '640x640^' -gravity center -extent 640x640 -type TrueColor BMP3:big.bmp

# The palettes as pictures for -remap: the TMS9918 colours 1..15 and the 256 SCREEN 8 colours
# as the converter shows them (3-bit red and green, 2-bit blue levels).
python3 - <<'PY'
tms = ["000000", "46B73E", "7CCF6C", "625BA8", "7F70FF", "B66148", "5BC7EF", "D96A48",
       "FC8E6C", "C2CE41", "D3DA74", "3CA02F", "B763C6", "CCCCCC", "FFFFFF"]
l3 = [6, 32, 72, 104, 144, 176, 216, 247]
l2 = [6, 72, 144, 247]
with open("tms.ppm", "wb") as f:
    f.write(b"P6 15 1 255\n" + bytes(int(c[i:i + 2], 16) for c in tms for i in (0, 2, 4)))
with open("sc8.ppm", "wb") as f:
    f.write(b"P6 256 1 255\n" + bytes(v for g in l3 for r in l3 for b in l2 for v in (r, g, b)))
PY
convert tms.ppm tms.png
convert sc8.ppm sc8.png

mkdir many
for i in $(seq 1 200); do
    convert big.bmp -crop 256x192+$(((i * 37) % 380))+$(((i * 53) % 440)) +repage \
        -type TrueColor "BMP3:many/p$i.bmp"
done
printf '%s\n' many/p*.bmp >list.txt

hyperfine --warmup 2 --runs 15 -N \
    "taskset -c 0 $cli convert big.bmp --page tms9918 --mode 0 -o a.bmp" \
    "taskset -c 0 convert big.bmp -remap tms.png BMP3:b.bmp" \
    "taskset -c 0 $cli convert big.bmp --page v9938 --mode 6 -o c.bmp" \
    "taskset -c 0 convert big.bmp -dither FloydSteinberg -remap sc8.png BMP3:d.bmp"

hyperfine --warmup 1 --runs 5 \
    "$cli convert \$(cat list.txt) --page tms9918 --mode 0 -O out" \
    "for f in \$(cat list.txt); do $cli convert \$f --page tms9918 --mode 0 -o \$f.out.bmp; done"
