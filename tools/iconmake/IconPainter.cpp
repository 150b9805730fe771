#include "IconPainter.h"

#include <algorithm>
#include <cmath>

namespace iconmake {
namespace {

struct Colour {
    double r, g, b;
};
// The skin's amber highlight and slate frame colours.
constexpr Colour kAmber{240 / 255.0, 176 / 255.0, 64 / 255.0};
constexpr Colour kSlate{62 / 255.0, 92 / 255.0, 130 / 255.0};
constexpr Colour kOutline{31 / 255.0, 42 / 255.0, 58 / 255.0};

struct Box {
    int32_t left, top, right, bottom;  // right and bottom excluded
};

Box InsideBounds(const FrameArt& art) {
    Box b{art.width, art.height, 0, 0};
    for (int32_t y = 0; y < art.height; ++y)
        for (int32_t x = 0; x < art.width; ++x)
            if (art.inside[static_cast<size_t>(y) * art.width + x]) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x + 1);
                b.bottom = std::max(b.bottom, y + 1);
            }
    return b;
}

// The frame picture as a premultiplied ARGB surface, transparent outside the mask.
cairo_surface_t* FrameSurface(const FrameArt& art) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, art.width, art.height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int32_t y = 0; y < art.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int32_t x = 0; x < art.width; ++x) {
            const size_t i = static_cast<size_t>(y) * art.width + x;
            row[x] = art.inside[i] ? (0xFF000000u | (art.pixels[i] & 0x00FFFFFFu)) : 0u;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Eight tiles of a 3 x 3 sliding puzzle in a square of side `side`; the gap is the middle
// of the right column, as if a tile had just slid down into the corner.
void PaintTiles(cairo_t* cr, double x, double y, double side) {
    const double cell = side / 3;
    const double gap = std::max(cell * 0.12, 0.5);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            if (row == 1 && col == 2) continue;
            const Colour& c = (row + col) % 2 == 0 ? kAmber : kSlate;
            RoundedRect(cr, x + col * cell + gap / 2, y + row * cell + gap / 2, cell - gap,
                        cell - gap, (cell - gap) * 0.18);
            cairo_set_source_rgb(cr, c.r, c.g, c.b);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, kOutline.r, kOutline.g, kOutline.b);
            cairo_set_line_width(cr, std::max(side / 90, 0.5));
            cairo_stroke(cr);
        }
}

}  // namespace

cairo_surface_t* PaintIcon(const FrameArt& art, int size) {
    cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    const Box b = InsideBounds(art);
    if (b.right <= b.left || b.bottom <= b.top) return icon;  // an empty mask: nothing to draw

    cairo_t* cr = cairo_create(icon);
    const double margin = std::floor(size / 32.0 + 0.5);
    const double scale = (size - 2 * margin) / std::max(b.right - b.left, b.bottom - b.top);
    const double ox = (size - (b.right - b.left) * scale) / 2 - b.left * scale;
    const double oy = (size - (b.bottom - b.top) * scale) / 2 - b.top * scale;

    cairo_surface_t* frame = FrameSurface(art);
    cairo_save(cr);
    cairo_translate(cr, ox, oy);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, frame, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(frame);

    // The puzzle sits square in the middle of the face, with a tenth of it as padding.
    const double fx = ox + art.face.Left * scale;
    const double fy = oy + art.face.Top * scale;
    const double fw = (art.face.Right - art.face.Left) * scale;
    const double fh = (art.face.Bottom - art.face.Top) * scale;
    const double side = std::min(fw, fh) * 0.84;
    PaintTiles(cr, fx + (fw - side) / 2, fy + (fh - side) / 2, side);

    cairo_destroy(cr);
    cairo_surface_flush(icon);
    return icon;
}

}  // namespace iconmake
