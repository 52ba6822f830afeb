#!/usr/bin/env bash
# Builds the .deb and .tar.gz, installs the .deb into a scratch root and checks
# what lands there: the program, the desktop entry, the metainfo and the icons.
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
         usr/share/icons/hicolor/scalable/apps/$id.svg; do
    [ -s "$scratch/root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done
[ -x "$scratch/root/usr/bin/spirelle" ] || { echo "spirelle is not executable"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins "fonts-liberation2 | fonts-liberation"; do
    grep -qF "$lib" <<<"$depends" || { echo "Depends lacks $lib"; exit 1; }
done

desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$scratch/root/usr/share/metainfo/$id.metainfo.xml"
echo "package ok: $(basename "$deb")"
