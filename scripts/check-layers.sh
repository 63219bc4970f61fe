#!/usr/bin/env bash
# Fails when a source file includes from a folder above its own. The folders'
# order, bottom first; app and cli stand side by side at the top. A window,
# dialog or widget may also include another folder's window, dialog or widget.
# Also fails on a Q_OS_WIN check outside src/platform/.
# usage: scripts/check-layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(platform game colors animation transforms script wizard settings about "app cli")
declare -A rank
for i in "${!layers[@]}"; do
    for folder in ${layers[$i]}; do rank[$folder]=$i; done
done

is_window() { [[ $(basename "${1%.*}") =~ (Window|Dialog|Widget)$ ]]; }

status=0
for file in src/*/*.cpp src/*/*.h; do
    folder=$(basename "$(dirname "$file")")
    [ -n "${rank[$folder]+set}" ] || { echo "$file: folder '$folder' has no place in the layers" >&2; status=1; continue; }
    while IFS=: read -r line included; do
        target=${included%%/*}
        [ -n "${rank[$target]+set}" ] || continue  # a generated header or a file of its own folder
        [ "$target" = "$folder" ] && continue
        [ "${rank[$target]}" -lt "${rank[$folder]}" ] && continue
        is_window "$file" && is_window "$included" && continue
        echo "$file:$line: includes $included from a folder above or beside its own" >&2
        status=1
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]+"' "$file" |
             sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
done
# Platform checks live in one folder: the rest of the code asks it (platform/Platform.h).
while IFS= read -r found; do
    echo "$found: a platform check outside src/platform/" >&2
    status=1
done < <(grep -n -E '^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif).*Q_OS_WIN' src/*/*.cpp src/*/*.h src/main.cpp |
         grep -v '^src/platform/' || true)
[ $status -eq 0 ] && echo "layers: every include points down; platform checks only in src/platform/"
exit $status
