#include "ui/ImageList.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "ui/Canvas.h"

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

void TCustomImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1)
        throw EInvalidOperation("Invalid image size " + std::to_string(width) + "x" +
                                std::to_string(height));
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    images_.clear();
}

template <typename IsTransparent>
int TCustomImageList::AddCut(const TBitmap& image, IsTransparent isTransparent) {
    if (image.Empty()) throw EInvalidOperation("Cannot add an empty picture to an image list");
    const int first = Count();
    const int pieces = std::max(1, image.Width() / width_);
    const size_t area = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    for (int piece = 0; piece < pieces; ++piece) {
        Image img;
        img.pixels.assign(area, 0);
        img.opaque.assign(area, false);
        const int x0 = piece * width_;
        for (int y = 0; y < std::min(height_, image.Height()); ++y) {
            const uint32_t* row = image.ScanLine(y);
            for (int x = 0; x < width_ && x0 + x < image.Width(); ++x) {
                const size_t at =
                    static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
                img.pixels[at] = row[x0 + x] & 0xFFFFFFu;
                img.opaque[at] = !isTransparent(x0 + x, y, row[x0 + x] & 0xFFFFFFu);
            }
        }
        images_.push_back(std::move(img));
    }
    return first;
}

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
    return AddCut(image, [mask](int x, int y, uint32_t) {
        if (!mask || x >= mask->Width() || y >= mask->Height()) return false;
        return (mask->ScanLine(y)[x] & 0xFFFFFFu) != 0;
    });
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    const uint32_t key = ColorToPixel(ColorToRGB(maskColor));
    return AddCut(image, [key](int, int, uint32_t pixel) { return pixel == key; });
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError("Image index out of bounds (" + std::to_string(index) + ")");
    images_.erase(images_.begin() + index);
}

void TCustomImageList::Clear() { images_.clear(); }

bool TCustomImageList::GetBitmap(int index, TBitmap& out) const {
    if (index < 0 || index >= Count()) return false;
    const Image& img = images_[static_cast<size_t>(index)];
    // A key colour the image does not use, so that transparent drawing of `out` skips
    // exactly the transparent pixels.
    uint32_t key = 0xFF00FF;
    auto used = [&img](uint32_t c) {
        for (size_t i = 0; i < img.pixels.size(); ++i)
            if (img.opaque[i] && img.pixels[i] == c) return true;
        return false;
    };
    while (used(key)) key = (key + 0x010203u) & 0xFFFFFFu;
    out.SetSize(width_, height_);
    for (int y = 0; y < height_; ++y) {
        uint32_t* row = out.ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            const size_t at =
                static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
            row[x] = img.opaque[at] ? img.pixels[at] : key;
        }
    }
    out.SetTransparentColor(PixelToColor(key));
    out.Transparent = true;
    return true;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const Image& img = images_[static_cast<size_t>(index)];
    auto plot = [&](int dx, int dy, TColor solid) {
        for (int iy = 0; iy < height_; ++iy)
            for (int ix = 0; ix < width_; ++ix) {
                const size_t at =
                    static_cast<size_t>(iy) * static_cast<size_t>(width_) + static_cast<size_t>(ix);
                if (!img.opaque[at]) continue;
                TColor c = solid != clNone ? solid : PixelToColor(img.pixels[at]);
                canvas.SetPixel(x + ix + dx, y + iy + dy, c);
            }
    };
    if (enabled) {
        plot(0, 0, clNone);
        return;
    }
    // The platform's disabled look: the shape in highlight, offset by one, under the shape
    // in shadow. Only the image's darker pixels form the shape, so light backgrounds inside
    // an image do not turn into a solid block.
    const TColor highlight = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow);
    auto dark = [](uint32_t p) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        return (r * 30 + g * 59 + b * 11) / 100 < 192;
    };
    for (int pass = 0; pass < 2; ++pass) {
        const int d = pass == 0 ? 1 : 0;
        const TColor c = pass == 0 ? highlight : shadow;
        for (int iy = 0; iy < height_; ++iy)
            for (int ix = 0; ix < width_; ++ix) {
                const size_t at =
                    static_cast<size_t>(iy) * static_cast<size_t>(width_) + static_cast<size_t>(ix);
                if (img.opaque[at] && dark(img.pixels[at]))
                    canvas.SetPixel(x + ix + d, y + iy + d, c);
            }
    }
}
