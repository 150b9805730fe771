// Canvas drawing on small bitmaps, checked pixel by pixel.
#include "ui/Canvas.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/Bitmap.h"

namespace {

constexpr TColor kBack = clWhite;

// Renders the bitmap as rows of characters: '.' for kBack, '#' for black, '?' otherwise.
std::string Picture(const TBitmap& b) {
    std::string s;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            const TColor c = b.GetPixel(x, y);
            s += c == kBack ? '.' : c == clBlack ? '#' : '?';
        }
        s += '\n';
    }
    return s;
}

std::string Rows(std::initializer_list<const char*> rows) {
    std::string s;
    for (const char* r : rows) s += std::string(r) + "\n";
    return s;
}

int CountColor(const TBitmap& b, TColor c) {
    int n = 0;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == c;
    }
    return n;
}

}  // namespace

TEST(Bitmap, ResizeKeepsTheOverlapAndCopiesAreIndependent) {
    TBitmap b(3, 2);
    EXPECT_EQ(b.GetPixel(2, 1), clWhite);
    b.SetPixel(1, 1, clRed);
    b.SetSize(5, 4);
    EXPECT_EQ(b.GetPixel(1, 1), clRed);
    EXPECT_EQ(b.GetPixel(4, 3), clWhite);
    b.SetSize(1, 1);
    EXPECT_EQ(b.GetPixel(0, 0), clWhite);
    EXPECT_EQ(b.GetPixel(1, 0), -1);  // outside
    b.SetPixel(-1, 0, clRed);         // ignored
    TBitmap c = b;
    c.SetPixel(0, 0, clBlue);
    EXPECT_EQ(b.GetPixel(0, 0), clWhite);
    b.SetPixel(0, 0, clBtnFace);  // system colours are stored resolved
    EXPECT_EQ(b.GetPixel(0, 0), ColorToRGB(clBtnFace));
    b.Clear();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.TransparentColor(), clWhite);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessFixed) {
    TBitmap b(4, 3);
    b.SetPixel(0, 2, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clFuchsia);
    EXPECT_EQ(b.TransparentMode, tmFixed);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
}

TEST(Canvas, RectanglesExcludeRightAndBottom) {
    TBitmap b(6, 5);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clBlack;
    c.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(Picture(b), Rows({"......", ".###..", ".###..", "......", "......"}));
    c.FillSolid(Rect(0, 0, 6, 5), kBack);
    c.FrameRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(Picture(b), Rows({"#####.", "#...#.", "#...#.", "#####.", "......"}));
    c.Brush.Style = bsClear;
    c.FillSolid(Rect(0, 0, 6, 5), kBack);
    c.FillRect(Rect(0, 0, 6, 5));
    c.FrameRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(CountColor(b, kBack), 30);
    // Inverted and empty rectangles fill nothing.
    c.Brush.Style = bsSolid;
    c.FillRect(Rect(4, 4, 1, 1));
    c.FillRect(Rect(2, 2, 2, 4));
    EXPECT_EQ(CountColor(b, kBack), 30);
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    TBitmap b(6, 5);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.Rectangle(0, 0, 5, 4);
    EXPECT_EQ(Picture(b), Rows({"#####.", "#???#.", "#???#.", "#####.", "......"}));
    // Without a pen the filled area is one pixel smaller to the right and bottom.
    c.FillSolid(Rect(0, 0, 6, 5), kBack);
    c.Pen.Style = psClear;
    c.Brush.Color = clBlack;
    c.Rectangle(0, 0, 5, 4);
    EXPECT_EQ(Picture(b), Rows({"####..", "####..", "####..", "......", "......"}));
    // A clear brush leaves the inside alone.
    c.FillSolid(Rect(0, 0, 6, 5), kBack);
    c.Pen.Style = psSolid;
    c.Brush.Style = bsClear;
    c.Rectangle(1, 1, 4, 4);
    EXPECT_EQ(Picture(b), Rows({"......", ".###..", ".#.#..", ".###..", "......"}));
}

TEST(Canvas, LineToExcludesTheEndPointAndMovesThePen) {
    TBitmap b(6, 6);
    TCanvas& c = b.Canvas();
    c.MoveTo(0, 0);
    c.LineTo(4, 0);
    EXPECT_EQ(c.PenPos(), Point(4, 0));
    c.LineTo(4, 3);
    c.MoveTo(0, 5);
    c.LineTo(3, 2);  // diagonal up-right
    EXPECT_EQ(Picture(b), Rows({"#####.", "....#.", "....#.", "..#...", ".#....", "#....."}));
    // A zero-length line draws nothing.
    c.FillSolid(Rect(0, 0, 6, 6), kBack);
    c.MoveTo(2, 2);
    c.LineTo(2, 2);
    EXPECT_EQ(CountColor(b, kBack), 36);
}

TEST(Canvas, ShallowLinesStepLikeBresenham) {
    TBitmap b(9, 3);
    TCanvas& c = b.Canvas();
    c.MoveTo(0, 0);
    c.LineTo(8, 2);
    // 8 pixels over 2 rows: every row gets a run and the line is point-symmetric.
    EXPECT_EQ(Picture(b), Rows({"###......", "...####..", ".......#."}));
}

TEST(Canvas, PenModesClearPenAndWidePens) {
    TBitmap b(5, 3);
    TCanvas& c = b.Canvas();
    c.Pen.Mode = pmXor;
    c.Pen.Color = clRed;
    c.MoveTo(0, 1);
    c.LineTo(5, 1);
    EXPECT_EQ(b.GetPixel(2, 1), RGB(0, 0xFF, 0xFF));
    c.MoveTo(0, 1);
    c.LineTo(5, 1);  // xor twice restores
    EXPECT_EQ(CountColor(b, kBack), 15);
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 0);
    c.LineTo(3, 0);
    EXPECT_EQ(Picture(b), Rows({"###..", ".....", "....."}));
    c.Pen.Mode = pmCopy;
    c.Pen.Style = psClear;
    c.MoveTo(0, 2);
    c.LineTo(5, 2);
    EXPECT_EQ(b.GetPixel(1, 2), kBack);
    c.Pen.Style = psSolid;
    c.Pen.Color = clBlack;
    c.Pen.Width = 3;
    c.FillSolid(Rect(0, 0, 5, 3), kBack);
    c.MoveTo(2, 1);
    c.LineTo(3, 1);  // one square dot of 3 x 3
    EXPECT_EQ(Picture(b), Rows({".###.", ".###.", ".###."}));
}

TEST(Canvas, DashedPensLeaveGaps) {
    TBitmap b(12, 1);
    TCanvas& c = b.Canvas();
    c.Pen.Style = psDot;
    c.MoveTo(0, 0);
    c.LineTo(12, 0);
    EXPECT_EQ(Picture(b), Rows({"###...###..."}));
}

TEST(Canvas, OriginAndClipping) {
    TBitmap b(6, 4);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clBlack;
    {
        TCanvasStateGuard guard(c);
        c.SetOrigin({2, 1});
        c.IntersectClipRect(Rect(0, 0, 3, 2));  // logical: device (2,1)-(5,3)
        EXPECT_EQ(c.ClipRect(), Rect(0, 0, 3, 2));
        c.ExcludeClipRect(Rect(1, 0, 2, 1));
        EXPECT_FALSE(c.RectVisible(Rect(1, 0, 2, 1)));
        EXPECT_TRUE(c.RectVisible(Rect(0, 0, 1, 1)));
        c.FillRect(Rect(-10, -10, 10, 10));
        c.SetPixel(-1, -1, clRed);  // outside the clip: ignored
        EXPECT_EQ(c.GetPixel(0, 0), clBlack);
    }
    EXPECT_EQ(Picture(b), Rows({"......", "..#.#.", "..###.", "......"}));
    // The guard restored origin and clip.
    EXPECT_EQ(c.Origin(), Point(0, 0));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 6, 4));
    // A clip region set in logical coordinates is kept in device coordinates.
    c.SetOrigin({1, 0});
    c.SetClipRegion(TRegion::FromRects({Rect(0, 0, 1, 1), Rect(3, 3, 4, 4)}));
    c.SetOrigin({0, 0});
    c.FillSolid(Rect(0, 0, 6, 4), clRed);
    EXPECT_EQ(b.GetPixel(1, 0), clRed);
    EXPECT_EQ(b.GetPixel(4, 3), clRed);
    EXPECT_EQ(CountColor(b, clRed), 2);
    c.SetClipRegion(std::nullopt);
    c.RestoreState();  // nothing saved: harmless
    c.FillSolid(Rect(0, 0, 6, 4), clRed);
    EXPECT_EQ(CountColor(b, clRed), 24);
}

TEST(Canvas, StateStackRestoresToolsInOrder) {
    TBitmap b(2, 2);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clRed;
    c.SaveState();
    c.Pen.Color = clBlue;
    c.Font.Height = -20;
    c.MoveTo(1, 1);
    c.SaveState();
    c.Brush.Style = bsClear;
    c.RestoreState();
    EXPECT_EQ(c.Brush.Style, bsSolid);
    EXPECT_EQ(c.Pen.Color, clBlue);
    c.RestoreState();
    EXPECT_EQ(c.Pen.Color, clRed);
    EXPECT_EQ(c.Font.Height, -11);
    EXPECT_EQ(c.PenPos(), Point(0, 0));
}

TEST(Canvas, StretchingPicksTheNearestSourcePixel) {
    TBitmap src(2, 2);
    src.SetPixel(0, 0, clBlack);
    src.SetPixel(1, 1, clBlack);
    TBitmap b(5, 4);
    b.Canvas().StretchDraw(Rect(0, 0, 4, 4), src);
    EXPECT_EQ(Picture(b), Rows({"##...", "##...", "..##.", "..##."}));
    // Shrinking 4 -> 2 takes source columns 1 and 3, under the target pixels' centres.
    TBitmap stripes(4, 1);
    stripes.SetPixel(1, 0, clBlack);
    stripes.SetPixel(3, 0, clBlack);
    TBitmap small(2, 1);
    small.Canvas().CopyRect(Rect(0, 0, 2, 1), stripes, Rect(0, 0, 4, 1));
    EXPECT_EQ(Picture(small), Rows({"##"}));
    // Copy of a sub-rectangle 1:1.
    TBitmap one(3, 1);
    one.Canvas().CopyRect(Rect(1, 0, 3, 1), stripes, Rect(1, 0, 3, 1));
    EXPECT_EQ(Picture(one), Rows({".#."}));
}

TEST(Canvas, DegenerateCopiesDrawNothingAndNeverLeaveTheTarget) {
    TBitmap src(4, 4);
    src.Canvas().FillSolid(Rect(0, 0, 4, 4), clBlack);
    TBitmap b(4, 4);
    TCanvas& c = b.Canvas();
    c.CopyRect(Rect(3, 0, 1, 4), src, Rect(0, 0, 4, 4));  // negative width
    c.CopyRect(Rect(0, 0, 4, 0), src, Rect(0, 0, 4, 4));  // empty
    c.CopyRect(Rect(0, 0, 4, 4), src, Rect(4, 0, 0, 4));  // negative source
    c.CopyRect(Rect(0, 0, 4, 4), src, Rect(1, 1, 1, 1));  // empty source
    c.StretchDraw(Rect(0, 0, 4, 4), TBitmap());           // empty picture
    EXPECT_EQ(CountColor(b, kBack), 16);
    // Partly outside the target: only the inside part is drawn.
    c.CopyRect(Rect(-2, -2, 2, 2), src, Rect(0, 0, 4, 4));
    c.CopyRect(Rect(3, 3, 100000, 100000), src, Rect(0, 0, 4, 4));
    EXPECT_EQ(Picture(b), Rows({"##..", "##..", "....", "...#"}));
    // Source parts beyond the source picture leave the target as it was.
    b.Canvas().FillSolid(Rect(0, 0, 4, 4), kBack);
    c.CopyRect(Rect(0, 0, 4, 1), src, Rect(2, 0, 6, 1));
    EXPECT_EQ(Picture(b), Rows({"##..", "....", "....", "...."}));
    // A picture copied onto itself with overlap reads the old pixels.
    b.Canvas().FillSolid(Rect(0, 0, 4, 4), kBack);
    b.SetPixel(0, 0, clBlack);
    c.CopyRect(Rect(1, 0, 4, 1), b, Rect(0, 0, 3, 1));
    EXPECT_EQ(Picture(b), Rows({"##..", "....", "....", "...."}));
}

TEST(Canvas, DrawSkipsTheTransparentColour) {
    TBitmap glyph(3, 2);
    glyph.Canvas().FillSolid(Rect(0, 0, 3, 2), clLime);  // bottom-left is lime: the key
    glyph.SetPixel(1, 0, clBlack);
    TBitmap b(4, 3);
    b.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(CountColor(b, clLime), 5);  // not transparent yet
    b.Canvas().FillSolid(Rect(0, 0, 4, 3), kBack);
    glyph.Transparent = true;
    b.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(Picture(b), Rows({"....", "..#.", "...."}));
    glyph.SetTransparentColor(clBlack);
    b.Canvas().FillSolid(Rect(0, 0, 4, 3), kBack);
    b.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(CountColor(b, clLime), 5);
    EXPECT_EQ(b.GetPixel(1, 0), kBack);
    b.Canvas().FillSolid(Rect(0, 0, 4, 3), kBack);
    b.Canvas().CopyRectTransparent(Rect(0, 0, 3, 2), glyph, Rect(0, 0, 3, 2), clLime);
    EXPECT_EQ(Picture(b), Rows({".#..", "....", "...."}));
}

TEST(Canvas, EllipseIsSymmetricAndInsideItsBox) {
    TBitmap b(12, 10);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.Ellipse(1, 1, 11, 9);
    for (int32_t y = 0; y < 10; ++y) {
        for (int32_t x = 0; x < 12; ++x) {
            const bool inBox = x >= 1 && x < 11 && y >= 1 && y < 9;
            if (!inBox) {
                EXPECT_EQ(b.GetPixel(x, y), kBack) << x << "," << y;
            }
            // Mirror symmetric in both axes around the box centre.
            EXPECT_EQ(b.GetPixel(x, y), b.GetPixel(11 - x, y)) << x << "," << y;
            EXPECT_EQ(b.GetPixel(x, y), b.GetPixel(x, 9 - y)) << x << "," << y;
        }
    }
    EXPECT_EQ(b.GetPixel(6, 5), clRed);    // inside: brush
    EXPECT_EQ(b.GetPixel(1, 4), clBlack);  // left end of the middle row: pen
    EXPECT_EQ(b.GetPixel(5, 1), clBlack);  // top: pen
    EXPECT_EQ(b.GetPixel(1, 1), kBack);    // corners stay outside
    // A clipped ellipse draws the same pixels in the visible part.
    TBitmap clipped(12, 10);
    clipped.Canvas().Brush.Color = clRed;
    clipped.Canvas().IntersectClipRect(Rect(0, 3, 12, 10));
    clipped.Canvas().Ellipse(1, 1, 11, 9);
    for (int32_t y = 3; y < 10; ++y) {
        for (int32_t x = 0; x < 12; ++x)
            EXPECT_EQ(clipped.GetPixel(x, y), b.GetPixel(x, y)) << x << "," << y;
    }
}

TEST(Canvas, RoundRectCutsOnlyTheCorners) {
    TBitmap b(10, 8);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clBlack;
    c.RoundRect(0, 0, 10, 8, 4, 4);
    EXPECT_EQ(b.GetPixel(0, 0), kBack);
    EXPECT_EQ(b.GetPixel(9, 7), kBack);
    EXPECT_EQ(b.GetPixel(0, 4), clBlack);
    EXPECT_EQ(b.GetPixel(5, 0), clBlack);
    EXPECT_EQ(b.GetPixel(5, 7), clBlack);
    // Zero corner size is a plain rectangle.
    TBitmap r(10, 8), q(10, 8);
    r.Canvas().RoundRect(1, 1, 9, 7, 0, 0);
    q.Canvas().Rectangle(1, 1, 9, 7);
    EXPECT_EQ(Picture(r), Picture(q));
}

TEST(Canvas, PolygonFillsEvenOddAndOutlines) {
    TBitmap b(6, 6);
    TCanvas& c = b.Canvas();
    c.Pen.Style = psClear;
    c.Brush.Color = clBlack;
    c.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
    EXPECT_EQ(Picture(b), Rows({"......", ".####.", ".####.", ".####.", "......", "......"}));
    c.FillSolid(Rect(0, 0, 6, 6), kBack);
    c.Pen.Style = psSolid;
    c.Brush.Style = bsClear;
    c.Polyline({{0, 0}, {3, 0}, {3, 3}});
    // Each segment excludes its end point; the last point is not drawn.
    EXPECT_EQ(Picture(b), Rows({"####..", "...#..", "...#..", "......", "......", "......"}));
}

TEST(Canvas, LinesFarOutsideTheTargetAreCheap) {
    TBitmap b(4, 4);
    TCanvas& c = b.Canvas();
    c.MoveTo(-2000000000, -2000000000);
    c.LineTo(2000000000, -1999999999);  // entirely above the target
    c.MoveTo(-2000000000, 2);
    c.LineTo(2000000000, 2);  // crosses it: only its visible part matters
    EXPECT_EQ(Picture(b), Rows({"....", "....", "####", "...."}));
}

TEST(Canvas, XorRectanglesUndoThemselvesAndWidePensStayInside) {
    TBitmap b(8, 7);
    TCanvas& c = b.Canvas();
    c.Pen.Mode = pmXor;
    c.Pen.Color = clWhite;
    c.Brush.Color = clRed;
    for (int width : {1, 2, 5}) {
        c.Pen.Width = width;
        c.Rectangle(1, 1, 7, 6);
        EXPECT_LT(CountColor(b, kBack), 56) << width;
        c.Rectangle(1, 1, 7, 6);  // every pixel was touched once: xor again restores
        EXPECT_EQ(CountColor(b, kBack), 56) << width;
    }
    c.Pen.Mode = pmCopy;
    c.Pen.Color = clBlack;
    c.Pen.Width = 2;
    c.Brush.Style = bsClear;
    c.Rectangle(1, 1, 7, 6);
    EXPECT_EQ(Picture(b), Rows({"........", ".######.", ".######.", ".##..##.", ".######.",
                                ".######.", "........"}));
}
