// What skinned controls ask of the screen: what lies behind a control, screen pixels,
// per-window opacity and monitor work areas.
#pragma once

#include <cstdint>

#include "base/Types.h"

class TBitmap;
class TCanvas;
class TControl;
class TWinControl;

// Paints into `canvas` (the control's own coordinates) what lies behind the control: the
// parent's background and paint, then every earlier visible graphic or custom-drawn
// sibling that overlaps it (custom-drawn siblings with their custom-drawn children). The
// control itself and later siblings are not painted. The canvas state is restored.
void PaintParentBackground(TControl& control, TCanvas& canvas);

// Copies the screen block at (x, y) of the bitmap's size into the bitmap.
void CopyScreenArea(int32_t x, int32_t y, TBitmap& bitmap);

// Constant whole-window opacity (255 opaque) of a top-level control.
void SetWindowAlpha(TWinControl& window, uint8_t alpha);

// Whether per-window opacity works: the screen really composites windows.
[[nodiscard]] bool LayeredWindowsSupported();

// The work area (workArea set) or the whole monitor rectangle of the monitor nearest to
// a window's screen bounds. With a single monitor: the primary work area, or
// (0, 0, screen width, screen height).
[[nodiscard]] TRect GetWorkArea(const TRect& windowScreenBounds, bool workArea);
// The same for the top-level window holding `window`.
void GetWorkArea(const TWinControl& window, bool workArea, TRect& result);
