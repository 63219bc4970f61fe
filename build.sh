#!/usr/bin/env bash
# Builds Marqueemaster and starts it (run), runs every test (test), or builds
# only (build). Installs the OS packages it needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev)

missing_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    echo "${missing[@]:-}"
}

ensure_packages() {
    command -v dpkg-query >/dev/null 2>&1 || return 0   # not a Debian-like system: trust the toolchain
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: $missing"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
    else
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y $missing" >&2
        exit 1
    fi
}

build() {
    local dir=${BUILD_DIR:-build}
    ensure_packages
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
    # BUILD_TARGETS: only these (run needs the program and the tool, not the tests).
    cmake --build "$dir" --parallel "$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
}

case "${1:-run}" in
    run)
        shift || true
        BUILD_TARGETS="marqueemaster marqueemaster-cli" build
        exec "${BUILD_DIR:-build}/marqueemaster" "$@"
        ;;
    test)
        build
        ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"
        ;;
    build)
        shift
        build "$@"
        ;;
    *)
        echo "usage: $0 [run [FILE] | test | build]" >&2
        exit 2
        ;;
esac
