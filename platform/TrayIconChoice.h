// A notification-area icon that serves both kinds of notification area: a
// StatusNotifierItem while a watcher is on the session bus, the fallback icon (the XEmbed
// tray on GTK) otherwise. It moves between them when the watcher comes or goes, keeping
// its image, tip and visibility; the StatusNotifierItem gives up its bus name whenever it
// is not the one shown.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace platform {

class StatusNotifierItem;

class TrayIconChoice final : public TrayIcon {
public:
    TrayIconChoice(std::unique_ptr<StatusNotifierItem> item, std::unique_ptr<TrayIcon> fallback);
    ~TrayIconChoice() override;
    TrayIconChoice(const TrayIconChoice&) = delete;
    TrayIconChoice& operator=(const TrayIconChoice&) = delete;

    void SetImage(const ImageView& image) override;
    void SetTooltip(const std::string& text) override;
    void SetVisible(bool visible) override;

    // The StatusNotifierItem is the icon in use (a watcher is there).
    [[nodiscard]] bool UsesStatusNotifier() const;

private:
    void Apply();

    std::unique_ptr<StatusNotifierItem> item_;
    std::unique_ptr<TrayIcon> fallback_;
    bool visible_ = false;
};

}  // namespace platform
