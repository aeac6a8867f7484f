// Play list files and the type filter dialog.
#include <malloc.h>

#include <QAction>
#include <QToolButton>

#include "TQuavrel.h"
#include "filter/TFileTypeBox.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListFiles.h"
#include "services/Dialogs.h"
#include "services/MessageBox.h"
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
    // The user's ways to change the list, off until the work ends; the modal dialog keeps the
    // mouse and keyboard away too, but a hand-over or the bus could still arrive. The buttons
    // that follow the list's emptiness get the state the emptiness rule gives them after.
    const std::vector<QWidget*> emptinessButtons{TBDelete, Clear, MoveBack, MoveFwd};
    const std::vector<QAction*> actions{Open1,     LoadPlayList1, DeleteSelected1, ClearPlayList1,
                                        MoveBack1, MoveFwd1,      Delete1,         Clear1};
    std::vector<bool> wasEnabled;
    for (QAction* a : actions)
        wasEnabled.push_back(a->isEnabled());
    const bool loadEnabled = Load->isEnabled();
    const bool accepted = FileList->AcceptFiles();
    const auto restore = [&] {
        for (std::size_t k = 0; k < actions.size(); ++k)
            actions[k]->setEnabled(wasEnabled[k]);
        for (QWidget* w : emptinessButtons)
            w->setEnabled(Play->isEnabled());
        Load->setEnabled(loadEnabled);
        FileList->SetAcceptFiles(accepted);
        listBusy_ = false;
        workProgress_ = nullptr;
    };
    listBusy_ = true;
    for (QWidget* w : emptinessButtons)
        w->setEnabled(false);
    for (QAction* a : actions)
        a->setEnabled(false);
    Load->setEnabled(false);
    FileList->SetAcceptFiles(false);
    try {
        WorkProgress progress(this, QString::fromUtf8(what));
        workProgress_ = [&progress](int found) { return progress.Step(found); };
        work(workProgress_);
    } catch (...) {
        restore();
        throw;
    }
    restore();
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
    struct LoopRestorer {
        std::uint8_t& loopOn;
        const std::uint8_t saved;
        ~LoopRestorer() { loopOn = saved; }
    } restore{state_.LoopOn, state_.LoopOn};
    state_.LoopOn = 1;
    NextSClick();
}

void TQuavrel::ShowListFailure() {
    services_.messages.Show(PlayListFiles::FailureCaption, PlayListFiles::FailureText,
                            MessageBox::Icon::None, MessageBox::Buttons::Ok);
}

void TQuavrel::SavePlayList(bool selectedOnly) {
    Dialogs::Request request =
        PlayListRequest(PlayListFiles::SaveTitle, PlayListFiles::SaveFilter, state_.CurrentListFile,
                        state_.PlayListDir, saveFilterIndex_);
    // The first three types add ".qpl" to a bare name, as they always did; extended M3U adds
    // its own extension.
    request.typeExts = {{PlayListFiles::ExtM3uFilterIndex, "m3u8"}};
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
