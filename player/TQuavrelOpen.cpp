// Files from the desktop: the command line, later starts, drops of play list files and the
// media player interface's OpenUri.
#include <QTimer>
#include <filesystem>

#include "TQuavrel.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListEditor.h"
#include "playlist/PlayListFiles.h"
#include "playlist/RemoteList.h"
#include "startup/CommandLine.h"
#include "views/TFileView.h"
#include "widgets/TTrayIcon.h"

namespace {

// By its name: a list's name given for a device, a FIFO or a socket is refused with the error
// of reading it, not handed on as media. A folder of such a name is walked as any folder.
bool IsPlayListFile(const std::string& path) {
    std::error_code error;
    return PlayListFiles::IsPlayListFile(path) && !std::filesystem::is_directory(path, error);
}

}  // namespace

int TQuavrel::AddDropped(const std::string& path, bool& listFailed) {
    // Inside a LongWork (a drop), the walk and the list report to its progress dialog.
    if (!IsPlayListFile(path))
        return adder_->AddFile(path, playList_, workProgress_);
    const int before = playList_.Count();
    const auto outcome = PlayListFiles::Append(path, playList_, *adder_, workProgress_);
    if (outcome == PlayListFiles::LoadOutcome::SomeFailed)
        listFailed = true;
    return playList_.Count() > before ? before : -1;
}

std::optional<std::string> TQuavrel::AppendFiles(const std::vector<std::string>& files,
                                                 bool makeCurrent) {
    FileList->SetHint({});
    const int before = playList_.Count();
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
    if (playList_.Count() > before)
        first = playList_.At(before).Path;
    KeepSorted();
    if (listFailed)
        ShowListFailure();
    return first;
}

bool TQuavrel::OpenFiles(const std::vector<std::string>& paths) {
    if (paths.empty())
        return false;
    if (listBusy_ || opening_) {
        // A LongWork would refuse to start, and the files would be lost.
        queuedOpens_.push_back(paths);
        return true;
    }
    opening_ = true;
    bool took = false;
    Guarded([&] { took = OpenPaths(paths); });
    opening_ = false;
    if (!queuedOpens_.empty())
        QTimer::singleShot(0, this, [this] { OpenQueued(); });
    return took;
}

void TQuavrel::OpenQueued() {
    if (listBusy_ || opening_ || queuedOpens_.empty())
        return;
    std::vector<std::string> next = std::move(queuedOpens_.front());
    queuedOpens_.pop_front();
    OpenFiles(next);
}

bool TQuavrel::OpenPaths(const std::vector<std::string>& given) {
    // A station's list on the network is fetched in the background and joins the list when it
    // comes; the first of them plays when nothing else was given.
    std::vector<std::string> paths;
    std::vector<std::string> remote;
    for (const std::string& path : given)
        (RemoteList::IsPlayListAddress(path) ? remote : paths).push_back(path);
    for (std::size_t i = 0; i < remote.size(); ++i)
        FetchRemoteList(remote[i], paths.empty() && i == 0);
    if (paths.empty())
        return !remote.empty();
    if (IsPlayListFile(paths.front())) {
        LoadIt(paths.front());
        // The rest joins the list without touching what plays.
        if (paths.size() > 1)
            LongWork("Adding files", [&](const std::function<bool(int)>&) {
                AppendFiles({paths.begin() + 1, paths.end()}, false);
            });
        return !playList_.Empty();
    }
    // A folder's walk (or the whole file system) shows its progress and can be cancelled; the
    // bus and later starts are answered meanwhile.
    std::optional<std::string> first;
    LongWork("Adding files",
             [&](const std::function<bool(int)>&) { first = AppendFiles(paths, true); });
    if (!first)
        return false;
    // The first new entry, wherever sorting by name put it (the last of equal paths).
    for (int i = playList_.Count() - 1; i >= 0; --i) {
        if (playList_.At(i).Path == *first) {
            // What a click and then a double-click on the entry do.
            playList_.SelectOnly(i);
            playList_.Focus(i);
            FileListDblClick();
            break;
        }
    }
    return true;
}

void TQuavrel::AnswerLaterCopies(const QString& id) {
    TrayIcon->SetIDMessage(id);
    TrayIcon->OnHandOver = [this](const QByteArray& handOver) {
        Raise();
        OpenFiles(CommandLine::DecodeHandOver(handOver.toStdString()));
    };
    TrayIcon->Loaded();
}
