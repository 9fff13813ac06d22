#!/usr/bin/env bash
# Builds the Debian package velmoro_1.00_<arch>.deb from a Release build in
# build/package, checks it with lintian, and prints its path.
#   sudo apt install ./build/package/velmoro_1.00_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh package
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DVELMORO_BUILD_TESTS=OFF >/dev/null
cmake --build build/package -j "$(nproc)"
(cd build/package && cpack -G DEB >/dev/null)
package="$(ls -t build/package/velmoro_1.00_*.deb | head -n 1)"
# lintian warns that it runs as root; that is no finding about the package.
lintian --fail-on error "$package" 2> >(grep -v 'running with root privileges' >&2)
echo "$package"
