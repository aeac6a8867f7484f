#!/usr/bin/env bash
# The real player given files as a file manager gives them (scripts/with-test-services.sh
# provides the display and the sound server): "qvrl list.m3u" loads an extended M3U written
# with LF ends and plays its first entry under its #EXTINF title; a second "qvrl song.flac",
# started in another folder with a relative name, hands the file to the running copy and ends;
# the running copy adds it and plays it. A second start without files ends too, and the first
# copy runs on. Screenshots go to OUTDIR.
#
# usage: OpenFilesEndToEnd.sh QVRL OUTDIR     exit 77 (skipped) without a display or sound server
source "$(dirname "$0")/../support/player-e2e.sh"
mkdir -p "$work/Music/Album" "$work/elsewhere"

sox -n -r 44100 -c 2 "$work/Music/Album/01 first.flac" synth 30 sine 440 vol 0.1
sox -n -r 44100 -c 2 "$work/Music/Album/02 second.ogg" synth 30 sine 550 vol 0.1
sox -n -r 44100 -c 2 "$work/elsewhere/song.flac" synth 30 sine 660 vol 0.1
printf '#EXTM3U\n#EXTINF:30,Artist - First Tone\nAlbum/01 first.flac\n#EXTINF:30,Artist - Second Tone\nfile://%s\n' \
    "$work/Music/Album/02%20second.ogg" >"$work/Music/list.m3u"

window_titled() {  # window_titled TEXT: the id of the visible window whose title holds TEXT
    for _ in $(seq 150); do
        wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [[ -n "$wid" ]] && return 0
        sleep 0.1
    done
    return 1
}

# A second start must end at once, with exit code 0, having handed over what it was given.
second_start() {
    local second
    (cd "$work/elsewhere" && exec "$qvrl" "$@") >"$work/second.log" 2>&1 &
    second=$!
    if ! ended "$second"; then
        kill "$second"
        fail "the second start did not end"
    fi
    wait "$second" || fail "the second start ended with $?: $(cat "$work/second.log")"
}

(cd "$work" && exec "$qvrl" Music/list.m3u) >"$work/player.log" 2>&1 &
pid=$!
window_titled "Artist - First Tone" || fail "the list's first entry does not play under its title"
sleep 0.5
import -window root "$out/list-loaded.png"

second_start song.flac
window_titled "\[ song.flac \]" || fail "the running copy did not play the handed-over file"
kill -0 "$pid" || fail "the first copy ended"
second_start
kill -0 "$pid" || fail "the first copy ended after a start without files"
sleep 0.5
import -window root "$out/file-added.png"

exit_player
# The play list file itself is never written.
grep -q '^#EXTINF:30,Artist - First Tone$' "$work/Music/list.m3u" || fail "the list changed"
echo "end to end: a list and a handed-over file played; screenshots in $out"
