// Reads bytes as a compressed skin file and loads the block it holds.
#include <cstddef>
#include <cstdint>

#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/CompressedStoredSkin.h"
#include "base/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream file;
    file.Assign(std::vector<uint8_t>(data, data + size));
    try {
        TspCompressedStoredSkin container(nullptr);
        container.SetCompressedData(ReadCompressedSkinFileBytes(file));
        TspSkinData skin(nullptr);
        skin.LoadFromCompressedContainer(container);
    } catch (const Exception&) {
    }
    return 0;
}
