# Helpers for the scripts that run the real player: bench/soak.sh, bench/perf-report.sh and
# tests/mpris/playerctl-e2e.sh. Source it. The player needs an X display and a sound server
# (scripts/with-test-services.sh gives both) and a session bus for its media player interface
# (dbus-run-session). Every helper that waits gives up after a bounded time.

QVRL_BUS_NAME=org.mpris.MediaPlayer2.quavrel
QVRL_OBJECT=/org/mpris/MediaPlayer2
QVRL_PLAYER=org.mpris.MediaPlayer2.Player

# qvrl_media DIR COUNT MS: COUNT tone files DIR/track-0001.wav ... of MS milliseconds each,
# 16-bit mono at 22050 Hz, each a different pitch.
qvrl_media() {
    python3 - "$1" "$2" "$3" <<'PY'
import math, os, struct, sys, wave
folder, count, ms = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
os.makedirs(folder, exist_ok=True)
rate = 22050
frames = rate * ms // 1000
for n in range(1, count + 1):
    hz = 220 + 20 * (n % 40)
    step = 2 * math.pi * hz / rate
    data = b"".join(struct.pack("<h", int(9000 * math.sin(step * i))) for i in range(frames))
    with wave.open(os.path.join(folder, "track-%04d.wav" % n), "wb") as w:
        w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate); w.writeframes(data)
PY
}

# qvrl_playlist FILE PATH...: a play list in the player's own form, captions from the names.
qvrl_playlist() {
    local file="$1"
    shift
    python3 - "$file" "$@" <<'PY'
import os, sys
lines = ["Quavrel v2.0 PlayList File"]
for path in sys.argv[2:]:
    lines += [os.path.splitext(os.path.basename(path))[0], path]
with open(sys.argv[1], "wb") as f:
    f.write(b"".join(l.encode() + b"\r\n" for l in lines))
PY
}

# qvrl_playlist_entries FILE COUNT PATH: COUNT entries that all play PATH (for size tests).
qvrl_playlist_entries() {
    python3 - "$1" "$2" "$3" <<'PY'
import sys
out = [b"Quavrel v2.0 PlayList File"]
for n in range(int(sys.argv[2])):
    out += [b"Entry %06d" % n, sys.argv[3].encode()]
with open(sys.argv[1], "wb") as f:
    f.write(b"".join(l + b"\r\n" for l in out))
PY
}

# qvrl_wait_display: waits (up to 10 s) until the X server answers, then keeps one client
# connected to it (QVRL_HOLD_PID) until the script ends: an X server resets when its last client
# leaves and refuses connections meanwhile, so a player started right after another one ended
# would find no display.
qvrl_wait_display() {
    for _ in $(seq 200); do
        if xdotool getdisplaygeometry >/dev/null 2>&1; then
            xdotool search --sync --name '^no window is named like this$' >/dev/null 2>&1 &
            QVRL_HOLD_PID=$!
            return 0
        fi
        sleep 0.05
    done
    echo "the X server $DISPLAY does not answer"
    return 1
}

qvrl_has_name() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$QVRL_BUS_NAME" 2>/dev/null | grep -q 'boolean true'
}

# qvrl_start QVRL CONFIG_HOME: starts the player with its settings under CONFIG_HOME/quavrel,
# sets QVRL_PID, and waits (up to 20 s) until it holds its bus name.
qvrl_start() {
    XDG_CONFIG_HOME="$2" "$1" >>"$2/qvrl.log" 2>&1 &
    QVRL_PID=$!
    for _ in $(seq 400); do
        qvrl_has_name && return 0
        kill -0 "$QVRL_PID" 2>/dev/null || { echo "qvrl ended at start:"; cat "$2/qvrl.log"; return 1; }
        sleep 0.05
    done
    echo "qvrl took no bus name within 20 s"
    return 1
}

# qvrl_call METHOD [ARG...]: a player method over the bus, answered within 5 s or failed.
qvrl_call() {
    local method="$1"
    shift
    dbus-send --session --print-reply --reply-timeout=5000 --dest="$QVRL_BUS_NAME" "$QVRL_OBJECT" \
        "$QVRL_PLAYER.$method" "$@" >/dev/null
}

# qvrl_get PROPERTY: a player property as dbus-send prints it.
qvrl_get() {
    dbus-send --session --print-reply --reply-timeout=5000 --dest="$QVRL_BUS_NAME" "$QVRL_OBJECT" \
        org.freedesktop.DBus.Properties.Get "string:$QVRL_PLAYER" "string:$1"
}

# qvrl_quit: asks the player to leave as "Exit" does and waits (up to 10 s) until it has;
# QVRL_EXIT is then its exit status (139 for a crash on the way out).
qvrl_quit() {
    dbus-send --session --print-reply --reply-timeout=5000 --dest="$QVRL_BUS_NAME" "$QVRL_OBJECT" \
        org.mpris.MediaPlayer2.Quit >/dev/null || return 1
    for _ in $(seq 200); do
        if ! kill -0 "$QVRL_PID" 2>/dev/null; then
            QVRL_EXIT=0
            wait "$QVRL_PID" 2>/dev/null || QVRL_EXIT=$?
            return 0
        fi
        sleep 0.05
    done
    echo "qvrl did not leave within 10 s"
    return 1
}

# qvrl_settings QVRL CONFIG_HOME PLAYLIST [LOOP SHUFFLE]: settings as a first run leaves them
# (started once and quit), then made to start PLAYLIST with loop and shuffle on (1) or off (0).
qvrl_settings() {
    local qvrl="$1" home="$2" list="$3" loop="${4:-1}" shuffle="${5:-0}"
    mkdir -p "$home"
    qvrl_start "$qvrl" "$home" && qvrl_quit || return 1
    python3 - "$home/quavrel/Qvrl.ini" "$list" "$loop" "$shuffle" <<'PY'
import sys
path, playlist, loop, shuffle = sys.argv[1:5]
lines = open(path, "rb").read().split(b"\r\n")
lines[2] = playlist.encode()
lines[32] = b"Loop" if loop == "1" else b"NoLoop"
lines[33] = b"Shuffle" if shuffle == "1" else b"NoShuffle"
open(path, "wb").write(b"\r\n".join(lines))
PY
}

# qvrl_stop_all: ends the processes the helpers started (the player, the display holder) and
# any other ids given; for the scripts' EXIT trap.
qvrl_stop_all() {
    local pid
    for pid in "${QVRL_PID:-}" "${QVRL_HOLD_PID:-}" "$@"; do
        if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    done
    return 0
}

# qvrl_rss PID: resident memory in KiB.
qvrl_rss() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

# qvrl_cpu_ticks PID: user + system time of the process in clock ticks.
qvrl_cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
