#!/usr/bin/env bash
# Runs two commands, the first given alone, the second with its arguments,
# and fails, showing the difference, unless they print the same.
#   compare_outputs.sh FIRST SECOND [ARGUMENT...]
set -euo pipefail
first=$1
shift
diff -u <("$first") <("$@")
echo "Both print the same $("$first" | wc -l) lines."
