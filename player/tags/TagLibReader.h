#pragma once

#include "tags/TagReader.h"

// TagReader on TagLib: MP3 (ID3v1, ID3v2.2 to 2.4, APE), FLAC, Ogg Vorbis, Opus, Speex and
// FLAC, MP4/M4A (AAC, ALAC), WMA/ASF, WavPack, Monkey's Audio, WAV and AIFF (ID3 and INFO
// chunks), Musepack, True Audio and the tracker modules. The type follows the extension; other
// types (video, MIDI, raw AAC) give nullopt without opening the file. Text in a single-byte
// encoding (ID3v1, Latin-1 frames, INFO chunks) is read as Windows-1252.
class TagLibReader final : public TagReader {
public:
    TagLibReader();

    std::optional<TrackTags> Read(const std::string& path) override;
    std::optional<CoverPicture> ReadCover(const std::string& path) override;

    // Whether the extension of path names a type this reader opens (ASCII letters in any case).
    static bool Reads(const std::string& path);

private:
    static std::optional<TrackTags> ReadTags(const std::string& path);
    static std::optional<CoverPicture> ReadPicture(const std::string& path);
};
