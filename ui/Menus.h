// Menu data: items with captions, short cuts, checks and sub-items, and the menus that hold
// them. Menus here only keep the data and run the items' commands; drawing and tracking are
// left to whoever shows them (the skin's popup menu engine installs itself as the popup hook).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "ui/Accelerators.h"
#include "ui/Component.h"
#include "ui/Controls.h"
#include "ui/Forms.h"  // scShift, scCtrl, scAlt

PB_DECLARE_EXCEPTION(EMenuError, Exception);

class TBitmap;
class TCustomImageList;
class TMenu;

// A short cut: the virtual key in the low byte plus the modifier bits scShift, scCtrl and
// scAlt (declared with the forms, which receive short cuts).
using TShortCut = uint16_t;
constexpr TShortCut scNone = 0;

// Builds a short cut from a virtual key and a shift state (ssShift, ssCtrl, ssAlt; other
// bits are ignored). A key outside 1..255 gives scNone.
[[nodiscard]] TShortCut ShortCut(uint16_t key, TShiftState shift);
// "Alt+F4", "Ctrl+S", "Ctrl+Shift+A", "F1"; an unnamed key gives "".
[[nodiscard]] std::string ShortCutToText(TShortCut shortCut);
// The inverse; modifier and key names are compared without regard to case and may stand in
// any order. Text that names no key, an unknown key or anything unparsable gives scNone.
[[nodiscard]] TShortCut TextToShortCut(const std::string& text);

class TMenuItem : public TComponent {
public:
    using TNotify = std::function<void(TComponent* sender)>;

    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    [[nodiscard]] const char* ClassName() const override { return "TMenuItem"; }

    [[nodiscard]] const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    // A divider: the caption "-".
    [[nodiscard]] bool IsLine() const { return caption_ == "-"; }

    [[nodiscard]] bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group in the same parent.
    void SetChecked(bool checked);
    [[nodiscard]] bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    [[nodiscard]] uint8_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(uint8_t group);
    // A click toggles Checked (a radio item only ever becomes checked).
    bool AutoCheck = false;

    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // The default item of a menu is drawn bold.
    bool Default = false;
    TShortCut ShortCut = scNone;
    [[nodiscard]] std::string ShortCutText() const { return ShortCutToText(ShortCut); }
    int ImageIndex = -1;
    std::string Hint;

    // The item's own picture, created on first use.
    [[nodiscard]] TBitmap& Bitmap();
    [[nodiscard]] bool HasBitmap() const;

    // Runs before the item is shown or clicked, so that it can update its state (the
    // "action update"); may change Enabled, Visible, Checked or Caption.
    std::function<void(TMenuItem* item)> OnUpdate;
    TNotify OnClick;

    // Sub-items. An added item belongs to this item's list and is freed with it unless it
    // was removed before. Adding an item that already has a parent moves it.
    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Frees the sub-item at the index.
    void Delete(int index);
    // Takes the item out of the list without freeing it.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    [[nodiscard]] int IndexOf(const TMenuItem* item) const;
    // The first sub-item whose caption without accelerator prefixes equals `caption`
    // (also stripped, letter case ignored).
    [[nodiscard]] TMenuItem* Find(const std::string& caption) const;

    [[nodiscard]] TMenuItem* Parent() const { return parent_; }
    [[nodiscard]] int MenuIndex() const;
    void SetMenuIndex(int index);
    // The menu whose item tree holds this item, or nullptr.
    [[nodiscard]] TMenu* GetParentMenu() const;

    // Runs the update hook.
    void InitiateAction();
    // Runs the update hook, then, when the item is enabled, the auto check and OnClick.
    void Click();

    void SetParentComponent(TComponent* parent) override;
    [[nodiscard]] TComponent* GetParentComponent() const override;

private:
    friend class TMenu;
    void UncheckGroupSiblings();
    // The click without the update hook; false when the item is disabled.
    bool RunCommand();

    std::string caption_;
    bool checked_ = false;
    bool radioItem_ = false;
    uint8_t groupIndex_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    std::unique_ptr<TBitmap> bitmap_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    [[nodiscard]] const char* ClassName() const override { return "TMenu"; }

    // The root item; its sub-items are the menu's items.
    [[nodiscard]] TMenuItem& Items() { return *items_; }
    [[nodiscard]] const TMenuItem& Items() const { return *items_; }

    [[nodiscard]] TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);

    // The first item (depth first, in order) with the short cut, or nullptr.
    [[nodiscard]] TMenuItem* FindItem(TShortCut shortCut) const;
    // Clicks the first enabled, visible item with the short cut whose parents are enabled
    // and visible as well; true when an item ran. Parents' update hooks run first so that
    // they can fill their sub-items.
    bool IsShortCut(TShortCut shortCut);
    bool IsShortCut(uint16_t key, TShiftState shift) { return IsShortCut(::ShortCut(key, shift)); }
    // A WM_KEYDOWN or WM_SYSKEYDOWN message (virtual key in WPARAM) with the keyboard's
    // current shift state; other messages are no short cuts.
    bool IsShortCut(const TMessage& keyMessage);

    void Notification(TComponent* component, TOperation operation) override;

private:
    static bool ClickShortCut(TMenuItem& parent, TShortCut sc);

    std::unique_ptr<TMenuItem> items_;
    TCustomImageList* images_ = nullptr;
};

// A form's main menu: a main menu owned by a form answers the form's short cuts.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    [[nodiscard]] const char* ClassName() const override { return "TMainMenu"; }

private:
    TCustomForm* form_ = nullptr;
    int shortCutHandler_ = 0;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    // Shows a popup menu at a screen point. The skin's menu engine installs one; without a
    // hook Popup only records where it was asked to open.
    using TPopupHook = std::function<void(TPopupMenu& menu, int x, int y)>;

    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TPopupMenu"; }

    // Runs OnPopup and the items' update hooks, then shows the menu through the hook.
    virtual void Popup(int x, int y);

    TMenuItem::TNotify OnPopup;
    TPopupAlignment Alignment = paLeft;
    bool AutoPopup = true;
    // The control the menu was opened for (set by whoever opens it).
    [[nodiscard]] TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    // Where the last Popup asked to open (screen coordinates) and how often it was asked.
    [[nodiscard]] int LastPopupX() const { return lastPopupX_; }
    [[nodiscard]] int LastPopupY() const { return lastPopupY_; }
    [[nodiscard]] int PopupCount() const { return popupCount_; }

    // The process-wide hook; returns the previous one so that it can be restored.
    static TPopupHook SetPopupHook(TPopupHook hook);

    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* popupComponent_ = nullptr;
    int lastPopupX_ = 0;
    int lastPopupY_ = 0;
    int popupCount_ = 0;
};
