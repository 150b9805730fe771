#include "skin/controls/SkinControl.h"

#include "skin/controls/ParentBackground.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "ui/Canvas.h"

TspSkinControl::TspSkinControl(TComponent* owner) : TCustomControl(owner) {}

TspSkinControl::~TspSkinControl() {
    if (skinData_) skinData_->RemoveFreeNotification(this);
}

void TspSkinControl::SetSkinData(TspSkinData* value) {
    if (skinData_ != value) {
        if (skinData_) skinData_->RemoveFreeNotification(this);
        skinData_ = value;
        if (skinData_) skinData_->FreeNotification(this);
    }
    if (skinData_ && !skinData_->SkinEmpty && !IsDesigning()) ApplySkin();
}

void TspSkinControl::SetDrawDefault(bool value) {
    drawDefault_ = value;
    Invalidate();
}

void TspSkinControl::SetAlphaBlend(bool value) {
    alphaBlend_ = value;
    Invalidate();
}

void TspSkinControl::SetAlphaBlendValue(uint8_t value) {
    alphaBlendValue_ = value;
    Invalidate();
}

void TspSkinControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == skinData_) {
        skinData_ = nullptr;
        skinIndex_ = -1;
        imageDirty_ = true;
        if (!IsDestroying()) Invalidate();
    }
}

void TspSkinControl::ReadSkinSection() {
    skinIndex_ =
        skinData_ && !skinData_->SkinEmpty ? skinData_->GetControlDefIndex(skinDataName_) : -1;
}

bool TspSkinControl::HasSection() const { return SectionDef() != nullptr; }

TspDataSkinControl* TspSkinControl::SectionDef() const {
    if (!skinData_ || skinData_->SkinEmpty || skinIndex_ < 0) return nullptr;
    if (skinIndex_ >= static_cast<int>(skinData_->ControlDefs.size())) return nullptr;
    return skinData_->ControlDefs[static_cast<size_t>(skinIndex_)].get();
}

void TspSkinControl::ApplySkinCursor() {
    if (!useSkinCursor_) return;
    if (!HasSection() || cursorIndex_ < 0)
        Cursor = crDefault;
    else
        Cursor = skinData_->StartCursorIndex + cursorIndex_;
}

void TspSkinControl::Invalidate() {
    imageDirty_ = true;
    TCustomControl::Invalidate();
}

void TspSkinControl::ApplySkin() {
    ReadSkinSection();
    ApplySkinCursor();
    Invalidate();
}

void TspSkinControl::PaintDefaultImage(TBitmap&) {}
void TspSkinControl::PaintSkinImage(TBitmap&) {}

void TspSkinControl::PaintWithoutSkin(TBitmap& bitmap) {
    if (drawDefault_)
        PaintDefaultImage(bitmap);
    else
        bitmap.Canvas().FillSolid(Rect(0, 0, bitmap.Width(), bitmap.Height()), clWhite);
}

void TspSkinControl::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    ReadSkinSection();
    const TspDataSkinControl* section = SectionDef();
    if (imageDirty_ || section != imageSection_ || imageSize_ != TSize{w, h}) {
        if (offscreen_.Width() != w || offscreen_.Height() != h) offscreen_.SetSize(w, h);
        if (section)
            PaintSkinImage(offscreen_);
        else
            PaintWithoutSkin(offscreen_);
        imageDirty_ = false;
        imageSection_ = section;
        imageSize_ = {w, h};
    }
    TCanvas& canvas = Canvas();
    if (!alphaBlend_) {
        canvas.Draw(0, 0, offscreen_);
        return;
    }
    if (background_.Width() != offscreen_.Width() || background_.Height() != offscreen_.Height())
        background_.SetSize(offscreen_.Width(), offscreen_.Height());
    PaintParentBackground(*this, background_.Canvas());
    TspEffectBmp image(offscreen_);
    const TspEffectBmp behind(background_);
    // Each channel becomes a * control + (1 - a) * background, a = AlphaBlendValue / 255.
    image.BlendWith(behind, 1.0 - alphaBlendValue_ / 255.0);
    image.DrawTo(canvas, 0, 0);
}

void TspSkinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND:
            // The offscreen copy covers the whole control: nothing is erased.
            message.Result = 1;
            return;
        case WM_MOVE:
            TCustomControl::WndProc(message);
            // What lies behind a blended control changed with its place.
            if (alphaBlend_) Invalidate();
            return;
        default:
            TCustomControl::WndProc(message);
    }
}
