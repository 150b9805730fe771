#include "skin/controls/MainMenuKeys.h"

#include "base/AsciiText.h"
#include "base/Messages.h"

TspMainMenuKeyStep MainMenuKeyStep(uint16_t key, uint32_t ch, size_t count, size_t current,
                                   bool menuOpen, const std::function<int(uint32_t)>& accelerator) {
    using Kind = TspMainMenuKeyStep::Kind;
    if (count == 0) return {};
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
            return {menuOpen ? Kind::Open : Kind::Highlight,
                    (current + (key == VK_RIGHT ? 1 : count - 1)) % count};
        case VK_RETURN:
        case VK_DOWN:
            if (menuOpen) return {};
            return {Kind::Open, current};
        default:
            break;
    }
    if (ch == 0 && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')))
        ch = static_cast<unsigned char>(LowerAscii(static_cast<char>(key)));
    if (ch == 0 || menuOpen) return {};
    const int position = accelerator(ch);
    if (position < 0) return {};
    return {Kind::Open, static_cast<size_t>(position)};
}
