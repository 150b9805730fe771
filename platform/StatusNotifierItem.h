// A notification-area icon of the D-Bus StatusNotifierItem protocol (the tray of KDE, of
// most panels and of GNOME's tray extension), on GIO's D-Bus API. The item owns the bus
// name "org.kde.StatusNotifierItem-<pid>-<n>", exports the item at /StatusNotifierItem
// while it is visible and registers with org.kde.StatusNotifierWatcher whenever a watcher
// is there (again after the watcher restarts). The host's calls arrive as mouse events at
// the screen point they give: Activate as a left double click (the default action, as on
// the XEmbed tray), SecondaryActivate as a middle click, ContextMenu as a right click.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Liveness.h"
#include "platform/Platform.h"

typedef struct _GDBusConnection GDBusConnection;

namespace platform {

class StatusNotifierItem final : public TrayIcon {
public:
    // Uses `connection` (a test's private bus), or the session bus when null; without a
    // bus the item stays unregistered.
    explicit StatusNotifierItem(GDBusConnection* connection = nullptr,
                                std::string title = "Puzzlebin");
    ~StatusNotifierItem() override;
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    void SetImage(const ImageView& image) override;
    void SetTooltip(const std::string& text) override;
    void SetVisible(bool visible) override;

    [[nodiscard]] bool Visible() const { return visible_; }
    // A watcher owns its name on the bus.
    [[nodiscard]] bool WatcherPresent() const { return watcherPresent_; }
    // The item's bus name (registered with the watcher).
    [[nodiscard]] const std::string& BusName() const { return busName_; }
    // Told when a watcher appears (true) or goes (false).
    std::function<void(bool present)> onWatcherChanged;

    struct Impl;

private:
    void Export();
    void Unexport();
    void Register();
    void EmitSignal(const char* name);

    std::unique_ptr<Impl> impl_;
    std::string title_;
    std::string busName_;
    std::string tooltip_;
    int32_t iconWidth_ = 0;
    int32_t iconHeight_ = 0;
    std::vector<uint8_t> iconArgb_;  // big-endian ARGB32, as the protocol carries it
    bool visible_ = false;
    bool watcherPresent_ = false;
    bool watcherSeen_ = false;
    bool nameOwned_ = false;
    bool ownConnection_ = false;
    TLiveness liveness_;
};

}  // namespace platform
