#include "platform/TrayIconChoice.h"

#include "platform/StatusNotifierItem.h"

namespace platform {

TrayIconChoice::TrayIconChoice(std::unique_ptr<StatusNotifierItem> item,
                               std::unique_ptr<TrayIcon> fallback)
    : item_(std::move(item)), fallback_(std::move(fallback)) {
    auto forward = [this](const MouseEvent& e) {
        if (onMouse) onMouse(e);
    };
    item_->onMouse = forward;
    fallback_->onMouse = forward;
    item_->onWatcherChanged = [this](bool) { Apply(); };
    item_->onAreaRestarted = [this] {
        if (onAreaRestarted) onAreaRestarted();
    };
    Apply();
}

TrayIconChoice::~TrayIconChoice() {
    item_->onWatcherChanged = nullptr;
    item_->onAreaRestarted = nullptr;
}

void TrayIconChoice::SetImage(const ImageView& image) {
    item_->SetImage(image);
    fallback_->SetImage(image);
}

void TrayIconChoice::SetTooltip(const std::string& text) {
    item_->SetTooltip(text);
    fallback_->SetTooltip(text);
}

void TrayIconChoice::SetVisible(bool visible) {
    visible_ = visible;
    Apply();
}

bool TrayIconChoice::UsesStatusNotifier() const { return item_->WatcherPresent(); }

void TrayIconChoice::Apply() {
    const bool dbus = item_->WatcherPresent();
    item_->SetVisible(visible_ && dbus);
    fallback_->SetVisible(visible_ && !dbus);
}

}  // namespace platform
