#!/usr/bin/env bash
# The house's habits, checked over the C++ of calc/, forms/, pages/, cli/, ui/, app/,
# web/ and of the tests, benchmarks, fuzz targets and scripts:
#   scripts/lint.sh format        every file formatted as .clang-format says
#   scripts/lint.sh format --fix  formats them in place
#   scripts/lint.sh tidy          clang-tidy's checks (.clang-tidy) without a
#                                 finding in calc/, forms/, pages/, cli/, ui/, app/
#                                 (build/default's compile commands) and web/
#                                 (build/wasm's, when the web page is built)
# Exit status 1 on a misformatted line or a finding.
set -euo pipefail
cd "$(dirname "$0")/.."

cpp_files() {
    git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print
}

case "${1:-}" in
format)
    if [ "${2:-}" = "--fix" ]; then
        cpp_files | xargs clang-format -i
    else
        cpp_files | xargs clang-format --dry-run -Werror
    fi
    ;;
tidy)
    [ -f build/default/compile_commands.json ] || cmake --preset default >/dev/null
    jobs=$(nproc)
    # Qt's generated sources (moc) are not the house's: only the floors' own files.
    log=$(mktemp)
    status=0
    run-clang-tidy -quiet -j "$jobs" -p build/default '/(calc|forms|pages|cli|ui|app)/[^/]+\.cpp$' >"$log" 2>&1 || status=1
    sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E -A4 '(warning|error):' || true
    rm -f "$log"
    if [ -f build/wasm/compile_commands.json ]; then
        # The web binding is compiled by em++: the same clang, told emscripten's target and system root.
        sysroot=/usr/share/emscripten/cache/sysroot
        extra=()
        for arg in --target=wasm32-unknown-emscripten "--sysroot=$sysroot" -DEMSCRIPTEN -D__EMSCRIPTEN__ \
                   -D_LIBCPP_ABI_VERSION=2 -D__unix__ -fignore-exceptions -Xclang -iwithsysroot/include/compat; do
            extra+=("--extra-arg=$arg")
        done
        clang-tidy --quiet -p build/wasm "${extra[@]}" web/*.cpp 2>/dev/null || status=1
    fi
    exit "$status"
    ;;
*)
    echo "usage: scripts/lint.sh format [--fix] | tidy" >&2
    exit 2
    ;;
esac
