#!/usr/bin/env bash
# Installs a finished build into a temporary prefix and packs it as a .deb,
# unpacks that into a temporary root, and checks both hold the programs, the
# desktop files, the leet table and the documentation, that the validators
# accept those files and lintian reports no error. Then follows the README as a
# user: installs into a prefix standing for ~/.local and one for /usr, with every
# XDG_* folder a temporary one, clicks the "Registry Options" buttons in the
# orders a user would, and checks that gio and xdg-mime say what the page says
# and that the prefix and mimeapps.list end byte for byte as they started. Last,
# the buttons from the build folder first, then the install into ~/.local over
# the files they wrote, then "Restore" and "Remove" from the installed program:
# every installed file must stay as installed.
# usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
id=io.github.marqueemaster.Marqueemaster
animation=application/x-marqueemaster-animation
script_type=text/x-rtcw-script
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

expected=(
    bin/marqueemaster bin/marqueemaster-cli
    share/applications/$id.desktop share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg share/marqueemaster/leet.ini
    share/man/man1/marqueemaster.1.gz share/man/man1/marqueemaster-cli.1.gz
    share/doc/marqueemaster/copyright share/doc/marqueemaster/changelog.gz
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
    cmp -s data/leet.ini "$root/share/marqueemaster/leet.ini" || fail "$root: leet.ini is not data/leet.ini"
    for page in marqueemaster marqueemaster-cli; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man page $page: $warnings"
    done
    # The MIME package must compile into a database.
    mkdir -p "$tmp/mimecheck/packages"
    cp "$root/share/mime/packages/$id.xml" "$tmp/mimecheck/packages/"
    update-mime-database "$tmp/mimecheck" 2>/dev/null  # (its note: the folder is not in XDG_DATA_DIRS)
    grep -q "$animation" "$tmp/mimecheck/globs2"
    rm -rf "$tmp/mimecheck"
}

echo "-- cmake --install"
cmake --build "$build"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
check_tree "$tmp/prefix"

echo "-- cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
deb=$(ls "$tmp"/deb/*.deb)
dpkg-deb --field "$deb" Package Version Maintainer Depends
# Dependencies come from the Qt libraries the programs link.
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "no Qt Widgets dependency"
dpkg -x "$deb" "$tmp/root"
check_tree "$tmp/root/usr"
lintian_report=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$lintian_report" ] || echo "$lintian_report"
! grep -q '^E:' <<<"$lintian_report" || fail "lintian reports errors"

# ---- The README as a user follows it ----

clicks=$build/tools/shellclicks/marqueemaster-shell-clicks
mkdir -p "$tmp/os"
ln -s /usr/share/mime "$tmp/os/mime"  # the system's MIME types, none of its applications

# Every file under a folder with its checksum, and mimeapps.list.
snapshot() {
    (cd "$1" && find . -type f -o -type l | LC_ALL=C sort | xargs -r md5sum)
    if [ -e "$XDG_CONFIG_HOME/mimeapps.list" ]; then md5sum <"$XDG_CONFIG_HOME/mimeapps.list"; else echo "no mimeapps.list"; fi
}

# What the desktop says now must be what the page said: "<step> <association>|<on or off>".
agree() {
    local step=${1%% *} shown=${1#* }
    local association=${shown%|*} open_with=${shown##*|}
    local gio_default xdg_default listed=off
    gio_default=$(gio mime "$animation" | sed -n 1p)
    xdg_default=$(xdg-mime query default "$animation")
    gio mime "$script_type" | grep "^[[:space:]]*$id.desktop\$" >/dev/null && listed=on
    case $association in
        "Associated with Marqueemaster")
            [[ $gio_default == *": $id.desktop" && $xdg_default == "$id.desktop" ]] ;;
        "[Not associated yet]")
            [[ $gio_default == "No default"* ]] ;;
        *)
            [[ $gio_default == *": "* && $gio_default != *": $id.desktop" && $xdg_default != "$id.desktop" ]] ;;
    esac || fail "after $step the page says '$association'; gio: '$gio_default', xdg-mime: '$xdg_default'"
    [ "$open_with" = "$listed" ] || fail "after $step the page says Open with is $open_with; gio says $listed"
}

user_path() {  # NAME PREFIX DATA_DIRS
    local name=$1 prefix=$2
    export XDG_DATA_HOME=$tmp/$name/home/.local/share XDG_CONFIG_HOME=$tmp/$name/home/.config
    export XDG_CONFIG_DIRS=$tmp/$name/etc XDG_DATA_DIRS=$3 HOME=$tmp/$name/home PATH=$prefix/bin:$PATH
    unset XDG_CURRENT_DESKTOP
    mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    update-mime-database "$prefix/share/mime"
    update-desktop-database "$prefix/share/applications"
    [ "$("$prefix/bin/marqueemaster-cli" leet '^1Ocelot')" = '^10(3107' ] || fail "$name: leet from the prefix"

    # A saved animation opens with the program; a Sun raster image stays an image.
    printf '#v050#\r\n' >"$tmp/$name/anim.ras"
    printf '\x59\xa6\x6a\x95\0\0\0\x10\0\0\0\x10\0\0\0\x08' >"$tmp/$name/photo.ras"
    [ "$(xdg-mime query filetype "$tmp/$name/anim.ras")" = "$animation" ] || fail "$name: anim.ras is not an animation"
    [ "$(xdg-mime query filetype "$tmp/$name/photo.ras")" = image/x-cmu-raster ] || fail "$name: photo.ras is no image"

    local start
    start=$(snapshot "$prefix"; snapshot "$XDG_DATA_HOME")
    for clicks_in_order in "cmdRestore cmdAssociate" "cmdAddContext cmdRemoveContext" \
                           "cmdRestore cmdAddContext cmdAssociate cmdRemoveContext" \
                           "cmdAddContext cmdRestore cmdRemoveContext cmdAssociate"; do
        echo "   $name: $clicks_in_order"
        # One click per run of the options window, as a user opens it again.
        for button in start $clicks_in_order; do
            local said
            said=$(QT_QPA_PLATFORM=offscreen "$clicks" "$prefix/bin/marqueemaster" \
                       $([ "$button" = start ] || echo "$button") 2>/dev/null | tail -n 1)
            [ "$button" != start ] || [ "$said" = "start Associated with Marqueemaster|off" ] \
                || fail "$name: an installed program starts as '$said'"
            agree "$said"
        done
        diff <(echo "$start") <(snapshot "$prefix"; snapshot "$XDG_DATA_HOME") >&2 \
            || fail "$name: after $clicks_in_order the files differ from the start"
    done
    # Restore and Add, then the removal: the desktop as the installation made it, its files untouched.
    echo "   $name: cmdRestore cmdAddContext, then marqueemaster-cli remove-settings"
    for button in cmdRestore cmdAddContext; do
        QT_QPA_PLATFORM=offscreen "$clicks" "$prefix/bin/marqueemaster" "$button" >/dev/null 2>&1
    done
    "$prefix/bin/marqueemaster-cli" remove-settings >/dev/null || fail "$name: remove-settings failed"
    [ ! -e "$XDG_CONFIG_HOME/Marqueemaster" ] || fail "$name: the removal left $XDG_CONFIG_HOME/Marqueemaster"
    local after
    after=$(QT_QPA_PLATFORM=offscreen "$clicks" "$prefix/bin/marqueemaster" 2>/dev/null | tail -n 1)
    [ "$after" = "start Associated with Marqueemaster|off" ] || fail "$name: after the removal the page says '$after'"
    agree "$after"
    diff <(echo "$start") <(snapshot "$prefix"; snapshot "$XDG_DATA_HOME") >&2 \
        || fail "$name: after the removal the files differ from the start"
}

echo "-- the README's path: ~/.local"
user_path local "$tmp/local/home/.local" "$tmp/os"
echo "-- the README's path: a system prefix"
user_path system "$tmp/system/usr" "$tmp/system/usr/share:$tmp/os"

build_then_install() {
    local name=build-then-install prefix=$tmp/build-then-install/home/.local
    export XDG_DATA_HOME=$prefix/share XDG_CONFIG_HOME=$tmp/$name/home/.config
    export XDG_CONFIG_DIRS=$tmp/$name/etc XDG_DATA_DIRS=$tmp/os HOME=$tmp/$name/home PATH=$prefix/bin:$PATH
    unset XDG_CURRENT_DESKTOP
    mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
    local program=$build/marqueemaster button installed
    for button in cmdAssociate cmdAddContext installed cmdRestore cmdRemoveContext; do
        if [ "$button" = installed ]; then
            [ -s "$XDG_DATA_HOME/Marqueemaster/installed-files" ] || fail "$name: the build wrote no desktop files"
            cmake --install "$build" --prefix "$prefix" >/dev/null
            update-mime-database "$prefix/share/mime"
            update-desktop-database "$prefix/share/applications"
            installed=$(installed_files)
            program=$prefix/bin/marqueemaster
            continue
        fi
        echo "   $name: $button from $program"
        agree "$(QT_QPA_PLATFORM=offscreen "$clicks" "$program" "$button" 2>/dev/null | tail -n 1)"
    done
    diff <(echo "$installed") <(installed_files) >&2 || fail "$name: the installed files changed"
    [ ! -e "$XDG_DATA_HOME/Marqueemaster" ] || fail "$name: the list of the build's desktop files is left"
}
# Every file of the prefix with its checksum, but the build's list of its own files.
installed_files() {
    (cd "$prefix" && find . \( -type f -o -type l \) ! -path ./share/Marqueemaster/installed-files \
        | LC_ALL=C sort | xargs md5sum)
}
echo "-- the build's buttons, then cmake --install into ~/.local, then the installed program's"
build_then_install

echo "-- a fresh build"
export XDG_DATA_HOME=$tmp/fresh/share
[ "$("$build/marqueemaster-cli" leet '^1Ocelot')" = '^10(3107' ] || fail "leet from a fresh build"

echo "install and package: all files present, validators pass, the buttons leave the desktop as they found it ($(basename "$deb"))"
