// Where popup windows go: below, above, beside the anchor and inside the work area.
#include "skin/popup/MenuPlacement.h"

#include <gtest/gtest.h>

namespace {

TMenuPlacement At(TRect anchor, TSize size) {
    TMenuPlacement p;
    p.anchor = anchor;
    p.workArea = Rect(0, 0, 1280, 1000);
    p.size = size;
    p.itemsTop = 3;
    return p;
}

}  // namespace

TEST(MenuPlacement, RootPopupOpensBelowOrAboveThePointAndStaysInside) {
    // Plenty of room: below the point, left edge at the point.
    EXPECT_EQ(PlaceMenuWindow(At(Rect(100, 100, 100, 100), {150, 200})), (TPoint{100, 100}));
    // Near the bottom-right corner: above the point, moved left to the work area's edge.
    EXPECT_EQ(PlaceMenuWindow(At(Rect(1270, 990, 1270, 990), {150, 200})), (TPoint{1130, 790}));
    // Near the left edge, a negative anchor is moved right to the work area.
    EXPECT_EQ(PlaceMenuWindow(At(Rect(-20, 100, -20, 100), {150, 200})), (TPoint{0, 100}));
    // Too tall for either side in the upper half: pinned to the bottom, beside the anchor.
    EXPECT_EQ(PlaceMenuWindow(At(Rect(100, 300, 100, 300), {150, 900})), (TPoint{101, 100}));
    // Lower half and too tall above: pinned to the top, beside the anchor.
    EXPECT_EQ(PlaceMenuWindow(At(Rect(100, 700, 100, 700), {150, 900})), (TPoint{101, 0}));
}

TEST(MenuPlacement, UpFlagPrefersAboveThenBelow) {
    TMenuPlacement p = At(Rect(10, 500, 60, 520), {100, 200});
    p.up = true;
    EXPECT_EQ(PlaceMenuWindow(p), (TPoint{10, 300}));
    p.anchor = Rect(10, 50, 60, 70);  // no room above, upper half: below the anchor
    EXPECT_EQ(PlaceMenuWindow(p), (TPoint{10, 70}));
}

TEST(MenuPlacement, SubmenuBesideItsItemOnePixelApart) {
    TMenuPlacement p = At(Rect(200, 300, 350, 320), {120, 100});
    p.submenu = true;
    // Right of the item, items aligned with the item's top.
    EXPECT_EQ(PlaceMenuWindow(p), (TPoint{351, 297}));
    // No room on the right: on the left, one pixel apart.
    p.anchor = Rect(1100, 300, 1250, 320);
    EXPECT_EQ(PlaceMenuWindow(p), (TPoint{1100 - 120 - 1, 297}));
    // No room below in the lower half: the submenu's bottom goes up to the item's bottom.
    p.anchor = Rect(200, 950, 350, 970);
    EXPECT_EQ(PlaceMenuWindow(p), (TPoint{351, 970 + 3 - 100}));
}

TEST(MenuPlacement, ScrollingWindowStartsAtTheWorkAreaTop) {
    TMenuPlacement p = At(Rect(100, 500, 100, 500), {150, 1000});
    p.scrolling = true;
    EXPECT_EQ(PlaceMenuWindow(p), (TPoint{101, 0}));
}
