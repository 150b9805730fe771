// The application's icon in the notification area: its picture (or one cycling through an
// image list), its tip (at most 127 characters), clicks told apart from double clicks by
// the double-click time, a skinned popup menu at the cursor, hiding the application to the
// tray when it is minimised, and the icon shown again when the notification area restarts.
// On the platform the icon is a StatusNotifierItem or an XEmbed tray icon (platform/). An
// SNI host's Activate (its left click) arrives here as a left double click, so it does what
// a double click does on the XEmbed tray: OnDblClick and the menu's default item.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "ui/Bitmap.h"
#include "ui/Component.h"
#include "ui/Controls.h"

class TCustomImageList;
class TTimer;
class TspSkinPopupMenu;

constexpr size_t kTrayTipLength = 127;

class TspTrayIcon : public TComponent {
public:
    using TCycleEvent = std::function<void(TComponent* sender, int nextIndex)>;

    explicit TspTrayIcon(TComponent* owner);
    ~TspTrayIcon() override;
    [[nodiscard]] const char* ClassName() const override { return "TspTrayIcon"; }

    [[nodiscard]] const TBitmap& Icon() const { return icon_; }
    void SetIcon(const TBitmap& icon);
    [[nodiscard]] bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible);
    [[nodiscard]] TCustomImageList* IconList() const { return iconList_; }
    void SetIconList(TCustomImageList* list);
    [[nodiscard]] int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    [[nodiscard]] bool CycleIcons() const { return cycleIcons_; }
    void SetCycleIcons(bool cycle);
    [[nodiscard]] uint32_t AnimateTimerInterval() const { return animateInterval_; }
    void SetAnimateTimerInterval(uint32_t ms);
    [[nodiscard]] const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    [[nodiscard]] bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    bool Enabled = true;
    [[nodiscard]] TspSkinPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TspSkinPopupMenu* menu);
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    bool MinimizeToTray = false;
    [[nodiscard]] bool DesignPreview() const { return designPreview_; }
    void SetDesignPreview(bool preview);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    void ShowIcon();
    void HideIcon();
    void UpdateIcon();
    // Hides the main form and shows the icon.
    void DoMinimizeToTray();
    // Shows the application again (restored when it was minimised).
    void RestoreFromTray();
    void HideApplication();

    // The tip the notification area shows now (empty with ShowHint off).
    [[nodiscard]] const std::string& Tip() const { return tip_; }
    [[nodiscard]] platform::TrayIcon* PlatformIcon() const { return tray_.get(); }

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FillRecord();
    void HandleMouse(const platform::MouseEvent& event);
    void OpenMenu(TPoint at);
    void ClickTimerTick();
    void AnimationStep();
    void ApplyAnimationTimer();

    TBitmap icon_;
    bool iconVisible_ = true;
    TCustomImageList* iconList_ = nullptr;
    int iconIndex_ = 0;
    bool cycleIcons_ = false;
    uint32_t animateInterval_ = 0;
    std::string hint_;
    bool showHint_ = true;
    TspSkinPopupMenu* popupMenu_ = nullptr;
    bool designPreview_ = false;
    std::string tip_;
    std::unique_ptr<platform::TrayIcon> tray_;
    std::unique_ptr<TTimer> animationTimer_;
    std::unique_ptr<TTimer> clickTimer_;
    bool clickStarted_ = false;
    bool clickReady_ = false;
    bool doubleClickSeen_ = false;
    struct TrayMinimizeHook;
    TLiveness liveness_;
};
