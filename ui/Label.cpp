#include "ui/Label.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/TextLayout.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle |= csOpaque;
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    if (value)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    Changed();
}

void TLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    Changed();
}

void TLabel::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value) return;
    showAccelChar_ = value;
    Changed();
}

uint32_t TLabel::DrawTextFlags() const {
    uint32_t flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    return flags;
}

TSize TLabel::TextSize() const {
    // An empty caption still takes one line, as a blank.
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    TRect r = Rect(0, 0, wordWrap_ ? std::max(Width(), 1) : 0x7FFF, 0x7FFF);
    return FormatText(nullptr, Font(), text, r, DrawTextFlags() | DT_CALCRECT, std::nullopt, {});
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    const TSize size = TextSize();
    const int width = wordWrap_ ? Width() : size.cx;
    int left = Left();
    if (alignment_ == taRightJustify && !wordWrap_) left = Left() + Width() - width;
    SetBounds(left, Top(), width, size.cy);
}

void TLabel::Changed() {
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::WndProc(TMessage& message) {
    TGraphicControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Changed();
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    if (!transparent_) canvas.FillSolid(client, Color());
    canvas.Font = Font();
    canvas.Brush.Style = bsClear;

    TRect r = client;
    if (layout_ != tlTop) {
        const int textHeight = TextSize().cy;
        const int offset =
            layout_ == tlCenter ? (client.Height() - textHeight) / 2 : client.Height() - textHeight;
        r.Top += offset;
    }
    const uint32_t flags = DrawTextFlags();
    if (IsEnabledInTree()) {
        canvas.DrawText(Caption(), r, flags);
        return;
    }
    // The platform's disabled text: highlight one pixel down-right under shadow.
    TRect shifted = OffsetRect(r, 1, 1);
    canvas.Font.Color = clBtnHighlight;
    canvas.DrawText(Caption(), shifted, flags);
    canvas.Font.Color = clBtnShadow;
    canvas.DrawText(Caption(), r, flags);
}
