// The byte layouts of a skin: the skin package (format value, four optional pictures,
// active pictures, definition text), the picture block that a stored skin saves, and the
// compressed skin file. Also the builders that make these from a definition file and its
// picture files.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinIniValues.h"
#include "ui/Bitmap.h"
#include "ui/IniFile.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

constexpr int32_t kSkinFormatValue = 1;
// Bounds for data from outside: an inflated package may not exceed this, nor may a skin
// file's compressed block.
constexpr int64_t kMaxSkinPackageSize = int64_t{64} << 20;
// The smallest BMP file (file header + info header), used to bound a picture count.
constexpr int64_t kMinBmpFileSize = 14 + 12;
// All pictures of one skin together (main, mask, roll-up, roll-up mask and the active
// pictures) may hold at most this many pixels: 2^24, 64 MiB of pixel memory at four bytes
// a pixel. The largest sensible skin is a few full-HD pictures (1920 x 1080 is about 2.07
// million pixels): eight of them fit, and the two compiled-in skins use about 0.4 million
// pixels in all. Every reader of a skin's pictures (a package, a stored skin's picture
// block, picture files) checks each picture's declared size against what is left before
// it allocates the picture, so loading a skin never holds more than this in pictures,
// whatever a small file declares.
constexpr uint64_t kSkinPicturesMaxPixels = uint64_t{1} << 24;

// The names the messages give the four optional pictures: "main picture", "mask",
// "roll-up picture", "roll-up mask"; active pictures are "active picture N".
[[nodiscard]] std::string SkinPictureLabel(int optionalIndex);
[[nodiscard]] std::string ActivePictureLabel(size_t index);
// What is left of one skin's picture budget while its pictures are read.
struct TSkinPictureBudget {
    explicit TSkinPictureBudget(uint64_t total = kSkinPicturesMaxPixels)
        : Total(total), Left(total) {}
    uint64_t Total;
    uint64_t Left;
};
// Loads one picture of a skin through `load`, which is given the pixels still left in the
// budget (and must refuse a larger picture with EPictureTooLarge before allocating it), and
// takes the picture's pixels from the budget. A picture too large for what is left raises
// EPictureTooLarge: "<what>: picture of W x H pixels is too large for a skin (its
// pictures may hold N pixels in all, M are left for this one)"; other damage raises
// EInvalidGraphic with `what` put before the reader's message.
void LoadSkinPicture(TBitmap& picture, const std::string& what, TSkinPictureBudget& budget,
                     const std::function<void(TBitmap&, uint64_t)>& load);

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
// EReadError with the reason; damaged BMP data raises EInvalidGraphic naming the picture,
// and pictures that together hold more than `maxPixels` pixels raise EPictureTooLarge
// naming the first picture that does not fit (read no further than its headers).
void ReadSkinPictures(TStream& stream, TSkinPictures& pictures,
                      uint64_t maxPixels = kSkinPicturesMaxPixels);
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
// empty). With `allowJpeg`, names containing ".jpg"/".jpeg" are decoded as JPEG. The
// pictures share the skin's budget of `maxPixels` as in ReadSkinPictures; messages name
// the picture and its file.
void LoadSkinPictureFiles(const TMemIniFile& ini, const std::string& folder, bool allowJpeg,
                          TSkinPictures& pictures, uint64_t maxPixels = kSkinPicturesMaxPixels);

// The folder part of a path, with its trailing separator ("" for a bare name).
[[nodiscard]] std::string FolderOf(const std::string& path);
[[nodiscard]] std::string FileNameOf(const std::string& path);

// A compressed skin file: format value 1, length L, then L bytes of one zlib stream.
// Returns the compressed bytes; a format value other than 1 gives an empty result. A
// length that is negative, larger than the rest of the file or above the package bound
// raises EReadError ("Damaged compressed skin file: ...").
[[nodiscard]] std::vector<uint8_t> ReadCompressedSkinFileBytes(TStream& file);
void WriteCompressedSkinFile(TStream& file, const std::vector<uint8_t>& compressed);
