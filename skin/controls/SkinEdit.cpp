#include "skin/controls/SkinEdit.h"

#include "ui/Canvas.h"
#include "ui/Panel.h"

namespace {

// The length of the longest prefix of at most `limit` bytes that ends between characters.
size_t CharBoundary(const std::string& text, size_t limit) {
    if (text.size() <= limit) return text.size();
    size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

TspSkinEdit::TspSkinEdit(TComponent* owner) : TspSkinCustomControl(owner) {
    SetSkinDataName("edit");
    TabStop = true;
}

void TspSkinEdit::SetText(const std::string& text) {
    text_ = text.substr(0, CharBoundary(text, kMaxTextBytes));
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
        size_t n = text_.size() - 1;
        while (n > 0 && (static_cast<unsigned char>(text_[n]) & 0xC0) == 0x80) --n;
        text_.resize(n);
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
