// TspFormMDI: the MDI side of a skinned form. A child lists itself in the main form's
// window menu and tab bar while it is shown and keeps them up to date (caption, check mark,
// active tab), maximises into the main form's MDI client area without a frame, and, when
// minimised, takes the next free place along the bottom of that area. A parent paints its
// MDI client area's background from the skin (it hooks the client's window procedure),
// knows its maximised child (whose caption joins its own) and re-fits its children.
//
// It owns its state; the form holds it and forwards. What it uses of the form:
// - public: Form(), Of(), IsMDIChildForm()/IsMDIParentForm()/MaximizedMDIChild(), the
//   window state (WindowMinimized(), WindowMaximized(), SetWindowState()), GetMinWidth()/
//   GetMinHeight(), TestActive(), GetMouseTimer(), SkinSupport(), SkinData(), LogoBitMap(),
//   MainMenuBar(), MDITabsBar(), and its component list (FindComponent, FreeNotification);
// - private (a friend for these alone): SendNcPaint(), NudgeWidth(), the client background
//   painting (DrawLogo(), TileClientBackground()), a child that goes is put back to the
//   normal state without the state's side effects (TspSkinForm::FWindowState), and a
//   parent asks each minimised child's room for its place (TspSkinForm::mdi_).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/Types.h"

class TComponent;
class TMenuItem;
class TspSkinForm;
class TWinControl;
struct TMessage;

class TspFormMDI {
public:
    explicit TspFormMDI(TspSkinForm& form) : form_(form) {}
    TspFormMDI(const TspFormMDI&) = delete;
    TspFormMDI& operator=(const TspFormMDI&) = delete;

    // ---- A parent ----
    [[nodiscard]] std::string CaptionText() const;
    [[nodiscard]] TspSkinForm* MaximizedChild() const { return maximizedChild_; }
    void RefitMDIChildren();
    void ArrangeMDIIcons();
    void RestoreMDIChildren();
    // Shown: the MDI client's window procedure is hooked (once per client).
    void HookMDIClient();
    void UnhookMDIClient();
    // SKINMSG_MDIREFIT, SKINMSG_MDICHILDMAXIMIZED and SKINMSG_MDICHILDRESTORED.
    void HandleMDIMessage(TMessage& m);

    // ---- A child ----
    [[nodiscard]] TMenuItem* MDIChildItem() const { return mdiChildItem_; }
    // The main form's skinned frame, or nullptr.
    [[nodiscard]] TspSkinForm* MainSkinForm() const;
    // Shown or hidden: its window-menu item and tab come or go.
    void MDIChildShown(bool shown);
    void UpdateMDIChildItem();
    // Activation changed: item, tab and the menu bar follow.
    void MDIBookkeeping();
    // The maximised state is set: the child fills the parent's client area.
    void MaximizeMDIChild();
    // The parent's MDI client area in the child's own coordinates (those of its Left and
    // Top); empty for a form that is not an MDI child.
    [[nodiscard]] TRect MDIClientArea() const;
    // Where a minimised child of w x h goes.
    [[nodiscard]] TPoint MDIMinimizedPlace(int w, int h) const;
    void NotifyMDIParent(uint32_t message);
    // The form goes: it leaves the window menu and tab bar.
    void MDIChildGoes();

    // A component the form was told about is going.
    void ComponentRemoved(TComponent* component);

private:
    void MDIClientWndProc(TMessage& m);

    TspSkinForm& form_;
    TMenuItem* mdiChildItem_ = nullptr;  // owned through the form's component list
    TWinControl* hookedMDIClient_ = nullptr;
    std::function<void(TMessage&)> oldMDIClientProc_;
    TspSkinForm* maximizedChild_ = nullptr;
    bool mdiChildListed_ = false;  // has its item and tab
};
