// The web control's persisted state block (ControlData of a stored description) and the
// UTF-8/UTF-16 conversion of addresses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/WebEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> block(data, data + size);
    platform::WebPropertyStore store;
    platform::WebPropertyStore before = store;
    if (!platform::ApplyControlState(block, store)) {
        // A refused block leaves every property as it was.
        for (int32_t id : {402, 403, 404, 405, 406, 407, 550, 551, 552, 553, 554, 555, 556}) {
            platform::Variant a, b;
            if (store.Get(id, a) != before.Get(id, b) || !(a == b)) std::abort();
        }
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string once = platform::WideToUtf8(platform::Utf8ToWide(text));
    // Converting twice changes nothing more: the first pass already produced valid text.
    if (platform::WideToUtf8(platform::Utf8ToWide(once)) != once) std::abort();
    return 0;
}
