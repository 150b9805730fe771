#include "skin/draw/EffectBmp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "skin/draw/FBitmap.h"
#include "tests/skin_draw/TestPictures.h"

namespace {

// Every channel of every pixel set to v.
TspEffectBmp Grey(int32_t w, int32_t h, uint8_t v) {
    TspEffectBmp e(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) e.SetPixelAt(x, y, RGB(v, v, v));
    return e;
}

// Column x of every row has grey value columnValues[x].
TspEffectBmp Columns(const std::vector<uint8_t>& columnValues, int32_t h) {
    TspEffectBmp e(static_cast<int32_t>(columnValues.size()), h);
    for (int32_t y = 0; y < h; ++y)
        for (size_t x = 0; x < columnValues.size(); ++x) {
            const uint8_t v = columnValues[x];
            e.SetPixelAt(static_cast<int32_t>(x), y, RGB(v, v, v));
        }
    return e;
}

std::vector<int> RowGreys(const TspEffectBmp& e, int32_t y) {
    std::vector<int> v;
    for (int32_t x = 0; x < e.Width(); ++x) v.push_back(GetRValue(e.PixelAt(x, y)));
    return v;
}

std::vector<int> ColumnGreys(const TspEffectBmp& e, int32_t x) {
    std::vector<int> v;
    for (int32_t y = 0; y < e.Height(); ++y) v.push_back(GetRValue(e.PixelAt(x, y)));
    return v;
}

bool SamePixels(const TspEffectBmp& a, const TspEffectBmp& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
    return true;
}

TspEffectBmp Numbered3(int32_t w, int32_t h) { return TspEffectBmp(NumberedPicture(w, h)); }

}  // namespace

TEST(TFBitmap, RowsArePaddedBgrAndRoundTripThroughABitmap) {
    for (const auto& [w, stride] : {std::pair{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {7, 24}}) {
        EXPECT_EQ(TFBitmap::StrideFor(w), stride) << w;
    }
    TBitmap source(5, 2);
    source.ScanLine(1)[3] = 0x112233;  // R 11, G 22, B 33
    const TFBitmap f(source);
    EXPECT_EQ(f.RowStride(), 16);
    EXPECT_EQ(f.RowPadding(), 1);
    EXPECT_EQ(f.Size(), 32u);
    EXPECT_EQ(f.ScanLine(1) - f.ScanLine(0), 16);
    EXPECT_EQ(f.ScanLine(1)[9], 0x33);
    EXPECT_EQ(f.ScanLine(1)[10], 0x22);
    EXPECT_EQ(f.ScanLine(1)[11], 0x11);
    // A copy has its own pixels and row table.
    TFBitmap copy = f;
    copy.ScanLine(1)[9] = 0x44;
    EXPECT_EQ(f.ScanLine(1)[9], 0x33);
    EXPECT_EQ(copy.ScanLine(1)[9], 0x44);
    const TBitmap pic = NumberedPicture(7, 3);
    TBitmap back;
    TFBitmap(pic).CopyTo(back);
    ASSERT_EQ(back.Width(), 7);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 7; ++x) EXPECT_EQ(At(back, x, y), At(pic, x, y));
}

TEST(TspEffectBmp, BlendWithClampsKAndRoundsTiesToEven) {
    const TspEffectBmp other = Numbered3(4, 3);
    const TspEffectBmp original = Grey(4, 3, 90);
    for (const double k : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN()}) {
        TspEffectBmp self = original;
        self.BlendWith(other, k);
        EXPECT_TRUE(SamePixels(self, original)) << k;
    }
    for (const double k : {1.0, 1.5}) {
        TspEffectBmp self = original;
        self.BlendWith(other, k);
        EXPECT_TRUE(SamePixels(self, other)) << k;
    }
    // Half way: 0.5, 1.5, 2.5 and 3.5 round to 0, 2, 2 and 4.
    // Wide enough for the vector path as well as the row's tail.
    std::vector<uint8_t> low, high;
    std::vector<int> expected;
    for (int x = 0; x < 13; ++x) {
        low.push_back(static_cast<uint8_t>(x));
        high.push_back(static_cast<uint8_t>(x + 1));
        expected.push_back(x % 2 == 0 ? x : x + 1);  // x + 0.5 -> the even neighbour
    }
    TspEffectBmp self = Columns(low, 2);
    self.BlendWith(Columns(high, 2), 0.5);
    EXPECT_EQ(RowGreys(self, 1), expected);
    TspEffectBmp light = Columns(low, 1);
    light.Lighten(0.5);  // (x + 255) / 2
    for (int x = 0; x < 13; ++x) {
        const int sum = x + 255;  // odd x: exact; even x: a tie, to the even neighbour
        const int want = sum % 2 == 0 ? sum / 2 : ((sum / 2) % 2 == 0 ? sum / 2 : sum / 2 + 1);
        EXPECT_EQ(RowGreys(light, 0)[static_cast<size_t>(x)], want) << x;
    }
}

TEST(TspEffectBmp, BlendsOfDifferentSizesLeaveSelfUnchanged) {
    const TspEffectBmp original = Numbered3(4, 3);
    const TspEffectBmp other = Grey(3, 4, 200);
    using Blend = void (TspEffectBmp::*)(const TspEffectBmp&, double);
    for (Blend blend :
         {&TspEffectBmp::BlendWith, &TspEffectBmp::BlendGradient, &TspEffectBmp::BlendLeftGradient,
          &TspEffectBmp::BlendRightGradient, &TspEffectBmp::SlideFromLeft,
          &TspEffectBmp::SlideFromRight, &TspEffectBmp::PushFromLeft}) {
        TspEffectBmp self = original;
        (self.*blend)(other, 0.5);
        EXPECT_TRUE(SamePixels(self, original));
    }
    TspEffectBmp self = original;
    self.BlendRect(other, Rect(0, 0, 3, 3), 0, 0, 1.0);
    EXPECT_TRUE(SamePixels(self, original));
}

TEST(TspEffectBmp, BlendRectPairsRowsAndColumnsAndStaysInside) {
    TspEffectBmp self = Grey(4, 2, 0);
    const TspEffectBmp other = Columns({10, 20, 30, 40}, 2);
    self.BlendRect(other, Rect(1, 0, 3, 1), 1, 0, 1.0);
    EXPECT_EQ(RowGreys(self, 0), (std::vector<int>{0, 10, 20, 0}));
    EXPECT_EQ(RowGreys(self, 1), (std::vector<int>{0, 0, 0, 0}));
    // A rectangle and offsets reaching outside only blend the pairs that exist.
    self.BlendRect(other, Rect(-5, -5, 50, 50), 1, 2, 1.0);
    EXPECT_EQ(RowGreys(self, 0),
              (std::vector<int>{
                  0, 10, 20, 0}));  // pairs rows -5.. with other's -4..: row 0 -> other row 6: none
    self.BlendRect(other, Rect(0, 0, 4, 2), 1, 2, 1.0);
    EXPECT_EQ(RowGreys(self, 0), (std::vector<int>{30, 40, 20, 0}));
}

TEST(TspEffectBmp,
     BlendRectWithInvertedDisjointOrPartlyOutsideRectanglesTouchesOnlyPairsThatExist) {
    // Every case has rows that overlap both images, so only the columns decide (a negative
    // column span used to be taken as a huge length).
    const TspEffectBmp original = Grey(4, 2, 0);
    const TspEffectBmp other = Columns({10, 20, 30, 40}, 2);
    const struct {
        TRect r;
        int32_t row0, col0;
    } nothing[] = {
        {Rect(3, 0, 1, 2), 0, 0},      // inverted columns
        {Rect(2, 2, 4, 0), 0, 0},      // inverted rows
        {Rect(10, 0, 20, 2), 0, 0},    // columns right of the bitmap
        {Rect(-20, 0, -10, 2), 0, 0},  // columns left of it
        {Rect(0, 0, 4, 2), 0, 10},     // paired columns right of the other image
        {Rect(0, 0, 4, 2), 0, -10},    // and left of it
        {Rect(0, 0, 4, 2), 5, 0},      // paired rows below it
        {Rect(INT32_MIN, 0, INT32_MAX, 2), 0, INT32_MAX},
        {Rect(INT32_MAX, 0, INT32_MIN, 2), INT32_MIN, INT32_MIN},
    };
    for (const auto& c : nothing) {
        TspEffectBmp self = original;
        self.BlendRect(other, c.r, c.row0, c.col0, 1.0);
        EXPECT_TRUE(SamePixels(self, original))
            << c.r.Left << "," << c.r.Top << "," << c.r.Right << "," << c.r.Bottom;
    }
    // Partly outside: columns -2..1 pair with other's columns 0..3; only self's 0 and 1 exist.
    TspEffectBmp self = original;
    self.BlendRect(other, Rect(-2, -1, 2, 5), -1, 0, 1.0);
    EXPECT_EQ(RowGreys(self, 0), (std::vector<int>{30, 40, 0, 0}));
    EXPECT_EQ(RowGreys(self, 1), (std::vector<int>{30, 40, 0, 0}));
    // Reaching past the right and bottom: columns 3..9 pair with 0..6, rows 1..9 with 0..8.
    self = original;
    self.BlendRect(other, Rect(3, 1, 10, 10), 0, 0, 1.0);
    EXPECT_EQ(RowGreys(self, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(RowGreys(self, 1), (std::vector<int>{0, 0, 0, 10}));
}

TEST(TspEffectBmp, BlendGradientShowsOtherInTheMiddleFadingOutward) {
    TspEffectBmp wide = Grey(8, 2, 0);
    wide.BlendGradient(Grey(8, 2, 255), 0.0);
    // band 4, step 0.25; column 4 is other's, fading to self over four columns each way.
    EXPECT_EQ(RowGreys(wide, 1), (std::vector<int>{0, 64, 128, 191, 255, 191, 128, 64}));
    TspEffectBmp all = Grey(8, 2, 0);
    all.BlendGradient(Grey(8, 2, 255), 1.0);
    EXPECT_EQ(RowGreys(all, 0), (std::vector<int>(8, 255)));
    TspEffectBmp tall = Grey(2, 8, 0);
    tall.BlendGradient(Grey(2, 8, 255), 0.0);
    // Vertical form: band (H - 1 - b) div 2 = 3, step 1/3.
    EXPECT_EQ(ColumnGreys(tall, 0), (std::vector<int>{0, 0, 85, 170, 255, 170, 85, 0}));
}

TEST(TspEffectBmp, LeftAndRightGradientsAtHalfWay) {
    TspEffectBmp left = Grey(4, 1, 0);
    left.BlendLeftGradient(Grey(4, 1, 255), 0.5);
    EXPECT_EQ(RowGreys(left, 0), (std::vector<int>{255, 128, 0, 0}));
    TspEffectBmp right = Grey(4, 1, 0);
    right.BlendRightGradient(Grey(4, 1, 255), 0.5);
    EXPECT_EQ(RowGreys(right, 0), (std::vector<int>{0, 0, 128, 255}));
    // One column wide: stays inside.
    TspEffectBmp narrow = Grey(1, 2, 0);
    narrow.BlendLeftGradient(Grey(1, 2, 255), 0.5);
    EXPECT_EQ(RowGreys(narrow, 0), (std::vector<int>{255}));
}

TEST(TspEffectBmp, SlidesAndPushMoveColumns) {
    const TspEffectBmp other = Columns({10, 20, 30, 40, 50}, 1);
    TspEffectBmp fromLeft = Columns({1, 2, 3, 4, 5}, 1);
    fromLeft.SlideFromLeft(other, 0.4);  // b = 2
    EXPECT_EQ(RowGreys(fromLeft, 0), (std::vector<int>{40, 50, 3, 4, 5}));
    TspEffectBmp fromRight = Columns({1, 2, 3, 4, 5}, 1);
    fromRight.SlideFromRight(other, 0.4);
    EXPECT_EQ(RowGreys(fromRight, 0), (std::vector<int>{1, 2, 3, 10, 20}));
    TspEffectBmp atEnd = Columns({1, 2, 3, 4, 5}, 1);
    atEnd.SlideFromLeft(other, 1.0);  // b at most W - 1
    EXPECT_EQ(RowGreys(atEnd, 0), (std::vector<int>{20, 30, 40, 50, 5}));
    TspEffectBmp push = Columns({1, 2, 3, 4, 5}, 1);
    push.PushFromLeft(other, 0.2);  // a = 1: self moves right by two, other's last two come in
    EXPECT_EQ(RowGreys(push, 0), (std::vector<int>{40, 50, 1, 2, 3}));
    TspEffectBmp none = Columns({1, 2, 3, 4, 5}, 1);
    none.PushFromLeft(other, 0.0);
    EXPECT_EQ(RowGreys(none, 0), (std::vector<int>{50, 1, 2, 3, 4}));
}

TEST(TspEffectBmp, ColourEffects) {
    TspEffectBmp white = Grey(3, 2, 255);
    white.ToGray();
    EXPECT_EQ(white.PixelAt(2, 1), RGB(255, 255, 255));
    TspEffectBmp colours(3, 1);
    colours.SetPixelAt(0, 0, RGB(255, 0, 0));     // 76.5 -> 76
    colours.SetPixelAt(1, 0, RGB(0, 255, 0));     // 150.45 -> 150
    colours.SetPixelAt(2, 0, RGB(200, 100, 50));  // 124.5 -> 124
    colours.ToGray();
    EXPECT_EQ(colours.PixelAt(0, 0), RGB(76, 76, 76));
    EXPECT_EQ(colours.PixelAt(1, 0), RGB(150, 150, 150));
    EXPECT_EQ(colours.PixelAt(2, 0), RGB(124, 124, 124));

    TspEffectBmp light = Columns({0, 1, 255}, 1);
    light.Lighten(0.5);
    EXPECT_EQ(RowGreys(light, 0), (std::vector<int>{128, 128, 255}));
    TspEffectBmp dark = Columns({0, 10, 255}, 1);
    dark.Darken(0.3);  // 7.0, 178.5 -> 178
    EXPECT_EQ(RowGreys(dark, 0), (std::vector<int>{0, 7, 178}));
    TspEffectBmp over = Columns({0, 10, 255}, 1);
    over.Darken(4.0);
    EXPECT_EQ(RowGreys(over, 0), (std::vector<int>{0, 0, 0}));

    const TspEffectBmp original = Numbered3(5, 3);
    TspEffectBmp inverted = original;
    inverted.InvertColors();
    EXPECT_EQ(inverted.PixelAt(4, 2), RGB(0xFB, 0xFD, 0xFE));  // Numbered(4, 2) = 0x040201
    inverted.InvertColors();
    EXPECT_TRUE(SamePixels(inverted, original));
}

TEST(TspEffectBmp, ScatterNoiseIsSeededAndMovesChannelsTogether) {
    const TspEffectBmp original = Grey(16, 8, 128);
    TspEffectBmp a = original, b = original;
    TNoiseRandom r1(42), r2(42);
    a.ScatterNoise(50, r1);
    b.ScatterNoise(50, r2);
    EXPECT_TRUE(SamePixels(a, b));
    EXPECT_FALSE(SamePixels(a, original));
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            const TColor c = a.PixelAt(x, y);
            EXPECT_EQ(GetRValue(c), GetGValue(c));
            EXPECT_EQ(GetRValue(c), GetBValue(c));
            EXPECT_GE(GetRValue(c), 128 - 25);
            EXPECT_LE(GetRValue(c), 128 + 24);
        }
    // amount 1 gives offset 0; extremes clamp.
    TspEffectBmp same = original;
    same.ScatterNoise(1);
    EXPECT_TRUE(SamePixels(same, original));
    TspEffectBmp black = Grey(16, 8, 0);
    black.ScatterNoise(50);
    for (int32_t x = 0; x < 16; ++x) EXPECT_LE(GetRValue(black.PixelAt(x, 0)), 24);
}

TEST(TspEffectBmp, CornerBlurKeepsOneColourAndStaysInsideThinImages) {
    for (const auto& [w, h] : {std::pair{6, 5}, {7, 1}, {1, 7}, {1, 1}}) {
        const TspEffectBmp original = Grey(w, h, 77);
        for (const int distance : {1, 3, 20}) {
            TspEffectBmp blurred = original;
            blurred.CornerBlur(distance);
            EXPECT_TRUE(SamePixels(blurred, original)) << w << "x" << h << " d=" << distance;
        }
    }
    // Distance 0 does nothing; otherwise four samples are averaged (integer division).
    TspEffectBmp dot = Grey(3, 3, 0);
    dot.SetPixelAt(2, 2, RGB(255, 255, 255));
    TspEffectBmp untouched = dot;
    untouched.CornerBlur(0);
    EXPECT_TRUE(SamePixels(untouched, dot));
    dot.CornerBlur(1);
    // (0,0): samples (0,0) (0,1) (1,0) (1,1) -> 0; (1,1): (0,0) (0,2) (2,0) (2,2) -> 255 div 4.
    EXPECT_EQ(GetRValue(dot.PixelAt(0, 0)), 0);
    EXPECT_EQ(GetRValue(dot.PixelAt(1, 1)), 63);
}

TEST(TspEffectBmp, QuarterTurnsOfATwoByThreeImage) {
    const TspEffectBmp self = Numbered3(2, 3);
    TspEffectBmp left(3, 2), right(3, 2);
    self.TurnLeft(left);
    self.TurnRight(right);
    // Target pixel (y, W - 1 - x) and (H - 1 - y, x) hold self's pixel (x, y).
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 2; ++x) {
            EXPECT_EQ(left.PixelAt(y, 1 - x), self.PixelAt(x, y));
            EXPECT_EQ(right.PixelAt(2 - y, x), self.PixelAt(x, y));
        }
    EXPECT_EQ(left.PixelAt(0, 0), self.PixelAt(1, 0));   // self's top-right at the top-left
    EXPECT_EQ(right.PixelAt(0, 0), self.PixelAt(0, 2));  // self's bottom-left at the top-left
    // A target of the wrong size is left alone.
    TspEffectBmp wrong = Grey(2, 3, 9);
    self.TurnLeft(wrong);
    EXPECT_EQ(wrong.PixelAt(0, 0), RGB(9, 9, 9));
}

TEST(TspEffectBmp, RowsAndPixelsInAndOut) {
    TspEffectBmp e(3, 2);
    e.SetPixelAt(1, 1, RGB(1, 2, 3));
    e.SetPixelAt(5, 5, clWhite);  // outside: ignored
    EXPECT_EQ(e.PixelAt(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(e.PixelAt(-1, 0), clBlack);
    uint8_t row[9];
    e.ReadRow(1, row);
    EXPECT_EQ(row[3], 3);  // blue first
    EXPECT_EQ(row[5], 1);
    e.WriteRow(0, row);
    EXPECT_EQ(e.PixelAt(1, 0), RGB(1, 2, 3));
    TBitmap out;
    e.CopyTo(out);
    EXPECT_EQ(out.GetPixel(1, 0), RGB(1, 2, 3));
}
