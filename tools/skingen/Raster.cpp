#include "Raster.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace skingen {

Rgb Mix(Rgb a, Rgb b, int num, int den) {
    auto m = [&](int x, int y) { return static_cast<uint8_t>(x + (y - x) * num / den); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Raster::Raster(int width, int height, Rgb fill)
    : width_(width), height_(height), px_(static_cast<size_t>(width) * height, fill) {}

void Raster::Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) px_[static_cast<size_t>(y) * width_ + x] = c;
}

void Raster::Fill(Box b, Rgb c) {
    for (int y = b.t; y < b.b; ++y)
        for (int x = b.l; x < b.r; ++x) Set(x, y, c);
}

void Raster::Frame(Box b, Rgb c) {
    Fill({b.l, b.t, b.r, b.t + 1}, c);
    Fill({b.l, b.b - 1, b.r, b.b}, c);
    Fill({b.l, b.t, b.l + 1, b.b}, c);
    Fill({b.r - 1, b.t, b.r, b.b}, c);
}

void Raster::Bevel(Box b, Rgb light, Rgb dark) {
    Fill({b.l, b.t, b.r, b.t + 1}, light);
    Fill({b.l, b.t, b.l + 1, b.b}, light);
    Fill({b.l, b.b - 1, b.r, b.b}, dark);
    Fill({b.r - 1, b.t, b.r, b.b}, dark);
}

void Raster::GradientV(Box b, Rgb top, Rgb bottom, int steps) {
    const int h = std::max(1, b.h() - 1);
    for (int y = b.t; y < b.b; ++y) {
        const int step = (y - b.t) * (steps - 1) / h;
        Fill({b.l, y, b.r, y + 1}, Mix(top, bottom, step, std::max(1, steps - 1)));
    }
}

void Raster::GradientH(Box b, Rgb left, Rgb right, int steps) {
    const int w = std::max(1, b.w() - 1);
    for (int x = b.l; x < b.r; ++x) {
        const int step = (x - b.l) * (steps - 1) / w;
        Fill({x, b.t, x + 1, b.b}, Mix(left, right, step, std::max(1, steps - 1)));
    }
}

bool Raster::InsideRound(Box b, int radius, int x, int y) {
    if (x < b.l || y < b.t || x >= b.r || y >= b.b) return false;
    // Distance from the nearest corner centre, measured at pixel centres (doubled units).
    const int cx = x < b.l + radius ? b.l + radius : x >= b.r - radius ? b.r - radius - 1 : x;
    const int cy = y < b.t + radius ? b.t + radius : y >= b.b - radius ? b.b - radius - 1 : y;
    const int dx = 2 * (x - cx), dy = 2 * (y - cy);
    return dx * dx + dy * dy <= (2 * radius) * (2 * radius) + 2;
}

void Raster::RoundFill(Box b, int radius, Rgb c) {
    for (int y = b.t; y < b.b; ++y)
        for (int x = b.l; x < b.r; ++x)
            if (InsideRound(b, radius, x, y)) Set(x, y, c);
}

void Raster::RoundFrame(Box b, int radius, Rgb c) {
    const Box inner{b.l + 1, b.t + 1, b.r - 1, b.b - 1};
    for (int y = b.t; y < b.b; ++y)
        for (int x = b.l; x < b.r; ++x)
            if (InsideRound(b, radius, x, y) && !InsideRound(inner, std::max(0, radius - 1), x, y))
                Set(x, y, c);
}

void Raster::Glyph(Box b, const std::vector<std::string>& rows, Rgb c) {
    const int gh = static_cast<int>(rows.size());
    const int gw = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    const int x0 = b.l + (b.w() - gw) / 2, y0 = b.t + (b.h() - gh) / 2;
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw && x < static_cast<int>(rows[y].size()); ++x)
            if (rows[y][x] == '#') Set(x0 + x, y0 + y, c);
}

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

std::vector<uint8_t> Headers(int w, int h, int bpp, int colours, uint32_t imageSize) {
    const uint32_t offBits = 14 + 40 + 4u * static_cast<uint32_t>(colours);
    std::vector<uint8_t> v;
    v.push_back('B');
    v.push_back('M');
    Put32(v, offBits + imageSize);
    Put32(v, 0);
    Put32(v, offBits);
    Put32(v, 40);
    Put32(v, static_cast<uint32_t>(w));
    Put32(v, static_cast<uint32_t>(h));  // bottom-up
    Put16(v, 1);
    Put16(v, static_cast<uint32_t>(bpp));
    Put32(v, 0);
    Put32(v, imageSize);
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, static_cast<uint32_t>(colours));
    Put32(v, 0);
    return v;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace

void Raster::SaveBmp8(const std::string& path) const {
    auto key = [](Rgb c) { return (static_cast<uint32_t>(c.r) << 16) | (c.g << 8) | c.b; };
    std::map<uint32_t, uint8_t> index;
    for (const Rgb& c : px_) index.emplace(key(c), 0);
    if (index.size() > 256) throw std::runtime_error(path + ": more than 256 colours");
    int n = 0;
    for (auto& [k, i] : index) i = static_cast<uint8_t>(n++);
    // Always a full 256-entry table, so the file size depends only on the picture's size.
    const int stride = (width_ + 3) & ~3;
    std::vector<uint8_t> v =
        Headers(width_, height_, 8, 256, static_cast<uint32_t>(stride * height_));
    std::vector<uint32_t> table(256, 0);
    for (auto& [k, i] : index) table[i] = k;
    for (uint32_t k : table) {
        v.push_back(static_cast<uint8_t>(k));
        v.push_back(static_cast<uint8_t>(k >> 8));
        v.push_back(static_cast<uint8_t>(k >> 16));
        v.push_back(0);
    }
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) v.push_back(index[key(At(x, y))]);
        for (int x = width_; x < stride; ++x) v.push_back(0);
    }
    WriteFile(path, v);
}

void Mask::SaveBmp1(const std::string& path) const {
    const int stride = ((width_ + 31) / 32) * 4;
    std::vector<uint8_t> v =
        Headers(width_, height_, 1, 2, static_cast<uint32_t>(stride * height_));
    Put32(v, 0x000000);  // index 0: black
    Put32(v, 0xFFFFFF);  // index 1: white
    for (int y = height_ - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
        for (int x = 0; x < width_; ++x)
            if (!bits_[static_cast<size_t>(y) * width_ + x])
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        v.insert(v.end(), row.begin(), row.end());
    }
    WriteFile(path, v);
}

}  // namespace skingen
