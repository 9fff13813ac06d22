#!/usr/bin/env bash
# Times velmoro-cli against two programs a user might run instead to see how
# alike two texts are, wdiff's statistics and the ratio of Python's difflib,
# each as a whole process on the benchmarks' paragraph pair, and prints each
# program's own answer so that the numbers can be set side by side.
#
# Usage: compare_peers.sh BUILD_DIR OUT_DIR
#   BUILD_DIR  a build folder holding cli/velmoro-cli, for example build/bench
#   OUT_DIR    receives the pair (text1.txt, text2.txt) and the timings
#              (peers.md, peers.json)
# Needs hyperfine, wdiff and python3; PYTHON names another interpreter than
# Debian's /usr/bin/python3.
set -euo pipefail

readonly kWarmup=3
readonly kRuns=30

[[ $# -eq 2 ]] || { echo "usage: $0 BUILD_DIR OUT_DIR" >&2; exit 2; }
repo="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "$1" && pwd)"
readonly repo build_dir
readonly cli="$build_dir/cli/velmoro-cli"
readonly out_dir="$2"
readonly python="${PYTHON:-/usr/bin/python3}"
[[ -x "$cli" ]] || { echo "compare_peers: no velmoro-cli at $cli" >&2; exit 1; }
for tool in hyperfine wdiff "$python"; do
  command -v "$tool" >/dev/null || { echo "compare_peers: $tool not found" >&2; exit 1; }
done

mkdir -p "$out_dir"
readonly text1="$out_dir/text1.txt"
readonly text2="$out_dir/text2.txt"
cp "$repo/bench/paragraphs/text1.txt" "$text1"
cp "$repo/bench/paragraphs/text2.txt" "$text2"

# difflib's ratio over the words: 2 * matched words / all words of both texts.
readonly difflib_code='import difflib, sys; a, b = (open(path).read().split() for path in sys.argv[1:]); print(difflib.SequenceMatcher(None, a, b).ratio())'

echo "== velmoro-cli --file1 text1.txt --file2 text2.txt"
"$cli" --file1 "$text1" --file2 "$text2" || echo "(velmoro-cli ended with status $?)"
echo "== wdiff -s text1.txt text2.txt (statistics lines only)"
# wdiff ends with status 1 when the texts differ, which is the answer here.
wdiff -s -1 -2 -3 "$text1" "$text2" || (($? == 1))
echo "== difflib.SequenceMatcher(None, a.split(), b.split()).ratio()"
"$python" -c "$difflib_code" "$text1" "$text2"

quoted1="$(printf '%q' "$text1")"
quoted2="$(printf '%q' "$text2")"
echo "== whole-process timings ($kWarmup warm-up runs, $kRuns runs each)"
# No shell between hyperfine and the programs, whose start is a real part of
# the cost; wdiff's status 1 for differing texts is no failure.
hyperfine --shell=none --warmup "$kWarmup" --runs "$kRuns" --ignore-failure \
  --export-markdown "$out_dir/peers.md" --export-json "$out_dir/peers.json" \
  --command-name velmoro-cli "$(printf '%q' "$cli") --file1 $quoted1 --file2 $quoted2" \
  --command-name "wdiff -s" "wdiff -s $quoted1 $quoted2" \
  --command-name difflib "$(printf '%q' "$python") -c '$difflib_code' $quoted1 $quoted2"
echo "== $out_dir/peers.md"
cat "$out_dir/peers.md"
