// Where the window commands put a skinned window: its maximised bounds, its place when
// minimised to a frame-only strip, and the magnetic snapping of a move to the edges of an
// area. Pure functions of rectangles, so every rule can be checked without a window.
#pragma once

#include <functional>

#include "base/Types.h"

// The maximised bounds on a monitor: the whole monitor with `fullScreen`, else its work
// area; a work area that covers the whole monitor (nothing reserved for a panel) is shrunk
// by one pixel on every side so that an auto-hiding panel stays reachable.
[[nodiscard]] TRect MaximizedBounds(const TRect& monitor, const TRect& workArea, bool fullScreen);

// The top-left of a minimised strip of `size` in `area`: the bottom-left corner, moved right
// past every place `taken` reports, a row higher when a strip would pass the right edge, and
// back to the bottom-left (taken or not) when the rows run out above the top.
[[nodiscard]] TPoint MinimizedPlace(const TRect& area, TSize size,
                                    const std::function<bool(TPoint)>& taken);

// A window of `size` whose top-left is `topLeft`, snapped to the edges of `area`: each edge
// of the window closer than `distance` to the same edge of the area moves onto it (left and
// top first; right and bottom win over them).
[[nodiscard]] TPoint MagneticSnap(TPoint topLeft, TSize size, const TRect& area, int distance);
