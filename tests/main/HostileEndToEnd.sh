#!/usr/bin/env bash
# The real player against hostile input and faults (scripts/with-test-services.sh provides the
# display and the sound server): a FIFO, /dev/zero and a sparse 64 GiB file as the default play
# list, window sizes of 2147483647, a list that names itself, a FIFO named as a song, a session
# bus that accepts and never answers, starts without a display, an Exit whose settings cannot be
# written, leftovers of an interrupted save, and 200 starts at once. Each case must end at once
# with the program answering; none may take the machine's memory.
#
# usage: HostileEndToEnd.sh QVRL OUTDIR    exit 77 (skipped) without a display or sound server
source "$(dirname "$0")/../support/player-e2e.sh"
here=$(dirname "$0")
sox -n -r 22050 -c 1 "$work/tone.wav" synth 30 sine 440 vol 0.1

# write_config LIST [LEFT TOP WIDTH HEIGHT]
write_config() {
    printf '%s\r\n' "Quavrel v2.0 ConfigFile" "[Basic Config]" "$1" "Detailed" \
        "[Window Coordinates]" "${2:-40}" "${3:-40}" "${4:-410}" "${5:-458}" PVisible 151 \
        "[Toolbar Coordinates]" dTop1 201 0 dRight 0 0 dTop1 0 0 dBottom 0 26 303 15 \
        FormVisible HotTrack "[Toolbar Options]" FVisible SVisible OVisible Loop NoShuffle Text \
        "$work/" "Filtering ON" RollerDown "$work/" DefaultColors >"$settings/Qvrl.ini"
}

# named NAME: the id of the player's visible window whose whole title matches the regular
# expression NAME (the toolkit's own search also matches other properties).
named() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [[ "$(xdotool getwindowname "$w" 2>/dev/null)" =~ ^$1$ ]] && { echo "$w"; return 0; }
    done
    return 1
}

# window NAME [SECONDS]: waits for the player's window named NAME (see named), its id in wid.
window() {
    wid=
    for _ in $(seq $((${2:-10} * 10))); do
        wid=$(named "$1" || true)
        [[ -n "$wid" ]] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

start() {  # start [ARG...]: the player on $settings, in $work
    (cd "$work" && exec "$qvrl" "$@") >"$work/player.log" 2>&1 &
    pid=$!
}

dismiss() {  # dismiss NAME: answers the player's box named NAME with Return
    window "$1" || fail "no box \"$1\""
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 50); do
        named "$1" >/dev/null || return 0
        sleep 0.1
    done
    fail "the box \"$1\" stayed"
}

stop() {  # ends the player through Exit on its main window
    window "Quavrel v2.0" || window ".* Quavrel v2.0" || fail "no main window to exit from"
    exit_player
}

rss_mib() { awk '/^VmRSS:/ { print int($2 / 1024) }' "/proc/$pid/status"; }

# --- A FIFO, /dev/zero and a sparse 64 GiB file as the default play list ---
mkfifo "$work/fifo.qpl"
truncate -s 64G "$work/sparse.qpl"
for list in "$work/fifo.qpl" /dev/zero "$work/sparse.qpl"; do
    write_config "$list"
    start
    # The box names the failure; the window is there and answers.
    window Quavrel 10 || fail "no error box for the default list $list"
    [[ $(rss_mib) -lt 300 ]] || fail "reading $list took $(rss_mib) MiB"
    dismiss Quavrel
    stop
done
echo "ok: FIFO, device and sparse default lists refused at once"

# --- Window sizes of 2147483647 ---
write_config "" 2147483647 2147483647 2147483647 2147483647
start
window "Quavrel v2.0" || fail "no window with absurd sizes"
read -r w h < <(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }')
screen=$(xdotool getdisplaygeometry)
[[ $w -le ${screen% *} && $h -le ${screen#* } ]] || fail "window ${w}x$h beyond the screen $screen"
[[ $(rss_mib) -lt 300 ]] || fail "the window took $(rss_mib) MiB"
stop
echo "ok: absurd window sizes kept to the screen (${w}x$h)"

# --- A list that names itself, with m3u in the type filter ---
write_config ""
printf 'mp3\r\nwav\r\nm3u\r\n' >"$settings/Qvrl.flt"
printf '%s\n' "$work/self.m3u" >"$work/self.m3u"
start self.m3u
window Error 5 || fail "no failure box for a list that names itself"
sleep 0.5
ticks1=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
sleep 1
ticks2=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
[[ $((ticks2 - ticks1)) -lt 50 ]] || fail "busy after refusing a self-naming list"
dismiss Error
stop
rm "$settings/Qvrl.flt"
echo "ok: a self-naming list ends at once"

# --- A FIFO named as a song, on the command line ---
mkfifo "$work/fifo.mp3"
start fifo.mp3
window "Quavrel v2.0" 10 || fail "a FIFO named .mp3 held the start"
stop
echo "ok: a FIFO named as a song is refused"

# --- A session bus that accepts and never answers ---
python3 "$here/../support/silent-bus.py" "$work/bus" 60 &
bus=$!
for _ in $(seq 50); do [[ -S "$work/bus" ]] && break; sleep 0.1; done
(cd "$work" && DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" exec "$qvrl") >"$work/player.log" 2>&1 &
pid=$!
window "Quavrel v2.0" 10 || fail "no window with a bus that never answers"
stop
kill "$bus" 2>/dev/null || true
echo "ok: a bus that never answers holds nothing"

# --- Starts without a display ---
start
window "Quavrel v2.0" || fail "no first copy"
first=$pid
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY "$qvrl" tone.wav) >"$work/second.log" 2>&1 ||
    fail "a second start without a display failed: $(cat "$work/second.log")"
window "\[ tone.wav \] Quavrel v2.0" 10 || fail "the running copy did not take the file"
stop
set +e
env -u DISPLAY -u WAYLAND_DISPLAY "$qvrl" >"$work/headless.log" 2>&1
status=$?
set -e
[[ $status -ne 0 && $status -lt 128 ]] || fail "a first copy without a display ended with $status"
[[ $(wc -l <"$work/headless.log") -eq 1 ]] || fail "more than one line: $(cat "$work/headless.log")"
echo "ok: without a display a second start hands over, a first says so ($(cat "$work/headless.log"))"

# --- Exit when the settings cannot be written: Qvrl.ini is a folder (root writes anywhere) ---
write_config ""
start
window "Quavrel v2.0" || fail "no window"
rm "$settings/Qvrl.ini" && mkdir "$settings/Qvrl.ini" && touch "$settings/Qvrl.ini/inside"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key ctrl+x
dismiss Quavrel  # says why, once
kill -0 "$pid" || fail "the first Exit ended the program without saying why"
window "Quavrel v2.0" || fail "no window after the box"
exit_player  # the second Exit ends it
[[ -d "$settings/Qvrl.ini" && -e "$settings/Qvrl.ini/inside" ]] || fail "the folder was touched"
rm -rf "$settings/Qvrl.ini"
echo "ok: Exit ends after saying once why the settings could not be written"

# --- Leftovers of an interrupted save ---
printf 'half' >"$settings/.Qvrl.ini.a1B2c3"
printf 'half' >"$settings/.Qvrl.flt.Zz9Yy8"
printf 'mine' >"$settings/.Qvrl.ini.notours"
start
window "Quavrel v2.0" || fail "no window"
[[ ! -e "$settings/.Qvrl.ini.a1B2c3" && ! -e "$settings/.Qvrl.flt.Zz9Yy8" ]] || fail "leftovers stayed"
[[ -e "$settings/.Qvrl.ini.notours" ]] || fail "a file not of our naming was removed"
stop
echo "ok: leftovers of an interrupted save are removed at the next start"

# --- 200 starts while one copy runs, then 20 racing with none ---
start
window "Quavrel v2.0" || fail "no first copy"
first=$pid
starts=()
for n in $(seq 200); do
    (cd "$work" && exec "$qvrl" tone.wav) >/dev/null 2>&1 &
    starts+=($!)
done
bad=0
for s in "${starts[@]}"; do wait "$s" || bad=$((bad + 1)); done
[[ $bad -eq 0 ]] || fail "$bad of 200 starts did not hand over"
kill -0 "$first" || fail "the first copy ended"
[[ $(pgrep -c -f "^$qvrl" || true) -eq 1 ]] || fail "more than one player: $(pgrep -a -f "^$qvrl")"
stop
starts=()
for n in $(seq 20); do
    (cd "$work" && exec "$qvrl" tone.wav) >/dev/null 2>&1 &
    starts+=($!)
done
sleep 5
players=$(pgrep -c -f "^$qvrl" || true)
[[ $players -eq 1 ]] || fail "$players players after 20 racing starts"
pid=$(pgrep -f "^$qvrl")
for s in "${starts[@]}"; do [[ $s == "$pid" ]] || wait "$s" || fail "a racing start failed"; done
stop
echo "ok: 200 hand-overs reach the one copy; 20 racing starts give one player"
echo "hostile end to end: every case held"
