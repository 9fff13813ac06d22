#!/usr/bin/env bash
# Pairs per second of velmoro-cli over many pairs, beside its peers, measured
# in one run on the same generated input, realistic sentence pairs
# (make_sentence_pairs.py --licences), per wall second and per CPU second:
#   - velmoro-cli --batch with one job and with two, end to end (read, parse,
#     compare, write), best of three runs;
#   - Python loops of json.loads, a ratio and json.dumps (bench/difflib_pairs.py):
#     difflib's SequenceMatcher over the words, Levenshtein.ratio and
#     jellyfish's Jaro-Winkler similarity, best of three;
#   - one velmoro-cli process per pair, over the first pairs only;
#   - one job against two on paragraph pairs (eight sentences a text).
# With --memory it also feeds velmoro-cli about 1 GiB of pairs and prints its
# peak resident memory; with --twelve the sentence pairs are
# make_sentence_pairs.py's twelve-word English-like ones instead.
#
# Usage: batch_throughput.sh BUILD_DIR [PAIRS] [--memory] [--twelve]
#   BUILD_DIR  a Release build folder holding cli/velmoro-cli
#   PAIRS      sentence pairs (default 100000)
set -euo pipefail

[[ $# -ge 1 ]] || { echo "usage: $0 BUILD_DIR [PAIRS] [--memory] [--twelve]" >&2; exit 2; }
readonly cli="$1/cli/velmoro-cli"
shift
pairs=100000
memory=false
kind=--licences
for argument in "$@"; do
  case "$argument" in
    --memory) memory=true ;;
    --twelve) kind="" ;;
    *) pairs="$argument" ;;
  esac
done
readonly pairs memory kind
readonly here="$(cd "$(dirname "$0")" && pwd)"
readonly python=/usr/bin/python3  # the system Python, as users have it
readonly single_pairs=1000
[[ -x "$cli" ]] || { echo "batch_throughput: no velmoro-cli at $cli" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The best wall time and the best CPU time (user and system) of three runs of
# a command, in seconds.
best_of_three() {
  local wall="" cpu="" run
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >/dev/null
    run=($(tail -n 1 "$work/time"))
    wall=$(awk -v a="$wall" -v b="${run[0]}" 'BEGIN { print (a == "" || b < a) ? b : a }')
    cpu=$(awk -v a="$cpu" -v b="${run[1]}" -v c="${run[2]}" \
      'BEGIN { print (a == "" || b + c < a) ? b + c : a }')
  done
  echo "$wall $cpu"
}

row() {  # name pairs "wall cpu"
  local times=($3)
  awk -v name="$1" -v n="$2" -v w="${times[0]}" -v c="${times[1]}" \
    'BEGIN { printf "%-36s %9d %8.2f %11.0f %8.2f %11.0f\n", name, n, w, n / w, c, n / (c > 0 ? c : 0.01) }'
}

"$python" "$here/make_sentence_pairs.py" "$pairs" 1 $kind >"$work/pairs.jsonl"
"$python" "$here/make_sentence_pairs.py" "$((pairs / 10))" 2 8 >"$work/paragraphs.jsonl"
head -n "$single_pairs" "$work/pairs.jsonl" >"$work/first.jsonl"

printf '%-36s %9s %8s %11s %8s %11s\n' case pairs wall_s pairs_per_s cpu_s per_cpu_s
row "velmoro-cli --batch -j 1" "$pairs" "$(best_of_three "$cli" --batch "$work/pairs.jsonl" -j 1)"
row "velmoro-cli --batch -j 2" "$pairs" "$(best_of_three "$cli" --batch "$work/pairs.jsonl" -j 2)"
for peer in difflib levenshtein jaro-winkler; do
  row "$peer loop (json, ratio, json)" "$pairs" \
    "$(best_of_three "$python" "$here/difflib_pairs.py" "$work/pairs.jsonl" "$work/peer.jsonl" "$peer")"
done
readonly one_process_per_pair='
import json, subprocess, sys
for line in open(sys.argv[2]):
    pair = json.loads(line)
    subprocess.run([sys.argv[1], "--json", "--", pair["text1"], pair["text2"]],
                   stdout=subprocess.DEVNULL, check=False)
'
row "velmoro-cli, one process a pair" "$single_pairs" \
  "$(best_of_three "$python" -c "$one_process_per_pair" "$cli" "$work/first.jsonl")"
row "paragraph pairs --batch -j 1" "$((pairs / 10))" \
  "$(best_of_three "$cli" --batch "$work/paragraphs.jsonl" -j 1)"
row "paragraph pairs --batch -j 2" "$((pairs / 10))" \
  "$(best_of_three "$cli" --batch "$work/paragraphs.jsonl" -j 2)"

if $memory; then
  # About 1 GiB: the pairs file over and over.
  copies=$(( (1 << 30) / $(stat -c %s "$work/pairs.jsonl") + 1 ))
  for ((i = 0; i < copies; i++)); do cat "$work/pairs.jsonl"; done >"$work/big.jsonl"
  /usr/bin/time -f "%M" -o "$work/peak" "$cli" --batch "$work/big.jsonl" >/dev/null
  echo "1 GiB input ($(stat -c %s "$work/big.jsonl") bytes): peak resident $(( $(cat "$work/peak") / 1024 )) MiB"
fi
