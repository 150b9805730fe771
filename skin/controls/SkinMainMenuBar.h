// TspSkinMainMenuBar: a form's main menu shown as a skinned bar ("mainmenubar" section).
// Its pieces are menu-bar objects, lightweight like the frame's objects: one item per
// visible item of the main menu (each opens its sub-items through the skinned popup-menu
// engine), and, while an MDI child of the form is maximised, that child's four system
// buttons. Items that do not fit leave a marker at the right end that opens a popup with
// the rest.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/MainMenuKeys.h"
#include "skin/controls/MenuItemLook.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinIniValues.h"
#include "ui/GraphicsObjects.h"

class TMainMenu;
class TMenuItem;
class TTimer;
class TspDataSkinMainMenuBar;
class TspDataSkinMainMenuBarItem;
class TspDataSkinObject;
class ISkinFormFrame;
class TspDataSkinStdButton;
class TspSkinMainMenuBar;
class TspSkinMenu;

// The base of the bar's pieces; behaves like the frame's active objects.
class TspMenuBarObject {
public:
    TspMenuBarObject(TspSkinMainMenuBar* bar, const TspDataSkinObject* def);
    virtual ~TspMenuBarObject() = default;
    TspMenuBarObject(const TspMenuBarObject&) = delete;
    TspMenuBarObject& operator=(const TspMenuBarObject&) = delete;

    virtual void Draw(TCanvas& canvas) = 0;
    virtual void DblClick() {}
    virtual void MouseDown(int x, int y, TMouseButton button);
    virtual void MouseUp(int x, int y, TMouseButton button);
    virtual void MouseEnter();
    virtual void MouseLeave();
    [[nodiscard]] virtual bool CanMorphing() const;
    // The object's width for the layout (system buttons: their image's).
    [[nodiscard]] virtual int LayoutWidth(TCanvas& canvas) const = 0;

    // Morphing objects start the bar's morph timer; others are drawn now.
    void ReDraw();
    void DoMorph();
    void SetMorphKf(double k);
    [[nodiscard]] bool MorphUnderWay() const;

    TspSkinMainMenuBar* Parent;
    double MorphKf = 0;
    bool MouseIn = false;
    const TBitmap* Picture = nullptr;  // the definition's active picture
    bool Down = false;
    std::string IDName;
    TRect SkinRect{};
    TRect ActiveSkinRect{};
    TRect DownRect{};
    bool Morphing = false;
    TspMorphStyle MorphKind = mkDefault;
    TRect ObjectRect{};
    bool Active = false;
    bool Enabled = true;
    bool Visible = true;
};

// One item of the main menu.
class TspSkinMainMenuBarItem : public TspMenuBarObject, public TspMenuItemLook {
public:
    TspSkinMainMenuBarItem(TspSkinMainMenuBar* bar, const TspDataSkinMainMenuBarItem* def,
                           TMenuItem* item);
    void Draw(TCanvas& canvas) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    [[nodiscard]] int LayoutWidth(TCanvas& canvas) const override;
    // Opens the item's sub-items below (or above) the item; an item without sub-items is
    // clicked instead.
    void Press();

    TMenuItem* MenuItem;
    bool HasDefinition = false;
};

// A system button of the maximised MDI child: minimise, restore, close or its window menu.
class TspSkinMainMenuBarButton : public TspMenuBarObject {
public:
    TspSkinMainMenuBarButton(TspSkinMainMenuBar* bar, const TspDataSkinStdButton* def,
                             const std::string& idName, TspButtonCommand command);
    void Draw(TCanvas& canvas) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void DblClick() override;
    [[nodiscard]] int LayoutWidth(TCanvas& canvas) const override;
    // Runs the button's command on the maximised child, as a click does.
    void Click();

    TspButtonCommand Command;
    TRect RestoreRect{}, RestoreActiveRect{}, RestoreDownRect{};
    bool HasDefinition = false;
};

using TspMainMenuItemClickEvent = std::function<void(const std::string& idName)>;
using TspMenuItemEvent = std::function<void(TMenuItem* item)>;

class TspSkinMainMenuBar : public TspSkinControl, public ISkinMainMenuKeys {
public:
    explicit TspSkinMainMenuBar(TComponent* owner);
    ~TspSkinMainMenuBar() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinMainMenuBar"; }

    // ---- Published ----
    [[nodiscard]] TMainMenu* MainMenu() const { return mainMenu_; }
    // Setting it rebuilds the items.
    void SetMainMenu(TMainMenu* value);
    // The skinned frame of the form (a TspSkinForm): its menu engine, its menu-open state.
    [[nodiscard]] ISkinFormFrame* SkinForm() const { return skinForm_; }
    void SetSkinForm(ISkinFormFrame* value);
    bool ScrollMenu = true;
    [[nodiscard]] const TFont& DefItemFont() const { return defItemFont_; }
    void SetDefItemFont(const TFont& font);
    [[nodiscard]] int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    [[nodiscard]] int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool PopupToUp = false;
    TspMainMenuItemClickEvent OnMainMenuItemClick;
    TspMenuItemEvent OnItemMouseEnter;
    TspMenuItemEvent OnItemMouseLeave;
    // OnMouseEnter, OnMouseLeave, OnMouseDown, OnMouseMove, OnMouseUp, OnClick: TControl's.

    // ---- What the skinned form tells it ----
    // Child-maximised mode: the system buttons act on the maximised child (nullptr leaves
    // the mode).
    void ChildMaximized(ISkinFormFrame* child);
    [[nodiscard]] bool ChildMaximizedMode() const { return maximizedChild_ != nullptr; }
    [[nodiscard]] ISkinFormFrame* MaximizedChild() const { return maximizedChild_; }
    // Rebuilds the objects (the main menu changed, the active MDI child changed).
    void UpdateItems();

    // ---- Keyboard menu mode (the skinned form's lone Alt) ----
    // Highlights the first enabled item; true when there is one.
    bool EnterKeyboardMode() override;
    void LeaveKeyboardMode() override;
    [[nodiscard]] bool KeyboardMode() const { return keyboardMode_; }
    // A key while in keyboard mode: Left and Right move with wrap-around (to the next
    // item's menu when one is open; the form keeps them for the open menu when it has a
    // submenu to open or close), Enter and Down open the highlighted item, a character
    // opens the item it is the accelerator of. Escape, and keys for an open menu, are left
    // to the form and the menu (false).
    bool KeyboardModeKey(uint16_t key, uint32_t ch) override;
    [[nodiscard]] bool HasAccelerator(uint32_t ch) const override;

    // ---- State ----
    [[nodiscard]] int ObjectCount() const { return static_cast<int>(objects_.size()); }
    [[nodiscard]] TspMenuBarObject* Objects(int index) const {
        return objects_.at(static_cast<size_t>(index)).get();
    }
    [[nodiscard]] TspMenuBarObject* FindObject(const std::string& idName) const;
    [[nodiscard]] int ActiveObject() const { return activeObject_; }
    [[nodiscard]] int SystemButtonCount() const { return systemButtons_; }
    [[nodiscard]] const TRect& ItemsRect() const { return itemsRect_; }
    // The marker for items that do not fit (empty when all fit).
    [[nodiscard]] const TRect& MarkerRect() const { return markerRect_; }
    [[nodiscard]] int HiddenItemCount() const { return static_cast<int>(hiddenItems_.size()); }
    [[nodiscard]] bool MenuOpen() const { return openObject_ != -1 || markerOpen_; }
    [[nodiscard]] TTimer& HoverTimer() const { return *hoverTimer_; }
    [[nodiscard]] TTimer& MorphTimer() const { return *morphTimer_; }
    // Lays the objects out for the current size.
    void ArrangeObjects();
    // Draws one object now.
    void DrawObject(TspMenuBarObject& object);
    // The section's values (or nullptr without a skin).
    [[nodiscard]] const TspDataSkinMainMenuBar* BarSection() const;
    // The form whose menu and buttons the bar shows.
    [[nodiscard]] TCustomForm* OwnerForm() const;

    // Opens `items` below (above) a bar rectangle through the skinned menu engine; the
    // bar hears the close.
    void OpenMenu(TMenuItem& items, const TRect& barRect, int objectIndex);
    void ApplySkin() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Accessibility (SkinAccessible.cpp).
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void PaintSkinImage(TBitmap& bitmap) override;
    void PaintDefaultImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DblClick() override;

private:
    friend class TspMenuBarObject;
    void RebuildObjects();
    // The enabled visible item whose accelerator `ch` is, or -1.
    [[nodiscard]] int AcceleratorItem(uint32_t ch) const;
    void TestActive(TPoint p);
    void SetActiveObject(int index);
    void OnHoverTimer();
    void OnMorphTimer();
    void MenuClosed();
    void OpenMarkerMenu();
    void PaintObjects(TBitmap& bitmap);
    void FitHeight();
    [[nodiscard]] TspSkinMenu& MenuEngine();

    TMainMenu* mainMenu_ = nullptr;
    ISkinFormFrame* skinForm_ = nullptr;
    TComponent* skinFormComponent_ = nullptr;  // the same object, for its destruction notice
    TFont defItemFont_;
    int defaultWidth_ = 0;
    int defaultHeight_ = 22;
    std::vector<std::unique_ptr<TspMenuBarObject>> objects_;
    int activeObject_ = -1, oldActiveObject_ = -1, captureObject_ = -1;
    int systemButtons_ = 0;
    ISkinFormFrame* maximizedChild_ = nullptr;
    TComponent* maximizedChildComponent_ = nullptr;
    TTimer* hoverTimer_ = nullptr;
    TTimer* morphTimer_ = nullptr;
    TRect itemsRect_{};
    TRect markerRect_{};
    bool markerHot_ = false;
    std::vector<TMenuItem*> hiddenItems_;
    int openObject_ = -1;
    bool markerOpen_ = false;
    bool keyboardMode_ = false;
    TspSkinMenu* ownEngine_ = nullptr;  // only when no skinned form provides one
    bool rebuilding_ = false;
    bool switchingMenu_ = false;  // closing one item's menu to open another's
};
