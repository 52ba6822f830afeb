#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite:
#   1. every test (core, handlers, widgets, soak, packaging, the web page in
#      headless Chromium) in the default build, after building the web page;
#   2. the same tests built with AddressSanitizer, UndefinedBehaviorSanitizer and leak detection;
#   3. the fuzz targets, FUZZ_SECONDS (default 20) each.
# With --quick, only the first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
echo "== web page"
scripts/web.sh

for preset in default asan; do
    echo "== $preset build and tests"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
    [ "${1:-}" = "--quick" ] && exit 0
done

echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
