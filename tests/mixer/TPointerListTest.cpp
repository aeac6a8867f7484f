#include "mixer/TPointerList.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Records the order in which a list releases its items.
struct RecordRelease {
    static std::vector<int>* released;
    void operator()(int* item) const {
        released->push_back(*item);
        delete item;
    }
};
std::vector<int>* RecordRelease::released = nullptr;

class TPointerListTest : public ::testing::Test {
protected:
    void SetUp() override { RecordRelease::released = &released_; }
    std::vector<int> released_;
};

TEST_F(TPointerListTest, AddReturnsIndexesAndItemsOutsideTheListAreNull) {
    TPointerList<int, RecordRelease> list;
    EXPECT_EQ(list.Add(TPointerList<int, RecordRelease>::Item(new int(7))), 0);
    EXPECT_EQ(list.Add(TPointerList<int, RecordRelease>::Item(new int(8))), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(*list.Items(1), 8);
    EXPECT_EQ(list.Items(2), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);
}

TEST_F(TPointerListTest, ClearReleasesEveryItemFirstToLastThenEmpties) {
    TPointerList<int, RecordRelease> list;
    for (int i = 1; i <= 4; ++i)
        list.Add(TPointerList<int, RecordRelease>::Item(new int(i)));
    list.Clear();
    EXPECT_EQ(released_, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(list.Count(), 0);
    list.Add(TPointerList<int, RecordRelease>::Item(new int(9)));
    EXPECT_EQ(*list.Items(0), 9);
}

TEST_F(TPointerListTest, DestroyingTheListReleasesItsItemsInOrder) {
    {
        TPointerList<int, RecordRelease> list;
        list.Add(TPointerList<int, RecordRelease>::Item(new int(5)));
        list.Add(TPointerList<int, RecordRelease>::Item(new int(6)));
    }
    EXPECT_EQ(released_, (std::vector<int>{5, 6}));
}

TEST_F(TPointerListTest, ListWithoutReleaseLeavesItsItemsToTheirOwner) {
    std::vector<std::string> block{"a", "b"};
    {
        TPointerList<std::string, NoRelease<std::string>> list;
        for (auto& item : block)
            list.Add(TPointerList<std::string, NoRelease<std::string>>::Item(&item));
        EXPECT_EQ(list.Items(1), &block[1]);
    }
    EXPECT_EQ(block, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
