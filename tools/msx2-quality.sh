#!/usr/bin/env bash
# Scores the dithered V9938 modes against the design's item of the same screen and
# ImageMagick's pipelines, per picture of the shared picture set (tools/picture-set.sh), with
# `compare` (delta E: blurred CIEDE2000, lower is better; SSIM of the blurred luminance,
# higher is better). SCREEN 5 and 8 at 256 x 192, SCREEN 6 and 7 at 512 x 212.
# ImageMagick's pipelines: the picture's own 16 (SCREEN 6: 4) colours rounded to the chip's
# levels and Floyd-Steinberg (-remap to a palette image); the same with a free 24-bit
# palette; for SCREEN 8 -remap to the fixed 256 colours at the chip's levels.
# SCREEN 6 and 7 keep one row of each pair without "Interlace": two more columns show the
# dithered mode with "Interlace" (every row kept) and ImageMagick's 3-bit pipeline on the
# kept rows (each shown twice), the peers of the same geometry.
# Usage: tools/msx2-quality.sh [CLI] [SCREEN...]   (default: 5 6 7 8)
# Environment: DITHER=N passes --dither N to the dithered modes.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$here/build/src/cli/murelo9918-cli}"
shift || true
screens=("$@")
[[ ${#screens[@]} -gt 0 ]] || screens=(5 6 7 8)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dither=()
[[ -n "${DITHER:-}" ]] && dither=(--dither "$DITHER")

# The levels the V9938 shows for the 3-bit values, and SCREEN 8's 2-bit blue.
levels=(0 36 72 109 145 182 218 255)
blue2=(0 72 145 255)

# A palette image of the colours given as "r g b" lines.
palette_image() {
    local out="$1" args=()
    while read -r r g b; do args+=("xc:rgb($r,$g,$b)"); done
    convert -size 1x1 "${args[@]}" +append -type TrueColor "$out"
}

# The picture's own n colours (ImageMagick's quantizer), each channel rounded to the
# nearest shown level.
rounded_palette() {
    convert "$1" +dither -colors "$2" -unique-colors -depth 8 txt:- |
        python3 -c '
import re, sys
levels = [int(v) for v in sys.argv[1].split()]
out = set()
for line in sys.stdin:
    m = re.search(r"\((\d+),(\d+),(\d+)", line)
    if m:
        out.add(" ".join(str(min(levels, key=lambda l: abs(l - int(c)))) for c in m.groups()))
print("\n".join(sorted(out)))' "${levels[*]}"
}

screen8_palette() {
    for g in "${levels[@]}"; do for r in "${levels[@]}"; do for b in "${blue2[@]}"; do
        echo "$r $g $b"; done; done; done
}

# rows IN OUT half|double: the even rows of IN, or every row of IN twice (24-bit bitmaps).
rows() {
    python3 - "$@" <<'PY'
import struct, sys
src, out, how = sys.argv[1:4]
d = open(src, "rb").read()
off, = struct.unpack("<I", d[10:14]); w, h = struct.unpack("<ii", d[18:26])
stride = (w * 3 + 3) // 4 * 4
rows = [d[off + (h - 1 - y) * stride:off + (h - y) * stride] for y in range(h)]
rows = rows[::2] if how == "half" else [r for r in rows for _ in (0, 1)]
data = b"".join(reversed(rows))
header = struct.pack("<IiiHHIIiiII", 40, w, len(rows), 1, 24, 0, len(data), 0, 0, 0, 0)
open(out, "wb").write(b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54) + header + data)
PY
}

score() { # SOURCE RESULT -> "deltaE ssim"
    "$cli" compare "$1" "$2" --palette 5 | awk '/delta E/ { e = $3 } /SSIM/ { s = $2 }
        END { printf "%s %s", e, s }' || true
}

for screen in "${screens[@]}"; do
    case "$screen" in
    5) size=256x192 design=0 mine=7 colors=16 ;;
    6) size=512x212 design=1 mine=8 colors=4 ;;
    7) size=512x212 design=2 mine=9 colors=16 ;;
    8) size=256x192 design=6 mine=10 colors=256 ;;
    *) echo "no SCREEN $screen" >&2; exit 2 ;;
    esac
    dir="$work/$size"
    [[ -d "$dir" ]] || "$here/tools/picture-set.sh" "$dir" "$size" >"$dir.list"
    [[ "$screen" == 8 ]] && screen8_palette | palette_image "$work/sc8pal.png"
    echo "SCREEN $screen at $size: design item $design, dithered item $mine ${dither[*]}"
    if [[ "$screen" == 8 ]]; then
        printf "%-14s %14s %14s %14s\n" picture "design" "dithered" "IM 256 FS"
    elif [[ "$screen" == 5 ]]; then
        printf "%-14s %14s %14s %14s %14s\n" picture "design" "dithered" "IM 3-bit FS" \
            "IM 24-bit FS"
    else
        printf "%-14s %14s %14s %14s %14s %14s %14s\n" picture "design" "dithered" \
            "IM 3-bit FS" "IM 24-bit FS" "dith.interlace" "IM 3-bit kept"
    fi
    while read -r name _; do
        src="$dir/$name.bmp"
        out="$work/$name-$screen"
        "$cli" convert "$src" --page v9938 --mode "$design" -o "$out.design.bmp"
        "$cli" convert "$src" --page v9938 --mode "$mine" "${dither[@]}" -o "$out.mine.bmp"
        row=("$(score "$src" "$out.design.bmp")" "$(score "$src" "$out.mine.bmp")")
        if [[ "$screen" == 8 ]]; then
            convert "$src" -dither FloydSteinberg -remap "$work/sc8pal.png" -type TrueColor \
                "BMP3:$out.im.bmp"
            row+=("$(score "$src" "$out.im.bmp")")
        else
            rounded_palette "$src" "$colors" | palette_image "$out.pal.png"
            convert "$src" -dither FloydSteinberg -remap "$out.pal.png" -type TrueColor \
                "BMP3:$out.im.bmp"
            convert "$src" -dither FloydSteinberg -colors "$colors" -type TrueColor \
                "BMP3:$out.free.bmp"
            row+=("$(score "$src" "$out.im.bmp")" "$(score "$src" "$out.free.bmp")")
            if [[ "$screen" != 5 ]]; then
                "$cli" convert "$src" --page v9938 --mode "$mine" --interlace "${dither[@]}" \
                    -o "$out.int.bmp"
                rows "$src" "$out.half.bmp" half
                convert "$out.half.bmp" -dither FloydSteinberg -remap "$out.pal.png" \
                    -type TrueColor "BMP3:$out.halfim.bmp"
                rows "$out.halfim.bmp" "$out.kept.bmp" double
                row+=("$(score "$src" "$out.int.bmp")" "$(score "$src" "$out.kept.bmp")")
            fi
        fi
        printf "%-14s" "$name"
        printf " %6s %7s" ${row[*]}
        printf "\n"
    done <"$dir.list" | tee "$work/scores$screen"
    awk '{ for (i = 2; i <= NF; i++) s[i] += $i; n++; f = NF }
         END { printf "%-14s", "mean"; for (i = 2; i <= f; i++) printf (i % 2 ? " %7.4f" : " %6.2f"), s[i] / n; printf "\n" }' \
        "$work/scores$screen"
    echo
done
