#!/usr/bin/env bash
# Builds Qt 6.4.2 (Core, Gui, Widgets, Test and the windows/offscreen platform
# plugins) for 64-bit Windows from Debian's own qt6-base source, so the Windows
# build links against the same Qt as the Linux one. The result is a folder
# reused by every later run:
#   ~/.cache/marqueemaster/qt6-mingw64-6.4.2   (or $MARQUEE_QT_PREFIX)
# When ../shared/toolchains holds that folder packed (with a matching checksum),
# it is unpacked instead. Otherwise it takes about 20 minutes on 2 otherwise idle
# cores; the build runs at the lowest priority so it only takes what nobody else uses.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
version=6.4.2
cache=${XDG_CACHE_HOME:-$HOME/.cache}/marqueemaster
prefix=${MARQUEE_QT_PREFIX:-$cache/qt6-mingw64-$version}
work=$cache/qt6-build

if [ -f "$prefix/.complete" ]; then
    echo "Windows Qt $version already in $prefix"
    exit 0
fi

# The same prefix, packed from a finished build, ships beside the project: unpacked in a second instead of
# built in 20-60 minutes. Only a tarball whose checksum matches and that holds what the build needs is used.
toolchains=${MARQUEE_TOOLCHAINS:-$repo/../shared/toolchains}
tarball=$toolchains/qt6-mingw64-$version.tar.xz
has_what_the_build_needs() {
    local f
    for f in .complete bin/qt-cmake bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll \
             lib/cmake/Qt6/Qt6Config.cmake lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake \
             lib/cmake/Qt6Test/Qt6TestConfig.cmake plugins/platforms/qwindows.dll \
             plugins/platforms/qoffscreen.dll plugins/styles/qwindowsvistastyle.dll; do
        [ -e "$1/$f" ] || { echo "the packed Windows Qt lacks $f" >&2; return 1; }
    done
}
if [ -f "$tarball" ] && [ -f "$tarball.sha256" ]; then
    if (cd "$toolchains" && sha256sum --quiet -c "$(basename "$tarball").sha256"); then
        unpack=$prefix.unpack
        rm -rf "$unpack" && mkdir -p "$unpack"
        tar -xJf "$tarball" -C "$unpack"
        if has_what_the_build_needs "$unpack/qt6-mingw64-$version"; then
            rm -rf "$prefix"
            mv "$unpack/qt6-mingw64-$version" "$prefix"
            rm -rf "$unpack"
            echo "Windows Qt $version unpacked from $tarball into $prefix"
            exit 0
        fi
        rm -rf "$unpack"
    else
        echo "$tarball does not match its checksum: building Qt from source" >&2
    fi
fi

need=(dpkg-dev cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools xz-utils)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# apt-get source needs a deb-src line for the archive the binaries come from.
src_list=/etc/apt/sources.list.d/marqueemaster-src.sources
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    cat > "$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

mkdir -p "$work"
cd "$work"
find_source() { find . -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1; }
srcdir=$(find_source)
if [ -z "$srcdir" ]; then
    # The exact Debian revision of the Linux Qt, so the host tools match.
    apt-get source -qq "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >/dev/null
    srcdir=$(find_source)
fi
[ -n "$srcdir" ] || { echo "qt6-base $version source not found" >&2; exit 1; }

# Installed into a side folder first: a build cut short never looks finished.
staging=$prefix.partial
rm -rf "$staging"
# pkg-config would hand the Linux libraries to the Windows build.
nice -n 19 cmake -S "$srcdir" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_pkg_config=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DINPUT_opengl=dynamic >configure.log
nice -n 19 cmake --build build --parallel "${JOBS:-$(nproc)}"
DESTDIR=$staging nice -n 19 cmake --install build >/dev/null
rm -rf "$prefix"
mv "$staging$prefix" "$prefix"
rm -rf "$staging"
touch "$prefix/.complete"
echo "Windows Qt $version installed in $prefix ($(du -sh "$prefix" | cut -f1))"
