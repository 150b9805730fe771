#include "skin/popup/SkinHintWindow.h"

#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/MaskRegion.h"
#include "skin/popup/SkinHint.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Screen.h"
#include "ui/ScreenCapture.h"
#include "ui/WindowOpacity.h"

namespace {

TSize TextBlock(const TFont& font, const std::string& text) {
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font = font;
    TRect r = Rect(0, 0, 0, 0);
    c.DrawText(text, r, DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    return {r.Width(), r.Height()};
}

TSkinGeometry HintGeometry(const TspDataSkinHintWindow& d) {
    return {d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ClientRect};
}

}  // namespace

TspSkinHintWindow::TspSkinHintWindow(TComponent* owner) : THintWindow(owner) {}

void TspSkinHintWindow::SetSources(TspSkinHint* hint, TspSkinData* skinData) {
    if (hint_ != hint) {
        if (hint_) RemoveFreeNotification(hint_);
        hint_ = hint;
        if (hint_) FreeNotification(hint_);
    }
    if (skinData_ != skinData) {
        if (skinData_) RemoveFreeNotification(skinData_);
        skinData_ = skinData;
        if (skinData_) FreeNotification(skinData_);
    }
}

void TspSkinHintWindow::Notification(TComponent* component, TOperation operation) {
    THintWindow::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == skinData_) {
        skinData_ = nullptr;
        Invalidate();  // the plain look from now on
    }
    if (component == hint_) {
        hint_ = nullptr;
        if (PopupWindowShown()) ReleaseHandle();
    }
}

TspSkinHint* TspSkinHintWindow::ServingHint() {
    const TComponent* form = Application().MainForm();
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* hint = dynamic_cast<TspSkinHint*>(form->Components(i));
        if (hint && hint->Active()) return hint;
    }
    return nullptr;
}

bool TspSkinHintWindow::SkinUsable() const {
    return skinData_ && skinContent_.Alive() && !skinData_->SkinEmpty &&
           skinData_->HintWindowDef.WindowPictureIndex != -1 &&
           skinData_->ActivePicture(skinData_->HintWindowDef.WindowPictureIndex);
}

void TspSkinHintWindow::ApplyFont() {
    TFont font = hint_->DefaultFont;
    if (SkinUsable() && hint_->UseSkinFont) {
        const TspDataSkinHintWindow& d = skinData_->HintWindowDef;
        font.Height = d.FontHeight;
        font.Name = d.FontName;
        font.Style = d.FontStyle;
        font.Color = d.FontColor;
    }
    SetFont(font);
}

void TspSkinHintWindow::ActivateHint(const TRect& screenRect, const std::string& text) {
    TspSkinHint* hint = ServingHint();
    SetSources(hint, hint ? hint->SkinData() : nullptr);
    if (!hint_) return;
    skinContent_ = skinData_ ? skinData_->ContentWatch() : TLivenessWatch();
    ApplyFont();
    SetCaption(text);
    const TSize block = TextBlock(Font(), text);
    int w = block.cx;
    int h = block.cy;
    const bool skin = SkinUsable();
    if (skin) {
        const TspDataSkinHintWindow& d = skinData_->HintWindowDef;
        const TBitmap& pic = *skinData_->ActivePicture(d.WindowPictureIndex);
        const int pw = pic.Width();
        const int ph = pic.Height();
        const TRect& C = d.ClientRect;
        w = std::max(w + C.Left + pw - C.Right, pw);
        h = std::max(h + C.Top + ph - C.Bottom, ph);
        const int dw = w - pw;
        const int dh = h - ph;
        newGeometry_.C = Rect(C.Left, C.Top, C.Right + dw, C.Bottom + dh);
        newGeometry_.LT = d.LTPoint;
        newGeometry_.RT = {d.RTPoint.X + dw, d.RTPoint.Y};
        newGeometry_.LB = {d.LBPoint.X, d.LBPoint.Y + dh};
        newGeometry_.RB = {d.RBPoint.X + dw, d.RBPoint.Y + dh};
    } else {
        w += 4;
        h += 4;
    }
    TRect r = Bounds(screenRect.Left, screenRect.Top, w, h);
    if (r.Right > Screen().Width()) r = OffsetRect(r, -(w + 2), 0);
    if (r.Bottom > Screen().Height()) r = OffsetRect(r, 0, -(h + 2));
    SetBounds(r.Left, r.Top, w, h);

    if (hint_->AlphaBlendSupport()) {
        if (hint_->AlphaBlend != alphaState_) {
            alphaState_ = hint_->AlphaBlend;
            if (alphaState_) {
                SetWindowAlpha(*this, hint_->AlphaBlendValue);
                alphaValue_ = hint_->AlphaBlendValue;
            } else {
                SetWindowAlpha(*this, 255);  // no longer translucent
            }
        }
        if (hint_->AlphaBlend && hint_->AlphaBlendValue != alphaValue_) {
            SetWindowAlpha(*this, hint_->AlphaBlendValue);
            alphaValue_ = hint_->AlphaBlendValue;
        }
    }
    background_.reset();
    if (hint_->AlphaBlend && !hint_->AlphaBlendSupport()) {
        // What lies below, without this window's last hint in it.
        if (PopupWindowShown()) HidePopupWindow();
        background_.emplace(w, h);
        CopyScreenArea(r.Left, r.Top, *background_);
    }

    const TBitmap* mask =
        skin ? skinData_->ActivePicture(skinData_->HintWindowDef.MaskPictureIndex) : nullptr;
    if (mask) {
        const std::optional<TRegion> region =
            ComposeMaskRegion(HintGeometry(skinData_->HintWindowDef), newGeometry_, w, h, *mask);
        SetWindowRegion(region ? &*region : nullptr);
    } else if (WindowRegion()) {
        SetWindowRegion(nullptr);
    }
    ShowPopupWindow();
}

void TspSkinHintWindow::ReleaseHandle() { HidePopupWindow(); }

void TspSkinHintWindow::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    if (m.Msg == WM_NCPAINT) return;
    THintWindow::WndProc(m);
}

void TspSkinHintWindow::Paint() {
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0 || !hint_) return;
    TBitmap image(w, h);
    TCanvas& c = image.Canvas();
    if (SkinUsable()) {
        const TspDataSkinHintWindow& d = skinData_->HintWindowDef;
        const TBitmap& pic = *skinData_->ActivePicture(d.WindowPictureIndex);
        ComposeSkinImage(HintGeometry(d), newGeometry_, image, pic,
                         Rect(0, 0, pic.Width(), pic.Height()), w, h, cdDrawClient,
                         {d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch});
        c.Brush.Style = bsClear;
        c.Font = Font();
        c.Font.Color = d.FontColor;
        const TSize block = TextBlock(c.Font, Caption());
        const TRect& nc = newGeometry_.C;
        const int x = nc.Left + nc.Width() / 2 - block.cx / 2;
        const int y = nc.Top + nc.Height() / 2 - block.cy / 2;
        TRect text = Rect(x, y, x + block.cx, y + block.cy);
        c.DrawText(Caption(), text, DT_LEFT | DT_NOPREFIX);
    } else {
        c.FillSolid(Rect(0, 0, w, h), ColorToRGB(clInfoBk));
        c.Brush.Style = bsSolid;
        c.Brush.Color = ColorToRGB(clBtnShadow);
        c.FrameRect(Rect(0, 0, w, h));
        c.Brush.Style = bsClear;
        c.Font = hint_->DefaultFont;
        c.Font.Color = clInfoText;
        TRect text = Rect(2, 2, w - 2, h - 2);
        c.DrawText(Caption(), text, DT_LEFT | DT_NOPREFIX);
    }
    if (background_ && background_->Width() == w && background_->Height() == h) {
        TspEffectBmp e(image);
        e.BlendWith(TspEffectBmp(*background_), 1.0 - hint_->AlphaBlendValue / 255.0);
        e.CopyTo(image);
    }
    Canvas().Draw(0, 0, image);
}
