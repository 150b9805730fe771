// TspSkinForm: the non-visual component that takes over its owner form's frame. It hooks
// the owner's window procedure, reports the non-client size from the skin's [FORMINFO],
// paints the frame, caption and caption buttons from the skin pictures (or a plain default
// frame without a skin), gives the window the mask's shape, answers hit testing so the
// framework moves and sizes the window by the skinned borders, and paints the client
// background.
//
// Two modes: non-client (SupportNCArea, the default) where the frame is the window's
// non-client area, and client mode where the whole skin image is painted into the client
// area and the component moves the window itself.
//
// Each topic of the frame is a room, a class that owns its state and says in its header
// what it uses of the form; the form holds the rooms and forwards its methods to them:
// TspFrameGeometry (FrameGeometry.h: the frame's rectangles and sizes), TspFrameShape
// (FrameShape.h: the window shape and hit testing), TspFramePainter (FramePainter.h: frame
// and background painting), TspFrameObjects (FrameObjects.h: the frame's objects, their
// timers and the mouse routed to them), TspWindowStates (WindowStates.h: maximise,
// minimise, restore, roll-up), TspWindowMover (WindowMover.h: dragging, snapping, the
// size-move loop), TspFormMenus (FormMenus.h: the window menu, the menu-open state and the
// keyboard main-menu mode), TspFormTray (FormTray.h: the notification area), TspFormFade
// (FormFade.h: alpha blending) and TspFormMDI (FormMDI.h: the MDI side). The rest of the
// class is shared by SkinForm.cpp (creation, properties), SkinFormWindowProc.cpp (the
// message table and skin changes), SkinFormFrame.cpp (what the menu bar and the MDI tab
// bar ask of the frame), WindowCommands.cpp (the commands the frame objects call) and
// ObjectHints.cpp (object hints).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/controls/SkinFormFrame.h"
#include "skin/form/FormFade.h"
#include "skin/form/FormMDI.h"
#include "skin/form/FormMenus.h"
#include "skin/form/FormMessages.h"
#include "skin/form/FormTray.h"
#include "skin/form/FrameGeometry.h"
#include "skin/form/FrameObjects.h"
#include "skin/form/FramePainter.h"
#include "skin/form/FrameShape.h"
#include "skin/form/SkinObjects.h"
#include "skin/form/WindowMover.h"
#include "skin/form/WindowStates.h"
#include "skin/popup/SkinMenuHost.h"
#include "ui/Bitmap.h"
#include "ui/Component.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

class ISkinMainMenuKeys;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TspSkinMenu;
class TTimer;
class TspSkinData;
class TspSkinHint;
class TspTrayIcon;
class TspSkinPopupMenu;
class TspSkinMainMenuBar;
class TspSkinMDITabsBar;

// Border icons of the skinned frame: the framework's three plus roll-up and tray.
using TspBorderIcons = uint32_t;
constexpr TspBorderIcons biRollUp = 8;
constexpr TspBorderIcons biMinimizeToTray = 16;

using TspChangeClientRectEvent = std::function<void(const TRect& newClientRect)>;
using TspMouseEnterEvent = std::function<void(const std::string& idName)>;
using TspMouseLeaveEvent = std::function<void(const std::string& idName)>;
using TspMouseDownEvent = std::function<void(const std::string& idName, int x, int y,
                                             const TRect& objectRect, TMouseButton button)>;
using TspMouseUpEvent = TspMouseDownEvent;
using TspMouseMoveEvent =
    std::function<void(const std::string& idName, int x, int y, const TRect& objectRect)>;
using TspPaintEvent =
    std::function<void(const std::string& idName, TCanvas& canvas, const TRect& objectRect)>;
using TspSwitchChangeStateEvent = std::function<void(const std::string& idName, int state)>;
using TspTrackBarChangeValueEvent = std::function<void(const std::string& idName, int value)>;
using TspFrameRegulatorChangeValueEvent = std::function<void(const std::string& idName, int value)>;
using TspActivateCustomObjectEvent =
    std::function<void(const std::string& idName, bool& objectVisible)>;

class TspSkinForm : public TComponent, public ISkinMenuHost, public ISkinFormFrame {
public:
    explicit TspSkinForm(TComponent* owner);
    ~TspSkinForm() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinForm"; }

    // ---- Published properties ----
    [[nodiscard]] TspSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TspSkinData* value);
    [[nodiscard]] TspSkinData* MenusSkinData() const { return menusSkinData_; }
    void SetMenusSkinData(TspSkinData* value);
    [[nodiscard]] bool SupportNCArea() const { return supportNCArea_; }
    void SetSupportNCArea(bool value);
    bool Sizeable = true;
    bool DraggAble = false;
    [[nodiscard]] TspBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TspBorderIcons value);
    int MinWidth = 0;
    int MinHeight = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool MaximizeOnFullScreen = false;
    bool Magnetic = false;
    uint8_t MagneticSize = 10;
    bool HideCaptionButtons = false;
    [[nodiscard]] bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool value);
    [[nodiscard]] const TBitmap& LogoBitMap() const { return painter_->Logo(); }
    void SetLogoBitMap(const TBitmap& value) { painter_->SetLogo(value); }
    bool LogoBitMapTransparent = false;
    [[nodiscard]] const TFont& DefCaptionFont() const { return defCaptionFont_; }
    [[nodiscard]] TFont& DefCaptionFont() { return defCaptionFont_; }  // then SetDefCaptionFont
    void SetDefCaptionFont(const TFont& value);
    [[nodiscard]] const TFont& DefInActiveCaptionFont() const { return defInActiveCaptionFont_; }
    [[nodiscard]] TFont& DefInActiveCaptionFont() { return defInActiveCaptionFont_; }
    void SetDefInActiveCaptionFont(const TFont& value);
    bool ShowObjectHint = false;
    // References to components of other areas are set through templates, so the caller
    // (which knows the class) converts them to TComponent for the free notification.
    [[nodiscard]] TspSkinHint* SkinHint() const { return skinHint_; }
    template <class T>
    void SetSkinHint(T* value) {
        AssignReference(skinHintRef_, value);
        skinHint_ = value;
    }
    void SetSkinHint(std::nullptr_t) {
        AssignReference(skinHintRef_, nullptr);
        skinHint_ = nullptr;
    }
    bool UseSkinCursors = false;
    [[nodiscard]] bool AlphaBlend() const { return fade_->AlphaBlend(); }
    void SetAlphaBlend(bool value) { fade_->SetAlphaBlend(value); }
    [[nodiscard]] uint8_t AlphaBlendValue() const { return fade_->AlphaBlendValue(); }
    void SetAlphaBlendValue(uint8_t value) { fade_->SetAlphaBlendValue(value); }
    bool AlphaBlendAnimation = false;
    // Kept for the popup-menu engine, which reads them when it opens a menu of this form.
    bool MenusAlphaBlend = false;
    uint8_t MenusAlphaBlendValue = 200;
    bool MenusAlphaBlendAnimation = false;
    bool UseSkinFontInMenu = true;
    [[nodiscard]] int DefMenuItemHeight() const { return defMenuItemHeight_; }
    void SetDefMenuItemHeight(int value);  // a height <= 0 is ignored
    TFont DefMenuItemFont;
    [[nodiscard]] TPopupMenu* SystemMenu() const { return systemMenu_; }
    void SetSystemMenu(TPopupMenu* value);
    bool UseDefaultSysMenu = true;
    [[nodiscard]] TMainMenu* MainMenu() const { return mainMenu_; }
    void SetMainMenu(TMainMenu* value);
    [[nodiscard]] TspSkinMainMenuBar* MainMenuBar() const { return mainMenuBar_; }
    template <class T>
    void SetMainMenuBar(T* value) {
        AssignReference(mainMenuBarRef_, value);
        mainMenuBar_ = value;
    }
    [[nodiscard]] TspSkinMDITabsBar* MDITabsBar() const { return mdiTabsBar_; }
    template <class T>
    void SetMDITabsBar(T* value) {
        AssignReference(mdiTabsBarRef_, value);
        mdiTabsBar_ = value;
    }
    [[nodiscard]] TspTrayIcon* TrayIcon() const { return trayIcon_; }
    template <class T>
    void SetTrayIcon(T* value) {
        if (trayIconRef_ == value) return;
        tray_->IconRemoved();
        AssignReference(trayIconRef_, value);
        trayIcon_ = value;
        tray_->IconAssigned();
    }
    void SetTrayIcon(std::nullptr_t) {
        tray_->IconRemoved();
        AssignReference(trayIconRef_, nullptr);
        trayIcon_ = nullptr;
    }
    // The tray icon's popup menu (made by the window commands), or nullptr.
    [[nodiscard]] TspSkinPopupMenu* TrayPopupMenu() const { return tray_->PopupMenu(); }
    bool AlwaysShowInTray = false;
    bool AlwaysMinimizeToTray = false;

    // ---- Events ----
    TspChangeClientRectEvent OnChangeClientRect;
    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;
    TspMouseEnterEvent OnMouseEnterEvent;
    TspMouseLeaveEvent OnMouseLeaveEvent;
    TspMouseDownEvent OnMouseDownEvent;
    TspMouseUpEvent OnMouseUpEvent;
    TspMouseMoveEvent OnMouseMoveEvent;
    TspPaintEvent OnPaintEvent;
    TspSwitchChangeStateEvent OnSwitchChangeStateEvent;
    TspTrackBarChangeValueEvent OnTrackBarChangeValueEvent;
    TspFrameRegulatorChangeValueEvent OnFrameRegulatorChangeValueEvent;
    TspActivateCustomObjectEvent OnActivateCustomObject;

    // ---- Operations other parts use ----
    [[nodiscard]] TCustomForm* Form() const { return FForm; }
    // Draws one object now on the window (non-client mode) or the form's canvas.
    void DrawSkinObject(TspActiveSkinObject& object) { painter_->DrawObject(object); }
    [[nodiscard]] bool IsFormActive() const;
    // Geometry, objects (when stretch), region, OnChangeClientRect, then a frame repaint.
    void UpdateFrame(bool stretch);
    // Client mode: places the skin-positioned children that still live on their areas.
    void PlaceChildControls() { geometry_->PlaceChildControls(); }
    [[nodiscard]] int GetMinWidth() const { return geometry_->MinWidth(); }
    [[nodiscard]] int GetMinHeight() const { return geometry_->MinHeight(); }
    [[nodiscard]] int GetMaxWidth() const { return geometry_->MaxWidth(); }
    [[nodiscard]] int GetMaxHeight() const { return geometry_->MaxHeight(); }
    // A screen point in window coordinates.
    [[nodiscard]] TPoint ScreenToWindow(TPoint screenPoint) const;
    void TestActive(int x, int y, bool track) { objects_->TestActive(x, y, track); }
    void MouseDown(TMouseButton button, int x, int y) { objects_->MouseDown(button, x, y); }
    void MouseUp(TMouseButton button, int x, int y) { objects_->MouseUp(button, x, y); }
    void MouseMove(int x, int y) { objects_->MouseMove(x, y); }
    void DblClick() { objects_->DblClick(); }
    // ---- Window states and moving (the rooms TspWindowStates and TspWindowMover) ----
    [[nodiscard]] TspWindowStates& States() const { return *states_; }
    [[nodiscard]] TspWindowMover& Mover() const { return *mover_; }
    void SetWindowState(uint8_t state) { states_->SetWindowState(state); }
    [[nodiscard]] uint8_t WindowState() const { return states_->State(); }
    void SetRollUpState(bool value) { states_->SetRollUpState(value); }
    [[nodiscard]] bool GetRollUpState() const { return states_->RolledUp(); }
    [[nodiscard]] bool GetRolledUpWhileMaximized() const {
        return states_->RolledUpWhileMaximized();
    }
    // The restore command: unrolls a window rolled up while maximised or in the normal
    // state, else restores the normal state.
    void RestoreWindow() { states_->RestoreWindow(); }
    // The bounds the window returns to (empty in the normal state).
    [[nodiscard]] TRect GetRestoreBounds() const { return states_->RestoreBounds(); }
    // The caption double click (non-client and client mode rules).
    void CaptionDoubleClick() { states_->CaptionDoubleClick(); }
    // Notification area (the room TspFormTray).
    void MinimizeToTray() { tray_->MinimizeToTray(); }
    void RestoreFromTray() { tray_->RestoreFromTray(); }
    // Moving: the rectangle a move step proposes (WM_MOVING).
    void MovingRect(TRect& proposed) { mover_->MovingRect(proposed); }
    [[nodiscard]] bool IsDragging() const { return mover_->Dragging(); }

    // ---- Window menu (the room TspFormMenus) ----
    // The menu the window menu shows: SystemMenu (merged with the default items when
    // UseDefaultSysMenu), else the default menu, rebuilt for the current state.
    [[nodiscard]] TMenuItem& WindowMenuItems() { return menus_->WindowMenuItems(); }
    // The component's own menu (its items are the last ones built).
    [[nodiscard]] TPopupMenu& DefaultWindowMenu() const { return menus_->DefaultMenu(); }
    // Opens the window menu below a screen rectangle (a point for a zero-size one).
    void OpenWindowMenu(const TRect& screenAnchor) { menus_->OpenWindowMenu(screenAnchor); }
    // An object's rectangle on the screen.
    [[nodiscard]] TRect ObjectScreenRect(const TspActiveSkinObject& object) const {
        return menus_->ObjectScreenRect(object);
    }
    // Opens it below a frame button, which stays pressed until the menu closes.
    void OpenWindowMenuBelow(TspSkinStdButtonObject& button) {
        menus_->OpenWindowMenuBelow(button);
    }
    // Opens it below the system-menu button, or at the top-left of the client area when
    // the button is not shown (Alt+Space).
    void OpenWindowMenuFromKeyboard() { menus_->OpenWindowMenuFromKeyboard(); }
    // Opens the sub-items of a frame button's menu item below the button.
    void OpenObjectMenu(const TspActiveSkinObject& object, TMenuItem& item) {
        menus_->OpenObjectMenu(object, item);
    }
    int AddWindowMenuBuilder(TspWindowMenuBuilder builder) {
        return menus_->AddWindowMenuBuilder(std::move(builder));
    }
    void RemoveWindowMenuBuilder(int id) { menus_->RemoveWindowMenuBuilder(id); }
    // A skinned menu of this form is open / the keyboard main-menu mode is on.
    [[nodiscard]] bool SkinMenuOpen() const { return menus_->MenuOpen(); }
    [[nodiscard]] bool KeyboardMenuMode() const { return menus_->KeyboardMode(); }
    // Closes an open skinned menu and leaves the keyboard main-menu mode.
    void EndSkinMenus() { menus_->EndSkinMenus(); }
    // SKINMSG_MENUCLOSED: the menu-open state ends.
    void SkinMenuClosed() { menus_->SkinMenuClosed(); }

    // ---- Keyboard main-menu mode (the room TspFormMenus) ----
    // WM_SYSCOMMAND SC_KEYMENU: `key` is the message's LParam (' ' for Alt+Space, which
    // opens the window menu; 0 for a lone Alt).
    void KeyMenuCommand(intptr_t key) { menus_->KeyMenuCommand(key); }
    // The main menu drawn in the frame registers what the keyboard mode drives (a
    // MainMenuBar implementing ISkinMainMenuKeys is used first); nullptr removes it.
    void SetFrameMainMenuKeys(ISkinMainMenuKeys* keys) { menus_->SetFrameMainMenuKeys(keys); }
    [[nodiscard]] ISkinMainMenuKeys* MainMenuKeys() const;
    void LeaveKeyboardMenuMode() { menus_->LeaveKeyboardMenuMode(); }

    // ---- ISkinMenuHost ----
    [[nodiscard]] TspSkinMenu& PopupMenuEngine() override { return menus_->Engine(); }
    [[nodiscard]] TspSkinData* PopupMenuSkinData() const override {
        return menus_->PopupMenuSkinData();
    }
    void NotePopupMenuOpen() override { menus_->NotePopupMenuOpen(); }

    // ---- ISkinFormFrame: what the menu bar and the MDI tab bar ask (SkinFormFrame.cpp) ----
    [[nodiscard]] TCustomForm* FrameForm() const override;
    [[nodiscard]] TComponent& FrameComponent() override;
    [[nodiscard]] TBorderIcons FrameBorderIcons() const override;
    [[nodiscard]] bool FrameMinimized() const override;
    void MinimizeFrame() override;
    void RestoreFrame() override;
    void CloseFrame() override;
    void OpenFrameWindowMenu(const TRect& screenAnchor) override;
    void FrameMenuClosed() override;

    // ---- Alpha blending (the room TspFormFade) ----
    // The window is layered (its opacity set by this component).
    [[nodiscard]] bool Layered() const { return fade_->Layered(); }

    // ---- The frame's geometry, shape and painting (the rooms TspFrameGeometry,
    // TspFrameShape and TspFramePainter) ----
    [[nodiscard]] TspFrameGeometry& Geometry() const { return *geometry_; }
    [[nodiscard]] TspFrameShape& Shape() const { return *shape_; }
    [[nodiscard]] TspFramePainter& Painter() const { return *painter_; }
    // Geometry for the current size (skin only).
    void CalcRects() { geometry_->CalcRects(); }
    [[nodiscard]] TRect CalcObjectRect(const TRect& r) const {
        return geometry_->CalcObjectRect(r);
    }
    void ArrangeObjects() { objects_->ArrangeObjects(); }
    // Frame painting (with the window canvas, or the message's canvas).
    void PaintNCSkin(TCanvas& canvas) { painter_->PaintNCSkin(canvas); }
    void PaintNCDefault(TCanvas& canvas) { painter_->PaintNCDefault(canvas); }
    void EraseSkinBackground(TCanvas& canvas) { painter_->EraseSkinBackground(canvas); }
    void SetFrameRegion(bool stretch) { shape_->SetFrameRegion(stretch); }
    [[nodiscard]] int HitTestSkin(TPoint p) const { return shape_->HitTestSkin(p); }
    [[nodiscard]] int HitTestDefault(TPoint p) { return shape_->HitTestDefault(p); }
    [[nodiscard]] int HitTestClient(TPoint p) const { return shape_->HitTestClient(p); }

    // ---- Read access for the objects, the tests and the later window-command code ----
    [[nodiscard]] bool SkinSupport() const { return FSkinSupport; }
    // ---- The frame's objects and mouse routing (the room TspFrameObjects) ----
    [[nodiscard]] TspFrameObjects& FrameObjects() const { return *objects_; }
    [[nodiscard]] int ObjectCount() const { return objects_->Count(); }
    // Lets a caller that outlives a call (a deferred action) learn whether the frame still exists.
    [[nodiscard]] TLivenessWatch LivenessWatch() const { return liveness_.Watch(); }
    [[nodiscard]] TspActiveSkinObject* Objects(int index) const { return objects_->At(index); }
    // The first object with the name, or nullptr.
    [[nodiscard]] TspActiveSkinObject* FindObject(const std::string& idName) const {
        return objects_->Find(idName);
    }
    [[nodiscard]] int GetActiveObject() const { return objects_->ActiveObject(); }
    [[nodiscard]] int GetMouseCaptureObject() const { return objects_->MouseCaptureObject(); }
    [[nodiscard]] TRect ClRect() const { return geometry_->Rects().Client; }
    [[nodiscard]] TRect DefaultCaptionRect() const { return geometry_->DefaultCaptionRect(); }
    [[nodiscard]] TRect MaskRectArea() const { return geometry_->Rects().MaskArea; }
    [[nodiscard]] const TRegion* FrameShape() const { return shape_->FrameShape(); }
    [[nodiscard]] bool SizeMoveActive() const { return mover_->SizeMoveActive(); }
    [[nodiscard]] TTimer& GetMorphTimer() const { return objects_->MorphTimer(); }
    [[nodiscard]] TTimer& GetMouseTimer() const { return objects_->MouseTimer(); }
    [[nodiscard]] TTimer& GetAnimateTimer() const { return objects_->AnimateTimer(); }
    // Whether an object belongs to the current roll state. In non-client mode a skin that
    // defines no objects of its own for the rolled-up frame keeps its caption and buttons.
    [[nodiscard]] bool InRollState(const TspActiveSkinObject& object) const {
        return objects_->InRollState(object);
    }
    // The small-icon size (ShowIcon's system-menu button).
    [[nodiscard]] static TSize SmallIconSize() { return {16, 16}; }
    // Copy of the window icon at small-icon size (empty when the form has none).
    [[nodiscard]] const TBitmap& GetSmallIcon() { return objects_->SmallIcon(); }
    [[nodiscard]] bool WindowMaximized() const { return states_->Maximized(); }
    [[nodiscard]] bool WindowMinimized() const { return states_->Minimized(); }
    // The caption objects' look follows activation (Part of every activation change).
    void UpdateCaptionObjects(bool draw) { objects_->UpdateCaptionObjects(draw); }

    // ---- MDI (the room TspFormMDI) ----
    // The skinned frame of a form (the first TspSkinForm it owns), or nullptr.
    [[nodiscard]] static TspSkinForm* Of(const TCustomForm* form);
    [[nodiscard]] bool IsMDIChildForm() const { return FForm->MDIParent() != nullptr; }
    [[nodiscard]] bool IsMDIParentForm() const { return FForm->FormStyle() == fsMDIForm; }
    [[nodiscard]] bool MaximizedMDIChild() const {
        return IsMDIChildForm() && states_->Maximized();
    }
    // The owner's caption; an MDI parent showing a maximised child adds " - [" + the
    // child's caption + "]".
    [[nodiscard]] std::string CaptionText() const { return mdi_->CaptionText(); }
    // An MDI parent's maximised skinned child, or nullptr.
    [[nodiscard]] TspSkinForm* MaximizedChild() const { return mdi_->MaximizedChild(); }
    // An MDI parent: every maximised child re-fits to the client area (SKINMSG_MDIREFIT),
    // then the minimised children are stacked again.
    void RefitMDIChildren() { mdi_->RefitMDIChildren(); }
    // An MDI parent: its minimised skinned children stacked along the client area's bottom.
    void ArrangeMDIIcons() { mdi_->ArrangeMDIIcons(); }
    // An MDI parent: its maximised skinned children restored (before tiling or cascading).
    void RestoreMDIChildren() { mdi_->RestoreMDIChildren(); }
    // An MDI child: the parent's MDI client area in the child's coordinates (empty for
    // any other form).
    [[nodiscard]] TRect MDIClientArea() const { return mdi_->MDIClientArea(); }
    // An MDI child: its item in the main form's window menu ("_SFCHILDITEM"), or nullptr.
    [[nodiscard]] TMenuItem* MDIChildItem() const { return mdi_->MDIChildItem(); }

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    friend class TspFormMenus;  // drops the system-menu button's mouse capture
    friend class TspFormTray;   // the design-time biMinimizeToTray bit
    // SendNcPaint, NudgeWidth, the client background painting, the window state, and
    // another form's MDI room (MDIMinimizedPlace).
    friend class TspFormMDI;
    // The MDI steps of the window states alone.
    friend class TspWindowStates;

    // Window procedure (SkinFormWindowProc.cpp): the menu-closing pre-step, then the
    // message's handler from the table (nullptr: the previous procedure alone).
    void NewWndProc(TMessage& m);
    void MenuClosingPreStep(const TMessage& m);
    [[nodiscard]] static TspMessageHandler HandlerFor(uint32_t msg);
    // Skin changes: false when the form went meanwhile.
    bool BeforeSkinChange(TspSkinData* sender);
    void SkinChanged(TspSkinData* sender);
    void ChangeSkinData();
    void ApplySkinToFrame();
    void ApplySkinToClient();
    void SendNcPaint() { painter_->SendNcPaint(); }
    void ForEachSkinnedControl(const std::function<void(class ISkinnedControl&)>& fn) const;

    // Published property storage.
    TspSkinData* skinData_ = nullptr;
    TspSkinData* menusSkinData_ = nullptr;
    bool supportNCArea_ = true;
    TspBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize | biRollUp;
    bool showIcon_ = false;
    TFont defCaptionFont_;
    TFont defInActiveCaptionFont_;
    // Stores a non-owning reference and asks to be told when it goes.
    void AssignReference(TComponent*& slot, TComponent* value);
    TspSkinHint* skinHint_ = nullptr;
    TComponent* skinHintRef_ = nullptr;
    TComponent* mainMenuBarRef_ = nullptr;
    TComponent* mdiTabsBarRef_ = nullptr;
    TComponent* trayIconRef_ = nullptr;
    int defMenuItemHeight_ = 20;
    TPopupMenu* systemMenu_ = nullptr;
    TMainMenu* mainMenu_ = nullptr;
    TspSkinMainMenuBar* mainMenuBar_ = nullptr;
    TspSkinMDITabsBar* mdiTabsBar_ = nullptr;
    TspTrayIcon* trayIcon_ = nullptr;

    // The rooms.
    std::unique_ptr<TspFrameGeometry> geometry_;
    std::unique_ptr<TspFrameShape> shape_;
    std::unique_ptr<TspFramePainter> painter_;
    std::unique_ptr<TspFrameObjects> objects_;  // made first in the body: its timers go first
    std::unique_ptr<TspWindowStates> states_;
    std::unique_ptr<TspWindowMover> mover_;

    // Internal state.
    TCustomForm* FForm = nullptr;
    std::function<void(TMessage&)> OldWindowProc;
    bool FSkinSupport = false;

    // Our own bookkeeping beyond the fields above.
    bool ncActiveFlag_ = false;  // last WM_NCACTIVATE flag
    bool hooked_ = false;
    // The window menu, the menu-open state and the keyboard main-menu mode.
    std::unique_ptr<TspFormMenus> menus_;
    // The notification area.
    std::unique_ptr<TspFormTray> tray_;
    // Transparency and the fade-in.
    std::unique_ptr<TspFormFade> fade_;
    // The MDI side.
    std::unique_ptr<TspFormMDI> mdi_;
    TLiveness liveness_;  // for loops that run messages
};
