# Sourced by the end-to-end scripts that run the real player: takes QVRL and OUTDIR from the
# script's arguments, skips (exit 77) without a display, a sound server, xdotool, import or
# sox, and makes a work folder with a settings folder of its own, removed at exit together
# with the player whose process id stands in $pid.
set -euo pipefail
qvrl=$1
out=$2
mkdir -p "$out"
if [[ -z "${DISPLAY:-}" ]] || ! pactl info >/dev/null 2>&1; then
    echo "needs a display and a PulseAudio server (scripts/with-test-services.sh)"
    exit 77
fi
for tool in xdotool import sox; do
    command -v "$tool" >/dev/null || { echo "needs $tool"; exit 77; }
done

work=$(mktemp -d)
pid=
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config
settings=$XDG_CONFIG_HOME/quavrel
mkdir -p "$settings"

fail() {
    echo "FAIL: $*"
    [[ -f "$work/player.log" ]] && cat "$work/player.log"
    exit 1
}

# True once process $1 has ended, waiting up to 10 s.
ended() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}

# Ends the player $pid through "Exit" (Ctrl+X) on its window $wid.
exit_player() {
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key ctrl+x
    ended "$pid" || fail "the player did not end on Exit"
    wait "$pid" || true
    pid=
}
