#!/usr/bin/env bash
# Adds up the Qt Test totals of a build's last ctest run: how many test functions (a row of a table counts
# once) passed, failed and were skipped, over how many test programs.
# usage: scripts/test-counts.sh BUILD_DIR
set -euo pipefail
log=$1/Testing/Temporary/LastTest.log
[ -f "$log" ] || { echo "no ctest log in $1" >&2; exit 1; }
grep -oE '^Totals: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' "$log" |
    awk '{p += $2; f += $4; s += $6; n++} END {printf "%d test functions passed, %d failed, %d skipped in %d test programs\n", p, f, s, n}'
