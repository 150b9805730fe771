// The window commands the frame's objects call: closing, the menu of a frame button, the
// window menu below the system-menu button. The commands themselves are members of
// TspSkinForm (WindowStates.cpp, WindowMenu.cpp, WindowTray.cpp).
#pragma once

class TMenuItem;
class TspSkinForm;
class TspSkinButtonObject;
class TspSkinStdButtonObject;

// "cmclose", and the double click on the window-menu button: closes the owner form.
void CloseSkinnedWindow(TspSkinForm& form);
// A button with a menu item opens the item's sub-items below itself.
void OpenObjectMenu(TspSkinForm& form, TspSkinButtonObject& button, TMenuItem& item);
// The window-menu button opens the window menu below itself and stays pressed while it
// is open.
void OpenButtonWindowMenu(TspSkinForm& form, TspSkinStdButtonObject& button);
