// Outside texts the browser host turns into names: download names a server suggests,
// user-agent tokens read from the settings store (whose quoted names and values are
// decoded first), addresses a page asks to open in another program, proxy addresses of a
// stored description, and the log lines that report refusals. Whatever the input, the
// results keep their promises (a plain file name; a header value without line breaks; a
// decoded text that encodes back to itself; only http, https and mailto leave the program;
// a proxy address of letters, digits and a port; one log line of bounded length).
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/DownloadNames.h"
#include "platform/LaunchPolicy.h"
#include "platform/Log.h"
#include "platform/WebHost.h"
#include "ui/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::string name = platform::SafeDownloadName(input);
    if (name.empty() || name.size() > 200 || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos || name.front() == '.' || name.front() == ' ')
        std::abort();
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) std::abort();
    const std::string path = platform::DownloadDestination(
        "/d", input, [](const std::string& p) { return p.size() % 3 == 0; });
    if (path.rfind("/d/", 0) != 0 || path.find('/', 3) != std::string::npos) std::abort();

    if (const auto decoded = TSettingsStore::DecodeValue(input)) {
        if (TSettingsStore::DecodeValue(TSettingsStore::EncodeValue(*decoded)) != decoded)
            std::abort();
    }

    std::vector<std::string> tokens;
    size_t start = 0;
    while (start <= input.size()) {
        const size_t end = input.find('\n', start);
        tokens.push_back(
            input.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const std::string base = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15";
    const std::string ua = platform::UserAgentWithTokens(base, tokens);
    for (unsigned char c : ua)
        if (c < 0x20 || c > 0x7E) std::abort();
    if (ua.size() < base.size()) std::abort();

    if (platform::MayLeaveProgram(input)) {
        const std::string lower = [&] {
            std::string l = input.substr(0, 8);
            for (char& c : l) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            return l;
        }();
        if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0 &&
            lower.rfind("mailto:", 0) != 0)
            std::abort();
        for (unsigned char c : input)
            if (c <= 0x20 || c == 0x7F) std::abort();
    }

    const std::string proxy = platform::ProxyServerUri(input);
    if (!proxy.empty()) {
        if (proxy != "http://" + input || input.size() > 255) std::abort();
        for (char c : input)
            if (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr(".-_:[]", c))
                std::abort();
    }

    const std::string line = platform::LogLineText(input);
    if (line.size() > 1003) std::abort();
    for (unsigned char c : line)
        if (c < 0x20 || c == 0x7F) std::abort();
    return 0;
}
