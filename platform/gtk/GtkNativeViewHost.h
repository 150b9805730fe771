// Keeps a native GTK widget (a web pane) on a rectangle of its window's layout.
#pragma once

#include <gtk/gtk.h>

#include "platform/Platform.h"
#include "platform/gtk/GtkHandles.h"

namespace platform::gtk {

class GtkNativeViewHost final : public NativeView {
public:
    // Takes a reference to `widget` (sinking a floating one) and puts it, hidden, into the
    // layout. The reference is dropped when the host goes.
    GtkNativeViewHost(GtkLayout* layout, GtkWidget* widget);
    ~GtkNativeViewHost() override;
    GtkNativeViewHost(const GtkNativeViewHost&) = delete;
    GtkNativeViewHost& operator=(const GtkNativeViewHost&) = delete;

    void SetGeometry(const TRect& windowRect, bool visible) override;
    void Focus() override;

private:
    GtkLayout* layout_;             // weak: cleared when the window goes first
    GObjectPtr<GtkWidget> widget_;  // one reference held
};

}  // namespace platform::gtk
