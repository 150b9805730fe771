// A small RGB raster with the few drawing operations the theme needs, and writers for
// palette (8 bpp) and two-colour (1 bpp) BMP files. Output is byte-for-byte reproducible.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skingen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Box {  // right and bottom exclusive
    int l = 0, t = 0, r = 0, b = 0;
    [[nodiscard]] int w() const { return r - l; }
    [[nodiscard]] int h() const { return b - t; }
};

[[nodiscard]] Rgb Mix(Rgb a, Rgb b, int num, int den);

class Raster {
public:
    Raster(int width, int height, Rgb fill);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] Rgb At(int x, int y) const { return px_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, Rgb c);

    void Fill(Box b, Rgb c);
    void Frame(Box b, Rgb c);
    // Light top and left edges, dark bottom and right edges.
    void Bevel(Box b, Rgb light, Rgb dark);
    // Vertical gradient in at most `steps` colour steps (keeps the palette small).
    void GradientV(Box b, Rgb top, Rgb bottom, int steps = 12);
    void GradientH(Box b, Rgb left, Rgb right, int steps = 12);
    // Filled rounded rectangle; pixels outside the corner arcs are left alone.
    void RoundFill(Box b, int radius, Rgb c);
    void RoundFrame(Box b, int radius, Rgb c);
    [[nodiscard]] static bool InsideRound(Box b, int radius, int x, int y);
    // Draws a pattern of '#' (colour) and '.' (untouched) rows centred in the box.
    void Glyph(Box b, const std::vector<std::string>& rows, Rgb c);

    // 8 bpp with a colour table of the colours used (sorted); fails past 256 colours.
    void SaveBmp8(const std::string& path) const;

private:
    int width_, height_;
    std::vector<Rgb> px_;
};

// A 1 bpp picture: true = black (inside the shape).
class Mask {
public:
    Mask(int width, int height)
        : width_(width), height_(height), bits_(static_cast<size_t>(width) * height) {}
    void Set(int x, int y, bool black) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            bits_[static_cast<size_t>(y) * width_ + x] = black;
    }
    void SaveBmp1(const std::string& path) const;

private:
    int width_, height_;
    std::vector<bool> bits_;
};

}  // namespace skingen
