#!/usr/bin/env bash
# Runs a command as on a desktop where a screen reader listens: in a virtual X
# server, with a D-Bus session bus of its own on which the accessibility bus
# is turned on, as a desktop does when a screen reader starts; Qt programs
# then answer on it. Ends what it started when the command ends and exits
# with the command's status. The command sees DISPLAY,
# DBUS_SESSION_BUS_ADDRESS and VELMORO_XVFB_SESSION=1 (so that a script can
# run itself in a session).
#
# Usage: xvfb_session.sh LOG_DIR COMMAND [ARGUMENT...]
# Needs Xvfb, xwininfo (x11-utils), dbus-daemon, dbus-send and at-spi2-core.
# The X server's and the buses' messages go to LOG_DIR.
set -euo pipefail

readonly kWaitSeconds=15
readonly kAccessibilityBus=/usr/share/dbus-1/services/org.a11y.Bus.service

fail() {
  echo "xvfb_session: $*" >&2
  exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Waits until the first line of file is there and check succeeds, while the
# process pid runs; what names the wait in a failure.
wait_for_line() {
  local file="$1" pid="$2" what="$3" check="$4"
  local deadline=$(($(now_ms) + kWaitSeconds * 1000))
  # read succeeds only once the whole line is there.
  until read -r line <"$file" && $check "$line"; do
    kill -0 "$pid" 2>/dev/null || fail "$what did not start, see $log_dir"
    (($(now_ms) < deadline)) || fail "$what did not start within ${kWaitSeconds} s"
    sleep 0.05
  done
}

display_answers() { DISPLAY=":$1" xwininfo -root >/dev/null 2>&1; }
bus_answers() {
  DBUS_SESSION_BUS_ADDRESS="$1" dbus-send --session --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.Peer.Ping 2>/dev/null
}

[[ $# -ge 2 ]] || { echo "usage: $0 LOG_DIR COMMAND [ARGUMENT...]" >&2; exit 2; }
readonly log_dir="$1"
shift
for tool in Xvfb xwininfo dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null ||
    fail "$tool not found; install xvfb, x11-utils, dbus-daemon, dbus-bin and at-spi2-core"
done
[[ -f "$kAccessibilityBus" ]] || fail "no accessibility bus; install at-spi2-core"
mkdir -p "$log_dir"

xvfb_pid=""
bus_pid=""
display_file="$(mktemp)"
bus_file="$(mktemp)"
# Ends what this script started, the bus first: the accessibility bus and its
# registry, which the bus started, end with it.
cleanup() {
  local status=$?
  for pid in "$bus_pid" "$xvfb_pid"; do
    [[ -n "$pid" ]] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -f "$display_file" "$bus_file"
  exit "$status"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to descriptor 3;
# -noreset keeps it from resetting when a probing client leaves, which would
# refuse the next connection for a moment.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
  3>"$display_file" 2>"$log_dir/xvfb.log" &
xvfb_pid=$!
wait_for_line "$display_file" "$xvfb_pid" "Xvfb" display_answers
read -r display_number <"$display_file"
export DISPLAY=":$display_number"

# The services the bus starts write to its output too.
dbus-daemon --session --nofork --print-address=3 3>"$bus_file" >"$log_dir/dbus.log" 2>&1 &
bus_pid=$!
wait_for_line "$bus_file" "$bus_pid" "the D-Bus session bus" bus_answers
read -r DBUS_SESSION_BUS_ADDRESS <"$bus_file"
export DBUS_SESSION_BUS_ADDRESS
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
  variant:boolean:true >/dev/null ||
  fail "the accessibility bus did not start, see $log_dir/dbus.log"

export VELMORO_XVFB_SESSION=1
"$@"
