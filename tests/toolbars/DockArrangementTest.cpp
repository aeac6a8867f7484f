#include "toolbars/DockArrangement.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::vector<int>> Ids(const std::vector<DockRow>& rows) {
    std::vector<std::vector<int>> ids;
    for (const DockRow& row : rows) {
        ids.emplace_back();
        for (const RowItem& item : row)
            ids.back().push_back(item.id);
    }
    return ids;
}

TEST(DockArrangementTest, ToolbarsOfOneRowStandWhereAskedByStretchingTheOneBefore) {
    const auto rows =
        ArrangeDock(DockSide::Top, {{2, 201, 0, 180, 47}, {1, 0, 0, 190, 47}, {3, 450, 2, 50, 47}});
    ASSERT_EQ(Ids(rows), (std::vector<std::vector<int>>{{1, 2, 3}}));
    EXPECT_EQ(rows[0][0].offset, 0);
    EXPECT_EQ(rows[0][0].stretchedLength, 201);
    EXPECT_EQ(rows[0][1].offset, 201);
    EXPECT_EQ(rows[0][1].stretchedLength, 249);
    EXPECT_EQ(rows[0][2].offset, 450);
    EXPECT_EQ(rows[0][2].stretchedLength, -1);
}

TEST(DockArrangementTest, AToolbarInTheWayPushesTheNextOneOnAndTheFirstStartsAtZero) {
    const auto rows = ArrangeDock(DockSide::Top, {{1, 30, 0, 190, 47}, {2, 100, 0, 180, 47}});
    EXPECT_EQ(rows[0][0].offset, 0);
    EXPECT_EQ(rows[0][0].stretchedLength, -1);
    EXPECT_EQ(rows[0][1].offset, 190);
}

TEST(DockArrangementTest, RowsStackFromTheWindowsEdgeInwards) {
    // Top dock: the row at the top is the edge row; a toolbar half a row lower starts another.
    EXPECT_EQ(Ids(ArrangeDock(DockSide::Top,
                              {{1, 0, 47, 100, 47}, {2, 0, 0, 100, 47}, {3, 120, 10, 100, 47}})),
              (std::vector<std::vector<int>>{{2, 3}, {1}}));
    // Bottom dock: the lowest row is the edge row.
    EXPECT_EQ(Ids(ArrangeDock(DockSide::Bottom, {{1, 0, 0, 100, 30}, {2, 0, 30, 100, 30}})),
              (std::vector<std::vector<int>>{{2}, {1}}));
    // Side docks run down, and stack by left: the right dock's outermost column is rightmost.
    const auto right = ArrangeDock(DockSide::Right,
                                   {{1, 0, 200, 130, 46}, {2, 0, 0, 130, 46}, {3, 46, 0, 90, 46}});
    EXPECT_EQ(Ids(right), (std::vector<std::vector<int>>{{3}, {2, 1}}));
    EXPECT_EQ(right[1][1].offset, 200);
    EXPECT_TRUE(ArrangeDock(DockSide::Left, {}).empty());
}

}  // namespace
