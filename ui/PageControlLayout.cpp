#include "ui/PageControlLayout.h"

#include <algorithm>

namespace tab_layout {

int RowLength(TTabPosition position, int width, int height) {
    return (Horizontal(position) ? width : height) - 2 * kStripMargin;
}

Items LayoutItems(const Input& in) {
    Items out;
    const int h = in.itemHeight;
    const int limit = RowLength(in.position, in.width, in.height);
    int along = 0;
    int row = 0;
    out.rects.reserve(in.lengths.size());
    for (const int length : in.lengths) {
        if (in.multiLine && along > 0 && along + length > limit) {
            ++row;
            along = 0;
        }
        const int a0 = kStripMargin + along;
        TRect r;
        switch (in.position) {
            case tpTop:
                r = Rect(a0, kStripMargin + row * h, a0 + length, kStripMargin + (row + 1) * h);
                break;
            case tpBottom:
                r = Rect(a0, in.height - kStripMargin - (row + 1) * h, a0 + length,
                         in.height - kStripMargin - row * h);
                break;
            case tpLeft:
                r = Rect(kStripMargin + row * h, a0, kStripMargin + (row + 1) * h, a0 + length);
                break;
            case tpRight:
                r = Rect(in.width - kStripMargin - (row + 1) * h, a0,
                         in.width - kStripMargin - row * h, a0 + length);
                break;
        }
        out.rects.push_back(r);
        along += length;
    }
    out.rows = row + 1;
    return out;
}

TRect ScrolledItemRect(const std::vector<TRect>& items, int tabIndex, int firstVisible,
                       bool scrolls) {
    if (tabIndex < 0 || tabIndex >= static_cast<int>(items.size())) return {};
    const TRect r = items[static_cast<size_t>(tabIndex)];
    if (!scrolls || firstVisible <= 0) return r;
    // An index left over from tabs that are gone counts as the last tab.
    const int first = std::min(firstVisible, static_cast<int>(items.size()) - 1);
    if (tabIndex < first) return {};
    const int shift = items[static_cast<size_t>(first)].Left - kStripMargin;
    return OffsetRect(r, -shift, 0);
}

bool RowOverflows(const std::vector<TRect>& items, int firstVisible, int width) {
    if (items.empty()) return false;
    return firstVisible > 0 || items.back().Right > width - kStripMargin;
}

int FirstVisibleToShow(const std::vector<TRect>& items, int tabIndex, int firstVisible,
                       int rowRight) {
    const int n = static_cast<int>(items.size());
    if (tabIndex < 0 || tabIndex >= n) return firstVisible;
    if (tabIndex < firstVisible) return tabIndex;
    int first = std::max(0, firstVisible);
    const int right = items[static_cast<size_t>(tabIndex)].Right;
    while (first < tabIndex &&
           right - (items[static_cast<size_t>(first)].Left - kStripMargin) > rowRight)
        ++first;
    return first;
}

int FirstVisibleAfterResize(const std::vector<TRect>& items, int firstVisible, int rowLength) {
    const int n = static_cast<int>(items.size());
    if (n == 0) return 0;
    int first = std::min(firstVisible, n - 1);
    while (first > 0 &&
           items.back().Right - items[static_cast<size_t>(first - 1)].Left <= rowLength)
        --first;
    return std::max(first, 0);
}

TRect PageArea(TTabPosition position, int width, int height, int stripThickness) {
    const int w = width, h = height, area = stripThickness;
    TRect r;
    switch (position) {
        case tpTop:
            r = Rect(kPageInset, area + kPageInset, w - kPageInset, h - kPageInset);
            break;
        case tpBottom:
            r = Rect(kPageInset, kPageInset, w - kPageInset, h - area - kPageInset);
            break;
        // Vertical strips leave two more pixels at the top, where the first tab's corner is.
        case tpLeft:
            r = Rect(area + kPageInset, kPageInset + 2, w - kPageInset, h - kPageInset);
            break;
        case tpRight:
            r = Rect(kPageInset, kPageInset + 2, w - area - kPageInset, h - kPageInset);
            break;
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

}  // namespace tab_layout
