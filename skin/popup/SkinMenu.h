// The skinned popup-menu engine one skinned form owns: opens the sub-items of a framework
// menu item as a chain of skinned popup windows (level 0 the root, then submenus), tracks
// the mouse and the keyboard while they are open (through a pointer and keyboard grab, so
// a click outside closes the menu and reaches nothing else), runs an executed item's click
// after closing every level, and tells the control that opened the menu:
// SKINMSG_MENUCLOSED (1228) when the whole menu closed, SKINMSG_MENUCOMMAND (1229) after an
// item's command ran (WPARAM = the skin data in use, LPARAM = 1000).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/InputGrab.h"
#include "ui/Component.h"
#include "ui/Controls.h"
#include "ui/GraphicsObjects.h"

class TCustomForm;
class TCustomImageList;
class TMenuItem;
class TspSkinData;
class TspSkinPopupWindow;
class TTimer;

constexpr uint32_t kSubMenuDelayMs = 500;

class TspSkinMenu : public TComponent, private platform::InputGrabSink {
public:
    // The owner form (whose monitor's work area bounds the popups) is the owner when that
    // is a form, else the owner's owner when that is one (the skinned form's form).
    explicit TspSkinMenu(TComponent* owner);
    ~TspSkinMenu() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinMenu"; }

    // Opens the sub-items of `items` from `startIndex` on, below (or, with `up`, above) the
    // screen rectangle `anchor` (a point is a rectangle of size 0). A menu already open is
    // closed first. `opener` hears SKINMSG_MENUCLOSED and SKINMSG_MENUCOMMAND; may be null.
    void Popup(TControl* opener, TspSkinData* skinData, bool up, TMenuItem& items,
               const TRect& anchor, int startIndex);
    // One popup for two lists: `firstItems` from startIndex, then `secondItems` from
    // max(0, startIndex - firstItems' count). Opens nothing when the first list is empty or
    // startIndex is not below both counts together.
    void PopupMerged(TControl* opener, TspSkinData* skinData, bool up, TMenuItem& secondItems,
                     TMenuItem& firstItems, const TRect& anchor, int startIndex);
    // Frees the popups from the top down to `level`; level 0 ends the menu (SKINMSG_MENUCLOSED
    // to the opener).
    void CloseLevels(int level);
    // Ends the menu and tells the owner form (and the opener, when one is still set).
    void CloseAll();
    // Selecting (execute false) or executing an item of a popup.
    void ItemAction(TspSkinPopupWindow& popup, int itemIndex, bool keyboard, bool execute);
    // The key handler of the topmost popup: the skinned form calls it for key presses while
    // a menu is open (the grab delivers keys here as well). True when the key was used.
    bool KeyDown(uint16_t key, uint32_t ch = 0);
    // Messages that close an open menu when they reach the skinned form: moving, sizing,
    // activation, focus loss, cancel mode, mouse activation, button presses, parent notice.
    [[nodiscard]] static bool IsMenuClosingMessage(uint32_t message);

    // ---- Settings (the skinned form's UseSkinFontInMenu, DefMenuItemHeight, DefMenuItemFont,
    // MenusAlphaBlend, MenusAlphaBlendValue, MenusAlphaBlendAnimation) ----
    bool UseSkinFont = true;
    [[nodiscard]] int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int height);  // heights below 1 are ignored
    TFont MenuFont;
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    // Keys go here first while a menu is open; returning true takes the key (the form's
    // keyboard main-menu mode).
    std::function<bool(uint16_t key, uint32_t ch)> OnMenuKey;

    // ---- State ----
    [[nodiscard]] bool MenuOpen() const { return menuOpen_; }
    [[nodiscard]] int PopupCount() const { return static_cast<int>(popups_.size()); }
    [[nodiscard]] TspSkinPopupWindow* PopupWindow(int level) const;
    [[nodiscard]] int LevelOf(const TspSkinPopupWindow* popup) const;
    // The topmost open popup under a screen point, or nullptr.
    [[nodiscard]] TspSkinPopupWindow* PopupAt(TPoint screenPoint) const;
    [[nodiscard]] TCustomForm* OwnerForm() const { return ownerForm_; }
    void SetOwnerForm(TCustomForm* form);
    [[nodiscard]] TspSkinData* SkinData() const { return skinData_; }
    [[nodiscard]] const TRect& WorkArea() const { return workArea_; }
    [[nodiscard]] bool HasInputGrab() const { return grab_ != nullptr; }
    [[nodiscard]] TControl* Opener() const;
    [[nodiscard]] TControl* LastOpener() const;

    // Called by a popup once it is on the screen.
    void PopupShown(TspSkinPopupWindow& popup);
    // An item lost its highlight: a submenu it was about to open is not opened.
    void ForgetPendingItem(const TspSkinPopupWindow& popup, int itemIndex);
    [[nodiscard]] bool SubMenuPending() const { return pendingPopup_ != nullptr; }
    // Whether a menu item handed to an open (or opening) popup has not been freed since:
    // the engine hears of every such item's end and closes the levels that showed it.
    [[nodiscard]] bool ItemLives(const TMenuItem* item) const;
    // Whether the open menu shows the sub-items of `items` (a popup menu's root).
    [[nodiscard]] bool ShowsItemsOf(const TMenuItem& items) const;

    void Notification(TComponent* component, TOperation operation) override;

private:
    bool AddPopupWindow(const TRect& anchor, bool up, bool submenu,
                        const std::vector<TMenuItem*>& items, TCustomImageList* images);
    void StopSubMenuTimer();
    void SubMenuTimerTick();
    void ReleaseGrab();
    void SendToControl(TControl* control, uint32_t message);
    void FreeRetired();
    void BeginMenu(TControl* opener, TspSkinData* skinData);
    void WatchComponent(TComponent* component);
    // A watched item or image list is gone: no popup keeps it, and the levels that showed
    // it close (the whole menu for the root level).
    void ComponentGone(const TComponent* component);

    void OnGrabbedMouse(const platform::MouseEvent& event) override;
    void RouteGrabbedMouse(const platform::MouseEvent& event);
    void OnGrabbedKey(const platform::KeyEvent& event) override;
    void OnGrabEnded() override;

    TCustomForm* ownerForm_ = nullptr;
    std::vector<std::unique_ptr<TspSkinPopupWindow>> popups_;
    std::vector<std::unique_ptr<TspSkinPopupWindow>> retired_;  // closed, freed from the loop
    std::unique_ptr<TTimer> subMenuTimer_;
    TspSkinPopupWindow* pendingPopup_ = nullptr;
    int pendingItem_ = -1;
    int defaultItemHeight_ = 20;
    TspSkinData* skinData_ = nullptr;
    TRect workArea_{};
    bool menuOpen_ = false;
    bool firstLevel_ = false;
    bool closeOnRelease_ = false;
    TControl* opener_ = nullptr;
    TLivenessWatch openerAlive_;
    TControl* lastOpener_ = nullptr;
    TLivenessWatch lastOpenerAlive_;
    std::unique_ptr<platform::InputGrab> grab_;
    // Items (and image lists) handed to popups, each with a free notification; a component
    // leaves the set when it is freed.
    std::unordered_set<const TComponent*> watched_;
    const TMenuItem* rootItems_[2] = {nullptr, nullptr};  // what the open menu shows
    TLiveness liveness_;
};
