// Owning wrappers for the C handles the GTK backend keeps: each frees through its own
// free function, so no early return can leak a surface, region or GObject.
#pragma once

#include <cairo.h>
#include <glib-object.h>

#include <memory>

namespace platform::gtk {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

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
