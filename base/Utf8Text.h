// UTF-8 text built and cut by bytes without splitting a character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Appends code point `c` in UTF-8; a value past U+10FFFF adds nothing.
inline void AppendUtf8(std::string& out, uint32_t c) {
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

// The length of the longest start of `s` of at most `limit` bytes that does not end inside
// a character. A character has at most three continuation bytes: text that is not UTF-8 is
// cut at `limit`.
[[nodiscard]] inline size_t Utf8CutLength(const std::string& s, size_t limit) {
    if (s.size() <= limit) return s.size();
    const auto continuation = [&s](size_t i) {
        return (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
    };
    size_t end = limit;
    for (int back = 0; back < 3 && end > 0 && continuation(end); ++back) --end;
    return continuation(end) ? limit : end;
}
