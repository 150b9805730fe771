// The notification-area icon on GTK: a StatusNotifierItem on the session bus while a
// watcher is there, else the XEmbed tray icon (platform/TrayIconChoice.h).
#include "platform/StatusNotifierItem.h"
#include "platform/TrayIconChoice.h"
#include "platform/gtk/GtkBackend.h"

namespace platform::gtk {

std::unique_ptr<TrayIcon> CreateGtkTrayIcon() {
    return std::make_unique<TrayIconChoice>(std::make_unique<StatusNotifierItem>(),
                                            CreateXEmbedTrayIcon());
}

}  // namespace platform::gtk
