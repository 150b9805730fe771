// TspSkinForm as the frame the menu bar and the MDI tab bar act on: each answer forwards to
// the form's own property or command.
#include "skin/form/SkinForm.h"
#include "skin/form/WindowCommands.h"

TCustomForm* TspSkinForm::FrameForm() const { return Form(); }

TComponent& TspSkinForm::FrameComponent() { return *this; }

TBorderIcons TspSkinForm::FrameBorderIcons() const { return BorderIcons(); }

bool TspSkinForm::FrameMinimized() const { return WindowMinimized(); }

void TspSkinForm::MinimizeFrame() { SetWindowState(kSkinStateMinimized); }

void TspSkinForm::RestoreFrame() { SetWindowState(kSkinStateNormal); }

void TspSkinForm::CloseFrame() { CloseSkinnedWindow(*this); }

void TspSkinForm::OpenFrameWindowMenu(const TRect& screenAnchor) { OpenWindowMenu(screenAnchor); }

void TspSkinForm::FrameMenuClosed() { SkinMenuClosed(); }
