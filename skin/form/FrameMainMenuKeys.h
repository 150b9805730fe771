// TspFrameMainMenuKeys: what the keyboard main-menu mode drives when the main menu is drawn
// in the frame (the form's MainMenu items, TspSkinMainMenuItem objects). Left and Right move
// the highlight among the enabled visible items with wrap-around (to the next item's menu
// when one is open), Enter and Down open the highlighted item, a letter or digit opens the
// item it is the accelerator of.
//
// The frame objects room owns it and registers it with the form while the frame shows
// main-menu items. What it uses of the form: ObjectCount(), Objects(), InRollState(),
// GetActiveObject(), DrawSkinObject(), and the items' Press().
#pragma once

#include <cstdint>
#include <vector>

#include "skin/controls/MainMenuKeys.h"

class TspSkinForm;
class TspSkinMainMenuItem;

class TspFrameMainMenuKeys final : public ISkinMainMenuKeys {
public:
    explicit TspFrameMainMenuKeys(TspSkinForm& form) : form_(form) {}
    TspFrameMainMenuKeys(const TspFrameMainMenuKeys&) = delete;
    TspFrameMainMenuKeys& operator=(const TspFrameMainMenuKeys&) = delete;

    // Highlights the item under the mouse, or else the first.
    bool EnterKeyboardMode() override;
    void LeaveKeyboardMode() override;
    bool KeyboardModeKey(uint16_t key, uint32_t ch) override;
    [[nodiscard]] bool HasAccelerator(uint32_t ch) const override;

    [[nodiscard]] TspSkinMainMenuItem* Highlighted() const { return highlighted_; }
    // The frame's objects are going: nothing is highlighted any more.
    void Forget();

private:
    [[nodiscard]] std::vector<TspSkinMainMenuItem*> UsableItems() const;
    [[nodiscard]] TspSkinMainMenuItem* AcceleratorItem(uint32_t ch) const;
    void Highlight(TspSkinMainMenuItem* item);

    TspSkinForm& form_;
    TspSkinMainMenuItem* highlighted_ = nullptr;
    bool on_ = false;
};
