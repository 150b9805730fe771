// Whole-window opacity of top-level windows, and whether the screen can show it.
#pragma once

#include <cstdint>

class TWinControl;

// Constant whole-window opacity (255 opaque) of a top-level control.
void SetWindowAlpha(TWinControl& window, uint8_t alpha);

// Whether per-window opacity works: the screen really composites windows.
[[nodiscard]] bool LayeredWindowsSupported();
