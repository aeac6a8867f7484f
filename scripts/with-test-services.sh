#!/usr/bin/env bash
# Runs a command with the services the tests need: a private PulseAudio daemon with a null sink
# (as the default sink, kept at low latency so playback runs in real time) and a virtual X server.
set -euo pipefail

runtime=$(mktemp -d /tmp/qvrl-runtime-XXXXXX)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export PULSE_RUNTIME_PATH="$runtime/pulse"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=qvrl_null" \
    --load=module-native-protocol-unix >"$runtime/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl info >/dev/null 2>&1 || { echo "PulseAudio did not start:"; cat "$runtime/pulse.log"; exit 1; }
pactl set-default-sink qvrl_null
# The null sink starts with 2 s of latency; a silent low-latency stream makes it real time.
pacat --latency-msec=20 --raw /dev/zero &
pids+=($!)
for _ in $(seq 100); do
    latency=$(pactl list sinks | sed -n 's/.*Latency: \([0-9]*\) usec.*/\1/p' | head -n1)
    [ -n "$latency" ] && [ "$latency" -lt 100000 ] && break
    sleep 0.05
done

exec_status=0
xvfb-run -a -s "-screen 0 1280x800x24" "$@" || exec_status=$?
exit "$exec_status"
