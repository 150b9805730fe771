#include "platform/gtk/GtkNativeViewHost.h"

namespace platform::gtk {
namespace {

// Native views whose window goes away while they live on (the window is re-created, the
// control moves to another parent) wait here: an off-screen window that keeps them
// realized, so a web view keeps its page and goes on rendering until it is taken back.
GtkWidget* ParkingArea() {
    static GtkWidget* area = [] {
        GtkWidget* window = gtk_offscreen_window_new();
        GtkWidget* fixed = gtk_fixed_new();
        gtk_container_add(GTK_CONTAINER(window), fixed);
        gtk_widget_show_all(window);
        return fixed;
    }();
    return area;
}

}  // namespace

GtkNativeViewHost::GtkNativeViewHost(GtkLayout* layout, GtkWidget* widget)
    : layout_(layout), widget_(GTK_WIDGET(g_object_ref_sink(widget))) {
    g_object_add_weak_pointer(G_OBJECT(layout_), reinterpret_cast<gpointer*>(&layout_));
    // Taken back from the parking area (or another window).
    if (GtkWidget* oldParent = gtk_widget_get_parent(widget_.get()))
        gtk_container_remove(GTK_CONTAINER(oldParent), widget_.get());
    gtk_widget_hide(widget_.get());
    gtk_layout_put(layout_, widget_.get(), 0, 0);
}

GtkNativeViewHost::~GtkNativeViewHost() {
    if (layout_) {
        if (gtk_widget_get_parent(widget_.get()) == GTK_WIDGET(layout_)) {
            gtk_container_remove(GTK_CONTAINER(layout_), widget_.get());
            // Kept for the next window, unless the widget's owner is letting it go.
            if (G_OBJECT(widget_.get())->ref_count > 1)
                gtk_fixed_put(GTK_FIXED(ParkingArea()), widget_.get(), 0, 0);
        }
        g_object_remove_weak_pointer(G_OBJECT(layout_), reinterpret_cast<gpointer*>(&layout_));
    }
}

void GtkNativeViewHost::SetGeometry(const TRect& windowRect, bool visible) {
    if (!layout_ || gtk_widget_get_parent(widget_.get()) != GTK_WIDGET(layout_)) return;
    if (!visible || IsRectEmpty(windowRect)) {
        gtk_widget_hide(widget_.get());
        return;
    }
    gtk_layout_move(layout_, widget_.get(), windowRect.Left, windowRect.Top);
    gtk_widget_set_size_request(widget_.get(), windowRect.Width(), windowRect.Height());
    gtk_widget_show(widget_.get());
}

void GtkNativeViewHost::Focus() {
    if (layout_ && gtk_widget_get_visible(widget_.get())) gtk_widget_grab_focus(widget_.get());
}

}  // namespace platform::gtk
