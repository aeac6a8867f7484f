#!/usr/bin/env bash
# MPRIS flood: 10,000 Next calls sent to the playing player without waiting for answers, as a
# stuck key or a script would send them. Goal: every call is answered and the player answers a
# question again within 5 s of the first call, having spent under 5 s of CPU on them (before,
# each call opened a file in turn: 131 s of a busy player).
#   bench/mpris-flood.sh [CALLS]          # default 10000
#   QVRL=build/debug/player/qvrl FLOOD=build/debug/bench/MprisFlood bench/mpris-flood.sh
# Starts its own X server, PulseAudio null sink and session bus.
set -euo pipefail
cd "$(dirname "$0")/.."
calls="${1:-10000}"
if [ -z "${QVRL_FLOOD_INSIDE:-}" ]; then
    QVRL_FLOOD_INSIDE=1 exec scripts/with-test-services.sh dbus-run-session -- "$0" "$@"
fi
source bench/player-session.sh
pick() {  # pick VAR NAME: $VAR, else the release build's, else the debug build's
    local given="${!1:-}"
    if [ -n "$given" ]; then echo "$given"; return; fi
    for candidate in "build/release/$2" "build/debug/$2"; do
        [ -x "$candidate" ] && { echo "$candidate"; return; }
    done
}
qvrl=$(pick QVRL player/qvrl)
flood=$(pick FLOOD bench/MprisFlood)
[ -x "$qvrl" ] && [ -x "$flood" ] || { echo "build qvrl and MprisFlood first (or set QVRL, FLOOD)"; exit 2; }
qvrl_wait_display

work=$(mktemp -d /tmp/qvrl-flood-XXXXXX)
trap 'qvrl_stop_all; rm -rf "$work"' EXIT
qvrl_media "$work/music" 40 20000
qvrl_playlist "$work/list.qpl" "$work"/music/*.wav
qvrl_settings "$qvrl" "$work/home" "$work/list.qpl" 1 0
qvrl_start "$qvrl" "$work/home"
sleep 1
before=$(qvrl_cpu_ticks "$QVRL_PID")
line=$("$flood" "$calls") || { echo "FAIL: $line"; exit 1; }
after=$(qvrl_cpu_ticks "$QVRL_PID")
hz=$(getconf CLK_TCK)
cpu=$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", t / hz }')
echo "$line"
echo "player CPU for the flood: $cpu s"
idle=$(sed -n 's/.*PlaybackStatus \([A-Za-z]*\) after \([0-9.]*\) s.*/\2/p' <<<"$line")
status=$(sed -n 's/.*PlaybackStatus \([A-Za-z]*\) after.*/\1/p' <<<"$line")
qvrl_quit
if awk -v i="$idle" -v c="$cpu" 'BEGIN { exit !(i < 5 && c < 5) }' && [ "$status" = Playing ]; then
    echo "PASS: answered again after $idle s (goal < 5 s), $cpu s of CPU (goal < 5 s), still playing"
else
    echo "FAIL: answered again after $idle s (goal < 5 s), $cpu s of CPU (goal < 5 s), status $status"
    exit 1
fi
