#include "platform/WebHost.h"

#include <algorithm>
#include <cstring>

#include "base/AsciiText.h"

namespace platform {

std::string ProxyServerUri(const std::string& server) {
    if (server.empty() || server.size() > 255) return {};
    for (char c : server) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':' || c == '[' ||
                        c == ']' || c == '_';
        if (!ok) return {};
    }
    const size_t colon = server.rfind(':');
    const size_t bracket = server.rfind(']');
    if (colon == std::string::npos || colon == 0 ||
        (bracket != std::string::npos && bracket > colon))
        return {};
    const std::string host = server.substr(0, colon);
    const std::string port = server.substr(colon + 1);
    if (port.empty() || port.size() > 5) return {};
    unsigned value = 0;
    for (char c : port) {
        if (c < '0' || c > '9') return {};
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value < 1 || value > 65535) return {};
    // A bracketed host is an IPv6 address: brackets only around it, nothing else with colons.
    const bool bracketed = host.front() == '[';
    if (bracketed ? (host.size() < 3 || host.back() != ']' ||
                     host.find_first_of("[]", 1) != host.size() - 1)
                  : host.find_first_of("[]:") != std::string::npos)
        return {};
    return "http://" + server;
}

bool SameId(const char* a, const char* b) {
    if (!a || !b) return a == b;
    return SameTextAscii(a, b);
}

// ---- Context menus ----

namespace {

// After removing an item: no separator at either end, none doubled.
void TidySeparators(std::vector<WebMenuItem>& items) {
    std::vector<WebMenuItem> kept;
    kept.reserve(items.size());
    for (WebMenuItem& item : items) {
        if (item.separator && (kept.empty() || kept.back().separator)) continue;
        kept.push_back(std::move(item));
    }
    while (!kept.empty() && kept.back().separator) kept.pop_back();
    items = std::move(kept);
}

WebMenuItem* FindItem(std::vector<WebMenuItem>& items, uint32_t command) {
    for (WebMenuItem& item : items) {
        if (!item.separator && item.command == command && command != 0) return &item;
        if (item.submenu) {
            if (WebMenuItem* found = FindItem(item.submenu->items, command)) return found;
        }
    }
    return nullptr;
}

}  // namespace

bool WebContextMenu::DeleteCommand(uint32_t command) {
    if (command == 0) return false;
    for (size_t i = 0; i < items.size(); ++i) {
        WebMenuItem& item = items[i];
        if (!item.separator && item.command == command) {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            TidySeparators(items);
            return true;
        }
        if (item.submenu && item.submenu->DeleteCommand(command)) return true;
    }
    return false;
}

bool WebContextMenu::SetSubmenu(uint32_t command, std::shared_ptr<WebContextMenu> submenu) {
    WebMenuItem* item = FindItem(items, command);
    if (!item) return false;
    item->submenu = std::move(submenu);
    return true;
}

const WebMenuItem* WebContextMenu::Find(uint32_t command) const {
    return FindItem(const_cast<std::vector<WebMenuItem>&>(items), command);
}

std::vector<uint32_t> WebContextMenu::Commands() const {
    std::vector<uint32_t> out;
    for (const WebMenuItem& item : items) {
        if (!item.separator && item.command != 0) out.push_back(item.command);
        if (item.submenu) {
            const std::vector<uint32_t> sub = item.submenu->Commands();
            out.insert(out.end(), sub.begin(), sub.end());
        }
    }
    return out;
}

// ---- User agent ----

std::optional<std::string> UserAgentToken(const std::string& token) {
    size_t b = 0, e = token.size();
    while (b < e && token[b] == ' ') ++b;
    while (e > b && token[e - 1] == ' ') --e;
    if (b == e) return std::nullopt;
    std::string out = token.substr(b, e - b);
    int depth = 0;
    for (char ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E || c == '\\') return std::nullopt;
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return std::nullopt;
    }
    if (depth != 0) return std::nullopt;
    return out;
}

std::string UserAgentWithTokens(const std::string& userAgent,
                                const std::vector<std::string>& tokens) {
    constexpr size_t kMaxTokens = 32;
    std::vector<std::string> usable;
    for (const std::string& t : tokens) {
        if (usable.size() == kMaxTokens) break;
        auto token = UserAgentToken(t);
        if (token && std::find(usable.begin(), usable.end(), *token) == usable.end())
            usable.push_back(*token);
    }
    if (usable.empty()) return userAgent;
    std::string joined;
    for (const std::string& t : usable) joined += "; " + t;

    // The end of the first comment: its closing parenthesis, nested ones counted.
    const size_t open = userAgent.find('(');
    if (open != std::string::npos) {
        int depth = 0;
        for (size_t i = open; i < userAgent.size(); ++i) {
            if (userAgent[i] == '(') ++depth;
            if (userAgent[i] == ')' && --depth == 0) {
                return userAgent.substr(0, i) + joined + userAgent.substr(i);
            }
        }
    }
    const size_t space = userAgent.find(' ');
    const std::string comment = " (" + joined.substr(2) + ")";
    if (space == std::string::npos) return userAgent + comment;
    return userAgent.substr(0, space) + comment + userAgent.substr(space);
}

}  // namespace platform
