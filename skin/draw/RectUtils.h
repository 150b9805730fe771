// Rectangle and point tests shared by the skinned controls. RectWidth and RectHeight come
// from base/Types.h; the tests here follow the skin engine's own conventions.
#pragma once

#include "base/Types.h"

// A rectangle is null (absent) when its width or its height is below 1.
[[nodiscard]] inline bool IsNullRect(const TRect& r) {
    return RectWidth(r) < 1 || RectHeight(r) < 1;
}

// A point is unset when its X or its Y is 0.
[[nodiscard]] inline bool IsNullPoint(TPoint p) { return p.X == 0 || p.Y == 0; }

// Inclusive on all four sides (unlike the platform point test).
[[nodiscard]] inline bool RectContainsPoint(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

// Both corners of `inner` pass the platform point test (right/bottom exclusive) against
// `outer`; so a rectangle reaching outer's right or bottom edge is not "in" it.
[[nodiscard]] inline bool RectInRect(const TRect& inner, const TRect& outer) {
    return PtInRect(outer, inner.TopLeft()) && PtInRect(outer, inner.BottomRight());
}
