// What the skinned form's keyboard main-menu mode drives: a main menu shown on the frame or
// in a menu-bar control. A lone Alt (WM_SYSCOMMAND SC_KEYMENU) asks it to take the keyboard;
// while the mode is on, every key the program receives (and, with a menu of it open, every
// key that menu receives) is offered to it first. It moves its highlight with Left and Right,
// opens an item's menu on Enter or its accelerator (through the form's popup-menu engine,
// TspSkinForm::PopupMenuEngine), and answers false for keys it leaves to the open menu or to
// the form (Esc with no menu open leaves the mode). Left and Right reach it only when the open
// menu has no use for them (the form asks the menu first). Alt with an item's accelerator
// enters the mode and opens that item.
#pragma once

#include <cstdint>

class ISkinMainMenuKeys {
public:
    virtual ~ISkinMainMenuKeys() = default;
    // Highlights the highlighted item (or else the first); false when there is none, and
    // the mode does not start.
    virtual bool EnterKeyboardMode() = 0;
    // The mode ended: the highlight goes.
    virtual void LeaveKeyboardMode() = 0;
    // A key while the mode is on; true when the main menu used it.
    virtual bool KeyboardModeKey(uint16_t key, uint32_t ch) = 0;
    // Whether an enabled visible item has `ch` (lower case) as its accelerator.
    [[nodiscard]] virtual bool HasAccelerator(uint32_t ch) const = 0;
};
