#!/usr/bin/env bash
# README's printed form and winding card, from the real output: the command
# line's --svg, made a PDF as the design window saves it (print_tool), and that
# PDF rendered by pdftoppm. Usage: scripts/print_samples.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cmake --build "$build" --target spirelle print_tool >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/app/spirelle" tune 1 15 365 --kind spider --row '#24' --svg "$work/form.svg" >/dev/null
"$build/app/spirelle" tune 2 15 365 --row '#20' --svg "$work/card.svg" >/dev/null
for name in form card; do
    QT_QPA_PLATFORM=offscreen "$build/scripts/print_tool" "$work/$name.svg" "$work/$name.pdf"
    pdftoppm -r 60 -png -singlefile "$work/$name.pdf" "docs/print-$name"
done
ls -l docs/print-*.png
