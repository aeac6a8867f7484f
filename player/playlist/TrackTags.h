#pragma once

#include <cstdint>
#include <string>

// What a media file says of itself: its tags and its length. Texts are UTF-8 (tags in other
// encodings are converted when read); numbers are 0 and texts empty where the file says nothing.
struct TrackTags {
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string AlbumArtist;
    std::string Genre;
    int Track = 0;
    int Disc = 0;
    int Year = 0;
    std::int64_t LengthMs = -1;  // -1: unknown (the media device may tell it once the file plays)
    bool HasCover = false;       // a picture is embedded in the file

    bool operator==(const TrackTags&) const = default;
};
