#include <gtest/gtest.h>

#include <vector>

#include "skin/draw/SkinCompose.h"
#include "tests/skin_draw/TestPictures.h"

namespace {

const TRect kR = Rect(2, 3, 12, 11);
const TSkinGeometry kG{{3, 2}, {7, 2}, {3, 6}, {7, 6}, Rect(2, 2, 8, 6)};

std::vector<uint32_t> Row(const TBitmap& b, int32_t y) {
    return {b.ScanLine(y), b.ScanLine(y) + b.Width()};
}
std::vector<uint32_t> Column(const TBitmap& b, int32_t x) {
    std::vector<uint32_t> c;
    for (int32_t y = 0; y < b.Height(); ++y) c.push_back(At(b, x, y));
    return c;
}
std::vector<uint32_t> FromRow(int32_t srcY, const std::vector<int32_t>& srcX) {
    std::vector<uint32_t> v;
    for (int32_t x : srcX) v.push_back(Numbered(x, srcY));
    return v;
}
std::vector<uint32_t> FromColumn(int32_t srcX, const std::vector<int32_t>& srcY) {
    std::vector<uint32_t> v;
    for (int32_t y : srcY) v.push_back(Numbered(srcX, y));
    return v;
}

struct Strips {
    TBitmap top, bottom, left, right;
    TBorderStrips Refs() { return {&top, &bottom, &left, &right}; }
};

}  // namespace

TEST(ComposeBorderStrips, StripSizesAndTiledMiddlesStartingAtTheStripsLeftEdge) {
    const TBitmap pic = NumberedPicture(16, 14);
    Strips s;
    ComposeBorderStrips(kG, ResizedGeometry(kG, kR, 10, 8), 10, 8, kR, pic, s.Refs(),
                        TEdgeStretch{});
    EXPECT_EQ(s.top.Width(), 10);
    EXPECT_EQ(s.top.Height(), 2);
    EXPECT_EQ(s.bottom.Height(), 2);
    EXPECT_EQ(s.left.Width(), 2);
    EXPECT_EQ(s.left.Height(), 4);
    EXPECT_EQ(s.right.Width(), 2);
    // The tiled middle runs from x = 0 (phase of the strip, not of LT.X); the ends then
    // cover 0..LT.X and RT.X..W.
    EXPECT_EQ(Row(s.top, 0), FromRow(3, {2, 3, 4, 8, 5, 6, 7, 9, 10, 11}));
    EXPECT_EQ(Row(s.bottom, 1), FromRow(10, {2, 3, 4, 8, 5, 6, 7, 9, 10, 11}));
    EXPECT_EQ(Column(s.left, 1), FromColumn(3, {5, 6, 7, 8}));
    EXPECT_EQ(Column(s.right, 0), FromColumn(10, {5, 6, 7, 8}));
}

TEST(ComposeBorderStrips, StretchedMiddlesFillBetweenTheNewPoints) {
    const TBitmap pic = NumberedPicture(16, 14);
    Strips s;
    ComposeBorderStrips(kG, ResizedGeometry(kG, kR, 10, 8), 10, 8, kR, pic, s.Refs(),
                        TEdgeStretch{true, true, true, true});
    EXPECT_EQ(Row(s.top, 1), FromRow(4, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(ComposeBorderStrips, SideStripEndsAboveAndBelowTheRepeatablePart) {
    const TBitmap pic = NumberedPicture(16, 14);
    // The left edge repeats rows 3..4 of R; rows 2 and 5 (inside the client band) are ends.
    const TSkinGeometry g{{3, 3}, {7, 3}, {3, 5}, {7, 5}, Rect(2, 2, 8, 6)};
    Strips tiled, stretched;
    ComposeBorderStrips(g, ResizedGeometry(g, kR, 10, 12), 10, 12, kR, pic, tiled.Refs(),
                        TEdgeStretch{});
    ComposeBorderStrips(g, ResizedGeometry(g, kR, 10, 12), 10, 12, kR, pic, stretched.Refs(),
                        TEdgeStretch{true, true, true, true});
    EXPECT_EQ(Column(tiled.left, 0), FromColumn(2, {5, 7, 6, 7, 6, 7, 6, 8}));
    EXPECT_EQ(Column(stretched.left, 0), FromColumn(2, {5, 6, 6, 6, 7, 7, 7, 8}));
    EXPECT_EQ(Column(tiled.right, 1), FromColumn(11, {5, 7, 6, 7, 6, 7, 6, 8}));
}

TEST(ComposeBorderStrips, StripsWhoseConditionFailsAreLeftUntouched) {
    const TBitmap pic = NumberedPicture(16, 14);
    // No left band (C.Left = 0) and no repeatable top part (RT.X = LT.X).
    const TSkinGeometry g{{3, 2}, {3, 2}, {3, 6}, {7, 6}, Rect(0, 2, 8, 6)};
    Strips s;
    s.top = SolidPicture(3, 3, 0xEE);
    s.left = SolidPicture(4, 1, 0xDD);
    ComposeBorderStrips(g, ResizedGeometry(g, kR, 14, 9), 14, 9, kR, pic, s.Refs(), TEdgeStretch{});
    EXPECT_EQ(s.top.Width(), 3);
    EXPECT_EQ(At(s.top, 2, 2), 0xEEu);
    EXPECT_EQ(s.left.Width(), 4);
    EXPECT_EQ(At(s.left, 3, 0), 0xDDu);
    EXPECT_EQ(s.bottom.Width(), 14);  // the others are built
    EXPECT_EQ(s.right.Height(), 5);
    // A window no taller than its bands: no side strips.
    Strips flat;
    ComposeBorderStrips(kG, ResizedGeometry(kG, kR, 10, 4), 10, 4, kR, pic, flat.Refs(),
                        TEdgeStretch{});
    EXPECT_TRUE(flat.left.Empty());
    EXPECT_TRUE(flat.right.Empty());
    EXPECT_FALSE(flat.top.Empty());
}

TEST(ComposeBorderStripsTiled, MiddleTilesRunFromTheNewPointsOfTheWholeMask) {
    const TBitmap mask = NumberedPicture(10, 8);
    Strips s;
    ComposeBorderStripsTiled(kG, ResizedGeometry(kG, Rect(0, 0, 10, 8), 18, 8), 18, 8, mask,
                             s.Refs());
    EXPECT_EQ(Row(s.top, 0), FromRow(0, {0, 1, 2, 3, 4, 5, 6, 3, 4, 5, 6, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Row(s.bottom, 0), FromRow(6, {0, 1, 2, 3, 4, 5, 6, 3, 4, 5, 6, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(s.left.Height(), 4);
    EXPECT_EQ(s.right.Width(), 2);
    EXPECT_EQ(Column(s.right, 1), FromColumn(9, {2, 3, 4, 5}));
}
