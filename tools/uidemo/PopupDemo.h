// The demo's skinned menus, hint and tray icon: right-clicking the header opens a skinned
// popup menu (submenus, a long scrolling list, checks, radios, images, short cuts, a
// disabled item); the header shows a skinned hint; a tray icon offers the same menu. An
// item that runs names itself in the window's title ("Puzzlebin UI demo - <item>").
#pragma once

class TControl;
class TCustomForm;

void AddPopupDemo(TCustomForm& form, TControl& menuArea);
