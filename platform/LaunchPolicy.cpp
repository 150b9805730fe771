#include "platform/LaunchPolicy.h"

#include "base/AsciiText.h"
#include "platform/Log.h"
#include "platform/Platform.h"

namespace platform {
namespace {

constexpr size_t kMaxUriBytes = 8192;
constexpr size_t kLoggedUriBytes = 300;

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An address as the log shows it: quoted, cut to a few hundred bytes.
std::string Quoted(const std::string& uri) {
    if (uri.size() <= kLoggedUriBytes) return "\"" + uri + "\"";
    return "\"" + uri.substr(0, kLoggedUriBytes) + "...\"";
}

}  // namespace

bool MayLeaveProgram(const std::string& uri) {
    if (uri.empty() || uri.size() > kMaxUriBytes) return false;
    for (char c : uri) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F) return false;
    }
    // scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":"
    if (!IsAlpha(uri[0])) return false;
    size_t colon = 1;
    while (colon < uri.size() && (IsAlpha(uri[colon]) || IsDigit(uri[colon]) || uri[colon] == '+' ||
                                  uri[colon] == '-' || uri[colon] == '.'))
        ++colon;
    if (colon >= uri.size() || uri[colon] != ':') return false;
    const std::string scheme = LowerAsciiText(uri.substr(0, colon));
    const std::string rest = uri.substr(colon + 1);
    if (scheme == "http" || scheme == "https") {
        // An authority with a host: "//" and at least one character before any path.
        return rest.size() > 2 && rest[0] == '/' && rest[1] == '/' && rest[2] != '/' &&
               rest[2] != '?' && rest[2] != '#';
    }
    return scheme == "mailto" && !rest.empty();
}

LaunchPolicy::Verdict LaunchPolicy::Request(const std::string& uri, bool userInitiated,
                                            const std::string& requestedBy) {
    if (!MayLeaveProgram(uri)) {
        Refuse(uri, requestedBy, "only http, https and mailto addresses leave the program");
        return Verdict::Refused;
    }
    if (!userInitiated || !(gestures_.Available() || gestures_.Spent())) {
        Refuse(uri, requestedBy, "no click or key press in the pane asked for it");
        return Verdict::Refused;
    }
    if (!gestures_.Take()) {
        Refuse(uri, requestedBy, "one launch per click or key press");
        return Verdict::Refused;
    }
    ++launches_;
    if (HasCurrent()) Current().OpenUri(uri);
    return Verdict::Launched;
}

void LaunchPolicy::Refuse(const std::string& uri, const std::string& requestedBy,
                          const char* reason) {
    ++refusals_;
    LogLine("refused to open " + Quoted(uri) + " in another program (asked by " +
            (requestedBy.empty() ? std::string("a page") : Quoted(requestedBy)) + "): " + reason);
}

}  // namespace platform
