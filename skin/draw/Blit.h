// The one copy primitive of skin drawing: a rectangle of one bitmap into a rectangle of
// another, straight between pixel rows. Equal sizes copy 1:1, different sizes pick the
// nearest source pixel. Rectangles with a width or height below 1 copy nothing (the
// composition algorithms produce such spans when a window is smaller than its fixed
// parts), and nothing is ever read or written outside either bitmap.
#pragma once

#include "base/Types.h"

class TBitmap;

void BlitRect(TBitmap& target, const TRect& dst, const TBitmap& source, const TRect& src);

// Fills `area` of the target with copies of the source rectangle `tile`, the first one at
// area's top-left, left to right and top to bottom; the last column and row are cut at
// area's right and bottom. The same pixels as copying each tile with BlitRect, without a
// call per tile. A tile below 1 pixel in width or height fills nothing.
void TileRect(TBitmap& target, const TRect& area, const TBitmap& source, const TRect& tile);
