#include "ui/Panel.h"

#include <algorithm>

#include "ui/Canvas.h"

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    for (int i = 0; i < width && !IsRectEmpty(rect); ++i) {
        const TRect& r = rect;
        // The bottom-right colour wins the top-right and bottom-left corners, as the
        // platform's bevels draw them.
        canvas.FillSolid(Rect(r.Left, r.Top, r.Right, r.Top + 1), topColor);
        canvas.FillSolid(Rect(r.Left, r.Top, r.Left + 1, r.Bottom), topColor);
        canvas.FillSolid(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomColor);
        canvas.FillSolid(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomColor);
        rect = InflateRect(rect, -1, -1);
    }
}

namespace {

int BevelSize(TBevelCut cut, int width) { return cut == bvNone ? 0 : width; }

void DrawBevel(TCanvas& canvas, TRect& rect, TBevelCut cut, int width, TColor face) {
    switch (cut) {
        case bvNone:
            break;
        case bvLowered:
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
            break;
        case bvRaised:
            Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
            break;
        case bvSpace:
            Frame3D(canvas, rect, face, face, width);
            break;
    }
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csAcceptsControls | csOpaque;
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TPanel::Changed() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    if (bevelOuter_ == value) return;
    bevelOuter_ = value;
    Changed();
}

void TPanel::SetBevelInner(TBevelCut value) {
    if (bevelInner_ == value) return;
    bevelInner_ = value;
    Changed();
}

void TPanel::SetBevelWidth(int value) {
    value = std::max(1, value);
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    Changed();
}

void TPanel::SetBorderWidth(int value) {
    value = std::max(0, value);
    if (borderWidth_ == value) return;
    borderWidth_ = value;
    Changed();
}

void TPanel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) const {
    TCustomControl::AdjustClientRect(rect);
    const int inset =
        BevelSize(bevelOuter_, bevelWidth_) + borderWidth_ + BevelSize(bevelInner_, bevelWidth_);
    rect = InflateRect(rect, -inset, -inset);
    if (IsRectEmpty(rect))
        rect = Rect(rect.Left, rect.Top, std::max(rect.Left, rect.Right),
                    std::max(rect.Top, rect.Bottom));
}

void TPanel::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Invalidate();
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    const TColor face = Color();
    canvas.FillSolid(r, face);
    DrawBevel(canvas, r, bevelOuter_, bevelWidth_, face);
    r = InflateRect(r, -borderWidth_, -borderWidth_);
    DrawBevel(canvas, r, bevelInner_, bevelWidth_, face);
    if (Caption().empty() || IsRectEmpty(r)) return;
    canvas.Font = Font();
    canvas.Brush.Style = bsClear;
    uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    canvas.DrawText(Caption(), r, flags);
}
