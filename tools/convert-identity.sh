#!/usr/bin/env bash
# Runs `convert` of two builds of murelo9918-cli over every page and mode, three sets of
# options and a few pictures of different sizes, asking each for every output it can give
# (-o, --screen-bytes, --quantizer-palette, --export, --save), and compares exit codes,
# printed text and every file written byte for byte. For checking that a change of how
# convert runs leaves its outputs as they were. The warning lines about options a mode does
# not read are left out of the comparison: a build without them gives the same results.
# Usage: tools/convert-identity.sh OLD_CLI NEW_CLI
# Needs imagemagick and mate-backgrounds (Debian) for the photographs.
set -euo pipefail
old="$(realpath "$1")"
new="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

src=/usr/share/backgrounds/mate/nature
make_picture() { # source size name
    convert "$src/$1" -resize "$2^" -gravity center -extent "$2" -type TrueColor "BMP3:$work/$3.bmp"
}
make_picture Aqua.jpg 256x192 aqua
make_picture LadyBird.jpg 256x212 ladybird
make_picture YellowFlower.jpg 512x424 flower
make_picture Garden.jpg 640x400 garden
make_picture Dune.jpg 320x200 dune

pages=(tms9918 v9938 v9958 pc6001 pc8801)
modes=(4 7 2 7 7)
variants=(
    ""
    "--red 30 --green -20 --blue 10 --brightness -15 --contrast 140 --halftone 1 --ntsc --dither 40"
    "--no-rules --interlace --odd-line --p6-rules --analog-palette --convert-type 2 --y 20 --j -30 --k 15"
)

# One run in its own folder, so the printed names are the same for both builds.
run() { # cli folder args...
    local cli="$1" dir="$2"
    shift 2
    mkdir -p "$dir"
    (cd "$dir" && set +e && "$cli" "$@" >out.txt 2>err.txt; echo $? >rc.txt)
    sed -i '/: warning: /d' "$dir/err.txt"
}

runs=0
succeeded=0
differing=0
for picture in aqua ladybird flower garden dune; do
    for p in 0 1 2 3 4; do
        for ((mode = 0; mode < modes[p]; ++mode)); do
            for v in 0 1 2; do
                # shellcheck disable=SC2206
                opts=(${variants[v]})
                for outputs in "-o R.bmp --screen-bytes S.bin --quantizer-palette Q.bin" \
                               "-o R.bmp" "--export PIC" "--save PIC" \
                               "--export PIC --connect-palette"; do
                    # shellcheck disable=SC2206
                    out=($outputs)
                    name="$picture-${pages[p]}-$mode-$v-${outputs//[^a-z]/}"
                    args=(convert "$work/$picture.bmp" --page "${pages[p]}" --mode "$mode" "${opts[@]}" "${out[@]}")
                    run "$old" "$work/old/$name" "${args[@]}"
                    run "$new" "$work/new/$name" "${args[@]}"
                    runs=$((runs + 1))
                    if [[ "$(cat "$work/old/$name/rc.txt")" == 0 ]]; then
                        succeeded=$((succeeded + 1))
                    fi
                    if ! diff -r "$work/old/$name" "$work/new/$name" >/dev/null; then
                        differing=$((differing + 1))
                        echo "DIFFERS: ${args[*]}"
                    fi
                    rm -rf "$work/old/$name" "$work/new/$name"
                done
            done
        done
    done
done
echo "$runs runs ($succeeded succeeding with the old build), $differing differing"
# Runs that all fail alike (a wrong command line) would compare equal: a comparison that
# converted nothing proves nothing.
[[ $succeeded -gt 0 && $differing -eq 0 ]]
