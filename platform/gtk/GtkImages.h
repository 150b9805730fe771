// Pixel and region conversions between the framework's images (0x00RRGGBB words) and
// region rectangle lists, and cairo / GdkPixbuf.
#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <vector>

#include "platform/Platform.h"
#include "platform/gtk/GtkHandles.h"

class TRegion;

namespace platform::gtk {

// An RGB24 surface of the given size, filled with `fill` (0x00RRGGBB).
[[nodiscard]] CairoSurfacePtr NewImageSurface(int width, int height, uint32_t fill);

// Copies `dirty` (clipped to both) of the image into the surface at the same position.
// Returns the rectangle actually copied (empty when nothing was).
TRect CopyImageToSurface(const ImageView& image, const TRect& dirty, cairo_surface_t* surface);

// A pixbuf of the image. The words' top byte is their alpha when any word has one (straight
// alpha); an image whose top bytes are all zero is opaque.
[[nodiscard]] GObjectPtr<GdkPixbuf> PixbufFromImage(const ImageView& image);

// 0x00RRGGBB words of `pixbuf` placed at (dx, dy) in a `width` x `height` buffer that is
// black elsewhere.
void CopyPixbufToWords(const GdkPixbuf* pixbuf, int dx, int dy, std::vector<uint32_t>& words,
                       int width, int height);

[[nodiscard]] CairoRegionPtr CairoRegionFromRects(const std::vector<TRect>& rects);
[[nodiscard]] std::vector<TRect> RectsFromCairoRegion(const cairo_region_t* region);

}  // namespace platform::gtk
