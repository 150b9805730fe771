// TspFramePainter: painting the frame and the client background. The skinned frame is
// composed from the skin's main picture into four strips for the frame's size (kept between
// paints), the objects drawn into them, and drawn around the client area (with the skin's
// inactive effect while the window is not active); the default frame is a bevelled border
// with a striped caption. The client background is the skin's client piece or background
// picture tiled, or in client mode the whole skin image (or the roll-up picture) with the
// objects; the logo is centred on it.
//
// It owns its state; the form holds it and forwards its painting methods here. What it uses:
// - of the form: Form(), SkinData(), SkinSupport(), SupportNCArea(), MaximizedMDIChild(),
//   IsFormActive(), CaptionText(), DefCaptionFont()/DefInActiveCaptionFont(),
//   LogoBitMapTransparent, GetRollUpState(), InRollState(), ObjectCount()/Objects(),
//   ArrangeObjects();
// - of the rooms: Geometry() (the rectangles, the frame size, the default layout).
#pragma once

#include "base/Types.h"
#include "ui/Bitmap.h"

class TCanvas;
class TspActiveSkinObject;
class TspSkinForm;
struct TMessage;

class TspFramePainter {
public:
    explicit TspFramePainter(TspSkinForm& form) : form_(form) {}
    TspFramePainter(const TspFramePainter&) = delete;
    TspFramePainter& operator=(const TspFramePainter&) = delete;

    // The frame is painted by the component: non-client mode, a window with a border, not
    // a maximised MDI child (which shows in its parent's frame).
    [[nodiscard]] bool PaintsFrame() const;
    // Paints the frame now (a window that exists); while frame paints are held (a skin
    // change being applied) the next paint pass paints it once instead.
    void SendNcPaint();
    void HoldFramePaints(bool hold) { holdFramePaints_ = hold; }
    // Draws one object now on the window (non-client mode) or the form's canvas.
    void DrawObject(TspActiveSkinObject& object);

    // ---- The frame ----
    void PaintNCSkin(TCanvas& canvas);
    void PaintNCDefault(TCanvas& canvas);

    // ---- The client background ----
    void EraseSkinBackground(TCanvas& canvas);
    // Tiles a piece of a picture over a rectangle (the MDI client area's too).
    void TileClientBackground(TCanvas& canvas, const TRect& clientRect, const TBitmap& picture,
                              const TRect& piece);
    void DrawLogo(TCanvas& canvas, const TRect& clientRect);
    [[nodiscard]] const TBitmap& Logo() const { return logo_; }
    void SetLogo(const TBitmap& value) { logo_ = value; }

    // ---- Messages (the form's message table) ----
    void OnNcPaint(TMessage& m);
    void OnEraseBackground(TMessage& m);

private:
    void DrawStrip(TCanvas& canvas, TBitmap& strip, int x, int y, bool inactiveEffect);
    void PaintClientModeImage(TCanvas& canvas);

    TspSkinForm& form_;
    bool holdFramePaints_ = false;
    TBitmap logo_;
    // The four frame strips, kept between paints to spare allocations.
    TBitmap topStrip_, bottomStrip_, leftStrip_, rightStrip_;
};
