// The base of the resizable skinned controls: the geometry of one skin element (picture,
// skin rectangle R, four corner points, client rectangle C, mask), the size rule that
// follows from it, translation of rectangles given in skin coordinates to the current
// size, composition of the control's image, the control's shape from the mask, and a
// default font and size for drawing without a skin.
//
// Resize modes (decided by the points): none -1 (no skin rectangle), fixed 0 (the control
// takes R's size), both 1 (any size), horizontal 2 (height fixed at R's), vertical 3 (width
// fixed at R's).
#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/data/SkinControlDefs.h"
#include "skin/draw/SkinCompose.h"
#include "ui/GraphicsObjects.h"

class TspSkinCustomControl : public TspSkinControl {
public:
    explicit TspSkinCustomControl(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinCustomControl"; }

    // ---- Published ----
    [[nodiscard]] int DefaultWidth() const { return defaultWidth_; }
    // Without a section a positive value becomes the width at once.
    void SetDefaultWidth(int value);
    [[nodiscard]] int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    [[nodiscard]] const TFont& DefaultFont() const { return defaultFont_; }
    [[nodiscard]] TFont& DefaultFont() { return defaultFont_; }
    void SetDefaultFont(const TFont& font);
    // Call after changing DefaultFont() in place: tells the control and repaints when no
    // section is in use.
    void DefaultFontEdited();
    [[nodiscard]] bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);

    // ---- Geometry ----
    [[nodiscard]] TResizeMode ResizeMode() const { return mode_; }
    // A rectangle given relative to R (a caption area, a button) moved or stretched to the
    // control's current size by the zones the corner points make.
    [[nodiscard]] TRect MapSkinRect(const TRect& rect) const;
    // The client rectangle for the current size (NC).
    [[nodiscard]] const TRect& NewClientRect() const { return newGeometry_.C; }

    void ReadSkinSection() override;
    // Reads the section, takes its cursor, sizes the control to the skin (or to the default
    // size without one) and rebuilds its shape.
    void ApplySkin() override;
    // Adjusts a requested size to the section's resize mode and sets the new geometry.
    virtual void FitSizeToSkin(int& width, int& height);
    // The shape from the mask for the current size, or none.
    virtual void UpdateShapeRegion();

    // A requested size is fitted to the skin first.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Fills the control with the button face.
    void PaintDefaultImage(TBitmap& bitmap) override;
    // Composes the control's image from the section's picture and R.
    void PaintSkinImage(TBitmap& bitmap) override;
    // The image of `rect` of the picture at the control's size by the resize mode: 1:1
    // (fixed), four-point (both), or along one direction.
    void ComposeControlImage(TBitmap& bitmap, const TBitmap& picture, const TRect& rect);
    // Hook for a change of the default font.
    virtual void DefaultFontChanged() {}
    // The section's font (name, height, style; DefaultFont's charset), with its colour.
    [[nodiscard]] TFont SectionFont(const TspSkinFontDef& def) const;
    // The font to draw captions with: the section's with UseSkinFont, else DefaultFont, in
    // the section's colour.
    [[nodiscard]] TFont CaptionFont(const TspSkinFontDef& def) const;

    // Copied from the custom-control section at every read.
    const TBitmap* picture_ = nullptr;
    const TBitmap* mask_ = nullptr;
    TRect skinRect_{};
    TSkinGeometry geometry_{};
    // The geometry for the current (or requested) size.
    TSkinGeometry newGeometry_{};
    TResizeMode mode_ = rmNone;

private:
    [[nodiscard]] TSkinGeometry NewGeometryFor(int width, int height) const;

    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    TFont defaultFont_;
    bool useSkinFont_ = true;
};
