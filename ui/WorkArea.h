// The monitor work area (or whole monitor) for a window, from the platform's monitors.
#pragma once

#include "base/Types.h"

class TWinControl;

// The work area (workArea set) or the whole monitor rectangle of the monitor nearest to
// a window's screen bounds. With a single monitor: the primary work area, or
// (0, 0, screen width, screen height).
[[nodiscard]] TRect GetWorkArea(const TRect& windowScreenBounds, bool workArea);
// The same for the top-level window holding `window`.
void GetWorkArea(const TWinControl& window, bool workArea, TRect& result);
