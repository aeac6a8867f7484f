#include "playlist/PlayListEditor.h"

#include "media/MediaDevice.h"
#include "playback/PlayerState.h"
#include "playlist/PlayList.h"

PlayListEditor::PlayListEditor(PlayerState& state, PlayList& list, MediaDevice& device)
    : state_(state), list_(list), device_(device) {}

void PlayListEditor::FileDrop(const std::vector<std::string>& files, const AddFile& addFile) {
    device_.SetFileName("");
    if (files.empty())
        return;
    const int first = addFile(files.front());
    if (first >= 0) {
        // The entry's path: a dropped play list makes an entry of its first file.
        device_.SetFileName(list_.At(first).Path);
        list_.Select(first);
        list_.Focus(first);
        state_.PlayIndex = first;
    }
    for (std::size_t i = 1; i < files.size(); ++i)
        addFile(files[i]);
}

bool PlayListEditor::MouseDown(int entry, bool rightButton) {
    state_.DragSourceItem = list_.Contains(entry) ? entry : -1;
    return state_.DragSourceItem >= 0 && rightButton;
}

void PlayListEditor::MouseUp(int target) {
    const int source = state_.DragSourceItem;
    if (!list_.Contains(source) || !list_.Contains(target) || target == source)
        return;
    // "Just after the target": from above, the target closes up by one.
    const int to = source < target ? target : target + 1;
    list_.Move(source, to);
    list_.Focus(to);
    list_.Select(to);
    state_.DragSourceItem = -1;
}

void PlayListEditor::MoveBack() {
    const int focused = list_.Focused();
    if (focused <= 0)
        return;
    list_.Move(focused - 1, focused);
    list_.Deselect(focused);
}

void PlayListEditor::MoveFwd() {
    const int focused = list_.Focused();
    if (focused < 0 || focused + 1 >= list_.Count())
        return;
    list_.Move(focused + 1, focused);
    list_.Deselect(focused);
}

void PlayListEditor::StopIfPlaying() {
    if (device_.Mode() == MediaMode::Playing)
        device_.Stop();
}

void PlayListEditor::DeleteSelected() {
    StopIfPlaying();
    // The same entries go as when taking the first selected each time, in one pass.
    list_.DeleteSelected();
}

void PlayListEditor::Clear() {
    StopIfPlaying();
    list_.Clear();
}
