#include <gtest/gtest.h>

#include <vector>

#include "ui/general_search.h"

namespace {

using ui::FindNextItem;
using ui::SearchDirection;

// Items 1, 4 and 6 of 8 match.
bool Matches(int item) {
    return item == 1 || item == 4 || item == 6;
}

TEST(GeneralSearch, WithoutASelectionDownStartsAtTheTopAndUpAtTheBottom) {
    EXPECT_EQ(FindNextItem(8, -1, SearchDirection::kDown, Matches), 1);
    EXPECT_EQ(FindNextItem(8, -1, SearchDirection::kUp, Matches), 6);
}

TEST(GeneralSearch, StepsFromTheSelectionAndWrapsRoundBothEnds) {
    EXPECT_EQ(FindNextItem(8, 1, SearchDirection::kDown, Matches), 4);
    EXPECT_EQ(FindNextItem(8, 4, SearchDirection::kDown, Matches), 6);
    EXPECT_EQ(FindNextItem(8, 6, SearchDirection::kDown, Matches), 1);
    EXPECT_EQ(FindNextItem(8, 7, SearchDirection::kDown, Matches), 1);
    EXPECT_EQ(FindNextItem(8, 6, SearchDirection::kUp, Matches), 4);
    EXPECT_EQ(FindNextItem(8, 4, SearchDirection::kUp, Matches), 1);
    EXPECT_EQ(FindNextItem(8, 1, SearchDirection::kUp, Matches), 6);
    EXPECT_EQ(FindNextItem(8, 0, SearchDirection::kUp, Matches), 6);
}

TEST(GeneralSearch, TheSelectedItemIsTriedLastAndFoundWhenItIsTheOnlyMatch) {
    std::vector<int> tried;
    const auto only3 = [&tried](int item) {
        tried.push_back(item);
        return item == 3;
    };
    EXPECT_EQ(FindNextItem(5, 3, SearchDirection::kDown, only3), 3);
    EXPECT_EQ(tried, (std::vector<int>{4, 0, 1, 2, 3}));
    tried.clear();
    EXPECT_EQ(FindNextItem(5, 3, SearchDirection::kUp, only3), 3);
    EXPECT_EQ(tried, (std::vector<int>{2, 1, 0, 4, 3}));
}

TEST(GeneralSearch, NoMatchOrNoItemsFindsNothing) {
    int calls = 0;
    const auto none = [&calls](int) {
        ++calls;
        return false;
    };
    EXPECT_EQ(FindNextItem(6, 2, SearchDirection::kDown, none), -1);
    EXPECT_EQ(calls, 6);  // every item once, none twice
    EXPECT_EQ(FindNextItem(0, -1, SearchDirection::kUp, Matches), -1);
    // A selection past the end (the list shrank) counts as none.
    EXPECT_EQ(FindNextItem(3, 9, SearchDirection::kDown, Matches), 1);
}

}  // namespace
