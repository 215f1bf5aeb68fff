#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser face's benchmark: builds the site and the bare page (bench/web/bare.cpp, on the
# game's own emscripten flags) and measures both side by side in headless Chromium: bytes of a
# first visit, time to the name dialog and from OK to the first disc, memory.
#   bench/web/run.sh [--runs N]
# The table is printed and written to build-web/bench-results/web.md (every run in web.json).
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
go_to_repo_root

ensure_packages "${ANGOLI_WEB_PACKAGES[@]}" "${ANGOLI_WEB_TEST_PACKAGES[@]}"
scripts/web
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
if ! grep -qx "ANGOLI_BENCH:BOOL=ON" "$ANGOLI_WEB_BUILD_DIR/CMakeCache.txt"; then
    cmake -S . -B "$ANGOLI_WEB_BUILD_DIR" -DANGOLI_BENCH=ON >/dev/null
fi
say "building the bare page"
cmake --build "$ANGOLI_WEB_BUILD_DIR" -j2 --target bench_web_bare
say "measuring (every run a first visit in a fresh profile)"
/usr/bin/python3 bench/web/run.py --site "$ANGOLI_WEB_BUILD_DIR/site" \
    --bare "$ANGOLI_WEB_BUILD_DIR/bench-bare" --out "$ANGOLI_WEB_BUILD_DIR/bench-results" "$@"
