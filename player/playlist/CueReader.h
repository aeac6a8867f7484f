#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads a CUE sheet (.cue), as rippers and players write them: each TRACK becomes a record
// that plays its FILE from the track's INDEX 01 (INDEX 00 or the lowest index where there is
// no 01) to the next track's INDEX 01 in the same FILE, or to the file's end for the last track
// of a FILE and where the next track does not start later (tracks out of order). Caption: the
// track's TITLE, "Track NN" without one; Performer: its PERFORMER, else the sheet's. Path: the
// FILE's name as written, for the path rules (the loader also tries other media extensions).
// Tolerant: commands in any letter case, names quoted or not, times "m:ss:ff" with any number of
// minutes at 75 frames a second ("m:ss" too); REM, PREGAP, POSTGAP, FLAGS, ISRC, CATALOG,
// SONGWRITER, CDTEXTFILE and unknown lines are passed over; tracks before any FILE, and tracks
// that are not audio (MODE1/2048 and the like), give nothing. Lines end as ListLineReader says;
// bytes are kept as they stand (the loader decides on their encoding).
// Throws EPlayListFormatError when the text holds no TRACK at all.
class CueReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
