// TspFormTray: a skinned form and the notification area. It minimises the window to the
// tray icon the form refers to and back (without a tray icon both commands are ignored),
// and lends a tray icon without a menu of its own the form's tray menu ("Restore",
// "Close") and a double click that restores.
//
// It owns its state; the form holds it and forwards. What it uses of the form:
// - public: Form(), TrayIcon(), AlwaysShowInTray, IsDesigning(), TestActive() (no object
//   stays hot while the window is in the tray), and the events
//   OnMinimizeToTray/OnRestoreFromTray;
// - private (a friend for this alone): at design time, the biMinimizeToTray bit of the
//   border icons' storage.
#pragma once

class TspSkinData;
class TspSkinForm;
class TspSkinPopupMenu;

class TspFormTray {
public:
    // Makes the tray menu, owned through the form's component list.
    explicit TspFormTray(TspSkinForm& form);
    TspFormTray(const TspFormTray&) = delete;
    TspFormTray& operator=(const TspFormTray&) = delete;

    void MinimizeToTray();
    void RestoreFromTray();
    // The tray menu, or nullptr once the form's components are gone.
    [[nodiscard]] TspSkinPopupMenu* PopupMenu() const { return popupMenu_; }
    // The form's tray icon was set / is about to be replaced or removed.
    void IconAssigned();
    void IconRemoved();
    void SetSkinData(TspSkinData* skin);
    // After the form's components went: the tray menu is no more.
    void ComponentsDestroyed() { popupMenu_ = nullptr; }

private:
    TspSkinForm& form_;
    TspSkinPopupMenu* popupMenu_ = nullptr;  // owned through the form's component list
    bool dblClickSet_ = false;               // the tray icon's double click restores through us
};
