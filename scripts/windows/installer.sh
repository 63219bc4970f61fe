#!/usr/bin/env bash
# Builds the per-user installer from the zip's folder, then installs it silently under Wine into a fresh
# prefix, runs the installed command-line tool, uninstalls, and fails if anything is left in the folder,
# the Start menu or the registry.
# usage: scripts/windows/installer.sh STAGE_FOLDER VERSION OUTPUT.exe
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
stage=$(realpath "$1")
version=$2
out=$3
command -v makensis >/dev/null || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq nsis >/dev/null; }

lists=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$lists" "$work"' EXIT
# The installer's file list and the uninstaller's, from the folder: the uninstaller removes only these.
backslashed() { local p=$1; echo "${p//\//\\}"; }
(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | sort) > "$lists/folders"
(cd "$stage" && find . -type f | sed 's|^\./||' | sort) > "$lists/files"
{
    echo "SetOutPath \"\$INSTDIR\""
    while IFS= read -r file; do
        folder=$(dirname "$file")
        [ "$folder" = . ] && target='$INSTDIR' || target="\$INSTDIR\\$(backslashed "$folder")"
        echo "SetOutPath \"$target\""
        echo "File \"$stage/$file\""
    done < "$lists/files"
    echo "SetOutPath \"\$INSTDIR\""
} > "$lists/install-files.nsh"
{
    while IFS= read -r file; do echo "Delete \"\$INSTDIR\\$(backslashed "$file")\""; done < "$lists/files"
    sort -r "$lists/folders" | while IFS= read -r folder; do echo "RMDir \"\$INSTDIR\\$(backslashed "$folder")\""; done
} > "$lists/uninstall-files.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$repo/data/windows/marqueemaster.ico" -DFILES="$lists" \
    -DOUTFILE="$(realpath -m "$out")" "$repo/data/windows/installer.nsi"
echo "$out: $(du -h "$out" | cut -f1)"

echo "== The installer as a player runs it"
fail() { echo "installer: $*" >&2; exit 1; }
export WINEPREFIX=$work/prefix WINEDEBUG=-all
unset WINEPATH
# A player whose name has a blank and letters beyond ASCII: every path the installer, the association and the
# removal write goes through the profile folder.
export USER="Jérôme Test" LOGNAME="Jérôme Test"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
run() { (cd "$work" && wine "$@" </dev/null 2>/dev/null | tr -d '\r'); }
profile="$WINEPREFIX/drive_c/users/$USER"
[ -d "$profile" ] || fail "no profile folder $profile"
local_data=$profile/AppData/Local
roaming=$profile/AppData/Roaming
start_menu="$roaming/Microsoft/Windows/Start Menu/Programs"
installed=$local_data/Programs/Marqueemaster
classes_before=$work/classes-before.reg
run reg add 'HKCU\Software\Classes' /f >/dev/null  # always there on Windows; a fresh Wine prefix lacks it
run reg export 'HKCU\Software\Classes' "$(winepath -w "$classes_before")" /y >/dev/null

run "$(realpath "$out")" /S
wineserver -w
[ -f "$installed/marqueemaster.exe" ] || fail "nothing installed in $installed"
run "$installed/marqueemaster-cli.exe" --version | grep -qx "marqueemaster-cli $version" \
    || fail "the installed marqueemaster-cli.exe doesn't start"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Marqueemaster'
run reg query "$uninstall_key" /v DisplayVersion | grep -q "$version" || fail "no Apps & features entry"
run reg query "$uninstall_key" /v EstimatedSize | grep -q REG_DWORD || fail "the Apps & features entry has no size"
run reg query 'HKCU\Software\Classes\.ras' /ve | grep -qi RtCWAnimationScript || fail "the .ras association was not made"
[ -f "$start_menu/Marqueemaster.lnk" ] || fail "no Start-menu entry"
echo "installed: the program starts, Apps & features lists it, .ras opens in it, the Start menu has it"
# What a player's use leaves: settings, a leet table of their own, a kept copy.
settings_key='HKCU\Software/Marqueemaster'
run reg add "$settings_key" /v Game /d 2 /f >/dev/null
mkdir -p "$local_data/Marqueemaster" "$roaming/Marqueemaster"
cp "$stage/leet.ini" "$local_data/Marqueemaster/leet.ini"
echo x > "$roaming/Marqueemaster/before-save-1f-a.ras"

run "$installed/uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed" | head -5)"
[ ! -e "$start_menu/Marqueemaster.lnk" ] || fail "the uninstaller left the Start-menu entry"
for folder in "$local_data/Marqueemaster" "$roaming/Marqueemaster"; do
    [ ! -e "$folder" ] || fail "the uninstaller left $folder"
done
if run reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstaller left its Apps & features entry"; fi
if run reg query "$settings_key" >/dev/null 2>&1; then fail "the uninstaller left the settings"; fi
classes_after=$work/classes-after.reg
run reg export 'HKCU\Software\Classes' "$(winepath -w "$classes_after")" /y >/dev/null
cmp -s "$classes_before" "$classes_after" || fail "HKCU\\Software\\Classes differs after the uninstall"
echo "uninstalled: no file, Start-menu entry, folder, association or registry key left"
