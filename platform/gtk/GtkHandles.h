// Owning wrappers for the C handles the GTK backend keeps: each frees through its own
// free function, so no early return or exception can leak a surface, region, string,
// error or GObject.
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <gtk/gtk.h>

#include <memory>

namespace platform::gtk {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Takes a new reference to an object the caller does not own (a signal's argument that
// must outlive the handler).
template <typename T>
[[nodiscard]] GObjectPtr<T> RefObject(T* object) {
    return GObjectPtr<T>(object ? static_cast<T*>(g_object_ref(object)) : nullptr);
}

// Memory from g_malloc (strings handed over by GLib, GTK and WebKit).
struct GFree {
    void operator()(gpointer p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

struct GErrorFree {
    void operator()(GError* e) const {
        if (e) g_error_free(e);
    }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct GStrvFree {
    void operator()(gchar** v) const { g_strfreev(v); }
};
using GStrvPtr = std::unique_ptr<gchar*, GStrvFree>;

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

// A list the caller owns (its elements are not freed).
struct GListFree {
    void operator()(GList* l) const { g_list_free(l); }
};
using GListPtr = std::unique_ptr<GList, GListFree>;

struct GdkEventFree {
    void operator()(GdkEvent* e) const {
        if (e) gdk_event_free(e);
    }
};
using GdkEventPtr = std::unique_ptr<GdkEvent, GdkEventFree>;

struct CairoSurfaceDestroy {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;

struct CairoRegionDestroy {
    void operator()(cairo_region_t* r) const { cairo_region_destroy(r); }
};
using CairoRegionPtr = std::unique_ptr<cairo_region_t, CairoRegionDestroy>;

struct CairoDestroy {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoDestroy>;

}  // namespace platform::gtk
