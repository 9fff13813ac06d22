#!/usr/bin/env bash
# Installs BUILD_DIR's C++ package into a fresh prefix, builds the consumer
# project against it with find_package(Velmoro 1.0), and runs it.
# Usage: check_consumer.sh BUILD_DIR WORK_DIR
set -euo pipefail
readonly build="$1" work="$2"
readonly here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$work"
cmake --install "$build" --prefix "$work/prefix" --component development >/dev/null
cmake -S "$here" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
      -DVELMORO_FIXTURES_DIR="$build/tests/fixtures" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" >/dev/null
"$work/build/consumer"
