#!/usr/bin/env bash
# Checks the desktop entry, icon and AppStream metadata of an unpacked Debian
# package: each passes its validator (offline), and all three carry the one
# component id, which the desktop entry's Icon and the metadata's launchable
# name.
# Usage: check_desktop_metadata.sh UNPACKED_DIR
set -euo pipefail
readonly root="$1"
status=0
fail() {
  echo "check_desktop_metadata: $*" >&2
  status=1
}

shopt -s nullglob
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[[ ${#metainfo[@]} -eq 1 ]] || { fail "not one metainfo file: ${metainfo[*]}"; exit 1; }
appstreamcli validate --no-net "${metainfo[0]}" >&2 || fail "appstreamcli rejects ${metainfo[0]}"

id="$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "${metainfo[0]}")"
[[ "$(basename "${metainfo[0]}")" == "$id.metainfo.xml" ]] ||
  fail "the metainfo file is not named for its id $id"
[[ "$id" =~ ^[a-z]+(\.[A-Za-z0-9_-]+){2,}$ ]] || fail "the id $id is not reverse-DNS"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "${metainfo[0]}" ||
  fail "the metadata does not launch $id.desktop"

desktop="$root/usr/share/applications/$id.desktop"
if [[ -f "$desktop" ]]; then
  desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate rejects $desktop"
  grep -qx "Icon=$id" "$desktop" || fail "$desktop does not name the icon $id"
else
  fail "no desktop entry $desktop"
fi
[[ -f "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" ]] || fail "no icon $id.svg"
exit "$status"
