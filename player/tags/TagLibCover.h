#pragma once

#include <optional>

#include "tags/TagReader.h"

namespace TagLib {
class File;
}

// The picture embedded in an opened TagLib file, by the container's own rules (ID3v2 APIC,
// FLAC and Xiph picture blocks, MP4 "covr", ASF "WM/Picture", APE "Cover Art (Front)"):
// the front cover, else the first picture. With bytes false only its presence is checked
// and the result's Bytes stay empty. nullopt when there is none or it is too large.
std::optional<CoverPicture> FindCover(TagLib::File& file, bool bytes);
