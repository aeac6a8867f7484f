#!/usr/bin/env bash
# Runs a command beside a PulseAudio server of its own, and ends the server afterwards.
#
#   tests/support/with-pulseaudio.sh [--low-latency] COMMAND [ARGS...]
#
# The server lives in a private runtime folder (XDG_RUNTIME_DIR, mode 700) with one null sink,
# "quavrel_test", which is the default sink, and the native protocol; the user's own sound
# server is never touched. The command gets XDG_RUNTIME_DIR and QVRL_PULSE_TEST_SINK (the
# sink's name: the mixer tests run against that server only when it is set).
# --low-latency keeps a silent 20 ms stream playing into the sink, so that playback through it
# runs in real time (the null sink otherwise buffers 2 s).
# Exit status: the command's; 70 when the server did not come up.
set -u

low_latency=0
if [ "${1:-}" = "--low-latency" ]; then
    low_latency=1
    shift
fi
if [ $# -eq 0 ]; then
    echo "usage: $0 [--low-latency] COMMAND [ARGS...]" >&2
    exit 64
fi

sink=quavrel_test
runtime=$(mktemp -d "${TMPDIR:-/tmp}/quavrel-pulse.XXXXXX") || exit 70
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
unset PULSE_SERVER
server_pid=""
stream_pid=""

cleanup() {
    if [ -n "$stream_pid" ]; then
        kill "$stream_pid" 2>/dev/null
        wait "$stream_pid" 2>/dev/null
    fi
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null
        wait "$server_pid" 2>/dev/null
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# As root PulseAudio warns that it is not meant to run as root, and runs.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --log-target="file:$runtime/pulseaudio.log" \
    --load="module-null-sink sink_name=$sink" \
    --load="module-native-protocol-unix auth-anonymous=1" &
server_pid=$!

ready=0
for _ in $(seq 1 100); do
    if pactl info >/dev/null 2>&1; then
        ready=1
        break
    fi
    if ! kill -0 "$server_pid" 2>/dev/null; then
        break
    fi
    sleep 0.05
done
if [ "$ready" -ne 1 ]; then
    echo "with-pulseaudio: the PulseAudio server did not start:" >&2
    cat "$runtime/pulseaudio.log" >&2 2>/dev/null
    exit 70
fi

if [ "$low_latency" -eq 1 ]; then
    pacat --latency-msec=20 --raw --device="$sink" /dev/zero &
    stream_pid=$!
    for _ in $(seq 1 100); do
        latency=$(pactl list sinks | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1)
        if [ -n "$latency" ] && [ "$latency" -lt 100000 ]; then
            break
        fi
        sleep 0.05
    done
fi

export QVRL_PULSE_TEST_SINK="$sink"
"$@"
exit $?
