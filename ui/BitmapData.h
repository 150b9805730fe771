// A picture property's stored form in a component description (Glyph.Data = {...}): a
// 32-bit little-endian byte count, then that many bytes of one BMP file. An empty property
// has no bytes or a count of 0.
#pragma once

#include <cstdint>
#include <vector>

class TBitmap;

// Reads the stored form into `bitmap` (an empty form empties it). A count that is negative
// or larger than the bytes that follow raises EReadError, damaged BMP data EInvalidGraphic;
// the bitmap is then left unchanged.
void ReadBitmapData(const std::vector<uint8_t>& bytes, TBitmap& bitmap);
// The stored form of a picture (no bytes for an empty one).
[[nodiscard]] std::vector<uint8_t> BitmapData(const TBitmap& bitmap);
