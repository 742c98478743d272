#!/usr/bin/env bash
# The folders of the sources include each other without a cycle and only app includes app/; the
# check itself fails on a tree that breaks either rule.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/layers" "$root/src" >/dev/null
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/app" "$tree/data" "$tree/graph"
printf '#include "data/A.h"\n' >"$tree/app/Main.cpp"
printf '#include "common/B.h"\n' >"$tree/data/A.h"
printf '#include "data/A.h"\n' >"$tree/graph/G.h"
"$root/scripts/layers" "$tree" >/dev/null
printf '#include "graph/G.h"\n' >>"$tree/data/A.h"
if "$root/scripts/layers" "$tree" >/dev/null 2>"$tree/err"; then
  echo "a cycle data -> graph -> data passed" >&2
  exit 1
fi
grep -q "cycle" "$tree/err"
sed -i '$d' "$tree/data/A.h"
printf '#include "app/Main.h"\n' >"$tree/graph/G.h"
if "$root/scripts/layers" "$tree" >/dev/null 2>"$tree/err"; then
  echo "an include of app/ from graph passed" >&2
  exit 1
fi
grep -q "graph includes app/" "$tree/err"
echo "layers: ok"
