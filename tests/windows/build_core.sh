#!/usr/bin/env bash
# Compiles every file of the core for 64-bit Windows with the project's warnings as errors and
# links them with a program that opens, reads and saves a demo file, so that the Win32 branch
# of FileOps.cpp is checked on every change even where Windows is not at hand.
set -euo pipefail
cxx=$1
core=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

flags=(-std=c++20 -Wall -Wextra -Wpedantic -Werror -Wconversion -Wshadow -O2 -I"$core")
for src in "$core"/*.cpp; do
    "$cxx" "${flags[@]}" -c "$src" -o "$work/$(basename "$src" .cpp).o"
done
cat > "$work/probe.cpp" <<'CPP'
#include <cstdio>

#include "DemoFile.h"

int main(int argc, char** argv) {
    try {
        const corvane::PatchValues values = corvane::ReadPatch(argc > 1 ? argv[1] : "pes2012.exe");
        corvane::WritePatch(argc > 1 ? argv[1] : "pes2012.exe", values);
        std::printf("%d\n", values.teams[0]);
    } catch (const std::exception& e) {
        std::printf("%s\n", e.what());
        return 1;
    }
    return 0;
}
CPP
"$cxx" "${flags[@]}" "$work/probe.cpp" "$work"/*.o -static -o "$work/probe.exe"
echo "the core builds for Windows with $(basename "$cxx")"
