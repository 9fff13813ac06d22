#!/usr/bin/env bash
# Installs the Debian packages that Velmoro needs and that are missing.
#   setup.sh run      what building and running the program needs
#   setup.sh package  that, plus the Python module's packages and what makes
#                     and checks a Debian package
#   setup.sh test     all of that, plus what the tests, the fuzzer and the
#                     benchmarks need
set -euo pipefail

run_packages=(g++ cmake make libicu-dev qt6-base-dev libqt6svg6 fonts-dejavu-core libcli11-dev
              libsimdjson-dev nlohmann-json3-dev libgtest-dev help2man)
package_packages=("${run_packages[@]}" pybind11-dev python3-dev python3-numpy dpkg-dev lintian)
test_packages=("${package_packages[@]}" clang libclang-rt-14-dev libbenchmark-dev
               xvfb x11-utils xdotool imagemagick wdiff hyperfine python3 python3-pytest
               python3-pandas python3-dask python3-distributed python3-levenshtein python3-jellyfish)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|package|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
