#!/usr/bin/env bash
# Starts the real program on a virtual X display with a window manager and drives it by keyboard
# through a Build and an enumeration saved over files that already exist, answering "No" to the
# replace question each time: the program must still run, the files be unchanged, and closing
# the main window end it with status 0. Skipped (77) when xvfb-run, xauth, xdotool, xprop or openbox is missing.
# Usage: smoke_test.sh PATH/TO/zandrel
set -uo pipefail

program=$(realpath "$1")
results=$PWD

if [ "${ZANDREL_SMOKE_DISPLAY:-}" != 1 ]; then
  missing=()
  for tool in xvfb-run xauth xdotool xprop openbox; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: ${missing[*]} not installed (./dev test installs them)"
    exit 77
  fi
  ZANDREL_SMOKE_DISPLAY=1 exec timeout 100 xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$@"
fi

work=$(mktemp -d)
app=
wm=
finish() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAIL: $*"
  for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "shown: $(xdotool getwindowname "$window" 2>/dev/null)"
  done
  if command -v import >/dev/null; then
    import -window root "$results/smoke-failure.png" && echo "screen: $results/smoke-failure.png"
  fi
  echo "--- program output"
  cat "$work/zandrel.log"
  exit 1
}

# Waits for a visible window whose title matches, and gives it the focus. A search that meets a
# window being destroyed fails with an X error: it is tried again.
activate() {
  local window=
  for _ in 1 2 3; do
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$window" ] && xdotool windowactivate --sync "$window" 2>/dev/null && break
    window=
    sleep 0.2
  done
  [ -n "$window" ] || fail "no window titled $1 to activate"
  sleep 0.3
}

gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null || return 0
    sleep 0.1
  done
  fail "window $1 did not close"
}

keys() { xdotool key --delay 60 "$@"; }

still_running() {
  sleep 1
  kill -0 "$app" 2>/dev/null || fail "Zandrel ended after $1"
}

unchanged() {
  for file in "$@"; do
    [ "$(cat "$file")" = "kept $file" ] || fail "$file was changed"
  done
}

# A home and a folder of its own; Qt's own file dialogs, whatever desktop the machine has.
export HOME=$work/home
export XDG_DATA_HOME=$HOME/.local/share
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$work/out"
cd "$work/out" || exit 1
for file in Sample.h Sample.cpp Color.h Color.cpp; do printf 'kept %s' "$file" >"$file"; done

openbox >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$program" >"$work/zandrel.log" 2>&1 &
app=$!

# Build over Sample.h and Sample.cpp, answered No. The focus starts on Build; the class name box
# comes next.
activate '^Zandrel$'
keys Tab
xdotool type --delay 40 Sample
keys shift+Tab space
activate '^Save As$'
keys Return
activate '^Confirm Replace$'
keys Return
gone '^Confirm Replace$'
still_running "Build, Replace answered No"
unchanged Sample.h Sample.cpp

# Keys work where the focus is: Ctrl+D in the member table duplicates the row typed, and Ctrl+Z
# in the target box takes back Java picked there. Ctrl+S saves what the window holds.
activate '^Zandrel\*$'
keys alt+d
xdotool type --delay 40 int
keys Return ctrl+d
keys alt+r alt+Down Down Down Return
keys ctrl+z ctrl+s
activate '^Save Class Description As$'
xdotool type --delay 20 "$work/out/check"
keys Return
gone '^Save Class Description As$'
for _ in $(seq 50); do [ -s "$work/out/check.zandrel.json" ] && break; sleep 0.1; done
saved=$(tr -d ' \n' <"$work/out/check.zandrel.json")
[[ $saved == *'"Row":1,"Type":"int"'*'"Row":2,"Type":"int"'* ]] || fail "Ctrl+D: $saved"
[[ $saved == *'"TargetSystem":"DevCpp"'* ]] || fail "Ctrl+Z in the target box: $saved"

# Where the main window is before the enumeration dialog hides it.
position() {
  xdotool getwindowgeometry "$(xdotool search --onlyvisible --name '^check' | head -n 1)" |
    grep Position
}
before=$(position)

# "Generate Enumeration" (Alt+U) with "Save in separate file" over Color.h
# and Color.cpp, answered No, while the main window is hidden. In the dialog the focus starts on
# the type name; five Shift+Tabs back, past the preview's Copy, page and tabs and "Modern C++ (enum
# class)", reach "Save in separate file", three more OK.
activate '^check'
keys alt+u
activate '^Generate Enumeration$'
xdotool type --delay 40 Color
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space shift+Tab shift+Tab shift+Tab space
activate '^Save As$'
keys Return
activate '^Confirm Replace$'
keys Return
gone '^Confirm Replace$'
still_running "enumeration, Replace answered No"
xdotool search --onlyvisible --name '^Generate Enumeration$' >/dev/null ||
  fail "the enumeration dialog closed"
unchanged Color.h Color.cpp

# Cancel (one Tab on from OK) brings the main window back where it was; closing it by its frame
# asks about the class name typed since the save, and Discard ends Zandrel.
activate '^Generate Enumeration$'
keys Tab space
activate '^check'
[ "$(position)" = "$before" ] || fail "the main window moved: $before, then $(position)"
grep -q 'Ambiguous' "$work/zandrel.log" && fail "a key is claimed twice"
keys alt+c
xdotool type --delay 40 X
keys alt+F4
activate '^Save Changes$'
keys alt+d
for _ in $(seq 100); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "Exit did not end Zandrel"
wait "$app"
status=$?
app=
[ "$status" -eq 0 ] || fail "Zandrel ended with status $status"
echo "smoke test passed"
