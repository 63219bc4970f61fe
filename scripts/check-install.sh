#!/usr/bin/env bash
# Installs a finished build into a temporary prefix and packs it as a .deb,
# unpacks that into a temporary root, and checks both hold the programs and the
# desktop files, and that the validators accept those files.
# usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
id=io.github.marqueemaster.Marqueemaster
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

expected=(
    bin/marqueemaster bin/marqueemaster-cli
    share/applications/$id.desktop share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
)
for size in 16 22 24 32 48 64 128 256; do expected+=(share/icons/hicolor/${size}x${size}/apps/$id.png); done

check_tree() {  # root holding bin/ and share/
    local root=$1 missing=0
    for f in "${expected[@]}"; do
        [ -s "$root/$f" ] || { echo "missing: $root/$f" >&2; missing=1; }
    done
    [ $missing -eq 0 ] || exit 1
    desktop-file-validate "$root/share/applications/$id.desktop"
    appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
    # The MIME package must compile into a database.
    mkdir -p "$tmp/mimecheck/packages"
    cp "$root/share/mime/packages/$id.xml" "$tmp/mimecheck/packages/"
    update-mime-database "$tmp/mimecheck" 2>/dev/null  # (its note: the folder is not in XDG_DATA_DIRS)
    grep -q "application/x-marqueemaster-animation" "$tmp/mimecheck/globs2"
    rm -rf "$tmp/mimecheck"
}

echo "-- cmake --install"
cmake --build "$build"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
check_tree "$tmp/prefix"

echo "-- cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
deb=$(ls "$tmp"/deb/*.deb)
dpkg-deb --field "$deb" Package Version Depends
# Dependencies come from the Qt libraries the programs link.
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || { echo "no Qt Widgets dependency" >&2; exit 1; }
dpkg -x "$deb" "$tmp/root"
check_tree "$tmp/root/usr"
echo "install and package: all files present, validators pass ($(basename "$deb"))"
