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
sed 's/$/\r/' > "$stage/README.txt" <<TEXT
Marqueemaster $version for Windows (64-bit)

Marqueemaster composes animated player names for Return to Castle Wolfenstein
and writes the game scripts (.cfg) that play them.

Unpack this folder anywhere and start marqueemaster.exe; nothing is installed.
marqueemaster-cli.exe is the command-line tool: marqueemaster-cli --help.
leet.ini is the default leet table; the Options window makes your own copy.
Your settings are kept in the registry, key "Software/Marqueemaster" under
HKEY_CURRENT_USER.
TEXT
(cd "$build" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "$build/$name.zip: $(du -h "$build/$name.zip" | cut -f1)"
