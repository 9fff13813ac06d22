#!/usr/bin/env bash
# Runs the prerm script of an unpacked Debian package against the package's
# own tree, as dpkg does before removing it, after Python has written compiled
# files beside the module, and checks that they are gone and the module is not.
# Usage: check_removal.sh UNPACKED_DIR
set -euo pipefail
readonly root="$1"
module="$(dirname "$(find "$root/usr/lib" -path '*-packages/velmoro/__init__.py')")"
mkdir -p "$module/__pycache__"
touch "$module/__pycache__/__init__.cpython-311.pyc"
DPKG_ROOT="$root" sh "$root/DEBIAN/prerm" remove
status=0
if [[ -e "$module/__pycache__" ]]; then
  echo "check_removal: prerm leaves $module/__pycache__" >&2
  status=1
fi
if [[ ! -f "$module/__init__.py" ]]; then
  echo "check_removal: prerm removes the module itself" >&2
  status=1
fi
exit "$status"
