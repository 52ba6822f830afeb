#!/usr/bin/env bash
# Builds the .deb and .tar.gz, installs the .deb into a scratch root and checks
# what lands there: the program, the desktop entry, the metainfo, the icons,
# the manual page and the bash completion; then runs a command of the
# extracted program with no display.
# Usage: package_test.sh <build-dir>
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/spirelle_*.deb)
ls "$scratch"/out/spirelle-*.tar.gz >/dev/null

dpkg-deb -x "$deb" "$scratch/root"
id=org.example.Spirelle
for f in usr/bin/spirelle \
         usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/$id.png \
         usr/share/icons/hicolor/32x32/apps/$id.png \
         usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/man/man1/spirelle.1 \
         usr/share/bash-completion/completions/spirelle; do
    [ -s "$scratch/root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done
[ -x "$scratch/root/usr/bin/spirelle" ] || { echo "spirelle is not executable"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins "fonts-liberation2 | fonts-liberation"; do
    grep -qF "$lib" <<<"$depends" || { echo "Depends lacks $lib"; exit 1; }
done

# The manual page renders without a warning.
warnings=$(MANWIDTH=80 man --warnings -l "$scratch/root/usr/share/man/man1/spirelle.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man warns about spirelle.1:"; echo "$warnings"; exit 1; }

# The command line needs no display: no DISPLAY, no Wayland, no platform plugin chosen.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/spirelle" tune 2 15 365)
grep -q "350.6 uH tunes 1700 kHz" <<<"$out" || { echo "spirelle tune printed:"; echo "$out"; exit 1; }
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/root/usr/bin/spirelle" --version)
grep -q "^spirelle 1.0$" <<<"$version" || { echo "spirelle --version printed: $version"; exit 1; }
# A full disk is a failure, not a silent success.
if "$scratch/root/usr/bin/spirelle" lc 240 100 >/dev/full 2>/dev/null; then
    echo "spirelle reported success writing to a full disk"; exit 1
fi
# An option that is not Qt's is a usage error, display or not; Qt's own still reach the window.
for display in "" ":$((RANDOM + 100))"; do
    status=0
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$scratch/root/usr/bin/spirelle" --xyz >/dev/null 2>&1 ||
        status=$?
    [ "$status" -eq 2 ] || { echo "spirelle --xyz with DISPLAY='$display' exited $status, not 2"; exit 1; }
done
# The program itself loads no Qt: only the window module does.
if ldd "$scratch/root/usr/bin/spirelle" | grep -q libQt6; then
    echo "spirelle links Qt itself"; exit 1
fi
# The window starts from the package, its module found from the program's own folder:
# still running after 3 s on the offscreen platform, Qt's own options passed on to it.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$scratch/root/usr/bin/spirelle" -style fusion -reverse >"$scratch/window.log" 2>&1 ||
    status=$?
[ "$status" -eq 124 ] || { echo "the window did not start from the package (exit $status):"; cat "$scratch/window.log"; exit 1; }
# A display that cannot be opened is one line and exit 1, never Qt's abort.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
status=0
msg=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$display" "$scratch/root/usr/bin/spirelle" 2>&1) || status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$msg")" -eq 1 ] && grep -q "display :$display" <<<"$msg" ||
    { echo "with no X server on :$display (exit $status):"; echo "$msg"; exit 1; }

desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$scratch/root/usr/share/metainfo/$id.metainfo.xml"
echo "package ok: $(basename "$deb")"
