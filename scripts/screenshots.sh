#!/usr/bin/env bash
# Screenshots of the real window, one per page, and of the About dialog, taken
# under Xvfb on the xcb platform into docs/. Usage: scripts/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cmake --build "$build" --target screenshot_tool >/dev/null
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$build/scripts/screenshot_tool" docs
# High-DPI: at twice the scale everything doubles and nothing may clip.
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$build/scripts/screenshot_tool" docs @2x
ls -l docs/*.png
