#!/usr/bin/env bash
# Runs the fuzz target for a number of seconds on a copy of the seed corpus
# and fails on any crash, leak, sanitizer report, disagreement with the
# reference model, or time-out. Prints the executions per second and in total.
# An input that failed is kept in BUILD_DIR/fuzz/artifacts/.
#
# Usage: scripts/run_fuzzer.sh BUILD_DIR SECONDS
# (BUILD_DIR is the sanitize preset's build folder, for example build/sanitize.)
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "Usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
fuzzer="$build_dir/fuzz/velmoro_fuzz"
if [[ ! -x "$fuzzer" ]]; then
  echo "$fuzzer not found: build the sanitize or fuzz preset first" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The fuzzer adds what it finds to the corpus: the committed seeds stay as they are.
cp -r "$root/fuzz/corpus" "$work/corpus"
artifacts="$build_dir/fuzz/artifacts"
mkdir -p "$artifacts"
log="$work/fuzz.log"

status=0
"$fuzzer" "$work/corpus" \
  -dict="$root/fuzz/velmoro.dict" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -max_len=65536 \
  -print_final_stats=1 \
  -artifact_prefix="$artifacts/" \
  >"$log" 2>&1 || status=$?

stat() { sed -n "s/^stat::$1: *//p" "$log"; }
executions=$(stat number_of_executed_units)
rate=$(stat average_exec_per_sec)

if [[ $status -ne 0 ]] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|ALARM: working on the last Unit' "$log"; then
  tail -n 40 "$log" >&2
  echo "FAILED: the fuzzer stopped with status $status; the input is in $artifacts/" >&2
  exit 1
fi
echo "Fuzzing passed: ${executions:-?} executions in ${seconds} s, ${rate:-?} executions per second"
