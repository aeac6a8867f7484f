// Play list files and the type filter dialog.
#include <malloc.h>

#include <QAction>
#include <QTimer>
#include <QToolButton>

#include "ControlStates.h"
#include "TQuavrel.h"
#include "filter/TFileTypeBox.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListFiles.h"
#include "services/Dialogs.h"
#include "services/MessageBox.h"
#include "services/ScopedValue.h"
#include "tags/TagScanner.h"
#include "views/TFileView.h"
#include "views/WorkProgress.h"

void TQuavrel::Open1Click() {
    LoadClick();
}

void TQuavrel::LoadClick() {
    LoadPlayList();
}

void TQuavrel::Save1Click() {
    SaveClick();
}

void TQuavrel::SaveClick() {
    SavePlayList(false);
}

void TQuavrel::SaveSelected1Click() {
    SavePlayList(true);
}

void TQuavrel::SaveSelectedClick() {
    SavePlayList(true);
}

void TQuavrel::LoadPlayList1Click() {
    LoadPlayList();
}

void TQuavrel::SavePlayList1Click() {
    SavePlayList(false);
}

namespace {

// The play list dialogs differ in title, filter and the file they offer; the rest is shared.
Dialogs::Request PlayListRequest(const char* title, const char* filter, const std::string& offered,
                                 const std::string& folder, int filterIndex) {
    Dialogs::Request request;
    request.filterIndex = filterIndex;
    request.title = title;
    request.filter = filter;
    request.defaultExt = PlayListFiles::DefaultExt;
    request.fileName = offered.empty() ? PlayListFiles::InitialFileName : offered;
    request.initialDir = folder;
    return request;
}

}  // namespace

void TQuavrel::LoadPlayList() {
    const auto choice = services_.dialogs.OpenFile(
        PlayListRequest(PlayListFiles::OpenTitle, PlayListFiles::OpenFilter, lastOpenedList_,
                        state_.PlayListDir, openFilterIndex_));
    if (!choice)
        return;
    openFilterIndex_ = choice->filterIndex;
    lastOpenedList_ = choice->path;
    state_.PlayListDir = PlayListFiles::FolderOf(choice->path);
    LoadIt(choice->path);
}

void TQuavrel::LongWork(const char* what,
                        const std::function<void(const std::function<bool(int found)>&)>& work) {
    if (listBusy_)
        return;  // one long work at a time: a second would change the list under the first
    // Files that came while the work ran are opened once it has ended, also when it failed.
    struct OpenQueuedAtEnd {
        TQuavrel& window;
        ~OpenQueuedAtEnd() {
            if (!window.queuedOpens_.empty())
                QTimer::singleShot(0, &window, [w = &window] { w->OpenQueued(); });
        }
    } openQueued{*this};
    {
        const ScopedValue<bool> busy(listBusy_, true);
        // The user's ways to change the list, off until the work ends; the modal dialog keeps
        // the mouse and keyboard away too, but a hand-over or the bus could still arrive.
        const ControlStates::LongJobCommandsOff commandsOff(*controls_);
        WorkProgress progress(this, QString::fromUtf8(what));
        const ScopedValue<std::function<bool(int)>> hook(
            workProgress_, [&progress](int found) { return progress.Step(found); });
        work(workProgress_);
    }
    // The work's own scratch (the file's lines, the records, the batch) lies between the
    // entries it made: hand those free pages back, or the program keeps its peak size.
    ::malloc_trim(0);
}

void TQuavrel::LoadIt(const std::string& fileName) {
    PlayListFiles::LoadOutcome outcome = PlayListFiles::LoadOutcome::Missing;
    bool ran = false;
    LongWork("Loading the play list", [&](const std::function<bool(int)>& progress) {
        outcome = PlayListFiles::Load(fileName, playList_, *adder_, progress);
        ran = true;
    });
    if (!ran)
        return;
    state_.DragSourceItem = -1;
    if (outcome == PlayListFiles::LoadOutcome::Missing)
        return;
    KeepSorted();
    if (outcome == PlayListFiles::LoadOutcome::SomeFailed)
        ShowListFailure();
    state_.CurrentListFile = fileName;
    if (ResumeIn(fileName))
        return;
    // A loaded list starts at once: with loop forced on for the one call, "next" wraps to the
    // first entry (a random one in shuffle), since nothing is selected after a load.
    const ScopedValue<std::uint8_t> loop(state_.LoopOn, 1);
    NextSClick();
}

void TQuavrel::ShowListFailure() {
    services_.messages.Show(PlayListFiles::FailureCaption, PlayListFiles::FailureText,
                            MessageBox::Icon::None, MessageBox::Buttons::Ok);
}

void TQuavrel::SavePlayList(bool selectedOnly) {
    // The name offered comes with its own type, so that Enter writes the form it was loaded
    // in; a list of a form that is only read is offered under a ".qpl" name.
    const std::string offered = PlayListFiles::SaveNameOf(state_.CurrentListFile);
    Dialogs::Request request = PlayListRequest(
        PlayListFiles::SaveTitle, PlayListFiles::SaveFilter, offered, state_.PlayListDir,
        PlayListFiles::FilterIndexOf(offered).value_or(saveFilterIndex_));
    // The first three types add ".qpl" to a bare name, as they always did; the others add
    // their own extension.
    request.typeExts = {{PlayListFiles::ExtM3uFilterIndex, "m3u8"},
                        {PlayListFiles::PlsFilterIndex, "pls"},
                        {PlayListFiles::XspfFilterIndex, "xspf"}};
    const auto choice = services_.dialogs.SaveFile(request);
    if (!choice)
        return;
    saveFilterIndex_ = choice->filterIndex;
    state_.CurrentListFile = choice->path;
    state_.PlayListDir = PlayListFiles::FolderOf(choice->path);
    PlayListFiles::Save(choice->path, choice->filterIndex, playList_, selectedOnly);
}

void TQuavrel::FileTypes1Click() {
    // The dialog fills itself from FilterList when shown and hands its list back when hidden,
    // however it is closed; FilteringOn follows its check box at once.
    if (FileTypeBox) {
        FileTypeBox->exec();
        return;
    }
    TFileTypeBox box(state_.FilterList, state_.FilteringOn, this);
    box.exec();
}

void TQuavrel::FIleTypeFilter1Click() {
    FileTypes1Click();
}

void TQuavrel::StartTagScan(std::unique_ptr<TagScanner> scanner) {
    tagScanner_ = std::move(scanner);
}

void TQuavrel::PlayListRowsShown(int first, int last) {
    if (tagScanner_)
        tagScanner_->ShowRows(first, last);
}
