#!/usr/bin/env bash
# Builds the picture set the conversion figures are measured on, at run time, from pictures
# shipped in Debian packages (never copied into the tree): photographs, drawings, dark and
# night photographs and star fields, each scaled and cropped to WxH as 24-bit bitmaps.
# Usage: tools/picture-set.sh OUTDIR [WxH]   (default 256x192)
# Prints one line per picture: NAME CATEGORY (photo, drawing, dark, stars).
# Needs the Debian packages imagemagick, mate-backgrounds, gnome-backgrounds,
# plasma-workspace-wallpapers and stellarium-data.
set -euo pipefail
out="${1:?usage: picture-set.sh OUTDIR [WxH]}"
size="${2:-256x192}"
mkdir -p "$out"

for pkg in imagemagick mate-backgrounds gnome-backgrounds plasma-workspace-wallpapers \
    stellarium-data; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
        { echo "needs the Debian package $pkg (apt-get install $pkg)" >&2; exit 2; }
done

mate=/usr/share/backgrounds/mate
gnome=/usr/share/backgrounds/gnome
plasma=/usr/share/wallpapers
nebulae=/usr/share/stellarium/nebulae/default

# A plasma wallpaper's 1920 x 1080 picture, or its smallest one.
wallpaper() {
    local dir="$plasma/$1/contents/images"
    local f
    f="$(ls "$dir"/1920x1080.* 2>/dev/null | head -1)"
    [[ -n "$f" ]] || f="$(ls -S "$dir"/* | tail -1)"
    echo "$f"
}

# name category file
pictures=(
    "Aqua photo $mate/nature/Aqua.jpg"
    "LadyBird photo $mate/nature/LadyBird.jpg"
    "YellowFlower photo $mate/nature/YellowFlower.jpg"
    "Garden photo $mate/nature/Garden.jpg"
    "RainDrops photo $mate/nature/RainDrops.jpg"
    "TwoWings photo $mate/nature/TwoWings.jpg"
    "FallenLeaf photo $(wallpaper FallenLeaf)"
    "ColorfulCups photo $(wallpaper ColorfulCups)"
    "Elephants drawing $mate/abstract/Elephants.jpg"
    "Pixels drawing $gnome/pixels-l.webp"
    "Truchet drawing $gnome/truchet-l.webp"
    "SafeLanding drawing $(wallpaper SafeLanding)"
    "DarkestHour dark $(wallpaper DarkestHour)"
    "Summer1am dark $(wallpaper summer_1am)"
    "EveningGlow dark $(wallpaper EveningGlow)"
    "Path dark $(wallpaper Path)"
    "Storm dark $mate/nature/Storm.jpg"
    "GalaxyGroup stars $nebulae/n691group-vasey.png"
    "VirgoCluster stars $nebulae/virgo_cluster.png"
)

for entry in "${pictures[@]}"; do
    read -r name category file <<<"$entry"
    convert "$file" -background white -alpha remove -alpha off -colorspace sRGB \
        -resize "$size^" -gravity center -extent "$size" -type TrueColor "BMP3:$out/$name.bmp"
    echo "$name $category"
done
