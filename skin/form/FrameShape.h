// TspFrameShape: the window's shape from the skin's mask, and hit testing. The mask is
// composed for the frame's size into four strips around its inner area, whose union is the
// window region; the strips also answer whether a point lies inside the shape. The hit
// test code each window point reports decides where the framework moves or sizes the
// window: the skinned frame's borders and corners (by the skin's hit-test points and the
// border width), the default frame's 2-pixel edges, and in client mode the edges of the
// shape.
//
// It owns its state; the form holds it and forwards its shape and hit-test methods here.
// What it uses:
// - of the form: Form(), SkinData(), SkinSupport(), SupportNCArea(), Sizeable,
//   MaximizedMDIChild(), WindowMaximized()/WindowMinimized(), GetRollUpState(),
//   ScreenToWindow();
// - of the rooms: Geometry() (the rectangles, the frame size, the default layout),
//   FrameObjects() (the active object, the caption objects, tracking the mouse),
//   Mover().SizeMoveActive().
#pragma once

#include <memory>

#include "base/Region.h"
#include "base/Types.h"
#include "ui/Bitmap.h"

class TspPreviousProc;
class TspSkinForm;
struct TMessage;

class TspFrameShape {
public:
    explicit TspFrameShape(TspSkinForm& form);
    ~TspFrameShape();
    TspFrameShape(const TspFrameShape&) = delete;
    TspFrameShape& operator=(const TspFrameShape&) = delete;

    // ---- The window region ----
    // The mask's shape for the frame's size (the whole mask without `stretch`); none without
    // a mask, or for a borderless window in non-client mode.
    void SetFrameRegion(bool stretch);
    void RemoveFrameRegion();
    // Client mode, rolled up: the roll-up mask, its middle tiled to the window's width when
    // the roll-up picture stretches; no shape without a roll-up mask.
    void SetRollUpRegion();
    [[nodiscard]] const TRegion* FrameShape() const { return frameRegion_.get(); }

    // ---- Hit testing (window points; client points in client mode) ----
    [[nodiscard]] int HitTestSkin(TPoint p) const;
    [[nodiscard]] int HitTestDefault(TPoint p);
    [[nodiscard]] int HitTestClient(TPoint p) const;

    // ---- Messages (the form's message table) ----
    // WM_NCHITTEST: the code, and the mouse tracking starts over a frame object (the
    // previous procedure answers for the default frame in client mode).
    void OnNcHitTest(TMessage& m, const TspPreviousProc& previous);

private:
    [[nodiscard]] bool InMaskShape(TPoint p) const;
    [[nodiscard]] bool NearEdge(TPoint p, int w, int h) const;
    [[nodiscard]] int EdgeCode(TPoint p, int w, int h) const;
    void ClearMasks();

    TspSkinForm& form_;
    std::unique_ptr<TRegion> frameRegion_;
    TBitmap topMask_, bottomMask_, leftMask_, rightMask_;
};
