#include "skin/data/CompressedStoredSkin.h"

#include "skin/data/SkinPackage.h"
#include "skin/data/ZlibStreams.h"

void TspCompressedStoredSkin::SetFileName(const std::string& value) {
    if (IsDesigning() && !IsLoading()) {
        fileName_ = FileNameOf(value);
        BuildFromSkinFile(value);
    } else {
        fileName_ = value;
    }
}

void TspCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
    if (IsDesigning() && !IsLoading()) {
        compressedFileName_ = FileNameOf(value);
        ReadCompressedSkinFile(value);
    } else {
        compressedFileName_ = value;
    }
}

void TspCompressedStoredSkin::InflateTo(TStream& stream) {
    DecompressWholeStream(stream, compressed_, kMaxSkinPackageSize);
}

void TspCompressedStoredSkin::BuildFromSkinFile(const std::string& path) {
    TStringList lines;
    lines.LoadFromFile(path);
    TMemIniFile ini;
    ini.SetStrings(lines);
    if (!HasRequiredSkinSections(ini)) return;
    // Everything is read before the old data goes, so a missing picture keeps it too.
    TSkinPictures pictures;
    LoadSkinPictureFiles(ini, FolderOf(path), false, pictures);
    TMemoryStream package;
    WriteSkinPackage(package, pictures, lines);
    compressed_.Clear();
    CompressWholeStream(package, compressed_);
}

void TspCompressedStoredSkin::ReadCompressedSkinFile(const std::string& path) {
    compressed_.Clear();
    TFileStream file(path, fmOpenRead);
    compressed_.Assign(ReadCompressedSkinFileBytes(file));
}
