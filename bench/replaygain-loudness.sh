#!/usr/bin/env bash
# ReplayGain from outside: two FLAC files of one 440 Hz tone, 12 dB apart, tagged with the
# track gains that level them (REPLAYGAIN_TRACK_GAIN -10.00 and +2.00 dB), play as a list in the
# real player while parec records the null sink's monitor; bench/loudness.py measures each.
# Prints the levels with ReplayGain off and by track.
#
#   bench/replaygain-loudness.sh [--check] [QVRL]
#   --check  exit 1 unless by track the two are within 0.5 dB and off they are 12 dB apart
# QVRL defaults to build/debug/player/qvrl. Starts its own X server and sound server.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0 qvrl=""
args=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --check) check=1 ;;
        *) qvrl="$1" ;;
    esac
    shift
done
qvrl="${qvrl:-build/debug/player/qvrl}"
[ -x "$qvrl" ] || { echo "no player at $qvrl"; exit 2; }
qvrl=$(realpath "$qvrl")
if [ -z "${QVRL_GAIN_INSIDE:-}" ]; then
    QVRL_GAIN_INSIDE=1 exec scripts/with-test-services.sh "$0" "${args[@]}"
fi

work=$(mktemp -d)
player="" recorder=""
cleanup() {
    [ -n "$player" ] && kill "$player" 2>/dev/null || true
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
sink="${QVRL_PULSE_TEST_SINK:-quavrel_test}"
rate=44100

tone() {  # tone FILE VOLUME GAIN PEAK
    ffmpeg -v error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2" \
        -af "volume=$2" -ac 1 -c:a flac -metadata REPLAYGAIN_TRACK_GAIN="$3 dB" \
        -metadata REPLAYGAIN_TRACK_PEAK="$4" "$1"
}
# ffmpeg's sine is at 1/8 of full scale: 4 times louder is about -6 dB, half as loud -24 dB.
tone "$work/loud.flac" 4 -10.00 0.500000
tone "$work/soft.flac" 1 +2.00 0.125000
ffmpeg -v error -y -f lavfi -i "anullsrc=r=44100:cl=mono" -t 1 -c:a pcm_s16le "$work/gap.wav"
printf '%s\n' "$work/loud.flac" "$work/gap.wav" "$work/soft.flac" "$work/gap.wav" \
    "$work/gap.wav" >"$work/list.m3u"

measure() {  # measure MODE: prints loudness.py's line for the list played with that mode
    local settings=$work/config-$1
    mkdir -p "$settings/quavrel"
    printf 'replaygain.mode=%s\n' "$1" >"$settings/quavrel/quavrel.conf"
    parec -d "$sink.monitor" --raw --format=s16le --rate=$rate --channels=1 \
        --latency-msec=20 >"$work/$1.raw" &
    recorder=$!
    sleep 0.3
    XDG_CONFIG_HOME=$settings "$qvrl" "$work/list.m3u" >"$work/player.log" 2>&1 &
    player=$!
    sleep 8
    kill "$player" 2>/dev/null || true
    wait "$player" 2>/dev/null || true
    player=""
    kill "$recorder" 2>/dev/null || true
    wait "$recorder" 2>/dev/null || true
    recorder=""
    python3 bench/loudness.py "$work/$1.raw" $rate || true
}

off=$(measure off)
track=$(measure track)
echo "replaygain off:   $off"
echo "replaygain track: $track"
if [ "$check" = 1 ]; then
    spread() { sed -n 's/.*spread=\([0-9.]*\).*/\1/p' <<<"$1"; }
    python3 -c "import sys; off, track = float(sys.argv[1]), float(sys.argv[2]); \
sys.exit(0 if track <= 0.5 and off > 10 else 1)" "$(spread "$off")" "$(spread "$track")" ||
        { echo "FAIL: ReplayGain does not level the two files"; exit 1; }
fi
