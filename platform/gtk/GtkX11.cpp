#include "platform/gtk/GtkX11.h"

#include <dlfcn.h>
#include <gdk/gdkx.h>

namespace platform::gtk {

void SetEmptyXShape(GdkWindow* window) {
    if (!window || !GDK_IS_X11_WINDOW(window)) return;
    // libXext is loaded by GDK; looking the call up avoids a link dependency of our own.
    using ShapeRects = void (*)(Display*, ::Window, int, int, int, XRectangle*, int, int, int);
    static const auto shapeRects =
        reinterpret_cast<ShapeRects>(dlsym(RTLD_DEFAULT, "XShapeCombineRectangles"));
    if (!shapeRects) return;
    constexpr int kShapeBounding = 0;
    constexpr int kShapeSet = 0;
    constexpr int kUnsorted = 0;
    shapeRects(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), kShapeBounding, 0, 0, nullptr, 0,
               kShapeSet, kUnsorted);
}

}  // namespace platform::gtk
