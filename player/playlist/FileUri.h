#pragma once

#include <optional>
#include <string>
#include <string_view>

// URIs as play lists and the desktop hand them over. Only local files play: a "file:" URI
// becomes its path, percent-decoded to the bytes it stands for; other schemes name nothing we
// can open. Plain C++; any thread.

// True when text starts with a URI scheme ("file:", "http:", ...). A scheme has at least two
// letters, so a drive path such as "C:\music" is no URI.
bool HasUriScheme(std::string_view text);

// The local path of a "file:" URI ("file:///a%20b", "file://localhost/a", "file:/a"); none for
// other schemes, for a file URI on another host, and for one without an absolute path.
std::optional<std::string> FileUriPath(std::string_view uri);

// Every "%XY" (two hexadecimal digits) replaced by its byte; a "%" not followed by two such
// digits stays as it is. "%00" gives a NUL byte, which names no file.
std::string PercentDecode(std::string_view text);

// Every byte but the unreserved ones (letters, digits, "-._~") and "/" written as "%XY".
// PercentDecode gives the bytes back.
std::string PercentEncode(std::string_view bytes);
