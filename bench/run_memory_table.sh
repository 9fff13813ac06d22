#!/usr/bin/env bash
# Runs each benchmark case in a process of its own, so that each peak memory
# figure is that case's own and not the high-water mark of earlier cases, and
# prints one row per case: median wall and CPU time, input size, peak resident
# memory, the memory limit (ten times the input plus 32 MiB), the time target,
# whether the case met the time target (judged on CPU time, since other work
# on a shared machine stretches wall time) and the memory limit, and its answer.
#
# Usage: run_memory_table.sh BUILD_DIR [NAME_REGEX]
#   BUILD_DIR   the bench preset's build folder, for example build/bench
#   NAME_REGEX  only the cases whose names match (all by default)
# REPETITIONS in the environment sets the repetitions per case (default 5).
# Needs python3 to read the benchmark's JSON output.
set -euo pipefail

[[ $# -ge 1 && $# -le 2 ]] || { echo "usage: $0 BUILD_DIR [NAME_REGEX]" >&2; exit 2; }
readonly bench="$1/bench/velmoro_bench"
readonly name_regex="${2:-.}"
readonly repetitions="${REPETITIONS:-5}"
[[ -x "$bench" ]] || { echo "run_memory_table: no benchmark at $bench" >&2; exit 1; }
command -v python3 >/dev/null || { echo "run_memory_table: python3 not found" >&2; exit 1; }

# Reads one case's JSON report on standard input and prints its row.
row_script="$(cat <<'PY'
import json, sys
MIB = 1024 * 1024
name = sys.argv[1]
runs = json.load(sys.stdin)["benchmarks"]
if any(run.get("error_occurred") for run in runs):
    print(f"{name:34} ERROR {runs[0].get('error_message', '')}")
    sys.exit()
# One repetition has no aggregates: its own run is the median.
median = next((run for run in runs if run.get("aggregate_name") == "median"), runs[-1])
scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[median["time_unit"]]
real, cpu = median["real_time"] * scale, median["cpu_time"] * scale
input_mib = median["input_MiB"]
peak = max(run["peak_rss_MiB"] for run in runs)
limit = 10 * input_mib + 32
units = int(name.split("/")[1]) if "/" in name else 0
target = {"BM_SamplePairA": 3e-6, "BM_Paragraphs": 200e-6}.get(name) or (
    5e-3 if units <= 64 * 1024 else 0.1 if units <= MIB else 1.0)
time_verdict = "ok" if cpu <= target else "MISS"
memory_verdict = "ok" if peak <= limit else "MISS"
def shown(seconds):
    return f"{seconds * 1e6:.2f} us" if seconds < 1e-3 else f"{seconds * 1e3:.2f} ms"
print(f"{name:34} {shown(real):>12} {shown(cpu):>12} {input_mib:9.3f} {peak:9.1f}"
      f" {limit:9.1f} {shown(target):>10} {time_verdict:4} {memory_verdict:6} {median['label']}")
PY
)"
readonly row_script

printf '%-34s %12s %12s %9s %9s %9s %10s %-4s %-6s %s\n' case wall_median cpu_median \
  input_MiB peak_MiB limit_MiB target time memory answer
"$bench" --benchmark_list_tests=true --benchmark_filter="$name_regex" |
  while read -r name; do
    "$bench" --benchmark_filter="^${name}\$" --benchmark_repetitions="$repetitions" \
      --benchmark_format=json 2>/dev/null | python3 -c "$row_script" "$name"
  done
