#pragma once

#include <string>
#include <vector>

// Media files with tags, written by ffmpeg for tests: a second of a tone in the given
// container and codec, with the tags as ffmpeg's muxer for that container writes them.
struct TaggedFile {
    std::string Name;                      // file name, with its extension
    std::vector<std::string> Codec;        // ffmpeg's output options ("-c:a", "flac")
    std::vector<std::string> Metadata = {  // ffmpeg's "-metadata" values
        "title=T\xC3\xAEtle", "artist=\xC3\x84rtist",
        "album=Album",        "album_artist=Album Artist",
        "track=3/12",         "disc=2",
        "date=2001-05-03",    "genre=Jazz"};
    std::string Cover;  // a picture file to embed as the front cover, when not empty
};

// A small PNG picture written by ffmpeg; returns its path.
std::string WritePicture(const std::string& folder, const std::string& name);

// Writes the file into folder; throws std::runtime_error when ffmpeg fails (it is one of the
// packages scripts/install-deps.sh installs). Returns its path.
std::string WriteTagged(const std::string& folder, const TaggedFile& file);
