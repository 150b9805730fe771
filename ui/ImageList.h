// A list of equally sized small pictures with transparency (menu glyphs, tab images).
#pragma once

#include <cstdint>
#include <vector>

#include "ui/Bitmap.h"
#include "ui/Component.h"

class TCanvas;

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TCustomImageList"; }

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    // Changing the size empties the list. A size below 1 raises EInvalidOperation.
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);

    [[nodiscard]] int Count() const { return static_cast<int>(images_.size()); }

    // Adds the picture cut into Width-wide images from the left (at least one); the mask,
    // when given, marks transparent pixels with any colour but black (the platform's mono
    // mask convention). Returns the index of the first image added. Parts of an image that
    // the picture does not cover are transparent. An empty picture raises EInvalidOperation.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    // Like Add; pixels of `maskColor` are transparent.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Copies image `index` into `out` (Width x Height) as a transparent picture whose key
    // colour is one the image does not use. False for an index outside the list.
    bool GetBitmap(int index, TBitmap& out) const;
    // Draws image `index` with its top-left at (x, y); transparent pixels leave the canvas
    // as it is. Disabled images are drawn embossed in the button highlight and shadow
    // colours. An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    struct Image {
        std::vector<uint32_t> pixels;  // 0x00RRGGBB, Width x Height
        std::vector<bool> opaque;
    };
    template <typename IsTransparent>
    int AddCut(const TBitmap& image, IsTransparent isTransparent);

    int width_ = 16;
    int height_ = 16;
    std::vector<Image> images_;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TImageList"; }
};
