#!/usr/bin/env bash
# The real player on tagged files that ffmpeg writes (FLAC with an embedded cover, MP3 with
# ID3v2.3, Ogg Vorbis, M4A): while each plays, playerctl reads its tags from the media player
# interface; the tag cache and the cover picture land under XDG_CACHE_HOME; a second start
# shows the tags again. Needs an X display and a sound server (ctest runs inside
# scripts/with-test-services.sh); wraps itself in dbus-run-session. Exit 77 (skipped) when
# playerctl or ffmpeg is not installed.
set -euo pipefail
qvrl="$1"
for tool in playerctl ffmpeg; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
if [ -z "${QVRL_E2E_ON_BUS:-}" ]; then
    QVRL_E2E_ON_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=../../bench/player-session.sh
source "$here/../../bench/player-session.sh"

qvrl_wait_display
work=$(mktemp -d /tmp/qvrl-tags-e2e-XXXXXX)
trap 'qvrl_stop_all; rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
mkdir -p "$work/music"
tone=(-nostdin -v error -y -f lavfi -i sine=frequency=440:duration=30)
tagged() {  # tagged NAME LETTER OPTIONS...: a 30 s tone tagged "Title LETTER" and so on
    local name="$1" letter="$2"
    shift 2
    ffmpeg "${tone[@]}" "$@" -metadata "title=Title $letter" -metadata "artist=Artist $letter" \
        -metadata "album=Album $letter" -metadata "album_artist=Band $letter" \
        -metadata track=7 "$work/music/$name"
}
ffmpeg -nostdin -v error -y -f lavfi -i color=c=blue:s=16x16 -frames:v 1 "$work/cover.png"
ffmpeg "${tone[@]}" -i "$work/cover.png" -map 0:a -map 1:v -c:v copy -disposition:v attached_pic \
    -metadata "title=Title A" -metadata "artist=Artist A" -metadata "album=Album A" \
    -metadata "album_artist=Band A" -metadata track=7 -c:a flac "$work/music/a.flac"
tagged b.mp3 B -c:a libmp3lame -id3v2_version 3
tagged c.ogg C -c:a libvorbis
tagged d.m4a D -c:a aac
printf '%s\n' "$work"/music/{a.flac,b.mp3,c.ogg,d.m4a} >"$work/list.m3u"
qvrl_settings "$qvrl" "$work/home" "$work/list.m3u" 1 0
qvrl_start "$qvrl" "$work/home"

pc() { playerctl -p quavrel "$@"; }
failures=0
expect() {  # expect WHAT WANTED COMMAND...: retries for up to 5 s, tags come a little later
    local what="$1" wanted="$2" got=""
    shift 2
    for _ in $(seq 100); do
        got=$("$@" 2>&1 || true)
        [ "$got" = "$wanted" ] && { echo "ok   $what: $got"; return 0; }
        sleep 0.05
    done
    echo "FAIL $what: wanted '$wanted', got '$got'"
    failures=$((failures + 1))
}
expect_each() {  # expect_each LETTER: the playing file's tags
    expect "title $1" "Title $1" pc metadata xesam:title
    expect "artist $1" "Artist $1" pc metadata xesam:artist
    expect "album $1" "Album $1" pc metadata xesam:album
    expect "album artist $1" "Band $1" pc metadata xesam:albumArtist
    expect "track $1" 7 pc metadata xesam:trackNumber
}
expect_each A
art=$(for _ in $(seq 100); do a=$(pc metadata mpris:artUrl 2>/dev/null || true); [ -n "$a" ] && { echo "$a"; break; }; sleep 0.05; done)
case "$art" in
    "file://$XDG_CACHE_HOME/quavrel/covers/"*.png) echo "ok   art: $art"
        cmp -s "${art#file://}" "$work/cover.png" && echo "ok   art is the embedded picture" ||
            { echo "FAIL art differs from the embedded picture"; failures=$((failures + 1)); } ;;
    *) echo "FAIL art: '$art'"; failures=$((failures + 1)) ;;
esac
for letter in B C D; do
    pc next
    expect_each "$letter"
done
expect "length from the tags or the device" 30000000 pc metadata mpris:length
qvrl_quit
[ -s "$XDG_CACHE_HOME/quavrel/tags.sqlite" ] && echo "ok   tag cache written" ||
    { echo "FAIL no tag cache"; failures=$((failures + 1)); }

# Again, with the cache: the same tags.
qvrl_start "$qvrl" "$work/home"
expect_each A
qvrl_quit
echo "$failures failed"
[ "$failures" -eq 0 ]
