// Feeds bytes to the skin data component as the compressed block of a container: inflate,
// package layout, BMP pictures and definition text.
#include <cstddef>
#include <cstdint>

#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TspCompressedStoredSkin container(nullptr);
    container.SetCompressedData(std::vector<uint8_t>(data, data + size));
    TspSkinData skin(nullptr);
    try {
        skin.LoadFromCompressedContainer(container);
    } catch (const Exception&) {
    }
    return 0;
}
