// A 24-bit pixel buffer with direct row access: top-down rows of blue, green, red bytes,
// each row padded to a multiple of 4 bytes (stride = width * 3 + width mod 4). Built from
// a bitmap's pixels and copied back into one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

class TFBitmap {
public:
    // A zero-filled buffer.
    TFBitmap(int32_t width, int32_t height);
    // The bitmap's pixels in 24-bit form.
    explicit TFBitmap(const TBitmap& source);
    // Copies get their own row table (pointing into their own pixels).
    TFBitmap(const TFBitmap& other);
    TFBitmap& operator=(const TFBitmap& other);
    TFBitmap(TFBitmap&&) noexcept = default;
    TFBitmap& operator=(TFBitmap&&) noexcept = default;

    [[nodiscard]] int32_t Width() const { return width_; }
    [[nodiscard]] int32_t Height() const { return height_; }
    [[nodiscard]] size_t Size() const { return bits_.size(); }
    [[nodiscard]] int32_t RowStride() const { return stride_; }
    [[nodiscard]] int32_t RowPadding() const { return padding_; }
    [[nodiscard]] uint8_t* Bits() { return bits_.data(); }
    [[nodiscard]] const uint8_t* Bits() const { return bits_.data(); }
    // Row pointer table, row 0 first.
    [[nodiscard]] uint8_t* ScanLine(int32_t y) { return rows_[static_cast<size_t>(y)]; }
    [[nodiscard]] const uint8_t* ScanLine(int32_t y) const { return rows_[static_cast<size_t>(y)]; }

    // Sets the bitmap to this size and copies the pixels into it.
    void CopyTo(TBitmap& target) const;

    // The padded row size for a width: the 3-byte row rounded up to a multiple of 4.
    [[nodiscard]] static int32_t StrideFor(int32_t width) { return width * 3 + width % 4; }

private:
    void Allocate(int32_t width, int32_t height);
    void BuildRowTable();

    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    int32_t padding_ = 0;
    std::vector<uint8_t> bits_;
    std::vector<uint8_t*> rows_;
};
