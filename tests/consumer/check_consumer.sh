#!/usr/bin/env bash
# Installs BUILD_DIR's C++ package into a fresh prefix, builds the consumer
# program against it both ways a caller would, with find_package(Velmoro 1.0)
# and with g++ and pkg-config, and runs each.
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

# The installed library is static, so pkg-config's plain --libs must name
# what it needs (ICU) as well.
PKG_CONFIG_PATH=$(dirname "$(find "$work/prefix" -name velmoro.pc)")
export PKG_CONFIG_PATH
g++ -std=c++20 "$here/consumer.cpp" -I"$build/tests/fixtures" \
    $(pkg-config --cflags --libs velmoro) -o "$work/consumer-pkg-config"
"$work/consumer-pkg-config"
