#include "platform/gtk/GtkX11.h"

#include <dlfcn.h>
#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>

#include "platform/gtk/GtkHandles.h"

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
    shapeRects(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), kShapeBounding, 0, 0, nullptr,
               0, kShapeSet, kUnsorted);
}

}  // namespace platform::gtk

namespace platform::gtk {
namespace {

GdkFilterReturn FilterSentKeys(GdkXEvent* xevent, GdkEvent*, gpointer data) {
    auto* x = static_cast<XEvent*>(xevent);
    if ((x->type != KeyPress && x->type != KeyRelease) || !x->xkey.send_event)
        return GDK_FILTER_CONTINUE;
    auto* window = static_cast<GdkWindow*>(data);
    GdkDisplay* display = gdk_window_get_display(window);
    GdkEventPtr owned(gdk_event_new(x->type == KeyPress ? GDK_KEY_PRESS : GDK_KEY_RELEASE));
    GdkEvent* event = owned.get();
    event->key.window = GDK_WINDOW(g_object_ref(window));
    event->key.send_event = TRUE;
    event->key.time = static_cast<guint32>(x->xkey.time);
    event->key.state = x->xkey.state;
    event->key.hardware_keycode = static_cast<guint16>(x->xkey.keycode);
    GdkKeymap* keymap = gdk_keymap_get_for_display(display);
    gint group = 0;
    guint keyval = GDK_KEY_VoidSymbol;
    gdk_keymap_translate_keyboard_state(keymap, x->xkey.keycode,
                                        static_cast<GdkModifierType>(x->xkey.state), 0, &keyval,
                                        nullptr, nullptr, nullptr);
    event->key.keyval = keyval;
    event->key.group = static_cast<guint8>(group);
    event->key.is_modifier = (keyval >= GDK_KEY_Shift_L && keyval <= GDK_KEY_Hyper_R) ? 1 : 0;
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
    gdk_event_put(event);
    return GDK_FILTER_REMOVE;
}

}  // namespace

void AcceptSentKeyEvents(GdkWindow* toplevel) {
    if (!toplevel || !GDK_IS_X11_WINDOW(toplevel)) return;
    using GetAttributes = int (*)(Display*, ::Window, XWindowAttributes*);
    using SelectInput = int (*)(Display*, ::Window, long);
    static const auto getAttributes =
        reinterpret_cast<GetAttributes>(dlsym(RTLD_DEFAULT, "XGetWindowAttributes"));
    static const auto selectInput =
        reinterpret_cast<SelectInput>(dlsym(RTLD_DEFAULT, "XSelectInput"));
    if (!getAttributes || !selectInput) return;
    XWindowAttributes attributes;
    if (!getAttributes(GDK_WINDOW_XDISPLAY(toplevel), GDK_WINDOW_XID(toplevel), &attributes))
        return;
    // Real key presses keep arriving through XInput 2; core selection only adds sent ones.
    selectInput(GDK_WINDOW_XDISPLAY(toplevel), GDK_WINDOW_XID(toplevel),
                attributes.your_event_mask | KeyPressMask | KeyReleaseMask);
    gdk_window_add_filter(toplevel, &FilterSentKeys, toplevel);
}

void RemoveSentKeyFilter(GdkWindow* toplevel) {
    if (toplevel) gdk_window_remove_filter(toplevel, &FilterSentKeys, toplevel);
}

}  // namespace platform::gtk
