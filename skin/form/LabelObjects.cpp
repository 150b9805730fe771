// The frame's text objects (the label in a font and the label in a bitmap font), the
// switch, and the area the application paints.
#include <algorithm>

#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

// ---------------------------------------------------------------- user object

TspUserObject::TspUserObject(TspSkinForm* parent, const TspDataUserObject* def)
    : TspActiveSkinObject(parent, def) {}

void TspUserObject::Draw(TCanvas& canvas, bool) {
    if (Parent->OnPaintEvent) Parent->OnPaintEvent(IDName, canvas, ObjectRect);
}

// ---------------------------------------------------------------- switch

TspSkinSwitchObject::TspSkinSwitchObject(TspSkinForm* parent, const TspDataSkinSwitch* def)
    : TspActiveSkinObject(parent, def) {}

void TspSkinSwitchObject::SetState(TSwitchState state) {
    State = state;
    Active = State == swsOn;
    ReDraw();
    if (Parent->OnSwitchChangeStateEvent) Parent->OnSwitchChangeStateEvent(IDName, State);
}

void TspSkinSwitchObject::MouseDown(int x, int y, TMouseButton button) {
    if (button == mbLeft) SetState(State == swsOn ? swsOff : swsOn);
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinSwitchObject::MouseEnter() {
    MouseIn = true;
    if (Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TspSkinSwitchObject::MouseLeave() {
    MouseIn = false;
    if (Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------- label

TspSkinLabelObject::TspSkinLabelObject(TspSkinForm* parent, const TspDataSkinLabel* def)
    : TspActiveSkinObject(parent, def) {
    Text = def->TextValue;
    FontName = def->FontName;
    FontStyle = def->FontStyle;
    FontHeight = def->FontHeight;
    FontColor = def->FontColor;
    ActiveFontColor = def->ActiveFontColor;
    Alignment = def->Alignment;
}

bool TspSkinLabelObject::HoverChangesLook() const {
    return !IsNullRect(ActiveSkinRect) || FontColor != ActiveFontColor;
}

void TspSkinLabelObject::Draw(TCanvas& canvas, bool upDate) {
    TspActiveSkinObject::Draw(canvas, upDate);
    if (Text.empty() || IsNullRect(ObjectRect)) return;
    TCanvasStateGuard guard(canvas);
    canvas.IntersectClipRect(ObjectRect);
    canvas.Font.Name = FontName;
    canvas.Font.Style = FontStyle;
    canvas.Font.Height = FontHeight;
    canvas.Font.Color = Active ? ActiveFontColor : FontColor;
    canvas.Brush.Style = bsClear;
    const TSize s = canvas.TextExtent(Text);
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    int x = ObjectRect.Left;
    if (Alignment == taRightJustify)
        x = ObjectRect.Right - s.cx;
    else if (Alignment == taCenter)
        x = ObjectRect.Left + w / 2 - s.cx / 2;
    canvas.TextOut(x, ObjectRect.Top + h / 2 - s.cy / 2, Text);
}

void TspSkinLabelObject::SetText(const std::string& text) {
    Text = text;
    Parent->DrawSkinObject(*this);
}

void TspSkinLabelObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    if (HoverChangesLook()) ReDraw();
    if (Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TspSkinLabelObject::MouseLeave() {
    MouseIn = false;
    Active = false;
    if (HoverChangesLook()) ReDraw();
    if (Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------- bit label

TspSkinBitLabelObject::TspSkinBitLabelObject(TspSkinForm* parent, const TspDataSkinBitLabel* def)
    : TspActiveSkinObject(parent, def) {
    Text = def->TextValue;
    SymbolWidth = def->SymbolWidth;
    SymbolHeight = def->SymbolHeight;
    Symbols.Assign(def->Symbols);
}

bool TspSkinBitLabelObject::GlyphCell(char c, int& column, int& row) const {
    for (int r = 0; r < Symbols.Count(); ++r) {
        const size_t at = Symbols.Strings(r).find(c);
        if (at == std::string::npos) continue;
        column = static_cast<int>(at);
        row = r;
        return true;
    }
    return false;
}

void TspSkinBitLabelObject::Draw(TCanvas& canvas, bool upDate) {
    // The frame picture already holds the background unless it comes from another picture.
    if (upDate || SkinRectInAPicture) CopyToObject(canvas, NormalPicture(), SkinRect);
    const int w = SymbolWidth, h = SymbolHeight;
    if (!ActivePicture || w < 1 || h < 1) return;
    const TRect pictureBounds = Rect(0, 0, ActivePicture->Width(), ActivePicture->Height());
    TCanvasStateGuard guard(canvas);
    canvas.IntersectClipRect(ObjectRect);
    for (size_t i = 0; i < Text.size(); ++i) {
        const int64_t x = ObjectRect.Left + static_cast<int64_t>(i) * w;
        if (x >= ObjectRect.Right) break;
        int column = 0, row = 0;
        if (!GlyphCell(Text[i], column, row)) continue;  // a gap
        const int64_t sx = int64_t{ActiveSkinRect.Left} + int64_t{column} * w;
        const int64_t sy = int64_t{ActiveSkinRect.Top} + int64_t{row} * h;
        if (sx < 0 || sy < 0 || sx + w > pictureBounds.Right || sy + h > pictureBounds.Bottom)
            continue;
        const int cut = static_cast<int>(std::min<int64_t>(w, ObjectRect.Right - x));
        const auto dx = static_cast<int>(x), srcX = static_cast<int>(sx),
                   srcY = static_cast<int>(sy);
        canvas.CopyRect(Rect(dx, ObjectRect.Top, dx + cut, ObjectRect.Top + h), *ActivePicture,
                        Rect(srcX, srcY, srcX + cut, srcY + h));
    }
}

void TspSkinBitLabelObject::SetText(const std::string& text) {
    Text = text;
    Parent->DrawSkinObject(*this);
}
