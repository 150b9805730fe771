#include "ui/Accelerators.h"

#include <glib.h>

#include <algorithm>

namespace {

// Length of the UTF-8 sequence starting with `lead` (1 for stray bytes, so that damaged
// text still advances).
int Utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

}  // namespace

THotkeyText SplitHotkey(const std::string& caption) {
    THotkeyText out;
    out.text.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out.text += caption[i];
            continue;
        }
        if (i + 1 >= caption.size()) break;
        if (caption[i + 1] == '&') {
            out.text += '&';
            ++i;
            continue;
        }
        const int len = std::min<int>(Utf8Length(static_cast<unsigned char>(caption[i + 1])),
                                      static_cast<int>(caption.size() - i - 1));
        out.hotkeyOffset = static_cast<int>(out.text.size());
        out.hotkeyLength = len;
        out.text.append(caption, i + 1, static_cast<size_t>(len));
        i += static_cast<size_t>(len);
    }
    return out;
}

std::string THotkeyText::Before() const {
    return hotkeyOffset < 0 ? text : text.substr(0, static_cast<size_t>(hotkeyOffset));
}
std::string THotkeyText::Hotkey() const {
    return hotkeyOffset < 0
               ? std::string()
               : text.substr(static_cast<size_t>(hotkeyOffset), static_cast<size_t>(hotkeyLength));
}
std::string THotkeyText::After() const {
    return hotkeyOffset < 0 ? std::string()
                            : text.substr(static_cast<size_t>(hotkeyOffset + hotkeyLength));
}

std::string StripHotkey(const std::string& caption) { return SplitHotkey(caption).text; }

uint32_t GetHotkey(const std::string& caption) {
    const THotkeyText split = SplitHotkey(caption);
    if (split.hotkeyOffset < 0) return 0;
    const std::string key = split.Hotkey();
    const gunichar ch = g_utf8_get_char_validated(key.c_str(), static_cast<gssize>(key.size()));
    if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2)) return 0;
    return g_unichar_toupper(ch);
}

bool IsAccel(uint32_t ch, const std::string& caption) {
    const uint32_t hotkey = GetHotkey(caption);
    return hotkey != 0 && hotkey == g_unichar_toupper(ch);
}
