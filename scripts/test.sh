#!/usr/bin/env bash
# Builds Velmoro and runs every test, in six builds that share what they can:
#   - ci: the release build with warnings as errors: engine, command-line,
#     property, window, Python, package and end-to-end tests, lintian on the
#     Debian package, the benchmarks' own tests, and one quick pass of the
#     benchmark cases, so that they keep building and answering; then the
#     Python module installed with pip into virtual environments of Debian's
#     python3 and the oldest and newest CPython 3.9+ of pyenv, each building
#     only the module, from the engine's objects in ccache;
#   - sanitize: clang with AddressSanitizer and UndefinedBehaviorSanitizer:
#     the engine, command-line and property tests, then the libFuzzer target
#     for a minute;
#   - tsan: velmoro-cli's batch tests and the pool's tests under
#     ThreadSanitizer;
#   - tuning-lowest and tuning-highest: the property tests with every
#     threshold of the scan at one extreme, which must change no result;
#   - web: the browser front (scripts/web.sh test): the engine's tests under
#     node, the JS module against the velmoro-cli of the ci build, and the
#     page in headless Chromium.
# Each stage prints how long it took. ccache, where present, serves the
# builds again on a machine that ran them before, from any checkout: paths
# under the checkout are hashed relative to it.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

jobs=$(nproc)
fuzz_seconds=${VELMORO_FUZZ_SECONDS:-60}
started=$SECONDS

stage() {
  echo "== $1 ($((SECONDS - started)) s so far)"
}

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

stage "installing what is missing"
scripts/setup.sh test

stage "ci build and tests"
build ci
ctest --preset ci -j "$jobs"

stage "lintian on the Debian package the tests made"
lintian --fail-on error build/ci/velmoro_1.00_*.deb 2> >(grep -v 'running with root privileges' >&2)

stage "benchmarks"
build/ci/bench/velmoro_bench --benchmark_filter='SamplePairA|Paragraphs|/65536$' \
  --benchmark_min_time=0.01

stage "Python module with pip, for several CPythons"
scripts/python_everywhere.sh build/ci/cli/velmoro-cli

stage "sanitize build and tests"
build sanitize
ctest --preset sanitize -j "$jobs"

stage "${fuzz_seconds} s of fuzzing"
scripts/run_fuzzer.sh build/sanitize "$fuzz_seconds"

for preset in tsan tuning-lowest tuning-highest; do
  stage "$preset build and tests"
  build "$preset"
  ctest --preset "$preset" -j "$jobs"
done

stage "browser front: WebAssembly build, its tests under node and in headless Chromium"
scripts/web.sh test build/ci/cli/velmoro-cli

stage "done"
