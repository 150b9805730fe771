// A line (or block) of text on its parent's surface.
#pragma once

#include <string>

#include "ui/Controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TLabel"; }

    // Not transparent: the label fills its rectangle with Color before the text.
    [[nodiscard]] bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    [[nodiscard]] TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    [[nodiscard]] TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    // With AutoSize the label takes the size of its text (keeping its right edge when
    // right-justified); with WordWrap as well it keeps its width and takes the height.
    [[nodiscard]] bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    [[nodiscard]] bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // '&' marks the accelerator (underlined) unless this is off.
    [[nodiscard]] bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

    // The text block's size for the current settings (what AutoSize applies).
    [[nodiscard]] TSize TextSize() const;
    // Applies AutoSize now (also done after loading and whenever text or font change).
    void AdjustBounds();

    void Loaded() override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    [[nodiscard]] uint32_t DrawTextFlags() const;
    void Changed();

    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};
