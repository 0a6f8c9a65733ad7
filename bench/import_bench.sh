#!/usr/bin/env bash
# zandrel-gen import against clang++ -fsyntax-only of the same header with the same flags,
# measured in the same run, on a settings struct of 300 defaulted members over the standard
# library's containers. Each time is the fastest of five runs, taken by turns.
# Usage: bench/import_bench.sh [ZANDREL_GEN]
set -euo pipefail
gen=$(realpath "${1:-build/cli/zandrel-gen}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
clang=$(command -v clang++-14 || command -v clang++)

{
  echo '#pragma once'
  echo '#include <map>'
  echo '#include <optional>'
  echo '#include <string>'
  echo '#include <vector>'
  echo 'struct Settings {'
  for i in $(seq 1 100); do
    echo "  int count$i = $i;"
    echo "  std::vector<std::string> names$i;"
    echo "  std::optional<std::map<std::string, double>> weights$i;"
  done
  echo '};'
} >settings.h

fastest() { sort -n | head -1; }
seconds() { /usr/bin/time -f "%e" "$@" 2>&1 >/dev/null | tail -1; }
for header in settings.h; do  # one header; more are a word each
  : >import.txt
  : >syntax.txt
  for _ in 1 2 3 4 5; do
    seconds "$gen" import "$header" >>import.txt
    seconds "$clang" -fsyntax-only -xc++-header -std=c++20 "$header" >>syntax.txt
  done
  import=$(fastest <import.txt)
  syntax=$(fastest <syntax.txt)
  echo "import of $header (300 members): ${import} s, clang++ -fsyntax-only ${syntax} s," \
    "ratio $(awk -v a="$import" -v b="$syntax" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')"
done
