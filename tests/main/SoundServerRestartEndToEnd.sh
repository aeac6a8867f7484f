#!/usr/bin/env bash
# The real player while its sound server is killed and started again (on a server of its own, in
# a private runtime folder; scripts/with-test-services.sh provides the display and the bus): the
# file that plays gets its stream back on the new server, and plays on from where it was.
#
# usage: SoundServerRestartEndToEnd.sh QVRL     exit 77 (skipped) without a display or pulseaudio
set -uo pipefail
qvrl=$1
[[ -n "${DISPLAY:-}" ]] || { echo "needs a display"; exit 77; }
command -v pulseaudio >/dev/null && command -v sox >/dev/null || { echo "needs pulseaudio, sox"; exit 77; }
work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config
unset PULSE_SERVER
mkdir -p "$XDG_CONFIG_HOME"
pa= pid=
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
    [[ -n "$pa" ]] && kill "$pa" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/player.log" 2>/dev/null; exit 1; }

start_server() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target="file:$work/pulseaudio.log" --load="module-null-sink sink_name=restart_test" \
        --load="module-native-protocol-unix auth-anonymous=1" &
    pa=$!
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && return 0; sleep 0.05; done
    fail "the sound server did not start"
}
streams() { pactl list sink-inputs 2>/dev/null | grep -c 'application.name' || true; }
wait_stream() {
    for _ in $(seq 100); do [[ $(streams) -ge 1 ]] && return 0; sleep 0.1; done
    return 1
}
# The position the player's progress shows, from its LCD caption through the bus.
position_us() {
    dbus-send --session --print-reply --reply-timeout=5000 --dest=org.mpris.MediaPlayer2.quavrel \
        /org/mpris/MediaPlayer2 org.freedesktop.DBus.Properties.Get \
        string:org.mpris.MediaPlayer2.Player string:Position 2>/dev/null |
        awk '/int64/ { print $3 }'
}

start_server
sox -n -r 22050 -c 1 "$work/tone.wav" synth 60 sine 440 vol 0.1
"$qvrl" "$work/tone.wav" >"$work/player.log" 2>&1 &
pid=$!
wait_stream || fail "the player's stream never reached the sound server"
sleep 2
before=$(position_us)
kill -9 "$pa"
wait "$pa" 2>/dev/null
pa=
sleep 1
start_server
wait_stream || fail "no stream on the sound server after it came back"
after=$(position_us)
kill -0 "$pid" || fail "the player ended"
if [[ -n "$before" && -n "$after" ]]; then
    [[ $after -ge $before ]] || fail "the file started again: at ${after} us, was at ${before} us"
    echo "position before the kill ${before} us, after the restart ${after} us"
fi
echo "sound server restart: the stream came back"
