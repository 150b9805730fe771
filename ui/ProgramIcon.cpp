#include "ui/ProgramIcon.h"

#include <cairo.h>
#include <gio/gio.h>

#include <algorithm>
#include <cstring>

namespace {

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
    auto* source = static_cast<PngSource*>(closure);
    if (length > source->size - source->offset) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, source->data + source->offset, length);
    source->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

TBitmap DecodePngWithAlpha(const uint8_t* data, size_t size) {
    TBitmap picture;
    if (!data || size == 0) return picture;
    PngSource source{data, size, 0};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(&ReadPng, &source);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        const int w = cairo_image_surface_get_width(surface);
        const int h = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const cairo_format_t format = cairo_image_surface_get_format(surface);
        const unsigned char* bytes = cairo_image_surface_get_data(surface);
        picture.SetSize(w, h);
        picture.SetPixelFormat(pf32bit);
        for (int y = 0; y < h; ++y) {
            const auto* row =
                reinterpret_cast<const uint32_t*>(bytes + static_cast<size_t>(y) * stride);
            uint32_t* dst = picture.ScanLine(y);
            for (int x = 0; x < w; ++x) {
                const uint32_t p = row[x];
                const uint32_t a = format == CAIRO_FORMAT_ARGB32 ? p >> 24 : 0xFF;
                // Cairo keeps colours premultiplied; the platform wants them straight.
                auto channel = [&](int shift) {
                    const uint32_t c = (p >> shift) & 0xFF;
                    return a == 0 ? 0u : std::min<uint32_t>(255, (c * 255 + a / 2) / a);
                };
                dst[x] = (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
            }
        }
    }
    cairo_surface_destroy(surface);
    return picture;
}

TBitmap LoadProgramIcon() {
    GBytes* bytes =
        g_resources_lookup_data(kProgramIconResource, G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (!bytes) return {};
    gsize size = 0;
    const auto* data = static_cast<const uint8_t*>(g_bytes_get_data(bytes, &size));
    TBitmap icon = DecodePngWithAlpha(data, size);
    g_bytes_unref(bytes);
    return icon;
}
