#!/usr/bin/env bash
# Installs what the benchmarks need, builds them and runs them.
#
#   bench/run.sh                 both benchmarks
#   bench/run.sh handlers        the in-process handler benchmark only
#   bench/run.sh launch [ARGS]   the whole-process launch benchmark only; ARGS go to
#                                bench/launch.py (e.g. --runs 9 --idle 0)
#
# Figures land in build-bench/bench-results/ as well as on the terminal.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
go_to_repo_root

BENCH_BUILD_DIR=build-bench
# The launch benchmark: a real X server and window manager, a session bus for
# the KDE program, Debian's python3 with python-xlib, and the two peers.
BENCH_PACKAGES=(
    xvfb openbox dbus-daemon
    python3 python3-xlib
    kbruch gcompris-qt
)

what="${1:-all}"
case "$what" in
all | handlers | launch) shift || true ;;
*) die "unknown benchmark '$what' (all, handlers or launch)" ;;
esac

ensure_packages "${ANGOLI_BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
say "configuring $BENCH_BUILD_DIR/"
cmake -S . -B "$BENCH_BUILD_DIR" -DANGOLI_BENCH=ON -DBUILD_TESTING=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
say "building"
cmake --build "$BENCH_BUILD_DIR" -j"$(nproc)" \
    --target angoli --target bench_handlers --target bench_barewindow

results="$BENCH_BUILD_DIR/bench-results"
mkdir -p "$results"

if [[ "$what" == all || "$what" == handlers ]]; then
    say "handlers, in process on the offscreen platform, at scale 1 and 2"
    rm -f "$results/handlers.tsv"
    # Without QT_SCALE_FACTOR the program runs itself once per scale.
    env -u QT_SCALE_FACTOR QT_QPA_PLATFORM=offscreen ANGOLI_BENCH_TSV="$results/handlers.tsv" \
        "$BENCH_BUILD_DIR/bench/bench_handlers" | tee "$results/handlers.txt"
fi

if [[ "$what" == all || "$what" == launch ]]; then
    say "launch, memory and idle cost under Xvfb + openbox (a few minutes)"
    /usr/bin/python3 bench/launch.py \
        --angoli "$BENCH_BUILD_DIR/angoli" \
        --bare "$BENCH_BUILD_DIR/bench/bench_barewindow" \
        --json "$results/launch.json" "$@" | tee "$results/launch.txt"
fi
