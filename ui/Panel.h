// The framework's plain panel: a container with raised or lowered bevels and a centred
// caption.
#pragma once

#include "ui/Controls.h"
#include "ui/Label.h"  // TAlignment

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// Draws `width` nested one-pixel frames: top and left in `topColor`, bottom and right in
// `bottomColor`; `rect` shrinks by the frames drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TPanel"; }

    [[nodiscard]] TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    [[nodiscard]] TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    [[nodiscard]] int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // Space between the outer and the inner bevel, in the panel's colour.
    [[nodiscard]] int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    [[nodiscard]] TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    // Aligned children share the client area inside the bevels and the border.
    void AdjustClientRect(TRect& rect) const override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    void Changed();

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};
