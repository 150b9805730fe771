// Painting of the skinned frame from four composed strips, of the plain default frame, and
// of the client background (tiled skin piece or picture, the whole skin image in client
// mode, and the centred logo).
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

constexpr int kDefaultButtonSize = 17;
constexpr int kDefaultToolButtonSize = 13;

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

bool IsToolWindow(const TCustomForm& form) {
    return form.BorderStyle() == bsToolWindow || form.BorderStyle() == bsSizeToolWin;
}

}  // namespace

// ---------------------------------------------------------------- skinned frame

void TspSkinForm::DrawStrip(TCanvas& canvas, TBitmap& strip, int x, int y, bool inactiveEffect) {
    if (strip.Empty()) return;
    if (!inactiveEffect) {
        canvas.Draw(x, y, strip);
        return;
    }
    TspEffectBmp e(strip);
    ApplyInactiveEffect(e, skinData_->inactiveeffect);
    e.DrawTo(canvas, x, y);
}

void TspSkinForm::PaintNCSkin(TCanvas& canvas) {
    if (!PaintsFrame() || !FSkinSupport || IsNullRect(skinData_->clientrect)) return;
    if (!FrameSizeAtLeastMinimum()) return;
    CalcRects();
    ArrangeObjects();
    const TspSkinData& s = *skinData_;
    const int w = FrameW(), h = FrameH();
    const TSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.clientrect};
    const TSkinGeometry ng{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
    // Strips the composition leaves out (an empty band) must not show an older frame.
    for (TBitmap* strip : {&topStrip_, &bottomStrip_, &leftStrip_, &rightStrip_}) strip->SetSize(0, 0);
    ComposeBorderStrips(g, ng, w, h, Rect(0, 0, PW(), PH()), s.MainPicture,
                        TBorderStrips{&topStrip_, &bottomStrip_, &leftStrip_, &rightStrip_},
                        TEdgeStretch{s.leftstretch, s.topstretch, s.rightstretch, s.bottomstretch});

    // Objects in their places; the ones painted into the frame picture draw nothing in
    // their normal look.
    for (auto& o : ObjectList) {
        if (!o->Visible || !InRollState(*o)) continue;
        if (o->ObjectRect.Bottom <= NewClRect.Top) {
            if (!topStrip_.Empty()) o->Draw(topStrip_.Canvas(), false);
        } else if (!bottomStrip_.Empty()) {
            const TRect place = o->ObjectRect;
            o->ObjectRect = OffsetRect(place, 0, -NewClRect.Bottom);
            o->Draw(bottomStrip_.Canvas(), false);
            o->ObjectRect = place;
        }
    }

    TCanvasStateGuard guard(canvas);
    if (!IsNullRect(NewClRect)) canvas.ExcludeClipRect(NewClRect);
    const bool effect = !IsFormActive() && s.autorenderinginactiveimage;
    const int topH = topStrip_.Height();
    DrawStrip(canvas, topStrip_, 0, 0, effect);
    DrawStrip(canvas, leftStrip_, 0, topH, effect);
    DrawStrip(canvas, rightStrip_, w - rightStrip_.Width(), topH, effect);
    DrawStrip(canvas, bottomStrip_, 0, h - bottomStrip_.Height(), effect);
}

// ---------------------------------------------------------------- default frame

void TspSkinForm::DefaultLayout() {
    if (ObjectList.empty()) {
        CreateDefaultButtons();
        ApplyBorderIcons();
    }
    const int w = FForm->Width();
    const int capH = FForm->DefaultCaptionHeight();
    const int size = IsToolWindow(*FForm) ? kDefaultToolButtonSize : kDefaultButtonSize;
    // The caption band is capH high below the 3-pixel border.
    DefCaptionRect = Rect(kDefaultFrameBorder, kDefaultFrameBorder, w - kDefaultFrameBorder, kDefaultFrameBorder + capH);
    int x = w - kDefaultFrameBorder;
    for (TspButtonCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        for (auto& o : ObjectList) {
            if (o->Kind() != TspObjectKind::StdButton || !o->Visible) continue;
            if (static_cast<TspSkinStdButtonObject&>(*o).Command != command) continue;
            o->ObjectRect = Rect(x - size, 4, x, 4 + size);
            x -= size;
        }
    }
    DefCaptionRect.Right = x;
    for (auto& o : ObjectList) {
        if (o->Kind() != TspObjectKind::StdButton || !o->Visible) continue;
        if (static_cast<TspSkinStdButtonObject&>(*o).Command != cmSysMenu) continue;
        const TSize s = showIcon_ ? SmallIconSize() : TSize{size, size};
        o->ObjectRect = Rect(kDefaultFrameBorder, 4, kDefaultFrameBorder + s.cx, 4 + s.cy);
        DefCaptionRect.Left = kDefaultFrameBorder + s.cx;
    }
}

void TspSkinForm::PaintNCDefault(TCanvas& canvas) {
    if (!PaintsFrame()) return;
    DefaultLayout();
    const int w = FForm->Width(), h = FForm->Height();
    const int capH = FForm->DefaultCaptionHeight();
    const int bw = w - 2 * kDefaultFrameBorder;
    TBitmap caption(std::max(0, bw), capH);
    if (bw > 0) {
        TCanvas& c = caption.Canvas();
        c.FillSolid(Rect(0, 0, bw, capH), ColorToRGB(clBtnFace));
        if (capH - 4 > 1) {
            for (int i = 0; i < capH - 5; ++i) {
                c.Pen.Color = ColorToRGB(i % 2 == 0 ? clBtnHighlight : clBtnShadow);
                c.MoveTo(DefCaptionRect.Left - 1, 2 + i);
                c.LineTo(DefCaptionRect.Right - 6, 2 + i);
            }
        }
        c.Font = IsFormActive() ? defCaptionFont_ : defInActiveCaptionFont_;
        c.Font.Color = ColorToRGB(c.Font.Color);
        std::string text = CaptionText();
        if (!text.empty()) {
            const int available = RectWidth(DefCaptionRect);
            EllipsisText(c, text, available);
            const TSize ts = c.TextExtent(text);
            const int x = available / 2 + (DefCaptionRect.Left - kDefaultFrameBorder) - (ts.cx + 5) / 2;
            const int y = capH / 2 - ts.cy / 2;
            // The stripes stop around the text.
            c.FillSolid(Rect(x, 0, x + ts.cx + 5, capH), ColorToRGB(clBtnFace));
            c.Brush.Style = bsClear;
            c.TextOut(x + 3, y, text);
            c.Brush.Style = bsSolid;
        }
        for (auto& o : ObjectList) {
            if (!o->Visible) continue;
            const TRect place = o->ObjectRect;
            o->ObjectRect = OffsetRect(place, -kDefaultFrameBorder, -kDefaultFrameBorder);
            o->Draw(c, true);
            o->ObjectRect = place;
        }
    }
    TCanvasStateGuard guard(canvas);
    canvas.ExcludeClipRect(Rect(kDefaultFrameBorder, capH + kDefaultFrameBorder, w - kDefaultFrameBorder,
                                h - kDefaultFrameBorder));
    if (!caption.Empty()) canvas.Draw(kDefaultFrameBorder, kDefaultFrameBorder, caption);
    TRect r = Rect(0, 0, w, h);
    Frame3D(canvas, r, ColorToRGB(cl3DLight), ColorToRGB(cl3DDkShadow));
    Frame3D(canvas, r, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow));
    Frame3D(canvas, r, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace));
}

// ---------------------------------------------------------------- client background

void TspSkinForm::TileClientBackground(TCanvas& canvas, const TRect& client, const TBitmap& picture,
                                       const TRect& piece) {
    const int pw = RectWidth(piece), ph = RectHeight(piece);
    if (pw < 1 || ph < 1 || picture.Empty()) return;
    const int cols = RectWidth(client) / pw + 1, rows = RectHeight(client) / ph + 1;
    for (int i = 0; i < cols; ++i) {
        for (int j = 0; j < rows; ++j) {
            canvas.CopyRect(Bounds(client.Left + i * pw, client.Top + j * ph, pw, ph), picture, piece);
        }
    }
}

void TspSkinForm::DrawLogo(TCanvas& canvas, const TRect& client) {
    if (logoBitMap_.Empty()) return;
    logoBitMap_.Transparent = LogoBitMapTransparent;
    const int x = std::max(0, RectWidth(client) / 2 - logoBitMap_.Width() / 2);
    const int y = std::max(0, RectHeight(client) / 2 - logoBitMap_.Height() / 2);
    canvas.Draw(client.Left + x, client.Top + y, logoBitMap_);
}

void TspSkinForm::PaintClientModeImage(TCanvas& canvas) {
    const TRect client = FForm->ClientRect();
    if (!FSkinSupport) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = ColorToRGB(clBtnFace);
        canvas.Pen.Color = clBlack;
        canvas.Rectangle(client);
        return;
    }
    const TspSkinData& s = *skinData_;
    const int w = RectWidth(client), h = RectHeight(client);
    TBitmap image;
    if (!RollUpState || s.RollUpPicture.Empty()) {
        const bool composed = s.lefttoppoint.X != 0 || s.lefttoppoint.Y != 0 || s.rightbottompoint.X != 0 ||
                              s.rightbottompoint.Y != 0;
        if (composed) {
            const TRect r = Rect(0, 0, PW(), PH());
            const TSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.clientrect};
            ComposeSkinImageTiled(g, ResizedGeometry(g, r, w, h), image, s.MainPicture, r, w, h, cdDrawClient);
        } else {
            image = s.MainPicture;
        }
    } else if (s.rollupleftpoint.X < s.rolluprightpoint.X) {
        ComposeHorzImage(s.rollupleftpoint.X, s.RollUpPicture.Width() - s.rolluprightpoint.X, image, FForm->Width(),
                         Rect(0, 0, s.RollUpPicture.Width(), s.RollUpPicture.Height()), s.RollUpPicture);
    } else {
        image = s.RollUpPicture;
    }
    if (image.Empty()) return;
    // Hidden objects stay hidden; captions always draw their text (the picture holds
    // none), other objects only what the picture does not already show.
    for (auto& o : ObjectList) {
        if (o->Visible && InRollState(*o)) o->Draw(image.Canvas(), o->Kind() == TspObjectKind::Caption);
    }
    canvas.Draw(0, 0, image);
}

void TspSkinForm::EraseSkinBackground(TCanvas& canvas) {
    TCanvasStateGuard guard(canvas);
    if (!supportNCArea_) {
        PaintClientModeImage(canvas);
        return;
    }
    const TRect client = FForm->ClientRect();
    if (FSkinSupport && skinData_->bgpictureindex == -1 && !IsNullRect(skinData_->clientrect)) {
        TileClientBackground(canvas, client, skinData_->MainPicture, skinData_->clientrect);
    } else if (const TBitmap* picture = FSkinSupport && skinData_->bgpictureindex >= 0
                                            ? skinData_->ActivePicture(skinData_->bgpictureindex)
                                            : nullptr) {
        TileClientBackground(canvas, client, *picture, Rect(0, 0, picture->Width(), picture->Height()));
    } else {
        canvas.FillSolid(client, ColorToRGB(clBtnFace));
    }
    DrawLogo(canvas, client);
}
