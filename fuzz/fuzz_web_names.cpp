// Outside texts the browser host turns into names: download names a server suggests, and
// user-agent tokens read from the settings store (whose quoted names and values are
// decoded first). Whatever the input, the results keep their promises (a plain file name;
// a header value without line breaks; a decoded text that encodes back to itself).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/DownloadNames.h"
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
    const std::string path = platform::DownloadDestination("/d", input, [](const std::string& p) { return p.size() % 3 == 0; });
    if (path.rfind("/d/", 0) != 0 || path.find('/', 3) != std::string::npos) std::abort();

    if (const auto decoded = TSettingsStore::DecodeValue(input)) {
        if (TSettingsStore::DecodeValue(TSettingsStore::EncodeValue(*decoded)) != decoded) std::abort();
    }

    std::vector<std::string> tokens;
    size_t start = 0;
    while (start <= input.size()) {
        const size_t end = input.find('\n', start);
        tokens.push_back(input.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const std::string base = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15";
    const std::string ua = platform::UserAgentWithTokens(base, tokens);
    for (unsigned char c : ua)
        if (c < 0x20 || c > 0x7E) std::abort();
    if (ua.size() < base.size()) std::abort();
    return 0;
}
