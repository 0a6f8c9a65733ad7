#!/usr/bin/env bash
# Checks zandrel-gen's bash completion: words typed so far -> the sorted candidates offered.
# Usage: completion-test.sh COMPLETION_FILE [bash_completion]; with the second argument the
# bash-completion library is loaded first, so its _filedir is used instead of the fallback.
set -uo pipefail
export LC_ALL=C
completion=$1
[ $# -gt 1 ] && source "$2"
source "$completion"

cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
touch point.json notes.txt
mkdir src

cases=(
  "zandrel-gen |--help --version batch class companion enum import"
  "zandrel-gen import --t|--target"
  "zandrel-gen import -o |point.json src"
  "zandrel-gen e|enum"
  "zandrel-gen companion |src"
  "zandrel-gen companion -o |src"
  "zandrel-gen companion --enum Color |src"
  "zandrel-gen companion --enum |"
  "zandrel-gen companion --f|--flags --force --formatter"
  "zandrel-gen --v|--version"
  "zandrel-gen class |point.json src"
  "zandrel-gen class -|--base --build-output --check --conflicts=markers --dry-run --force --help --stdout"
  "zandrel-gen class point.json |notes.txt point.json src"
  "zandrel-gen class --check point.json |notes.txt point.json src"
  "zandrel-gen class --base |point.json src"
  "zandrel-gen class --base old.json point.json |notes.txt point.json src"
  "zandrel-gen class point.json src/Point.h |"
  "zandrel-gen class point.json src/Point.h --s|--stdout"
  "zandrel-gen enum |point.json src"
  "zandrel-gen enum po|point.json"
  "zandrel-gen enum --|--base --build-output --check --conflicts=markers --dry-run --force --help --output"
  "zandrel-gen enum point.json |"
  "zandrel-gen batch --dry-run |point.json src"
  "zandrel-gen batch -|--build-output --check --conflicts=markers --dry-run --force --help"
  "zandrel-gen unknown |"
)

passed=0 failed=0
for case in "${cases[@]}"; do
  line=${case%%|*} want=${case#*|}
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _zandrel_gen 2>/dev/null
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sed 's#/$##' | sort | paste -sd' ')
  if [ "$got" = "$want" ]; then
    passed=$((passed + 1))
  else
    echo "completion of \"$line\": got \"$got\", want \"$want\""
    failed=$((failed + 1))
  fi
done
echo "completion: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
