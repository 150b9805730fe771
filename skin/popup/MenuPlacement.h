// Where a popup menu window goes: below or above its anchor rectangle, or beside it when
// neither fits, always inside the monitor's work area.
#pragma once

#include "base/Types.h"

struct TMenuPlacement {
    TRect anchor;            // the point or item rectangle the window opens from (screen)
    TRect workArea;          // the monitor's work area
    TSize size;              // window size
    int itemsTop = 0;        // top of the items rectangle inside the window
    bool up = false;         // prefer opening above the anchor
    bool submenu = false;    // opens beside a parent item
    bool scrolling = false;  // the items do not fit: the window is the work area's height
};

// The window's top-left corner.
[[nodiscard]] TPoint PlaceMenuWindow(const TMenuPlacement& p);
