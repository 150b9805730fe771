#include "skin/controls/SkinEdit.h"

#include "base/Utf8Text.h"
#include "ui/Canvas.h"
#include "ui/Panel.h"

TspSkinEdit::TspSkinEdit(TComponent* owner) : TspSkinCustomControl(owner) {
    SetSkinDataName("edit");
    TabStop = true;
}

void TspSkinEdit::SetText(const std::string& text) {
    text_ = text.substr(0, Utf8CutLength(text, kMaxTextBytes));
    Invalidate();
}

void TspSkinEdit::WndProc(TMessage& message) {
    if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
    TspSkinCustomControl::WndProc(message);
}

void TspSkinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && CanFocus()) SetFocus();
    TspSkinCustomControl::MouseDown(button, shift, x, y);
}

void TspSkinEdit::KeyDown(uint16_t& key, TShiftState shift) {
    if (key == VK_BACK) {
        key = 0;
        if (text_.empty()) return;
        text_.resize(Utf8CutLength(text_, text_.size() - 1));
        Invalidate();
        return;
    }
    TspSkinCustomControl::KeyDown(key, shift);
}

void TspSkinEdit::KeyPress(uint32_t& key) {
    TspSkinCustomControl::KeyPress(key);
    if (key < 0x20 || key == 0x7F) return;  // control characters are no text
    std::string added;
    AppendUtf8(added, key);
    if (text_.size() + added.size() > kMaxTextBytes) return;
    text_ += added;
    key = 0;
    Invalidate();
}

void TspSkinEdit::DrawText(TCanvas& canvas, const TRect& area, TColor color) {
    TCanvasStateGuard guard(canvas);
    canvas.Font.Color = color;
    canvas.Brush.Style = bsClear;
    const TSize extent = canvas.TextExtent(text_.empty() ? " " : text_);
    const int y = area.Top + area.Height() / 2 - extent.cy / 2;
    // A text wider than the field shows its end, where the caret is.
    const int width = text_.empty() ? 0 : extent.cx;
    const int x = width > area.Width() - 3 ? area.Right - 3 - width : area.Left + 2;
    canvas.TextRect(area, x, y, text_);
    if (Focused()) canvas.FillSolid(Rect(x + width + 1, y, x + width + 2, y + extent.cy), color);
}

void TspSkinEdit::PaintSkinImage(TBitmap& bitmap) {
    const auto* def = dynamic_cast<const TspDataSkinEditControl*>(SectionDef());
    if (def == nullptr || picture_ == nullptr || mode_ == rmNone) {
        TspSkinCustomControl::PaintSkinImage(bitmap);
        return;
    }
    const bool active = Focused() && def->ActiveSkinRect.Width() > 0;
    ComposeControlImage(bitmap, *picture_, active ? def->ActiveSkinRect : skinRect_);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font = CaptionFont(def->FontDef);
    DrawText(canvas, NewClientRect(), Focused() ? def->ActiveFontColor : def->FontDef.Color);
}

void TspSkinEdit::PaintDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    canvas.FillSolid(r, clWindow);
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    canvas.Font = DefaultFont();
    DrawText(canvas, r, clWindowText);
}
