#!/usr/bin/env bash
# "Open with" as a file manager does it: GLib reads the desktop entry, expands its Exec line with the
# folders and files chosen and starts the program. A stand-in named moravel on the PATH records how
# many arguments it is given and then each, one per line.
set -euo pipefail
dist="$1"
id="$2"
command -v gio >/dev/null || { echo "gio is not installed"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/現場 カード" "$work/card2"
: >"$work/現場 カード/20240401.LAC"
cat >"$work/bin/moravel" <<'STUB'
#!/bin/sh
exec >/dev/null 2>&1 </dev/null
{ echo "$#"; for a in "$@"; do printf '%s\n' "$a"; done; } | timeout 20 tee "$OPEN_WITH_OUT"
STUB
chmod +x "$work/bin/moravel"

mkfifo "$work/fifo"
launch() {
  OPEN_WITH_OUT="$work/fifo" PATH="$work/bin:$PATH" timeout 20 gio launch "$dist/$id.desktop" "$@"
  # gio starts the program and returns; what it records comes through the pipe, bounded.
  timeout 20 cat "$work/fifo" >"$work/out" || { echo "the program was not started for: $*"; exit 1; }
}

# One folder whose name has a space and Japanese: one argument, as it is.
launch "$work/現場 カード"
diff <(printf '%s\n' 1 "$work/現場 カード") "$work/out"
# Two folders chosen together reach one program, in their order.
launch "$work/現場 カード" "$work/card2"
diff <(printf '%s\n' 2 "$work/現場 カード" "$work/card2") "$work/out"
# A day file.
launch "$work/現場 カード/20240401.LAC"
diff <(printf '%s\n' 1 "$work/現場 カード/20240401.LAC") "$work/out"
# The entry does not take folders over from the file manager.
! grep -q '^MimeType=' "$dist/$id.desktop"
echo "Open with passes the chosen folders and files"
