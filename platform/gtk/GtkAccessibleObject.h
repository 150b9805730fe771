// The ATK object of one accessible node and the accessible of the window's content, for
// GtkAccessibleBridge. Internal to the GTK backend.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace platform::gtk {

class GtkAccessibleBridge;

// A new object (one reference) answering for the node with the id through the bridge.
[[nodiscard]] AtkObject* NewNodeObject(GtkAccessibleBridge* bridge, const std::string& id);
// The bridge is going: the object answers as a defunct one from now on.
void DetachNodeObject(AtkObject* object);
// The GtkLayout subclass whose accessible lists the bridge's top nodes after its children.
[[nodiscard]] GType AccessibleLayoutType();
// The bridge set on a layout of that type, or nullptr.
[[nodiscard]] GtkAccessibleBridge* LayoutBridge(GtkWidget* layout);

}  // namespace platform::gtk
