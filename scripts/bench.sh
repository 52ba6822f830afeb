#!/usr/bin/env bash
# Builds the release preset, times the calculation core and the page handlers,
# the command line (a sweep of 100,000 coils in-process, and as a process in each format: peak memory
# with /usr/bin/time -v and time with hyperfine; one tune and one wind in-process, a sweep of 8,281 tune
# designs; `spirelle --version` against /bin/true), then compares Spirelle's start-up with a bare Qt
# window of the same size (and with one that shows a label, a text box and a
# button): time to the first paint and peak memory, under Xvfb on the xcb platform.
# Last, the web page in headless Chromium (bench/web_bench.py).
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
echo "== Command line in-process: 100,000 coils (600,000 rows) as CSV; one tune and one wind"
"$bin/cli_bench"

echo
echo "== Command line: 100,000 coils (1000 diameters x 100 turns, 600,000 rows) in each format"
spirelle=build/release/app/spirelle
sweep="$spirelle coil 0.01:10:0.01 1:100:1"
for format in --csv "" --json; do
    # Peak resident memory (the output streams: it stays flat) and CPU time.
    /usr/bin/time -v $sweep $format 2>&1 >/dev/null |
        awk -v f="${format:-table}" '/Maximum resident/ {rss = $6} /User time/ {u = $4} /System time/ {s = $4}
            END {printf "%-7s peak RSS %.1f MB, CPU %.2f s (%.2f us a coil)\n", f, rss / 1024, u + s, (u + s) * 10}'
done
hyperfine -N --warmup 1 --runs 5 --export-json build/release/sweep.json \
    "$sweep --csv" "$sweep" "$sweep --json"
python3 - build/release/sweep.json <<'PY'
import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    name = r["command"].split()[-1] if r["command"].endswith("json") or r["command"].endswith("csv") else "table"
    cpu = r["user"] + r["system"]
    print(f"{name:>7}: {cpu / 1e5 * 1e6:.2f} us of CPU a coil, {r['mean'] / 1e5 * 1e6:.2f} us elapsed "
          f"(mean {r['mean']:.3f} s, user {r['user']:.3f} s, system {r['system']:.3f} s)")
PY

echo
echo "== Command line: tune, 8,281 designs (91 diameters x 91 CMIN) of 6 wires, as the table and as CSV"
hyperfine -N --warmup 1 --runs 10 \
    "$spirelle tune 1:10:0.1 10:100:1 365" "$spirelle tune 1:10:0.1 10:100:1 365 --csv"

echo
echo "== Command line start-up: spirelle --version against /bin/true"
env -u DISPLAY hyperfine -N --warmup 20 --runs 300 /bin/true "$spirelle --version"

echo
echo "== Start-up to the first paint, $runs runs each (Xvfb, xcb)"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    python3 bench/startup_runs.py --runs "$runs" --csv build/release/startup_runs.csv \
    "bare=$bin/bare_window" "bare+text=$bin/bare_window --text" "spirelle=$bin/startup_probe"

echo
echo "== Web page in headless Chromium: size, navigation to interactive, one press"
scripts/web.sh >/dev/null
/usr/bin/python3 bench/web_bench.py
