// Text through pango-cairo on a TBitmap's pixels. Fonts follow the framework's height
// convention; rendering uses fixed font options (grey antialiasing, slight hinting, no
// metric hinting) so the result does not depend on the desktop's settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Types.h"
#include "ui/GraphicsObjects.h"

class TBitmap;

// Size of one line of text (no line breaks, no prefix processing).
[[nodiscard]] TSize MeasureText(const TFont& font, const std::string& utf8);

// Draws one line with its cell's top-left at device (x, y), turned by font.Orientation
// around that point. With a background the text cell is filled first. Drawing stays inside
// `clip` (device rectangles). Returns the line's unrotated size.
TSize DrawTextLine(TBitmap& target, const TFont& font, int32_t x, int32_t y,
                   const std::string& utf8, std::optional<uint32_t> background,
                   const std::vector<TRect>& clip);

// Lays text out in the device rectangle by DrawText flags and returns the size of the text
// block (for DT_CALCRECT). When target is not null the text is drawn, clipped to `clip`.
TSize FormatText(TBitmap* target, const TFont& font, const std::string& utf8, const TRect& rect,
                 uint32_t flags, std::optional<uint32_t> background,
                 const std::vector<TRect>& clip);
