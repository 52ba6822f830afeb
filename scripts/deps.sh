#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Spirelle needs to build, run and test,
# and only those that are missing: quick when everything is there; then the web
# test's axe-core from the npm registry, at the version tests/axe's lock file pins.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format clang-tidy
    xvfb xauth fonts-liberation2
    desktop-file-utils appstream dpkg-dev
    libcli11-dev nlohmann-json3-dev help2man man-db hyperfine
    libboost-math-dev libfast-float-dev ngspice
    qt6-svg-dev poppler-utils
    emscripten chromium chromium-driver python3-selenium
)
# A Node from elsewhere than Debian brings its own npm.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
axe() {
    local installed=tests/axe/node_modules/.package-lock.json
    [ -f "$installed" ] && [ "$installed" -nt tests/axe/package-lock.json ] && return 0
    npm ci --prefix tests/axe --no-audit --no-fund --loglevel=error
}
[ ${#missing[@]} -eq 0 ] && { axe; exit 0; }

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
# Another package manager (automatic updates on a desktop) may hold the lock.
# dpkg's lock is waited for by apt itself; the package lists' lock is not, so
# apt-get runs again while it reports a held lock, for ten minutes at most.
apt_get() {
    local deadline=$((SECONDS + 600)) said= out
    while :; do
        if out=$("${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@" 2>&1); then
            [ -n "$out" ] && printf '%s\n' "$out"
            return 0
        fi
        if ! grep -q 'Could not get lock' <<<"$out" || [ "$SECONDS" -ge "$deadline" ]; then
            printf '%s\n' "$out" >&2
            return 1
        fi
        [ -n "$said" ] || echo "Another package manager holds the lock; waiting for it (at most 10 minutes)..."
        said=1
        sleep 5
    done
}
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
axe
