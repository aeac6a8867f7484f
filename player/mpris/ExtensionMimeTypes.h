#pragma once

#include <QStringList>
#include <string>
#include <vector>

// The media types a list of file extensions stands for, as the desktop knows them
// (QMimeDatabase, by file name only): every audio and video type a name ending in ".ext" may
// have, in the list's order, each once. An extension the database does not know adds nothing,
// and neither do other kinds of type: the default list's "la" is a libtool archive to the
// desktop, which a media player must not claim. Used for MPRIS's SupportedMimeTypes and
// checked against the desktop entry's MimeType line.
QStringList ExtensionMimeTypes(const std::vector<std::string>& extensions);

// The media types of the play list files the player opens whatever the filter says (M3U, M3U8,
// PLS, XSPF), in the desktop entry's order.
QStringList PlayListMimeTypes();
