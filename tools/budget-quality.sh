#!/usr/bin/env bash
# The "Characters" budget on the picture set: for every picture, the dithered Graphic 2 mode
# (tms9918 3) at 768 (no limit), 256, 128, 96 and 64 characters and the plain mode (tms9918 0)
# at 768 and 256, each with compare's delta E, SSIM and character count; then the mean delta
# E of each budget above the same mode without one.
# Usage: tools/budget-quality.sh CLI [OUTDIR]   (runs with any build that has --characters)
set -euo pipefail
cli="${1:?usage: budget-quality.sh CLI [OUTDIR]}"
out="${2:-$(mktemp -d)}"
mkdir -p "$out/set"
"$(dirname "$0")/picture-set.sh" "$out/set" >"$out/set.txt"

runs=("3 768" "3 256" "3 128" "3 96" "3 64" "0 768" "0 256")
printf '%-13s %-8s' picture kind
for r in "${runs[@]}"; do
    read -r mode n <<<"$r"
    printf ' | m%s/%-3s dE    SSIM  chars' "$mode" "$n"
done
printf '\n'
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
    printf '\n'
    count=$((count + 1))
done <"$out/set.txt"

printf '\nmean delta E over %d pictures\n' "$count"
for r in "${runs[@]}"; do
    read -r mode n <<<"$r"
    base="${sum["$mode 768"]}"
    awk -v m="$mode" -v n="$n" -v s="${sum["$r"]}" -v b="$base" -v c="$count" \
        'BEGIN {printf "mode %s, %3s characters: %.2f (%+.2f against no limit)\n", m, n, s / c, (s - b) / c}'
done
