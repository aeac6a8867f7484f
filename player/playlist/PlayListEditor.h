#pragma once

#include <functional>
#include <string>
#include <vector>

class MediaDevice;
struct PlayerState;
class PlayList;

// The play list's editing commands without a window: files dropped on the list, the
// drag to reorder, "Move Back", "Move Fwd" and deleting the selected entries. A moved
// neighbour counts as a new entry and loses its selected state (in shuffle: its mark as not yet
// played). Every reference must outlive the editor; user-interface thread only.
class PlayListEditor {
public:
    // The play list view's AddFile: the index of the entry made, or -1 when none was made.
    using AddFile = std::function<int(const std::string& path)>;

    PlayListEditor(PlayerState& state, PlayList& list, MediaDevice& device);

    // Files dropped from the file manager, in the order given: each is added at the end. The
    // first one's entry, when it made one, is selected, focused and becomes PlayIndex and the
    // device's file name (its path); nothing starts playing. addFile may make several entries
    // of one file (a play list) and return the first.
    void FileDrop(const std::vector<std::string>& files, const AddFile& addFile);
    // A mouse button went down over entry (-1: over no entry): it becomes the drag's source.
    // Returns whether the item menu's "Rename", "Delete" and "Save Selected" are enabled.
    bool MouseDown(int entry, bool rightButton);
    // A mouse button was released over target: the drag's source lands just after it, focused
    // and selected. Nothing happens without a source or target, or on the source itself.
    void MouseUp(int target);
    void MoveBack();
    void MoveFwd();
    // Stops a playing device, then deletes every selected entry.
    void DeleteSelected();
    // Stops a playing device, then deletes every entry.
    void Clear();

private:
    void StopIfPlaying();

    PlayerState& state_;
    PlayList& list_;
    MediaDevice& device_;
};
