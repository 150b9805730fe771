#include "platform/gtk/GtkImages.h"

#include <cstring>

namespace platform::gtk {

CairoSurfacePtr NewImageSurface(int width, int height, uint32_t fill) {
    CairoSurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1)));
    cairo_surface_flush(surface.get());
    auto* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const int w = cairo_image_surface_get_width(surface.get());
    const int h = cairo_image_surface_get_height(surface.get());
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        std::fill(row, row + w, fill);
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

TRect CopyImageToSurface(const ImageView& image, const TRect& dirty, cairo_surface_t* surface) {
    if (!image.pixels || image.width <= 0 || image.height <= 0 || image.strideWords < image.width)
        return {};
    const int sw = cairo_image_surface_get_width(surface);
    const int sh = cairo_image_surface_get_height(surface);
    const TRect area = IntersectRect(IntersectRect(dirty, Rect(0, 0, image.width, image.height)),
                                     Rect(0, 0, sw, sh));
    if (IsRectEmpty(area)) return {};
    cairo_surface_flush(surface);
    auto* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const size_t bytes = static_cast<size_t>(area.Width()) * sizeof(uint32_t);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const uint32_t* src =
            image.pixels + static_cast<ptrdiff_t>(y) * image.strideWords + area.Left;
        auto* dst =
            reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride) + area.Left;
        std::memcpy(dst, src, bytes);
    }
    cairo_surface_mark_dirty_rectangle(surface, area.Left, area.Top, area.Width(), area.Height());
    return area;
}

GObjectPtr<GdkPixbuf> PixbufFromImage(const ImageView& image) {
    if (!image.pixels || image.width <= 0 || image.height <= 0 || image.strideWords < image.width)
        return nullptr;
    bool hasAlpha = false;
    for (int y = 0; y < image.height && !hasAlpha; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.pixels[static_cast<ptrdiff_t>(y) * image.strideWords + x] >> 24) {
                hasAlpha = true;
                break;
            }
    GObjectPtr<GdkPixbuf> pixbuf(
        gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, image.width, image.height));
    if (!pixbuf) return nullptr;
    guchar* out = gdk_pixbuf_get_pixels(pixbuf.get());
    const int rowstride = gdk_pixbuf_get_rowstride(pixbuf.get());
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = image.pixels + static_cast<ptrdiff_t>(y) * image.strideWords;
        guchar* dst = out + static_cast<ptrdiff_t>(y) * rowstride;
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = src[x];
            dst[4 * x + 0] = static_cast<guchar>(p >> 16);
            dst[4 * x + 1] = static_cast<guchar>(p >> 8);
            dst[4 * x + 2] = static_cast<guchar>(p);
            dst[4 * x + 3] = hasAlpha ? static_cast<guchar>(p >> 24) : 0xFF;
        }
    }
    return pixbuf;
}

void CopyPixbufToWords(const GdkPixbuf* pixbuf, int dx, int dy, std::vector<uint32_t>& words,
                       int width, int height) {
    words.assign(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)),
                 0);
    if (!pixbuf) return;
    const int pw = gdk_pixbuf_get_width(pixbuf);
    const int ph = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int rowstride = gdk_pixbuf_get_rowstride(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3) return;
    const guchar* in = gdk_pixbuf_read_pixels(pixbuf);
    for (int y = 0; y < ph; ++y) {
        const int ty = y + dy;
        if (ty < 0 || ty >= height) continue;
        const guchar* row = in + static_cast<ptrdiff_t>(y) * rowstride;
        for (int x = 0; x < pw; ++x) {
            const int tx = x + dx;
            if (tx < 0 || tx >= width) continue;
            const guchar* p = row + static_cast<ptrdiff_t>(x) * channels;
            words[static_cast<size_t>(ty) * static_cast<size_t>(width) + static_cast<size_t>(tx)] =
                (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
        }
    }
}

CairoRegionPtr CairoRegionFromRects(const std::vector<TRect>& rects) {
    CairoRegionPtr region(cairo_region_create());
    for (const TRect& r : rects) {
        if (IsRectEmpty(r)) continue;
        const cairo_rectangle_int_t cr{r.Left, r.Top, r.Width(), r.Height()};
        cairo_region_union_rectangle(region.get(), &cr);
    }
    return region;
}

std::vector<TRect> RectsFromCairoRegion(const cairo_region_t* region) {
    std::vector<TRect> rects;
    const int n = cairo_region_num_rectangles(region);
    rects.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region, i, &r);
        rects.push_back(Bounds(r.x, r.y, r.width, r.height));
    }
    return rects;
}

}  // namespace platform::gtk
