// The notification-area icon on GTK: both kinds of notification area are served. The icon
// is a StatusNotifierItem while a watcher is on the session bus and the XEmbed tray icon
// otherwise; it moves between them when the watcher comes or goes, keeping its image, tip
// and visibility.
#include <vector>

#include "platform/StatusNotifierItem.h"
#include "platform/gtk/GtkBackend.h"

namespace platform::gtk {
namespace {

class GtkTrayChoice final : public TrayIcon {
public:
    GtkTrayChoice() : sni_(std::make_unique<StatusNotifierItem>()), xembed_(CreateXEmbedTrayIcon()) {
        auto forward = [this](const MouseEvent& e) {
            if (onMouse) onMouse(e);
        };
        sni_->onMouse = forward;
        xembed_->onMouse = forward;
        sni_->onWatcherChanged = [this](bool) { Apply(); };
        sni_->onAreaRestarted = [this] {
            if (onAreaRestarted) onAreaRestarted();
        };
        Apply();
    }
    ~GtkTrayChoice() override {
        sni_->onWatcherChanged = nullptr;
        sni_->onAreaRestarted = nullptr;
    }
    GtkTrayChoice(const GtkTrayChoice&) = delete;
    GtkTrayChoice& operator=(const GtkTrayChoice&) = delete;

    void SetImage(const ImageView& image) override {
        sni_->SetImage(image);
        xembed_->SetImage(image);
    }
    void SetTooltip(const std::string& text) override {
        sni_->SetTooltip(text);
        xembed_->SetTooltip(text);
    }
    void SetVisible(bool visible) override {
        visible_ = visible;
        Apply();
    }

private:
    void Apply() {
        const bool dbus = sni_->WatcherPresent();
        sni_->SetVisible(visible_ && dbus);
        xembed_->SetVisible(visible_ && !dbus);
    }

    std::unique_ptr<StatusNotifierItem> sni_;
    std::unique_ptr<TrayIcon> xembed_;
    bool visible_ = false;
};

}  // namespace

std::unique_ptr<TrayIcon> CreateGtkTrayIcon() { return std::make_unique<GtkTrayChoice>(); }

}  // namespace platform::gtk
