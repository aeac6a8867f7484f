#pragma once

#include <optional>
#include <string>

#include "playlist/FileAdder.h"
#include "playlist/PlayListRecord.h"

struct PlayListEntry;

// How a list's record becomes entries and an entry a record again, where a record may stand
// for a part of a file (a CUE track, a VLC start and stop time, a track path of the own form).
// Blocks on the file system; the thread of the FileAdder.
namespace TrackEntries {

// Adds the record whose path resolved to path: a whole file or folder through adder, a part
// of a file as one entry whose Path is the track path (TrackPath.h), with tags holding the
// record's caption, performer and the part's length. A path that names nothing but reads as a
// track path is that part. Returns the entry's index as FileAdder::AddFile does; -1 also for a
// part whose file is no regular file or fails the filter.
int Add(const FileAdder& adder, const PlayListRecord& record, const std::string& path,
        const FileAdder::Append& append, const FileAdder::Progress& progress);

// The media file a CUE sheet's FILE line means: path where it exists; else the file of that
// name beside the sheet (a sheet made elsewhere names "C:\rips\Album.wav"); else, at either
// place, the same name with another media extension (a sheet written for "Album.wav" beside
// "Album.flac"). None where nothing is found or the name is that of a list (a sheet naming
// itself or another sheet adds nothing). path: the FILE resolved, if it resolved at all;
// written: the name as the sheet writes it; sheetFolder: absolute.
std::optional<std::string> SheetMedia(const std::optional<std::string>& path,
                                      const std::string& written, const std::string& sheetFolder);

// The record an entry is saved as: its caption and path, its length where its tags know it,
// and for a track path its file and part (StartMs, EndMs) for the writers. A file whose own
// name looks like a track path stays that file.
PlayListRecord RecordOf(const PlayListEntry& entry);

}  // namespace TrackEntries
