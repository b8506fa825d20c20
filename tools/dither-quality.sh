#!/usr/bin/env bash
# Scores the dithered Graphic 2 mode (tms9918 mode 3) on the shared picture set
# (tools/picture-set.sh, 256 x 192 unless a size is given), in palette kind 0, with
# `compare`: per picture the blurred delta E and the SSIM of
#   mode0  the undithered Graphic 2 mode of NEW_CLI,
#   old3   mode 3 of OLD_CLI (another build, e.g. of the branch's starting commit),
#   new3   mode 3 of NEW_CLI,
#   peer   ImageMagick's Floyd-Steinberg onto the palette, then NEW_CLI's mode 0, which keeps
#          each run's two most frequent colours: the "ImageMagick + rule" yardstick,
# and the means over the set.
# Usage: tools/dither-quality.sh OLD_CLI [NEW_CLI] [WxH]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
old="${1:?usage: dither-quality.sh OLD_CLI [NEW_CLI] [WxH]}"
new="${2:-$here/build/src/cli/murelo9918-cli}"
size="${3:-256x192}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$here/tools/picture-set.sh" "$work" "$size" >"$work/names" 2>/dev/null

# The converter range of the TMS9918 palette (kind 0, indices 1..15), for the peer's remap.
convert -size 1x1 xc:'#000000' xc:'#46B73E' xc:'#7CCF6C' xc:'#625BA8' xc:'#7F70FF' \
    xc:'#B66148' xc:'#5BC7EF' xc:'#D96A48' xc:'#FC8E6C' xc:'#C2CE41' xc:'#D3DA74' \
    xc:'#3CA02F' xc:'#B763C6' xc:'#CCCCCC' xc:'#FFFFFF' +append "$work/palette.png"

# "DELTA SSIM" of a result against its source.
score() {
    "$new" compare "$1" "$2" --palette 0 |
        awk '/delta E/ {d = $3} /SSIM/ {s = $2} END {printf "%6.2f %6.4f", d, s}'
}

printf "%-13s %-8s | %-13s | %-13s | %-13s | %-13s\n" picture kind "mode0 dE SSIM" \
    "old3 dE SSIM" "new3 dE SSIM" "peer dE SSIM"
while read -r name category; do
    src="$work/$name.bmp"
    "$new" convert "$src" --page tms9918 --mode 0 -o "$work/$name.m0.bmp" >/dev/null
    "$old" convert "$src" --page tms9918 --mode 3 -o "$work/$name.old.bmp" >/dev/null
    "$new" convert "$src" --page tms9918 --mode 3 -o "$work/$name.new.bmp" >/dev/null
    convert "$src" -dither FloydSteinberg -remap "$work/palette.png" -type TrueColor \
        "BMP3:$work/$name.fs.bmp"
    "$new" convert "$work/$name.fs.bmp" --page tms9918 --mode 0 -o "$work/$name.peer.bmp" \
        >/dev/null
    printf "%-13s %-8s | %s | %s | %s | %s\n" "$name" "$category" \
        "$(score "$src" "$work/$name.m0.bmp")" "$(score "$src" "$work/$name.old.bmp")" \
        "$(score "$src" "$work/$name.new.bmp")" "$(score "$src" "$work/$name.peer.bmp")"
done <"$work/names" | tee "$work/scores"
awk -F'|' '
    { for (c = 2; c <= 5; c++) { split($c, v, " "); d[c] += v[1]; s[c] += v[2] } n++ }
    END {
        printf "%-22s", "mean"
        for (c = 2; c <= 5; c++) printf " | %6.2f %6.4f", d[c] / n, s[c] / n
        printf "\n"
    }' "$work/scores"
