#!/usr/bin/env bash
# A line of ten million digits in the settings: each of the 40 lines of Qvrl.ini in turn, then
# one line of Qvrl.flt and one value of quavrel.conf. For each, the time from the start until
# the player shows a window (its own, or the box that names the bad number), the CPU spent and
# the resident memory then. Goal: every case under 2 s of wall time and CPU, and under 150 MiB
# resident (before: 134 s of CPU and 490 MiB for one such number).
#   bench/settings-long-line.sh
#   QVRL=build/debug/player/qvrl bench/settings-long-line.sh
# Starts its own X server, PulseAudio null sink and session bus.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${QVRL_LINE_INSIDE:-}" ]; then
    QVRL_LINE_INSIDE=1 exec scripts/with-test-services.sh dbus-run-session -- "$0" "$@"
fi
source bench/player-session.sh
qvrl="${QVRL:-}"
if [ -z "$qvrl" ]; then
    for candidate in build/release/player/qvrl build/debug/player/qvrl; do
        [ -x "$candidate" ] && { qvrl="$candidate"; break; }
    done
fi
[ -x "$qvrl" ] || { echo "no qvrl built; set QVRL=path/to/qvrl"; exit 2; }
qvrl_wait_display
work=$(mktemp -d /tmp/qvrl-line-XXXXXX)
trap 'qvrl_stop_all; rm -rf "$work"' EXIT
python3 -c 'import sys; sys.stdout.write("7" * 10_000_000)' >"$work/digits"
hz=$(getconf CLK_TCK)

# The settings a first run leaves, to put the long line into.
mkdir -p "$work/home"
qvrl_start "$qvrl" "$work/home" && qvrl_quit
cp "$work/home/quavrel/Qvrl.ini" "$work/good.ini"
failed=0

# measure CASE: starts the player on the settings as they stand, waits (up to 60 s) for a
# window of its own, prints the figures and ends it.
measure() {
    local start end ticks rss wid=
    start=$(date +%s.%N)
    XDG_CONFIG_HOME="$work/home" "$qvrl" >>"$work/qvrl.log" 2>&1 &
    QVRL_PID=$!
    for _ in $(seq 1200); do
        wid=$(xdotool search --onlyvisible --pid "$QVRL_PID" 2>/dev/null | head -1 || true)
        [ -n "$wid" ] && break
        kill -0 "$QVRL_PID" 2>/dev/null || break
        sleep 0.05
    done
    end=$(date +%s.%N)
    ticks=$(qvrl_cpu_ticks "$QVRL_PID" 2>/dev/null || echo 0)
    rss=$(qvrl_rss "$QVRL_PID" 2>/dev/null || echo 0)
    kill -9 "$QVRL_PID" 2>/dev/null || true
    wait "$QVRL_PID" 2>/dev/null || true
    QVRL_PID=
    awk -v c="$1" -v s="$start" -v e="$end" -v t="$ticks" -v hz="$hz" -v r="$rss" -v w="$wid" '
        BEGIN {
            wall = e - s; cpu = t / hz; mib = r / 1024
            ok = w != "" && wall < 2 && cpu < 2 && mib < 150
            printf "%-22s %6.2f s  %6.2f s CPU  %6.1f MiB  %s\n", c, wall, cpu, mib, ok ? "ok" : "FAIL"
            exit !ok
        }' || failed=1
}

echo "case                    wall      CPU        resident"
for n in $(seq 1 40); do
    python3 - "$work/good.ini" "$work/digits" "$n" "$work/home/quavrel/Qvrl.ini" <<'PY'
import sys
lines = open(sys.argv[1], "rb").read().split(b"\r\n")
lines[int(sys.argv[3]) - 1] = open(sys.argv[2], "rb").read()
open(sys.argv[4], "wb").write(b"\r\n".join(lines))
PY
    measure "Qvrl.ini line $n"
done
cp "$work/good.ini" "$work/home/quavrel/Qvrl.ini"
{ printf 'mp3\r\n'; cat "$work/digits"; printf '\r\nogg\r\n'; } >"$work/home/quavrel/Qvrl.flt"
measure "Qvrl.flt line 2"
rm "$work/home/quavrel/Qvrl.flt"
{ printf 'resume.enabled='; cat "$work/digits"; printf '\n'; } >"$work/home/quavrel/quavrel.conf"
measure "quavrel.conf value"
[ "$failed" = 0 ] && echo "PASS: every case within its goal" || { echo "FAIL: see above"; exit 1; }
