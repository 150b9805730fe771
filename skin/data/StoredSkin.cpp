#include "skin/data/StoredSkin.h"

#include "platform/Platform.h"

void TspStoredSkin::SetFileName(const std::string& value) {
    if (!IsDesigning() || IsLoading()) fileName_ = value;
    // Designing happens in no program of ours; there is no file dialog to open here.
}

std::vector<uint8_t> TspStoredSkin::PicturesData() const {
    TMemoryStream stream;
    WriteSkinPictures(stream, pictures_);
    return stream.Bytes();
}

void TspStoredSkin::SetPicturesData(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    stream.Assign(bytes);
    TSkinPictures pictures;
    ReadSkinPictures(stream, pictures);
    pictures_ = std::move(pictures);
}

void TspStoredSkin::BuildFromSkinFile(const std::string& path) {
    TStringList lines;
    lines.LoadFromFile(path);
    TMemIniFile ini;
    ini.SetStrings(lines);
    TSkinPictures pictures;
    LoadSkinPictureFiles(ini, FolderOf(path), true, pictures);
    iniStrings_ = lines;
    pictures_ = std::move(pictures);
}
