// Small hand-made pictures for the drawing tests.
#pragma once

#include <cstdint>

#include "ui/Bitmap.h"

// Every pixel different: 0x00XXYY01 encodes its own position, so a copied pixel tells
// where it came from.
inline uint32_t Numbered(int32_t x, int32_t y) {
    return (static_cast<uint32_t>(x) << 16) | (static_cast<uint32_t>(y) << 8) | 1u;
}

inline TBitmap NumberedPicture(int32_t w, int32_t h) {
    TBitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.ScanLine(y)[x] = Numbered(x, y);
    return b;
}

inline TBitmap SolidPicture(int32_t w, int32_t h, uint32_t pixel) {
    TBitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.ScanLine(y)[x] = pixel;
    return b;
}

inline uint32_t At(const TBitmap& b, int32_t x, int32_t y) { return b.ScanLine(y)[x]; }
