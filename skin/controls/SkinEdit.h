// A one-line text entry drawn from an "edit" section of the skin (its active picture while
// it has the focus): typed characters go at the end, Backspace takes the last one back, the
// caret stands after the text. Without a section it draws a plain sunken white field.
#pragma once

#include <cstddef>
#include <string>

#include "skin/controls/SkinCustomControl.h"

class TspSkinEdit : public TspSkinCustomControl {
public:
    // Longer texts are cut (at a character boundary) as they are set or typed.
    static constexpr size_t kMaxTextBytes = 4096;

    explicit TspSkinEdit(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinEdit"; }

    [[nodiscard]] const std::string& Text() const { return text_; }  // UTF-8
    void SetText(const std::string& text);

protected:
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(uint32_t& key) override;
    void PaintSkinImage(TBitmap& bitmap) override;
    void PaintDefaultImage(TBitmap& bitmap) override;

private:
    void DrawText(TCanvas& canvas, const TRect& area, TColor color);

    std::string text_;
};
