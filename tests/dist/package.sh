#!/usr/bin/env bash
# The Debian packages of the build: made with CPack, unpacked into a scratch root, their files and
# moravel-cli checked, lintian without an error, and made again byte for byte the same.
set -euo pipefail
build="$1"
id="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export SOURCE_DATE_EPOCH=1765432100
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb="$(ls "$scratch"/out/moravel_*.deb)"
cli="$(ls "$scratch"/out/moravel-cli_*.deb)"
dpkg-deb -x "$deb" "$scratch/root"
dpkg-deb -x "$cli" "$scratch/root"
for f in usr/bin/moravel usr/bin/moravel-cli \
  "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/icons/hicolor/16x16/apps/$id.png" \
  "usr/share/icons/hicolor/256x256/apps/$id.png" \
  usr/share/man/man1/moravel.1.gz usr/share/man/man1/moravel-cli.1.gz \
  usr/share/bash-completion/completions/moravel-cli \
  usr/share/doc/moravel/copyright usr/share/doc/moravel/changelog.gz usr/share/doc/moravel/README.md \
  usr/share/moravel/sample-card/MORVEL.TXT usr/share/moravel/sample-card/20240401.LA; do
  [ -f "$scratch/root/$f" ] || { echo "the package lacks /$f"; dpkg-deb -c "$deb"; exit 1; }
done
# Every picture the README shows is beside it, where its link points.
grep -o '](docs/[^)]*)' "$scratch/root/usr/share/doc/moravel/README.md" | sed 's/^](//; s/)$//' |
  while read -r picture; do
    [ -f "$scratch/root/usr/share/doc/moravel/$picture" ] ||
      { echo "the README shows $picture, which the package lacks"; exit 1; }
  done
# The copyright file in Debian's machine-readable format.
head -1 "$scratch/root/usr/share/doc/moravel/copyright" |
  grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
  { echo "the copyright file is not in the machine-readable format"; exit 1; }
version="$("$scratch/root/usr/bin/moravel-cli" version)"
[ "$version" = "1.0.1.6" ] || { echo "the packaged moravel-cli says \"$version\""; exit 1; }
# The sample card is a card the application takes: three days, and sound.
days="$("$scratch/root/usr/bin/moravel-cli" days "$scratch/root/usr/share/moravel/sample-card" | tr '\n' ' ')"
[ "$days" = "20240401 20240402 20240403 " ] || { echo "the sample card's days: $days"; exit 1; }
"$scratch/root/usr/bin/moravel-cli" check "$scratch/root/usr/share/moravel/sample-card" >/dev/null ||
  { echo "the sample card does not pass check"; exit 1; }
# The library dependencies come from dpkg-shlibdeps. The command line needs no widgets and no
# translations of Qt's dialogs; the application needs the command line's package of its version.
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libblkid1 libc6; do
  grep -q "$lib (>= " <<<"$depends" || { echo "Depends lacks $lib: $depends"; exit 1; }
done
grep -q "moravel-cli (= 1.0.1.6)" <<<"$depends" || { echo "moravel does not depend on moravel-cli: $depends"; exit 1; }
cli_depends="$(dpkg-deb -f "$cli" Depends)"
for lib in libqt6core6 libqt6gui6; do
  grep -q "$lib (>= " <<<"$cli_depends" || { echo "moravel-cli's Depends lacks $lib: $cli_depends"; exit 1; }
done
if grep -Eq "widgets|printsupport|translations" <<<"$cli_depends"; then
  echo "moravel-cli pulls what only the application needs: $cli_depends"; exit 1
fi
[ ! -e "$scratch/root/usr/share/doc/moravel-cli/copyright" ] && { echo "moravel-cli has no copyright file"; exit 1; }
# Made again: the same bytes.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/again" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
# The debugging symbols in packages of their own; the programs stripped.
for f in "$scratch"/out/moravel-dbgsym_*.ddeb "$scratch"/out/moravel-cli-dbgsym_*.ddeb; do
  [ -f "$f" ] || { echo "no debugging symbols package: $(ls "$scratch/out")"; exit 1; }
done
file -b "$scratch/root/usr/bin/moravel-cli" | grep -q ", stripped" || { echo "moravel-cli is not stripped"; exit 1; }
for f in "$deb" "$cli"; do
  cmp -s "$f" "$scratch/again/$(basename "$f")" || { echo "$(basename "$f") differs when made again"; exit 1; }
done
lintian --fail-on error --suppress-tags running-with-root-privileges "$deb" "$cli" 2>&1 | grep -v "^running with root" || true
lintian --fail-on error "$deb" "$cli" >/dev/null 2>&1 || { echo "lintian found errors"; exit 1; }
echo "$(basename "$deb"): $(dpkg-deb -c "$deb" | wc -l) entries, $(basename "$cli"): $(dpkg-deb -c "$cli" | wc -l) entries"
