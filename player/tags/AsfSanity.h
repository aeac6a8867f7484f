#pragma once

#include <string_view>

// Whether an ASF (WMA, WMV) header's attribute counts fit the objects that hold them. TagLib
// believes a count as it stands: a 600-byte file that claims 65,535 attributes costs it a
// quarter of a second and much memory; such a header is garbage, so the file is not read.
// head: the file's first bytes (the header, or as much of it as the file has); the file is
// its head when it is small, so a count is also held against the bytes left.
bool AsfCountsFit(std::string_view head);
