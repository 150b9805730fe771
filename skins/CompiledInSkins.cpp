#include "skins/CompiledInSkins.h"

const std::vector<CompiledInSkin>& CompiledInSkins() {
    static const std::vector<CompiledInSkin> kSkins = {
        {"default", &DefaultSkinCompressedData()},
        {"gallery", &GallerySkinCompressedData()},
    };
    return kSkins;
}

const std::vector<uint8_t>* FindCompiledInSkin(std::string_view name) {
    for (const CompiledInSkin& skin : CompiledInSkins())
        if (skin.name == name) return skin.compressedData;
    return nullptr;
}
