// Painting the frame and the client background (TspFramePainter, FramePainter.h).
#include "skin/form/FramePainter.h"

#include <algorithm>

#include "skin/controls/MorphImages.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/draw/TextUtils.h"
#include "skin/form/SkinForm.h"
#include "ui/Canvas.h"

namespace {

// One bevel ring around r (top and left in `top`, bottom and right in `bottom`), then r
// shrinks by one pixel.
void Frame3D(TCanvas& canvas, TRect& r, TColor top, TColor bottom) {
    const int l = r.Left, t = r.Top, rt = r.Right - 1, b = r.Bottom - 1;
    canvas.Pen.Color = top;
    canvas.Polyline({{l, b}, {l, t}, {rt, t}});
    canvas.Pen.Color = bottom;
    canvas.Polyline({{rt, t}, {rt, b}, {l - 1, b}});
    r = InflateRect(r, -1, -1);
}

// The default caption's stripes, text and buttons on its band (the window's width less the
// borders, capH high).
void DrawDefaultCaption(TspSkinForm& form, TCanvas& c, int bw, int capH) {
    const TRect caption = form.Geometry().DefaultCaptionRect();
    c.FillSolid(Rect(0, 0, bw, capH), ColorToRGB(clBtnFace));
    if (capH - 4 > 1) {
        for (int i = 0; i < capH - 5; ++i) {
            c.Pen.Color = ColorToRGB(i % 2 == 0 ? clBtnHighlight : clBtnShadow);
            c.MoveTo(caption.Left - 1, 2 + i);
            c.LineTo(caption.Right - 6, 2 + i);
        }
    }
    c.Font = form.IsFormActive() ? form.DefCaptionFont() : form.DefInActiveCaptionFont();
    c.Font.Color = ColorToRGB(c.Font.Color);
    std::string text = form.CaptionText();
    if (!text.empty()) {
        const int available = RectWidth(caption);
        EllipsisText(c, text, available);
        const TSize ts = c.TextExtent(text);
        const int x = available / 2 + (caption.Left - kDefaultFrameBorder) - (ts.cx + 5) / 2;
        const int y = capH / 2 - ts.cy / 2;
        // The stripes stop around the text.
        c.FillSolid(Rect(x, 0, x + ts.cx + 5, capH), ColorToRGB(clBtnFace));
        c.Brush.Style = bsClear;
        c.TextOut(x + 3, y, text);
        c.Brush.Style = bsSolid;
    }
    for (int i = 0; i < form.ObjectCount(); ++i) {
        TspActiveSkinObject& o = *form.Objects(i);
        if (!o.Visible) continue;
        const TRect place = o.ObjectRect;
        o.ObjectRect = OffsetRect(place, -kDefaultFrameBorder, -kDefaultFrameBorder);
        o.Draw(c, true);
        o.ObjectRect = place;
    }
}

}  // namespace

// ---------------------------------------------------------------- painting now

bool TspFramePainter::PaintsFrame() const {
    return form_.SupportNCArea() && form_.Form()->HasBorder() && !form_.MaximizedMDIChild();
}

void TspFramePainter::SendNcPaint() {
    TCustomForm& form = *form_.Form();
    // Only a window that exists is painted; a new one paints itself when shown.
    if (!form_.SupportNCArea() || !form.HandleAllocated()) return;
    // While a skin change is applied the frame is painted once, by the next paint pass,
    // so the window never shows a frame of half-made state.
    if (holdFramePaints_) {
        form.Invalidate();
        return;
    }
    form.Perform(WM_NCPAINT, 0, 0);
}

void TspFramePainter::DrawObject(TspActiveSkinObject& object) {
    TCustomForm& form = *form_.Form();
    if (!form_.InRollState(object) || !form.HandleAllocated()) return;
    if (form_.SupportNCArea() && (!form.HasBorder() || form_.MaximizedMDIChild())) return;
    TCanvas& canvas = form_.SupportNCArea() ? form.WindowCanvas() : form.Canvas();
    TCanvasStateGuard guard(canvas);
    object.Draw(canvas, true);
}

// ---------------------------------------------------------------- skinned frame

void TspFramePainter::DrawStrip(TCanvas& canvas, TBitmap& strip, int x, int y,
                                bool inactiveEffect) {
    if (strip.Empty()) return;
    if (!inactiveEffect) {
        canvas.Draw(x, y, strip);
        return;
    }
    TspEffectBmp e(strip);
    ApplyInactiveEffect(e, form_.SkinData()->inactiveeffect);
    e.DrawTo(canvas, x, y);
}

void TspFramePainter::PaintNCSkin(TCanvas& canvas) {
    if (!PaintsFrame() || !form_.SkinSupport() || IsNullRect(form_.SkinData()->clientrect)) return;
    TspFrameGeometry& geometry = form_.Geometry();
    if (!geometry.FrameSizeAtLeastMinimum()) return;
    geometry.CalcRects();
    form_.ArrangeObjects();
    const TspSkinData& s = *form_.SkinData();
    const TRect client = geometry.Rects().Client;
    const int w = geometry.FrameW(), h = geometry.FrameH();
    const TSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint,
                          s.clientrect};
    // Strips the composition leaves out (an empty band) must not show an older frame.
    for (TBitmap* strip : {&topStrip_, &bottomStrip_, &leftStrip_, &rightStrip_})
        strip->SetSize(0, 0);
    ComposeBorderStrips(g, geometry.Resized(client), w, h, Rect(0, 0, geometry.PW(), geometry.PH()),
                        s.MainPicture,
                        TBorderStrips{&topStrip_, &bottomStrip_, &leftStrip_, &rightStrip_},
                        TEdgeStretch{s.leftstretch, s.topstretch, s.rightstretch, s.bottomstretch});

    // Objects in their places; the ones painted into the frame picture draw nothing in
    // their normal look.
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        TspActiveSkinObject& o = *form_.Objects(i);
        if (!o.Visible || !form_.InRollState(o)) continue;
        if (o.ObjectRect.Bottom <= client.Top) {
            if (!topStrip_.Empty()) o.Draw(topStrip_.Canvas(), false);
        } else if (!bottomStrip_.Empty()) {
            const TRect place = o.ObjectRect;
            o.ObjectRect = OffsetRect(place, 0, -client.Bottom);
            o.Draw(bottomStrip_.Canvas(), false);
            o.ObjectRect = place;
        }
    }

    TCanvasStateGuard guard(canvas);
    if (!IsNullRect(client)) canvas.ExcludeClipRect(client);
    const bool effect = !form_.IsFormActive() && s.autorenderinginactiveimage;
    const int topH = topStrip_.Height();
    DrawStrip(canvas, topStrip_, 0, 0, effect);
    DrawStrip(canvas, leftStrip_, 0, topH, effect);
    DrawStrip(canvas, rightStrip_, w - rightStrip_.Width(), topH, effect);
    DrawStrip(canvas, bottomStrip_, 0, h - bottomStrip_.Height(), effect);
}

// ---------------------------------------------------------------- default frame

void TspFramePainter::PaintNCDefault(TCanvas& canvas) {
    if (!PaintsFrame()) return;
    form_.Geometry().DefaultLayout();
    const TCustomForm& form = *form_.Form();
    const int w = form.Width(), h = form.Height();
    const int capH = form.DefaultCaptionHeight();
    const int bw = w - 2 * kDefaultFrameBorder;
    TBitmap caption(std::max(0, bw), capH);
    if (bw > 0) DrawDefaultCaption(form_, caption.Canvas(), bw, capH);
    TCanvasStateGuard guard(canvas);
    canvas.ExcludeClipRect(Rect(kDefaultFrameBorder, capH + kDefaultFrameBorder,
                                w - kDefaultFrameBorder, h - kDefaultFrameBorder));
    if (!caption.Empty()) canvas.Draw(kDefaultFrameBorder, kDefaultFrameBorder, caption);
    TRect r = Rect(0, 0, w, h);
    Frame3D(canvas, r, ColorToRGB(cl3DLight), ColorToRGB(cl3DDkShadow));
    Frame3D(canvas, r, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow));
    Frame3D(canvas, r, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace));
}

// ---------------------------------------------------------------- client background

void TspFramePainter::TileClientBackground(TCanvas& canvas, const TRect& client,
                                           const TBitmap& picture, const TRect& piece) {
    const int pw = RectWidth(piece), ph = RectHeight(piece);
    if (pw < 1 || ph < 1 || picture.Empty()) return;
    const int cols = RectWidth(client) / pw + 1, rows = RectHeight(client) / ph + 1;
    for (int i = 0; i < cols; ++i) {
        for (int j = 0; j < rows; ++j) {
            canvas.CopyRect(Bounds(client.Left + i * pw, client.Top + j * ph, pw, ph), picture,
                            piece);
        }
    }
}

void TspFramePainter::DrawLogo(TCanvas& canvas, const TRect& client) {
    if (logo_.Empty()) return;
    logo_.Transparent = form_.LogoBitMapTransparent;
    const int x = std::max(0, RectWidth(client) / 2 - logo_.Width() / 2);
    const int y = std::max(0, RectHeight(client) / 2 - logo_.Height() / 2);
    canvas.Draw(client.Left + x, client.Top + y, logo_);
}

void TspFramePainter::PaintClientModeImage(TCanvas& canvas) {
    const TRect client = form_.Form()->ClientRect();
    if (!form_.SkinSupport()) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = ColorToRGB(clBtnFace);
        canvas.Pen.Color = clBlack;
        canvas.Rectangle(client);
        return;
    }
    const TspSkinData& s = *form_.SkinData();
    const int w = RectWidth(client), h = RectHeight(client);
    TBitmap image;
    if (!form_.GetRollUpState() || s.RollUpPicture.Empty()) {
        const bool composed = s.lefttoppoint.X != 0 || s.lefttoppoint.Y != 0 ||
                              s.rightbottompoint.X != 0 || s.rightbottompoint.Y != 0;
        if (composed) {
            const TRect r = Rect(0, 0, form_.Geometry().PW(), form_.Geometry().PH());
            const TSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint,
                                  s.rightbottompoint, s.clientrect};
            ComposeSkinImageTiled(g, ResizedGeometry(g, r, w, h), image, s.MainPicture, r, w, h,
                                  cdDrawClient);
        } else {
            image = s.MainPicture;
        }
    } else if (s.rollupleftpoint.X < s.rolluprightpoint.X) {
        ComposeHorzImage(s.rollupleftpoint.X, s.RollUpPicture.Width() - s.rolluprightpoint.X, image,
                         form_.Form()->Width(),
                         Rect(0, 0, s.RollUpPicture.Width(), s.RollUpPicture.Height()),
                         s.RollUpPicture);
    } else {
        image = s.RollUpPicture;
    }
    if (image.Empty()) return;
    // Hidden objects stay hidden; captions always draw their text (the picture holds
    // none), other objects only what the picture does not already show.
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        TspActiveSkinObject& o = *form_.Objects(i);
        if (o.Visible && form_.InRollState(o))
            o.Draw(image.Canvas(), o.Kind() == TspObjectKind::Caption);
    }
    canvas.Draw(0, 0, image);
}

void TspFramePainter::EraseSkinBackground(TCanvas& canvas) {
    TCanvasStateGuard guard(canvas);
    if (!form_.SupportNCArea()) {
        PaintClientModeImage(canvas);
        return;
    }
    const TRect client = form_.Form()->ClientRect();
    const TspSkinData* s = form_.SkinSupport() ? form_.SkinData() : nullptr;
    if (s && s->bgpictureindex == -1 && !IsNullRect(s->clientrect)) {
        TileClientBackground(canvas, client, s->MainPicture, s->clientrect);
    } else if (const TBitmap* picture =
                   s && s->bgpictureindex >= 0 ? s->ActivePicture(s->bgpictureindex) : nullptr) {
        TileClientBackground(canvas, client, *picture,
                             Rect(0, 0, picture->Width(), picture->Height()));
    } else {
        canvas.FillSolid(client, ColorToRGB(clBtnFace));
    }
    DrawLogo(canvas, client);
}

// ---------------------------------------------------------------- messages

void TspFramePainter::OnNcPaint(TMessage& m) {
    if (!PaintsFrame()) return;
    TCanvas* canvas = MessageCanvas(m);
    TCanvas& target = canvas ? *canvas : form_.Form()->WindowCanvas();
    if (form_.SkinSupport())
        PaintNCSkin(target);
    else
        PaintNCDefault(target);
}

void TspFramePainter::OnEraseBackground(TMessage& m) {
    if (TCanvas* canvas = MessageCanvas(m))
        EraseSkinBackground(*canvas);
    else
        EraseSkinBackground(form_.Form()->Canvas());
    m.Result = 1;
}
