// Tab layout of a page control as pure functions of its inputs: item rectangles and rows,
// the single row's scrolling by a first-visible-tab index, and the page area. The plain
// page control and the skinned one both lay their tabs out through these, as the platform's
// tab control did for both; nothing here measures text or touches a control.
#pragma once

#include <vector>

#include "base/Types.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

namespace tab_layout {

// Between the control's edge and the tabs.
constexpr int kStripMargin = 2;
// Between the page frame's outer edge and the page area.
constexpr int kPageInset = 4;
// Between a tab's image and its caption.
constexpr int kImageGap = 3;

[[nodiscard]] constexpr bool Horizontal(TTabPosition p) { return p == tpTop || p == tpBottom; }

struct Input {
    TTabPosition position = tpTop;
    bool multiLine = false;
    int width = 0;  // the control's size
    int height = 0;
    int itemHeight = 0;        // thickness of one row
    std::vector<int> lengths;  // each visible tab's length along the strip
};

struct Items {
    std::vector<TRect> rects;  // by tab index, unscrolled
    int rows = 1;
};

// Room for tabs along the strip: the control's length minus both margins.
[[nodiscard]] int RowLength(TTabPosition position, int width, int height);

// Lays the tabs out from the control's edge along the strip; with multiLine a tab that
// would pass the row's end starts a new row (a row always takes at least one tab).
[[nodiscard]] Items LayoutItems(const Input& in);

// Whether the single row scrolls at all (multi-line and vertical strips never do).
[[nodiscard]] constexpr bool RowScrolls(TTabPosition position, bool multiLine) {
    return !multiLine && Horizontal(position);
}

// The item rectangle of a tab once the row is scrolled so that `firstVisible` comes first;
// empty for a tab scrolled out before it and for an index outside the list.
[[nodiscard]] TRect ScrolledItemRect(const std::vector<TRect>& items, int tabIndex,
                                     int firstVisible, bool scrolls);

// Whether the single row does not fit in `width` (or is scrolled already).
[[nodiscard]] bool RowOverflows(const std::vector<TRect>& items, int firstVisible, int width);

// The first visible tab that shows `tabIndex` whole before `rowRight` (the row's usable
// right edge), moving the row as little as possible. A tab that cannot fit at all becomes
// the first one shown.
[[nodiscard]] int FirstVisibleToShow(const std::vector<TRect>& items, int tabIndex,
                                     int firstVisible, int rowRight);

// After the control grew: scrolls back while the tabs from the earlier one on still fit in
// `rowLength`.
[[nodiscard]] int FirstVisibleAfterResize(const std::vector<TRect>& items, int firstVisible,
                                          int rowLength);

// Thickness of the tab strip: the margin plus the rows.
[[nodiscard]] constexpr int StripThickness(int rows, int itemHeight) {
    return kStripMargin + rows * itemHeight;
}

// The page area the sheets fill, inside the page frame beside the strip; never of negative
// size.
[[nodiscard]] TRect PageArea(TTabPosition position, int width, int height, int stripThickness);

}  // namespace tab_layout
