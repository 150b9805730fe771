// The window commands the frame's objects call: closing, the menu of a frame button, the
// window menu below the system-menu button. The commands themselves are members of
// TspSkinForm (WindowStates.cpp) or of its rooms TspFormMenus and TspFormTray.
#pragma once

class TMenuItem;
class TspSkinForm;
class TspActiveSkinObject;

// "cmclose", and the double click on the window-menu button: closes the owner form.
void CloseSkinnedWindow(TspSkinForm& form);
// An object with a menu item (a button, an animation) opens the item's sub-items below
// itself.
void OpenObjectMenu(TspSkinForm& form, TspActiveSkinObject& object, TMenuItem& item);
// The window-menu button (or an animation with its command) opens the window menu below
// itself; a button stays pressed while it is open.
void OpenButtonWindowMenu(TspSkinForm& form, TspActiveSkinObject& object);
