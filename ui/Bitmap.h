// A picture with a canvas. Pixels are kept as 32-bit words 0x00RRGGBB (the layout cairo
// uses for RGB24 surfaces); the pixel format records the depth the picture was read with
// and is written with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/Types.h"

// A picture refused for its size alone, before any of its pixel memory was allocated; it
// carries the size the picture declared.
class EPictureTooLarge : public EInvalidGraphic {
public:
    EPictureTooLarge(const std::string& message, int64_t width, int64_t height)
        : EInvalidGraphic(message), Width(width), Height(height) {}
    int64_t Width;
    int64_t Height;
};

class TCanvas;
class TStream;

// Pictures beyond this many pixels are refused (1 GiB of pixel memory).
constexpr uint64_t kBmpMaxPixels = uint64_t{1} << 28;
typedef struct _cairo_surface cairo_surface_t;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
// tmAuto: the transparent colour is the bottom-left pixel's; tmFixed: TransparentColor.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap {
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height);
    ~TBitmap();
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    // Moving hands over the pixels without copying them; the source becomes empty.
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;

    [[nodiscard]] int32_t Width() const { return width_; }
    [[nodiscard]] int32_t Height() const { return height_; }
    [[nodiscard]] bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Resizing keeps the overlapping top-left part; new pixels are white.
    void SetSize(int32_t width, int32_t height);
    void SetWidth(int32_t width) { SetSize(width, height_); }
    void SetHeight(int32_t height) { SetSize(width_, height); }
    // Frees the pixels; the picture becomes empty.
    void Clear();
    void Assign(const TBitmap& other) { *this = other; }

    [[nodiscard]] TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format) { pixelFormat_ = format; }
    // Colour table the picture was read with (0x00RRGGBB entries); written back when the
    // picture is saved at 1, 4 or 8 bits per pixel and every pixel is in it.
    [[nodiscard]] const std::vector<uint32_t>& Palette() const { return palette_; }
    void SetPalette(std::vector<uint32_t> palette) { palette_ = std::move(palette); }

    // Direct pixel access, row 0 at the top; rows are Width() words apart.
    [[nodiscard]] uint32_t* ScanLine(int32_t y) {
        return pixels_.data() + static_cast<size_t>(y) * width_;
    }
    [[nodiscard]] const uint32_t* ScanLine(int32_t y) const {
        return pixels_.data() + static_cast<size_t>(y) * width_;
    }
    [[nodiscard]] uint32_t* Bits() { return pixels_.data(); }
    [[nodiscard]] const uint32_t* Bits() const { return pixels_.data(); }
    // Pixel colours as TColor (0x00BBGGRR); reads outside the picture give -1 (the
    // platform's "invalid colour", which ColorToRGB resolves to black), writes outside are
    // ignored.
    [[nodiscard]] TColor GetPixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor color);

    bool Transparent = false;
    TTransparentMode TransparentMode = tmAuto;
    // With tmAuto this reads the bottom-left pixel.
    [[nodiscard]] TColor TransparentColor() const;
    void SetTransparentColor(TColor color) {
        fixedTransparentColor_ = color;
        TransparentMode = tmFixed;
    }

    // Reads one BMP file from the stream's position and leaves the stream right after the
    // file's declared size (the skin package frames BMP files by that size). Every depth
    // (1/4/8/16/24/32, RLE4/RLE8, bit fields, top-down and bottom-up) is read; damaged data
    // raises EInvalidGraphic with the reason, and the picture is left unchanged. A picture
    // of more than `maxPixels` pixels raises EPictureTooLarge after only its headers were
    // read (the stream is then back where it was, as after any failure).
    void LoadFromStream(TStream& stream, uint64_t maxPixels = kBmpMaxPixels);
    void LoadFromFile(const std::string& fileName);
    // Writes a complete BMP file at the picture's pixel format (24 bits for pfDevice and
    // for formats that cannot hold the picture's colours).
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;

    [[nodiscard]] TCanvas& Canvas();
    // A cairo surface over the pixels (valid until the next resize); owned by the bitmap.
    [[nodiscard]] cairo_surface_t* Surface();

private:
    void DropSurface();

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
    std::vector<uint32_t> palette_;
    TPixelFormat pixelFormat_ = pfDevice;
    TColor fixedTransparentColor_ = clWhite;
    std::unique_ptr<TCanvas> canvas_;
    cairo_surface_t* surface_ = nullptr;
};

// Pixel word <-> TColor.
[[nodiscard]] constexpr uint32_t ColorToPixel(TColor c) {
    return static_cast<uint32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}
[[nodiscard]] constexpr TColor PixelToColor(uint32_t p) {
    return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}
