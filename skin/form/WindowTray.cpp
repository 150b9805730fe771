// Minimising a skinned window to the notification area and back, through the tray icon
// the form refers to. Without a tray icon both commands are ignored.
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"
#include "ui/Application.h"

void TspSkinForm::MinimizeToTray() {
    if (!trayIcon_) return;
    trayIcon_->MinimizeToTray = true;
    TestActive(-1, -1, false);
    // The tray icon hears the application minimise, hides it and shows itself.
    Application().Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TspSkinForm::RestoreFromTray() {
    if (!trayIcon_) return;
    trayIcon_->MinimizeToTray = false;
    trayIcon_->RestoreFromTray();
    Application().Restore();
    if (!AlwaysShowInTray && trayIcon_) trayIcon_->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TspSkinForm::TrayIconAssigned() {
    if (!trayIcon_) return;
    if (!AlwaysShowInTray) trayIcon_->SetIconVisible(false);
    if (IsDesigning()) {
        if (!trayIcon_->IsLoading()) borderIcons_ |= biMinimizeToTray;
        return;
    }
    // A tray icon without a menu of its own gets the form's; a double click restores.
    if (!trayIcon_->PopupMenu()) {
        trayIcon_->SetPopupMenu(trayPopupMenu_);
        if (!trayIcon_->OnDblClick) {
            trayIcon_->OnDblClick = [this](TComponent*) { RestoreFromTray(); };
            trayDblClickSet_ = true;
        }
    }
}

void TspSkinForm::TrayIconRemoved() {
    if (!trayIcon_) return;
    if (IsDesigning()) borderIcons_ &= ~biMinimizeToTray;
    if (trayIcon_->PopupMenu() == trayPopupMenu_) trayIcon_->SetPopupMenu(nullptr);
    if (trayDblClickSet_) trayIcon_->OnDblClick = nullptr;
    trayDblClickSet_ = false;
}
