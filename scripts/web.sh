#!/usr/bin/env bash
# Builds the web page into build/wasm/site (index.html, style.css, spirelle.js,
# which embeds the calculation core and page handlers as WebAssembly, the
# manifest with its icons and the service worker sw.js) and build/wasm/site.zip:
# the wasm preset through Debian's emscripten. Open build/wasm/site/index.html in
# a browser, or serve the folder: python3 -m http.server -d build/wasm/site
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten runs its tools with the installed Node, which finds
# their modules only here.
export NODE_PATH=/usr/share/nodejs
emcmake cmake --preset wasm >/dev/null
cmake --build --preset wasm
echo "The site: $PWD/build/wasm/site/index.html"
