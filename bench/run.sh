#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the benchmarks need, builds them and runs them.
#
#   bench/run.sh                 both benchmarks
#   bench/run.sh handlers        the in-process handler benchmark only
#   bench/run.sh launch [ARGS]   the whole-process launch benchmark only; ARGS go to
#                                bench/launch.py (e.g. --runs 9 --idle 0)
#   bench/run.sh --update-doc    both, and their figures into bench/README.md; refused
#                                unless the tree is a commit as it stands (the README aside)
#
# Figures land in build-bench/bench-results/ as well as on the terminal, headed by
# the commit they come from (figures.md gathers them).
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
go_to_repo_root

BENCH_BUILD_DIR=build-bench
# The launch benchmark: a real X server and window manager (xprop tells when it is up), a
# session bus for the KDE program, Debian's python3 with python-xlib, and the two peers.
BENCH_PACKAGES=(
    xvfb openbox x11-utils dbus-daemon
    python3 python3-xlib
    kbruch gcompris-qt
)

DOC=bench/README.md
update_doc=false
if [[ ${1:-} == --update-doc ]]; then
    update_doc=true
    shift
    (($# == 0)) || die "--update-doc runs both benchmarks as they stand: no other arguments"
fi
what="${1:-all}"
case "$what" in
all | handlers | launch) shift || true ;;
*) die "unknown benchmark '$what' (all, handlers or launch)" ;;
esac
note_tree_at_start "$DOC"
if $update_doc; then
    require_committed_tree "$DOC"
fi

ensure_packages "${ANGOLI_BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
say "configuring $BENCH_BUILD_DIR/"
cmake -S . -B "$BENCH_BUILD_DIR" -DANGOLI_BENCH=ON -DBUILD_TESTING=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
say "building"
cmake --build "$BENCH_BUILD_DIR" -j"$(nproc)" \
    --target angoli --target bench_handlers --target bench_barewindow

results="$BENCH_BUILD_DIR/bench-results"
mkdir -p "$results"
rm -f "$results"/{handlers,launch}.{txt,tsv,json} "$results/figures.md"

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

# The figures of this run, headed by where they come from.
origin=$(figures_origin "$DOC")
command="bench/run.sh"
[[ $what == all ]] || command+=" $what"
(($# == 0)) || command+=" $*"
{
    echo "Figures of \`$command\` on $origin, run $(date -u '+%Y-%m-%d %H:%M UTC'):"
    if [[ -f "$results/handlers.tsv" ]]; then
        echo
        echo "Handlers, in process (\`bench_handlers\`; ms over at least 31 calls each):"
        echo
        echo "| handler | scale | median | min | max | calls | median with its repaint | flushed px |"
        echo "|---|---|---|---|---|---|---|---|"
        awk -F '\t' '{
            repaint = $7 < 0 ? "-" : sprintf("%.3f", $7)
            pixels = $8 < 0 ? "-" : $8
            printf "| %s | %s | %.3f | %.3f | %.3f | %s | %s | %s |\n", $2, $1, $3, $4, $5, $6, repaint, pixels
        }' "$results/handlers.tsv"
        echo
        echo "Clock ticks (\`clockTickRepaintsOnlyTheClock\`):"
        echo
        grep -E '^tick [0-9]+:' "$results/handlers.txt" | sed 's/^/    /'
    fi
    if [[ -f "$results/launch.txt" ]]; then
        echo
        echo "Whole processes (\`bench/launch.py\`):"
        echo
        sed 's/^/    /' "$results/launch.txt"
    fi
} >"$results/figures.md"
say "figures of $origin in $results/figures.md"
if $update_doc; then
    [[ "$origin" == "commit $commit_at_start" ]] ||
        die "the figures are of $origin; $DOC left as it was"
    replace_generated_block "$DOC" "$results/figures.md"
    say "figures written into $DOC"
fi
