#!/usr/bin/env bash
# Soak: the real player plays a looped, shuffled list of generated short files while a second
# process sends media player commands (next, previous, seek, pause, play) at random moments.
# Passes when the player is still running at the end, its resident memory stays within 10 %
# of what it was after the first minute, and every command was answered (within 5 s each).
#   bench/soak.sh                 # ten minutes, 200 files of 1.5 s
#   bench/soak.sh 2 50            # two minutes, 50 files
#   QVRL=build/debug/player/qvrl bench/soak.sh
# Starts its own X server and PulseAudio null sink (scripts/with-test-services.sh) and its own
# session bus (dbus-run-session). Figures go to stdout; the samples to $QVRL_SOAK_DIR if set.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-10}"
files="${2:-200}"
if [ -z "${QVRL_SOAK_INSIDE:-}" ]; then
    QVRL_SOAK_INSIDE=1 exec scripts/with-test-services.sh dbus-run-session -- "$0" "$@"
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

work=$(mktemp -d /tmp/qvrl-soak-XXXXXX)
keep="${QVRL_SOAK_DIR:-}"
trap 'qvrl_stop_all; [ -n "$keep" ] && cp "$work"/*.csv "$work"/home/qvrl.log "$keep"/ 2>/dev/null; rm -rf "$work"' EXIT
echo "soak: $qvrl, $files files of 1.5 s, looped and shuffled, for $minutes min"
qvrl_media "$work/music" "$files" 1500
qvrl_playlist "$work/list.qpl" "$work"/music/*.wav
qvrl_settings "$qvrl" "$work/home" "$work/list.qpl" 1 1
qvrl_start "$qvrl" "$work/home"

commands=(Next Previous Seek Pause Play)
sent=0 answered=0 unanswered=0
declare -A count=()
start=$(date +%s)
deadline=$((start + minutes * 60))
baseline=""
peak=0
next_sample=$start
echo "seconds,rss_kib" >"$work/rss.csv"
RANDOM=20261207  # the same commands in the same order on every run
while [ "$(date +%s)" -lt "$deadline" ]; do
    now=$(date +%s)
    kill -0 "$QVRL_PID" 2>/dev/null || { echo "FAIL: the player ended after $((now - start)) s"; tail -n 20 "$work/home/qvrl.log"; exit 1; }
    if [ "$now" -ge "$next_sample" ]; then
        rss=$(qvrl_rss "$QVRL_PID")
        echo "$((now - start)),$rss" >>"$work/rss.csv"
        if [ -z "$baseline" ] && [ $((now - start)) -ge 60 ]; then baseline=$rss; fi
        if [ -n "$baseline" ] && [ "$rss" -gt "$peak" ]; then peak=$rss; fi
        next_sample=$((now + 10))
    fi
    command=${commands[RANDOM % ${#commands[@]}]}
    args=()
    [ "$command" = Seek ] && args=("int64:$(((RANDOM % 3 - 1) * 500000))")
    sent=$((sent + 1))
    count[$command]=$((${count[$command]:-0} + 1))
    if qvrl_call "$command" "${args[@]}"; then
        answered=$((answered + 1))
    else
        unanswered=$((unanswered + 1))
        echo "unanswered: $command ${args[*]}"
    fi
    # 0.1 s to 1 s between commands
    sleep "0.$((RANDOM % 9 + 1))"
done

final=$(qvrl_rss "$QVRL_PID")
[ -z "$baseline" ] && baseline=$final
[ "$final" -gt "$peak" ] && peak=$final
growth=$(awk -v b="$baseline" -v p="$peak" 'BEGIN { printf "%.1f", (p - b) * 100 / b }')
status=$(qvrl_get PlaybackStatus | awk -F'"' '/string/ { print $2 }')
qvrl_quit || { echo "FAIL: the player did not leave when asked"; exit 1; }
echo "exit status when asked to quit: $QVRL_EXIT"

echo "commands sent: $sent ($(for c in "${commands[@]}"; do printf '%s %s, ' "$c" "${count[$c]:-0}"; done | sed 's/, $//'))"
echo "answered: $answered, unanswered: $unanswered"
echo "resident memory: ${baseline} KiB after the first minute, peak ${peak} KiB after it, ${final} KiB at the end (${growth} %)"
echo "playback status at the end: $status"
ok=1
[ "$QVRL_EXIT" -eq 0 ] || { echo "FAIL: the player ended with status $QVRL_EXIT"; ok=0; }
[ "$unanswered" -eq 0 ] || { echo "FAIL: $unanswered commands unanswered"; ok=0; }
awk -v b="$baseline" -v p="$peak" 'BEGIN { exit !(p <= b * 1.10) }' ||
    { echo "FAIL: resident memory grew more than 10 %"; ok=0; }
[ "$ok" -eq 1 ] && echo "soak PASSED" || { echo "soak FAILED"; exit 1; }
