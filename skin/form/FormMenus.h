// TspFormMenus: the menus of a skinned form. It builds the window menu for the current
// border icons and state (or merges its items into SystemMenu), opens it and the frame
// buttons' menus through the form's popup-menu engine, keeps the menu-open state and the
// keyboard main-menu mode (a lone Alt, or Alt with a main-menu item's accelerator through the
// owner form's short cuts), and while either is on holds the application message hook that
// takes the keys and wheel turns reaching the program.
//
// It owns its state; the form holds it and forwards its window-menu methods here. What it
// uses of the form:
// - public: Form(), BorderIcons(), WindowState()/WindowMinimized()/WindowMaximized(),
//   GetRollUpState(), SystemMenu(), UseDefaultSysMenu, AlwaysMinimizeToTray, the menu look
//   (UseSkinFontInMenu, DefMenuItemHeight(), DefMenuItemFont, MenusAlphaBlend*),
//   SkinData()/MenusSkinData(), MainMenuKeys(), MainMenu(), MainMenuBar(), the frame
//   objects (ObjectCount(), Objects(), InRollState(), GetMouseCaptureObject(),
//   SupportNCArea(), DrawSkinObject()), the owner form's short-cut handlers, the commands
//   SetWindowState, RestoreWindow, SetRollUpState, MinimizeToTray, and the events
//   OnSkinMenuOpen/OnSkinMenuClose/OnMainMenuEnter/OnMainMenuExit;
// - private (a friend for this alone): dropping the mouse capture the system-menu button
//   holds (TspSkinForm::MouseCaptureObject) when its menu closes.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "base/Types.h"

class ISkinMainMenuKeys;
class TControl;
class TMenuItem;
class TPopupMenu;
class TspActiveSkinObject;
class TspSkinData;
class TspSkinForm;
class TspSkinMenu;
class TspSkinStdButtonObject;
struct TMessage;

// Adds items to the window menu after the form has built it (MDI child items, say).
using TspWindowMenuBuilder = std::function<void(TMenuItem& items)>;

// An item of the form's own menus (the window menu, the tray menu); no name for nullptr,
// no action for an empty one.
[[nodiscard]] TMenuItem* NewFormMenuItem(const char* name, const char* caption, uint16_t shortCut,
                                         std::function<void()> action);
// "Alt+F4", or "Ctrl+F4" for an MDI child.
[[nodiscard]] uint16_t CloseShortCut(bool mdiChild);
// Captions the window menu shares with the tray menu (the program's own texts).
inline constexpr const char* kRestoreCaption = "&Restore";
inline constexpr const char* kCloseCaption = "&Close";

class TspFormMenus {
public:
    // Makes the default menu and the popup-menu engine, owned through the form's
    // component list.
    explicit TspFormMenus(TspSkinForm& form);
    TspFormMenus(const TspFormMenus&) = delete;
    TspFormMenus& operator=(const TspFormMenus&) = delete;

    // ---- The window menu ----
    [[nodiscard]] TMenuItem& WindowMenuItems();
    [[nodiscard]] TPopupMenu& DefaultMenu() const { return *defaultMenu_; }
    void OpenWindowMenu(const TRect& screenAnchor);
    [[nodiscard]] TRect ObjectScreenRect(const TspActiveSkinObject& object) const;
    void OpenWindowMenuBelow(TspSkinStdButtonObject& button);
    void OpenWindowMenuFromKeyboard();
    void OpenObjectMenu(const TspActiveSkinObject& object, TMenuItem& item);
    int AddWindowMenuBuilder(TspWindowMenuBuilder builder);
    void RemoveWindowMenuBuilder(int id);

    // ---- The menu-open state ----
    [[nodiscard]] bool MenuOpen() const { return menuOpen_; }
    [[nodiscard]] bool KeyboardMode() const { return menuMode_; }
    void EndSkinMenus();
    void SkinMenuClosed();
    // A menu of the form is about to open: the engine takes the form's menu look.
    void NotePopupMenuOpen();
    [[nodiscard]] TspSkinMenu& Engine() const { return *menuEngine_; }
    // The engine, or nullptr once the form's components are gone.
    [[nodiscard]] TspSkinMenu* EngineIfAlive() const { return menuEngine_; }
    [[nodiscard]] TspSkinData* PopupMenuSkinData() const;

    // ---- The keyboard main-menu mode ----
    void KeyMenuCommand(intptr_t key);
    // The owner form's short-cut check (registered with the form): skipped once after the
    // message hook took a key; else Alt with an accelerator of the main menu opens that
    // item (entering the mode), else the main menu's own short cuts.
    bool OwnerShortCut(uint32_t shortCut);
    void SetFrameMainMenuKeys(ISkinMainMenuKeys* keys) { frameMainMenuKeys_ = keys; }
    [[nodiscard]] ISkinMainMenuKeys* FrameMainMenuKeys() const { return frameMainMenuKeys_; }
    void LeaveKeyboardMenuMode();

    // ---- The form going ----
    // Before its components go: the application gets its message handler back, and the
    // menu-open state and the keyboard mode end without their events.
    void Stop();
    // After its components went: the default menu and the engine are no more.
    void ComponentsDestroyed();

private:
    void BuildDefaultWindowMenu();
    void MergeDefaultItems(TMenuItem& items);
    void OpenMenuItems(TMenuItem& items, const TRect& screenAnchor);
    bool EnterKeyboardMenuMode();
    bool MainMenuModeKey(uint16_t key, uint32_t ch);
    // Whether the open menu has a use for Left or Right (closing a submenu, opening one).
    [[nodiscard]] bool OpenMenuUsesKey(uint16_t key) const;
    void InstallMenuHook();
    void RemoveMenuHook();
    void MenuHookMessage(TMessage& message, bool& handled);
    void MenuKey(uint16_t key, uint32_t ch);
    // The system-menu button or main-menu item whose menu closed comes up.
    void ReleasePressedObjects();

    TspSkinForm& form_;
    TPopupMenu* defaultMenu_ = nullptr;  // owned through the form's component list
    TspSkinMenu* menuEngine_ = nullptr;  // likewise
    std::vector<std::pair<int, TspWindowMenuBuilder>> windowMenuBuilders_;
    int nextWindowMenuBuilder_ = 1;
    ISkinMainMenuKeys* frameMainMenuKeys_ = nullptr;
    bool menuMode_ = false, menuOpen_ = false;
    // The application message hook while a menu is open or the keyboard mode is on.
    bool menuHookInstalled_ = false;
    bool keepModeOnClose_ = false;  // an Esc in keyboard mode is closing the last level
    bool skipShortCut_ = false;     // the hook took a key: the next short-cut check is skipped
    int shortCutHandler_ = 0;       // the owner form's short-cut handler id
    std::function<void(TControl*, TMessage&, bool&)> previousOnMessage_;
};
