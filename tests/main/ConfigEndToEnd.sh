#!/usr/bin/env bash
# The real player end to end on a virtual display and a sound server with a null sink
# (scripts/with-test-services.sh provides both): a settings folder whose configuration names a
# default play list of two generated tones; the player starts with it, plays (a stream of its
# own appears on the sound server), titles its window with the first entry, and on "Exit"
# (Ctrl+X) writes its configuration. A second start in the system colours enters and leaves
# the short form. Screenshots of the three looks go to OUTDIR.
#
# usage: ConfigEndToEnd.sh QVRL OUTDIR     exit 77 (skipped) without a display or sound server
source "$(dirname "$0")/../support/player-e2e.sh"

sox -n -r 44100 -c 2 "$work/first.wav" synth 30 sine 440 vol 0.1
sox -n -r 44100 -c 2 "$work/second.wav" synth 30 sine 660 vol 0.1
printf 'Quavrel v2.0 PlayList File\r\nFirst Tone\r\n%s\r\nSecond Tone\r\n%s\r\n' \
    "$work/first.wav" "$work/second.wav" >"$work/tones.qpl"

# The configuration of a window at 40,40 in the designed layout, with the tones as default list.
write_config() {
    local colors=$1
    printf '%s\r\n' "Quavrel v2.0 ConfigFile" "[Basic Config]" "$work/tones.qpl" "Detailed" \
        "[Window Coordinates]" 40 40 410 458 PVisible 151 "[Toolbar Coordinates]" \
        dTop1 201 0 dRight 0 0 dTop1 0 0 dBottom 0 26 303 15 FormVisible HotTrack \
        "[Toolbar Options]" FVisible SVisible OVisible Loop NoShuffle Text "$work/" \
        "Filtering ON" RollerDown "$work/" "$colors" >"$settings/Qvrl.ini"
}

# Our own streams on the sound server: all but the test services' silent pacat.
player_streams() {
    pactl list sink-inputs | grep 'application.name = "' | grep -vc '"pacat"' || true
}

start_player() {
    "$qvrl" >"$work/player.log" 2>&1 &
    pid=$!
    wid=
    for _ in $(seq 100); do
        wid=$(xdotool search --onlyvisible --name 'First Tone' 2>/dev/null | head -1 || true)
        [[ -n "$wid" ]] && break
        sleep 0.1
    done
    [[ -n "$wid" ]] || fail "no window titled with the first entry: $(cat "$work/player.log")"
}

wait_for_stream() {
    for _ in $(seq 100); do
        [[ $(player_streams) -ge 1 ]] && return
        sleep 0.1
    done
    fail "the player's stream never reached the sound server"
}

line() { sed -n "${1}p" "$settings/Qvrl.ini" | tr -d '\r'; }

# --- First start: the dark scheme ---
write_config DefaultColors
start_player
wait_for_stream
sleep 0.5
import -window root "$out/full-dark.png"
exit_player
[[ $(wc -l <"$settings/Qvrl.ini") -eq 40 ]] || fail "the configuration does not have 40 lines"
[[ $(line 3) == "$work/tones.qpl" ]] || fail "line 3 is '$(line 3)'"
[[ $(line 27) == FormVisible ]] || fail "line 27 is '$(line 27)'"
[[ $(line 40) == DefaultColors ]] || fail "line 40 is '$(line 40)'"
[[ -f "$settings/Qvrl.flt" ]] || fail "no filter list written"

# --- Second start: the system colours, then the short form ---
write_config NormalColors
start_player
wait_for_stream
sleep 0.5
import -window root "$out/full-system.png"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key ctrl+k
sleep 1
import -window root "$out/short-form.png"
read -r x y < <(xdotool getwindowgeometry "$wid" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
# The short form's own button back to the full window (230, 4, 39 x 28 in the window).
xdotool mousemove --sync $((x + 249)) $((y + 18)) click 1
sleep 0.5
exit_player
[[ $(line 8) == 406 && $(line 9) == 455 ]] || fail "the full window was not restored: $(line 8) x $(line 9)"
[[ $(line 40) == NormalColors ]] || fail "line 40 is '$(line 40)'"
echo "end to end: 2 starts, configuration written twice; screenshots in $out"
