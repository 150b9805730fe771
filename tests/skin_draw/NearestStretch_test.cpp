// The canvas's stretching copy and the skin blit follow one nearest-pixel rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/draw/Blit.h"
#include "tests/skin_draw/TestPictures.h"
#include "ui/Canvas.h"

TEST(NearestStretch, CanvasAndSkinBlitShowTheSourcePixelUnderEachTargetCentre) {
    const TBitmap pic = NumberedPicture(8, 6);
    struct Case {
        TRect src, dst;
        std::vector<int32_t> columns, rows;  // expected source column / row per target pixel
    };
    const Case cases[] = {
        {Rect(0, 0, 3, 1), Rect(0, 0, 5, 1), {0, 0, 1, 2, 2}, {0}},        // enlarging
        {Rect(0, 0, 5, 1), Rect(0, 0, 3, 1), {0, 2, 4}, {0}},              // shrinking
        {Rect(4, 2, 5, 3), Rect(0, 0, 4, 3), {4, 4, 4, 4}, {2, 2, 2}},     // one to many
        {Rect(2, 1, 5, 6), Rect(1, 0, 6, 3), {2, 2, 3, 4, 4}, {1, 3, 5}},  // offset source
    };
    for (const Case& c : cases) {
        TBitmap viaCanvas = SolidPicture(7, 4, 0), viaBlit = SolidPicture(7, 4, 0);
        viaCanvas.Canvas().CopyRect(c.dst, pic, c.src);
        BlitRect(viaBlit, c.dst, pic, c.src);
        for (int32_t y = c.dst.Top; y < c.dst.Bottom; ++y) {
            for (int32_t x = c.dst.Left; x < c.dst.Right; ++x) {
                const uint32_t want = Numbered(c.columns[static_cast<size_t>(x - c.dst.Left)],
                                               c.rows[static_cast<size_t>(y - c.dst.Top)]);
                EXPECT_EQ(At(viaCanvas, x, y), want) << "canvas " << x << "," << y;
                EXPECT_EQ(At(viaBlit, x, y), want) << "blit " << x << "," << y;
            }
        }
    }
    // Spans of nearly 2^32 pixels, one source pixel fewer: target x shows source x near 0.
    // The products need more than 64 bits.
    const TRect dst = Rect(INT32_MIN, 0, INT32_MAX, 1), src = Rect(INT32_MIN + 1, 0, INT32_MAX, 1);
    TBitmap viaCanvas = SolidPicture(3, 1, 0), viaBlit = SolidPicture(3, 1, 0);
    viaCanvas.Canvas().CopyRect(dst, pic, src);
    BlitRect(viaBlit, dst, pic, src);
    for (int32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(At(viaCanvas, x, 0), Numbered(x, 0)) << "canvas " << x;
        EXPECT_EQ(At(viaBlit, x, 0), Numbered(x, 0)) << "blit " << x;
    }
}
