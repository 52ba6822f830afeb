#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite:
#   1. every test (core, handlers, widgets, soak, packaging, the web page in
#      headless Chromium) in the default build, after building the web page;
#   2. the same tests built with AddressSanitizer, UndefinedBehaviorSanitizer and leak detection;
#   3. the command line configured without Qt: built, tested and installed;
#   4. the fuzz targets, FUZZ_SECONDS (default 20) each.
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

echo "== the command line alone: configured without Qt, built, tested, installed"
cmake -S . -B build/no-qt -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPIRELLE_GUI=OFF \
      -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DSPIRELLE_BENCH=OFF >/dev/null
cmake --build build/no-qt
ctest --test-dir build/no-qt --output-on-failure -j2
rm -rf build/no-qt/root
cmake --install build/no-qt --prefix build/no-qt/root >/dev/null
build/no-qt/root/bin/spirelle lc 240 100 >/dev/null

echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
