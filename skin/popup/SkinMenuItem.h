// One item of a skinned popup window: the framework's menu item it shows, where it sits in
// the window and its highlight state (the morph factor moves it between the normal and the
// active look).
#pragma once

#include "base/Types.h"
#include "ui/Menus.h"

class TBitmap;
class TspDataSkinMenuItem;
class TspSkinPopupWindow;

class TspSkinMenuItem {
public:
    TspSkinMenuItem(TspSkinPopupWindow& parent, TMenuItem& item, const TspDataSkinMenuItem* def,
                    const TBitmap* picture)
        : Parent(parent), MenuItem(&item), Def(def), Picture(picture) {}

    TspSkinPopupWindow& Parent;
    TMenuItem* MenuItem;
    const TspDataSkinMenuItem* Def;  // the window's item definition, or none: default look
    const TBitmap* Picture;
    double MorphKf = 0;  // 0 normal look, 1 active look
    TRect ObjectRect{};  // inside the popup window
    bool Active = false;
    bool SubMenuOpen = false;
    bool Visible = true;
    bool KeyboardSelected = false;

    [[nodiscard]] bool IsDivider() const { return MenuItem->IsLine(); }
    [[nodiscard]] bool HasSubItems() const { return MenuItem->Count() > 0; }
    // Enabled and not a divider: the keyboard and the mouse can highlight it.
    [[nodiscard]] bool Selectable() const { return MenuItem->Enabled() && !IsDivider(); }
};
