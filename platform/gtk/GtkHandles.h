// Owning wrappers for the GTK backend's own handles: widgets it owns outright and copied
// events. The GLib, GObject, cairo and pango wrappers (strings, errors, objects, surfaces,
// regions) come from platform/GLibHandles.h and are used here under the same names.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "platform/GLibHandles.h"

namespace platform::gtk {

// A widget the holder owns outright (a top-level window, a dialog): destroyed, then its
// reference dropped. Construct from a sunk reference (g_object_ref_sink).
struct GtkWidgetDestroy {
    void operator()(gpointer widget) const {
        if (!widget) return;
        gtk_widget_destroy(GTK_WIDGET(widget));
        g_object_unref(widget);
    }
};
template <typename T = GtkWidget>
using GtkWidgetPtr = std::unique_ptr<T, GtkWidgetDestroy>;

using GdkEventPtr = std::unique_ptr<GdkEvent, HandleFree<GdkEvent, gdk_event_free>>;

}  // namespace platform::gtk
