#include "playlist/PlayList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlist/EntryTracker.h"

namespace {

PlayListEntry Entry(const std::string& name) {
    return {name, "Audio", "/m/" + name, 0};
}

class PlayListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c", "d"})
            list_.Append(Entry(name));
    }
    std::string Captions() const {
        std::string result;
        for (int i = 0; i < list_.Count(); ++i)
            result += list_.At(i).Caption;
        return result;
    }

    PlayList list_;
};

TEST_F(PlayListTest, MoveKeepsTheFocusOnItsEntry) {
    list_.Focus(0);
    list_.Move(0, 2);
    EXPECT_EQ(Captions(), "bcad");
    EXPECT_EQ(list_.Focused(), 2);
    list_.Focus(1);  // c
    list_.Move(3, 0);
    EXPECT_EQ(Captions(), "dbca");
    EXPECT_EQ(list_.At(list_.Focused()).Caption, "c");
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(PlayListTest, DeleteShiftsTheFocusAndDropsTheSelection) {
    list_.Select(1);
    list_.Select(3);
    list_.Focus(3);
    list_.Delete(1);
    EXPECT_EQ(Captions(), "acd");
    EXPECT_EQ(list_.Focused(), 2);
    EXPECT_EQ(list_.SelectedCount(), 1);
    EXPECT_EQ(list_.FirstSelected(), 2);
    list_.Delete(2);
    EXPECT_EQ(list_.Focused(), -1);
    EXPECT_EQ(list_.FirstSelected(), -1);
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(PlayListTest, ProgramSelectionNeverTouchesOtherEntriesButAClickDoes) {
    list_.Select(2);
    list_.Select(0);
    EXPECT_EQ(list_.FirstSelected(), 0);
    EXPECT_EQ(list_.SelectedCount(), 2);
    list_.SelectOnly(3);
    EXPECT_EQ(list_.SelectedCount(), 1);
    EXPECT_EQ(list_.FirstSelected(), 3);
    list_.SelectAll();
    EXPECT_EQ(list_.SelectedCount(), 4);
    list_.DeselectAll();
    EXPECT_EQ(list_.FirstSelected(), -1);
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(PlayListTest, SortKeepsTheFocusedEntryFocused) {
    list_.Move(0, 3);  // bcda
    list_.Focus(3);    // a
    list_.Sort(
        [](const PlayListEntry& x, const PlayListEntry& y) { return x.Caption < y.Caption; });
    EXPECT_EQ(Captions(), "abcd");
    EXPECT_EQ(list_.Focused(), 0);
}

struct Recorder : PlayListObserver {
    std::vector<std::string> events;
    void EntriesInserted(int first, int count) override {
        events.push_back("insert " + std::to_string(first) + " " + std::to_string(count));
    }
    void EntriesRemoved(int first, int count) override {
        events.push_back("remove " + std::to_string(first) + " " + std::to_string(count));
    }
    void EntryMoved(int from, int to) override {
        events.push_back("move " + std::to_string(from) + " " + std::to_string(to));
    }
    void EntriesChanged(int first, int last) override {
        events.push_back("change " + std::to_string(first) + " " + std::to_string(last));
    }
    void FocusChanged(int previous, int current) override {
        events.push_back("focus " + std::to_string(previous) + " " + std::to_string(current));
    }
    void Reset() override { events.push_back("reset"); }
    void EntriesDeleted(const std::vector<std::pair<int, int>>& runs) override {
        std::string text = "deleted";
        for (const auto& [first, count] : runs)
            text += " " + std::to_string(first) + "+" + std::to_string(count);
        events.push_back(text);
    }
};

TEST_F(PlayListTest, DeletingTheSelectionTakesOnePassAndOneNotice) {
    for (const char* name : {"e", "f", "g"})
        list_.Append(Entry(name));
    int dragSource = 6;  // "g", followed as the window's DragSourceItem is
    EntryTracker tracker(list_, dragSource);
    Recorder recorder;
    list_.AddObserver(&recorder);
    list_.SetSelectedRange(1, 2, true);  // b c
    list_.Select(4);                     // e
    list_.Focus(5);                      // f
    list_.DeleteSelected();
    EXPECT_EQ(Captions(), "adfg");
    EXPECT_EQ(list_.Focused(), 2);
    EXPECT_EQ(list_.SelectedCount(), 0);
    EXPECT_EQ(dragSource, 3);
    EXPECT_TRUE(list_.IsConsistent());
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"change 1 2", "change 4 4", "focus -1 5",
                                                         "deleted 1+2 4+1"}));
    // Nothing selected: nothing happens, nobody is told.
    list_.DeleteSelected();
    EXPECT_EQ(recorder.events.size(), 4u);
    // The focused entry itself goes: no focus remains.
    list_.Select(2);
    list_.DeleteSelected();
    EXPECT_EQ(Captions(), "adg");
    EXPECT_EQ(list_.Focused(), -1);
    list_.RemoveObserver(&recorder);
}

TEST_F(PlayListTest, ARangeOfMarksIsOneChange) {
    Recorder recorder;
    list_.AddObserver(&recorder);
    list_.SetSelectedRange(0, 3, true);
    list_.SetSelectedRange(1, 2, true);  // no change: no notice
    list_.SetSelectedRange(1, 2, false);
    list_.RemoveObserver(&recorder);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"change 0 3", "change 1 2"}));
    EXPECT_EQ(list_.SelectedCount(), 2);
    EXPECT_TRUE(list_.IsSelected(0) && list_.IsSelected(3) && !list_.IsSelected(1));
    EXPECT_THROW(list_.SetSelectedRange(2, 4, true), std::out_of_range);
}

TEST_F(PlayListTest, SortingByPositionIsStableAndMovesEntriesWhole) {
    list_.Append(Entry("b"));
    list_.SetCaption(4, "b");
    list_.Select(1);
    list_.Focus(4);
    // By caption, descending; the two "b"s keep their order.
    list_.SortBy([this](int a, int b) { return list_.At(a).Caption > list_.At(b).Caption; });
    EXPECT_EQ(Captions(), "dcbba");
    EXPECT_EQ(list_.Focused(), 3);  // the second "b"
    EXPECT_TRUE(list_.IsSelected(2));
    EXPECT_EQ(list_.At(2).Path, "/m/b");
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(PlayListTest, ObserversHearEveryChangeOnceAndNothingForNoChange) {
    Recorder recorder;
    list_.AddObserver(&recorder);
    list_.Select(1);
    list_.Select(1);
    list_.Focus(2);
    list_.Focus(2);
    list_.Append(Entry("e"));
    EXPECT_EQ(list_.Append({Entry("x"), Entry("y"), Entry("z")}), 5);  // one notice for all
    EXPECT_EQ(list_.Append(std::vector<PlayListEntry>{}), -1);         // none for nothing
    list_.Move(4, 0);
    list_.Delete(0);
    list_.Clear();
    list_.RemoveObserver(&recorder);
    list_.Append(Entry("f"));
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"change 1 1", "focus -1 2", "insert 4 1", "insert 5 3",
                                        "move 4 0", "remove 0 1", "reset"}));
}

}  // namespace
