// Letter case and blanks of ASCII text: names, keys, keywords, address schemes and
// identifiers compared without regard to case, and the blanks trimmed around INI and
// settings lines. Only A-Z and a-z change case, whatever the process's locale; bytes
// outside ASCII (UTF-8 sequences) are compared and kept as they are.
#pragma once

#include <string>
#include <string_view>

[[nodiscard]] constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] constexpr char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

[[nodiscard]] inline std::string LowerAsciiText(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

[[nodiscard]] inline std::string UpperAsciiText(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = UpperAscii(c);
    return out;
}

// Equal when the texts differ at most in the case of ASCII letters.
[[nodiscard]] constexpr bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

[[nodiscard]] constexpr bool StartsWithTextAscii(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && SameTextAscii(s.substr(0, prefix.size()), prefix);
}

// Space and every control character below it count as blanks.
[[nodiscard]] constexpr bool IsBlankAscii(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// The text without leading and trailing blanks.
[[nodiscard]] constexpr std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlankAscii(s[b])) ++b;
    while (e > b && IsBlankAscii(s[e - 1])) --e;
    return s.substr(b, e - b);
}
