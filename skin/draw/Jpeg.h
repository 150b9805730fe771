// Skin pictures given as JPEG files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TBitmap;

// True when the name contains ".jpg" or ".jpeg" (case-sensitive).
[[nodiscard]] bool IsJpegFileName(const std::string& fileName);

// Pictures larger than this are refused: skin pictures are screen-sized, and a tiny file
// can declare a huge image.
constexpr int64_t kMaxJpegPixels = int64_t{1} << 25;

// Decodes the JPEG file into the bitmap, sized to the picture (24-bit). Damaged or
// unsupported data raises EInvalidGraphic and leaves the bitmap unchanged; a picture of
// more than `maxPixels` (and kMaxJpegPixels) pixels raises EPictureTooLarge as soon as its
// header is read, before any pixel memory is allocated; a file that cannot be read raises
// EFOpenError.
void LoadJpegToBitmap(TBitmap& bitmap, const std::string& fileName,
                      int64_t maxPixels = kMaxJpegPixels);
// The same from bytes in memory.
void LoadJpegFromMemory(TBitmap& bitmap, const uint8_t* data, size_t size,
                        int64_t maxPixels = kMaxJpegPixels);
