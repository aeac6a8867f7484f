#!/usr/bin/env bash
# The real player driven by playerctl over a session bus of its own: play, pause, next,
# previous, position, metadata, loop and shuffle, with status and the window caption following.
# Needs an X display and a sound server (ctest runs inside scripts/with-test-services.sh);
# wraps itself in dbus-run-session. Exit 77 (skipped) when playerctl is not installed.
set -euo pipefail
qvrl="$1"
command -v playerctl >/dev/null || { echo "playerctl is not installed: skipped"; exit 77; }
if [ -z "${QVRL_E2E_ON_BUS:-}" ]; then
    QVRL_E2E_ON_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=../../bench/player-session.sh
source "$here/../../bench/player-session.sh"

qvrl_wait_display
work=$(mktemp -d /tmp/qvrl-e2e-XXXXXX)
trap 'qvrl_stop_all; rm -rf "$work"' EXIT
qvrl_media "$work/music" 3 30000
qvrl_playlist "$work/list.qpl" "$work"/music/track-000{1,2,3}.wav
qvrl_settings "$qvrl" "$work/home" "$work/list.qpl" 1 0
qvrl_start "$qvrl" "$work/home"

pc() { playerctl -p quavrel "$@"; }
failures=0
expect() {  # expect WHAT WANTED COMMAND...: retries for up to 3 s, the displays follow a tick late
    local what="$1" wanted="$2" got=""
    shift 2
    for _ in $(seq 60); do
        got=$("$@" 2>&1 || true)
        [ "$got" = "$wanted" ] && { echo "ok   $what: $got"; return 0; }
        sleep 0.05
    done
    echo "FAIL $what: wanted '$wanted', got '$got'"
    failures=$((failures + 1))
}
# The window's own caption; the window system shows the application's name after it.
caption() {
    xdotool search --name 'Quavrel v2.0' getwindowname 2>/dev/null | head -n1 | sed 's/ — Quavrel$//'
}

# A loaded list starts at once with its first entry.
expect "status at start" Playing pc status
expect "title" track-0001 pc metadata xesam:title
expect "caption" "[ track-0001 ] Quavrel v2.0" caption
first_id=$(pc metadata mpris:trackid)
expect "length" 30000000 pc metadata mpris:length
expect "url" "file://$work/music/track-0001.wav" pc metadata xesam:url

pc pause
expect "status after pause" Paused pc status
pc play
expect "status after play" Playing pc status
pc next
expect "title after next" track-0002 pc metadata xesam:title
expect "caption after next" "[ track-0002 ] Quavrel v2.0" caption
[ "$(pc metadata mpris:trackid)" != "$first_id" ] && echo "ok   track id changed" ||
    { echo "FAIL track id unchanged"; failures=$((failures + 1)); }
pc previous
expect "title after previous" track-0001 pc metadata xesam:title
pc position 1
# Read while playing on: the device reports the place less what is still buffered (< 0.2 s).
position=$(pc position)
if awk -v p="$position" 'BEGIN { exit !(p >= 0.8 && p < 2) }'; then
    echo "ok   position: $position"
else
    echo "FAIL position: wanted about 1, got $position"
    failures=$((failures + 1))
fi
expect "loop at start" Playlist pc loop
pc loop None
expect "loop after setting" None pc loop
expect "shuffle at start" Off pc shuffle
pc shuffle On
expect "shuffle after setting" On pc shuffle
pc stop
expect "status after stop" Paused pc status
# The volume is the output's, as the volume pop-up shows and sets it.
pc volume 0.5
volume=$(pc volume)
if awk -v v="$volume" 'BEGIN { exit !(v > 0.49 && v < 0.51) }'; then
    echo "ok   volume: $volume"
else
    echo "FAIL volume: wanted 0.5, got $volume"
    failures=$((failures + 1))
fi
sink_volume=$(pactl get-sink-volume "$(pactl get-default-sink)" | head -n1)
case "$sink_volume" in *" 50%"*) echo "ok   output volume: 50 %" ;;
    *) echo "FAIL output volume: $sink_volume"; failures=$((failures + 1)) ;; esac

qvrl_quit
echo "$failures failed"
[ "$failures" -eq 0 ]
