// Parses bytes as a definition text and reads every section a skin has.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Exceptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/StoredSkin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(data), size));
    TspStoredSkin stored(nullptr);
    stored.SetIniStrings(lines);
    TspSkinData skin(nullptr);
    try {
        skin.LoadFromStoredContainer(stored);
    } catch (const Exception&) {
    }
    return 0;
}
