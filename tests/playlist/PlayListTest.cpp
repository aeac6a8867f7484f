#include "playlist/PlayList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
};

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
