#!/usr/bin/env bash
# Makes Wine slots ready for the Windows tests, or takes them down:
#   wine-slots.sh up FOLDER COUNT     # FOLDER/slot-N/{prefix,display} and FOLDER/resources.json for ctest
#   wine-slots.sh down FOLDER
# Each slot is a fresh prefix with its own persistent Wine server, its services already running, and an
# X display of its own (Xvfb), so two tests run side by side without taking each other's focus, and no test
# is ever the first Wine program of its server (whose services would inherit the test's output).
set -euo pipefail
action=$1
folder=$2

# True when the prefix's service manager, device manager and desktop are running.
services_up() {
    local prefix=$1 pid name seen=0
    for pid in $(pgrep -f 'services.exe|plugplay.exe|explorer.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" || continue
        name=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)
        case $name in
            *services.exe*) seen=$((seen | 1)) ;;
            *plugplay.exe*) seen=$((seen | 2)) ;;
            *explorer.exe*) seen=$((seen | 4)) ;;
        esac
    done
    [ $seen -eq 7 ]
}

slot_up() {
    local dir=$1 number
    mkdir -p "$dir"
    rm -rf "$dir/prefix"
    mkdir -p "$dir/prefix"  # the server needs the folder; the first program fills it
    # -displayfd: the server picks a free display and tells its number once it accepts connections.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display.number" </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
        number=$(cat "$dir/display.number" 2>/dev/null || true)
        [ -n "$number" ] && break
        sleep 0.1
    done
    [ -n "$number" ] || { echo "Xvfb did not start for $dir" >&2; return 1; }
    echo ":$number" >"$dir/display"
    export WINEPREFIX=$dir/prefix DISPLAY=:$number
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1
    # Xvfb has no window manager, and Wine waits up to 2 s for one each time it hides a managed window
    # (every dialog a test closes): unmanaged windows take focus from Wine itself, at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    for _ in $(seq 120); do
        services_up "$WINEPREFIX" && return 0
        sleep 0.5
    done
    echo "Wine's services did not start in $WINEPREFIX" >&2
    return 1
}

slot_down() {
    local dir=$1
    if [ -d "$dir/prefix" ]; then WINEPREFIX=$dir/prefix wineserver -k </dev/null >/dev/null 2>&1 || true; fi
    if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$dir/xvfb.pid" "$dir/display" "$dir/display.number"
}

case $action in
    up)
        count=${3:-1}
        mkdir -p "$folder"
        resources=
        for ((i = 0; i < count; i++)); do
            slot_up "$folder/slot-$i" &
        done
        status=0
        for ((i = 0; i < count; i++)); do wait -n || status=1; done
        [ $status -eq 0 ] || { echo "a Wine slot did not come up" >&2; exit 1; }
        for ((i = 0; i < count; i++)); do
            resources+="${resources:+,}{\"id\":\"$i\",\"slots\":1}"
        done
        echo "{\"version\":{\"major\":1,\"minor\":0},\"local\":[{\"wine\":[$resources]}]}" >"$folder/resources.json"
        echo "$count Wine slot(s) ready in $folder"
        ;;
    down)
        for dir in "$folder"/slot-*; do
            if [ -d "$dir" ]; then slot_down "$dir"; fi
        done
        ;;
    *)
        echo "usage: $0 up FOLDER COUNT | down FOLDER" >&2
        exit 2
        ;;
esac
