#include "SkinFileIo.h"

#include <cstring>
#include <string>

#include "skin/data/ZlibStreams.h"
#include "base/Exceptions.h"

namespace pbskin {

void LoadSkinFile(const std::string& path, LoadedSkin& skin) {
    TMemoryStream file;
    file.LoadFromFile(path);
    const std::vector<uint8_t>& b = file.Bytes();
    TMemoryStream package;
    int32_t first = 0, second = 0;
    if (b.size() >= 8) {
        std::memcpy(&first, b.data(), 4);
        std::memcpy(&second, b.data() + 4, 4);
    }
    // A compressed skin file is the format value, a length and a zlib stream (first byte
    // 0x78); a package has a flag byte of 0 or 1 where the length would be.
    const bool compressedFile = first == kSkinFormatValue && b.size() > 8 && b[8] == 0x78;
    if (compressedFile) {
        if (second < 0 || static_cast<size_t>(second) != b.size() - 8)
            throw EReadError(path + ": damaged compressed skin file (it declares " +
                             std::to_string(second) + " compressed bytes, " +
                             std::to_string(b.size() - 8) + " follow)");
        skin.container = "compressed skin file";
        TMemoryStream block;
        block.Assign(ReadCompressedSkinFileBytes(file));
        DecompressWholeStream(package, block, kMaxSkinPackageSize);
    } else if (!b.empty() && b[0] == 0x78) {
        skin.container = "zlib block";
        DecompressWholeStream(package, file, kMaxSkinPackageSize);
    } else {
        skin.container = "skin package";
        package.Assign(b);
    }
    package.SetPosition(0);
    if (!ReadSkinPackage(package, skin.pictures, skin.lines))
        throw EReadError(path + ": not a skin (the format value is not 1)");
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
