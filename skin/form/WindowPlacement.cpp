#include "skin/form/WindowPlacement.h"

TRect MaximizedBounds(const TRect& monitor, const TRect& workArea, bool fullScreen) {
    if (fullScreen) return monitor;
    if (workArea == monitor)
        return {workArea.Left + 1, workArea.Top + 1, workArea.Right - 1, workArea.Bottom - 1};
    return workArea;
}

TPoint MinimizedPlace(const TRect& area, TSize size, const std::function<bool(TPoint)>& taken) {
    const TPoint start{area.Left, area.Bottom - size.cy};
    // A strip of no size never moves on; it simply takes the first place.
    if (size.cx < 1 || size.cy < 1) return start;
    TPoint p = start;
    while (taken(p)) {
        p.X += size.cx;
        if (p.X + size.cx > area.Right) {
            p.X = area.Left;
            p.Y -= size.cy;
        }
        if (p.Y < area.Top) return start;
    }
    return p;
}

TPoint MagneticSnap(TPoint topLeft, TSize size, const TRect& area, int distance) {
    const int m = distance;
    TPoint p = topLeft;
    if (area.Left - m < p.X && p.X < area.Left + m) p.X = area.Left;
    if (area.Top - m < p.Y && p.Y < area.Top + m) p.Y = area.Top;
    if (area.Right - m < p.X + size.cx && p.X + size.cx < area.Right + m)
        p.X = area.Right - size.cx;
    if (area.Bottom - m < p.Y + size.cy && p.Y + size.cy < area.Bottom + m)
        p.Y = area.Bottom - size.cy;
    return p;
}
