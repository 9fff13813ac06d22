#!/usr/bin/env bash
# Instructions a pair that the engine's Compare action (RunCompareAction)
# executes, counted by callgrind over sets of sentence pairs: the bench's
# twelve-word English-like pairs, the licence sentences of 10 to 40 words,
# and licence texts of fixed numbers of words; and by stage, each stage's
# count the difference between runs that stop after it and after the one
# before (velmoro_pair_cost --stage). Unlike times, the counts do not depend
# on what else the machine runs.
#
# Usage: callgrind_per_pair.sh BUILD_DIR [PAIRS]
#   BUILD_DIR  the bench preset's build folder, for example build/bench
#   PAIRS      pairs a set (default 200)
set -euo pipefail

[[ $# -ge 1 && $# -le 2 ]] || { echo "usage: $0 BUILD_DIR [PAIRS]" >&2; exit 2; }
readonly tool="$1/bench/velmoro_pair_cost"
readonly pairs="${2:-200}"
readonly here="$(cd "$(dirname "$0")" && pwd)"
[[ -x "$tool" ]] || { echo "callgrind_per_pair: no velmoro_pair_cost at $tool" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "callgrind_per_pair: valgrind not found" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The instructions a pair of one run of the tool over file, with --stage
# stage when given: those of the function that runs each pair.
run_count() {  # file [stage]
  valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    --toggle-collect='*CostOfPair*' "$tool" ${2:+--stage "$2"} "$1" >/dev/null 2>&1
  callgrind_annotate "$work/out" | awk -v n="$pairs" '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 / n }'
}

# Prints a set's row: its name, mean words a text, instructions a pair, and
# of them those that prepare both texts, build the word scan's tables, score
# the two self directions, and the rest: the two cross directions, the
# length factor, the panel texts and the result text.
count() {  # name file
  local words whole prepare tables self
  whole=$(run_count "$2")
  prepare=$(run_count "$2" prepare)
  tables=$(run_count "$2" tables)
  self=$(run_count "$2" self)
  words=$(awk -F'\t' '{ n += split($1, a, " ") + split($2, b, " ") } END { printf "%.1f", n / NR / 2 }' "$2")
  awk -v name="$1" -v w="$words" -v i="$whole" -v p="$prepare" -v t="$tables" -v s="$self" \
    'BEGIN { printf "%-28s %6s %12.0f %8.0f %8.0f %8.0f %8.0f\n", name, w, i, p, t - p, s - t, i - s }'
}

printf '%-28s %6s %12s %8s %8s %8s %8s\n' set words instructions_per_pair prepare tables self cross
python3 "$here/make_sentence_pairs.py" "$pairs" 1 --tsv >"$work/twelve.tsv"
count "twelve-word English-like" "$work/twelve.tsv"
python3 "$here/make_sentence_pairs.py" "$pairs" 1 --licences --tsv >"$work/licence.tsv"
count "licence sentences 10-40" "$work/licence.tsv"
for words in 10 12 19 20 40 80 160 180; do
  python3 "$here/make_sentence_pairs.py" "$pairs" "$words" --words "$words" --tsv >"$work/words.tsv"
  count "licence, $words words" "$work/words.tsv"
done
