#!/usr/bin/env bash
# Runs .ci/run as a fresh machine would: on a clean clone of the committed HEAD, beside the same ../shared,
# with no compiler cache and an empty cache folder (so the Windows Qt is unpacked or built anew).
# Prints .ci/run's table of stage times and the load average before and after.
# usage: scripts/ci-fresh.sh [KEEP_FOLDER]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
rm -rf "$work/main" "$work/cache"
git clone -q "$repo" "$work/main"
ln -sfn "$(realpath "$repo/../shared")" "$work/shared"
mkdir -p "$work/cache"
echo "ci-fresh: $(git -C "$work/main" log -1 --format='%h %s') in $work/main; load $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
(cd "$work/main" && CI=true CCACHE_DISABLE=1 XDG_CACHE_HOME="$work/cache" bash .ci/run </dev/null) || status=$?
echo "ci-fresh: exit $status; load $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
