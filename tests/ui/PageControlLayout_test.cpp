// The page control's tab layout functions, called directly: rows, scrolling by a first
// visible tab, and the page area at their edges.
#include "ui/PageControlLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace tab_layout;

Input Row(std::vector<int> lengths, int width = 200, bool multiLine = false) {
    Input in;
    in.width = width;
    in.height = 100;
    in.itemHeight = 20;
    in.multiLine = multiLine;
    in.lengths = std::move(lengths);
    return in;
}

TEST(PageControlLayout, RowsWrapOnlyWhenMultiLineAndEveryRowTakesATab) {
    // 196 pixels of room: 100 + 90 fit, the third starts a row; a tab longer than the
    // row still takes a row of its own.
    const Items items = LayoutItems(Row({100, 90, 300, 10}, 200, true));
    EXPECT_EQ(items.rows, 3);
    EXPECT_EQ(items.rects[1], Rect(102, 2, 192, 22));
    EXPECT_EQ(items.rects[2], Rect(2, 22, 302, 42));
    EXPECT_EQ(items.rects[3], Rect(2, 42, 12, 62));
    // Single line: one row running past the end.
    const Items single = LayoutItems(Row({100, 90, 300}));
    EXPECT_EQ(single.rows, 1);
    EXPECT_EQ(single.rects[2], Rect(192, 2, 492, 22));
    // Bottom and right strips count rows from the far edge.
    Input bottom = Row({50}, 200);
    bottom.position = tpBottom;
    EXPECT_EQ(LayoutItems(bottom).rects[0], Rect(2, 78, 52, 98));
    Input right = Row({50}, 200);
    right.position = tpRight;
    EXPECT_EQ(LayoutItems(right).rects[0], Rect(178, 2, 198, 52));
    EXPECT_EQ(LayoutItems(Row({})).rows, 1);
}

TEST(PageControlLayout, ScrollingTheSingleRow) {
    const std::vector<TRect> items = LayoutItems(Row({60, 60, 60, 60})).rects;
    EXPECT_EQ(ScrolledItemRect(items, 2, 1, true), Rect(62, 2, 122, 22));
    EXPECT_EQ(ScrolledItemRect(items, 0, 1, true), TRect{});    // scrolled out
    EXPECT_EQ(ScrolledItemRect(items, 2, 1, false), items[2]);  // rows that do not scroll
    EXPECT_EQ(ScrolledItemRect(items, 9, 1, true), TRect{});
    // A first tab left over from tabs that are gone counts as the last one.
    EXPECT_EQ(ScrolledItemRect(items, 3, 7, true), Rect(2, 2, 62, 22));
    EXPECT_TRUE(RowOverflows(items, 0, 200));  // 242 > 198
    EXPECT_FALSE(RowOverflows(items, 0, 300));
    EXPECT_TRUE(RowOverflows(items, 1, 300));  // scrolled already
    EXPECT_FALSE(RowOverflows({}, 0, 10));

    // Showing tab 3 in a row ending at 198 moves the row by as few tabs as needed.
    EXPECT_EQ(FirstVisibleToShow(items, 3, 0, 198), 1);
    EXPECT_EQ(FirstVisibleToShow(items, 0, 2, 198), 0);  // before the first: it comes first
    EXPECT_EQ(FirstVisibleToShow(items, 3, 0, 40), 3);   // wider than the row: first shown
    EXPECT_EQ(FirstVisibleToShow(items, 8, 2, 198), 2);  // no such tab: unchanged
    // A wider control scrolls back while the tail still fits.
    EXPECT_EQ(FirstVisibleAfterResize(items, 3, 196), 1);
    EXPECT_EQ(FirstVisibleAfterResize(items, 3, 240), 0);
    EXPECT_EQ(FirstVisibleAfterResize(items, 9, 60), 3);
    EXPECT_EQ(FirstVisibleAfterResize({}, 4, 100), 0);
}

TEST(PageControlLayout, ThePageAreaBesideTheStripIsNeverNegative) {
    EXPECT_EQ(PageArea(tpTop, 300, 200, StripThickness(1, 20)), Rect(4, 26, 296, 196));
    EXPECT_EQ(PageArea(tpBottom, 300, 200, 22), Rect(4, 4, 296, 174));
    EXPECT_EQ(PageArea(tpLeft, 300, 200, 22), Rect(26, 6, 296, 196));
    EXPECT_EQ(PageArea(tpRight, 300, 200, 22), Rect(4, 6, 274, 196));
    const TRect tiny = PageArea(tpTop, 5, 5, 22);
    EXPECT_GE(tiny.Width(), 0);
    EXPECT_GE(tiny.Height(), 0);
}

}  // namespace
