#!/usr/bin/env bash
# Builds corvane-cli.exe and corvane.exe in folder DIR as `make windows` does (the engine's
# doctest programs and the window rows' probe included), with two more warnings for the
# Windows code, and corvane-filetool.exe, the helper of the Wine rows; then checks that both
# programs need no DLL but Windows' own.
#   build_cli.sh SOURCE DIR MINGW_CXX [COMPILER_LAUNCHER]
set -euo pipefail
source=$1
dir=$2
cxx=$3
launcher=${4:-}

if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$source" -B "$dir" -G Ninja --toolchain "$source/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_GUI=OFF -DCORVANE_BUILD_TESTS=OFF \
        -DCORVANE_BUILD_ENGINE_TESTS=ON \
        -DCORVANE_BUILD_BENCH=OFF -DCORVANE_WERROR=ON "-DCMAKE_CXX_FLAGS=-Wconversion -Wshadow" \
        ${launcher:+"-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher"} >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; exit 1; }
elif ! grep -q '^CORVANE_BUILD_ENGINE_TESTS:BOOL=ON$' "$dir/CMakeCache.txt"; then
    # A folder configured before the engine's tests existed.
    cmake -S "$source" -B "$dir" -DCORVANE_BUILD_ENGINE_TESTS=ON >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; exit 1; }
fi
cmake --build "$dir"

tool=$source/tests/windows/filetool.cpp
if [ ! "$dir/corvane-filetool.exe" -nt "$tool" ]; then
    "$cxx" -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -DNOMINMAX -DWIN32_LEAN_AND_MEAN -static -municode "$tool" \
        -o "$dir/corvane-filetool.exe"
fi

# Both programs need only Windows' own DLLs.
for exe in "$dir/app/corvane-cli.exe" "$dir/app/corvane.exe"; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
    foreign=$(grep -viE '^(kernel32|msvcrt|ucrtbase|advapi32|user32|gdi32|comctl32|comdlg32|winmm|shell32|ole32|oleaut32|oleacc|imm32|uxtheme|ntdll|bcrypt|ws2_32)\.dll$|^api-ms-win-' <<<"$dlls" || true)
    if [ -n "$foreign" ]; then
        echo "${exe##*/} needs DLLs that Windows does not have:"
        echo "$foreign"
        exit 1
    fi
    echo "${exe##*/}: $(stat -c %s "$exe") bytes, needs only" $dlls
done
