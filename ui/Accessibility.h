// The framework's accessible model: every control describes itself as an accessible node
// (platform/Accessible.h) through WM_GETOBJECT, so a hook of its window procedure (the
// skinned frame) adds the parts it draws. The window host builds the tree of its top-level
// control from these and hands it to the platform.
#pragma once

#include <functional>
#include <string>

#include "platform/Accessible.h"
#include "ui/Controls.h"

using TAccessibleNode = platform::AccessibleNode;
using TAccessibleRole = platform::AccessibleRole;

// The node of a control and its children, with the given id.
[[nodiscard]] TAccessibleNode BuildAccessible(TControl& control, const std::string& id);
// The id of a part inside a node: the node's id, "/", the part.
[[nodiscard]] std::string AccessibleChildId(const TAccessibleNode& parent, const std::string& part);
// Adds the nodes of a windowed control's visible children (controls that host a native
// view publish their own accessible objects and are left out).
void AddAccessibleChildren(TWinControl& control, TAccessibleNode& node);
// A control's bounds in its window's image coordinates.
[[nodiscard]] TRect AccessibleBounds(const TControl& control);
// The states every control has: disabled, hidden, focusable and focused.
[[nodiscard]] uint32_t ControlAccessibleStates(const TControl& control);
class TMenuItem;

// A menu item's node: a menu holding its sub-items' nodes when it has any, else a menu
// item (check or radio item when it can be checked); a divider is a separator. Its "click"
// runs the item while `owner` lives. Hidden items are marked so; the bounds stay empty.
[[nodiscard]] TAccessibleNode MenuItemAccessible(TMenuItem& item, const std::string& id,
                                                 const TLivenessWatch& owner);
// A main-menu item drawn on a menu bar (or a frame): MenuItemAccessible at `bounds`, with
// the item's disabled and hidden states, expanded while its menu is open (its sub-items
// hidden otherwise), and a "click" that runs `press` when it has a menu.
[[nodiscard]] TAccessibleNode MainMenuItemAccessible(TMenuItem& item, const std::string& id,
                                                     const TLivenessWatch& owner,
                                                     const TRect& bounds, bool enabled, bool shown,
                                                     bool open, std::function<void()> press);
// A caption without its hotkey marks ("&Close" -> "Close").
[[nodiscard]] std::string AccessibleName(const std::string& caption);
