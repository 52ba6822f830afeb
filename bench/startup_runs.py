#!/usr/bin/env python3
"""Runs start-up probes in turn and compares them.

Usage: startup_runs.py [--runs N] [--csv FILE] NAME=COMMAND ... NAME=COMMAND

Each probe shows its window, prints key=value lines once the window has been
painted for the first time, and exits (see first_paint.h). All run on the
display already set in the environment (scripts/bench.sh starts Xvfb). One run
of each comes first as a warm-up and is not counted; then they take turns, N
runs each, every round starting with the next one, with a short pause before
each run. Prints, for each, the median and the spread (min-max) of the
first-paint time, of the CPU time by then and of the peak resident set, and the ratios of the medians
of the last probe over each of the others. The first probe is the reference:
the last one should stay within LIMIT times of it.
"""

import argparse
import os
import shlex
import statistics
import subprocess
import sys
import time

LIMIT = 1.15

METRICS = [
    ("first-paint-ms", "first paint, ms since process start"),
    ("spawn-first-paint-ms", "first paint, ms since spawn"),
    ("cpu-first-paint-ms", "CPU time to first paint, ms"),
    ("cpu-user-ms", "  of which in the program, ms"),
    ("cpu-system-ms", "  of which in the kernel, ms"),
    ("minor-faults", "  minor page faults by then"),
    ("peak-rss-kb", "peak RSS, kB"),
    ("rssanon-kb", "  of which anonymous (heap...), kB"),
    ("rssfile-kb", "  of which file-backed (code, fonts), kB"),
]


def run_once(command):
    env = dict(os.environ)
    # The launcher's clock just before the start, for a span without the
    # clock-tick rounding of /proc/<pid>/stat.
    env["SPIRELLE_BENCH_SPAWN_NS"] = str(time.clock_gettime_ns(time.CLOCK_BOOTTIME))
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True, timeout=60)
    values = {}
    for line in done.stdout.splitlines():
        key, sep, value = line.partition("=")
        if sep:
            values[key.strip()] = value.strip()
    if done.returncode != 0 or "first-paint-ms" not in values:
        sys.exit(f"{shlex.join(command)} failed (exit {done.returncode}):\n{done.stdout}{done.stderr}")
    return values


def numbers(runs, key):
    return [float(r[key]) for r in runs if key in r]


def fmt(x):
    return f"{x:.0f}" if x >= 1000 else f"{x:.1f}"


def spread(values):
    return f"{fmt(statistics.median(values))} ({fmt(min(values))}-{fmt(max(values))})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--csv", help="also write every run's figures here")
    parser.add_argument("--pause", type=float, default=0.1,
                        help="seconds to wait before each run, for the display server to finish with the last one")
    parser.add_argument("probes", nargs="+", metavar="NAME=COMMAND")
    args = parser.parse_args()
    if args.runs < 1:
        parser.error("--runs must be at least 1")
    probes = []
    for probe in args.probes:
        name, sep, command = probe.partition("=")
        if not sep or not command:
            parser.error(f"not NAME=COMMAND: {probe}")
        probes.append((name, shlex.split(command)))
    if len(probes) < 2:
        parser.error("give at least two probes")

    for _, command in probes:  # warm-up: page cache, fontconfig, the X server
        run_once(command)
    results = {name: [] for name, _ in probes}
    for round_ in range(args.runs):
        # Each round starts with the next probe, so that each follows each other equally often.
        start = round_ % len(probes)
        for name, command in probes[start:] + probes[:start]:
            time.sleep(args.pause)
            results[name].append(run_once(command))

    names = [name for name, _ in probes]
    reference, subject = names[0], names[-1]
    print(f"{args.runs} runs of each, in turn (rotating), {args.pause:g} s apart, after one warm-up run each")
    sizes = {name: sorted({r.get("window", "?") for r in results[name]}) for name in names}
    print("window sizes: " + ", ".join(f"{name} {'/'.join(s)}" for name, s in sizes.items()))
    if len({tuple(s) for s in sizes.values()}) > 1:
        print("warning: the windows differ in size")
    ticks = {r.get("clock-tick-ms") for rs in results.values() for r in rs}
    print(f"process start from /proc/<pid>/stat, in clock ticks of {'/'.join(sorted(ticks))} ms, rounded down;"
          " spawn: the launcher's clock just before it started the probe")

    others = names[:-1]
    print()
    header = f"{'median (min-max)':42}" + "".join(f"{name:>22}" for name in names) \
        + "".join(f"{subject + '/' + other:>20}" for other in others)
    print(header)
    over = []
    for key, label in METRICS:
        columns = [numbers(results[name], key) for name in names]
        if not all(columns):
            continue
        medians = [statistics.median(c) for c in columns]
        ratios = [medians[-1] / m for m in medians[:-1]]
        print(f"{label:42}" + "".join(f"{spread(c):>22}" for c in columns)
              + "".join(f"{r:>20.2f}" for r in ratios))
        if key in ("first-paint-ms", "spawn-first-paint-ms", "cpu-first-paint-ms", "peak-rss-kb") and ratios[0] > LIMIT:
            over.append((label, ratios[0]))

    # Where the time goes: the steps each probe marks, ms since the top of main().
    print()
    print("steps, median ms since the top of main() (main() itself: since spawn)")
    steps = ["spawn-main-ms"]
    for name in names:
        for r in results[name]:
            steps += [k for k in r if k.startswith("step.") and k not in steps]
    for key in steps:
        label = "main" if key == "spawn-main-ms" else key[len("step."):-len("-ms")]
        cells = []
        for name in names:
            values = numbers(results[name], key)
            cells.append(f"{statistics.median(values):.2f}" if values else "-")
        print(f"  {label:40}" + "".join(f"{c:>22}" for c in cells))

    if args.csv:
        keys = sorted({k for rs in results.values() for r in rs for k in r})
        with open(args.csv, "w") as out:
            out.write(",".join(["probe", "run"] + keys) + "\n")
            for name in names:
                for i, r in enumerate(results[name]):
                    out.write(",".join([name, str(i)] + [r.get(k, "") for k in keys]) + "\n")
        print(f"\nevery run: {args.csv}")

    print()
    for label, ratio in over:
        print(f"over {LIMIT:.2f} x {reference}: {subject} {label.strip()} ({ratio:.2f} x)")
    if not over:
        print(f"{subject} within {LIMIT:.2f} x {reference} on time and memory")


if __name__ == "__main__":
    main()
