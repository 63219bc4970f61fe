#!/usr/bin/env bash
# Starts the program's windows under Xvfb, builds a small coloured animation
# with the wizard, and saves pictures of the main windows into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v xvfb-run >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xvfb xauth >/dev/null
    else
        echo "Missing packages. Install them with: sudo apt-get install -y xvfb xauth" >&2
        exit 1
    fi
fi
bash build.sh build >/dev/null
# A player's home, so the pictures show the folders a player has (not the build machine's).
if mkdir -p /home/player 2>/dev/null; then export HOME=/home/player; else export HOME=$(mktemp -d)/player; mkdir -p "$HOME"; fi
xvfb-run -a -s "-screen 0 1280x1024x24" "${BUILD_DIR:-build}/tools/tour/marqueemaster-tour" docs
