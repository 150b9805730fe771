// The current cursor's image through the X fixes extension, turned into the monochrome AND
// mask the hint placement reads (1 = transparent pixel, rows padded to 32 bits).
// Our headers come before Xlib's, whose macros (None, Window ...) clash with their names;
// the formatter would sort them after.
// clang-format off
#include "platform/gtk/GtkBackend.h"

#include <gdk/gdkx.h>
#include <X11/extensions/Xfixes.h>
// clang-format on

namespace platform::gtk {

CursorInfo ReadCursorInfo() {
    CursorInfo info;
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return info;
    info.systemHeight = static_cast<int32_t>(gdk_display_get_default_cursor_size(display));
    if (!GDK_IS_X11_DISPLAY(display)) return info;
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(x, &eventBase, &errorBase)) return info;
    gdk_x11_display_error_trap_push(display);
    XFixesCursorImage* image = XFixesGetCursorImage(x);
    gdk_x11_display_error_trap_pop_ignored(display);
    if (!image) return info;
    const int w = image->width;
    const int h = image->height;
    if (w > 0 && h > 0 && w <= 256 && h <= 256) {
        const size_t rowBytes = static_cast<size_t>((w + 31) / 32) * 4;
        info.mask.assign(rowBytes * static_cast<size_t>(h), 0xFF);
        for (int y = 0; y < h; ++y) {
            for (int px = 0; px < w; ++px) {
                // XFixes hands ARGB pixels in unsigned longs.
                const unsigned long argb =
                    image->pixels[static_cast<size_t>(y) * static_cast<size_t>(w) +
                                  static_cast<size_t>(px)];
                if ((argb >> 24) & 0xFF) {
                    info.mask[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(px / 8)] &=
                        static_cast<uint8_t>(~(0x80u >> (px % 8)));
                }
            }
        }
        info.width = w;
        info.height = h;
        info.bitsPerPixel = 1;
        info.hotspotY = image->yhot;
    }
    XFree(image);
    return info;
}

}  // namespace platform::gtk
