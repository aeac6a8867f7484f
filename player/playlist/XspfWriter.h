#pragma once

#include <string>
#include <vector>

#include "playlist/PlayListRecord.h"

class SaveFile;

// Writes an XSPF list (.xspf) through pugixml, in UTF-8: per record a <track> with its
// <location> (an absolute path as a file:// URI, a relative one as a relative reference; every
// byte but letters, digits, "-._~" and "/" percent-encoded, so "#", "?", "%" and non-ASCII
// names survive any reader), its <title> and, where the length is known, its <duration> in
// milliseconds. A part of a file (a CUE track) carries VLC's start-time and stop-time options
// in VLC's extension, which VLC and our own reader play as that part. Characters XML cannot
// hold (controls, text that is not UTF-8) are left out of or converted in the title. The caller
// commits the file. Errors are EInOutError.
class XspfWriter {
public:
    static void Write(SaveFile& file, const std::vector<PlayListRecord>& records);
    // The bytes Write writes.
    static std::string Text(const std::vector<PlayListRecord>& records);
};
