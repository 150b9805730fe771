#include "platform/DownloadNames.h"

#include "base/Utf8Text.h"

namespace platform {
namespace {

constexpr size_t kMaxNameBytes = 200;
constexpr size_t kMaxExtensionBytes = 16;
constexpr int kMaxAttempts = 10000;

// Cuts a UTF-8 text to at most `bytes` bytes without splitting a character.
std::string CutUtf8(const std::string& s, size_t bytes) {
    return s.substr(0, Utf8CutLength(s, bytes));
}

// No leading dots or blanks (hidden files), no trailing ones.
std::string Trimmed(std::string s) {
    const size_t first = s.find_first_not_of(". ");
    s = first == std::string::npos ? std::string() : s.substr(first);
    while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.pop_back();
    return s;
}

}  // namespace

std::string SafeDownloadName(const std::string& suggested) {
    std::string name = suggested;
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    std::string clean;
    for (char c : name) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
    }
    clean = Trimmed(clean);
    if (clean.empty()) return "download";
    if (clean.size() > kMaxNameBytes) {
        const size_t dot = clean.rfind('.');
        const std::string ext = dot != std::string::npos && clean.size() - dot <= kMaxExtensionBytes
                                    ? CutUtf8(clean.substr(dot), kMaxExtensionBytes)
                                    : std::string();
        clean = Trimmed(
            CutUtf8(clean.substr(0, clean.size() - ext.size()), kMaxNameBytes - ext.size()) + ext);
        if (clean.empty()) return "download";
    }
    return clean;
}

std::string DownloadDestination(const std::string& folder, const std::string& suggested,
                                const std::function<bool(const std::string& path)>& taken) {
    const std::string name = SafeDownloadName(suggested);
    const size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string ext = hasExtension ? name.substr(dot) : "";
    std::string path = folder + "/" + name;
    for (int n = 1; taken(path) && n < kMaxAttempts; ++n)
        path = folder + "/" + stem + " (" + std::to_string(n) + ")" + ext;
    return path;
}

}  // namespace platform
