#include "skin/data/SkinPackage.h"

#include "skin/draw/Jpeg.h"
#include "base/Exceptions.h"

namespace {

const char* const kPictureKeys[4] = {"picture", "mask", "rolluppicture", "rollupmask"};

int64_t Remaining(TStream& s) { return s.Size() - s.Position(); }

}  // namespace

bool ReadInt32LE(TStream& stream, int32_t& value) {
    uint8_t b[4];
    if (stream.Read(b, 4) != 4) return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
    return true;
}

void WriteInt32LE(TStream& stream, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                          static_cast<uint8_t>(v >> 24)};
    stream.WriteBuffer(b, 4);
}

void TSkinPictures::Clear() {
    for (TBitmap& b : Optional) b.Clear();
    Active.clear();
}

void ReadSkinPictures(TStream& stream, TSkinPictures& pictures) {
    for (TBitmap& picture : pictures.Optional) {
        uint8_t flag = 0;
        if (stream.Read(&flag, 1) != 1) throw EReadError("Skin package ends before a picture flag");
        if (flag != 0) picture.Clear();
        else picture.LoadFromStream(stream);
    }
    int32_t count = 0;
    if (!ReadInt32LE(stream, count)) throw EReadError("Skin package ends before the active picture count");
    if (count < 0 || count > Remaining(stream) / kMinBmpFileSize)
        throw EReadError("Skin package has an invalid active picture count (" + std::to_string(count) + ")");
    for (int32_t i = 0; i < count; ++i) {
        pictures.Active.push_back(std::make_unique<TBitmap>());
        pictures.Active.back()->LoadFromStream(stream);
    }
}

void WriteSkinPictures(TStream& stream, const TSkinPictures& pictures) {
    for (const TBitmap& picture : pictures.Optional) {
        const uint8_t flag = picture.Empty() ? 1 : 0;
        stream.WriteBuffer(&flag, 1);
        if (!picture.Empty()) picture.SaveToStream(stream);
    }
    WriteInt32LE(stream, static_cast<int32_t>(pictures.Active.size()));
    for (const auto& picture : pictures.Active) picture->SaveToStream(stream);
}

bool ReadSkinPackage(TStream& stream, TSkinPictures& pictures, TStringList& lines) {
    int32_t format = 0;
    if (!ReadInt32LE(stream, format)) format = 0;
    if (format != kSkinFormatValue) return false;
    ReadSkinPictures(stream, pictures);
    lines.LoadFromStream(stream);
    return true;
}

void WriteSkinPackage(TStream& stream, const TSkinPictures& pictures, const TStringList& lines) {
    WriteInt32LE(stream, kSkinFormatValue);
    WriteSkinPictures(stream, pictures);
    lines.SaveToStream(stream);
}

std::string MissingRequiredSkinSection(const TMemIniFile& ini) {
    for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(s)) return s;
    return {};
}

bool HasRequiredSkinSections(const TMemIniFile& ini) { return MissingRequiredSkinSection(ini).empty(); }

void LoadSkinPictureFiles(const TMemIniFile& ini, const std::string& folder, bool allowJpeg,
                          TSkinPictures& pictures) {
    auto load = [&](TBitmap& bitmap, const std::string& name) {
        if (allowJpeg && IsJpegFileName(name)) LoadJpegToBitmap(bitmap, folder + name);
        else bitmap.LoadFromFile(folder + name);
    };
    for (int i = 0; i < 4; ++i) {
        const std::string name = ini.ReadString("PICTURES", kPictureKeys[i], "");
        if (name.empty()) pictures.Optional[i].Clear();
        else load(pictures.Optional[i], name);
    }
    TStringList names;
    ReadSkinList(ini, "PICTURES", "activepictures", names);
    for (const std::string& name : names) {
        auto bitmap = std::make_unique<TBitmap>();
        load(*bitmap, name);
        pictures.Active.push_back(std::move(bitmap));
    }
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<uint8_t> ReadCompressedSkinFileBytes(TStream& file) {
    int32_t format = 0;
    if (!ReadInt32LE(file, format) || format != kSkinFormatValue) return {};
    int32_t length = 0;
    if (!ReadInt32LE(file, length)) throw EReadError("Damaged compressed skin file: it ends before its length");
    if (length < 0 || length > Remaining(file) || length > kMaxSkinPackageSize)
        throw EReadError("Damaged compressed skin file: it declares " + std::to_string(length) +
                         " compressed bytes but holds " + std::to_string(Remaining(file)));
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    file.ReadBuffer(bytes.data(), length);
    return bytes;
}

void WriteCompressedSkinFile(TStream& file, const std::vector<uint8_t>& compressed) {
    const int32_t length = static_cast<int32_t>(compressed.size());
    WriteInt32LE(file, kSkinFormatValue);
    WriteInt32LE(file, length);
    file.WriteBuffer(compressed.data(), length);
}
