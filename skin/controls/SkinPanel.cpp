#include "skin/controls/SkinPanel.h"

#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/draw/Blit.h"
#include "skin/draw/Glyphs.h"
#include "skin/draw/RectUtils.h"
#include "ui/Canvas.h"
#include "ui/Panel.h"  // Frame3D

TspSkinPanel::TspSkinPanel(TComponent* owner) : TspSkinCustomControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks |
                   csSetCaption | csOpaque;
    SetSkinDataName("panel");
    SetBounds(Left(), Top(), 150, 150);
    newGeometry_.C = {};
}

// ---- Section ----

const TspDataSkinPanelControl* TspSkinPanel::PanelDef() const {
    return dynamic_cast<const TspDataSkinPanelControl*>(SectionDef());
}

void TspSkinPanel::ReadSkinSection() {
    TspSkinCustomControl::ReadSkinSection();
    bgPicture_ = nullptr;
    if (const TspDataSkinPanelControl* def = PanelDef())
        bgPicture_ = SkinData()->ActivePicture(def->BGPictureIndex);
}

TRect TspSkinPanel::CaptionArea() const {
    if (const TspDataSkinPanelControl* def = PanelDef())
        return mode_ == rmFixed ? def->CaptionRect : MapSkinRect(def->CaptionRect);
    return Rect(1, 1, Width() - 1, defaultCaptionHeight_);
}

void TspSkinPanel::AdjustClientRect(TRect& rect) const {
    if (!HasSection() || IsDesigning()) {
        rect = ClientRect();
        if (borderStyle_ != TspSkinBorderStyle::bvNone) rect = InflateRect(rect, -1, -1);
        if (captionMode_) rect.Top += defaultCaptionHeight_;
    } else if (bgPicture_ == nullptr) {
        rect = NewClientRect();
    } else {
        rect = ClientRect();
    }
    rect.Right = std::max(rect.Right, rect.Left);
    rect.Bottom = std::max(rect.Bottom, rect.Top);
}

void TspSkinPanel::ApplySkin() {
    TspSkinCustomControl::ApplySkin();
    if (!rollUpState_) {
        Realign();
        return;
    }
    // Rolled up: the rolled height follows the new skin; the height to unroll to stays.
    if (realHeight_ != -1) SetHeight(RolledHeight());
}

// ---- Published ----

void TspSkinPanel::DefaultCaptionChanged(bool realign) {
    MarkImageDirty();
    if (HasSection() || !captionMode_) return;
    Invalidate();
    if (realign) Realign();
}

void TspSkinPanel::SetBorderStyle(TspSkinBorderStyle value) {
    borderStyle_ = value;
    MarkImageDirty();  // bvNone also selects the skin's client-only look
    if (HasSection()) return;
    Invalidate();
    Realign();
}

void TspSkinPanel::SetCaptionMode(bool value) {
    captionMode_ = value;
    Invalidate();
    Realign();
}

void TspSkinPanel::SetDefaultCaptionHeight(int value) {
    defaultCaptionHeight_ = value;
    DefaultCaptionChanged(true);
}

void TspSkinPanel::SetDefaultAlignment(TAlignment value) {
    defaultAlignment_ = value;
    DefaultCaptionChanged(false);
}

void TspSkinPanel::SetRollUpMode(bool value) {
    rollUpMode_ = value;
    DefaultCaptionChanged(false);
}

void TspSkinPanel::SetCheckedMode(bool value) {
    checkedMode_ = value;
    Invalidate();
}

void TspSkinPanel::SetGlyph(const TBitmap& glyph) {
    glyph_ = glyph;
    Invalidate();
}

void TspSkinPanel::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TspSkinPanel::SetSpacing(int value) {
    spacing_ = value;
    Invalidate();
}

void TspSkinPanel::SetChecked(bool value) {
    checked_ = value;
    MarkImageDirty();
    if (checkedMode_) Invalidate();
    if (AutoEnabledControls && checkedMode_) {
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(value);
    }
    if (OnChecked && !IsDesigning()) OnChecked(this);
}

// ---- Rolling ----

int TspSkinPanel::RolledHeight() const {
    if (!HasSection()) return defaultCaptionHeight_ + 1;
    // Only the skin's top and bottom bands remain.
    return Height() - NewClientRect().Height();
}

void TspSkinPanel::SetRollUpState(bool value) {
    if (!rollUpMode_) value = false;
    if (value == rollUpState_) return;
    rollUpState_ = value;
    if (value)
        RollUp();
    else
        Unroll();
}

void TspSkinPanel::RollUp() {
    if (realHeight_ != -1) return;
    ReadSkinSection();
    realHeight_ = Height();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Visible()) rolledChildren_.emplace_back(child, child->LivenessWatch());
    }
    for (auto& [child, alive] : rolledChildren_) child->Hide();
    SetHeight(RolledHeight());
}

void TspSkinPanel::Unroll() {
    if (realHeight_ == -1) return;
    SetHeight(realHeight_);
    realHeight_ = -1;
    auto children = std::move(rolledChildren_);
    rolledChildren_.clear();
    for (auto& [child, alive] : children) {
        // A child freed or moved elsewhere while rolled up is left alone.
        if (alive.Alive() && child->Parent() == this) child->Show();
    }
}

// ---- Input ----

void TspSkinPanel::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONUP && (rollUpMode_ || checkedMode_) && captionMode_) {
        ReadSkinSection();
        const TPoint p{GetXParam(message.LParam), GetYParam(message.LParam)};
        if (RectContainsPoint(CaptionArea(), p)) {
            if (checkedMode_) SetChecked(!checked_);
            if (rollUpMode_) SetRollUpState(!rollUpState_);
        }
    }
    TspSkinCustomControl::WndProc(message);
    if (message.Msg == WM_SIZE && !HasSection()) Invalidate();
}

// ---- Painting ----

void TspSkinPanel::Paint() {
    ReadSkinSection();
    if (!HasSection() || bgPicture_ == nullptr || bgPicture_->Empty()) {
        TspSkinCustomControl::Paint();
        return;
    }
    // A background picture replaces everything else: tiled whole from (0, 0), column by
    // column; the canvas clips the last ones.
    const int w = Width(), h = Height();
    if (w < 1 || h < 1) return;
    TCanvas& canvas = Canvas();
    const int pw = bgPicture_->Width(), ph = bgPicture_->Height();
    const TRect whole = Rect(0, 0, pw, ph);
    for (int i = 0; i <= w / pw; ++i)
        for (int j = 0; j <= h / ph; ++j)
            canvas.CopyRect(Bounds(i * pw, j * ph, pw, ph), *bgPicture_, whole);
}

int TspSkinPanel::GlyphFrameWidth() const {
    return glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_;
}

void TspSkinPanel::DrawCaptionContent(TCanvas& canvas, const TRect& r, int x, int textY,
                                      TColor arrowColor) {
    int glyphX = x;
    if (!glyph_.Empty()) x += GlyphFrameWidth() + spacing_;
    if (rollUpMode_)
        DrawArrow(canvas, Rect(r.Right, r.Top, r.Right + 10, r.Bottom), arrowColor,
                  rollUpState_ ? akDown : akUp);
    canvas.Brush.Style = bsClear;
    canvas.TextRect(r, x, textY, Caption());
    if (!glyph_.Empty()) {
        const int frame = !Enabled() && numGlyphs_ == 2 ? 2 : 1;
        DrawGlyphFrame(canvas, glyphX, r.Top + r.Height() / 2 - glyph_.Height() / 2, frame,
                       numGlyphs_, glyph_);
    }
}

void TspSkinPanel::PaintSkinImage(TBitmap& bitmap) {
    const TspDataSkinPanelControl* def = PanelDef();
    if (def == nullptr || picture_ == nullptr || mode_ == rmNone) {
        TspSkinCustomControl::PaintSkinImage(bitmap);
        return;
    }
    const int w = Width(), h = Height();
    const TRect& R = skinRect_;
    const TRect& C = geometry_.C;
    if (borderStyle_ == TspSkinBorderStyle::bvNone && mode_ == rmBoth && !captionMode_) {
        // The client piece alone, tiled over the whole panel.
        bitmap.SetSize(w, h);
        TileRect(bitmap, Rect(0, 0, w, h), *picture_,
                 Rect(R.Left + C.Left, R.Top + C.Top, R.Left + C.Right, R.Top + C.Bottom));
        return;
    }
    TspSkinCustomControl::PaintSkinImage(bitmap);
    const TRect caption = CaptionArea();
    if (Caption().empty() || IsNullRect(caption)) return;

    TCanvas& canvas = bitmap.Canvas();
    TCanvasStateGuard guard(canvas);
    TRect r = caption;
    if (rollUpMode_) r.Right -= 12;
    if (checkedMode_) {
        const TRect src = checked_ ? def->CheckImageRect : def->UnCheckImageRect;
        const int iw = src.Width(), ih = src.Height();
        if (iw > 0 && ih > 0) {
            // Transparent where the image has its bottom-left pixel's colour.
            const TColor key = picture_->GetPixel(src.Left, src.Bottom - 1);
            canvas.CopyRectTransparent(Bounds(r.Left, r.Top + r.Height() / 2 - ih / 2, iw, ih),
                                       *picture_, src, key);
        }
        r.Left += iw + 2;
    }
    canvas.Font = CaptionFont(def->FontDef);
    const TSize text = canvas.TextExtent(Caption());
    const int content = text.cx + (glyph_.Empty() ? 0 : GlyphFrameWidth() + spacing_);
    int x = r.Left;
    if (def->Alignment == taRightJustify) x = r.Right - content;
    if (def->Alignment == taCenter) x = r.Left + r.Width() / 2 - content / 2;
    DrawCaptionContent(canvas, r, x, r.Top + r.Height() / 2 - text.cy / 2, def->FontDef.Color);
}

void TspSkinPanel::PaintDefaultImage(TBitmap& bitmap) {
    TspSkinCustomControl::PaintDefaultImage(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    TCanvasStateGuard guard(canvas);
    const int w = Width();
    TRect border = Rect(0, 0, w, Height());
    switch (borderStyle_) {
        case TspSkinBorderStyle::bvFrame:
            Frame3D(canvas, border, clBtnShadow, clBtnShadow, 1);
            break;
        case TspSkinBorderStyle::bvRaised:
            Frame3D(canvas, border, clBtnHighlight, clBtnShadow, 1);
            break;
        case TspSkinBorderStyle::bvLowered:
            Frame3D(canvas, border, clBtnShadow, clBtnHighlight, 1);
            break;
        case TspSkinBorderStyle::bvNone:
            break;
    }
    if (!captionMode_) return;

    TRect r;
    if (borderStyle_ == TspSkinBorderStyle::bvFrame) {
        r = Rect(0, 0, w, defaultCaptionHeight_);
        Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
        Frame3D(canvas, r, clBtnHighlight, clBtnFace, 1);
    } else {
        r = Rect(1, 1, w - 1, defaultCaptionHeight_);
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    }
    if (checkedMode_) r.Left += 20;
    if (rollUpMode_) r.Right -= 10;

    canvas.Font = DefaultFont();
    const TSize text = canvas.TextExtent(Caption());
    const int content = text.cx + (glyph_.Empty() ? 0 : GlyphFrameWidth() + spacing_);
    int x = r.Left + 2;
    if (defaultAlignment_ == taRightJustify) x = r.Right - content;
    if (defaultAlignment_ == taCenter) x = r.Left + 2 + r.Width() / 2 - content / 2;
    if (checkedMode_) {
        const TRect box = Bounds(5, r.Top + r.Height() / 2 - 7, 14, 14);
        TRect frame = box;
        Frame3D(canvas, frame, clBtnShadow, clBtnShadow, 1);
        if (checked_) DrawCheck(canvas, box.Left + 4, box.Top + 3, clBtnText);
    }
    DrawCaptionContent(canvas, r, x, r.Top + r.Height() / 2 - text.cy / 2, clBtnText);
}
