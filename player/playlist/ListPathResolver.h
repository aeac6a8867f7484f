#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "playlist/PlayListRecord.h"

// Turns a path as a play list holds it into the local path the play list view is handed, by
// the rules every list form shares:
// - a "file:" URI is percent-decoded; other schemes (http and so on) name nothing;
// - a relative path stands in the list's folder;
// - a path written with "\" (a list made on Windows) is tried with "/"; where that names
//   nothing, it is matched one component at a time, without regard to letter case, inside the
//   list's folder (so is a path that is not UTF-8, which a Windows list holds too); a drive
//   path ("C:\...") or a path from a drive's root names nothing;
// - the bytes are tried first, as Linux file names are bytes; only when nothing exists there
//   and the text is not UTF-8 is it read as Windows-1252 and tried again (not for lists that
//   are UTF-8 by definition);
// - "%XY" escapes outside a URI count as the list's form means them (PlayListRecord::Escapes):
//   M3U and PLS lines are tried as written and then decoded, as one program writes names with
//   a literal "%20" and another writes relative URI references; an XSPF location is decoded,
//   and its raw text wins only where the decoded path names nothing and the raw one a file.
// Paths that need no test (plain UTF-8 without "\") are joined without touching the disk.
// Blocks on the file system for the rest; each folder is listed once per resolver, so a long
// list of names that match nothing costs one listing, not one per name. One thread at a time.
class ListPathResolver {
public:
    // listFolder: the list's own folder, absolute. utf8Only: the list's text is UTF-8 by its
    // form (.m3u8, .xspf), so no other reading is tried.
    ListPathResolver(std::string listFolder, bool utf8Only);

    // The path to add; none when the written path can name no local file (an empty line, an
    // other scheme, a drive path). An http:// or https:// address is kept as written: it is
    // the path of a stream's entry.
    std::optional<std::string> Resolve(
        const std::string& written,
        PlayListRecord::Escapes escapes = PlayListRecord::Escapes::AsWritten) const;

    // A relative path joined to folder and made lexically normal; absolute paths stay.
    static std::string Join(const std::string& folder, const std::string& path);

private:
    std::optional<std::string> ResolveWritten(const std::string& written) const;
    std::optional<std::string> ResolveText(const std::string& text) const;
    std::optional<std::string> MatchIgnoringCase(const std::string& relative) const;
    // The names in folder by their letter-case-folded form, listed on first use.
    const std::unordered_map<std::string, std::string>& FoldedNames(
        const std::string& folder) const;

    std::string folder_;
    bool utf8Only_;
    mutable std::unordered_map<std::string, std::unordered_map<std::string, std::string>> folders_;
};
