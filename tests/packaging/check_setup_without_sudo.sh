#!/usr/bin/env bash
# Runs scripts/setup.sh as a user who is not root, on a machine without sudo
# where every package is missing, and checks that it fails saying which
# packages are missing and the two ways to get them: as root, or from an
# administrator, with the apt-get line for the same packages.
# Usage: check_setup_without_sudo.sh SOURCE_DIR
set -euo pipefail
readonly source="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$source/scripts/setup.sh" "$work/setup.sh"
# A PATH of only what the script needs and a dpkg-query that finds nothing.
mkdir "$work/bin"
for tool in bash env id grep cat; do ln -s "$(command -v "$tool")" "$work/bin/$tool"; done
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
chmod 755 "$work/bin/dpkg-query"
as_user=()
[[ "$(id -u)" -ne 0 ]] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

status=0
message="$(cd "$work" && "${as_user[@]}" env -i PATH="$work/bin" ./setup.sh run 2>&1)" || status=$?
fail() {
  echo "check_setup_without_sudo: $*; it said:" >&2
  echo "$message" >&2
  exit 1
}
[[ $status -eq 1 ]] || fail "setup.sh exited with $status, not 1"
missing="$(sed -n 's/.*packages are missing: //p' <<<"$message")"
[[ -n "$missing" ]] || fail "setup.sh does not list the missing packages"
grep -qx "  apt-get install $missing" <<<"$message" ||
  fail "setup.sh does not give the apt-get line for the missing packages"
grep -q "as root" <<<"$message" || fail "setup.sh does not say to run it as root"
grep -q "administrator" <<<"$message" || fail "setup.sh does not mention an administrator"
