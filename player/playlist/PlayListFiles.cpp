#include "playlist/PlayListFiles.h"

#include <filesystem>

#include "playlist/FileAdder.h"
#include "playlist/M3uReader.h"
#include "playlist/M3uWriter.h"
#include "playlist/PlayList.h"
#include "playlist/QplReader.h"
#include "playlist/QplWriter.h"
#include "textfile/TextLineReader.h"
#include "textfile/TextLineWriter.h"

namespace fs = std::filesystem;

PlayListFiles::Form PlayListFiles::FormOf(const std::string& fileName) {
    const std::string name = fileName.substr(fileName.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return Form::Own;
    std::string ext = name.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext == ".m3u" ? Form::M3u : Form::Own;
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

std::string PlayListFiles::Resolve(const std::string& listFolder, const std::string& path) {
    // An empty line must stay empty: resolved, it would name the list's folder and add all of it.
    if (path.empty() || path.front() == '/')
        return path;
    return (fs::path(listFolder) / path).lexically_normal().string();
}

PlayListFiles::LoadOutcome PlayListFiles::Load(const std::string& fileName, PlayList& list,
                                               const FileAdder& adder,
                                               const std::function<bool(int added)>& progress) {
    const Form form = FormOf(fileName);
    list.Clear();
    std::error_code error;
    if (fileName.empty() || !fs::exists(fileName, error))
        return LoadOutcome::Missing;
    TextLineReader reader = TextLineReader::FromFile(fileName);
    const std::vector<PlayListRecord> records =
        form == Form::M3u ? M3uReader::Read(reader) : QplReader::Read(reader);

    std::error_code absoluteError;
    const fs::path full = fs::absolute(fileName, absoluteError);
    const std::string folder = absoluteError ? FolderOf(fileName) : full.parent_path().string();
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
    for (const PlayListRecord& record : records) {
        if (!heard(0))
            break;
        const std::string path = Resolve(folder, record.Path);
        const int index = adder.AddFile(path, append, heard);
        if (cancelled)
            break;
        if (index < 0) {
            failed = true;
            continue;
        }
        added[index].Caption = form == Form::M3u ? CaptionOf(path) : record.Caption;
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
            records.push_back(PlayListRecord{list.At(i).Caption, list.At(i).Path});
    TextLineWriter writer(fileName);
    if (filterIndex == M3uFilterIndex)
        M3uWriter::Write(writer, records);
    else
        QplWriter::Write(writer, records);
    writer.Commit();
}
