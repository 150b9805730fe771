#include "skin/form/FrameAccessible.h"

#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinObjects.h"
#include "skin/form/WindowCommands.h"
#include "ui/Menus.h"

namespace {

const char* CommandName(TspButtonCommand command) {
    switch (command) {
        case cmClose:
            return "Close";
        case cmMinimize:
            return "Minimize";
        case cmMaximize:
            return "Maximize";
        case cmRollUp:
            return "Roll up";
        case cmMinimizeToTray:
            return "Minimize to tray";
        case cmSysMenu:
            return "Window menu";
        case cmDefault:
            break;
    }
    return nullptr;
}

// Runs the command of the first shown, enabled caption button with it, as a click would.
void ClickButton(TspSkinForm& frame, TspButtonCommand command) {
    for (int i = 0; i < frame.ObjectCount(); ++i) {
        TspActiveSkinObject* o = frame.Objects(i);
        if (o->Kind() != TspObjectKind::StdButton || !o->Visible || !o->Enabled ||
            !frame.InRollState(*o))
            continue;
        auto* button = static_cast<TspSkinStdButtonObject*>(o);
        if (button->Command != command) continue;
        if (command == cmSysMenu)
            OpenButtonWindowMenu(frame, *button);
        else
            RunFrameCommand(frame, command);
        return;
    }
}

// The frame's main-menu items, as a menu bar of their menus.
void AddMainMenuItems(TspSkinForm& frame, TAccessibleNode& node,
                      std::vector<TAccessibleNode>& out) {
    TCustomForm* form = frame.Form();
    TAccessibleNode bar;
    bar.id = AccessibleChildId(node, "frame:menubar");
    bar.role = TAccessibleRole::MenuBar;
    const TLivenessWatch alive = form->LivenessWatch();
    const TLivenessWatch frameAlive = frame.LivenessWatch();
    TspSkinForm* framePtr = &frame;
    for (int i = 0; i < frame.ObjectCount(); ++i) {
        TspActiveSkinObject* o = frame.Objects(i);
        if (o->Kind() != TspObjectKind::MainMenuItem) continue;
        auto* item = static_cast<TspSkinMainMenuItem*>(o);
        if (!item->MenuItem) continue;
        // Opens the menu as a press on the item does.
        TAccessibleNode n = MainMenuItemAccessible(
            *item->MenuItem, AccessibleChildId(bar, "item" + std::to_string(i)), alive,
            o->ObjectRect, o->Enabled, o->Visible && frame.InRollState(*o), item->Down,
            [framePtr, frameAlive, item] {
                if (!frameAlive.Alive()) return;
                for (int j = 0; j < framePtr->ObjectCount(); ++j)
                    if (framePtr->Objects(j) == item)
                        item->MouseDown(item->ObjectRect.Left, item->ObjectRect.Top, mbLeft);
            });
        bar.children.push_back(std::move(n));
    }
    if (!bar.children.empty()) out.push_back(std::move(bar));
}

}  // namespace

void AddFrameAccessibleParts(TspSkinForm& frame, TAccessibleNode& node) {
    TCustomForm* form = frame.Form();
    if (!form) return;
    std::vector<TAccessibleNode> buttons;
    for (int i = 0; i < frame.ObjectCount(); ++i) {
        const TspActiveSkinObject* o = frame.Objects(i);
        if (o->Kind() != TspObjectKind::StdButton) continue;
        const auto* button = static_cast<const TspSkinStdButtonObject*>(o);
        const char* name = CommandName(button->Command);
        if (!name) continue;
        TAccessibleNode b;
        b.id = AccessibleChildId(node, "frame:" + std::string(name));
        // A skin may give a command two buttons (the roll state's own set): one node each.
        for (const TAccessibleNode& other : buttons)
            if (other.id == b.id) b.id += "#" + std::to_string(i);
        b.role = TAccessibleRole::PushButton;
        b.name = name;
        b.description = o->Hint;
        b.bounds = o->ObjectRect;
        if (!o->Enabled) b.states |= platform::kAccDisabled;
        if (!o->Visible || !frame.InRollState(*o)) b.states |= platform::kAccHidden;
        if (button->Down) b.states |= platform::kAccPressed;
        if (button->Command == cmClose) b.accelerator = "Alt+F4";
        const TLivenessWatch frameAlive = frame.LivenessWatch();
        TspSkinForm* framePtr = &frame;
        const TspButtonCommand command = button->Command;
        b.actions.push_back({"click", [framePtr, frameAlive, command] {
                                 if (frameAlive.Alive()) ClickButton(*framePtr, command);
                             }});
        buttons.push_back(std::move(b));
    }
    AddMainMenuItems(frame, node, buttons);
    // The frame's buttons come first, as they come first on the screen.
    node.children.insert(node.children.begin(), std::make_move_iterator(buttons.begin()),
                         std::make_move_iterator(buttons.end()));
}
