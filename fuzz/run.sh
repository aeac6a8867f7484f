#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds (default 60),
# one after the other. Fails when a target finds a crash, a hang (over 10 s on one input), a
# leak or a sanitizer report; the input that did it is kept under <build>/fuzz/artifacts/.
# The corpus of each target grows under <build>/fuzz/corpus/<target>/ from run to run.
#   fuzz/run.sh 60            # CI: about fourteen minutes in all
#   fuzz/run.sh 3600          # by hand, an hour each
#   QVRL_FUZZ_BUILD=/tmp/f fuzz/run.sh 30   # another build folder
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${QVRL_FUZZ_BUILD:-build/fuzz}"
targets=(FuzzTextLineReader FuzzConfigReader FuzzPlayListReaders FuzzFilterFile FuzzMaskSearch
         FuzzPlsReader FuzzXspfReader FuzzListText FuzzCommandLine FuzzCueReader
         FuzzWindowsMediaReaders FuzzListWriters FuzzTagReader FuzzStreamText)
# Run one target only: QVRL_FUZZ_ONLY=FuzzXspfReader fuzz/run.sh 300
[ -n "${QVRL_FUZZ_ONLY:-}" ] && targets=("$QVRL_FUZZ_ONLY")

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DQVRL_BUILD_FUZZ=ON -DQVRL_BUILD_TESTS=OFF -DQVRL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target qvrl_fuzz

# A few well-formed inputs to start from, so the fuzzers begin past the headers.
seed() {  # seed <target> <name> <printf format>
    mkdir -p "$build/fuzz/corpus/$1"
    # shellcheck disable=SC2059
    printf -- "$3" >"$build/fuzz/corpus/$1/$2"
}
seed FuzzTextLineReader lines 'one\r\ntwo\rthree\nfour\r\n\x1aafter'
seed FuzzConfigReader config 'Quavrel v2.0 ConfigFile\r\n\r\n/home/u/list.qpl\r\nDetailed\r\n\r\n10\r\n20\r\n410\r\n458\r\nPVisible\r\n151\r\n\r\nTop\r\n0\r\n0\r\nLeft\r\n1\r\n2\r\n'
seed FuzzPlayListReaders qpl 'Quavrel v2.0 PlayList File\r\nSong\r\n/m/song.mp3\r\nOther\r\n/m/other.wav\r\n'
seed FuzzPlayListReaders m3u '#EXTM3U\r\n#EXTINF:12,Song\r\n/m/song.mp3\r\n/m/b.wav\r\n'
seed FuzzFilterFile filter 'wav\r\nmp3\nogg\r\n\r\nflac'
seed FuzzMaskSearch masks '*.MP3, *.wav;song?\0Song1.Mp3'
seed FuzzPlayListReaders m3u8 '\xef\xbb\xbf#EXTM3U\n#EXTINF:-1 tvg-name="a,b",Title\nfile:///m/a%%20b.flac\n\n#c\nrel/b.ogg\n'
seed FuzzPlsReader pls '[playlist]\nFile1=/m/a.flac\nTitle1=One\nLength1=215\nFile2=b.ogg\nNumberOfEntries=2\nVersion=2\n'
seed FuzzXspfReader xspf '<?xml version="1.0" encoding="UTF-8"?>\n<playlist version="1" xmlns="http://xspf.org/ns/0/"><trackList><track><location>file:///m/a%%20b.flac</location><title>A &amp; B</title></track><track><location>c.ogg</location></track></trackList></playlist>\n'
seed FuzzListText lines 'MUSIK\\BJ\xd6RK\\j\xf3ga.MP3\r\nfile:///a%%20b\nC:\\x.wav\r\xef\xbb\xbf'
seed FuzzCueReader cue '\xef\xbb\xbfREM GENRE Rock\r\nPERFORMER "A"\r\nFILE "Album.wav" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE "One"\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    FLAGS DCP\r\n    INDEX 00 04:12:50\r\n    INDEX 01 04:15:00\r\n'
seed FuzzWindowsMediaReaders wpl '<?wpl version="1.0"?><smil><head><title>Mix</title></head><body><seq><media src="..\\Music\\AC&apos;DC.mp3"/></seq></body></smil>'
seed FuzzWindowsMediaReaders asx '<ASX VERSION="3.0"><ENTRY><TITLE>R &amp; B</TITLE><REF HREF="file:///m/a%%20b.wma"/></ENTRY></ASX>'
seed FuzzListWriters records 'Title\0a b/c.flac\0Two\r\nlines\0100%%20Pure.opus'
seed FuzzCommandLine args '-platform\0offscreen\0list.m3u\0file:///a%%20b.flac\0--\0-x.mp3'
seed FuzzStreamText titles 'Radio \xe9t\xe9\x01\n - Song\0#EXTM3U\n#EXTINF:-1,Jazz\nhttp://h/jazz\n/etc/x\nhttp://h/l.pls\n\0abc'
# Media files of each type, short and tagged, as ffmpeg writes them: the first byte picks the
# extension (its index in FuzzTagReader's list), the rest is the file.
seed_media() {  # seed_media <index> <name> <ffmpeg output options...>
    local index=$1 name=$2 dir="$build/fuzz/corpus/FuzzTagReader"
    shift 2
    mkdir -p "$dir"
    [ -f "$dir/$name" ] && return 0
    local tmp
    tmp=$(mktemp -d)
    if ffmpeg -nostdin -v error -f lavfi -i sine=duration=0.05:sample_rate=8000 \
        -metadata title=T -metadata artist=A -metadata album=B -metadata track=3 \
        -metadata date=2001 "$@" "$tmp/$name" 2>/dev/null; then
        { printf "\\$(printf %o "$index")"; cat "$tmp/$name"; } >"$dir/$name"
    fi
    rm -rf "$tmp"
}
if command -v ffmpeg >/dev/null; then
    seed_media 0 a.mp3 -c:a libmp3lame
    seed_media 1 a.flac -c:a flac
    seed_media 2 a.ogg -c:a libvorbis
    seed_media 3 a.opus -c:a libopus
    seed_media 5 a.m4a -c:a aac
    seed_media 6 a.wma -c:a wmav2
    seed_media 7 a.wv -c:a wavpack
    seed_media 10 a.wav -c:a pcm_s16le
    seed_media 11 a.aiff -c:a pcm_s16be -write_id3v2 1
fi

mkdir -p "$build/fuzz/artifacts"
status=0
for target in "${targets[@]}"; do
    echo "== $target for ${seconds} s"
    if ! "$build/fuzz/$target" "$build/fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -artifact_prefix="$build/fuzz/artifacts/$target-" -print_final_stats=1 \
        >"$build/fuzz/$target.log" 2>&1; then
        echo "$target FAILED; its log:"
        tail -n 60 "$build/fuzz/$target.log"
        status=1
    else
        grep -E 'stat::number_of_executed_units|cov:' "$build/fuzz/$target.log" | tail -n 2
    fi
done
exit "$status"
