#!/usr/bin/env bash
# The "Characters" budget on the picture set: for every picture, the dithered Graphic 2 mode
# (tms9918 3) at 768 (no limit), 256, 128, 96 and 64 characters and the plain mode (tms9918 0)
# at 768 and 256, each with compare's delta E, SSIM and character count; then the mean delta
# E of each budget above the same mode without one. For reference, ImageMagick's
# Floyd-Steinberg remap to the 15 TMS9918 colours (no two-colour rule, no character limit) is
# measured in the same run.
# Usage: tools/budget-quality.sh CLI [OUTDIR]   (runs with any build that has --characters)
set -euo pipefail
cli="${1:?usage: budget-quality.sh CLI [OUTDIR]}"
out="${2:-$(mktemp -d)}"
mkdir -p "$out/set"
"$(dirname "$0")/picture-set.sh" "$out/set" >"$out/set.txt"

runs=("3 768" "3 256" "3 128" "3 96" "3 64" "0 768" "0 256")
# The TMS9918 colours 1..15 as one palette picture for ImageMagick's remap.
tms=(000000 46B73E 7CCF6C 625BA8 7F70FF B66148 5BC7EF D96A48 FC8E6C C2CE41 D3DA74 3CA02F
    B763C6 CCCCCC FFFFFF)
palette_args=()
for c in "${tms[@]}"; do palette_args+=("xc:#$c"); done
convert "${palette_args[@]}" +append "$out/tms9918.png"
printf '%-13s %-8s' picture kind
for r in "${runs[@]}"; do
    read -r mode n <<<"$r"
    printf ' | m%s/%-3s dE    SSIM  chars' "$mode" "$n"
done
printf ' | IM remap dE SSIM  chars\n'
declare -A sum
count=0
while read -r name category; do
    src="$out/set/$name.bmp"
    printf '%-13s %-8s' "$name" "$category"
    for r in "${runs[@]}"; do
        read -r mode n <<<"$r"
        res="$out/$name-m$mode-$n.bmp"
        "$cli" convert "$src" --page tms9918 --mode "$mode" --characters "$n" -o "$res" >/dev/null
        report="$("$cli" compare "$src" "$res" || true)"
        de="$(awk '/^delta E:/ {print $3}' <<<"$report")"
        ssim="$(awk '/^SSIM:/ {print $2}' <<<"$report")"
        chars="$(awk '/^characters:/ {print $2}' <<<"$report")"
        printf ' | %12s %6s %6s' "$de" "$ssim" "${chars:--}"
        sum["$r"]="$(awk -v a="${sum["$r"]:-0}" -v b="$de" 'BEGIN {print a + b}')"
    done
    peer="$out/$name-im.bmp"
    convert "$src" -dither FloydSteinberg -remap "$out/tms9918.png" -type TrueColor "BMP3:$peer"
    report="$("$cli" compare "$src" "$peer" || true)"
    printf ' | %11s %6s %6s\n' "$(awk '/^delta E:/ {print $3}' <<<"$report")" \
        "$(awk '/^SSIM:/ {print $2}' <<<"$report")" \
        "$(awk '/^characters:/ {print $2}' <<<"$report")"
    sum[im]="$(awk -v a="${sum[im]:-0}" -v b="$(awk '/^delta E:/ {print $3}' <<<"$report")" \
        'BEGIN {print a + b}')"
    count=$((count + 1))
done <"$out/set.txt"

printf '\nmean delta E over %d pictures\n' "$count"
for r in "${runs[@]}"; do
    read -r mode n <<<"$r"
    base="${sum["$mode 768"]}"
    awk -v m="$mode" -v n="$n" -v s="${sum["$r"]}" -v b="$base" -v c="$count" \
        'BEGIN {printf "mode %s, %3s characters: %.2f (%+.2f against no limit)\n", m, n, s / c, (s - b) / c}'
done

# Flat-colour drawings in TMS9918 colours with repeated tiles, which use few characters: a
# budget they already meet must change nothing, byte for byte.
awk -v s="${sum[im]}" -v c="$count" \
    'BEGIN {printf "ImageMagick Floyd-Steinberg remap (no rule, no limit): %.2f\n", s / c}'

printf '\ndrawings within the budget (the result must not change)\n'
mkdir -p "$out/drawings"
d="$out/drawings"
convert -size 16x16 xc:'#3CA02F' -fill '#B66148' -draw "rectangle 0,0 15,3" \
    -draw "rectangle 0,8 15,11" -fill '#FFFFFF' -draw "point 3,5" -draw "point 11,13" "$d/tile.png"
convert -size 256x192 "tile:$d/tile.png" -fill '#5BC7EF' +antialias -draw "rectangle 0,0 255,63" \
    -fill '#FFFFFF' -draw "circle 200,32 216,32" -fill '#000000' -draw "rectangle 32,128 95,159" \
    -type TrueColor "BMP3:$d/Bricks.bmp"
convert -size 256x192 xc:'#625BA8' +antialias -fill '#C2CE41' -draw "rectangle 0,96 255,191" \
    -fill '#FFFFFF' -draw "rectangle 40,40 79,79" -draw "rectangle 160,120 199,175" \
    -fill '#B66148' -draw "polygon 100,150 140,110 180,150" -type TrueColor "BMP3:$d/Shapes.bmp"
for name in Bricks Shapes; do
    for mode in 0 3; do
        free="$d/$name-m$mode-768.bmp"
        "$cli" convert "$d/$name.bmp" --page tms9918 --mode "$mode" -o "$free" >/dev/null
        report="$("$cli" compare "$d/$name.bmp" "$free" || true)"
        count="$(awk '/^characters:/ {print $2}' <<<"$report")"
        de="$(awk '/^delta E:/ {print $3}' <<<"$report")"
        for n in 256 128 "$count" $((count - 4)); do
            res="$d/$name-m$mode-$n.bmp"
            "$cli" convert "$d/$name.bmp" --page tms9918 --mode "$mode" --characters "$n" \
                -o "$res" >/dev/null
            if cmp -s "$free" "$res"; then same=unchanged; else same=changed; fi
            chars="$("$cli" compare "$d/$name.bmp" "$res" | awk '/^characters:/ {print $2}')"
            printf '%-7s mode %s: %3s characters (delta E %s); budget %3s: %-9s %3s characters\n' \
                "$name" "$mode" "$count" "$de" "$n" "$same" "$chars"
        done
    done
done
