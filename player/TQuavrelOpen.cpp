// Files from the desktop: the command line, later starts, drops of play list files and the
// media player interface's OpenUri.
#include <filesystem>

#include "TQuavrel.h"
#include "playlist/PlayListEditor.h"
#include "playlist/PlayListFiles.h"
#include "startup/CommandLine.h"
#include "views/TFileView.h"
#include "widgets/TTrayIcon.h"

namespace {

bool IsPlayListFile(const std::string& path) {
    std::error_code error;
    return PlayListFiles::IsPlayListFile(path) && std::filesystem::is_regular_file(path, error);
}

}  // namespace

int TQuavrel::AddDropped(const std::string& path, bool& listFailed) {
    if (!IsPlayListFile(path))
        return FileList->AddFile(path);
    const int before = PlayListModel.Count();
    const auto outcome = PlayListFiles::Append(
        path, PlayListModel, [this](const std::string& entry) { return FileList->AddFile(entry); });
    if (outcome == PlayListFiles::LoadOutcome::SomeFailed)
        listFailed = true;
    return PlayListModel.Count() > before ? before : -1;
}

std::optional<std::string> TQuavrel::AppendFiles(const std::vector<std::string>& files,
                                                 bool makeCurrent) {
    FileList->SetHint({});
    const int before = PlayListModel.Count();
    bool listFailed = false;
    const auto addFile = [this, &listFailed](const std::string& path) {
        return AddDropped(path, listFailed);
    };
    if (makeCurrent) {
        editor_->FileDrop(files, addFile);
    } else {
        for (const std::string& file : files)
            addFile(file);
    }
    std::optional<std::string> first;
    if (PlayListModel.Count() > before)
        first = PlayListModel.At(before).Path;
    KeepSorted();
    if (listFailed)
        ShowListFailure();
    return first;
}

bool TQuavrel::OpenFiles(const std::vector<std::string>& paths) {
    if (paths.empty())
        return false;
    if (IsPlayListFile(paths.front())) {
        LoadIt(paths.front());
        // The rest joins the list without touching what plays.
        if (paths.size() > 1)
            AppendFiles({paths.begin() + 1, paths.end()}, false);
        return !PlayListModel.Empty();
    }
    const std::optional<std::string> first = AppendFiles(paths, true);
    if (!first)
        return false;
    // The first new entry, wherever sorting by name put it (the last of equal paths).
    for (int i = PlayListModel.Count() - 1; i >= 0; --i) {
        if (PlayListModel.At(i).Path == *first) {
            // What a click and then a double-click on the entry do.
            PlayListModel.SelectOnly(i);
            PlayListModel.Focus(i);
            FileListDblClick();
            break;
        }
    }
    return true;
}

void TQuavrel::BringForward() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TQuavrel::AnswerLaterCopies(const QString& id) {
    TrayIcon->SetIDMessage(id);
    TrayIcon->OnHandOver = [this](const QByteArray& handOver) {
        BringForward();
        try {
            OpenFiles(CommandLine::DecodeHandOver(handOver.toStdString()));
        } catch (const std::exception& error) {
            ShowException(error);
        }
    };
    TrayIcon->Loaded();
}
