#!/usr/bin/env bash
# Installs the Debian packages that Velmoro needs and that are missing.
#   setup.sh run      what building and running the program needs
#   setup.sh package  that, plus the Python module's packages and what makes
#                     and checks a Debian package
#   setup.sh test     all of that, plus what the tests, the fuzzer and the
#                     benchmarks need
#   setup.sh web      what building the browser front needs (emscripten)
#   setup.sh web-test that, plus what its tests need: Chromium, and node and
#                     npm for the test driver
set -euo pipefail

run_packages=(g++ cmake make libicu-dev qt6-base-dev libqt6svg6 fonts-dejavu-core libcli11-dev
              nlohmann-json3-dev libgtest-dev help2man)
package_packages=("${run_packages[@]}" pybind11-dev python3-dev python3-numpy dpkg-dev lintian pkg-config)
test_packages=("${package_packages[@]}" clang libclang-rt-14-dev libbenchmark-dev
               xvfb x11-utils xdotool imagemagick wdiff hyperfine python3 python3-pytest
               python3-pandas python3-dask python3-distributed appstream desktop-file-utils
               ccache python3-levenshtein python3-jellyfish python3-venv
               # the window read as a screen reader reads it (scripts/xvfb_session.sh)
               dbus-daemon dbus-bin at-spi2-core python3-pyatspi
               # for Debian's pytest under pyenv's CPython 3.9 and 3.10 (python_everywhere.sh)
               python3-exceptiongroup python3-tomli)
web_packages=(emscripten cmake make g++ libicu-dev libgtest-dev)
web_test_packages=("${web_packages[@]}" chromium nodejs)
# A node from elsewhere may bring its own npm, which Debian's would conflict with.
command -v npm >/dev/null || web_test_packages+=(npm)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  web-test) wanted=("${web_test_packages[@]}") ;;
  *) echo "usage: $0 run|package|test|web|web-test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    cat >&2 <<EOF
$0: these Debian packages are missing: ${missing[*]}
Installing them needs root, and sudo is not available. Run this script as root
(su -c '$0 $1'), or ask an administrator to install the packages:
  apt-get install ${missing[*]}
EOF
    exit 1
  fi
  as_root=(sudo)
fi

# Only what is named and what it depends on: the packages' recommendations
# would take several times as long to fetch and unpack, and nothing here
# needs them.
echo "Installing missing Debian packages: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
