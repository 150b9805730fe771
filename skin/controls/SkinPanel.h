// A container panel drawn from the skin's "panel" section: optionally a caption bar with a
// check box (CheckedMode), a glyph and a roll-up arrow (RollUpMode); clicking the caption
// bar toggles the check state or rolls the panel up to its caption.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "skin/controls/SkinCustomControl.h"
#include "ui/Label.h"  // TAlignment

class TspDataSkinPanelControl;

// The default look's border; bvNone also selects the client-only skin look. Scoped, since
// the framework's bevel cuts use some of the same names.
enum class TspSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TspSkinPanel : public TspSkinCustomControl {
public:
    explicit TspSkinPanel(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinPanel"; }

    // ---- Published ----
    [[nodiscard]] TspSkinBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TspSkinBorderStyle value);
    [[nodiscard]] bool CaptionMode() const { return captionMode_; }
    virtual void SetCaptionMode(bool value);
    [[nodiscard]] int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    virtual void SetDefaultCaptionHeight(int value);
    [[nodiscard]] TAlignment DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(TAlignment value);
    [[nodiscard]] bool CheckedMode() const { return checkedMode_; }
    void SetCheckedMode(bool value);
    [[nodiscard]] bool Checked() const { return checked_; }
    // Stores, repaints in checked mode, enables the children exactly when checked (with
    // AutoEnabledControls in checked mode) and fires OnChecked.
    void SetChecked(bool value);
    bool AutoEnabledControls = true;
    [[nodiscard]] bool RollUpMode() const { return rollUpMode_; }
    void SetRollUpMode(bool value);
    [[nodiscard]] bool RollUpState() const { return rollUpState_; }
    // Rolls the panel up to its caption (hiding its children) or back down; without
    // RollUpMode the panel stays unrolled.
    void SetRollUpState(bool value);
    // The height before rolling up; -1 while not rolled up.
    [[nodiscard]] int RealHeight() const { return realHeight_; }
    void SetRealHeight(int value) { realHeight_ = value; }
    [[nodiscard]] const TBitmap& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap& glyph);
    // Frames in the glyph strip, 1 to 4.
    [[nodiscard]] int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    [[nodiscard]] int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    TNotifyEvent OnChecked;

    // Children share the client area inside the border and below the caption bar, or the
    // skin's client area.
    void AdjustClientRect(TRect& rect) const override;
    void ApplySkin() override;
    void ReadSkinSection() override;
    // The caption area for the current size: the skin's (translated), or the default bar.
    [[nodiscard]] TRect CaptionArea() const;

    // Accessibility (SkinAccessible.cpp).
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void PaintSkinImage(TBitmap& bitmap) override;
    void PaintDefaultImage(TBitmap& bitmap) override;

private:
    [[nodiscard]] const TspDataSkinPanelControl* PanelDef() const;
    // Glyph, text and roll arrow inside `r`, the content starting at x.
    void DrawCaptionContent(TCanvas& canvas, const TRect& r, int x, int textY, TColor arrowColor);
    [[nodiscard]] int GlyphFrameWidth() const;
    [[nodiscard]] int RolledHeight() const;
    void RollUp();
    void Unroll();
    // Repaints (and re-aligns) only in the default look with the caption bar shown.
    void DefaultCaptionChanged(bool realign);

    TspSkinBorderStyle borderStyle_ = TspSkinBorderStyle::bvFrame;
    bool captionMode_ = false;
    int defaultCaptionHeight_ = 22;
    TAlignment defaultAlignment_ = taLeftJustify;
    bool checkedMode_ = false;
    bool checked_ = false;
    bool rollUpMode_ = false;
    bool rollUpState_ = false;
    int realHeight_ = -1;
    TBitmap glyph_;
    int numGlyphs_ = 1;
    int spacing_ = 2;
    // The section's background picture, read with the section (none: -1 or out of range).
    const TBitmap* bgPicture_ = nullptr;
    // Children hidden by rolling up, with tokens that tell whether each still exists.
    std::vector<std::pair<TControl*, TLivenessWatch>> rolledChildren_;
};
