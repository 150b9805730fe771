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
// Pictures beyond this many pixels are refused (1 GiB of pixel memory).
constexpr uint64_t kBmpMaxPixels = uint64_t{1} << 28;

// The total file size declared in a BMP file header; raises EInvalidGraphic when the
// header is not a BMP file header or the size is smaller than a header.
[[nodiscard]] uint32_t BmpDeclaredFileSize(const uint8_t* header14);

// Decodes one whole BMP file of `size` bytes. Raises EInvalidGraphic with the reason.
[[nodiscard]] TBmpImage DecodeBmp(const uint8_t* data, size_t size);

// Encodes a picture as a complete BMP file at the given pixel format: 1/4/8 bits with a
// colour table when every pixel can be indexed (the given palette first, extended with the
// picture's other colours while there is room), 15/16 bits when every pixel survives the
// reduction, otherwise 24 bits; 32 bits as asked; pfDevice as 24 bits.
[[nodiscard]] std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, int32_t width, int32_t height,
                                             TPixelFormat format, const std::vector<uint32_t>& palette);
