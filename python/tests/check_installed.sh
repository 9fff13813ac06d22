#!/usr/bin/env bash
# Installs the Python module from BUILD_DIR into a fresh prefix and imports it
# from there with PYTHON, as a user of that prefix would.
# Usage: check_installed.sh BUILD_DIR PREFIX PYTHON PACKAGES_DIR
set -euo pipefail
readonly build="$1" prefix="$2" python="$3" packages="$4"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" --component python >/dev/null
cd "$prefix"
PYTHONPATH="$prefix/$packages" "$python" -c '
import velmoro, sys
assert velmoro.__file__.startswith(sys.argv[1]), velmoro.__file__
result = velmoro.compare("Anna packs the red bag", "Anna packs a bag").result_text
print("imported", velmoro.__file__, "->", result)
' "$prefix"
