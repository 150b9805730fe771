// Pieces of the GTK backend shared between its files.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace platform::gtk {

[[nodiscard]] std::unique_ptr<Platform> CreateGtkPlatform();

// The notification-area icon: a StatusNotifierItem while a watcher is on the session bus,
// else the XEmbed system tray icon (GtkStatusIcon).
[[nodiscard]] std::unique_ptr<TrayIcon> CreateGtkTrayIcon();
[[nodiscard]] std::unique_ptr<TrayIcon> CreateXEmbedTrayIcon();

[[nodiscard]] std::unique_ptr<InputGrab> GrabGtkInput(Window& anchor, InputGrabSink& sink);
// Whether a popup's input grab of this process holds the keyboard: the focus changes the
// display server reports meanwhile come from the grab, not from the user.
[[nodiscard]] bool GtkInputGrabActive();

[[nodiscard]] CursorInfo ReadCursorInfo();

MessageBoxResult RunMessageBox(const std::string& title, const std::string& text,
                               MessageBoxKind kind, MessageBoxButtons buttons);

// The answer a dialog response stands for. Closing the dialog without a button counts as
// the box's cancelling answer: Cancel where there is one, No for Yes/No, Ok for Ok.
[[nodiscard]] MessageBoxResult ResultFromResponse(int response, MessageBoxButtons buttons);

}  // namespace platform::gtk
