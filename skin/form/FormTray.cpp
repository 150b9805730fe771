// Minimising a skinned window to the notification area and back, through the tray icon
// the form refers to. Without a tray icon both commands are ignored.
#include "skin/form/FormTray.h"

#include "skin/form/FormMenus.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"
#include "ui/Application.h"
#include "ui/Menus.h"

TspFormTray::TspFormTray(TspSkinForm& form) : form_(form) {
    popupMenu_ = new TspSkinPopupMenu(&form);
    const bool mdiChild = form.Form()->FormStyle() == fsMDIChild;
    TMenuItem& items = popupMenu_->Items();
    items.Add(
        NewFormMenuItem("TRAY_SF_RESTORE", kRestoreCaption, scNone, [this] { RestoreFromTray(); }));
    items.Add(NewFormMenuItem(nullptr, "-", scNone, nullptr));
    items.Add(NewFormMenuItem("TRAY_SF_CLOSE", kCloseCaption, CloseShortCut(mdiChild),
                              [&form] { form.Form()->Close(); }));
}

void TspFormTray::SetSkinData(TspSkinData* skin) {
    if (popupMenu_) popupMenu_->SetSkinData(skin);
}

void TspFormTray::MinimizeToTray() {
    TspTrayIcon* tray = form_.TrayIcon();
    if (!tray) return;
    tray->MinimizeToTray = true;
    form_.TestActive(-1, -1, false);
    // The tray icon hears the application minimise, hides it and shows itself.
    Application().Minimize();
    if (form_.OnMinimizeToTray) form_.OnMinimizeToTray(&form_);
}

void TspFormTray::RestoreFromTray() {
    TspTrayIcon* tray = form_.TrayIcon();
    if (!tray) return;
    tray->MinimizeToTray = false;
    tray->RestoreFromTray();
    Application().Restore();
    // Read again: restoring may have let the tray icon go.
    if (!form_.AlwaysShowInTray && form_.TrayIcon()) form_.TrayIcon()->SetIconVisible(false);
    if (form_.OnRestoreFromTray) form_.OnRestoreFromTray(&form_);
}

void TspFormTray::IconAssigned() {
    TspTrayIcon* tray = form_.TrayIcon();
    if (!tray) return;
    if (!form_.AlwaysShowInTray) tray->SetIconVisible(false);
    if (form_.IsDesigning()) {
        if (!tray->IsLoading()) form_.borderIcons_ |= biMinimizeToTray;
        return;
    }
    // A tray icon without a menu of its own gets the form's; a double click restores.
    if (!tray->PopupMenu()) {
        tray->SetPopupMenu(popupMenu_);
        if (!tray->OnDblClick) {
            tray->OnDblClick = [this](TComponent*) { RestoreFromTray(); };
            dblClickSet_ = true;
        }
    }
}

void TspFormTray::IconRemoved() {
    TspTrayIcon* tray = form_.TrayIcon();
    if (!tray) return;
    if (form_.IsDesigning()) form_.borderIcons_ &= ~biMinimizeToTray;
    if (tray->PopupMenu() == popupMenu_) tray->SetPopupMenu(nullptr);
    if (dblClickSet_) tray->OnDblClick = nullptr;
    dblClickSet_ = false;
}
