#!/usr/bin/env bash
# Silence at a join, measured from the sound server's output. One 440 Hz tone of 2.5 s is cut at
# an odd sample (1 s and one sample) into two files of each format (WAV, FLAC, Ogg Vorbis, Opus,
# WavPack, MP3); the player plays the two and a file of silence as a three-entry list while
# parec records the null sink's monitor, and bench/join_gap.py counts the silent and broken
# samples inside the tone. Prints one line per format and player.
#
#   bench/gapless-join.sh [--check] [--audacious] [--runs N] [QVRL]
#   --check      plays WAV, FLAC, Ogg and Opus only, and exits 1 unless each joins with 0 silent
#                samples and WAV, FLAC and Opus with 0 broken ones (the end-to-end test runs it
#                so). Ogg Vorbis is let
#                off the broken count: FFmpeg 5.1's Ogg reading (under libmpv) drops the last
#                128 samples of every Vorbis file, which libvorbis itself decodes whole.
#   --audacious  also plays the same files in Audacious (installed with apt-get if missing)
#   --big        the list holds 100,000 entries (the silence file again after the three), so
#                the join happens while the window holds a list that large
# QVRL defaults to build/debug/player/qvrl. Starts its own X server and sound server
# (scripts/with-test-services.sh); the user's own are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0 audacious=0 runs=1 big=0 qvrl=""
args=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --check) check=1 ;;
        --audacious) audacious=1 ;;
        --big) big=1 ;;
        --runs) runs="$2"; shift ;;
        *) qvrl="$1" ;;
    esac
    shift
done
qvrl="${qvrl:-build/debug/player/qvrl}"
[ -x "$qvrl" ] || { echo "no player at $qvrl"; exit 2; }
qvrl=$(realpath "$qvrl")

if [ -z "${QVRL_JOIN_INSIDE:-}" ]; then
    if [ "$audacious" = 1 ] && ! command -v audacious >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends audacious \
            audacious-plugins >/dev/null
    fi
    QVRL_JOIN_INSIDE=1 exec scripts/with-test-services.sh "$0" "${args[@]}"
fi

work=$(mktemp -d)
player=""
recorder=""
cleanup() {
    [ -n "$player" ] && kill "$player" 2>/dev/null || true
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
    [ -n "${QVRL_JOIN_KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
sink="${QVRL_PULSE_TEST_SINK:-quavrel_test}"
rate=44100

# make_pair FORMAT: $work/FORMAT/{a,b}.EXT and silence.wav, and list.m3u naming the three.
make_pair() {
    local format=$1 dir=$work/$1 source_rate=44100 ext=$1 codec=()
    mkdir -p "$dir"
    case "$format" in
        wav) codec=(-c:a pcm_s16le) ;;
        flac) codec=(-c:a flac) ;;
        ogg) codec=(-c:a libvorbis -q:a 6) ;;
        opus) codec=(-c:a libopus -b:a 160k); source_rate=48000 ;;
        wv) codec=(-c:a wavpack) ;;
        mp3) codec=(-c:a libmp3lame -b:a 192k) ;;
    esac
    local cut=$((source_rate + 1))
    ffmpeg -v error -y -f lavfi -i "sine=frequency=440:sample_rate=$source_rate:duration=2.5" \
        -ac 1 -c:a pcm_s16le "$dir/tone.wav"
    ffmpeg -v error -y -i "$dir/tone.wav" -af "atrim=end_sample=$cut" "${codec[@]}" "$dir/a.$ext"
    ffmpeg -v error -y -i "$dir/tone.wav" -af "atrim=start_sample=$cut,asetpts=PTS-STARTPTS" \
        "${codec[@]}" "$dir/b.$ext"
    ffmpeg -v error -y -f lavfi -i "anullsrc=r=44100:cl=mono" -t 2 -c:a pcm_s16le \
        "$dir/silence.wav"
    printf '%s\n' "$dir/a.$ext" "$dir/b.$ext" "$dir/silence.wav" >"$dir/list.m3u"
    if [ "$big" = 1 ]; then
        { yes "$dir/silence.wav" || true; } | head -n 99997 >>"$dir/list.m3u"
    fi
}

# record SECONDS FILE COMMAND...: records the monitor while COMMAND runs for SECONDS.
record() {
    local seconds=$1 file=$2
    shift 2
    parec -d "$sink.monitor" --raw --format=s16le --rate=$rate --channels=1 \
        --latency-msec=20 >"$file" &
    recorder=$!
    sleep 0.3
    "$@" >"$work/player.log" 2>&1 &
    player=$!
    sleep "$seconds"
    kill "$player" 2>/dev/null || true
    wait "$player" 2>/dev/null || true
    player=""
    kill "$recorder" 2>/dev/null || true
    wait "$recorder" 2>/dev/null || true
    recorder=""
}

failed=0
formats="${QVRL_JOIN_FORMATS:-wav flac ogg opus wv mp3}"
[ "$check" = 1 ] && formats="wav flac ogg opus"
for format in $formats; do
    make_pair "$format"
    dir=$work/$format
    for run in $(seq "$runs"); do
        settings=$work/config-$format-$run
        mkdir -p "$settings"
        XDG_CONFIG_HOME=$settings record $((big ? 25 : 7)) "$dir/quavrel.raw" "$qvrl" "$dir/list.m3u"
        figures=$(python3 bench/join_gap.py "$dir/quavrel.raw" $rate 440 2.5 || true)
        echo "quavrel   $format  $figures"
        case "$format" in
            wav | flac | opus) [[ "$figures" == *"silent=0 broken=0 "* ]] || failed=1 ;;
            ogg) [[ "$figures" == *"silent=0 "* ]] || failed=1 ;;
        esac
        if [ "$audacious" = 1 ]; then
            XDG_CONFIG_HOME=$settings-aud record 7 "$dir/audacious.raw" \
                audacious -H -p "$dir/a.${dir##*/}" "$dir/b.${dir##*/}" "$dir/silence.wav"
            echo "audacious $format  $(python3 bench/join_gap.py "$dir/audacious.raw" $rate 440 2.5 || true)"
        fi
    done
done
if [ "$check" = 1 ] && [ "$failed" = 1 ]; then
    echo "FAIL: a join has silence, or a lossless or Opus join is not sample-exact"
    exit 1
fi
