#!/usr/bin/env bash
# Scores the TMS9918 Graphic 2 modes 0 and 3 on a set of photographs and drawings made at
# run time from the wallpapers of Debian's mate-backgrounds and gnome-backgrounds packages
# (GPL; never copied into the tree) plus a generated star field, all at 256 x 192, with
# `compare` in kind 0.
# Usage: tools/dither-quality.sh [CLI] [extra convert options for mode 3...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$here/build/src/cli/murelo9918-cli}"
shift || true
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for pkg in imagemagick mate-backgrounds gnome-backgrounds; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
        { echo "needs the Debian package $pkg (apt-get install $pkg)" >&2; exit 2; }
done

src=/usr/share/backgrounds
pictures=(mate/nature/Aqua.jpg mate/nature/LadyBird.jpg mate/nature/YellowFlower.jpg
          mate/nature/Garden.jpg mate/nature/Dune.jpg mate/nature/Storm.jpg mate/nature/Wood.jpg
          mate/nature/FreshFlower.jpg mate/nature/GreenMeadow.jpg mate/nature/RainDrops.jpg
          mate/nature/TwoWings.jpg mate/nature/Blinds.jpg mate/abstract/Elephants.jpg
          mate/desktop/GreenTraditional.jpg gnome/pixels-l.webp gnome/truchet-l.webp)
for p in "${pictures[@]}"; do
    file="$src/$p"
    convert "$file" -background white -alpha remove -alpha off -resize '256x192^' -gravity center -extent 256x192 -type TrueColor \
        "BMP3:$work/$(basename "${p%.*}").bmp"
done

# Faint stars, some doubled, on a near-black sky with a little grain.
python3 - "$work/stars.ppm" <<'PY'
import random, sys
random.seed(9918)
w, h = 256, 192
px = [[(6 + random.randint(-2, 2), 8 + random.randint(-2, 2), 14 + random.randint(-3, 3))
       for _ in range(w)] for _ in range(h)]
for _ in range(260):
    x, y = random.randrange(w - 1), random.randrange(h - 1)
    v = random.choice([40, 60, 80, 110, 150, 200])
    tint = random.choice([(1, 1, 1), (1, 0.9, 0.7), (0.8, 0.9, 1)])
    c = tuple(min(255, int(v * t)) for t in tint)
    px[y][x] = c
    if random.random() < 0.15:
        px[y][x + 1] = px[y + 1][x] = px[y + 1][x + 1] = c
with open(sys.argv[1], "wb") as f:
    f.write(b"P6 %d %d 255\n" % (w, h))
    f.write(bytes(v for row in px for p in row for v in p))
PY
convert "$work/stars.ppm" -type TrueColor "BMP3:$work/stars.bmp"

score() { "$cli" compare "$1" "$2" --palette 0 | awk '/delta E/ {print $3}'; }
printf "%-18s %8s %8s\n" picture mode0 mode3
for f in "$work"/*.bmp; do
    "$cli" convert "$f" --page tms9918 --mode 0 -o "${f%.bmp}.m0"
    "$cli" convert "$f" --page tms9918 --mode 3 "$@" -o "${f%.bmp}.m3"
    printf "%-18s %8s %8s\n" "$(basename "${f%.bmp}")" "$(score "$f" "${f%.bmp}.m0")" \
        "$(score "$f" "${f%.bmp}.m3")"
done | tee "$work/scores"
awk '{ a += $2; b += $3; n++ } END { printf "%-18s %8.2f %8.2f\n", "mean", a / n, b / n }' \
    "$work/scores"
