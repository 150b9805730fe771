// A push button drawn from a "button" section of the skin: the normal, active (under the
// mouse or focused), down and disabled pictures of the section, its caption centred in the
// section's font and colour for the state. Without a section it draws a plain raised button.
// A left click, or Space while it has the focus, runs its click (OnClick).
#pragma once

#include "skin/controls/SkinCustomControl.h"

class TspSkinButton : public TspSkinCustomControl {
public:
    explicit TspSkinButton(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinButton"; }

    // The button a dialog's Enter runs: drawn with a frame in the default look.
    [[nodiscard]] bool Default() const { return default_; }
    void SetDefault(bool value);
    // The state it is drawn in (for tests and for the accessibility of the dialog).
    [[nodiscard]] bool MouseIn() const { return mouseIn_; }
    [[nodiscard]] bool Down() const { return down_; }

protected:
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void PaintSkinImage(TBitmap& bitmap) override;
    void PaintDefaultImage(TBitmap& bitmap) override;

private:
    void SetDown(bool down);
    [[nodiscard]] const TspDataSkinButtonControl* ButtonDef() const;

    bool default_ = false;
    bool mouseIn_ = false;
    bool down_ = false;
};
