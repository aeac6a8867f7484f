#include "playlist/PlayListFiles.h"

#include <filesystem>
#include <utility>

#include "media/StreamText.h"
#include "playlist/AsxReader.h"
#include "playlist/CueReader.h"
#include "playlist/ExtM3uWriter.h"
#include "playlist/FileAdder.h"
#include "playlist/ListPathResolver.h"
#include "playlist/M3uReader.h"
#include "playlist/M3uWriter.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/PlsReader.h"
#include "playlist/PlsWriter.h"
#include "playlist/QplReader.h"
#include "playlist/QplWriter.h"
#include "playlist/TrackEntries.h"
#include "playlist/TrackPath.h"
#include "playlist/WplReader.h"
#include "playlist/XspfReader.h"
#include "playlist/XspfWriter.h"
#include "textfile/AsciiCase.h"
#include "textfile/FileBytes.h"
#include "textfile/SaveFile.h"
#include "textfile/TextEncoding.h"
#include "textfile/TextLineWriter.h"

namespace fs = std::filesystem;

namespace {

// The extension of a file name's last component, from its last ".", in lower case ASCII;
// "" without one.
std::string LowerExtension(const std::string& fileName) {
    const std::string name = fileName.substr(fileName.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return {};
    return AsciiLowercase(name.substr(dot));
}

}  // namespace

PlayListFiles::Form PlayListFiles::FormOf(const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    if (ext == ".m3u")
        return Form::M3u;
    if (ext == ".m3u8")
        return Form::M3u8;
    if (ext == ".pls")
        return Form::Pls;
    if (ext == ".xspf")
        return Form::Xspf;
    if (ext == ".cue")
        return Form::Cue;
    if (ext == ".wpl")
        return Form::Wpl;
    if (ext == ".asx")
        return Form::Asx;
    return Form::Own;
}

std::optional<int> PlayListFiles::FilterIndexOf(const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    if (ext == ".qpl")
        return 1;
    switch (FormOf(fileName)) {
        case Form::M3u:
            return M3uFilterIndex;
        case Form::M3u8:
            return ExtM3uFilterIndex;
        case Form::Pls:
            return PlsFilterIndex;
        case Form::Xspf:
            return XspfFilterIndex;
        default:
            return std::nullopt;
    }
}

PlayListFiles::Form PlayListFiles::SaveFormOf(const std::string& fileName, int filterIndex) {
    switch (FilterIndexOf(fileName).value_or(filterIndex)) {
        case M3uFilterIndex:
            return Form::M3u;
        case ExtM3uFilterIndex:
            return Form::M3u8;
        case PlsFilterIndex:
            return Form::Pls;
        case XspfFilterIndex:
            return Form::Xspf;
        default:
            return Form::Own;
    }
}

std::string PlayListFiles::SaveNameOf(const std::string& currentListFile) {
    const Form form = FormOf(currentListFile);
    if (form != Form::Cue && form != Form::Wpl && form != Form::Asx)
        return currentListFile;
    const std::size_t dot = currentListFile.find_last_of('.');
    return currentListFile.substr(0, dot) + ".qpl";
}

std::string PlayListFiles::FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string PlayListFiles::CaptionOf(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::vector<PlayListRecord> PlayListFiles::Read(Form form, std::string_view bytes) {
    switch (form) {
        case Form::M3u:
        case Form::M3u8:
            return M3uReader::Read(bytes);
        case Form::Pls:
            return PlsReader::Read(bytes);
        case Form::Xspf:
            return XspfReader::Read(bytes);
        case Form::Cue:
            return CueReader::Read(bytes);
        case Form::Wpl:
            return WplReader::Read(bytes);
        case Form::Asx:
            return AsxReader::Read(bytes);
        case Form::Own:
            break;
    }
    return QplReader::Read(bytes);
}

bool PlayListFiles::IsPlayListFile(const std::string& fileName) {
    return FormOf(fileName) != Form::Own || LowerExtension(fileName) == ".qpl";
}

PlayListFiles::LoadOutcome PlayListFiles::Load(const std::string& fileName, PlayList& list,
                                               const FileAdder& adder,
                                               const std::function<bool(int added)>& progress) {
    list.Clear();
    return Append(fileName, list, adder, progress);
}

PlayListFiles::LoadOutcome PlayListFiles::Append(const std::string& fileName, PlayList& list,
                                                 const FileAdder& adder,
                                                 const std::function<bool(int added)>& progress) {
    const Form form = FormOf(fileName);
    std::error_code error;
    if (fileName.empty() || !fs::exists(fileName, error))
        return LoadOutcome::Missing;
    std::vector<PlayListRecord> records;
    {
        // Only a regular file of a sane size is read; the bytes go once the records are made.
        const std::string bytes = ReadFileBytes(fileName);
        try {
            records = Read(form, bytes);
        } catch (const EPlayListFormatError& broken) {
            throw EPlayListFormatError("The play list " + ReadableText(fileName) +
                                       " could not be read.\r" + broken.what());
        }
    }

    std::error_code absoluteError;
    const fs::path full = fs::absolute(fileName, absoluteError);
    const std::string folder = absoluteError ? FolderOf(fileName) : full.parent_path().string();
    const bool utf8Only = form == Form::M3u8 || form == Form::Xspf;
    const ListPathResolver resolver(folder, utf8Only);
    bool failed = false;
    std::vector<PlayListEntry> added;
    const auto append = [&added](PlayListEntry entry) {
        added.push_back(std::move(entry));
        return static_cast<int>(added.size()) - 1;
    };
    added.reserve(records.size());
    bool cancelled = false;
    // Told the whole count, also from inside a folder's walk.
    const FileAdder::Progress heard = [&](int) {
        cancelled = cancelled || (progress && !progress(static_cast<int>(added.size())));
        return !cancelled;
    };
    const FileAdder::Session session(adder);
    // The tracks of a sheet name their file again and again: it is looked for once.
    std::optional<std::pair<std::string, PlayListRecord::Escapes>> looked;
    std::optional<std::string> path;
    for (const PlayListRecord& record : records) {
        if (!heard(0))
            break;
        if (!looked || looked->first != record.Path || looked->second != record.PathEscapes) {
            path = resolver.Resolve(record.Path, record.PathEscapes);
            if (form == Form::Cue)
                path = TrackEntries::SheetMedia(path, record.Path, folder);
            looked.emplace(record.Path, record.PathEscapes);
        }
        const int index = path ? TrackEntries::Add(adder, record, *path, append, heard) : -1;
        if (cancelled)
            break;
        if (index < 0) {
            failed = true;
            continue;
        }
        std::string& caption = added[index].Caption;
        if (form == Form::Own || !record.Caption.empty())
            caption = utf8Only ? record.Caption : ReadableText(record.Caption);
        else  // a stream without a title by its address: the address's last part names nothing
            caption = ReadableText(
                StreamText::IsStreamAddress(*path) ? *path : CaptionOf(PlayedFileOf(*path)));
    }
    list.Append(std::move(added));
    return failed ? LoadOutcome::SomeFailed : LoadOutcome::AllAdded;
}

void PlayListFiles::Save(const std::string& fileName, int filterIndex, const PlayList& list,
                         bool selectedOnly) {
    std::vector<PlayListRecord> records;
    records.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        if (!selectedOnly || list.IsSelected(i))
            records.push_back(TrackEntries::RecordOf(list.At(i)));
    const Form form = SaveFormOf(fileName, filterIndex);
    if (form == Form::M3u8 || form == Form::Pls || form == Form::Xspf) {
        SaveFile file(fileName);
        if (form == Form::M3u8)
            ExtM3uWriter::Write(file, records);
        else if (form == Form::Pls)
            PlsWriter::Write(file, records);
        else
            XspfWriter::Write(file, records);
        file.Commit();
        return;
    }
    TextLineWriter writer(fileName);
    if (form == Form::M3u)
        M3uWriter::Write(writer, records);
    else
        QplWriter::Write(writer, records);
    writer.Commit();
}
