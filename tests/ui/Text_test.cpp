// Text through pango with Liberation Sans (Arial's metric twin) and WenQuanYi Zen Hei.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/Accelerators.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/TextLayout.h"

namespace {

// Bounding box of pixels that differ from `back`.
TRect InkBox(const TBitmap& b, TColor back) {
    TRect box{};
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            if (b.GetPixel(x, y) != back) box = UnionRect(box, Rect(x, y, x + 1, y + 1));
        }
    }
    return box;
}

bool HighBytesClear(const TBitmap& b) {
    for (int32_t i = 0; i < b.Width() * b.Height(); ++i) {
        if (b.Bits()[i] & 0xFF000000u) return false;
    }
    return true;
}

}  // namespace

TEST(Font, SizeAndHeightAt96Dpi) {
    TFont f;
    EXPECT_EQ(f.Size(), 8);  // -11 px
    f.SetSize(10);
    EXPECT_EQ(f.Height, -13);
    f.SetSize(9);
    EXPECT_EQ(f.Height, -12);
    f.Height = -16;
    EXPECT_EQ(f.Size(), 12);
    f.Height = 20;  // a cell height gives a negative size, as on the platform
    EXPECT_EQ(f.Size(), -15);
}

TEST(Text, ExtentFollowsTheHeightConvention) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    c.Font.Name = "Arial";
    c.Font.Height = -11;
    const TSize small = c.TextExtent("Hello");
    EXPECT_GE(small.cy, 12);
    EXPECT_LE(small.cy, 14);
    EXPECT_GT(small.cx, 20);
    EXPECT_EQ(c.TextExtent(""), (TSize{0, small.cy}));
    c.Font.Height = -22;
    const TSize big = c.TextExtent("Hello");
    EXPECT_NEAR(big.cx, 2 * small.cx, 3);
    // A positive height is the whole cell: the line is that high.
    c.Font.Height = 20;
    EXPECT_NEAR(c.TextExtent("Hello").cy, 20, 1);
    c.Font.Height = -11;
    c.Font.Style = fsBold;
    EXPECT_GT(c.TextExtent("Hello").cx, small.cx);
    // Deterministic: the same text measures the same every time.
    EXPECT_EQ(c.TextExtent("Hello"), c.TextExtent("Hello"));
}

TEST(Text, TextOutDrawsGlyphsInTheFontColourInsideTheCell) {
    TBitmap b(80, 30);
    TCanvas& c = b.Canvas();
    c.Font.Color = clBlue;
    c.Brush.Style = bsClear;
    c.TextOut(5, 4, "Hello");
    const TSize size = c.TextExtent("Hello");
    const TRect ink = InkBox(b, clWhite);
    EXPECT_FALSE(IsRectEmpty(ink));
    EXPECT_GE(ink.Left, 5);
    EXPECT_GE(ink.Top, 4);
    EXPECT_LE(ink.Right, 5 + size.cx + 1);
    EXPECT_LE(ink.Bottom, 4 + size.cy);
    EXPECT_EQ(c.PenPos(), Point(5 + size.cx, 4));
    // Antialiased blue on white: strongly blue pixels, and no other hue.
    int blue = 0;
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 80; ++x) {
            const TColor p = b.GetPixel(x, y);
            EXPECT_EQ(GetRValue(p), GetGValue(p));
            EXPECT_EQ(GetBValue(p), 0xFF);
            blue += GetRValue(p) < 96;
        }
    }
    EXPECT_GT(blue, 10);
    EXPECT_TRUE(HighBytesClear(b));
}

TEST(Text, SolidBrushFillsTheCellAndClearBrushDoesNot) {
    TBitmap b(80, 30);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clYellow;
    c.TextOut(2, 3, "Hi");
    const TSize size = c.TextExtent("Hi");
    EXPECT_EQ(b.GetPixel(2, 3), clYellow);
    EXPECT_EQ(b.GetPixel(2 + size.cx - 1, 3 + size.cy - 1), clYellow);
    EXPECT_EQ(b.GetPixel(2 + size.cx, 3), clWhite);
    EXPECT_EQ(b.GetPixel(1, 3), clWhite);
    EXPECT_EQ(b.GetPixel(2, 3 + size.cy), clWhite);
}

TEST(Text, DrawingStaysInsideTheClip) {
    TBitmap b(60, 30);
    TCanvas& c = b.Canvas();
    c.Font.Height = -20;
    c.Brush.Color = clAqua;
    c.IntersectClipRect(Rect(0, 0, 10, 30));
    c.TextOut(0, 0, "WWWW");
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 10; x < 60; ++x) ASSERT_EQ(b.GetPixel(x, y), clWhite) << x << "," << y;
    }
    EXPECT_EQ(b.GetPixel(0, 0), clAqua);
    // TextRect clips to its rectangle and fills all of it with the brush.
    TBitmap r(60, 30);
    r.Canvas().Brush.Color = clAqua;
    r.Canvas().Font.Height = -20;
    r.Canvas().TextRect(Rect(5, 5, 20, 25), 0, 0, "WWWW");
    EXPECT_EQ(r.GetPixel(19, 24), clAqua);
    EXPECT_EQ(InkBox(r, clWhite), Rect(5, 5, 20, 25));
}

TEST(Text, Orientation900RunsBottomToTop) {
    TBitmap b(40, 100);
    TCanvas& c = b.Canvas();
    c.Brush.Style = bsClear;
    c.Font.Height = -14;
    c.Font.Orientation = 900;
    const TSize size = c.TextExtent("Vertical");
    c.TextOut(5, 90, "Vertical");
    const TRect ink = InkBox(b, clWhite);
    // The text rises from y = 90 and its cell lies right of x = 5.
    EXPECT_GE(ink.Left, 5);
    EXPECT_LE(ink.Right, 5 + size.cy + 1);
    EXPECT_LE(ink.Bottom, 91);
    EXPECT_GT(ink.Height(), size.cx - 6);
    EXPECT_LT(ink.Width(), size.cy + 1);
    EXPECT_TRUE(HighBytesClear(b));
}

TEST(Text, DrawTextCalcRectAlignmentAndWrapping) {
    TBitmap b(200, 100);
    TCanvas& c = b.Canvas();
    const TSize one = c.TextExtent("Hello world");
    TRect r = Rect(10, 10, 10, 10);
    const int32_t h = c.DrawText("Hello world", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, one.cy);
    EXPECT_EQ(r, Rect(10, 10, 10 + one.cx, 10 + one.cy));
    // Word breaking in a narrow box makes more lines.
    TRect narrow = Rect(0, 0, one.cx * 2 / 3, 0);
    c.DrawText("Hello world", narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(narrow.Height(), 2 * one.cy - 1);
    EXPECT_LE(narrow.Width(), one.cx * 2 / 3);
    // Centred both ways on one line.
    c.Brush.Style = bsClear;
    TRect box = Rect(0, 0, 200, 100);
    c.DrawText("Hello world", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const TRect ink = InkBox(b, clWhite);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 100, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 50, 4);
}

TEST(Text, AcceleratorsAndEllipsis) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    TRect withPrefix = Rect(0, 0, 0, 0), noPrefix = Rect(0, 0, 0, 0);
    c.DrawText("&&File", withPrefix, DT_CALCRECT | DT_SINGLELINE);
    c.DrawText("&&File", noPrefix, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(withPrefix.Width(), c.TextWidth("&File"));
    EXPECT_EQ(noPrefix.Width(), c.TextWidth("&&File"));
    // The accelerator's letter is underlined: more ink below the baseline than without.
    TBitmap u(60, 20), plain(60, 20);
    TRect ru = Rect(0, 0, 60, 20), rp = Rect(0, 0, 60, 20);
    u.Canvas().DrawText("&mmm", ru, DT_SINGLELINE);
    plain.Canvas().DrawText("mmm", rp, DT_SINGLELINE);
    EXPECT_GT(InkBox(u, clWhite).Bottom, InkBox(plain, clWhite).Bottom);
    // End ellipsis keeps the text inside its box.
    TRect shortBox = Rect(0, 0, 40, 20);
    c.DrawText("A rather long caption", shortBox, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(shortBox.Width(), 40);
    EXPECT_GT(shortBox.Width(), 0);
}

// A caption marking two letters underlines the one its hot key matches (the last mark).
TEST(Text, UnderlineFallsOnTheHotkeyLetter) {
    const std::string caption = "&mm&ww";
    ASSERT_EQ(GetHotkey(caption), static_cast<uint32_t>('W'));
    TBitmap marked(80, 24), plain(80, 24);
    TRect rm = Rect(0, 0, 80, 24), rp = Rect(0, 0, 80, 24);
    marked.Canvas().DrawText(caption, rm, DT_SINGLELINE);
    plain.Canvas().DrawText("mmww", rp, DT_SINGLELINE | DT_NOPREFIX);
    int left = 80, right = -1;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (marked.GetPixel(x, y) == plain.GetPixel(x, y)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    ASSERT_GE(right, 0) << "nothing underlined";
    TCanvas& c = plain.Canvas();
    const int hotkeyLeft = c.TextWidth("mm");
    const int hotkeyRight = c.TextWidth("mmw");
    EXPECT_GE(left, hotkeyLeft - 1);
    EXPECT_LE(right, hotkeyRight + 1);
}

TEST(Text, CjkTextIsMeasuredAndDrawn) {
    TBitmap b(120, 40);
    TCanvas& c = b.Canvas();
    c.Font.Name = "WenQuanYi Zen Hei";
    c.Font.Height = -16;
    const TSize size = c.TextExtent("拼图游戏");
    EXPECT_NEAR(size.cx, 64, 4);  // four full-width characters of 16 px
    c.Brush.Style = bsClear;
    c.TextOut(0, 0, "拼图游戏");
    EXPECT_GT(InkBox(b, clWhite).Width(), 50);
    // Invalid UTF-8 does not break the layout.
    EXPECT_GT(c.TextExtent(std::string("ab\xFF\xFE"
                                       "cd"))
                  .cx,
              0);
}
