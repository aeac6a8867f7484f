#!/usr/bin/env bash
# Makes the tag benchmarks' files: COUNT (default 100,000) short files, half FLAC and half MP3,
# 1,000 to a folder, each with its own title, artist, album, track and year, and an M3U of
# them (tagged.m3u, LF line ends). ffmpeg writes one FLAC and one MP3 of a twentieth of a second;
# the files are those two with tags of their own (a Vorbis comment block, an ID3v2.4 tag).
#   bench/make-tagged-files.sh [FOLDER] [COUNT]
# FOLDER defaults to $QVRL_TAG_DATA, else /dev/shm/qvrl-tag-data (memory: a busy disk makes
# 100,000 small files slowly). Made once: a folder that holds the finished list is kept.
set -euo pipefail
folder="${1:-${QVRL_TAG_DATA:-/dev/shm/qvrl-tag-data}}"
count="${2:-100000}"
if [ -f "$folder/tagged.m3u" ] && [ "$(wc -l <"$folder/tagged.m3u")" -eq "$count" ]; then
    echo "$folder/tagged.m3u"
    exit 0
fi
mkdir -p "$folder"
tone=(-nostdin -v error -y -f lavfi -i sine=frequency=440:sample_rate=8000:duration=0.05)
ffmpeg "${tone[@]}" -map_metadata -1 -c:a flac "$folder/template.flac"
ffmpeg "${tone[@]}" -map_metadata -1 -c:a libmp3lame -id3v2_version 0 -write_xing 1 \
    "$folder/template.mp3"
python3 - "$folder" "$count" <<'PY'
import os, struct, sys
root, count = sys.argv[1], int(sys.argv[2])

def flac_parts(data):
    # fLaC, then metadata blocks; keep STREAMINFO and the audio frames.
    assert data[:4] == b"fLaC"
    pos, info = 4, None
    while True:
        head = data[pos]
        size = int.from_bytes(data[pos + 1:pos + 4], "big")
        if head & 0x7F == 0:
            info = data[pos + 4:pos + 4 + size]
        pos += 4 + size
        if head & 0x80:
            return info, data[pos:]

def vorbis_comment(fields):
    vendor = b"qvrl bench"
    body = struct.pack("<I", len(vendor)) + vendor + struct.pack("<I", len(fields))
    for key, value in fields:
        item = (key + "=" + value).encode()
        body += struct.pack("<I", len(item)) + item
    return body

def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])

def id3v24(fields):
    frames = b""
    for frame_id, value in fields:
        data = b"\x03" + value.encode()
        frames += frame_id.encode() + syncsafe(len(data)) + b"\0\0" + data
    return b"ID3\x04\x00\x00" + syncsafe(len(frames)) + frames

info, frames = flac_parts(open(os.path.join(root, "template.flac"), "rb").read())
mp3 = open(os.path.join(root, "template.mp3"), "rb").read()
paths = []
for i in range(count):
    sub = os.path.join(root, "d%03d" % (i // 1000))
    if i % 1000 == 0:
        os.makedirs(sub, exist_ok=True)
    title = "Title %06d" % i
    artist = "Artist %04d" % (i // 250)
    album = "Album %05d" % (i // 10)
    track = str(i % 10 + 1)
    year = str(1950 + i % 70)
    if i % 2 == 0:
        path = os.path.join(sub, "%06d.flac" % i)
        comment = vorbis_comment([("TITLE", title), ("ARTIST", artist), ("ALBUM", album),
                                  ("TRACKNUMBER", track), ("DATE", year)])
        body = (b"fLaC" + bytes([0]) + len(info).to_bytes(3, "big") + info +
                bytes([0x84]) + len(comment).to_bytes(3, "big") + comment + frames)
    else:
        path = os.path.join(sub, "%06d.mp3" % i)
        body = id3v24([("TIT2", title), ("TPE1", artist), ("TALB", album), ("TRCK", track),
                       ("TDRC", year)]) + mp3
    with open(path, "wb") as out:
        out.write(body)
    paths.append(path)
with open(os.path.join(root, "tagged.m3u.part"), "w") as out:
    out.write("".join(p + "\n" for p in paths))
os.replace(os.path.join(root, "tagged.m3u.part"), os.path.join(root, "tagged.m3u"))
PY
echo "$folder/tagged.m3u"
