// '&' accelerator marks in captions, the one rule every caption follows (labels, menus,
// tabs, skinned menus): "&&" is a literal '&'; a single '&' marks the character after it;
// when a caption marks several, the last mark counts, as the platform's text drawing
// underlines it; a trailing '&' marks nothing and is dropped.
#pragma once

#include <cstdint>
#include <string>

// A caption prepared for drawing: the text without marks and the byte range of the marked
// character (offset -1 when nothing is marked).
struct THotkeyText {
    std::string text;
    int hotkeyOffset = -1;
    int hotkeyLength = 0;
    // The text before, at and after the accelerator (the runs a painter draws in turn).
    [[nodiscard]] std::string Before() const;
    [[nodiscard]] std::string Hotkey() const;
    [[nodiscard]] std::string After() const;
};
[[nodiscard]] THotkeyText SplitHotkey(const std::string& caption);

// "&Close" -> "Close".
[[nodiscard]] std::string StripHotkey(const std::string& caption);
// The accelerator as a Unicode code point (letters upper-cased); 0 when there is none.
[[nodiscard]] uint32_t GetHotkey(const std::string& caption);
// True when `ch` (compared without regard to case) is the caption's accelerator.
[[nodiscard]] bool IsAccel(uint32_t ch, const std::string& caption);
