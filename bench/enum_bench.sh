#!/usr/bin/env bash
# The enum class style against baselines measured in the same run:
# - zandrel-gen enum on 1,000,000 names, beside the plain style and `wc -w` of what it writes,
#   with its peak memory against the size of its output;
# - the header of 10,000 names compiled (g++ -O2 -c), beside a bare enum class of the same names,
#   alone and with the standard headers the helpers include; and of 100,000 names at -O0;
# - to_string and TYPE_from_string per call, beside a switch and a std::unordered_map.
# Each time is the fastest of three runs.
# Usage: bench/enum_bench.sh [ZANDREL_GEN]
set -euo pipefail
gen=$(realpath "${1:-build/cli/zandrel-gen}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Seconds and peak resident kilobytes of a command, its output to a file: the fastest of three
# runs, since the machine may be shared.
measure() {
  local out=$1
  shift
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -a -o time.txt "$@" >"$out"
  done
  sort -n time.txt | head -1
  rm time.txt
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

awk 'BEGIN { srand(1); for (i = 0; i < 1000000; i++) {
  w = "N"; for (c = 0; c < 5; c++) w = w sprintf("%c", 97 + int(rand() * 10)); print w i } }' \
  >names.txt
head -10000 names.txt >names10k.txt
request() {
  printf '{"Format": 1, "TypeName": "Big", "Style": "%s", "FirstAndLast": false,
  "ApplyPrefix": false, "PrefixText": "", "ListFile": "%s"}\n' "$1" "$2" >"$3"
}
request ModernEnumeration names.txt modern.json
request PlainEnumeration names.txt plain.json
request ModernEnumeration names10k.txt modern10k.json

read -r modern modernKb < <(measure modern.out "$gen" enum modern.json)
read -r plain plainKb < <(measure plain.out "$gen" enum plain.json)
read -r words _ < <(measure /dev/null wc -w modern.out)
read -r inputWords _ < <(measure /dev/null wc -w names.txt)
outputKb=$(($(stat -c %s modern.out) / 1024))
echo "1M names: Modern ${modern} s, plain ${plain} s, wc -w of the output ${words} s" \
  "(of the list ${inputWords} s)"
echo "  Modern / wc -w: $(ratio "$modern" "$words")  Modern / plain: $(ratio "$modern" "$plain")"
echo "  peak ${modernKb} KB for ${outputKb} KB written: $(ratio "$modernKb" "$outputKb")" \
  "(plain: $(ratio "$plainKb" $(($(stat -c %s plain.out) / 1024))))"

"$gen" enum modern10k.json >big.h
{
  echo "enum class Big : int {"
  sed 's/$/,/' names10k.txt
  echo "};"
} >bare.h
{
  grep '^#include <' big.h
  cat bare.h
} >bare_includes.h
for header in big bare bare_includes; do echo "#include \"$header.h\"" >"$header.cpp"; done
compile() { measure /dev/null g++ -std=c++20 -O2 -c "$1.cpp" -o "$1.o" | cut -d' ' -f1; }
helpers=$(compile big)
bare=$(compile bare)
bareIncludes=$(compile bare_includes)
echo "10,000 names, g++ -O2 -c: helpers ${helpers} s, bare enum class ${bare} s," \
  "with the same standard headers ${bareIncludes} s"
echo "  helpers / bare: $(ratio "$helpers" "$bare")" \
  " helpers / bare with headers: $(ratio "$helpers" "$bareIncludes")"

# 100,000 names at -O0 (Flags off), beside a bare enum class of the same names with the same
# standard headers.
head -100000 names.txt >names100k.txt
request ModernEnumeration names100k.txt modern100k.json
"$gen" enum modern100k.json >big100k.h
{
  grep '^#include <' big100k.h
  echo "enum class Big : int {"
  sed 's/$/,/' names100k.txt
  echo "};"
} >bare100k.h
for header in big100k bare100k; do echo "#include \"$header.h\"" >"$header.cpp"; done
compile0() { measure /dev/null g++ -std=c++20 -O0 -c "$1.cpp" -o "$1.o" | cut -d' ' -f1; }
helpers100k=$(compile0 big100k)
bare100k=$(compile0 bare100k)
echo "100,000 names, g++ -O0 -c: helpers ${helpers100k} s, bare enum class with the same" \
  "standard headers ${bare100k} s: $(ratio "$helpers100k" "$bare100k")"

# The baselines: a switch over the names and a std::unordered_map from them.
{
  echo '#include <chrono>'
  echo '#include <cstdio>'
  echo '#include <string>'
  echo '#include <unordered_map>'
  echo '#include <vector>'
  echo '#include "big.h"'
  echo 'std::string_view switch_name(Big value) {'
  echo '  switch (value) {'
  awk '{ printf "    case Big::%s: return \"%s\";\n", $1, $1 }' names10k.txt
  echo '  }'
  echo '  return "Invalid";'
  echo '}'
  echo 'const std::unordered_map<std::string_view, Big> by_name{'
  awk '{ printf "    {\"%s\", Big::%s},\n", $1, $1 }' names10k.txt
  echo '};'
  cat <<'EOF'
template <class F>
double per_call(F f) {
  const auto start = std::chrono::steady_clock::now();
  std::size_t sum = 0;
  constexpr int rounds = 200;
  for (int r = 0; r < rounds; ++r)
    for (const Big value : Big_values) sum += f(value);
  const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  if (sum == 0) std::puts("");
  return ns / (rounds * static_cast<double>(Big_values.size()));
}
int main() {
  std::vector<std::string> names;
  for (const Big value : Big_values) names.emplace_back(to_string(value));
  const auto name = [&](Big value) { return names[static_cast<std::size_t>(value)]; };
  const double to = per_call([](Big v) { return to_string(v).size(); });
  const double sw = per_call([](Big v) { return switch_name(v).size(); });
  const double from = per_call([&](Big v) {
    return static_cast<std::size_t>(Big_from_string(name(v)).value_or(Big{}));
  });
  const double map = per_call([&](Big v) {
    return static_cast<std::size_t>(by_name.find(name(v))->second);
  });
  std::printf("per call, 10,000 names: to_string %.1f ns (switch %.1f ns), Big_from_string %.1f ns"
              " (unordered_map %.1f ns)\n", to, sw, from, map);
}
EOF
} >calls.cpp
g++ -std=c++20 -O2 calls.cpp -o calls
./calls
