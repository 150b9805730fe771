// TspFrameGeometry: the frame's geometry for the current window size. The skin's points and
// rectangles moved with the right and bottom edges (the client rectangle, the caption and
// caption-button row, the mask area, the main-menu area, the hit-test corners), the corner
// rule that places an object's rectangle, the non-client size, the smallest and largest
// frame, the default frame's layout, and in client mode the children placed in the skin's
// areas.
//
// It owns its state; the form holds it and forwards its geometry methods here. What it uses:
// - of the form: Form(), SkinData(), SkinSupport(), SupportNCArea(), ShowIcon(), MinWidth,
//   MinHeight, MaximizeOnFullScreen, WindowMinimized(), GetRollUpState(),
//   MaximizedMDIChild(), UpdateFrame(), ObjectCount()/Objects() (the default frame's
//   buttons are placed here);
// - of the rooms: FrameObjects().EnsureDefaultButtons(), Painter().SendNcPaint(),
//   Mover().LiveSizing(); and for WM_SIZE the form's LogoBitMap(), AlphaBlend(), Layered()
//   and AlphaBlendValue().
#pragma once

#include <vector>

#include "base/Liveness.h"
#include "base/Types.h"
#include "skin/draw/SkinCompose.h"

class TBitmap;
class TControl;
class TspSkinData;
class TspPreviousProc;
class TspSkinForm;
struct TMessage;

// Whether a skin's frame geometry can be used: a main picture and every [FORMINFO]
// rectangle and point within the platform's 16-bit coordinates. A skin that fails gets
// the default frame.
[[nodiscard]] bool SkinFrameUsable(const TspSkinData& skin);
[[nodiscard]] bool SkinRectUsable(const TRect& r);
// In range and, when not empty and a picture is given, inside the picture.
[[nodiscard]] bool SkinRectInPicture(const TRect& r, const TBitmap* picture);

// The skin's [FORMINFO] points and rectangles for the current frame size.
struct TspFrameRects {
    TPoint LT{}, RT{}, LB{}, RB{};  // the picture's stretch points
    TRect Client{};
    TRect Caption{}, Buttons{};  // the caption and the caption-button row
    int ButtonsOffset = 0;       // the gap between caption buttons
    bool ButtonsInLeft = false;
    TRect MaskArea{};  // the mask's inner area, inside the shape as a whole
    TPoint HitLT{}, HitRT{}, HitLB{}, HitRB{};  // the sizing corners
    TRect MainMenu{};
};

class TspFrameGeometry {
public:
    explicit TspFrameGeometry(TspSkinForm& form) : form_(form) {}
    TspFrameGeometry(const TspFrameGeometry&) = delete;
    TspFrameGeometry& operator=(const TspFrameGeometry&) = delete;

    // ---- Sizes ----
    // The frame's size: the one last taken (WM_SIZE, WM_SIZING), else the window's.
    [[nodiscard]] int FrameW() const;
    [[nodiscard]] int FrameH() const;
    void TakeFormSize();
    void SetFrameSize(int w, int h);
    // The skin's main picture.
    [[nodiscard]] int PW() const;
    [[nodiscard]] int PH() const;
    // The picture's stretch points leave a part to repeat in both directions.
    [[nodiscard]] bool SkinStretchable() const;
    [[nodiscard]] bool FrameSizeAtLeastMinimum() const;
    [[nodiscard]] int MinWidth() const;
    [[nodiscard]] int MinHeight() const;
    [[nodiscard]] int MaxWidth() const;
    [[nodiscard]] int MaxHeight() const;

    // ---- The skinned frame's rectangles ----
    void CalcRects();
    [[nodiscard]] const TspFrameRects& Rects() const { return rects_; }
    // The composition geometry of the frame at its size, around `inner`.
    [[nodiscard]] TSkinGeometry Resized(const TRect& inner) const {
        return {rects_.LT, rects_.RT, rects_.LB, rects_.RB, inner};
    }
    // A skin rectangle placed by the corner rule.
    [[nodiscard]] TRect CalcObjectRect(const TRect& r) const;
    // WM_NCCALCSIZE: the client rectangle in the proposed window rectangle.
    void NcCalcSize(TRect& proposed);
    // Makes the framework ask WM_NCCALCSIZE again (the width changed and back).
    void NudgeWidth();
    // The frame is recalculated for the window about to show (in client mode the placed
    // children are placed).
    void FrameForShow();
    // A new skin in non-client mode: the window takes at least the frame's smallest size.
    void FitWindowToSkin();
    // A new skin in client mode (not rolled up): the client area takes the picture's size.
    void FitClientToSkin();
    // Client mode, not rolled up: the frame follows the size when the skin stretches or the
    // client area has the picture's size.
    void FollowClientModeSize();

    // ---- The default frame ----
    // Places the default frame's buttons and caption for the window's width.
    void DefaultLayout();
    [[nodiscard]] TRect DefaultCaptionRect() const { return defCaptionRect_; }

    // ---- Client mode: children placed in the skin's areas ----
    void PlaceChildControls();
    // Direct skinned children naming one of the skin's areas are placed from now on.
    void CollectChildControls();
    void ForgetChildControls() { childControlSlots_.clear(); }

    // ---- Messages (the form's message table) ----
    void OnSize(TMessage& m, const TspPreviousProc& previous);
    void OnSizing(TMessage& m, const TspPreviousProc& previous);
    void OnNcCalcSize(TMessage& m);
    void OnGetMinMaxInfo(TMessage& m);

private:
    void FollowSize();

    TspSkinForm& form_;
    int frameWidth_ = 0, frameHeight_ = 0;
    TspFrameRects rects_;
    TRect defCaptionRect_{};
    // A skin-positioned child with its liveness: one freed after the skin load is skipped.
    struct ChildControlSlot {
        TControl* control;
        TLivenessWatch alive;
        TRect skinRect;
    };
    std::vector<ChildControlSlot> childControlSlots_;
    TLiveness liveness_;  // a child's resize handler may free the form
};
