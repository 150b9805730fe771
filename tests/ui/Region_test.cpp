// Regions: canonical banded rectangle lists, set operations and the rectangle-list data format.
#include "base/Region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "base/Exceptions.h"

namespace {

using Rects = std::vector<TRect>;

// Brute-force pixel test of a region over a small area.
bool Covers(const TRegion& r, int32_t x, int32_t y) { return r.Contains({x, y}); }

// Canonical form: sorted bands, disjoint non-touching spans, no two equal touching bands.
void ExpectCanonical(const TRegion& region) {
    const Rects& r = region.Rects();
    for (size_t i = 0; i < r.size(); ++i) {
        ASSERT_FALSE(IsRectEmpty(r[i]));
        if (i == 0) continue;
        const TRect& a = r[i - 1];
        const TRect& b = r[i];
        if (a.Top == b.Top) {
            ASSERT_EQ(a.Bottom, b.Bottom);
            ASSERT_LT(a.Right, b.Left);  // same band: sorted and not touching
        } else {
            ASSERT_GE(b.Top, a.Bottom);
        }
    }
}

std::vector<uint8_t> RegionData(const Rects& rects, int32_t rgnSize = 0) {
    std::vector<uint8_t> d(32 + 16 * rects.size());
    const int32_t header[8] = {32, 1, static_cast<int32_t>(rects.size()), rgnSize, 0, 0, 100, 100};
    std::memcpy(d.data(), header, 32);
    for (size_t i = 0; i < rects.size(); ++i) std::memcpy(d.data() + 32 + 16 * i, &rects[i], 16);
    return d;
}

}  // namespace

TEST(Region, EmptyRectanglesGiveAnEmptyRegion) {
    EXPECT_TRUE(TRegion(Rect(5, 5, 5, 10)).IsEmpty());
    EXPECT_TRUE(TRegion(Rect(5, 5, 2, 10)).IsEmpty());
    EXPECT_TRUE(TRegion::FromRects({Rect(0, 0, 0, 0), Rect(3, 3, 3, 9)}).IsEmpty());
    EXPECT_EQ(TRegion().Bounds(), TRect{});
    EXPECT_EQ(TRegion(Rect(1, 2, 3, 4)), TRegion::FromRects({Rect(1, 2, 3, 4)}));
}

TEST(Region, UnionBandsAndCoalesces) {
    // Two overlapping squares: three bands.
    const TRegion u = TRegion(Rect(0, 0, 10, 10)).Union(TRegion(Rect(5, 5, 15, 15)));
    EXPECT_EQ(u.Rects(), (Rects{Rect(0, 0, 10, 5), Rect(0, 5, 15, 10), Rect(5, 10, 15, 15)}));
    EXPECT_EQ(u.Bounds(), Rect(0, 0, 15, 15));
    // Side by side touching rectangles merge into one; stacked equal ones too.
    EXPECT_EQ(TRegion::FromRects({Rect(0, 0, 5, 5), Rect(5, 0, 9, 5), Rect(0, 5, 9, 8)}).Rects(),
              (Rects{Rect(0, 0, 9, 8)}));
    // Two separate spans in one band stay two rectangles.
    EXPECT_EQ(TRegion::FromRects({Rect(6, 0, 8, 4), Rect(0, 0, 2, 4)}).Rects(),
              (Rects{Rect(0, 0, 2, 4), Rect(6, 0, 8, 4)}));
}

TEST(Region, IntersectSubtractXor) {
    const TRegion a(Rect(0, 0, 10, 10));
    const TRegion b(Rect(5, 5, 15, 15));
    EXPECT_EQ(a.Intersect(b).Rects(), (Rects{Rect(5, 5, 10, 10)}));
    EXPECT_EQ(a.Subtract(b).Rects(), (Rects{Rect(0, 0, 10, 5), Rect(0, 5, 5, 10)}));
    EXPECT_EQ(a.Xor(b).Rects(), (Rects{Rect(0, 0, 10, 5), Rect(0, 5, 5, 10), Rect(10, 5, 15, 10),
                                       Rect(5, 10, 15, 15)}));
    // A hole in the middle.
    const TRegion ring = TRegion(Rect(0, 0, 9, 9)).Subtract(TRegion(Rect(3, 3, 6, 6)));
    EXPECT_EQ(ring.Rects(),
              (Rects{Rect(0, 0, 9, 3), Rect(0, 3, 3, 6), Rect(6, 3, 9, 6), Rect(0, 6, 9, 9)}));
    EXPECT_FALSE(ring.Contains({4, 4}));
    EXPECT_TRUE(ring.Contains({2, 4}));
    EXPECT_FALSE(ring.Contains({9, 0}));  // right edge excluded
    EXPECT_TRUE(a.Intersect(TRegion(Rect(20, 20, 30, 30))).IsEmpty());
    EXPECT_TRUE(a.Subtract(a).IsEmpty());
    EXPECT_TRUE(a.Xor(a).IsEmpty());
    EXPECT_TRUE(ring.Intersects(Rect(5, 5, 7, 7)));
    EXPECT_FALSE(ring.Intersects(Rect(3, 3, 6, 6)));
}

TEST(Region, OperationsMatchPixelSetsOnRandomRegions) {
    std::mt19937 rng(7);
    auto randomRegion = [&]() {
        Rects rects;
        const int n = static_cast<int>(rng() % 6);
        for (int i = 0; i < n; ++i) {
            const int32_t l = static_cast<int32_t>(rng() % 16),
                          t = static_cast<int32_t>(rng() % 16);
            rects.push_back(Rect(l, t, l + static_cast<int32_t>(rng() % 8),
                                 t + static_cast<int32_t>(rng() % 8)));
        }
        return std::make_pair(rects, TRegion::FromRects(rects));
    };
    auto inRects = [](const Rects& rects, int32_t x, int32_t y) {
        for (const TRect& r : rects) {
            if (PtInRect(r, {x, y})) return true;
        }
        return false;
    };
    for (int iteration = 0; iteration < 300; ++iteration) {
        const auto [ra, a] = randomRegion();
        const auto [rb, b] = randomRegion();
        const TRegion u = a.Union(b), i = a.Intersect(b), s = a.Subtract(b), x = a.Xor(b);
        for (const TRegion* r : {&a, &b, &u, &i, &s, &x}) ExpectCanonical(*r);
        for (int32_t y = -1; y < 25; ++y) {
            for (int32_t px = -1; px < 25; ++px) {
                const bool inA = inRects(ra, px, y), inB = inRects(rb, px, y);
                ASSERT_EQ(Covers(a, px, y), inA);
                ASSERT_EQ(Covers(u, px, y), inA || inB);
                ASSERT_EQ(Covers(i, px, y), inA && inB);
                ASSERT_EQ(Covers(s, px, y), inA && !inB);
                ASSERT_EQ(Covers(x, px, y), inA != inB);
            }
        }
        // The canonical form makes equal pixel sets compare equal.
        EXPECT_EQ(u, b.Union(a));
        EXPECT_EQ(s.Union(i), a);
    }
}

TEST(Region, OffsetMovesEveryRectangle) {
    const TRegion r = TRegion::FromRects({Rect(0, 0, 2, 2), Rect(4, 0, 6, 2)}).Offset(10, -5);
    EXPECT_EQ(r.Rects(), (Rects{Rect(10, -5, 12, -3), Rect(14, -5, 16, -3)}));
}

TEST(RegionData, ReadsRectangleLists) {
    // One run per mask row, as a mask scan produces them: rows with equal runs coalesce.
    const Rects runs = {Rect(0, 0, 4, 1), Rect(0, 1, 4, 2), Rect(1, 2, 3, 3), Rect(6, 2, 7, 3)};
    const std::vector<uint8_t> d = RegionData(runs);
    EXPECT_EQ(TRegion::FromRegionData(d.data(), d.size()).Rects(),
              (Rects{Rect(0, 0, 4, 2), Rect(1, 2, 3, 3), Rect(6, 2, 7, 3)}));
    // No rectangles: header only, an empty region.
    const std::vector<uint8_t> none = RegionData({});
    EXPECT_TRUE(TRegion::FromRegionData(none.data(), none.size()).IsEmpty());
    // The size field may also give the rectangles' byte count.
    const std::vector<uint8_t> sized = RegionData(runs, 64);
    EXPECT_FALSE(TRegion::FromRegionData(sized.data(), sized.size()).IsEmpty());
}

TEST(RegionData, MalformedBlocksRaise) {
    const Rects runs = {Rect(0, 0, 4, 1), Rect(0, 1, 4, 2)};
    const std::vector<uint8_t> good = RegionData(runs);
    auto patched = [&](size_t at, int32_t value) {
        std::vector<uint8_t> d = good;
        std::memcpy(d.data() + at, &value, 4);
        return d;
    };
    const std::vector<std::vector<uint8_t>> bad = {
        patched(0, 28),          // header size
        patched(4, 2),           // type
        patched(8, 3),           // more rectangles than bytes
        patched(8, -1),          // negative count
        patched(8, 0x10000000),  // count whose byte size overflows 32 bits
        patched(12, 16),         // size field smaller than the rectangles
        patched(24, -5),         // inverted bounding box
        patched(32 + 8, -1),     // inverted rectangle
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_THROW((void)TRegion::FromRegionData(bad[i].data(), bad[i].size()), EInvalidOperation)
            << i;
    }
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_THROW((void)TRegion::FromRegionData(good.data(), n), EInvalidOperation) << n;
    }
    EXPECT_THROW((void)TRegion::FromRegionData(nullptr, 0), EInvalidOperation);
}
