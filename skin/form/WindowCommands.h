// The window commands a skinned frame carries out (close, maximise, minimise, roll-up,
// tray, window menu, moving by dragging). Closing is complete; the others are plain
// stand-ins on the framework's own window operations until the full commands (emulated
// states, roll-up to the frame, snapping, the skinned window menu, the tray) replace the
// bodies in WindowCommands.cpp. Each command has one function here or one TspSkinForm
// member defined in that file, so the replacement touches nothing else.
#pragma once

#include "base/Types.h"

class TMenuItem;
class TspSkinForm;
class TspActiveSkinObject;

// "cmclose", and the double click on the window-menu button: closes the owner form.
void CloseSkinnedWindow(TspSkinForm& form);
// An object with a menu item (a button, an animation) opens the item's sub-items below
// itself.
void OpenObjectMenu(TspSkinForm& form, TspActiveSkinObject& object, TMenuItem& item);
// The window-menu button (or an animation with its command) opens the window menu below
// itself.
void OpenButtonWindowMenu(TspSkinForm& form, TspActiveSkinObject& object);
// An open skinned menu or the keyboard menu mode ends (a click, a move, focus loss).
void EndSkinMenus(TspSkinForm& form);
// A lone Alt: the keyboard main-menu mode.
void EnterKeyboardMenuMode(TspSkinForm& form);
// A skinned menu this form opened has closed.
void SkinMenuClosed(TspSkinForm& form);
// Each step of a move: snapping to the work-area edges.
void SnapMovingRect(TspSkinForm& form, TRect& rect);
