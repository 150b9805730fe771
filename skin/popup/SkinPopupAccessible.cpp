// What assistive technology sees of an open popup menu: a menu whose items carry their
// names, short cuts and states. Highlighting an item focuses its node, the change a screen
// reader speaks.
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "ui/Accessibility.h"
#include "ui/Menus.h"

void TspSkinPopupWindow::GetAccessible(TAccessibleNode& node) {
    node.role = platform::AccessibleRole::Menu;
    node.states = ControlAccessibleStates(*this) & ~platform::kAccFocusable;
    node.bounds = Rect(0, 0, Width(), Height());
    if (retired_) node.states |= platform::kAccHidden;
    // A menu is named by the item that opens it ("File" for the File menu).
    for (const auto& item : items_) {
        if (!item->MenuItem || !item->MenuItem->Parent()) continue;
        node.name = AccessibleName(item->MenuItem->Parent()->Caption());
        break;
    }
    const TLivenessWatch alive = LivenessWatch();
    for (size_t i = 0; i < items_.size(); ++i) {
        const TspSkinMenuItem& item = *items_[i];
        if (!item.MenuItem) continue;
        TAccessibleNode n = MenuItemAccessible(
            *item.MenuItem, AccessibleChildId(node, "item" + std::to_string(i)), alive);
        // The sub-items are the next popup's; here the item only opens them.
        n.children.clear();
        n.actions.clear();
        n.bounds = item.ObjectRect;
        if (!item.Visible) n.states |= platform::kAccHidden;
        if (item.Selectable()) n.states |= platform::kAccSelectable;
        if (static_cast<int>(i) == activeItem_)
            n.states |= platform::kAccSelected | platform::kAccFocused;
        if (item.SubMenuOpen) n.states |= platform::kAccExpanded;
        if (!item.IsDivider()) {
            const int index = static_cast<int>(i);
            n.actions.push_back({"click", [this, alive, index] {
                                     if (alive.Alive() && !retired_)
                                         engine_.ItemAction(*this, index, false, true);
                                 }});
        }
        node.children.push_back(std::move(n));
    }
}
