#!/usr/bin/env bash
# Builds Velmoro and runs every test: the release build with warnings as
# errors (engine, command-line, window and end-to-end tests), then the engine
# and command-line tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
scripts/setup.sh test

for preset in ci debug; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
