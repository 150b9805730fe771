#include "platform/gtk/GtkImages.h"

#include <gtest/gtest.h>

#include "tests/gtk/GtkTestSupport.h"

using namespace platform;
using namespace platform::gtk;

namespace {
uint32_t SurfacePixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const auto* row = cairo_image_surface_get_data(s) +
                      static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0x00FFFFFF;
}
}  // namespace

TEST(GtkImages, CopyIsClippedToImageAndSurfaceAndHonoursStride) {
    CairoSurfacePtr surface = NewImageSurface(8, 6, 0x111111);
    EXPECT_EQ(SurfacePixel(surface.get(), 7, 5), 0x111111u);
    // A 5x4 image in rows of 7 words; the padding words must never be copied.
    std::vector<uint32_t> words(7 * 4, 0xDEAD00);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            words[static_cast<size_t>(y * 7 + x)] = static_cast<uint32_t>(0x010000 * x + y);
    const ImageView image{words.data(), 5, 4, 7};
    const TRect copied = CopyImageToSurface(image, Rect(-3, 2, 100, 100), surface.get());
    EXPECT_EQ(copied, Rect(0, 2, 5, 4));
    EXPECT_EQ(SurfacePixel(surface.get(), 4, 3), 0x040003u);
    EXPECT_EQ(SurfacePixel(surface.get(), 0, 2), 0x000002u);
    EXPECT_EQ(SurfacePixel(surface.get(), 0, 1), 0x111111u);  // above the dirty rectangle
    EXPECT_EQ(SurfacePixel(surface.get(), 5, 3), 0x111111u);  // beyond the image

    EXPECT_TRUE(IsRectEmpty(CopyImageToSurface(image, Rect(6, 0, 8, 6), surface.get())));
    const ImageView badStride{words.data(), 5, 4, 3};
    EXPECT_TRUE(IsRectEmpty(CopyImageToSurface(badStride, Rect(0, 0, 5, 4), surface.get())));
    EXPECT_TRUE(IsRectEmpty(CopyImageToSurface(ImageView{}, Rect(0, 0, 5, 4), surface.get())));
}

TEST(GtkImages, PixbufIsOpaqueUnlessTheImageCarriesAlpha) {
    gtktest::SolidImage opaque(2, 1, 0x00336699);
    GObjectPtr<GdkPixbuf> a = PixbufFromImage(opaque.View());
    ASSERT_TRUE(a);
    const guchar* p = gdk_pixbuf_read_pixels(a.get());
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x66);
    EXPECT_EQ(p[2], 0x99);
    EXPECT_EQ(p[3], 0xFF);

    gtktest::SolidImage withAlpha(2, 1, 0x00336699);
    withAlpha.pixels[1] = 0x80112233;
    GObjectPtr<GdkPixbuf> b = PixbufFromImage(withAlpha.View());
    const guchar* q = gdk_pixbuf_read_pixels(b.get());
    EXPECT_EQ(q[3], 0x00);  // a zero top byte is transparent once the image uses alpha
    EXPECT_EQ(q[7], 0x80);
    EXPECT_FALSE(PixbufFromImage(ImageView{}));
}

TEST(GtkImages, PixbufToWordsPlacesAndClips) {
    gtktest::SolidImage src(3, 3, 0x00ABCDEF);
    GObjectPtr<GdkPixbuf> pixbuf = PixbufFromImage(src.View());
    std::vector<uint32_t> words;
    CopyPixbufToWords(pixbuf.get(), 2, -1, words, 4, 3);
    ASSERT_EQ(words.size(), 12u);
    EXPECT_EQ(words[0 * 4 + 2], 0xABCDEFu);
    EXPECT_EQ(words[1 * 4 + 3], 0xABCDEFu);
    EXPECT_EQ(words[2 * 4 + 2], 0u);  // the pixbuf's rows end at row 1 after the offset
    EXPECT_EQ(words[0 * 4 + 1], 0u);
}

TEST(GtkImages, RegionsDropEmptyRectanglesAndMergeOverlaps) {
    CairoRegionPtr region =
        CairoRegionFromRects({Rect(0, 0, 10, 10), Rect(5, 5, 5, 20), Rect(5, 0, 15, 10)});
    const std::vector<TRect> rects = RectsFromCairoRegion(region.get());
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0], Rect(0, 0, 15, 10));
    EXPECT_TRUE(RectsFromCairoRegion(CairoRegionFromRects({}).get()).empty());
}
