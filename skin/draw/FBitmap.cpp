#include "skin/draw/FBitmap.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"

TFBitmap::TFBitmap(int32_t width, int32_t height) { Allocate(width, height); }

TFBitmap::TFBitmap(const TBitmap& source) {
    Allocate(source.Width(), source.Height());
    for (int32_t y = 0; y < height_; ++y) {
        const uint32_t* from = source.ScanLine(y);
        uint8_t* to = rows_[static_cast<size_t>(y)];
        for (int32_t x = 0; x < width_; ++x) {
            const uint32_t p = from[x];  // 0x00RRGGBB
            to[0] = static_cast<uint8_t>(p);
            to[1] = static_cast<uint8_t>(p >> 8);
            to[2] = static_cast<uint8_t>(p >> 16);
            to += 3;
        }
    }
}

TFBitmap::TFBitmap(const TFBitmap& other)
    : width_(other.width_),
      height_(other.height_),
      stride_(other.stride_),
      padding_(other.padding_),
      bits_(other.bits_) {
    BuildRowTable();
}

TFBitmap& TFBitmap::operator=(const TFBitmap& other) {
    if (this != &other) {
        width_ = other.width_;
        height_ = other.height_;
        stride_ = other.stride_;
        padding_ = other.padding_;
        bits_ = other.bits_;
        BuildRowTable();
    }
    return *this;
}

void TFBitmap::BuildRowTable() {
    rows_.resize(static_cast<size_t>(height_));
    for (int32_t y = 0; y < height_; ++y)
        rows_[static_cast<size_t>(y)] = bits_.data() + static_cast<size_t>(y) * stride_;
}

void TFBitmap::Allocate(int32_t width, int32_t height) {
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
    width_ = width;
    height_ = height;
    stride_ = StrideFor(width);
    padding_ = stride_ - width * 3;
    bits_.assign(static_cast<size_t>(stride_) * static_cast<size_t>(height), 0);
    BuildRowTable();
}

void TFBitmap::CopyTo(TBitmap& target) const {
    target.SetSize(width_, height_);
    for (int32_t y = 0; y < height_; ++y) {
        const uint8_t* from = rows_[static_cast<size_t>(y)];
        uint32_t* to = target.ScanLine(y);
        for (int32_t x = 0; x < width_; ++x, from += 3) {
            to[x] = static_cast<uint32_t>(from[0]) | (static_cast<uint32_t>(from[1]) << 8) |
                    (static_cast<uint32_t>(from[2]) << 16);
        }
    }
}
