#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows benchmarks under Wine: builds the bare window beside angoli.exe (scripts/windows
# builds that), then times both and gives sizes. Usage: bench/wine/run.sh [runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
[[ -f build-win64/angoli.exe ]] || scripts/windows
mkdir -p build-win64/bench
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -municode -mwindows -static -s \
    bench/wine/barewindow.cpp -o build-win64/bench/barewindow.exe
/usr/bin/python3 bench/wine/launch.py build-win64/angoli.exe build-win64/bench/barewindow.exe \
    --runs "${1:-7}"
for exe in build-win64/angoli.exe build-win32/angoli.exe; do
    [[ -f "$exe" ]] && printf '%s: %s bytes (limit 3 MiB = 3145728)\n' "$exe" "$(stat -c %s "$exe")"
done
