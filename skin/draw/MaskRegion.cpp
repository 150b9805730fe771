#include "skin/draw/MaskRegion.h"

#include <cstring>

#include "ui/Bitmap.h"

namespace {

constexpr size_t kHeaderSize = 32;
constexpr size_t kRectSize = 16;

void PutInt32(uint8_t* at, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    at[0] = static_cast<uint8_t>(u);
    at[1] = static_cast<uint8_t>(u >> 8);
    at[2] = static_cast<uint8_t>(u >> 16);
    at[3] = static_cast<uint8_t>(u >> 24);
}

void PutRect(uint8_t* at, const TRect& r) {
    PutInt32(at, r.Left);
    PutInt32(at + 4, r.Top);
    PutInt32(at + 8, r.Right);
    PutInt32(at + 12, r.Bottom);
}

std::optional<TRegion> RegionOf(const TBitmap& mask, int32_t xOffset, int32_t yOffset) {
    const std::vector<uint8_t> data = MaskToRegionData(mask, xOffset, yOffset);
    if (data.empty()) return std::nullopt;
    return TRegion::FromRegionData(data.data(), data.size());
}

}  // namespace

std::vector<uint8_t> MaskToRegionData(const TBitmap& mask, int32_t xOffset, int32_t yOffset) {
    std::vector<uint8_t> data;
    if (mask.Empty()) return data;
    const int32_t w = mask.Width(), h = mask.Height();
    // Black: blue + green + red = 0, i.e. all three channel bytes are zero.
    auto black = [](uint32_t p) { return (p & 0xFFFFFFu) == 0; };
    // The runs are counted first: the block is allocated once, and a mask too finely
    // divided to be a window's shape gives none.
    size_t runs = 0;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* row = mask.ScanLine(y);
        bool inside = false;
        for (int32_t x = 0; x < w; ++x) {
            const bool b = black(row[x]);
            if (b && !inside) ++runs;
            inside = b;
        }
        if (runs > kMaxMaskRegionRuns) return data;
    }
    data.resize(kHeaderSize + kRectSize * runs);
    uint8_t* at = data.data() + kHeaderSize;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* row = mask.ScanLine(y);
        int32_t x = 0;
        while (x < w) {
            while (x < w && !black(row[x])) ++x;
            if (x == w) break;
            const int32_t start = x;
            while (x < w && black(row[x])) ++x;
            PutRect(at, Rect(start + xOffset, y + yOffset, x + xOffset, y + yOffset + 1));
            at += kRectSize;
        }
    }
    uint8_t* header = data.data();
    PutInt32(header, static_cast<int32_t>(kHeaderSize));
    PutInt32(header + 4, 1);  // rectangles
    PutInt32(header + 8, static_cast<int32_t>(runs));
    PutInt32(header + 12, 0);
    PutRect(header + 16, Rect(xOffset, yOffset, xOffset + w, yOffset + h));
    return data;
}

std::optional<TRegion> MaskToRegion(const TBitmap& mask) { return RegionOf(mask, 0, 0); }

std::optional<TRegion> ComposeMaskRegion(const TSkinGeometry& g, const TSkinGeometry& ng, int32_t W,
                                         int32_t H, const TBitmap& mask) {
    if (!ComposableGeometry(g) || !ComposableGeometry(ng) || !ComposableValue(W) ||
        !ComposableValue(H)) {
        return std::nullopt;
    }
    if (ng.RT.X < ng.LT.X || ng.LB.Y < ng.LT.Y) return std::nullopt;
    const TRect& NC = ng.C;
    if (NC.Width() < 1 || NC.Height() < 1) return std::nullopt;

    TBitmap top, bottom, left, right;
    ComposeBorderStripsTiled(g, ng, W, H, mask, TBorderStrips{&top, &bottom, &left, &right});

    // An empty strip contributes nothing.
    auto unite = [](TRegion acc, const std::optional<TRegion>& part) {
        return part ? acc.Union(*part) : acc;
    };
    TRegion topBottom =
        unite(unite(TRegion(), RegionOf(top, 0, 0)), RegionOf(bottom, 0, NC.Bottom));
    TRegion leftRight =
        unite(unite(TRegion(), RegionOf(left, 0, NC.Top)), RegionOf(right, NC.Right, NC.Top));
    return TRegion(NC).Union(leftRight.Union(topBottom));
}
