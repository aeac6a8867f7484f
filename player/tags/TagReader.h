#pragma once

#include <optional>
#include <string>

#include "playlist/TrackTags.h"

// A picture embedded in a media file: its bytes as stored and their type ("image/jpeg").
struct CoverPicture {
    std::string MimeType;
    std::string Bytes;
};

// TagReader: what a media file says of itself, read from the file.
//
// Thread: any. Calls may run at the same time on several threads (the background scan's
// workers); an implementation keeps no state between calls that they could share unguarded.
// Blocking: a call reads the file and may wait on the disk, never on a FIFO, a device or a
// socket: only regular files are opened, without waiting for a writer.
// Errors: none are thrown. A file that is missing, not a regular file, unreadable, of a type
// the reader does not know or garbage gives nullopt, and nothing else happens.
class TagReader {
public:
    virtual ~TagReader() = default;

    // The file's tags and length; texts in valid UTF-8 without control characters (a tag
    // cannot break a list file's line). nullopt when the file tells nothing at all.
    virtual std::optional<TrackTags> Read(const std::string& path) = 0;
    // The file's front cover (or its first picture when none is marked as the front one);
    // nullopt when it has none, or one larger than MaxCoverBytes.
    virtual std::optional<CoverPicture> ReadCover(const std::string& path) = 0;

    static constexpr std::size_t MaxCoverBytes = 16 * 1024 * 1024;
};
