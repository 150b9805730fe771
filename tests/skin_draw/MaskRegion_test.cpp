#include "skin/draw/MaskRegion.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/skin_draw/TestPictures.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

int32_t Int32At(const std::vector<uint8_t>& d, size_t at) {
    int32_t v;
    std::memcpy(&v, d.data() + at, 4);
    return v;
}
TRect RectAt(const std::vector<uint8_t>& d, size_t at) {
    return Rect(Int32At(d, at), Int32At(d, at + 4), Int32At(d, at + 8), Int32At(d, at + 12));
}

TBitmap MaskFromRows(const std::vector<std::string>& rows) {
    TBitmap m(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            m.ScanLine(static_cast<int32_t>(y))[x] = rows[y][x] == '#' ? kBlack : kWhite;
    return m;
}

}  // namespace

TEST(MaskToRegionData, HeaderAndRunsInScanOrderWithOffsets) {
    // Near-black pixels (one channel 1) are outside the shape.
    TBitmap mask = MaskFromRows({"#.##.", ".....", "#####"});
    mask.ScanLine(1)[2] = 0x000100;
    const std::vector<uint8_t> d = MaskToRegionData(mask, 10, 20);
    ASSERT_EQ(d.size(), 32u + 16u * 3u);
    EXPECT_EQ(Int32At(d, 0), 32);
    EXPECT_EQ(Int32At(d, 4), 1);
    EXPECT_EQ(Int32At(d, 8), 3);
    EXPECT_EQ(Int32At(d, 12), 0);
    EXPECT_EQ(RectAt(d, 16), Rect(10, 20, 15, 23));
    EXPECT_EQ(RectAt(d, 32), Rect(10, 20, 11, 21));
    EXPECT_EQ(RectAt(d, 48), Rect(12, 20, 14, 21));
    EXPECT_EQ(RectAt(d, 64), Rect(10, 22, 15, 23));  // an all-black row is one run
}

TEST(MaskToRegionData, NoBlackPixelGivesAHeaderWithNoRunsAndAnEmptyMaskNoData) {
    const std::vector<uint8_t> d = MaskToRegionData(SolidPicture(7, 4, 0x010101), 0, 0);
    ASSERT_EQ(d.size(), 32u);
    EXPECT_EQ(Int32At(d, 8), 0);
    EXPECT_EQ(RectAt(d, 16), Rect(0, 0, 7, 4));
    EXPECT_TRUE(MaskToRegionData(TBitmap(), 0, 0).empty());
    EXPECT_FALSE(MaskToRegion(TBitmap()).has_value());
}

TEST(MaskToRegionData, RunListGrowsPastTenThousandRuns) {
    // Alternating columns: 100 runs per row, 12 000 in all.
    TBitmap mask(200, 120);
    for (int32_t y = 0; y < 120; ++y)
        for (int32_t x = 0; x < 200; ++x) mask.ScanLine(y)[x] = x % 2 == 0 ? kBlack : kWhite;
    const std::vector<uint8_t> d = MaskToRegionData(mask, 0, 0);
    ASSERT_EQ(d.size(), 32u + 16u * 12000u);
    EXPECT_EQ(Int32At(d, 8), 12000);
    EXPECT_EQ(RectAt(d, 32 + 16 * 11999), Rect(198, 119, 199, 120));
}

TEST(MaskToRegion, RegionHoldsExactlyTheBlackPixels) {
    const TBitmap mask = MaskFromRows({".##.", "####", "#..#"});
    const std::optional<TRegion> region = MaskToRegion(mask);
    ASSERT_TRUE(region.has_value());
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(region->Contains({x, y}), At(mask, x, y) == kBlack) << x << "," << y;
    EXPECT_EQ(region->Bounds(), Rect(0, 0, 4, 3));
}

TEST(ComposeMaskRegion, ResizedWindowKeepsItsCutCornersAtTheNewCorners) {
    // A 10 x 8 window with the outermost corner pixels cut away.
    TBitmap mask = SolidPicture(10, 8, kBlack);
    mask.ScanLine(0)[0] = mask.ScanLine(0)[9] = mask.ScanLine(7)[0] = mask.ScanLine(7)[9] = kWhite;
    const TSkinGeometry g{{3, 2}, {7, 2}, {3, 6}, {7, 6}, Rect(2, 2, 8, 6)};
    const TRect r = Rect(0, 0, 10, 8);
    const std::optional<TRegion> region =
        ComposeMaskRegion(g, ResizedGeometry(g, r, 25, 17), 25, 17, mask);
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(region->Bounds(), Rect(0, 0, 25, 17));
    for (const TPoint cut : {TPoint{0, 0}, TPoint{24, 0}, TPoint{0, 16}, TPoint{24, 16}}) {
        EXPECT_FALSE(region->Contains(cut)) << cut.X << "," << cut.Y;
    }
    for (const TPoint in : {TPoint{1, 0}, TPoint{23, 0}, TPoint{0, 1}, TPoint{12, 8},
                            TPoint{24, 15}, TPoint{12, 16}}) {
        EXPECT_TRUE(region->Contains(in)) << in.X << "," << in.Y;
    }
    // Smaller than the fixed parts, or an empty client rectangle: no region.
    EXPECT_FALSE(ComposeMaskRegion(g, ResizedGeometry(g, r, 5, 8), 5, 8, mask).has_value());
    EXPECT_FALSE(ComposeMaskRegion(g, ResizedGeometry(g, r, 10, 4), 10, 4, mask).has_value());
}
