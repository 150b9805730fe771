// The accessible nodes of the framework's own controls: plain controls, forms, the page
// control and its tabs, and hint windows.
#include "ui/Accessibility.h"

#include "ui/Accelerators.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/PageControl.h"

using platform::AccessibleRole;

TAccessibleNode BuildAccessible(TControl& control, const std::string& id) {
    TAccessibleNode node;
    node.id = id;
    control.Perform(WM_GETOBJECT, 0, reinterpret_cast<intptr_t>(&node));
    return node;
}

std::string AccessibleChildId(const TAccessibleNode& parent, const std::string& part) {
    return parent.id + "/" + part;
}

void AddAccessibleChildren(TWinControl& control, TAccessibleNode& node) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (!child->Visible()) continue;
        if (child->IsWindowed() && static_cast<TWinControl*>(child)->HasNativeView()) continue;
        const std::string part = child->Name().empty()
                                     ? std::string(child->ClassName()) + std::to_string(i)
                                     : child->Name();
        node.children.push_back(BuildAccessible(*child, AccessibleChildId(node, part)));
    }
}

TRect AccessibleBounds(const TControl& control) {
    if (!control.Parent()) return Rect(0, 0, control.Width(), control.Height());
    const TPoint o = control.Parent()->WindowClientOrigin();
    return Bounds(o.X + control.Left(), o.Y + control.Top(), control.Width(), control.Height());
}

uint32_t ControlAccessibleStates(const TControl& control) {
    uint32_t states = 0;
    if (!control.IsEnabledInTree()) states |= platform::kAccDisabled;
    if (!control.Showing()) states |= platform::kAccHidden;
    if (control.IsWindowed()) {
        const auto& w = static_cast<const TWinControl&>(control);
        if (w.TabStop) states |= platform::kAccFocusable;
        if (w.Focused()) states |= platform::kAccFocused | platform::kAccFocusable;
    }
    return states;
}

std::string AccessibleName(const std::string& caption) { return StripHotkey(caption); }

TAccessibleNode MenuItemAccessible(TMenuItem& item, const std::string& id,
                                   const TLivenessWatch& owner) {
    TAccessibleNode node;
    node.id = id;
    node.name = AccessibleName(item.Caption());
    if (item.IsLine()) {
        node.role = AccessibleRole::Separator;
        node.name.clear();
    } else if (item.Count() > 0) {
        node.role = AccessibleRole::Menu;
    } else if (item.RadioItem()) {
        node.role = AccessibleRole::RadioMenuItem;
    } else if (item.Checked() || item.AutoCheck) {
        node.role = AccessibleRole::CheckMenuItem;
    } else {
        node.role = AccessibleRole::MenuItem;
    }
    if (node.role == AccessibleRole::CheckMenuItem || node.role == AccessibleRole::RadioMenuItem)
        node.states |= platform::kAccCheckable;
    if (item.Checked()) node.states |= platform::kAccChecked;
    if (!item.Enabled()) node.states |= platform::kAccDisabled;
    if (!item.Visible()) node.states |= platform::kAccHidden;
    node.accelerator = item.ShortCut != scNone ? item.ShortCutText() : std::string();
    if (item.Count() > 0) {
        node.states |= platform::kAccExpandable;
        for (int i = 0; i < item.Count(); ++i) {
            TMenuItem* sub = item.Items(i);
            const std::string part = sub->Name().empty() ? "item" + std::to_string(i) : sub->Name();
            node.children.push_back(MenuItemAccessible(*sub, AccessibleChildId(node, part), owner));
        }
    } else if (!item.IsLine()) {
        TMenuItem* target = &item;
        node.actions.push_back({"click", [target, owner] {
                                    if (owner.Alive()) target->Click();
                                }});
    }
    return node;
}

TAccessibleNode MainMenuItemAccessible(TMenuItem& item, const std::string& id,
                                       const TLivenessWatch& owner, const TRect& bounds,
                                       bool enabled, bool shown, bool open,
                                       std::function<void()> press) {
    TAccessibleNode node = MenuItemAccessible(item, id, owner);
    node.bounds = bounds;
    if (!enabled) node.states |= platform::kAccDisabled;
    if (!shown) node.states |= platform::kAccHidden;
    if (open) node.states |= platform::kAccExpanded;
    // The sub-items show only while the item's menu is open.
    if (!open)
        for (TAccessibleNode& sub : node.children) sub.states |= platform::kAccHidden;
    if (item.Count() > 0) node.actions.push_back({"click", std::move(press)});
    return node;
}

void TControl::GetAccessible(TAccessibleNode& node) {
    node.role = IsWindowed() ? AccessibleRole::Panel : AccessibleRole::Label;
    node.name = AccessibleName(Caption());
    node.description = Hint;
    node.states = ControlAccessibleStates(*this);
    node.bounds = AccessibleBounds(*this);
    if (IsWindowed()) AddAccessibleChildren(*static_cast<TWinControl*>(this), node);
}

void TCustomForm::GetAccessible(TAccessibleNode& node) {
    TCustomControl::GetAccessible(node);
    node.role = IsMDIChild() || Parent() ? AccessibleRole::Panel : AccessibleRole::Frame;
    node.name = Caption();
    node.states &= ~(platform::kAccFocusable | platform::kAccFocused);
    if (active_) node.states |= platform::kAccActive;
}

void TPageControl::GetAccessible(TAccessibleNode& node) {
    node.role = AccessibleRole::PageTabList;
    node.name = AccessibleName(Caption());
    node.states = ControlAccessibleStates(*this);
    node.bounds = AccessibleBounds(*this);
    const TPoint origin = WindowClientOrigin();
    const TLivenessWatch alive = LivenessWatch();
    for (int t = 0; t < TabCount(); ++t) {
        TTabSheet* page = TabPage(t);
        TAccessibleNode tab;
        tab.id = AccessibleChildId(node,
                                   page->Name().empty() ? "tab" + std::to_string(t) : page->Name());
        tab.role = AccessibleRole::PageTab;
        tab.name = AccessibleName(page->Caption());
        tab.states = platform::kAccSelectable;
        if (!page->IsEnabledInTree()) tab.states |= platform::kAccDisabled;
        if (page == ActivePage()) tab.states |= platform::kAccSelected;
        if (page == ActivePage() && Focused()) tab.states |= platform::kAccFocused;
        tab.bounds = OffsetRect(GetItemRect(t), origin.X, origin.Y);
        if (IsRectEmpty(tab.bounds)) tab.states |= platform::kAccHidden;
        tab.actions.push_back({"click", [this, alive, t] {
                                   if (alive.Alive()) SelectTabByUser(t);
                               }});
        // The tab holds its page's content while the page shows.
        if (page->Visible()) AddAccessibleChildren(*page, tab);
        node.children.push_back(std::move(tab));
    }
    node.selectChild = [this, alive](int t) {
        if (alive.Alive()) SelectTabByUser(t);
    };
}

void THintWindow::GetAccessible(TAccessibleNode& node) {
    TCustomControl::GetAccessible(node);
    node.role = AccessibleRole::ToolTip;
    node.states &= ~(platform::kAccFocusable | platform::kAccFocused);
}
