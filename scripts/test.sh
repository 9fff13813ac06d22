#!/usr/bin/env bash
# Builds Velmoro and runs every test:
#   - the release build with warnings as errors: engine, command-line, property,
#     window, Python, package and end-to-end tests, then lintian on the
#     Debian package;
#   - the engine, command-line and property tests again under
#     AddressSanitizer and UndefinedBehaviorSanitizer;
#   - velmoro-cli's batch tests under ThreadSanitizer;
#   - the libFuzzer target for a minute;
#   - the benchmarks' own tests and one quick pass of the benchmark cases, so
#     that they keep building and answering;
#   - the browser front (scripts/web.sh test), against the velmoro-cli of the
#     first build.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
fuzz_seconds=${VELMORO_FUZZ_SECONDS:-60}
scripts/setup.sh test

run_tests() {
  echo "== $1 build and tests"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

run_tests ci

echo "== lintian on the Debian package the tests made"
lintian --fail-on error build/ci/velmoro_1.00_*.deb 2> >(grep -v 'running with root privileges' >&2)

echo "== fuzz build, ${fuzz_seconds} s of fuzzing"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
scripts/run_fuzzer.sh build/fuzz "$fuzz_seconds"

echo "== benchmarks"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"
build/bench/bench/velmoro_bench_tests --gtest_brief=1
build/bench/bench/velmoro_bench --benchmark_filter='SamplePairA|Paragraphs|/65536$' \
  --benchmark_min_time=0.01

run_tests debug
run_tests tsan

echo "== browser front: WebAssembly build, its tests under node and in headless Chromium"
scripts/web.sh test build/ci/cli/velmoro-cli
