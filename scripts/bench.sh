#!/usr/bin/env bash
# Builds the release preset, times the calculation core and the page handlers,
# then compares Spirelle's start-up with a bare Qt window of the same size (and
# with one that shows a label, a text box and a button): time to the first
# paint and peak memory, under Xvfb on the xcb platform.
# Usage: scripts/bench.sh [runs]   (runs of each start-up probe, 10 or more; default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
case $runs in
'' | *[!0-9]*) runs=0 ;;
esac
if [ "$runs" -lt 10 ]; then
    echo "usage: $0 [runs, 10 or more]" >&2
    exit 2
fi

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
bin=build/release/bench

echo
echo "== Calculation core and page handlers"
"$bin/core_bench" --benchmark_min_time=0.5 --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo
echo "== Start-up to the first paint, $runs runs each (Xvfb, xcb)"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    python3 bench/startup_runs.py --runs "$runs" --csv build/release/startup_runs.csv \
    "bare=$bin/bare_window" "bare+text=$bin/bare_window --text" "spirelle=$bin/startup_probe"
