#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for the given seconds
# (default 60) on a copy of its seed corpus. Any crash, leak or hang fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=${FUZZ_BUILD_DIR:-build-fuzz}

if ! command -v clang++ >/dev/null 2>&1 || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'ok installed'; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
    else
        echo "Missing packages. Install them with: sudo apt-get install -y clang libclang-rt-14-dev" >&2
        exit 1
    fi
fi

# A build already made with -DMARQUEE_FUZZ=ON (CI's sanitizer build, which also runs the tests) is reused.
if ! grep -qs '^MARQUEE_FUZZ:BOOL=ON' "$dir/CMakeCache.txt"; then
    CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARQUEE_FUZZ=ON \
        -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$dir" --parallel "$(nproc)" --target $(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//' | tr '\n' ' ')

status=0
for source in fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    corpus=$(mktemp -d)
    cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
    echo "== $name for ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 "$dir/fuzz/$name" "$corpus" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=2048 -artifact_prefix="$dir/$name-" -print_final_stats=0 2>"$dir/$name.log"; then
        echo "$name FAILED; see $dir/$name.log" >&2
        tail -40 "$dir/$name.log" >&2
        status=1
    else
        grep -E '^(#[0-9]+.*DONE|Done)' "$dir/$name.log" | tail -1 || true
    fi
    rm -rf "$corpus"
done
exit $status
