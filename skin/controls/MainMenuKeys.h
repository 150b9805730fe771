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

#include <cstddef>
#include <cstdint>
#include <functional>

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

// What a key does to a row of `count` usable main-menu items in the keyboard mode, given
// the highlighted one's position and whether an item's menu is open. Left and Right move
// the highlight along the row, wrapping, and open the new item's menu when one was open;
// Enter and Down open the highlighted item's menu; with no menu open, a letter or digit
// opens the menu of the item `accelerator` names (its position, or -1 for none). A key-down
// comes without its character: a letter or digit key then stands for its own.
struct TspMainMenuKeyStep {
    enum class Kind { None, Highlight, Open };
    Kind kind = Kind::None;  // None: the key is not the main menu's
    size_t position = 0;     // the item to highlight (and to open)
};
[[nodiscard]] TspMainMenuKeyStep MainMenuKeyStep(uint16_t key, uint32_t ch, size_t count,
                                                 size_t current, bool menuOpen,
                                                 const std::function<int(uint32_t)>& accelerator);
