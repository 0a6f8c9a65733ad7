#!/usr/bin/env bash
# Installs the zandrel-gen part of the build given, then configures, builds and runs a project
# that finds it with find_package and generates with zandrel_generate; changes a description and
# a list file and checks that the build makes the files again.
#   consumer_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1") source=$(realpath "$2")
work=$(mktemp -d)
export XDG_STATE_HOME="$work/state"
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" --component gen >/dev/null
cp -r "$source/tests/cmake_consumer/project" "$work/project"
cmake -S "$work/project" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
expected=$'Green 3\nRed\nGreen\nBlue\nStandby'
[ "$("$work/build/consumer")" = "$expected" ] || { echo "first build printed: $("$work/build/consumer")"; exit 1; }
# Build outputs keep no record: nothing lands in the user's state folder.
[ ! -e "$XDG_STATE_HOME/zandrel" ] || { echo "a build output was recorded"; exit 1; }

# An unchanged tree builds nothing; a changed description and list file are generated again.
cmake --build "$work/build" -- -n -d explain 2>&1 | grep -q "no work to do" ||
  { echo "a second build had work to do"; exit 1; }
sed -i 's/"InitialValue": "3"/"InitialValue": "5"/' "$work/project/Shape.zandrel.json"
printf 'Red\nGreen\nBlue\nBlack\n' > "$work/project/colors.txt"
cmake --build "$work/build" >/dev/null
expected=$'Green 5\nRed\nGreen\nBlue\nBlack\nStandby'
[ "$("$work/build/consumer")" = "$expected" ] || { echo "rebuild printed: $("$work/build/consumer")"; exit 1; }
echo "consumer project built, ran and rebuilt"
