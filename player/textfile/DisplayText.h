#pragma once

#include <string>
#include <string_view>

// Text from outside (a list's caption, a file's name or tags) as the window title, a tooltip or
// a notification may show it: the bidirectional embeddings, overrides and isolates (U+202A to
// U+202E, U+2066 to U+2069), which can turn a whole title around, are removed; control
// characters (C0, DEL, C1) and the line and paragraph separators become a space. Everything else
// stays as it is, bytes that are no UTF-8 included (the caller's widget shows those as it does).
// Linear; any thread.
std::string DisplayText(std::string_view text);
