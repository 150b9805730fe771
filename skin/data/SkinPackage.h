// The byte layouts of a skin: the skin package (format value, four optional pictures,
// active pictures, definition text), the picture block that a stored skin saves, and the
// compressed skin file. Also the builders that make these from a definition file and its
// picture files.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/Bitmap.h"
#include "ui/IniFile.h"
#include "ui/Streams.h"
#include "ui/Strings.h"
#include "skin/data/SkinIniValues.h"

constexpr int32_t kSkinFormatValue = 1;
// Bounds for data from outside: an inflated package may not exceed this, nor may a skin
// file's compressed block.
constexpr int64_t kMaxSkinPackageSize = int64_t{64} << 20;
// The smallest BMP file (file header + info header), used to bound a picture count.
constexpr int64_t kMinBmpFileSize = 14 + 12;

// 32-bit integers of the skin layouts are little-endian, whatever the host's byte order.
// Reading returns false when fewer than 4 bytes remain.
[[nodiscard]] bool ReadInt32LE(TStream& stream, int32_t& value);
void WriteInt32LE(TStream& stream, int32_t value);

// The pictures of a skin: main, mask, roll-up and roll-up mask (empty when absent), then
// the active pictures in picture-index order.
struct TSkinPictures {
    std::array<TBitmap, 4> Optional;
    std::vector<std::unique_ptr<TBitmap>> Active;

    void Clear();
};

// Fields 2 to 11 of a package: a flag byte and a BMP file for each optional picture, the
// active picture count and the active pictures. Reading checks every count and size: a
// missing flag byte, a negative count or one the remaining bytes cannot hold raise
// EReadError with the reason; damaged BMP data raises EInvalidGraphic.
void ReadSkinPictures(TStream& stream, TSkinPictures& pictures);
void WriteSkinPictures(TStream& stream, const TSkinPictures& pictures);

// Reads an inflated package. Returns false (and reads nothing more) when the format value
// is not 1 or cannot be read; the remaining bytes after the pictures become the lines.
bool ReadSkinPackage(TStream& stream, TSkinPictures& pictures, TStringList& lines);
void WriteSkinPackage(TStream& stream, const TSkinPictures& pictures, const TStringList& lines);

// The five sections every skin has.
[[nodiscard]] bool HasRequiredSkinSections(const TMemIniFile& ini);
// The first required section that is missing, or empty.
[[nodiscard]] std::string MissingRequiredSkinSection(const TMemIniFile& ini);

// Loads the pictures named in [PICTURES] from `folder` (which ends with a separator or is
// empty). With `allowJpeg`, names containing ".jpg"/".jpeg" are decoded as JPEG.
void LoadSkinPictureFiles(const TMemIniFile& ini, const std::string& folder, bool allowJpeg, TSkinPictures& pictures);

// The folder part of a path, with its trailing separator ("" for a bare name).
[[nodiscard]] std::string FolderOf(const std::string& path);
[[nodiscard]] std::string FileNameOf(const std::string& path);

// A compressed skin file: format value 1, length L, then L bytes of one zlib stream.
// Returns the compressed bytes; a format value other than 1 gives an empty result. A
// length that is negative, larger than the rest of the file or above the package bound
// raises EReadError ("Damaged compressed skin file: ...").
[[nodiscard]] std::vector<uint8_t> ReadCompressedSkinFileBytes(TStream& file);
void WriteCompressedSkinFile(TStream& file, const std::vector<uint8_t>& compressed);
