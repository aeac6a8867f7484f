#pragma once

#include <cstdint>
#include <string>

// One record of a play list file: the caption shown for the entry and the path it plays.
// M3U files hold no captions; their records leave Caption empty.
struct PlayListRecord {
    // How the path's "%XY" escapes are meant, which only the list's form can tell.
    enum class Escapes {
        AsWritten,     // the own form: the path is used as written
        WrittenFirst,  // M3U, PLS: tried as written, then percent-decoded where that names nothing
        DecodedFirst,  // XSPF: a URI reference, decoded; the raw text where only it names a file
    };

    std::string Caption;
    std::string Path;
    Escapes PathEscapes = Escapes::AsWritten;
    // A part of the file only (a CUE sheet's track, a VLC start and stop time): from StartMs to
    // EndMs, -1 meaning the end of the file. StartMs 0 and EndMs -1 is the whole file.
    std::int64_t StartMs = 0;
    std::int64_t EndMs = -1;
    // What the list says of the track beyond its caption (a CUE sheet's PERFORMER), for tags.
    std::string Performer = {};
    // The track's length where known, for the forms that store it (PLS, XSPF); -1 otherwise.
    std::int64_t LengthMs = -1;

    bool operator==(const PlayListRecord&) const = default;
};
