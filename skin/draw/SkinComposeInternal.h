// Helpers shared by the composition files (not part of the drawing interface).
#pragma once

#include "base/Types.h"

class TBitmap;

namespace skin_compose {

enum class TAxis { Horizontal, Vertical };

// Tiles `piece` over `area` along one axis from area's start, the last tile shortened.
void TileAlong(TBitmap& target, const TRect& area, const TBitmap& picture, const TRect& piece,
               TAxis axis);
// One edge's repeatable part: stretched into `area` or tiled along `axis`.
void DrawEdge(TBitmap& target, const TRect& area, const TBitmap& picture, const TRect& piece,
              bool stretch, TAxis axis);

}  // namespace skin_compose
