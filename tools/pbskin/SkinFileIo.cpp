#include "SkinFileIo.h"

#include <string>

#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFile.h"
#include "skin/data/ZlibStreams.h"

namespace pbskin {

namespace {

int32_t Int32At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
        static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

enum class Container { CompressedFile, ZlibBlock, Package };

// A compressed skin file is the format value, a length and a zlib stream (first byte
// 0x78); a package has a flag byte of 0 or 1 where the length would be.
Container ContainerOf(const std::vector<uint8_t>& b) {
    if (b.size() > 8 && Int32At(b, 0) == kSkinFormatValue && b[8] == 0x78)
        return Container::CompressedFile;
    if (!b.empty() && b[0] == 0x78) return Container::ZlibBlock;
    return Container::Package;
}

}  // namespace

void LoadSkinFile(const std::string& path, LoadedSkin& skin) {
    TMemoryStream file;
    file.LoadFromFile(path);
    TMemoryStream package;
    switch (ContainerOf(file.Bytes())) {
        case Container::CompressedFile: {
            skin.container = "compressed skin file";
            TMemoryStream block;
            block.Assign(ReadCompressedSkinFileBytes(file));
            DecompressWholeStream(package, block, kMaxSkinPackageSize);
            break;
        }
        case Container::ZlibBlock:
            skin.container = "zlib block";
            DecompressWholeStream(package, file, kMaxSkinPackageSize);
            break;
        case Container::Package:
            skin.container = "skin package";
            package.Assign(file.Bytes());
            break;
    }
    package.SetPosition(0);
    if (!ReadSkinPackage(package, skin.pictures, skin.lines))
        throw EReadError(path + ": not a skin (the format value is not 1)");
}

std::string ProgramLoadProblem(const std::string& path) {
    try {
        TspCompressedStoredSkin container(nullptr);
        TspSkinData data(nullptr);
        LoadAnySkinFile(path, container, data);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

std::vector<uint8_t> BuildCompressedBlock(const std::string& iniPath) {
    TStringList lines;
    lines.LoadFromFile(iniPath);
    TMemIniFile ini;
    ini.SetStrings(lines);
    const std::string missing = MissingRequiredSkinSection(ini);
    if (!missing.empty()) throw EReadError(iniPath + ": section [" + missing + "] is missing");
    TSkinPictures pictures;
    LoadSkinPictureFiles(ini, FolderOf(iniPath), false, pictures);
    TMemoryStream package, block;
    WriteSkinPackage(package, pictures, lines);
    CompressWholeStream(package, block);
    return block.Bytes();
}

}  // namespace pbskin
