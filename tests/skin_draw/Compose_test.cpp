#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/draw/Blit.h"
#include "skin/draw/SkinCompose.h"
#include "tests/skin_draw/TestPictures.h"

namespace {

// A 10 x 8 element at (2, 3) of a 16 x 14 picture: 3-pixel corners on the top band, a
// 4-pixel repeatable part on every edge, 2-pixel bands, a 6 x 4 client piece.
const TRect kR = Rect(2, 3, 12, 11);
const TSkinGeometry kG{{3, 2}, {7, 2}, {3, 6}, {7, 6}, Rect(2, 2, 8, 6)};

TBitmap Picture() { return NumberedPicture(16, 14); }

// Row y of the target must come from picture row srcY at the listed columns.
void ExpectRow(const TBitmap& target, int32_t y, int32_t srcY, const std::vector<int32_t>& srcX) {
    ASSERT_EQ(target.Width(), static_cast<int32_t>(srcX.size()));
    for (int32_t x = 0; x < target.Width(); ++x) {
        EXPECT_EQ(At(target, x, y), Numbered(srcX[static_cast<size_t>(x)], srcY))
            << "x=" << x << " y=" << y;
    }
}

void ExpectColumn(const TBitmap& target, int32_t x, int32_t srcX,
                  const std::vector<int32_t>& srcY) {
    ASSERT_EQ(target.Height(), static_cast<int32_t>(srcY.size()));
    for (int32_t y = 0; y < target.Height(); ++y) {
        EXPECT_EQ(At(target, x, y), Numbered(srcX, srcY[static_cast<size_t>(y)]))
            << "x=" << x << " y=" << y;
    }
}

}  // namespace

TEST(ComposeSkinImage, TargetAsLargeAsTheSkinRectReproducesIt) {
    const TBitmap pic = Picture();
    for (const TEdgeStretch stretch : {TEdgeStretch{}, TEdgeStretch{true, true, true, true}}) {
        TBitmap target;
        ComposeSkinImage(kG, ResizedGeometry(kG, kR, 10, 8), target, pic, kR, 10, 8, cdDrawClient,
                         stretch);
        ASSERT_EQ(target.Width(), 10);
        ASSERT_EQ(target.Height(), 8);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 10; ++x)
                ASSERT_EQ(At(target, x, y), Numbered(2 + x, 3 + y)) << x << "," << y;
    }
}

TEST(ComposeSkinImage, ExactMultipleOfTheTileSizeRepeatsWholeTiles) {
    const TBitmap pic = Picture();
    TBitmap target;
    // 8 more pixels each way: two more top/bottom tiles and two more left/right tiles.
    ComposeSkinImageTiled(kG, ResizedGeometry(kG, kR, 18, 16), target, pic, kR, 18, 16,
                          cdDrawClient);
    // Top band: corner, three 4-pixel tiles, corner.
    ExpectRow(target, 0, 3, {2, 3, 4, 5, 6, 7, 8, 5, 6, 7, 8, 5, 6, 7, 8, 9, 10, 11});
    // A client row: left band, client tiles of 6 (the last cut to 2), right band.
    ExpectRow(target, 3, 6, {2, 3, 4, 5, 6, 7, 8, 9, 4, 5, 6, 7, 8, 9, 4, 5, 10, 11});
    // Bottom row: the picture's last row of R.
    ExpectRow(target, 15, 10, {2, 3, 4, 5, 6, 7, 8, 5, 6, 7, 8, 5, 6, 7, 8, 9, 10, 11});
    // Left column: top band, left edge tiles (rows 5..8 of the picture) repeated, bottom.
    ExpectColumn(target, 0, 2, {3, 4, 5, 6, 7, 8, 5, 6, 7, 8, 5, 6, 7, 8, 9, 10});
    // Right column comes from picture column 11.
    ExpectColumn(target, 17, 11, {3, 4, 5, 6, 7, 8, 5, 6, 7, 8, 5, 6, 7, 8, 9, 10});
}

TEST(ComposeSkinImage, StretchedEdgesRepeatPixelsWhereTiledEdgesRepeatTheTile) {
    const TBitmap pic = Picture();
    // Repeatable parts two pixels long: top 6..7 of R, left 2..3 of R.
    const TSkinGeometry g{{4, 2}, {6, 2}, {4, 4}, {6, 4}, Rect(2, 2, 8, 6)};
    TBitmap tiled, stretched;
    ComposeSkinImage(g, ResizedGeometry(g, kR, 12, 10), tiled, pic, kR, 12, 10, cdSkipClient,
                     TEdgeStretch{});
    ComposeSkinImage(g, ResizedGeometry(g, kR, 12, 10), stretched, pic, kR, 12, 10, cdSkipClient,
                     TEdgeStretch{true, true, true, true});
    ExpectRow(tiled, 0, 3, {2, 3, 4, 5, 6, 7, 6, 7, 8, 9, 10, 11});
    ExpectRow(stretched, 0, 3, {2, 3, 4, 5, 6, 6, 7, 7, 8, 9, 10, 11});
    ExpectColumn(tiled, 0, 2, {3, 4, 5, 6, 5, 6, 7, 8, 9, 10});
    ExpectColumn(stretched, 0, 2, {3, 4, 5, 5, 6, 6, 7, 8, 9, 10});
}

TEST(ComposeSkinImage, FixedPiecesArePaintedOverTheEdges) {
    const TBitmap pic = Picture();
    // The left edge's repeatable part (one row, R row 0) starts above the top band's
    // bottom (C.Top = 3), so the left edge and the top-left piece overlap in rows 1..2.
    const TSkinGeometry g{{3, 0}, {7, 0}, {3, 1}, {7, 1}, Rect(2, 3, 8, 6)};
    TBitmap target;
    ComposeSkinImage(g, ResizedGeometry(g, kR, 10, 12), target, pic, kR, 10, 12, cdSkipClient,
                     TEdgeStretch{});
    // Rows 0..2: the top-left piece; rows 3..4: the left edge (R row 0 repeated); from row
    // 5 (LB.Y + dy): the lower part of the left band, R rows 1.. .
    ExpectColumn(target, 0, 2, {3, 4, 5, 3, 3, 4, 5, 6, 7, 8, 9, 10});
}

TEST(ComposeSkinImage, ClientPieceIsTiledOnlyWhenAsked) {
    const TBitmap pic = Picture();
    TBitmap target = SolidPicture(16, 10, 0xABCDEF);
    ComposeSkinImageTiled(kG, ResizedGeometry(kG, kR, 16, 10), target, pic, kR, 16, 10,
                          cdSkipClient);
    EXPECT_EQ(At(target, 2, 2), 0xABCDEFu);  // client area keeps the old pixels
    EXPECT_EQ(At(target, 13, 5), 0xABCDEFu);
    EXPECT_EQ(At(target, 1, 2), Numbered(3, 5));  // left band is drawn
    ComposeSkinImageTiled(kG, ResizedGeometry(kG, kR, 16, 10), target, pic, kR, 16, 10,
                          cdDrawClient);
    EXPECT_EQ(At(target, 2, 2), Numbered(4, 5));
    EXPECT_EQ(At(target, 13, 5),
              Numbered(4 + 5, 5 + 3));  // second column tile, last column and row
}

TEST(ComposeSkinImage, DegenerateGeometryOrEmptyPictureLeavesTheTargetSizedButUnpainted) {
    const TBitmap pic = Picture();
    TSkinGeometry g = kG;
    g.RB.X = g.LT.X;
    TBitmap target = SolidPicture(10, 8, 0x123456);
    ComposeSkinImage(g, ResizedGeometry(g, kR, 12, 8), target, pic, kR, 12, 8, cdDrawClient,
                     TEdgeStretch{});
    EXPECT_EQ(target.Width(), 12);
    EXPECT_EQ(At(target, 0, 0), 0x123456u);
    ComposeSkinImageTiled(kG, kG, target, TBitmap(), kR, 10, 8, cdDrawClient);
    EXPECT_EQ(target.Width(), 10);
    EXPECT_EQ(At(target, 5, 5), 0x123456u);
}

TEST(ComposeSkinImage, ZeroTileSizesAndTargetsSmallerThanTheCornersDrawOnlyWhatFits) {
    const TBitmap pic = Picture();
    // Top edge with no repeatable part and an empty client piece: nothing to divide by.
    const TSkinGeometry g{{5, 2}, {5, 2}, {3, 6}, {7, 6}, Rect(4, 2, 4, 6)};
    TBitmap target;
    ComposeSkinImageTiled(g, ResizedGeometry(g, kR, 20, 12), target, pic, kR, 20, 12, cdDrawClient);
    EXPECT_EQ(At(target, 0, 0), Numbered(2, 3));
    EXPECT_EQ(At(target, 19, 11), Numbered(11, 10));
    // Targets smaller than the fixed parts give negative spans, which draw nothing; the
    // fixed pieces still land in paint order (the bottom-right piece last).
    struct Case {
        int32_t w, h;
        uint32_t topLeft;
    };
    for (const Case& c : {Case{3, 2, Numbered(9, 9)}, Case{1, 1, Numbered(11, 10)},
                          Case{5, 20, Numbered(2, 3)}, Case{0, 0, 0}}) {
        TBitmap small;
        ComposeSkinImage(kG, ResizedGeometry(kG, kR, c.w, c.h), small, pic, kR, c.w, c.h,
                         cdDrawClient, TEdgeStretch{true, false, true, false});
        EXPECT_EQ(small.Width(), c.w);
        EXPECT_EQ(small.Height(), c.h);
        if (c.w > 0) {
            EXPECT_EQ(At(small, 0, 0), c.topLeft) << c.w << "x" << c.h;
        }
    }
}

TEST(ComposeSkinImage, SkinRectReachingOutsideThePictureCopiesOnlyExistingPixels) {
    const TBitmap pic = Picture();
    const TRect outside = Rect(10, 10, 20, 18);  // the picture is 16 x 14
    TBitmap target = SolidPicture(10, 8, 0x777777);
    ComposeSkinImageTiled(kG, ResizedGeometry(kG, outside, 30, 20), target, pic, outside, 30, 20,
                          cdDrawClient);
    EXPECT_EQ(At(target, 0, 0), Numbered(10, 10));
    EXPECT_EQ(At(target, 1, 1), Numbered(11, 11));
}

TEST(ComposeHorzImage, EndsAreCopiedAndTheMiddleTiled) {
    const TBitmap pic = Picture();
    const TRect r = Rect(2, 3, 12, 5);  // 10 x 2: left 3, middle 5, right 2
    TBitmap target;
    ComposeHorzImage(3, 2, target, 14, r, pic);
    ASSERT_EQ(target.Height(), 2);
    ExpectRow(target, 1, 4, {2, 3, 4, 5, 6, 7, 8, 9, 5, 6, 7, 8, 10, 11});
    // Narrower than both ends: the right end is painted over the left.
    ComposeHorzImage(3, 2, target, 4, r, pic);
    ExpectRow(target, 0, 3, {2, 3, 10, 11});
}

TEST(ComposeVertImage, EndsAreCopiedAndTheMiddleTiledDownward) {
    const TBitmap pic = Picture();
    const TRect r = Rect(1, 2, 3, 10);  // 2 x 8: top 2, middle 4, bottom 2
    TBitmap target;
    ComposeVertImage(2, 2, target, 13, r, pic);
    ASSERT_EQ(target.Width(), 2);
    ExpectColumn(target, 1, 2, {2, 3, 4, 5, 6, 7, 4, 5, 6, 7, 4, 8, 9});
}

TEST(ResizeModeOf, ModesAreTestedInOrder) {
    EXPECT_EQ(ResizeModeOf(Rect(0, 0, 0, 5), kG), rmNone);
    EXPECT_EQ(ResizeModeOf(kR, kG), rmBoth);
    EXPECT_EQ(ResizeModeOf(kR, TSkinGeometry{{1, 0}, {0, 3}, {2, 2}, {5, 0}, {}}), rmHorizontal);
    EXPECT_EQ(ResizeModeOf(kR, TSkinGeometry{{1, 0}, {0, 0}, {0, 2}, {0, 7}, {}}), rmVertical);
    EXPECT_EQ(ResizeModeOf(kR, TSkinGeometry{{1, 1}, {}, {}, {}, {}}), rmFixed);
    const TSkinGeometry n = ResizedGeometry(kG, kR, 15, 11);
    EXPECT_EQ(n, (TSkinGeometry{{3, 2}, {12, 2}, {3, 9}, {12, 9}, Rect(2, 2, 13, 9)}));
}

// The row-building tile fill must give exactly the pixels of copying tile by tile.
TEST(TileRect, MatchesTileByTileCopiesIncludingClippedAreas) {
    const TBitmap pic = Picture();
    const TRect tiles[] = {Rect(3, 2, 6, 4), Rect(0, 0, 1, 1), Rect(5, 5, 12, 6),
                           Rect(14, 12, 18, 15)};
    const TRect areas[] = {Rect(0, 0, 20, 9), Rect(-7, -3, 11, 5), Rect(4, 6, 23, 13),
                           Rect(2, 1, 3, 2)};
    for (const TRect& tile : tiles) {
        for (const TRect& area : areas) {
            TBitmap fast = SolidPicture(21, 11, 0x55), slow = SolidPicture(21, 11, 0x55);
            TileRect(fast, area, pic, tile);
            for (int32_t y = area.Top; y < area.Bottom; y += tile.Height())
                for (int32_t x = area.Left; x < area.Right; x += tile.Width()) {
                    const int32_t w = std::min(tile.Width(), area.Right - x),
                                  h = std::min(tile.Height(), area.Bottom - y);
                    BlitRect(slow, Bounds(x, y, w, h), pic, Bounds(tile.Left, tile.Top, w, h));
                }
            for (int32_t y = 0; y < 11; ++y)
                for (int32_t x = 0; x < 21; ++x)
                    ASSERT_EQ(At(fast, x, y), At(slow, x, y)) << x << "," << y;
        }
    }
}

TEST(BlitRect, ClipsToBothBitmapsAndIgnoresEmptyOrNegativeSpans) {
    const TBitmap pic = Picture();
    TBitmap target = SolidPicture(4, 3, 0x99);
    BlitRect(target, Rect(-2, -1, 3, 2), pic, Rect(10, 10, 15, 13));
    EXPECT_EQ(At(target, 0, 0), Numbered(12, 11));
    EXPECT_EQ(At(target, 2, 0), Numbered(14, 11));
    EXPECT_EQ(At(target, 3, 0), 0x99u);  // beyond dst
    EXPECT_EQ(At(target, 0, 1), Numbered(12, 12));
    EXPECT_EQ(At(target, 0, 2), 0x99u);  // below dst
    TBitmap same = SolidPicture(4, 3, 0x99);
    BlitRect(same, Rect(3, 0, 1, 2), pic, Rect(0, 0, 2, 2));  // negative width
    BlitRect(same, Rect(0, 0, 2, 2), pic, Rect(0, 2, 2, 0));  // negative source height
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(At(same, x, y), 0x99u);
    // Stretching picks the pixel under each target pixel's centre.
    TBitmap wide = SolidPicture(6, 1, 0);
    BlitRect(wide, Rect(0, 0, 6, 1), pic, Rect(0, 0, 3, 1));
    ExpectRow(wide, 0, 0, {0, 0, 1, 1, 2, 2});
    BlitRect(wide, Rect(0, 0, 2, 1), pic, Rect(0, 0, 6, 1));
    EXPECT_EQ(At(wide, 0, 0), Numbered(1, 0));
    EXPECT_EQ(At(wide, 1, 0), Numbered(4, 0));
}

TEST(ComposeArithmetic, ExtremeGeometrySaturatesAndComposesNothingWithoutOverflowing) {
    constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
    // The resized geometry saturates instead of wrapping.
    const TSkinGeometry wide{
        {kMax, kMax}, {kMax, kMax}, {kMax, kMax}, {kMax, kMax}, Rect(kMax, kMax, kMax, kMax)};
    const TSkinGeometry n = ResizedGeometry(wide, Rect(0, 0, 1, 1), kMax, kMax);
    EXPECT_EQ(n.RB, (TPoint{kMax, kMax}));
    EXPECT_EQ(n.C, Rect(kMax, kMax, kMax, kMax));
    EXPECT_EQ(ResizedGeometry(kG, Rect(kMin, kMin, kMax, kMax), 0, 0).RB, (TPoint{kMin, kMin}));
    // Such geometry leaves the target sized but unpainted, and so do one-direction
    // elements, border strips and mask shapes made from it.
    const TBitmap pic = Picture();
    TBitmap target;
    ComposeSkinImageTiled(wide, n, target, pic, Rect(0, 0, kMax, kMax), 12, 9, cdDrawClient);
    EXPECT_EQ(target.Width(), 12);
    EXPECT_EQ(At(target, 5, 5), 0x00FFFFFFu);
    ComposeSkinImage(kG, ResizedGeometry(kG, kR, 20, 16), target, pic, Rect(kMin, 3, 12, 11), 20,
                     16, cdDrawClient, TEdgeStretch{true, true, true, true});
    EXPECT_EQ(At(target, 5, 5), 0x00FFFFFFu);
    ComposeHorzImage(kMax, kMax, target, 30, kR, pic);
    EXPECT_EQ(target.Width(), 30);
    ComposeVertImage(kMin, kMax, target, 30, Rect(kMin, 0, kMax, 8), pic);
    EXPECT_EQ(target.Height(), 30);
    TBitmap top, bottom, left, right;
    ComposeBorderStrips(wide, n, 50, 40, Rect(0, 0, kMax, kMax), pic,
                        TBorderStrips{&top, &bottom, &left, &right}, TEdgeStretch{});
    ComposeBorderStripsTiled(wide, n, 50, 40, pic, TBorderStrips{&top, &bottom, &left, &right});
    EXPECT_TRUE(top.Empty() && bottom.Empty() && left.Empty() && right.Empty());
}

TEST(BlitRect, RectanglesWiderThan32BitsCopyOnlyWhatLiesInsideBothBitmaps) {
    constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
    const TBitmap pic = Picture();
    TBitmap target = SolidPicture(6, 4, 0x00FFFFFF);
    // Widths of 2^32 - 1: neither a same-size copy nor a stretch reads or writes outside.
    BlitRect(target, Rect(kMin, 0, kMax, 4), pic, Rect(kMin, 0, kMax, 4));
    EXPECT_EQ(At(target, 0, 0), Numbered(0, 0));
    EXPECT_EQ(At(target, 5, 3), Numbered(5, 3));
    target = SolidPicture(6, 4, 0x00FFFFFF);
    BlitRect(target, Rect(kMin, kMin, kMax, kMax), pic, Rect(0, 0, 16, 14));
    BlitRect(target, Rect(0, 0, 6, 4), pic, Rect(kMin, kMin, kMax, kMax));
    // Tiles of such a size, from outside the picture, reach nothing outside either bitmap.
    TileRect(target, Rect(kMin, kMin, kMax, kMax), pic, Rect(kMin, 0, kMax, 4));
    TileRect(target, Rect(0, 0, 6, 4), pic, Rect(kMax - 2, kMax - 2, kMax, kMax));
    TileRect(target, Rect(-3, -3, 6, 4), pic, Rect(-2, -2, 3, 3));
    // Target (0, 0) and (1, 1) are the area's (3, 3) and (4, 4): the tile's picture (1, 1), (2, 2).
    EXPECT_EQ(At(target, 0, 0), Numbered(1, 1));
    EXPECT_EQ(At(target, 1, 1), Numbered(2, 2));
}
