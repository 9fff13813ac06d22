#!/usr/bin/env bash
# Installs the Python module from BUILD_DIR into a fresh prefix and imports it
# from there with PYTHON, as a user of that prefix would, to compare the sample
# pair.
# Usage: check_installed.sh BUILD_DIR PREFIX PYTHON PACKAGES_DIR SAMPLE_PAIR_JSON
set -euo pipefail
readonly build="$1" prefix="$2" python="$3" packages="$4" sample_pair="$5"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" --component python >/dev/null
cd "$prefix"
PYTHONPATH="$prefix/$packages" "$python" -c '
import json, velmoro, sys
assert velmoro.__file__.startswith(sys.argv[1]), velmoro.__file__
with open(sys.argv[2], encoding="utf-8") as fixture:
    sample = json.load(fixture)
result = velmoro.compare(sample["text1"], sample["text2"]).result_text
assert result == sample["result"], result
print("imported", velmoro.__file__, "->", result)
' "$prefix" "$sample_pair"
