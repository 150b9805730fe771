// What a skinned popup menu needs of the skinned form it opens through: the form's menu
// engine, the skin its menus use, and the notice that a menu opens (the form's menu-open
// state and its OnSkinMenuOpen). The skinned form implements it; TspSkinPopupMenu finds it
// among the components of its form, so this folder does not depend on the form's classes.
#pragma once

class TspSkinData;
class TspSkinMenu;

class ISkinMenuHost {
public:
    virtual ~ISkinMenuHost() = default;
    [[nodiscard]] virtual TspSkinMenu& PopupMenuEngine() = 0;
    // MenusSkinData, or SkinData when that is not set; nullptr for none.
    [[nodiscard]] virtual TspSkinData* PopupMenuSkinData() const = 0;
    virtual void NotePopupMenuOpen() = 0;
};
