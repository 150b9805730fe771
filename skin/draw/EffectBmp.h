// A 24-bit pixel buffer (rows of blue, green, red bytes, padded to 4 bytes, row 0 at the
// top) with the skin's colour effects: seven ways of blending another image in (the morph
// kinds), the inactive-window effects, and quarter-turns.
//
// Arithmetic is floating point, rounded to nearest with ties to even, clamped to 0..255.
// Blends do nothing unless the other image has the same width and height.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Types.h"
#include "skin/draw/FBitmap.h"
#include "skin/draw/NoiseRandom.h"

class TBitmap;
class TCanvas;

class TspEffectBmp {
public:
    // Zero-filled (black) buffer.
    TspEffectBmp(int32_t width, int32_t height);
    // The bitmap's pixels.
    explicit TspEffectBmp(const TBitmap& source);

    [[nodiscard]] int32_t Width() const { return pixels_.Width(); }
    [[nodiscard]] int32_t Height() const { return pixels_.Height(); }
    [[nodiscard]] size_t Size() const { return pixels_.Size(); }
    [[nodiscard]] int32_t RowStride() const { return pixels_.RowStride(); }

    // One pixel as a colour (0x00BBGGRR); outside the buffer reads black and writes nothing.
    [[nodiscard]] TColor PixelAt(int32_t x, int32_t y) const;
    void SetPixelAt(int32_t x, int32_t y, TColor color);
    // Width * 3 bytes of row y out of / into `buffer`; RowPointer addresses the row.
    void ReadRow(int32_t y, uint8_t* buffer) const;
    void WriteRow(int32_t y, const uint8_t* buffer);
    [[nodiscard]] uint8_t* RowPointer(int32_t y) { return pixels_.ScanLine(y); }
    [[nodiscard]] const uint8_t* RowPointer(int32_t y) const { return pixels_.ScanLine(y); }

    // Copies the whole buffer 1:1 onto the canvas at (x, y).
    void DrawTo(TCanvas& canvas, int32_t x, int32_t y) const;
    // Sets the bitmap to this size and copies the pixels into it.
    void CopyTo(TBitmap& target) const;

    // Morph kinds. k is clamped to 0..1 for BlendWith and BlendRect (a non-finite k
    // counts as 0 everywhere).
    void BlendWith(const TspEffectBmp& other, double k);
    // Rows r.Top..r.Bottom-1 and columns r.Left..r.Right-1 of self, paired with other's
    // rows from row0 and columns from col0; pixels outside either image are skipped.
    void BlendRect(const TspEffectBmp& other, const TRect& r, int32_t row0, int32_t col0, double k);
    void BlendGradient(const TspEffectBmp& other, double k);
    void BlendLeftGradient(const TspEffectBmp& other, double k);
    void BlendRightGradient(const TspEffectBmp& other, double k);
    void SlideFromLeft(const TspEffectBmp& other, double k);
    void SlideFromRight(const TspEffectBmp& other, double k);
    void PushFromLeft(const TspEffectBmp& other, double k);

    // Inactive-window effects.
    void Lighten(double k);
    void Darken(double k);
    void ToGray();
    // Adds one offset random(amount) - amount div 2 per pixel to its three channels.
    void ScatterNoise(int amount);
    void ScatterNoise(int amount, TNoiseRandom& random);
    void CornerBlur(int distance);
    void InvertColors();
    // The generator ScatterNoise(amount) uses; seeded with TNoiseRandom::kDefaultSeed.
    [[nodiscard]] TNoiseRandom& Random() { return random_; }

    // Quarter-turns into a target of swapped size (Height x Width); another size is left
    // unchanged. TurnLeft is counter-clockwise, TurnRight clockwise.
    void TurnLeft(TspEffectBmp& target) const;
    void TurnRight(TspEffectBmp& target) const;

private:
    [[nodiscard]] bool SameSize(const TspEffectBmp& other) const {
        return Width() == other.Width() && Height() == other.Height();
    }

    TFBitmap pixels_;
    TNoiseRandom random_;
};
