// Editing the play list without a window: drops, the drag to reorder, the moves, deleting.
#include <gtest/gtest.h>

#include "fakes/FakeMediaDevice.h"
#include "playback/PlayerState.h"
#include "playlist/EntryTracker.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListEditor.h"

namespace {

class PlayListEditorTest : public ::testing::Test {
protected:
    void AddEntries(std::initializer_list<const char*> captions) {
        for (const char* caption : captions)
            list_.Append(PlayListEntry{caption, "", std::string("/m/") + caption, 0});
    }
    std::string Order() const {
        std::string result;
        for (int i = 0; i < list_.Count(); ++i)
            result += list_.At(i).Caption + (list_.IsSelected(i) ? "*" : "") +
                      (list_.Focused() == i ? "^" : "") + " ";
        return result;
    }
    // Files ending in ".mp3" pass; others are refused as the type filter would.
    int AddFile(const std::string& path) {
        if (!path.ends_with(".mp3"))
            return -1;
        return list_.Append(PlayListEntry{path.substr(path.rfind('/') + 1), "", path, 0});
    }

    PlayerState state_;
    PlayList list_;
    FakeMediaDevice device_;
    EntryTracker tracker_{list_, state_.DragSourceItem};
    PlayListEditor editor_{state_, list_, device_};
};

TEST_F(PlayListEditorTest, DroppedFilesAreAppendedAndTheFirstBecomesCurrent) {
    AddEntries({"x"});
    device_.SetFileName("/old.wav");
    editor_.FileDrop({"/d/a.mp3", "/d/b.txt", "/d/c.mp3"},
                     [this](const std::string& p) { return AddFile(p); });
    EXPECT_EQ(Order(), "x a.mp3*^ c.mp3 ");
    EXPECT_EQ(state_.PlayIndex, 1);
    EXPECT_EQ(device_.FileName(), "/d/a.mp3");
    EXPECT_TRUE(device_.Log().empty());  // nothing plays

    editor_.FileDrop({"/d/b.txt", "/d/e.mp3"}, [this](const std::string& p) { return AddFile(p); });
    EXPECT_EQ(device_.FileName(), "");  // the first was refused: nothing becomes current
    EXPECT_EQ(list_.Count(), 4);
    EXPECT_EQ(state_.PlayIndex, 1);
}

TEST_F(PlayListEditorTest, ADraggedEntryLandsJustAfterTheEntryItIsDroppedOn) {
    AddEntries({"a", "b", "c"});
    EXPECT_FALSE(editor_.MouseDown(2, false));
    editor_.MouseUp(0);
    EXPECT_EQ(Order(), "a c*^ b ");
    EXPECT_EQ(state_.DragSourceItem, -1);

    list_.DeselectAll();
    EXPECT_TRUE(editor_.MouseDown(0, true));  // a right click over an entry
    editor_.MouseUp(2);
    EXPECT_EQ(Order(), "c b a*^ ");

    editor_.MouseDown(1, false);
    editor_.MouseUp(-1);  // empty space
    editor_.MouseUp(1);   // the same entry
    EXPECT_EQ(Order(), "c b a*^ ");
    EXPECT_EQ(state_.DragSourceItem, 1);
    EXPECT_FALSE(editor_.MouseDown(-1, true));
    EXPECT_EQ(state_.DragSourceItem, -1);
    editor_.MouseUp(0);
    EXPECT_EQ(Order(), "c b a*^ ");
}

TEST_F(PlayListEditorTest, MovesSwapTheFocusedEntryWithItsNeighbourWhichLosesItsMark) {
    AddEntries({"a", "b", "c"});
    list_.SelectAll();
    list_.Focus(0);
    editor_.MoveBack();  // the first: nothing
    EXPECT_EQ(Order(), "a*^ b* c* ");
    editor_.MoveFwd();
    EXPECT_EQ(Order(), "b a*^ c* ");
    editor_.MoveFwd();
    EXPECT_EQ(Order(), "b c a*^ ");
    editor_.MoveFwd();  // the last: nothing
    EXPECT_EQ(Order(), "b c a*^ ");
    editor_.MoveBack();
    EXPECT_EQ(Order(), "b a*^ c ");
    list_.Focus(-1);
    editor_.MoveBack();
    editor_.MoveFwd();
    EXPECT_EQ(Order(), "b a* c ");
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(PlayListEditorTest, DeletingStopsAPlayingDeviceAndRemovesEverySelectedEntry) {
    AddEntries({"a", "b", "c", "d", "e"});
    device_.AddFile("/m/a", 1000);
    device_.SetFileName("/m/a");
    device_.Open();
    device_.Play();
    list_.Select(1);
    list_.Select(3);
    list_.Select(4);
    list_.Focus(2);
    editor_.MouseDown(2, false);
    editor_.DeleteSelected();
    EXPECT_EQ(Order(), "a c^ ");
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(state_.DragSourceItem, 1);  // still the entry "c"

    editor_.Clear();
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(state_.DragSourceItem, -1);
}

TEST_F(PlayListEditorTest, TheDragSourceFollowsItsEntryAndIsForgottenWhenItGoes) {
    AddEntries({"a", "b", "c", "d"});
    state_.DragSourceItem = 2;
    list_.Delete(0);
    EXPECT_EQ(state_.DragSourceItem, 1);
    list_.Move(3 - 1, 0);  // d to the front
    EXPECT_EQ(state_.DragSourceItem, 2);
    list_.Move(2, 1);
    EXPECT_EQ(state_.DragSourceItem, 1);
    list_.Append(PlayListEntry{});
    EXPECT_EQ(state_.DragSourceItem, 1);
    list_.Delete(1);
    EXPECT_EQ(state_.DragSourceItem, -1);
    list_.Append(PlayListEntry{});
    EXPECT_EQ(state_.DragSourceItem, -1);
}

}  // namespace
