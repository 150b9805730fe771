#include "platform/gtk/GtkNativeViewHost.h"

namespace platform::gtk {

GtkNativeViewHost::GtkNativeViewHost(GtkLayout* layout, GtkWidget* widget)
    : layout_(layout), widget_(widget) {
    g_object_ref_sink(widget_);
    g_object_add_weak_pointer(G_OBJECT(layout_), reinterpret_cast<gpointer*>(&layout_));
    if (GtkWidget* oldParent = gtk_widget_get_parent(widget_))
        gtk_container_remove(GTK_CONTAINER(oldParent), widget_);
    gtk_widget_hide(widget_);
    gtk_layout_put(layout_, widget_, 0, 0);
}

GtkNativeViewHost::~GtkNativeViewHost() {
    if (layout_) {
        if (gtk_widget_get_parent(widget_) == GTK_WIDGET(layout_))
            gtk_container_remove(GTK_CONTAINER(layout_), widget_);
        g_object_remove_weak_pointer(G_OBJECT(layout_), reinterpret_cast<gpointer*>(&layout_));
    }
    g_object_unref(widget_);
}

void GtkNativeViewHost::SetGeometry(const TRect& windowRect, bool visible) {
    if (!layout_ || gtk_widget_get_parent(widget_) != GTK_WIDGET(layout_)) return;
    if (!visible || IsRectEmpty(windowRect)) {
        gtk_widget_hide(widget_);
        return;
    }
    gtk_layout_move(layout_, widget_, windowRect.Left, windowRect.Top);
    gtk_widget_set_size_request(widget_, windowRect.Width(), windowRect.Height());
    gtk_widget_show(widget_);
}

void GtkNativeViewHost::Focus() {
    if (layout_ && gtk_widget_get_visible(widget_)) gtk_widget_grab_focus(widget_);
}

}  // namespace platform::gtk
