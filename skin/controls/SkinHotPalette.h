// The default look's "hot" palette of the skinned controls, used where a control draws
// without a skin section: the frame and fill of a part under the mouse (or of the active
// tab), and the fill of a part being pressed (or of the focused active tab).
#pragma once

#include "base/Types.h"

inline constexpr TColor kHotFrame = RGB(0, 0, 128);
inline constexpr TColor kHotFill = RGB(182, 189, 210);
inline constexpr TColor kPressedFill = RGB(133, 147, 181);
