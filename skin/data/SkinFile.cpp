#include "skin/data/SkinFile.h"

#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "ui/Streams.h"

void LoadSkinBlock(const std::vector<uint8_t>& block, const std::string& what, TspCompressedStoredSkin& container,
                   TspSkinData& skin) {
    if (block.empty()) throw EReadError(what + ": no compressed skin data");
    container.SetCompressedData(block);
    skin.SetCompressedStoredSkin(&container);
    // The load itself says nothing when the package's format value is not 1; from outside
    // that is a file that is not a skin.
    if (skin.SkinEmpty) throw EReadError(what + ": not a skin (the skin package's format value is not 1)");
}

void LoadSkinFileFrom(TStream& file, const std::string& what, TspCompressedStoredSkin& container, TspSkinData& skin) {
    // As the container reads a compressed skin file itself.
    container.SetCompressedData(ReadCompressedSkinFileBytes(file));
    if (container.IsEmpty()) throw EReadError(what + ": not a compressed skin file, or one without compressed data");
    LoadSkinBlock(container.CompressedData(), what, container, skin);
}

void LoadSkinFile(const std::string& path, TspCompressedStoredSkin& container, TspSkinData& skin) {
    TFileStream file(path, fmOpenRead);
    LoadSkinFileFrom(file, path, container, skin);
}
