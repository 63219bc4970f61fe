#!/usr/bin/env bash
# Builds Marqueemaster for 64-bit Windows on Linux, runs every test under Wine,
# and packs what a player unpacks:
#   build-windows/marqueemaster-<version>-win64.zip
# Installs the MinGW and Wine packages when missing and builds the Windows Qt
# once (scripts/windows/build-qt.sh, cached in ~/.cache/marqueemaster).
#
# usage: scripts/windows/check.sh [--no-tests]
#        TESTS=<ctest -R pattern> scripts/windows/check.sh   # only those tests
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"
qt_version=6.4.2
export MARQUEE_QT_PREFIX=${MARQUEE_QT_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/marqueemaster/qt6-mingw64-$qt_version}
qt=$MARQUEE_QT_PREFIX
build=${BUILD_DIR:-build-windows}
mingw_lib=/usr/x86_64-w64-mingw32/lib

need=(g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth cmake ninja-build qt6-base-dev qt6-base-dev-tools)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "== Installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
mingw_gcc=$(dirname "$(x86_64-w64-mingw32-gcc-posix -print-libgcc-file-name)")  # libstdc++ and libgcc DLLs

echo "== Windows Qt $qt_version"
bash scripts/windows/build-qt.sh

echo "== Cross-build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DMARQUEE_QT_PREFIX="$qt" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/scripts/windows/wine-test.sh" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# Wine: fresh prefixes each run, so no test sees what an earlier run left in its registry; no Mono or Gecko
# installer prompts; the Qt and MinGW DLLs found on the Windows PATH.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QT_PLUGIN_PATH=$qt/plugins
windows_path() { local p; p=$(realpath "$1"); echo "Z:${p//\//\\}"; }  # Wine's Z: drive is the root
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$mingw_gcc");$(windows_path "$mingw_lib")"
export MARQUEE_WINE_SLOTS=$repo/$build/wine

if [ "${1:-}" != --no-tests ]; then
    echo "== Tests under Wine"
    # Two slots (a prefix, its server and services, and an Xvfb display each), so two tests run at a time
    # without sharing a desktop; each slot is up, services included, before the first test starts.
    slots=${WINE_SLOTS:-$(nproc)}
    bash scripts/windows/wine-slots.sh down "$MARQUEE_WINE_SLOTS"
    rm -rf "$MARQUEE_WINE_SLOTS"
    started=$(date +%s)
    bash scripts/windows/wine-slots.sh up "$MARQUEE_WINE_SLOTS" "$slots"
    echo "Wine slots ready in $(( $(date +%s) - started )) s"
    status=0
    ctest --test-dir "$build" --output-on-failure --parallel "$slots" \
        --resource-spec-file "$MARQUEE_WINE_SLOTS/resources.json" ${TESTS:+-R "$TESTS"} || status=$?
    bash scripts/windows/wine-slots.sh down "$MARQUEE_WINE_SLOTS"
    [ $status -eq 0 ] || exit $status
fi

echo "== Package"
version=$(sed -n 's/^project(Marqueemaster VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=marqueemaster-$version-win64
stage=$build/$name
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage"
cp "$build/marqueemaster.exe" "$build/marqueemaster-cli.exe" "$stage/"
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll imageformats/qgif.dll \
              imageformats/qjpeg.dll; do
    [ -f "$qt/plugins/$plugin" ] || continue
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$stage/$plugin"
done
# Every DLL the programs and plugins load, followed from one to the next; the system's own are not ours to ship.
copy_dependencies() {
    local dll from
    for dll in $(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
        [ -f "$stage/$dll" ] && continue
        for from in "$qt/bin" "$mingw_gcc" "$mingw_lib"; do
            if [ -f "$from/$dll" ]; then
                cp "$from/$dll" "$stage/$dll"
                copy_dependencies "$stage/$dll"
                break
            fi
        done
    done
}
while IFS= read -r binary; do copy_dependencies "$binary"; done < <(find "$stage" -name '*.exe' -o -name '*.dll')
[ -f "$stage/Qt6Widgets.dll" ] && [ -f "$stage/libstdc++-6.dll" ] || { echo "the package lacks its DLLs" >&2; exit 1; }
cp data/leet.ini "$stage/leet.ini"
# Programs and DLLs without their symbols: a third of the size.
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
# The licences: ours, and Qt's (LGPL-3) with where its source and our build of it are.

sed 's/$/\r/' COPYING > "$stage/COPYING.txt"
sed 's/$/\r/' /usr/share/common-licenses/LGPL-3 > "$stage/Qt-LGPL-3.txt"
sed 's/$/\r/' /usr/share/common-licenses/GPL-3 > "$stage/Qt-GPL-3.txt"
sed 's/$/\r/' > "$stage/Qt-NOTICE.txt" <<TEXT
The Qt*.dll files and the plugins in this folder are Qt $qt_version, (c) The Qt Company
Ltd and other contributors, used under the GNU Lesser General Public License
version 3 (Qt-LGPL-3.txt, which adds to Qt-GPL-3.txt). You may replace them with
your own build of the same Qt version.

Their source is Debian bookworm's qt6-base $qt_version+dfsg (apt-get source qt6-base,
or https://sources.debian.org/src/qt6-base/), built with the MinGW-w64 compiler
by scripts/windows/build-qt.sh of Marqueemaster's source, which also holds the
options used.
TEXT
sed 's/$/\r/' > "$stage/README.txt" <<TEXT
Marqueemaster $version for Windows (64-bit)

Marqueemaster composes animated player names for Return to Castle Wolfenstein
(RtCW 1.4, ioRTCW) and Enemy Territory (2.60b, ET: Legacy) and writes the game
scripts (.cfg) that play them. It is free software under the GNU GPL, version 3
or later (COPYING.txt); Qt's licence and source are in Qt-NOTICE.txt.

Unpack this folder anywhere and start marqueemaster.exe; nothing is installed.
marqueemaster-cli.exe is the command-line tool: marqueemaster-cli --help.
leet.ini is the default leet table; the Options window makes your own copy.

Where the script goes: choose your game in Edit > Options > Game. The script
window saves into the folder that game reads and says the line to type in the
game's console (exec anims/ocelot); Bind to key... puts it on a key.
  RtCW 1.4:        the "main" folder of the game's install folder
  ioRTCW:          Documents\RTCW\main
  Enemy Territory: the "etmain" folder of the game's install folder
  ET: Legacy:      Documents\ETLegacy\etmain
An install folder under "Program Files" takes new files only from programs run
as administrator: if a save is refused there, move the game to a folder of your
own, or play ioRTCW or ET: Legacy, which read your Documents folder.

What the program keeps: settings in the registry (HKEY_CURRENT_USER, key
Software/Marqueemaster), your leet table in %LOCALAPPDATA%\Marqueemaster,
unsaved work in %APPDATA%\Marqueemaster, and the .ras file association if you
chose it (Options > Registry Options: Restore gives back what was there).
Before you delete this folder, click "Remove Marqueemaster's settings and
associations..." on that page (or run marqueemaster-cli remove-settings): it
removes all of the above and gives .ras files back to their program.
TEXT
(cd "$build" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "$build/$name.zip: $(du -h "$build/$name.zip" | cut -f1)"

echo "== The zip as a player unpacks it"
# Into a folder with blanks, outside the build, with no WINEPATH and a fresh prefix: a missing DLL or plugin fails here.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
mkdir "$unpacked/Game Tools"
(cd "$unpacked/Game Tools" && cmake -E tar xf "$repo/$build/$name.zip")
app="$unpacked/Game Tools/$name"
export WINEPREFIX="$unpacked/prefix" WINEDEBUG=-all
unset WINEPATH
wineboot -i >/dev/null 2>&1 || true
printf '#v050#\r\n^1Ocelot\r\n15\r\nset name\r\n^2Ocelot\r\n15\r\nset name\r\n' > "$unpacked/my anim.ras"
run() { (cd "$unpacked" && wine "$@" </dev/null); }
run "$app/marqueemaster-cli.exe" --version | tr -d '\r' | grep -qx "marqueemaster-cli $version" \
    || { echo "the unpacked marqueemaster-cli.exe doesn't start" >&2; exit 1; }
run "$app/marqueemaster-cli.exe" generate "my anim.ras" -o "my anim.cfg" 2>/dev/null
run "$app/marqueemaster-cli.exe" check "my anim.cfg" | tr -d '\r' | grep -q "^2 names in 1 file(s)" \
    || { echo "the unpacked marqueemaster-cli.exe can't generate and check a script" >&2; exit 1; }
xvfb-run -a bash -c 'cd "$1" && wine "$2" --version </dev/null' _ "$unpacked" "$app/marqueemaster.exe" | tr -d '\r' \
    | grep -qx "marqueemaster $version" || { echo "the unpacked marqueemaster.exe doesn't start" >&2; exit 1; }
echo "unpacked into a folder with blanks: both programs start, generate and check work"

echo "== The installer"
bash scripts/windows/installer.sh "$stage" "$version" "$build/$name-setup.exe"
