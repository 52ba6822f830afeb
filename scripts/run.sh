#!/usr/bin/env bash
# Installs what is missing, builds, and starts Spirelle.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target spirelle
exec build/default/app/spirelle "$@"
