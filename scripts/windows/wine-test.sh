#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest (the build's CMAKE_CROSSCOMPILING_EMULATOR).
# The Wine process writes into a file of its own, never into ctest's pipe: a Wine service or any other
# process it starts can then hold nothing of ctest's open, and the test's entry ends when the test does.
# Each ctest resource slot (CTEST_RESOURCE_GROUP_0_WINE="id:N,slots:1") has its own Wine prefix,
# server and X display, made ready by wine-slots.sh; without one, slot 0 is used.
# A test still running after MARQUEE_WINE_TEST_TIMEOUT seconds is killed and reported with its log.
set -u
slots=${MARQUEE_WINE_SLOTS:?"set by scripts/windows/check.sh"}
slot=0
if [ -n "${CTEST_RESOURCE_GROUP_0_WINE:-}" ]; then
    slot=${CTEST_RESOURCE_GROUP_0_WINE#id:}
    slot=${slot%%,*}
fi
export WINEPREFIX=$slots/slot-$slot/prefix
DISPLAY=$(cat "$slots/slot-$slot/display")
export DISPLAY

# The test's own log: "-o FILE,txt" (a Windows test's standard output does not reach us).
log=
previous=
for arg in "$@"; do
    [ "$previous" = -o ] && log=${arg%,txt}
    previous=$arg
done
[ -n "$log" ] && rm -f "$log"

output=$(mktemp)
limit=${MARQUEE_WINE_TEST_TIMEOUT:-540}
timeout --kill-after=10 "$limit" wine "$@" </dev/null >"$output" 2>&1
status=$?
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "killed: still running after $limit s (Wine slot $slot)"
fi
grep -v "EnableNonClientDpiScaling" "$output"
rm -f "$output"
if [ -n "$log" ] && [ -f "$log" ]; then
    if [ $status -eq 0 ] && grep -q "^Totals: .* 0 failed" "$log"; then
        grep "^Totals:" "$log"
    else
        grep -v "EnableNonClientDpiScaling\|^PASS" "$log"
    fi
fi
exit $status
