#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite:
#   0. (not with --quick) every C++ file formatted as .clang-format says;
#   1. every test (core, handlers, widgets, soak, packaging, the web page in
#      headless Chromium) in the default build (warnings are errors), after
#      building the web page; then (not with --quick) clang-tidy's checks over
#      its compile commands and the web page's;
#   2. the same tests built with AddressSanitizer, UndefinedBehaviorSanitizer and leak detection;
#   3. the command line configured without Qt: built, tested and installed;
#   4. the fuzz targets, FUZZ_SECONDS (default 20) each.
# With --quick, only the first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
if [ "${1:-}" != "--quick" ]; then
    echo "== formatting (clang-format)"
    scripts/lint.sh format
fi
echo "== web page"
scripts/web.sh

for preset in default asan; do
    echo "== $preset build and tests"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
    [ "${1:-}" = "--quick" ] && exit 0
    if [ "$preset" = default ]; then
        echo "== the analyser (clang-tidy)"
        scripts/lint.sh tidy
    fi
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
