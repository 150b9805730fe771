#include "skin/draw/TextUtils.h"

#include "ui/Canvas.h"

namespace {

// Removes the last UTF-8 character (a lead byte and its continuation bytes).
void PopCharacter(std::string& text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) break;
    }
}

}  // namespace

void EllipsisText(TCanvas& canvas, std::string& text, int32_t maxWidth) {
    if (canvas.TextWidth(text) <= maxWidth) return;
    while (!text.empty()) {
        PopCharacter(text);
        if (canvas.TextWidth(text + "...") <= maxWidth) break;
    }
    text += "...";
}

void DrawTextVCentered(TCanvas& canvas, const std::string& text, const TRect& r) {
    const int32_t y = r.Top + r.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(r, r.Left + 2, y, text);
}
