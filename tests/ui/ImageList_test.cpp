#include "ui/ImageList.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace {

TBitmap Filled(int w, int h, TColor c) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
    return b;
}

}  // namespace

TEST(ImageList, WidePicturesAreCutIntoImagesAndSmallOnesPadTransparent) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap strip = Filled(9, 3, clRed);  // two whole images; the last column is dropped
    strip.SetPixel(4, 0, clBlue);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.AddMasked(Filled(2, 2, clGreen), clFuchsia), 2);
    EXPECT_EQ(list.Count(), 3);

    TBitmap canvasBmp = Filled(10, 10, clWhite);
    list.Draw(canvasBmp.Canvas(), 1, 1, 1);
    EXPECT_EQ(canvasBmp.GetPixel(1, 1), clBlue) << "second image starts at x = 4";
    EXPECT_EQ(canvasBmp.GetPixel(4, 3), clRed);
    EXPECT_EQ(canvasBmp.GetPixel(5, 1), clWhite) << "only Width columns drawn";
    list.Draw(canvasBmp.Canvas(), 6, 6, 2);
    EXPECT_EQ(canvasBmp.GetPixel(7, 7), clGreen);
    EXPECT_EQ(canvasBmp.GetPixel(8, 6), clWhite) << "uncovered part is transparent";
    EXPECT_EQ(canvasBmp.GetPixel(6, 8), clWhite);
    // Out-of-range indexes draw nothing and do not fail.
    TBitmap before = canvasBmp;
    list.Draw(canvasBmp.Canvas(), 0, 0, 3);
    list.Draw(canvasBmp.Canvas(), 0, 0, -1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(canvasBmp.GetPixel(x, y), before.GetPixel(x, y));

    EXPECT_THROW(list.Add(TBitmap()), EInvalidOperation);
    EXPECT_THROW(list.SetSize(0, 3), EInvalidOperation);
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0) << "resizing empties the list";
}

TEST(ImageList, MaskAndMaskColourMakePixelsTransparent) {
    TImageList list(nullptr);
    list.SetSize(2, 2);
    TBitmap img = Filled(2, 2, clNavy);
    img.SetPixel(1, 1, clFuchsia);
    TBitmap mask = Filled(2, 2, clBlack);
    mask.SetPixel(0, 1, clWhite);  // white in a mask: transparent
    list.Add(img, &mask);
    list.AddMasked(img, clFuchsia);

    TBitmap target = Filled(4, 2, clYellow);
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 2, 0, 1);
    EXPECT_EQ(target.GetPixel(0, 0), clNavy);
    EXPECT_EQ(target.GetPixel(0, 1), clYellow);
    EXPECT_EQ(target.GetPixel(1, 1), clFuchsia) << "the mask alone decides for Add";
    EXPECT_EQ(target.GetPixel(3, 1), clYellow);
    EXPECT_EQ(target.GetPixel(2, 1), clNavy);
}

TEST(ImageList, GetBitmapPicksAKeyColourTheImageDoesNotUse) {
    TImageList list(nullptr);
    list.SetSize(2, 1);
    TBitmap img(2, 1);
    img.SetPixel(0, 0, clFuchsia);  // a real pixel in the usual key colour
    img.SetPixel(1, 0, clLime);
    TBitmap mask(2, 1);
    mask.SetPixel(0, 0, clBlack);
    mask.SetPixel(1, 0, clWhite);
    list.Add(img, &mask);
    TBitmap out;
    ASSERT_TRUE(list.GetBitmap(0, out));
    EXPECT_EQ(out.Width(), 2);
    EXPECT_TRUE(out.Transparent);
    EXPECT_NE(out.TransparentColor(), clFuchsia);
    EXPECT_EQ(out.GetPixel(0, 0), clFuchsia);
    EXPECT_EQ(out.GetPixel(1, 0), out.TransparentColor());
    EXPECT_FALSE(list.GetBitmap(1, out));
}

TEST(ImageList, DisabledImagesAreEmbossedFromTheirDarkPixels) {
    TImageList list(nullptr);
    list.SetSize(3, 3);
    TBitmap img = Filled(3, 3, clWhite);  // light pixels are not part of the shape
    img.SetPixel(1, 1, clBlack);
    list.AddMasked(img, clFuchsia);
    TBitmap target = Filled(5, 5, clRed);
    list.Draw(target.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(target.GetPixel(1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(target.GetPixel(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(target.GetPixel(0, 0), clRed);
    EXPECT_EQ(target.GetPixel(2, 1), clRed);
}
