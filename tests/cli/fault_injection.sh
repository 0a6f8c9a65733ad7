#!/usr/bin/env bash
# zandrel-gen regenerating into edited files while strace makes system calls fail or wait: a
# failed step exits 3 with the files and records as they were and no temporary left; an edit made
# during a run, or a second run, is never lost or mixed. Skipped where strace cannot trace, and
# for a sanitizer build.
# Usage: fault_injection.sh ZANDREL_GEN
set -uo pipefail
gen=$(realpath "$1")
command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null || {
  echo "strace cannot trace here: skipped"
  exit 77
}
# The sanitizers' own calls would take the injected faults, and LeakSanitizer stops under ptrace.
# grep reads all that ldd writes: with -q it could leave early, and pipefail would take ldd's
# broken pipe for no match.
if ldd "$gen" 2>/dev/null | grep 'libasan\|libubsan' >/dev/null; then
  echo "a sanitizer build: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME=$work/state
failures=0
fail() {
  echo "FAIL: $case: $*"
  failures=$((failures + 1))
}

# A description of Point; each version adds a member, so header and source both change.
description() {
  local rows='{"Row": 1, "Type": "double", "Name": "x", "InitialValue": "0.0"}'
  for ((k = 2; k <= $1 + 1; k++)); do
    rows+=", {\"Row\": $k, \"Type\": \"int\", \"Name\": \"m$k\", \"InitialValue\": \"$k\"}"
  done
  printf '{"Format": 1, "ClassName": "Point", "Rows": [%s], "Options": {"TargetSystem": %s}}\n' \
    "$rows" '"ModernCpp"'
}
for v in 1 2 3; do description $v >"$work/v$v.json"; done

# A folder where v1 was written and then edited as a programmer would, both files.
prepare() {
  dir=$work/$1
  mkdir -p "$dir"
  cd "$dir" || exit 1
  "$gen" class "$work/v1.json" Point.h >/dev/null || fail "first write"
  printf '// mine\n' >>Point.cpp
  sed -i 's|^#pragma once|&\n#include <vector>  // mine|' Point.h
  cp Point.h Point.h.before
  cp Point.cpp Point.cpp.before
}
unchanged() {
  cmp -s Point.h Point.h.before && cmp -s Point.cpp Point.cpp.before || fail "files changed"
}
no_temporaries() {
  [ -z "$(find "$work" -name '*.zandrel-tmp')" ] || fail "temporaries left: $(find "$work" -name '*.zandrel-tmp')"
}
edits_kept() {
  grep -q '^// mine$' Point.cpp && grep -q 'mine$' Point.h || fail "an edit is lost"
}
current_for() {
  "$gen" class --check "$work/v$1.json" Point.h >/dev/null 2>&1 || fail "not what v$1 gives"
}
# Waits until a run held up by strace has made its temporaries, so that what follows happens
# while it waits.
held_up() {
  for _ in $(seq 100); do
    [ -n "$(find . -name '*.zandrel-tmp')" ] && return 0
    sleep 0.05
  done
  fail "the run was not held up"
}
# Runs v2 under strace with the injection; the exit code it expects.
inject() {
  strace -f -o /dev/null -e inject="$1" "$gen" class "$work/v2.json" Point.h >out.txt 2>err.txt
  local code=$?
  [ "$code" = "$2" ] || fail "exit $code, expected $2: $(cat err.txt)"
}

case="flushing a temporary fails"
prepare flush && inject fsync:error=EIO:when=1 3 && unchanged && no_temporaries && current_for 1

case="the disk is full"
prepare full && inject write:error=ENOSPC:when=1 3 && unchanged && no_temporaries

case="the second exchange fails: the first is put back"
prepare exchange && inject renameat2:error=EIO:when=2 3 && unchanged && no_temporaries

case="syncing the folders fails"
mkdir -p "$work/fresh" && cd "$work/fresh" &&
  strace -f -o /dev/null -e inject=fsync:error=EIO:when=5+ "$gen" class "$work/v1.json" \
    Point.h >/dev/null 2>err.txt
code=$?
[ "$code" = 3 ] || fail "exit $code, expected 3"
no_temporaries

# Runs v2 held up by strace at the call given, and meanwhile the command; v2's exit code.
meanwhile() {
  strace -f -o /dev/null -e inject="$1":delay_enter=1000000:when=1 \
    "$gen" class "$work/v2.json" Point.h >/dev/null 2>first.txt &
  local run=$!
  held_up
  "${@:2}"
  wait $run
}

case="an edit while the run writes its temporaries"
prepare late
meanwhile fsync sh -c "printf '// late\n' >>Point.cpp"
code=$?
grep -q '^// late$' Point.cpp || fail "the late edit is lost (exit $code)"
edits_kept
[ "$code" = 0 ] && current_for 2
no_temporaries

case="a second run while the first exchanges"
prepare second
meanwhile renameat2 "$gen" class "$work/v3.json" Point.h || fail "first: $(cat first.txt)"
edits_kept
current_for 3
no_temporaries

[ "$failures" = 0 ] && echo "fault injection: all cases held"
exit $((failures > 0))
