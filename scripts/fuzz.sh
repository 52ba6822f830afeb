#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset) and runs each for a while on a
# scratch copy of its seed corpus, so the committed corpus never changes.
# Exits non-zero if any target finds a crash, a sanitizer report or a broken
# check; the input that did it is kept under build/fuzz/findings/<target>/.
#
#   scripts/fuzz.sh [seconds-per-target]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds-per-target]" >&2
    exit 2
fi

targets=(fuzz_parse_number fuzz_command1 fuzz_command2 fuzz_command3 fuzz_cli)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
    corpus=$scratch/$target/corpus
    findings=build/fuzz/findings/$target
    log=$scratch/$target/log
    mkdir -p "$corpus" "$findings"
    cp fuzz/corpus/"$target"/* "$corpus"/

    dict=fuzz/$target.dict # the command line's words; the number tokens for the rest
    [ -f "$dict" ] || dict=fuzz/numbers.dict

    status=0
    build/fuzz/fuzz/"$target" "$corpus" \
        -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -dict="$dict" -artifact_prefix="$findings"/ >"$log" 2>&1 || status=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    if [ "$status" -ne 0 ] || [ -z "$executions" ]; then
        echo "$target: FAILED (exit $status)"
        tail -n 60 "$log"
        echo "(inputs kept in $findings)"
        failed+=("$target")
    else
        echo "$target: $executions executions in ${seconds}s, no findings"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Findings in: ${failed[*]}" >&2
    exit 1
fi
