#!/usr/bin/env bash
# Checks every program source as a Windows build sees it: MinGW-w64's g++ parses
# each .cpp with -fsyntax-only, so the code under #ifdef Q_OS_WIN (the registry
# back end, the ".exe" program command) is really compiled.
#
# Debian has no Qt built for Windows. The Linux Qt headers serve instead: Qt
# derives Q_OS_WIN from the compiler's own _WIN32, so with the MinGW compiler
# every Qt and project #ifdef takes its Windows branch, and <windows.h> comes
# from mingw-w64. Only the Qt build configuration (qconfig.h, the feature
# switches) stays the Linux one; our sources test no such switch.
#
# usage: scripts/check-windows-syntax.sh BUILD_DIR   (for the generated headers)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
cxx=x86_64-w64-mingw32-g++-posix
command -v "$cxx" >/dev/null || cxx=x86_64-w64-mingw32-g++
qt=$(dirname "$(find /usr/include -maxdepth 3 -type d -name QtCore -path '*qt6*' | head -n 1)")
[ -f "$build_dir/generated/Version.h" ] || { echo "no $build_dir/generated: build first" >&2; exit 2; }

flags=(-fsyntax-only -std=c++20 -DUNICODE -D_UNICODE -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB
       -I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtWidgets" -Isrc -I"$build_dir/generated")

# The guard itself: the compiler must see Windows, or the check proves nothing.
printf '#include <QtGlobal>\n#ifndef Q_OS_WIN\n#error not Windows\n#endif\n#include <windows.h>\n' \
    | "$cxx" "${flags[@]}" -x c++ -

# Paths without blanks (the Qt headers, the build folder) keep the flags one word list.
export cxx win_flags="${flags[*]}"
find src -name '*.cpp' -print0 | sort -z | xargs -0 -n 1 -P "$(nproc)" bash -c \
    'out=$($cxx $win_flags "$1" 2>&1) || { printf "FAILED: %s\n%s\n" "$1" "$out" >&2; exit 255; }' _
echo "Windows syntax check: $(find src -name '*.cpp' | wc -l) sources pass"
