#!/usr/bin/env bash
# The desktop entry and the metainfo as the desktops and software centres read them.
set -euo pipefail
dist="$1"
id="$2"
out="$(desktop-file-validate "$dist/$id.desktop" 2>&1)" || { echo "$out"; exit 1; }
# Hints are not problems; anything else desktop-file-validate says is.
if grep -v ': hint: ' <<<"$out" | grep -q .; then echo "$out"; exit 1; fi
appstreamcli validate --no-net --explain "$dist/$id.metainfo.xml"
grep -q "^Name=もらべる$" "$dist/$id.desktop"
grep -q "^Exec=moravel %F$" "$dist/$id.desktop"
grep -q "^Categories=Science;Utility;$" "$dist/$id.desktop"
grep -q '<release version="1.0.1.6"' "$dist/$id.metainfo.xml"
grep -q '<content_rating type="oars-1.1"/>' "$dist/$id.metainfo.xml"
echo "desktop entry and metainfo valid"
