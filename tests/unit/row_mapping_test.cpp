// The rows of the all-entries list against the categories' own lists, and the list-view state
// changes that count as ticks and as newly selected rows.
#include "ui/main/row_mapping.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace rowmap;

namespace {

std::pair<int, int> ToCategory(const std::vector<int>& counts, int row) {
    const int k = AllIndexToCategory(counts, row);
    return {k, row};
}

// Categories A (3 entries) and B (2): A's header at row 0, its entries at 1 to 3, B's header
// at 4, its entries at 5 and 6.
TEST(RowMapping, TwoCategories) {
    const std::vector<int> counts{3, 2};
    EXPECT_EQ(ToCategory(counts, 5), std::make_pair(2, 0));
    EXPECT_EQ(CategoryIndexToAll(counts, 2, 1), 6);
    EXPECT_EQ(ToCategory(counts, 1), std::make_pair(1, 0));
    EXPECT_EQ(ToCategory(counts, 3), std::make_pair(1, 2));
    EXPECT_EQ(ToCategory(counts, 0), std::make_pair(1, -1));  // headers have no entry row
    EXPECT_EQ(ToCategory(counts, 4), std::make_pair(2, -1));
    EXPECT_EQ(ToCategory(counts, 7), std::make_pair(0, 7));  // past the list
    EXPECT_EQ(ToCategory(counts, -1), std::make_pair(0, -1));
    EXPECT_EQ(CategoryIndexToAll(counts, 0, 0), -1);
    EXPECT_EQ(CategoryIndexToAll(counts, 3, 0), -1);
}

// An empty category keeps its header row; the rows after it still map.
TEST(RowMapping, EmptyCategoriesAndEveryRowBothWays) {
    const std::vector<int> counts{2, 0, 1, 0};
    // 0 A, 1 a1, 2 a2, 3 B, 4 C, 5 c1, 6 D
    EXPECT_EQ(ToCategory(counts, 3), std::make_pair(2, -1));
    EXPECT_EQ(ToCategory(counts, 4), std::make_pair(3, -1));
    EXPECT_EQ(ToCategory(counts, 5), std::make_pair(3, 0));
    EXPECT_EQ(ToCategory(counts, 6), std::make_pair(4, -1));
    EXPECT_EQ(CategoryIndexToAll(counts, 3, 0), 5);
    const std::vector<std::pair<int, int>> entries{{1, 0}, {1, 1}, {3, 0}};
    const std::vector<int> rows{1, 2, 5};
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(CategoryIndexToAll(counts, entries[i].first, entries[i].second), rows[i]);
        EXPECT_EQ(ToCategory(counts, rows[i]), entries[i]);
    }
    EXPECT_EQ(ToCategory({}, 0), std::make_pair(0, 0));
}

// As the list view reports them: the whole item state, tick image and selection bits together.
TEST(RowMapping, TicksWhateverTheSelectionSays) {
    EXPECT_TRUE(IsTickChange(0x2000, 0x1000));
    EXPECT_TRUE(IsTickChange(0x1000, 0x2000));
    EXPECT_TRUE(IsTickChange(0x2003, 0x1003));  // the selected, focused row
    EXPECT_TRUE(IsTickChange(0x1003, 0x2003));
    EXPECT_TRUE(IsTickChange(0x2001, 0x1003));   // focus lost in the same change
    EXPECT_FALSE(IsTickChange(0x1003, 0x1000));  // selection only
    EXPECT_FALSE(IsTickChange(0x2000, 0x2000));
    EXPECT_FALSE(IsTickChange(0x0000, 0x1000));  // tick box removed
    EXPECT_FALSE(IsTickChange(0x3000, 0x1000));  // some other state image
    EXPECT_FALSE(IsTickChange(0x2000, 0x0000));
}

TEST(RowMapping, NewlySelectedWhateverFocusAndTickSay) {
    EXPECT_TRUE(IsNewlySelected(0x0003, 0x0000));
    EXPECT_TRUE(IsNewlySelected(0x1003, 0x1000));
    EXPECT_TRUE(IsNewlySelected(0x0003, 0x0002));   // had the focus already
    EXPECT_TRUE(IsNewlySelected(0x0001, 0x0000));   // selected without the focus
    EXPECT_FALSE(IsNewlySelected(0x0002, 0x0000));  // focus only
    EXPECT_FALSE(IsNewlySelected(0x0003, 0x0001));  // was selected
    EXPECT_FALSE(IsNewlySelected(0x0000, 0x0003));
}

}  // namespace
