// Alt on a skinned window: Alt+Space opens the window menu; a lone Alt (SC_KEYMENU) enters
// or leaves the keyboard main-menu mode, in which the main menu (a MainMenuBar, or the
// frame's own main menu) takes the keys. A window without a main menu has no such mode, so
// a lone Alt never holds the program's keys back.
#include "skin/controls/MainMenuKeys.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"

ISkinMainMenuKeys* TspSkinForm::MainMenuKeys() const {
    if (auto* bar = dynamic_cast<ISkinMainMenuKeys*>(mainMenuBarRef_)) return bar;
    return frameMainMenuKeys_;
}

void TspSkinForm::KeyMenuCommand(intptr_t key) {
    if (key == VK_SPACE) {
        OpenWindowMenuFromKeyboard();
        return;
    }
    if (MenuMode) {
        LeaveKeyboardMenuMode();
        return;
    }
    if (MenuOpen) EndSkinMenus();
    ISkinMainMenuKeys* keys = MainMenuKeys();
    if (!keys || !keys->EnterKeyboardMode()) return;
    MenuMode = true;
    InstallMenuHook();
    if (OnMainMenuEnter) OnMainMenuEnter(this);
}

void TspSkinForm::LeaveKeyboardMenuMode() {
    if (!MenuMode) return;
    MenuMode = false;
    if (ISkinMainMenuKeys* keys = MainMenuKeys()) keys->LeaveKeyboardMode();
    if (menuEngine_ && menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    if (!MenuOpen) RemoveMenuHook();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

bool TspSkinForm::MainMenuModeKey(uint16_t key, uint32_t ch) {
    keepModeOnClose_ = false;
    if (!MenuMode) return false;
    if (ISkinMainMenuKeys* keys = MainMenuKeys(); keys && keys->KeyboardModeKey(key, ch)) return true;
    if (key != VK_ESCAPE) return false;
    if (!menuEngine_->MenuOpen()) {
        LeaveKeyboardMenuMode();
        return true;
    }
    // Esc on the last level closes the menu; the mode stays.
    if (menuEngine_->PopupCount() == 1) keepModeOnClose_ = true;
    return false;
}
