#include "ui/Bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "base/Exceptions.h"
#include "ui/BmpCodec.h"
#include "ui/Canvas.h"
#include "ui/Streams.h"

namespace {
constexpr uint32_t kWhitePixel = 0x00FFFFFF;
constexpr int32_t kReadChunk = 1 << 20;

void CheckSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0 ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kBmpMaxPixels) {
        throw EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " +
                              std::to_string(height));
    }
}
}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height) { SetSize(width, height); }

TBitmap::~TBitmap() { DropSurface(); }

TBitmap::TBitmap(const TBitmap& other)
    : Transparent(other.Transparent),
      TransparentMode(other.TransparentMode),
      width_(other.width_),
      height_(other.height_),
      pixels_(other.pixels_),
      palette_(other.palette_),
      pixelFormat_(other.pixelFormat_),
      fixedTransparentColor_(other.fixedTransparentColor_) {}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : Transparent(other.Transparent),
      TransparentMode(other.TransparentMode),
      width_(other.width_),
      height_(other.height_),
      pixelFormat_(other.pixelFormat_),
      fixedTransparentColor_(other.fixedTransparentColor_) {
    other.DropSurface();  // it points into the pixels that move here
    pixels_ = std::move(other.pixels_);
    palette_ = std::move(other.palette_);
    other.pixels_.clear();
    other.palette_.clear();
    other.width_ = 0;
    other.height_ = 0;
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    if (this == &other) return *this;
    DropSurface();
    other.DropSurface();
    width_ = other.width_;
    height_ = other.height_;
    pixels_ = std::move(other.pixels_);
    palette_ = std::move(other.palette_);
    pixelFormat_ = other.pixelFormat_;
    Transparent = other.Transparent;
    TransparentMode = other.TransparentMode;
    fixedTransparentColor_ = other.fixedTransparentColor_;
    // The source keeps its canvas (it draws on the source), now over an empty picture.
    other.pixels_.clear();
    other.palette_.clear();
    other.width_ = 0;
    other.height_ = 0;
    return *this;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other) return *this;
    DropSurface();
    width_ = other.width_;
    height_ = other.height_;
    pixels_ = other.pixels_;
    palette_ = other.palette_;
    pixelFormat_ = other.pixelFormat_;
    Transparent = other.Transparent;
    TransparentMode = other.TransparentMode;
    fixedTransparentColor_ = other.fixedTransparentColor_;
    return *this;
}

void TBitmap::SetSize(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    CheckSize(width, height);
    DropSurface();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height),
                                 kWhitePixel);
    const int32_t keepW = std::min(width, width_);
    const int32_t keepH = std::min(height, height_);
    for (int32_t y = 0; keepW > 0 && y < keepH; ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * width, ScanLine(y),
                    sizeof(uint32_t) * keepW);
    }
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

void TBitmap::Clear() {
    DropSurface();
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = 0;
    height_ = 0;
}

TColor TBitmap::GetPixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    return PixelToColor(ScanLine(y)[x] & 0x00FFFFFF);
}

void TBitmap::SetPixel(int32_t x, int32_t y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    ScanLine(y)[x] = ColorToPixel(ColorToRGB(color));
}

TColor TBitmap::TransparentColor() const {
    if (TransparentMode == tmFixed) return fixedTransparentColor_;
    if (Empty()) return fixedTransparentColor_;
    return GetPixel(0, height_ - 1);
}

void TBitmap::LoadFromStream(TStream& stream, uint64_t maxPixels) {
    const int64_t start = stream.Position();
    std::vector<uint8_t> data(kBmpSizeFieldsEnd);
    if (stream.Read(data.data(), static_cast<int32_t>(kBmpFileHeaderSize)) !=
        static_cast<int32_t>(kBmpFileHeaderSize)) {
        stream.SetPosition(start);
        throw EInvalidGraphic("Invalid bitmap: the stream ends inside the file header");
    }
    TBmpImage image;
    try {
        const uint32_t fileSize = BmpDeclaredFileSize(data.data());
        // Streams that know their size let a lying size field fail before any allocation;
        // others are read in chunks, so memory grows only with data actually present.
        int64_t remaining = -1;
        try {
            remaining = stream.Size() - start;
        } catch (const Exception&) {
            remaining = -1;  // a stream that cannot tell its size
        }
        if (remaining >= 0 && fileSize > remaining) {
            throw EInvalidGraphic("Invalid bitmap: the stream ends before the declared size of " +
                                  std::to_string(fileSize) + " bytes");
        }
        // The picture's size comes first: one too large is refused before the rest of the
        // file is read (BmpDeclaredFileSize guarantees the size fields are inside it).
        auto readInto = [&](size_t from, size_t to) {
            for (size_t have = from; have < to;) {
                const size_t chunk = std::min<size_t>(to - have, kReadChunk);
                data.resize(have + chunk);
                const int32_t got = stream.Read(data.data() + have, static_cast<int32_t>(chunk));
                if (got != static_cast<int32_t>(chunk)) {
                    throw EInvalidGraphic(
                        "Invalid bitmap: the stream ends before the declared size of " +
                        std::to_string(fileSize) + " bytes");
                }
                have += chunk;
            }
        };
        readInto(kBmpFileHeaderSize, kBmpSizeFieldsEnd);
        int32_t declaredWidth = 0, declaredHeight = 0;
        const uint64_t declared = BmpDeclaredPixels(data.data(), declaredWidth, declaredHeight);
        if (declared > maxPixels) {
            throw EPictureTooLarge("Invalid bitmap: picture of " + std::to_string(declaredWidth) +
                                       " x " + std::to_string(declaredHeight) +
                                       " pixels is too large (at most " +
                                       std::to_string(maxPixels) + " pixels)",
                                   declaredWidth, declaredHeight);
        }
        if (remaining >= 0) data.reserve(fileSize);
        readInto(kBmpSizeFieldsEnd, fileSize);
        image = DecodeBmp(data.data(), data.size(), maxPixels);
    } catch (const Exception&) {
        stream.SetPosition(start);
        throw;
    }
    DropSurface();
    width_ = image.width;
    height_ = image.height;
    pixels_ = std::move(image.pixels);
    palette_ = std::move(image.palette);
    pixelFormat_ = image.format;
}

void TBitmap::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TBitmap::SaveToStream(TStream& stream) const {
    const std::vector<uint8_t> file =
        EncodeBmp(pixels_.data(), width_, height_, pixelFormat_, palette_);
    stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
    return *canvas_;
}

cairo_surface_t* TBitmap::Surface() {
    if (surface_ == nullptr) {
        // An empty picture still gets a (zero-sized) surface so callers need no special case.
        surface_ =
            cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels_.data()),
                                                CAIRO_FORMAT_RGB24, width_, height_, width_ * 4);
    }
    return surface_;
}

void TBitmap::DropSurface() {
    if (surface_ != nullptr) {
        cairo_surface_finish(surface_);
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
}
