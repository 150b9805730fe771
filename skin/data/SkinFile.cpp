#include "skin/data/SkinFile.h"

#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/ZlibStreams.h"
#include "ui/Streams.h"

void LoadSkinBlock(const std::vector<uint8_t>& block, const std::string& what,
                   TspCompressedStoredSkin& container, TspSkinData& skin) {
    if (block.empty()) throw EReadError(what + ": no compressed skin data");
    container.SetCompressedData(block);
    skin.SetCompressedStoredSkin(&container);
    // The load itself says nothing when the package's format value is not 1; from outside
    // that is a file that is not a skin.
    if (skin.SkinEmpty)
        throw EReadError(what + ": not a skin (the skin package's format value is not 1)");
}

void LoadSkinFileFrom(TStream& file, const std::string& what, TspCompressedStoredSkin& container,
                      TspSkinData& skin) {
    // As the container reads a compressed skin file itself.
    container.SetCompressedData(ReadCompressedSkinFileBytes(file));
    if (container.IsEmpty())
        throw EReadError(what + ": not a compressed skin file, or one without compressed data");
    LoadSkinBlock(container.CompressedData(), what, container, skin);
}

void LoadSkinFile(const std::string& path, TspCompressedStoredSkin& container, TspSkinData& skin) {
    TFileStream file(path, fmOpenRead);
    LoadSkinFileFrom(file, path, container, skin);
}

TSkinFileContainer SkinFileContainerOf(const std::vector<uint8_t>& b) {
    // A compressed skin file starts with the format value 1 (little-endian) and has the
    // zlib stream's first byte (0x78) after the length; a package has a flag byte of 0
    // or 1 where the length would be.
    const bool formatOne = b.size() > 8 && b[0] == 1 && b[1] == 0 && b[2] == 0 && b[3] == 0;
    if (formatOne && b[8] == 0x78) return TSkinFileContainer::CompressedFile;
    if (!b.empty() && b[0] == 0x78) return TSkinFileContainer::ZlibBlock;
    return TSkinFileContainer::Package;
}

void LoadAnySkinFile(const std::string& path, TspCompressedStoredSkin& container,
                     TspSkinData& skin) {
    TMemoryStream file;
    file.LoadFromFile(path);
    switch (SkinFileContainerOf(file.Bytes())) {
        case TSkinFileContainer::CompressedFile:
            LoadSkinFile(path, container, skin);
            break;
        case TSkinFileContainer::ZlibBlock:
            LoadSkinBlock(file.Bytes(), path, container, skin);
            break;
        case TSkinFileContainer::Package: {
            TMemoryStream block;
            CompressWholeStream(file, block);
            LoadSkinBlock(block.Bytes(), path, container, skin);
            break;
        }
    }
}
