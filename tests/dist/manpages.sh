#!/usr/bin/env bash
# The manual pages format without a warning and name every command and option moravel-cli has.
set -euo pipefail
cli="$1"
pages="$2"
for page in moravel moravel-cli; do
  warnings="$(groff -k -man -ww -z -Tutf8 "$pages/$page.1" 2>&1)"
  [ -z "$warnings" ] || { echo "$page.1: $warnings"; exit 1; }
done
text="$(groff -k -man -Tutf8 "$pages/moravel-cli.1" 2>/dev/null | sed 's/.\x08//g')"
missing=0
commands="$(LANG=C "$cli" --help | sed -n '/^commands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')"
[ "$(wc -w <<<"$commands")" -ge 10 ] || { echo "no commands in the help: $commands"; exit 1; }
for command in $commands; do
  grep -q "^       $command" <<<"$text" || { echo "moravel-cli.1 lacks the command $command"; missing=1; }
  for option in $(LANG=C "$cli" "$command" --help | grep -o -- '--[a-z0-9-]*' | sort -u); do
    grep -q -- "$option" <<<"$text" || { echo "moravel-cli.1 lacks $option of $command"; missing=1; }
  done
done
for section in "EXIT STATUS" "EXAMPLES" "ENVIRONMENT"; do
  grep -q "^$section" <<<"$text" || { echo "moravel-cli.1 lacks $section"; missing=1; }
done
for code in 0 1 2; do
  grep -Eq "^       $code( |$)" <<<"$text" || { echo "moravel-cli.1 lacks the exit status $code"; missing=1; }
done
[ "$missing" -eq 0 ] && echo "the manual pages cover $(wc -w <<<"$commands") commands"
