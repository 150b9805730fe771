// Window commands of the skinned frame. CloseSkinnedWindow is the real command; the other
// bodies are stand-ins that use the framework's own window operations, so the caption
// buttons already do something sensible until the skinned window states replace them.
#include "skin/form/WindowCommands.h"

#include "skin/draw/PlatformUtils.h"
#include "skin/form/SkinForm.h"
#include "ui/Application.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

void CloseSkinnedWindow(TspSkinForm& form) { form.Form()->Close(); }

void OpenObjectMenu(TspSkinForm&, TspActiveSkinObject&, TMenuItem&) {
    // Stand-in: menus of frame buttons open with the skinned popup menus.
}

void OpenButtonWindowMenu(TspSkinForm& form, TspActiveSkinObject& button) {
    const TCustomForm& owner = *form.Form();
    // Stand-in: the assigned window menu opens below the button through the framework.
    if (TPopupMenu* menu = form.SystemMenu()) {
        menu->Popup(owner.Left() + button.ObjectRect.Left, owner.Top() + button.ObjectRect.Bottom);
    }
}

void EndSkinMenus(TspSkinForm&) {
    // Stand-in: nothing is open until the skinned menus exist.
}

void EnterKeyboardMenuMode(TspSkinForm&) {
    // Stand-in: the frame draws no main menu yet.
}

void SkinMenuClosed(TspSkinForm&) {}

void SnapMovingRect(TspSkinForm&, TRect&) {
    // Stand-in: no magnetic snapping yet.
}

// ---------------------------------------------------------------- form members

void TspSkinForm::SetWindowState(uint8_t state) {
    if (state == FWindowState) return;
    TCustomForm& owner = *FForm;
    switch (state) {
        case kSkinStateMaximized: {
            FWindowState = state;
            if (IsRectEmpty(RestoreBounds)) RestoreBounds = owner.BoundsRect();
            if (IsMDIChildForm()) {
                MaximizeMDIChild();
                break;
            }
            owner.SetBoundsRect(GetWorkArea(owner.BoundsRect(), !MaximizeOnFullScreen));
            break;
        }
        case kSkinStateMinimized:
            if (Application().MainForm() == &owner || !supportNCArea_) {
                // The application minimises; the emulated state stays.
                owner.SetWindowState(wsMinimized);
                break;
            }
            // Stand-in: only the frame remains, at the bottom-left of the work area.
            FWindowState = state;
            if (IsRectEmpty(RestoreBounds)) RestoreBounds = owner.BoundsRect();
            if (IsMDIChildForm()) {
                const int w = GetMinWidth(), h = GetMinHeight();
                const TPoint at = MDIMinimizedPlace(w, h);
                owner.SetBounds(at.X, at.Y, w, h);
                NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
                break;
            }
            {
                const TRect work = GetWorkArea(owner.BoundsRect(), true);
                const int w = GetMinWidth(), h = GetMinHeight();
                owner.SetBounds(work.Left, work.Bottom - h, w, h);
            }
            break;
        default: {
            FWindowState = kSkinStateNormal;
            RolledUpWhileMaximized = false;
            if (!IsRectEmpty(RestoreBounds)) owner.SetBoundsRect(RestoreBounds);
            RestoreBounds = {};
            MouseTimer->SetEnabled(true);
            if (IsMDIChildForm()) NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
            break;
        }
    }
    owner.Invalidate();
}

void TspSkinForm::SetRollUpState(bool value) {
    if (value == RollUpState) return;
    // Stand-in: the window shrinks to its frame height and grows back.
    if (value) {
        OldHeight = FForm->Height();
        RollUpState = true;
        FForm->SetHeight(GetMinHeight());
    } else {
        RollUpState = false;
        if (OldHeight > 0) FForm->SetHeight(OldHeight);
    }
    FForm->Invalidate();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TspSkinForm::MinimizeToTray() {
    // Stand-in: the window hides.
    FForm->Hide();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TspSkinForm::RestoreFromTray() {
    FForm->Show();
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TspSkinForm::CaptionDoubleClick() {
    if (!Sizeable || !(borderIcons_ & biMaximize)) return;
    SetWindowState(WindowMaximized() ? kSkinStateNormal : kSkinStateMaximized);
}

void TspSkinForm::OpenWindowMenu(int x, int y) {
    if (systemMenu_) systemMenu_->Popup(x, y);
}

void TspSkinForm::StartDragging() {
    Dragging = true;
    const TPoint c = Screen().CursorPos();
    DragStart = {c.X - FForm->Left(), c.Y - FForm->Top()};
    MouseTimer->SetEnabled(true);
}

void TspSkinForm::StopDragging() { Dragging = false; }

void TspSkinForm::DragStep() {
    const TPoint c = Screen().CursorPos();
    FForm->SetBounds(c.X - DragStart.X, c.Y - DragStart.Y, FForm->Width(), FForm->Height());
}
