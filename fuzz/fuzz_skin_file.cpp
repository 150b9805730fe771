// Reads bytes as a compressed skin file from outside and loads it along the program's path
// (skin/data/SkinFile.h): the file layout, inflating, the package, pictures and text.
#include <cstddef>
#include <cstdint>

#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFile.h"
#include "ui/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream file;
    file.Assign(std::vector<uint8_t>(data, data + size));
    try {
        TspCompressedStoredSkin container(nullptr);
        TspSkinData skin(nullptr);
        LoadSkinFileFrom(file, "input", container, skin);
    } catch (const Exception&) {
    }
    return 0;
}
