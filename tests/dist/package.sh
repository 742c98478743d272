#!/usr/bin/env bash
# The Debian package of the build: made with CPack, unpacked into a scratch root, its files and its
# moravel-cli checked, and lintian without an error.
set -euo pipefail
build="$1"
id="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb="$(ls "$scratch"/out/moravel_*.deb)"
dpkg-deb -x "$deb" "$scratch/root"
for f in usr/bin/moravel usr/bin/moravel-cli \
  "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/icons/hicolor/16x16/apps/$id.png" \
  "usr/share/icons/hicolor/256x256/apps/$id.png" \
  usr/share/man/man1/moravel.1.gz usr/share/man/man1/moravel-cli.1.gz \
  usr/share/bash-completion/completions/moravel-cli \
  usr/share/doc/moravel/copyright usr/share/doc/moravel/changelog.gz; do
  [ -f "$scratch/root/$f" ] || { echo "the package lacks /$f"; dpkg-deb -c "$deb"; exit 1; }
done
version="$("$scratch/root/usr/bin/moravel-cli" version)"
[ "$version" = "1.0.1.6" ] || { echo "the packaged moravel-cli says \"$version\""; exit 1; }
# The library dependencies come from dpkg-shlibdeps.
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libblkid1 libc6; do
  grep -q "$lib (>= " <<<"$depends" || { echo "Depends lacks $lib: $depends"; exit 1; }
done
lintian --fail-on error --suppress-tags running-with-root-privileges "$deb" 2>&1 | grep -v "^running with root" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || { echo "lintian found errors"; exit 1; }
echo "$(basename "$deb"): $(dpkg-deb -c "$deb" | wc -l) entries"
