// The program's icon: the skin's window frame, shrunk to the icon, with a sliding-tile
// puzzle (eight tiles and a gap) on its paper face. Drawn with shapes only, no text, so the
// picture does not depend on the fonts installed.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "base/Types.h"

namespace iconmake {

// The frame picture with its mask applied: pixels 0x00RRGGBB, the mask's black pixels
// inside the window, and the face (client) rectangle within the picture.
struct FrameArt {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    std::vector<bool> inside;
    TRect face;
};

// An ARGB32 surface of size x size pixels; the caller destroys it.
[[nodiscard]] cairo_surface_t* PaintIcon(const FrameArt& art, int size);

}  // namespace iconmake
