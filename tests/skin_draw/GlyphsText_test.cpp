#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "skin/draw/Glyphs.h"
#include "skin/draw/TextUtils.h"
#include "tests/skin_draw/TestPictures.h"
#include "ui/Canvas.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Draws on a white 24 x 24 picture and returns the pixels that became red.
template <typename Draw>
PixelSet Drawn(Draw draw) {
    TBitmap b = SolidPicture(24, 24, 0xFFFFFF);
    draw(b.Canvas());
    PixelSet set;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const uint32_t p = At(b, x, y);
            if (p == 0xFF0000) {
                set.insert({x, y});
            } else {
                EXPECT_EQ(p, 0xFFFFFFu) << "unexpected colour at " << x << "," << y;
            }
        }
    return set;
}

PixelSet HLine(int x0, int x1, int y) {  // x0..x1 inclusive
    PixelSet s;
    for (int x = x0; x <= x1; ++x) s.insert({x, y});
    return s;
}
PixelSet VLine(int x, int y0, int y1) {
    PixelSet s;
    for (int y = y0; y <= y1; ++y) s.insert({x, y});
    return s;
}
PixelSet Join(std::initializer_list<PixelSet> parts) {
    PixelSet s;
    for (const PixelSet& p : parts) s.insert(p.begin(), p.end());
    return s;
}
PixelSet Shift(const PixelSet& s, int dx, int dy) {
    PixelSet r;
    for (auto [x, y] : s) r.insert({x + dx, y + dy});
    return r;
}

}  // namespace

TEST(Glyphs, ArrowsPointTheirWayFromTheRectangleCentre) {
    const TRect r = Rect(2, 2, 12, 12);  // centre (7, 7)
    EXPECT_EQ(Drawn([&](TCanvas& c) { DrawArrow(c, r, clRed, akLeft); }),
              Join({VLine(5, 7, 7), VLine(6, 6, 8), VLine(7, 5, 9), VLine(8, 4, 10)}));
    EXPECT_EQ(Drawn([&](TCanvas& c) { DrawArrow(c, r, clRed, akRight); }),
              Join({VLine(6, 4, 10), VLine(7, 5, 9), VLine(8, 6, 8), VLine(9, 7, 7)}));
    EXPECT_EQ(Drawn([&](TCanvas& c) { DrawArrow(c, r, clRed, akUp); }),
              Join({HLine(7, 7, 5), HLine(6, 8, 6), HLine(5, 9, 7), HLine(4, 10, 8)}));
    EXPECT_EQ(Drawn([&](TCanvas& c) { DrawArrow(c, r, clRed, akDown); }),
              Join({HLine(4, 10, 6), HLine(5, 9, 7), HLine(6, 8, 8), HLine(7, 7, 9)}));
    EXPECT_TRUE(Drawn([&](TCanvas& c) { DrawArrow(c, r, clRed, 7); }).empty());
}

TEST(Glyphs, CheckMarkIsThreeStackedPolylines) {
    PixelSet expected;
    for (int i = 0; i <= 2; ++i) {
        // (0, 5-i) -> (2, 7-i) -> (7, 2-i), each segment without its end point except
        // where the next segment starts.
        expected.insert(
            {{0, 5 - i}, {1, 6 - i}, {2, 7 - i}, {3, 6 - i}, {4, 5 - i}, {5, 4 - i}, {6, 3 - i}});
    }
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawCheck(c, 4, 3, clRed); }), Shift(expected, 4, 3));
}

TEST(Glyphs, CaptionGlyphs) {
    PixelSet close;
    for (int k = 0; k < 8; ++k) {
        close.insert({{1 + k, 1 + k}, {9 - k, 1 + k}, {2 + k, 1 + k}, {8 - k, 1 + k}});
    }
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawCloseGlyph(c, 3, 4, clRed); }), Shift(close, 3, 4));
    // Centred: the 10 x 10 box at (cx - 5, cy - 5).
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawCloseGlyphCentered(c, Rect(0, 0, 21, 17), clRed); }),
              Shift(close, 5, 3));

    EXPECT_EQ(
        Drawn([](TCanvas& c) { DrawMaximizeGlyph(c, 0, 0, clRed); }),
        Join({HLine(0, 10, 0), HLine(0, 10, 1), HLine(0, 10, 9), VLine(0, 0, 9), VLine(10, 0, 9)}));
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawMinimizeGlyph(c, 0, 0, clRed); }),
              Join({HLine(1, 8, 8), HLine(1, 8, 9)}));
    EXPECT_EQ(
        Drawn([](TCanvas& c) { DrawRestoreGlyph(c, 0, 0, clRed); }),
        Join({HLine(2, 9, 0), HLine(2, 9, 1), HLine(2, 9, 5), VLine(2, 0, 5), VLine(9, 0, 5),
              HLine(0, 6, 4), HLine(0, 6, 5), HLine(0, 6, 9), VLine(0, 4, 9), VLine(6, 4, 9)}));
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawFlatBarGlyph(c, 0, 0, clRed); }),
              Join({HLine(1, 8, 3), HLine(1, 8, 5), VLine(1, 3, 5), VLine(8, 3, 5)}));
    // Triangles: the i = 0 line is empty (start = end).
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawTriangleDownGlyph(c, 0, 0, clRed); }),
              Join({HLine(4, 5, 5), HLine(3, 6, 4), HLine(2, 7, 3), HLine(1, 8, 2)}));
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawTriangleUpGlyph(c, 0, 0, clRed); }),
              Join({HLine(4, 5, 3), HLine(3, 6, 4), HLine(2, 7, 5), HLine(1, 8, 6)}));
    PixelSet square;
    for (int y = 2; y <= 6; ++y) square.merge(HLine(2, 6, y));
    EXPECT_EQ(Drawn([](TCanvas& c) { DrawSysMenuGlyph(c, 0, 0, clRed); }), square);
}

TEST(Glyphs, GlyphsRestoreTheCanvasPenAndBrush) {
    TBitmap b(4, 4);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clBlue;
    c.Brush.Color = clLime;
    DrawSysMenuGlyph(c, 0, 0, clRed);
    EXPECT_EQ(c.Pen.Color, clBlue);
    EXPECT_EQ(c.Brush.Color, clLime);
    EXPECT_EQ(c.Brush.Style, bsSolid);
}

TEST(DrawGlyphFrame, DrawsOneFrameWithItsBottomLeftColourTransparent) {
    // Three 3 x 2 frames; frame n is filled with colour n and its bottom-left pixel is the key.
    TBitmap strip(10, 2);  // 10 div 3 = 3: the last column is not part of any frame
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x)
            strip.ScanLine(y)[x] = static_cast<uint32_t>(0x10 * (x / 3 + 1));
    for (int f = 0; f < 3; ++f) strip.ScanLine(1)[f * 3] = 0x00FF00;
    TBitmap target = SolidPicture(6, 4, 0x808080);
    DrawGlyphFrame(target.Canvas(), 1, 1, 2, 3, strip);
    EXPECT_EQ(At(target, 1, 1), 0x20u);
    EXPECT_EQ(At(target, 3, 2), 0x20u);
    EXPECT_EQ(At(target, 1, 2), 0x808080u);  // the key colour is not drawn
    EXPECT_EQ(At(target, 4, 1), 0x808080u);  // outside the frame
    TBitmap untouched = SolidPicture(6, 4, 0x808080);
    DrawGlyphFrame(untouched.Canvas(), 0, 0, 1, 0, strip);
    DrawGlyphFrame(untouched.Canvas(), 0, 0, 1, 3, TBitmap());
    DrawGlyphFrame(untouched.Canvas(), 0, 0, 4, 3, strip);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(At(untouched, x, y), 0x808080u);
}

TEST(EllipsisText, KeepsFittingTextAndShortensToTheLongestFittingPrefix) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    c.Font.Height = -12;
    std::string text = "Puzzle pages";
    EllipsisText(c, text, c.TextWidth(text));
    EXPECT_EQ(text, "Puzzle pages");
    text = "Puzzle pages";
    EllipsisText(c, text, c.TextWidth("Puzz..."));
    EXPECT_EQ(text, "Puzz...");
    text = "Puzzle pages";
    EllipsisText(c, text, 1);
    EXPECT_EQ(text, "...");
    // Whole characters are removed, never part of one.
    text = "智力导航";
    EllipsisText(c, text, c.TextWidth("智力..."));
    EXPECT_EQ(text, "智力...");
    text = "";
    EllipsisText(c, text, -5);
    EXPECT_EQ(text, "...");
}

TEST(DrawTextVCentered, DrawsInsideTheRectangleOnly) {
    TBitmap b = SolidPicture(60, 30, 0xFFFFFF);
    TCanvas& c = b.Canvas();
    c.Font.Height = -14;
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    const TRect r = Rect(10, 5, 30, 25);
    DrawTextVCentered(c, "WWWWWWWW", r);
    int inside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            if (At(b, x, y) == 0xFFFFFF) continue;
            EXPECT_TRUE(PtInRect(r, {x, y})) << x << "," << y;
            EXPECT_GE(x, 12);  // starts at Left + 2
            ++inside;
        }
    EXPECT_GT(inside, 0);
}
