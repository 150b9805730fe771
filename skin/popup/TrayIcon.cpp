#include "skin/popup/TrayIcon.h"

#include <glib.h>

#include <vector>

#include "skin/popup/SkinPopupMenu.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Timer.h"

namespace {

// The first `count` characters of UTF-8 text (whole characters only).
std::string FirstCharacters(const std::string& text, size_t count) {
    size_t bytes = 0;
    size_t chars = 0;
    while (bytes < text.size() && chars < count) {
        const auto lead = static_cast<unsigned char>(text[bytes]);
        size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        bytes = std::min(text.size(), bytes + len);
        ++chars;
    }
    return text.substr(0, bytes);
}

TShiftState ShiftOf(uint32_t modifiers) { return KeyModifiersToShiftState(modifiers); }

bool HasAlpha(const TBitmap& picture) {
    for (int y = 0; y < picture.Height(); ++y) {
        const uint32_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x)
            if (row[x] >> 24) return true;
    }
    return false;
}

}  // namespace

// One tray icon's link of the application's minimise chain: the handler before it runs
// first, then the icon while it lives.
struct TspTrayIcon::TrayMinimizeHook {
    TspTrayIcon* icon;
    TLivenessWatch alive;
    TNotifyEvent previous;
    void operator()(TComponent* sender) const {
        // Copies: a handler may replace the chain, and this link with it.
        TspTrayIcon* const target = icon;
        const TLivenessWatch self = alive;
        const TNotifyEvent next = previous;
        if (next) next(sender);
        if (self.Alive() && target->MinimizeToTray) target->DoMinimizeToTray();
    }
};

TspTrayIcon::TspTrayIcon(TComponent* owner)
    : TComponent(owner),
      animationTimer_(MakeStoppedTimer(animateInterval_, [this] { AnimationStep(); })),
      clickTimer_(
          MakeStoppedTimer(platform::HasCurrent() ? platform::Current().DoubleClickTimeMs() : 500,
                           [this] { ClickTimerTick(); })) {
    // Without a picture of its own the icon shows the application's.
    if (icon_.Empty()) icon_ = Application().Icon();
    if (platform::HasCurrent()) tray_ = platform::Current().CreateTrayIcon();
    if (tray_) {
        tray_->onMouse = [this](const platform::MouseEvent& e) { HandleMouse(e); };
        // The notification area came back: a visible icon is added again.
        tray_->onAreaRestarted = [this] {
            if (iconVisible_) ShowIcon();
        };
    }
    // Minimising the application hides it to the tray when MinimizeToTray is set.
    TLivenessWatch alive = liveness_.Watch();
    TApplication& app = Application();
    app.OnMinimize = TrayMinimizeHook{this, alive, app.OnMinimize};
    // Made in code, the icon appears once construction is over; read from a description,
    // at the end of loading.
    if (platform::HasCurrent()) {
        platform::Current().Post([this, alive] {
            if (alive.Alive() && !IsLoading()) {
                UpdateIcon();
                if (iconVisible_) ShowIcon();
            }
        });
    }
}

TspTrayIcon::~TspTrayIcon() {
    liveness_.End();
    HideIcon();
    // Our link of the minimise chain passes the call on from now on. Dead links at the
    // head of the chain are taken out, so the last icon to go leaves the chain as it found
    // it, in whichever order the icons go.
    TNotifyEvent& chain = Application().OnMinimize;
    while (const auto* head = chain.target<TrayMinimizeHook>()) {
        if (head->alive.Alive()) break;
        TNotifyEvent previous = head->previous;
        chain = std::move(previous);
    }
    if (iconList_) iconList_->RemoveFreeNotification(this);
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
}

void TspTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == iconList_) iconList_ = nullptr;
    if (component == popupMenu_) popupMenu_ = nullptr;
}

void TspTrayIcon::Loaded() {
    TComponent::Loaded();
    if (MinimizedOnStart && !IsDesigning()) {
        iconVisible_ = true;
        MinimizeToTray = true;
        Application().ShowMainForm = false;
    }
    UpdateIcon();
    if (iconVisible_)
        ShowIcon();
    else
        HideIcon();
}

// ---- the record the notification area shows ----

void TspTrayIcon::FillRecord() {
    tip_ = (!hint_.empty() && showHint_) ? FirstCharacters(hint_, kTrayTipLength) : std::string();
    if (!tray_) return;
    std::vector<uint32_t> words;
    const int w = icon_.Width();
    const int h = icon_.Height();
    words.reserve(static_cast<size_t>(std::max(0, w)) * static_cast<size_t>(std::max(0, h)));
    // A transparent colour cuts the icon's shape; without one, a 32-bit picture that
    // carries alpha in its top bytes (the program's icon) keeps it; others are opaque.
    const uint32_t key = icon_.Transparent ? ColorToPixel(icon_.TransparentColor()) : 0xFFFFFFFFu;
    const bool keepAlpha = !icon_.Transparent && icon_.PixelFormat() == pf32bit && HasAlpha(icon_);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = icon_.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x] & 0xFFFFFF;
            if (keepAlpha)
                words.push_back(row[x]);
            else
                words.push_back(p == key ? 0u : (p | 0xFF000000u));
        }
    }
    platform::ImageView view;
    view.pixels = words.empty() ? nullptr : words.data();
    view.width = w;
    view.height = h;
    view.strideWords = w;
    tray_->SetImage(view);
    tray_->SetTooltip(tip_);
}

void TspTrayIcon::ShowIcon() {
    iconVisible_ = true;
    if (IsDesigning() && !designPreview_) return;
    FillRecord();
    if (tray_) tray_->SetVisible(true);
}

void TspTrayIcon::HideIcon() {
    iconVisible_ = false;
    if (tray_) tray_->SetVisible(false);
}

void TspTrayIcon::UpdateIcon() { FillRecord(); }

// ---- properties ----

void TspTrayIcon::SetIcon(const TBitmap& icon) {
    icon_ = icon;
    UpdateIcon();
}

void TspTrayIcon::SetIconVisible(bool visible) {
    if (visible)
        ShowIcon();
    else
        HideIcon();
}

void TspTrayIcon::SetDesignPreview(bool preview) {
    designPreview_ = preview;
    SetIconVisible(iconVisible_);
}

void TspTrayIcon::SetCycleIcons(bool cycle) {
    cycleIcons_ = cycle;
    if (cycle) SetIconIndex(0);
    ApplyAnimationTimer();
}

void TspTrayIcon::SetAnimateTimerInterval(uint32_t ms) {
    animateInterval_ = ms;
    ApplyAnimationTimer();
}

void TspTrayIcon::ApplyAnimationTimer() {
    animationTimer_->SetInterval(animateInterval_);
    animationTimer_->SetEnabled(cycleIcons_ && animateInterval_ > 0);
}

void TspTrayIcon::SetIconList(TCustomImageList* list) {
    if (iconList_ == list) return;
    if (iconList_) iconList_->RemoveFreeNotification(this);
    iconList_ = list;
    if (iconList_) iconList_->FreeNotification(this);
    SetIconIndex(0);
}

void TspTrayIcon::SetIconIndex(int index) {
    if (!iconList_ || iconList_->Count() == 0) {
        iconIndex_ = 0;
        UpdateIcon();
        return;
    }
    iconIndex_ = std::clamp(index, 0, iconList_->Count() - 1);
    TBitmap image;
    if (iconList_->GetBitmap(iconIndex_, image)) icon_ = image;
    UpdateIcon();
}

void TspTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateIcon();
}

void TspTrayIcon::SetShowHint(bool show) {
    showHint_ = show;
    UpdateIcon();
}

void TspTrayIcon::SetPopupMenu(TspSkinPopupMenu* menu) {
    if (popupMenu_ == menu) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (popupMenu_) popupMenu_->FreeNotification(this);
}

// ---- the application ----

void TspTrayIcon::HideApplication() {
    if (TCustomForm* main = Application().MainForm()) main->Hide();
}

void TspTrayIcon::DoMinimizeToTray() {
    HideApplication();
    ShowIcon();
}

void TspTrayIcon::RestoreFromTray() {
    TApplication& app = Application();
    TCustomForm* main = app.MainForm();
    if (!main) return;
    app.Restore();
    main->Show();
    if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
}

// ---- mouse ----

void TspTrayIcon::HandleMouse(const platform::MouseEvent& e) {
    if (!Enabled) return;
    using platform::MouseButton;
    using platform::MouseEventKind;
    const TShiftState shift = ShiftOf(e.modifiers);
    const int x = e.screenPos.X;
    const int y = e.screenPos.Y;
    TLivenessWatch alive = liveness_.Watch();
    switch (e.kind) {
        case MouseEventKind::Move:
            if (OnMouseMove) OnMouseMove(this, shift, x, y);
            return;
        case MouseEventKind::Down:
            if (e.button == MouseButton::Left) {
                clickTimer_->SetEnabled(false);
                clickTimer_->SetEnabled(true);
                if (OnMouseDown) OnMouseDown(this, mbLeft, shift | ssLeft, x, y);
                if (!alive.Alive()) return;
                clickStarted_ = true;
                if (PopupByLeftButton) OpenMenu(e.screenPos);
            } else if (e.button == MouseButton::Right) {
                if (OnMouseDown) OnMouseDown(this, mbRight, shift | ssRight, x, y);
                if (!alive.Alive()) return;
                OpenMenu(e.screenPos);
            } else if (e.button == MouseButton::Middle) {
                if (OnMouseDown) OnMouseDown(this, mbMiddle, shift | ssMiddle, x, y);
            }
            return;
        case MouseEventKind::Up:
            if (e.button == MouseButton::Left) {
                if (clickStarted_) clickReady_ = true;
                if (clickStarted_ && !clickTimer_->Enabled()) {
                    clickStarted_ = false;
                    clickReady_ = false;
                    if (OnClick) OnClick(this);
                    if (!alive.Alive()) return;
                }
                clickStarted_ = false;
                if (OnMouseUp) OnMouseUp(this, mbLeft, shift, x, y);
            } else if (e.button == MouseButton::Right) {
                if (OnMouseUp) OnMouseUp(this, mbRight, shift, x, y);
            } else if (e.button == MouseButton::Middle) {
                if (OnMouseUp) OnMouseUp(this, mbMiddle, shift, x, y);
            }
            return;
        case MouseEventKind::DoubleClick:
            if (e.button != MouseButton::Left) return;
            clickReady_ = false;
            doubleClickSeen_ = true;
            if (OnDblClick) OnDblClick(this);
            if (!alive.Alive()) return;
            if (popupMenu_ && popupMenu_->AutoPopup && !PopupByLeftButton) {
                for (int i = 0; i < popupMenu_->Items().Count(); ++i) {
                    TMenuItem* item = popupMenu_->Items().Items(i);
                    if (item->Default) {
                        item->Click();
                        break;
                    }
                }
            }
            return;
        default:
            return;
    }
}

void TspTrayIcon::ClickTimerTick() {
    clickTimer_->SetEnabled(false);
    if (!doubleClickSeen_ && clickReady_) {
        clickReady_ = false;
        if (OnClick) OnClick(this);
    }
    doubleClickSeen_ = false;
}

void TspTrayIcon::OpenMenu(TPoint at) {
    if (!popupMenu_ || !popupMenu_->AutoPopup) return;
    TLivenessWatch alive = liveness_.Watch();
    Application().ProcessMessages();
    if (!alive.Alive() || !popupMenu_) return;
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(at.X, at.Y);
}

void TspTrayIcon::AnimationStep() {
    if (!iconList_ || iconList_->Count() == 0) return;
    TBitmap image;
    if (iconList_->GetBitmap(iconIndex_, image)) icon_ = image;
    const int next = iconIndex_ + 1 >= iconList_->Count() ? 0 : iconIndex_ + 1;
    TLivenessWatch alive = liveness_.Watch();
    if (OnCycle) OnCycle(this, next);
    if (!alive.Alive()) return;
    UpdateIcon();
    SetIconIndex(next);
}
