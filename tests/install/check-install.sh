#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop expects to find there.
#   check-install.sh BUILD_DIR DESKTOP_FILE_VALIDATE APPSTREAMCLI
set -eu
build=$1
validate_desktop=$2
appstreamcli=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
need() {
    if [ ! -s "$prefix/$1" ]; then
        echo "missing after install: $1"
        fail=1
    fi
}
need bin/murelo9918-cli
[ -x "$prefix/bin/murelo9918-cli" ] || { echo "murelo9918-cli is not executable"; fail=1; }
if grep -q '^MURELO_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then need bin/murelo9918; fi
need share/applications/murelo9918.desktop
need share/metainfo/example.murelo9918.Murelo9918.metainfo.xml
need share/mime/packages/murelo9918-sc2.xml
need share/icons/hicolor/scalable/apps/murelo9918.svg
for size in 16 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/murelo9918.png
    need "$icon"
    # The PNG header's width and height must be the folder's size.
    got=$(od -An -tu1 -j16 -N8 "$prefix/$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$got" = "${size}x${size}" ] || { echo "$icon is $got"; fail=1; }
done
desktop=$prefix/share/applications/murelo9918.desktop
for type in image/bmp image/png application/x-msx-screen2; do
    grep -q "^MimeType=.*$type;" "$desktop" || { echo "MimeType lacks $type"; fail=1; }
done
"$validate_desktop" "$desktop" || fail=1
"$appstreamcli" validate --no-net "$prefix/share/metainfo/example.murelo9918.Murelo9918.metainfo.xml" || fail=1
# The program the desktop entry starts is the one installed.
grep -q '^Exec=murelo9918 %f$' "$desktop" || { echo "Exec line changed"; fail=1; }
"$prefix/bin/murelo9918-cli" --version >/dev/null || fail=1
exit $fail
