#include "base/Types.h"

namespace {
// A fixed system palette (the classic grey desktop scheme) so that pictures drawn with system
// colours are the same on every machine and in every test.
constexpr TColor kSystemPalette[] = {
    0xC8C8C8,  // clScrollBar
    0x808000,  // clBackground
    0x6A240A,  // clActiveCaption
    0x808080,  // clInactiveCaption
    0xC8D0D4,  // clMenu
    0xFFFFFF,  // clWindow
    0x000000,  // clWindowFrame
    0x000000,  // clMenuText
    0x000000,  // clWindowText
    0xFFFFFF,  // clCaptionText
    0xC8D0D4,  // clActiveBorder
    0xC8D0D4,  // clInactiveBorder
    0x808080,  // clAppWorkSpace
    0x6A240A,  // clHighlight
    0xFFFFFF,  // clHighlightText
    0xC8D0D4,  // clBtnFace
    0x99A8AC,  // clBtnShadow
    0x99A8AC,  // clGrayText
    0x000000,  // clBtnText
    0xC8D0D4,  // clInactiveCaptionText
    0xFFFFFF,  // clBtnHighlight
    0x404040,  // cl3DDkShadow
    0xC8D0D4,  // cl3DLight
    0x000000,  // clInfoText
    0xE1FFFF,  // clInfoBk
};
}  // namespace

TColor ColorToRGB(TColor color) {
    if ((static_cast<uint32_t>(color) & 0xFF000000u) == 0xFF000000u) {
        const uint32_t index = static_cast<uint32_t>(color) & 0xFFu;
        if (index < sizeof(kSystemPalette) / sizeof(kSystemPalette[0]))
            return kSystemPalette[index];
        return clBlack;
    }
    return color & 0x00FFFFFF;
}
