#!/usr/bin/env bash
# Runs the built program in a virtual X server and checks its window from the
# outside: title, client size and icon. Presses Compare and checks that the
# result label changed and that Text1 tints its found words, saves a
# screenshot before and after, and prints the start-up time (program start to
# window shown) and the resident memory. Then reads the window through AT-SPI
# as a screen reader does (tests/ui/read_window_atspi.py): types the sample
# pair, presses Compare, waits for the announcements and prints what each
# control reads, also to OUT_DIR/atspi-tree.txt.
#
# Usage: check_window_xvfb.sh BUILD_DIR OUT_DIR
# Needs what scripts/xvfb_session.sh needs, xdotool, xprop (x11-utils), import
# and compare (imagemagick), and python3-pyatspi. Exits non-zero when a check
# fails.
set -euo pipefail

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
readonly source_dir
# Run in a virtual X server with an accessibility bus of its own.
if [[ -z "${VELMORO_XVFB_SESSION:-}" && $# -eq 2 ]]; then
  exec "$source_dir/scripts/xvfb_session.sh" "$2" "$0" "$@"
fi

readonly kTitle="Velmoro"
readonly kClientSize="580x364"
readonly kWaitSeconds=15
readonly kCompareCenter=(536 44)    # Command1's middle, in client pixels
readonly kResultBox="57x65+24+80"   # Label2
readonly kText1Box="361x105+128+24"  # Text1, where the found words are tinted

fail() {
  echo "check_window_xvfb: $*" >&2
  exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Debian's interpreter, which python3-pyatspi installs for.
readonly python=/usr/bin/python3

# Whether a region differs between two screenshots: compare exits 1 for
# images that differ, 0 for equal ones and 2 when it cannot compare them.
region_differs() {
  local status=0
  compare -metric AE "$2[$1]" "$3[$1]" null: 2>/dev/null || status=$?
  ((status != 2)) || fail "cannot compare the screenshots $2 and $3"
  ((status == 1))
}

[[ $# -eq 2 ]] || { echo "usage: $0 BUILD_DIR OUT_DIR" >&2; exit 2; }
readonly program="$1/ui/velmoro"
readonly out_dir="$2"
[[ -x "$program" ]] || fail "no program at $program"
for tool in xdotool xwininfo xprop import compare; do
  command -v "$tool" >/dev/null ||
    fail "$tool not found; install xdotool, x11-utils and imagemagick"
done
"$python" -c 'import pyatspi' 2>/dev/null || fail "pyatspi not found; install python3-pyatspi"
mkdir -p "$out_dir"

app_pid=""
# Ends what this script started and keeps the script's own exit status.
cleanup() {
  local status=$?
  if [[ -n "$app_pid" ]]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  exit "$status"
}
trap cleanup EXIT

started=$(now_ms)
QT_QPA_PLATFORM=xcb "$program" >"$out_dir/velmoro.log" 2>&1 &
app_pid=$!
deadline=$((started + kWaitSeconds * 1000))
window=""
until [[ -n "$window" ]]; do
  kill -0 "$app_pid" 2>/dev/null || fail "velmoro ended before showing its window"
  (($(now_ms) < deadline)) || fail "no window titled $kTitle within ${kWaitSeconds} s"
  window="$(xdotool search --onlyvisible --name "^${kTitle}\$" 2>/dev/null | head -n 1 || true)"
  [[ -n "$window" ]] || sleep 0.02
done
shown=$(now_ms)
# Let the first paint and the window properties settle before looking.
sleep 1

title="$(xdotool getwindowname "$window")"
[[ "$title" == "$kTitle" ]] || fail "window title is '$title', not '$kTitle'"
info="$(xwininfo -id "$window")"
width="$(awk '/^ *Width:/ {print $2}' <<<"$info")"
height="$(awk '/^ *Height:/ {print $2}' <<<"$info")"
[[ "${width}x${height}" == "$kClientSize" ]] ||
  fail "client size is ${width}x${height}, not $kClientSize"
icon="$(xprop -id "$window" _NET_WM_ICON)"
[[ "$icon" == "_NET_WM_ICON(CARDINAL)"* ]] ||
  fail "the window has no icon (is the Qt SVG plugin, package libqt6svg6, installed?)"

rss_kb="$(awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status")"
import -window "$window" "$out_dir/velmoro-start.png"

xdotool mousemove --window "$window" "${kCompareCenter[@]}" click 1
deadline=$(($(now_ms) + kWaitSeconds * 1000))
until import -window "$window" "$out_dir/velmoro-compared.png" &&
  region_differs "$kResultBox" "$out_dir/velmoro-start.png" "$out_dir/velmoro-compared.png"; do
  (($(now_ms) < deadline)) || fail "the result label did not change after Compare"
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null || fail "velmoro ended after Compare"
region_differs "$kText1Box" "$out_dir/velmoro-start.png" "$out_dir/velmoro-compared.png" ||
  fail "Text1 shows no highlights after Compare"

"$python" "$source_dir/tests/ui/read_window_atspi.py" "$app_pid" \
  "$source_dir/tests/fixtures/sample_pair.json" >"$out_dir/atspi-tree.txt" ||
  fail "the window does not read as it should through AT-SPI"

echo "window: '$title', client ${width}x${height}, icon set"
echo "start-up time: $((shown - started)) ms"
echo "resident memory after start: ${rss_kb} kB"
echo "screenshots: $out_dir/velmoro-start.png $out_dir/velmoro-compared.png"
echo "what a screen reader reads after a Compare of the sample pair:"
cat "$out_dir/atspi-tree.txt"
