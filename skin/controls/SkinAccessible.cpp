// What assistive technology sees of the skinned controls: panels named by their caption,
// the expanding panel with its roll and close buttons, the main menu bar with its menus
// and items, and the MDI tabs as a page tab list.
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinFormFrame.h"
#include "skin/controls/SkinMDITabsBar.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/controls/SkinPanel.h"
#include "ui/Accessibility.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

using platform::AccessibleRole;

void TspSkinPanel::GetAccessible(TAccessibleNode& node) {
    TspSkinCustomControl::GetAccessible(node);
    // The caption is a name only where the panel shows it.
    if (!CaptionMode()) node.name.clear();
    if (CheckedMode()) {
        node.states |= platform::kAccCheckable;
        if (Checked()) node.states |= platform::kAccChecked;
        const TLivenessWatch alive = LivenessWatch();
        node.actions.push_back({"toggle", [this, alive] {
                                    if (alive.Alive()) SetChecked(!Checked());
                                }});
    }
    if (RollUpMode()) {
        node.states |= platform::kAccExpandable;
        if (!RollUpState()) node.states |= platform::kAccExpanded;
    }
}

void TspSkinExPanel::GetAccessible(TAccessibleNode& node) {
    TspSkinCustomControl::GetAccessible(node);
    node.states |= platform::kAccExpandable;
    if (!RollState()) node.states |= platform::kAccExpanded;
    const TPoint client = WindowClientOrigin(), offset = ClientOffset();
    const TPoint origin{client.X - offset.X, client.Y - offset.Y};
    const TLivenessWatch alive = LivenessWatch();
    std::vector<TAccessibleNode> buttons;
    auto addButton = [&](int index, const char* part, const char* name, std::function<void()> run) {
        TAccessibleNode b;
        b.id = AccessibleChildId(node, part);
        b.role = AccessibleRole::PushButton;
        b.name = name;
        b.bounds = OffsetRect(ButtonRect(index), origin.X, origin.Y);
        if (!IsEnabledInTree()) b.states |= platform::kAccDisabled;
        if (ButtonPressed(index)) b.states |= platform::kAccPressed;
        b.actions.push_back({"click", std::move(run)});
        buttons.push_back(std::move(b));
    };
    if (ShowRollButton()) {
        addButton(kRollButton, "roll", RollState() ? "Roll down" : "Roll up", [this, alive] {
            if (alive.Alive() && IsEnabledInTree()) SetRollState(!RollState());
        });
    }
    if (ShowCloseButton()) {
        addButton(kCloseButton, "close", "Close", [this, alive] {
            if (!alive.Alive() || !IsEnabledInTree()) return;
            SetVisible(false);
            if (OnClose && !IsDesigning()) OnClose(this);
        });
    }
    node.children.insert(node.children.begin(), std::make_move_iterator(buttons.begin()),
                         std::make_move_iterator(buttons.end()));
}

namespace {

// A system button of the maximised MDI child, shown at the bar's end.
TAccessibleNode SystemButtonAccessible(TspSkinMainMenuBar& bar, const TAccessibleNode& barNode,
                                       TspSkinMainMenuBarButton& button, TPoint origin,
                                       const TLivenessWatch& alive) {
    const char* name = "Window menu";
    if (button.Command == cmMinimize) name = "Minimize";
    if (button.Command == cmMaximize) name = "Restore";
    if (button.Command == cmClose) name = "Close";
    TAccessibleNode n;
    n.id = AccessibleChildId(barNode, std::string("button ") + name);
    n.role = AccessibleRole::PushButton;
    n.name = name;
    n.bounds = OffsetRect(button.ObjectRect, origin.X, origin.Y);
    if (!button.Enabled) n.states |= platform::kAccDisabled;
    if (!button.Visible || IsRectEmpty(button.ObjectRect)) n.states |= platform::kAccHidden;
    if (button.Down) n.states |= platform::kAccPressed;
    TspSkinMainMenuBarButton* target = &button;
    n.actions.push_back({"click", [&bar, alive, target] {
                             for (int j = 0; alive.Alive() && j < bar.ObjectCount(); ++j)
                                 if (bar.Objects(j) == target) return target->Click();
                         }});
    return n;
}

}  // namespace

void TspSkinMainMenuBar::GetAccessible(TAccessibleNode& node) {
    node.role = AccessibleRole::MenuBar;
    node.name.clear();
    node.states = ControlAccessibleStates(*this);
    node.bounds = AccessibleBounds(*this);
    const TPoint origin = WindowClientOrigin();
    const TLivenessWatch alive = LivenessWatch();
    for (int i = 0; i < ObjectCount(); ++i) {
        if (auto* button = dynamic_cast<TspSkinMainMenuBarButton*>(Objects(i))) {
            node.children.push_back(SystemButtonAccessible(*this, node, *button, origin, alive));
            continue;
        }
        auto* item = dynamic_cast<TspSkinMainMenuBarItem*>(Objects(i));
        if (!item || !item->MenuItem) continue;
        const std::string part =
            item->MenuItem->Name().empty() ? "item" + std::to_string(i) : item->MenuItem->Name();
        TAccessibleNode n = MainMenuItemAccessible(
            *item->MenuItem, AccessibleChildId(node, part), alive,
            OffsetRect(item->ObjectRect, origin.X, origin.Y), item->Enabled,
            item->Visible && !IsRectEmpty(item->ObjectRect), openObject_ == i, [this, alive, item] {
                for (int j = 0; alive.Alive() && j < ObjectCount(); ++j)
                    if (Objects(j) == item) item->Press();
            });
        if (KeyboardMode() && ActiveObject() == i) n.states |= platform::kAccFocused;
        node.children.push_back(std::move(n));
    }
}

void TspSkinMDITabsBar::GetAccessible(TAccessibleNode& node) {
    node.role = AccessibleRole::PageTabList;
    node.name.clear();
    node.states = ControlAccessibleStates(*this);
    node.bounds = AccessibleBounds(*this);
    const TPoint origin = WindowClientOrigin();
    const TLivenessWatch alive = LivenessWatch();
    // Showing a child as a click on its tab does; the child is looked up again when it runs.
    auto show = [this, alive](TCustomForm* child) {
        if (!alive.Alive() || !TabOf(child)) return;
        if (ISkinFormFrame* frame = SkinFormFrameOf(child); frame && frame->FrameMinimized())
            frame->RestoreFrame();
        child->Show();
    };
    for (int i = 0; i < TabCount(); ++i) {
        const TspMDITab* tab = Tabs(i);
        TAccessibleNode t;
        t.id = AccessibleChildId(
            node, tab->Child->Name().empty() ? "tab" + std::to_string(i) : tab->Child->Name());
        t.role = AccessibleRole::PageTab;
        t.name = tab->Child->Caption();
        t.states = platform::kAccSelectable;
        if (tab->Active) t.states |= platform::kAccSelected;
        t.bounds = OffsetRect(tab->ObjectRect, origin.X, origin.Y);
        TCustomForm* child = tab->Child;
        t.actions.push_back({"click", [show, child] { show(child); }});
        node.children.push_back(std::move(t));
    }
    node.selectChild = [this, alive, show](int index) {
        if (alive.Alive() && index >= 0 && index < TabCount()) show(Tabs(index)->Child);
    };
}
