#!/usr/bin/env bash
# Scores the V9958 modes on the picture set (tools/picture-set.sh, 256 x 192): the design's
# items 0 and 1, the dithered items 2 and 3, and ImageMagick's best pipelines without a
# 24-bit result (there is no ImageMagick YJK encoder): 256 colours of its own choice with
# Floyd-Steinberg, and a remap onto the fixed SCREEN 8 palette (3-3-2 levels as the V9938
# shows them) with Floyd-Steinberg. Prints delta E and SSIM (`compare`) per picture and the
# means.
# Usage: tools/yjk-quality.sh [CLI] [extra convert options for items 2 and 3...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$here/build/src/cli/murelo9918-cli}"
shift || true
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$here/tools/picture-set.sh" "$work" 256x192 >"$work/list" 2>/dev/null

python3 - "$work/screen8.ppm" <<'PY'
import sys
l3 = [0, 36, 72, 109, 145, 182, 218, 255]
l2 = [0, 72, 145, 255]
with open(sys.argv[1], "wb") as f:
    f.write(b"P6 256 1 255\n")
    f.write(bytes(v for i in range(256) for v in (l3[i >> 5], l3[(i >> 2) & 7], l2[i & 3])))
PY

score() { "$cli" compare "$1" "$2" | awk '/delta E/ {d = $3} /SSIM/ {s = $2} END {print d, s}'; }
columns=(design10 dither10 design12 dither12 im256fs imsc8fs)
printf "%-13s" picture
for c in "${columns[@]}"; do printf " %14s" "$c dE/SSIM"; done
printf "\n"
while read -r name _; do
    src="$work/$name.bmp"
    [[ -f "$src" ]] || continue
    "$cli" convert "$src" --page v9958 --mode 0 -o "$work/$name.design10.bmp"
    "$cli" convert "$src" --page v9958 --mode 2 "$@" -o "$work/$name.dither10.bmp"
    "$cli" convert "$src" --page v9958 --mode 1 -o "$work/$name.design12.bmp"
    "$cli" convert "$src" --page v9958 --mode 3 "$@" -o "$work/$name.dither12.bmp"
    convert "$src" -dither FloydSteinberg -colors 256 -type TrueColor "BMP3:$work/$name.im256fs.bmp"
    convert "$src" -dither FloydSteinberg -remap "$work/screen8.ppm" -type TrueColor \
        "BMP3:$work/$name.imsc8fs.bmp"
    printf "%-13s" "$name"
    for c in "${columns[@]}"; do
        read -r d s < <(score "$src" "$work/$name.$c.bmp")
        printf " %7s %6s" "$d" "$s"
    done
    printf "\n"
done <"$work/list" | tee "$work/scores"
awk '{ for (i = 2; i <= NF; ++i) sum[i] += $i; n++ }
     END { printf "%-13s", "mean"; for (i = 2; i <= NF; ++i) printf (i % 2 ? " %6.4f" : " %7.3f"), sum[i] / n; printf "\n" }' \
    "$work/scores"
