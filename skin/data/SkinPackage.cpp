#include "skin/data/SkinPackage.h"

#include <algorithm>
#include <climits>

#include "base/Exceptions.h"
#include "skin/draw/Jpeg.h"

namespace {

const char* const kPictureKeys[4] = {"picture", "mask", "rolluppicture", "rollupmask"};

int64_t Remaining(TStream& s) { return s.Size() - s.Position(); }

}  // namespace

bool ReadInt32LE(TStream& stream, int32_t& value) {
    uint8_t b[4];
    if (stream.Read(b, 4) != 4) return false;
    value =
        static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                             static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
    return true;
}

void WriteInt32LE(TStream& stream, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    stream.WriteBuffer(b, 4);
}

void TSkinPictures::Clear() {
    for (TBitmap& b : Optional) b.Clear();
    Active.clear();
}

std::string SkinPictureLabel(int optionalIndex) {
    static const char* const kLabels[4] = {"main picture", "mask", "roll-up picture",
                                           "roll-up mask"};
    return optionalIndex >= 0 && optionalIndex < 4 ? kLabels[optionalIndex] : "picture";
}

std::string ActivePictureLabel(size_t index) { return "active picture " + std::to_string(index); }

void LoadSkinPicture(TBitmap& picture, const std::string& what, TSkinPictureBudget& budget,
                     const std::function<void(TBitmap&, uint64_t)>& load) {
    try {
        load(picture, budget.Left);
    } catch (const EPictureTooLarge& e) {
        throw EPictureTooLarge(what + ": picture of " + std::to_string(e.Width) + " x " +
                                   std::to_string(e.Height) +
                                   " pixels is too large for a skin (its pictures may hold " +
                                   std::to_string(budget.Total) + " pixels in all, " +
                                   std::to_string(budget.Left) + " are left for this one)",
                               e.Width, e.Height);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(what + ": " + e.what());
    }
    const uint64_t used = static_cast<uint64_t>(std::max(picture.Width(), 0)) *
                          static_cast<uint64_t>(std::max(picture.Height(), 0));
    // The loaders refuse more than they are given; a picture that still came out larger
    // is dropped rather than trusted.
    if (used > budget.Left) {
        const int64_t w = picture.Width(), h = picture.Height();
        picture.Clear();
        throw EPictureTooLarge(what + ": picture of " + std::to_string(w) + " x " +
                                   std::to_string(h) + " pixels is too large for a skin",
                               w, h);
    }
    budget.Left -= used;
}

void ReadSkinPictures(TStream& stream, TSkinPictures& pictures, uint64_t maxPixels) {
    TSkinPictureBudget budget(maxPixels);
    const auto fromStream = [&stream](TBitmap& picture, uint64_t maxPicturePixels) {
        picture.LoadFromStream(stream, maxPicturePixels);
    };
    for (int i = 0; i < 4; ++i) {
        TBitmap& picture = pictures.Optional[static_cast<size_t>(i)];
        uint8_t flag = 0;
        if (stream.Read(&flag, 1) != 1) throw EReadError("Skin package ends before a picture flag");
        if (flag != 0)
            picture.Clear();
        else
            LoadSkinPicture(picture, SkinPictureLabel(i), budget, fromStream);
    }
    int32_t count = 0;
    if (!ReadInt32LE(stream, count))
        throw EReadError("Skin package ends before the active picture count");
    if (count < 0 || count > Remaining(stream) / kMinBmpFileSize)
        throw EReadError("Skin package has an invalid active picture count (" +
                         std::to_string(count) + ")");
    for (int32_t i = 0; i < count; ++i) {
        pictures.Active.push_back(std::make_unique<TBitmap>());
        LoadSkinPicture(*pictures.Active.back(), ActivePictureLabel(static_cast<size_t>(i)), budget,
                        fromStream);
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

bool HasRequiredSkinSections(const TMemIniFile& ini) {
    return MissingRequiredSkinSection(ini).empty();
}

void LoadSkinPictureFiles(const TMemIniFile& ini, const std::string& folder, bool allowJpeg,
                          TSkinPictures& pictures, uint64_t maxPixels) {
    TSkinPictureBudget budget(maxPixels);
    auto load = [&](TBitmap& bitmap, const std::string& label, const std::string& name) {
        LoadSkinPicture(bitmap, label + " \"" + name + "\"", budget,
                        [&](TBitmap& b, uint64_t maxPicturePixels) {
                            if (allowJpeg && IsJpegFileName(name)) {
                                LoadJpegToBitmap(b, folder + name,
                                                 static_cast<int64_t>(std::min<uint64_t>(
                                                     maxPicturePixels, INT64_MAX)));
                            } else {
                                TFileStream stream(folder + name, fmOpenRead);
                                b.LoadFromStream(stream, maxPicturePixels);
                            }
                        });
    };
    for (int i = 0; i < 4; ++i) {
        const std::string name = ini.ReadString("PICTURES", kPictureKeys[i], "");
        if (name.empty())
            pictures.Optional[i].Clear();
        else
            load(pictures.Optional[i], SkinPictureLabel(i), name);
    }
    TStringList names;
    ReadSkinList(ini, "PICTURES", "activepictures", names);
    for (const std::string& name : names) {
        auto bitmap = std::make_unique<TBitmap>();
        load(*bitmap, ActivePictureLabel(pictures.Active.size()), name);
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
    if (!ReadInt32LE(file, length))
        throw EReadError("Damaged compressed skin file: it ends before its length");
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
