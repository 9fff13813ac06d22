#!/usr/bin/env bash
# Instructions a pair that the engine's Compare action (RunCompareAction)
# executes, counted by callgrind over sets of sentence pairs: the bench's
# twelve-word English-like pairs, the licence sentences of 10 to 40 words,
# and licence texts of fixed numbers of words; with the part of them that
# prepares the two texts and the part that builds the word scan's tables.
# Unlike times, the counts do not depend on what else the machine runs.
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

# The instructions spent in a function and all it calls, by its name's start.
inclusive() {  # function
  callgrind_annotate --inclusive=yes --auto=no "$work/out" 2>/dev/null |
    awk -v f="$1" 'index($0, f) { gsub(",", "", $1); sum += $1 } END { print sum + 0 }'
}

# Prints a set's row: its name, mean words a text, instructions a pair, and
# of them those that prepare both texts and that build the word scan's
# tables (the rest scores the four directions).
count() {  # name file
  valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    --toggle-collect='velmoro::internal::RunCompareAction*' "$tool" "$2" >/dev/null 2>&1
  local instructions words prepare tables
  instructions=$(callgrind_annotate "$work/out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
  prepare=$(inclusive 'velmoro::internal::PreparedText::Assign(')
  tables=$(inclusive 'velmoro::internal::ShortTexts::Take(')
  words=$(awk -F'\t' '{ n += split($1, a, " ") + split($2, b, " ") } END { printf "%.1f", n / NR / 2 }' "$2")
  awk -v name="$1" -v w="$words" -v i="$instructions" -v p="$prepare" -v t="$tables" -v n="$pairs" \
    'BEGIN { printf "%-28s %6s %12.0f %8.0f %8.0f\n", name, w, i / n, p / n, t / n }'
}

printf '%-28s %6s %12s %8s %8s\n' set words instructions_per_pair prepare tables
python3 "$here/make_sentence_pairs.py" "$pairs" 1 --tsv >"$work/twelve.tsv"
count "twelve-word English-like" "$work/twelve.tsv"
python3 "$here/make_sentence_pairs.py" "$pairs" 1 --licences --tsv >"$work/licence.tsv"
count "licence sentences 10-40" "$work/licence.tsv"
for words in 10 12 19 20 40 80 160 180; do
  python3 "$here/make_sentence_pairs.py" "$pairs" "$words" --words "$words" --tsv >"$work/words.tsv"
  count "licence, $words words" "$work/words.tsv"
done
