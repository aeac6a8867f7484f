#!/usr/bin/env bash
# The real player given a CUE sheet as a ripper leaves it (scripts/with-test-services.sh
# provides the display and the sound server): "qvrl Album.cue", the sheet in Windows-1252 with
# CR LF and no final line end, naming "Album.wav" where the rip is "Album.flac". Each track
# plays under its TITLE, one after the other at the times the sheet gives, the file running on
# from one track into the next; the sheet itself is never written. Screenshots go to OUTDIR.
#
# usage: CueEndToEnd.sh QVRL OUTDIR     exit 77 (skipped) without a display or sound server
source "$(dirname "$0")/../support/player-e2e.sh"
mkdir -p "$work/Rips"

# Three tones of 2 s in one file: the tracks' borders are where the pitch changes.
sox -n -r 44100 -c 2 "$work/t1.wav" synth 2 sine 440 vol 0.1
sox -n -r 44100 -c 2 "$work/t2.wav" synth 2 sine 550 vol 0.1
sox -n -r 44100 -c 2 "$work/t3.wav" synth 2 sine 660 vol 0.1
sox "$work/t1.wav" "$work/t2.wav" "$work/t3.wav" "$work/Rips/Album.flac"
printf 'REM GENRE Test\r\nPERFORMER "Bj\xf6rk"\r\nTITLE "Tones"\r\nFILE "Album.wav" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE "First Tone"\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    TITLE "Second Tone"\r\n    FLAGS DCP\r\n    INDEX 00 00:01:70\r\n    INDEX 01 00:02:00\r\n  TRACK 03 AUDIO\r\n    TITLE "Caf\xe9 Tone"\r\n    INDEX 01 00:04:00' \
    >"$work/Rips/Album.cue"

# Waits for a window whose title holds TEXT; prints the milliseconds since the start.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
start=$(now_ms)
title_at() {
    for _ in $(seq 200); do
        wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        if [[ -n "$wid" ]]; then
            echo $(($(now_ms) - start))
            return 0
        fi
        sleep 0.05
    done
    return 1
}

(cd "$work" && exec "$qvrl" Rips/Album.cue) >"$work/player.log" 2>&1 &
pid=$!
first=$(title_at "\[ First Tone \]") || fail "the first track does not play under its title"
sleep 0.3
import -window root "$out/cue-first-track.png"
second=$(title_at "\[ Second Tone \]") || fail "the second track does not follow"
third=$(title_at "\[ Café Tone \]") || fail "the third track does not follow under its title"
import -window root "$out/cue-third-track.png"
# Two seconds a track, give or take what polling the title costs.
for gap in $((second - first)) $((third - second)); do
    ((gap > 1500 && gap < 2600)) || fail "a track took $gap ms, not 2000"
done
# The window's id, found in a subshell above.
wid=$(xdotool search --onlyvisible --name "Quavrel" 2>/dev/null | head -1 || true)
exit_player
grep -q 'TITLE "Second Tone"' "$work/Rips/Album.cue" || fail "the sheet changed"
echo "end to end: a CUE album played its tracks in order (at $first, $second, $third ms); screenshots in $out"
