#!/usr/bin/env bash
# Runs the built program in a virtual X server and checks its window from the
# outside: title, client size and icon. Presses Compare and checks that the
# result label changed and that Text1 tints its found words, saves a
# screenshot before and after, and prints the start-up time (program start to
# window shown) and the resident memory.
#
# Usage: check_window_xvfb.sh BUILD_DIR OUT_DIR
# Needs Xvfb, xdotool, xwininfo and xprop (x11-utils), import and compare
# (imagemagick). Exits non-zero when a check fails.
set -euo pipefail

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
for tool in Xvfb xdotool xwininfo xprop import compare; do
  command -v "$tool" >/dev/null ||
    fail "$tool not found; install xvfb, xdotool, x11-utils and imagemagick"
done
mkdir -p "$out_dir"

xvfb_pid=""
app_pid=""
display_file="$(mktemp)"
# Ends what this script started and keeps the script's own exit status.
cleanup() {
  local status=$?
  for pid in "$app_pid" "$xvfb_pid"; do
    [[ -n "$pid" ]] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -f "$display_file"
  exit "$status"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to descriptor 3;
# -noreset keeps it from resetting when the probing client below leaves, which
# would refuse the program's connection for a moment.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
  3>"$display_file" 2>"$out_dir/xvfb.log" &
xvfb_pid=$!
deadline=$(($(now_ms) + kWaitSeconds * 1000))
# read succeeds only once the whole line is there.
until read -r display_number <"$display_file" &&
  DISPLAY=":$display_number" xwininfo -root >/dev/null 2>&1; do
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start, see $out_dir/xvfb.log"
  (($(now_ms) < deadline)) || fail "Xvfb gave no display within ${kWaitSeconds} s"
  sleep 0.05
done
export DISPLAY=":$display_number"

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

echo "window: '$title', client ${width}x${height}, icon set"
echo "start-up time: $((shown - started)) ms"
echo "resident memory after start: ${rss_kb} kB"
echo "screenshots: $out_dir/velmoro-start.png $out_dir/velmoro-compared.png"
