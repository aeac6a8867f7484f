// Play list files and the type filter dialog.
#include "TQuavrel.h"
#include "filter/TFileTypeBox.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListFiles.h"
#include "services/Dialogs.h"
#include "services/MessageBox.h"
#include "views/TFileView.h"

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
                                 const std::string& folder) {
    Dialogs::Request request;
    request.title = title;
    request.filter = filter;
    request.defaultExt = PlayListFiles::DefaultExt;
    request.fileName = offered.empty() ? PlayListFiles::InitialFileName : offered;
    request.initialDir = folder;
    return request;
}

}  // namespace

void TQuavrel::LoadPlayList() {
    const auto choice = services_.dialogs.OpenFile(PlayListRequest(
        PlayListFiles::OpenTitle, PlayListFiles::OpenFilter, lastOpenedList_, state_.PlayListDir));
    if (!choice)
        return;
    lastOpenedList_ = choice->path;
    state_.PlayListDir = PlayListFiles::FolderOf(choice->path);
    LoadIt(choice->path);
}

void TQuavrel::LoadIt(const std::string& fileName) {
    const auto outcome = PlayListFiles::Load(fileName, playList_, *adder_);
    state_.DragSourceItem = -1;
    if (outcome == PlayListFiles::LoadOutcome::Missing)
        return;
    KeepSorted();
    if (outcome == PlayListFiles::LoadOutcome::SomeFailed)
        services_.messages.Show(PlayListFiles::FailureCaption, PlayListFiles::FailureText,
                                MessageBox::Icon::None, MessageBox::Buttons::Ok);
    state_.CurrentListFile = fileName;
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

void TQuavrel::SavePlayList(bool selectedOnly) {
    const auto choice = services_.dialogs.SaveFile(
        PlayListRequest(PlayListFiles::SaveTitle, PlayListFiles::SaveFilter, state_.CurrentListFile,
                        state_.PlayListDir));
    if (!choice)
        return;
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
