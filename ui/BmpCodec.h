// BMP file reading and writing for TBitmap. The reader takes the bytes of one complete
// file (framed by the caller with the file header's size field) and checks every length,
// offset and count before it allocates or touches pixel memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/Bitmap.h"

// A decoded picture: rows top to bottom, pixels 0x00RRGGBB.
struct TBmpImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint32_t> palette;  // the file's colour table, 0x00RRGGBB
    TPixelFormat format = pfDevice;
};

constexpr size_t kBmpFileHeaderSize = 14;
// The first bytes of a BMP file that tell its picture's size: the file header and the
// information header's size, width and height fields (also of the 12-byte OS/2 header).
constexpr size_t kBmpSizeFieldsEnd = kBmpFileHeaderSize + 12;

// The total file size declared in a BMP file header; raises EInvalidGraphic when the
// header is not a BMP file header or the size is smaller than a header.
[[nodiscard]] uint32_t BmpDeclaredFileSize(const uint8_t* header14);

// The pixel count (width x height, heights of top-down pictures counted as positive) that
// the first kBmpSizeFieldsEnd bytes of a BMP file declare, before anything else is
// checked; 0 for an information header size this reader does not know. Lets a reader
// refuse a picture that is too large before it reads or allocates more.
[[nodiscard]] uint64_t BmpDeclaredPixels(const uint8_t* first26, int32_t& width, int32_t& height);

// Decodes one whole BMP file of `size` bytes. Raises EInvalidGraphic with the reason, and
// EPictureTooLarge (before any pixel memory is allocated) when the picture has more than
// `maxPixels` pixels. RLE data is checked whole before the picture is allocated: every
// run, literal and delta must stay inside the picture, the data must reach its end mark
// or the last row, and the bytes it actually uses (up to its end mark, not the padding
// after it) must be enough for the picture's size, at most kRleMaxPixelsPerByte pixels a
// byte.
[[nodiscard]] TBmpImage DecodeBmp(const uint8_t* data, size_t size,
                                  uint64_t maxPixels = kBmpMaxPixels);

// An RLE picture's data bytes may describe at most this many pixels each (delta, end-of-
// line and end-of-picture escapes skip pixels). A real RLE picture holds at least an
// end-of-line mark per row, about 100 pixels per byte for flat rows; 4096 leaves room for
// large skipped areas and still keeps a few bytes from demanding a huge picture.
constexpr uint64_t kRleMaxPixelsPerByte = 4096;

// Encodes a picture as a complete BMP file at the given pixel format: 1/4/8 bits with a
// colour table when every pixel can be indexed (the given palette first, extended with the
// picture's other colours while there is room), 15/16 bits when every pixel survives the
// reduction, otherwise 24 bits; 32 bits as asked; pfDevice as 24 bits.
[[nodiscard]] std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, int32_t width, int32_t height,
                                             TPixelFormat format,
                                             const std::vector<uint32_t>& palette);
