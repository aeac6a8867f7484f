#include "playlist/TrackEntries.h"

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "playlist/PlayListEntry.h"
#include "playlist/PlayListFiles.h"
#include "playlist/TrackPath.h"
#include "textfile/TextEncoding.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Where the audio of a ripped album is found, lossless first.
constexpr std::array<const char*, 14> MediaExtensions = {"flac", "ape", "wv",   "wav",  "tta",
                                                         "tak",  "m4a", "alac", "aiff", "aif",
                                                         "mp3",  "ogg", "opus", "wma"};

std::string Uppercase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// path where it exists, else the same name with another media extension; a name in
// Windows-1252 (a sheet made on Windows) is tried in UTF-8 too, after its bytes.
std::optional<std::string> WithMediaExtension(const std::string& path) {
    std::vector<std::string> names{path};
    if (!IsValidUtf8(path))
        names.push_back(Windows1252ToUtf8(path));
    for (const std::string& name : names)
        if (Exists(name))
            return name;
    for (const std::string& name : names) {
        const std::size_t slash = name.find_last_of('/');
        const std::size_t dot = name.find_last_of('.');
        const bool hasExtension =
            dot != std::string::npos && (slash == std::string::npos || dot > slash);
        const std::string stem = hasExtension ? name.substr(0, dot) : name;
        for (const char* extension : MediaExtensions)
            for (const std::string& candidate :
                 {stem + "." + extension, stem + "." + Uppercase(extension)})
                if (Exists(candidate))
                    return candidate;
    }
    return std::nullopt;
}

}  // namespace

namespace TrackEntries {

int Add(const FileAdder& adder, const PlayListRecord& record, const std::string& path,
        const FileAdder::Append& append, const FileAdder::Progress& progress) {
    TrackPart part{path, record.StartMs, record.EndMs};
    if (part.StartMs <= 0 && part.EndMs < 0) {
        const int index = adder.AddFile(path, append, progress);
        if (index >= 0 || Exists(path))
            return index;
        const std::optional<TrackPart> parsed = ParseTrackPath(path);
        if (!parsed)
            return -1;
        part = *parsed;
    }
    if (!IsRegularFile(part.File))
        return -1;
    std::optional<PlayListEntry> entry = adder.FileEntry(part.File);
    if (!entry)
        return -1;
    entry->Path = TrackPathOf(part);
    auto tags = std::make_shared<TrackTags>();
    tags->Title = ReadableText(record.Caption);
    tags->Artist = ReadableText(record.Performer);
    tags->LengthMs = part.EndMs >= 0 ? part.EndMs - part.StartMs : -1;
    entry->Tags = std::move(tags);
    return append(std::move(*entry));
}

std::optional<std::string> SheetMedia(const std::optional<std::string>& path,
                                      const std::string& written, const std::string& sheetFolder) {
    std::optional<std::string> found = path ? WithMediaExtension(*path) : std::nullopt;
    if (!found) {
        const std::string name = written.substr(written.find_last_of("/\\") + 1);
        if (!name.empty())
            found = WithMediaExtension((fs::path(sheetFolder) / name).string());
    }
    if (found && PlayListFiles::IsPlayListFile(*found))
        return std::nullopt;
    return found;
}

PlayListRecord RecordOf(const PlayListEntry& entry) {
    PlayListRecord record{entry.Caption, entry.Path};
    if (entry.Tags)
        record.LengthMs = entry.Tags->LengthMs;
    if (const std::optional<TrackPart> part = PartPlayedBy(entry.Path)) {
        record.Path = part->File;
        record.StartMs = part->StartMs;
        record.EndMs = part->EndMs;
        if (part->EndMs >= 0)
            record.LengthMs = part->EndMs - part->StartMs;
    }
    return record;
}

}  // namespace TrackEntries
