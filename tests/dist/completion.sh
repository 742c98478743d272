#!/usr/bin/env bash
# The completion of moravel-cli for bash: commands, options of the command, values of options,
# directories and files where they go.
set -uo pipefail
source /usr/share/bash-completion/bash_completion 2>/dev/null || true
source "$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/card" "$scratch/cards" "$scratch/my card" "$scratch/現場/日報"
touch "$scratch/cardfile.pdf" "$scratch/card.png" "$scratch/cardnotes.txt" "$scratch/my card/r.PDF"
cd "$scratch"
failed=0

complete_line() { # the words of a command line whose last word is being completed
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  # The line as typed: a space inside a word escaped.
  local w line=""
  for w in "$@"; do line+="${line:+ }${w// /\\ }"; done
  COMP_LINE="$line"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _moravel_cli moravel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//'
}

expect() {
  local want="$1"
  shift
  local got
  got="$(complete_line "$@")"
  if [ "$got" != "$want" ]; then
    echo "moravel-cli ${*:2}: got \"$got\", want \"$want\""
    failed=1
  fi
}

expect "capacity check csv" moravel-cli c
expect "settings summary" moravel-cli s
expect "--channel" moravel-cli graph card out.png --ch
expect "--set" moravel-cli settings card --se
expect "--summary" moravel-cli report card r.pdf --day 20210301 --su
expect "full graph table" moravel-cli report card r.pdf --kind ""
expect "csv json text" moravel-cli summary card --format ""
expect "S V" moravel-cli graph card g.png --channel ""
expect "10min 10s 1h 1min 1s" moravel-cli levels card --day 20210301 --step ""
expect "--step" moravel-cli levels card --st
expect "L05 L10 L50 L90 L95 Leq Lmax Lmin" moravel-cli report card r.pdf --vibration-level ""
expect "L05,L10 L05,L50 L05,L90 L05,L95 L05,Le L05,Leq L05,Lmax L05,Lmin" moravel-cli graph card g.png --series L05,L
expect "Leq,Le,Lmax Leq,Le,Lmin" moravel-cli report card r.pdf --series Leq,Le,Lm
expect "noise-reference= noise-regulation= notices=" moravel-cli settings card --set no
expect "card card.png cardfile.pdf cards" moravel-cli report card ca
expect "card cardfile.pdf cards" moravel-cli verify ca
expect "card cards" moravel-cli csv card ca
expect "card cards" moravel-cli days ca
# Names with a space or in Japanese, and into a directory.
expect "my card" moravel-cli days my
expect "現場" moravel-cli check 現
expect "現場/日報" moravel-cli days 現場/
expect "lmax maxima-90 maxima-mean statistic" moravel-cli summary card --noise-method ""
expect "--gap" moravel-cli events card --g
[ "$failed" -eq 0 ] && echo "completion as expected"
