// Owning wrappers for the C handles of GLib, GObject, cairo and pango, for the framework
// and both backends: each frees through its own free function, so no early return or
// exception can leak a string, error, object, surface, layout or font description. Only
// the libraries' own headers are included (no GTK); the GTK backend's widget and event
// wrappers build on these in platform/gtk/GtkHandles.h.
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <glib.h>
#include <pango/pango.h>

#include <memory>

namespace platform {

// A deleter that calls `Free` on a non-null handle.
template <typename T, auto Free>
struct HandleFree {
    void operator()(T* handle) const {
        if (handle) Free(handle);
    }
};

// ---- GLib and GObject ----

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

using GErrorPtr = std::unique_ptr<GError, HandleFree<GError, g_error_free>>;
using GStrvPtr = std::unique_ptr<gchar*, HandleFree<gchar*, g_strfreev>>;
// A list the caller owns (its elements are not freed).
using GListPtr = std::unique_ptr<GList, HandleFree<GList, g_list_free>>;
using GBytesPtr = std::unique_ptr<GBytes, HandleFree<GBytes, g_bytes_unref>>;
using GVariantPtr = std::unique_ptr<GVariant, HandleFree<GVariant, g_variant_unref>>;
using GUriPtr = std::unique_ptr<GUri, HandleFree<GUri, g_uri_unref>>;

// ---- cairo ----

using CairoPtr = std::unique_ptr<cairo_t, HandleFree<cairo_t, cairo_destroy>>;
using CairoSurfacePtr =
    std::unique_ptr<cairo_surface_t, HandleFree<cairo_surface_t, cairo_surface_destroy>>;
using CairoRegionPtr =
    std::unique_ptr<cairo_region_t, HandleFree<cairo_region_t, cairo_region_destroy>>;
using CairoFontOptionsPtr =
    std::unique_ptr<cairo_font_options_t,
                    HandleFree<cairo_font_options_t, cairo_font_options_destroy>>;

// ---- pango ----

using PangoFontDescriptionPtr =
    std::unique_ptr<PangoFontDescription,
                    HandleFree<PangoFontDescription, pango_font_description_free>>;
using PangoFontMetricsPtr =
    std::unique_ptr<PangoFontMetrics, HandleFree<PangoFontMetrics, pango_font_metrics_unref>>;
using PangoAttrListPtr =
    std::unique_ptr<PangoAttrList, HandleFree<PangoAttrList, pango_attr_list_unref>>;
using PangoLayoutIterPtr =
    std::unique_ptr<PangoLayoutIter, HandleFree<PangoLayoutIter, pango_layout_iter_free>>;

}  // namespace platform
