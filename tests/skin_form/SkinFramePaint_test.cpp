// Frame painting, client background, window shape and the inactive effects: the window's
// pixels against the skin's own pictures.
#include <optional>

#include "skin/controls/MorphImages.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/MaskRegion.h"
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

class SkinFramePaintTest : public SkinFormTest {
protected:
    // Counts window pixels of `area` that differ from the picture pixel `map` gives,
    // skipping the rectangles in `skip`.
    template <class Map>
    int Mismatches(const TRect& area, const TBitmap& picture, Map map,
                   std::vector<TRect> skip = {}) {
        int bad = 0;
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                bool skipped = false;
                for (const TRect& s : skip) skipped = skipped || PtInRect(s, {x, y});
                if (skipped) continue;
                const TPoint p = map(x, y);
                bad += Pixel(x, y) != picture.GetPixel(p.X, p.Y);
            }
        }
        return bad;
    }
    TBitmap Region(int top, int bottom) {
        const int w = form->Width();
        TBitmap b(w, bottom - top);
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < w; ++x) b.SetPixel(x, y - top, Pixel(x, y));
        }
        return b;
    }
    std::unique_ptr<TForm> Deactivate() {
        auto other = std::make_unique<TForm>(nullptr);
        other->SetBounds(1300, 700, 200, 100);
        other->Show();
        P().ProcessPending();
        Settle();
        return other;
    }
};

TEST_F(SkinFramePaintTest, FrameIsTheSkinsCornersWithTiledEdges) {
    MakeForm(400, 300);
    form->SetCaption("");
    Settle();
    const TBitmap& main = data->MainPicture;
    const int dx = 196, dy = 100;
    const std::vector<TRect> buttons = {Rect(36, 8, 54, 26), Rect(56, 8, 74, 26),
                                        Rect(371, 7, 389, 25)};
    auto same = [](int x, int y) { return TPoint{x, y}; };
    // Corners: the picture's own pixels, moved with the right and bottom edges.
    EXPECT_EQ(Mismatches(Rect(0, 0, 98, 33), main, same, buttons), 0);
    EXPECT_EQ(Mismatches(
                  Rect(106 + dx, 0, 400, 33), main,
                  [&](int x, int y) {
                      return TPoint{x - dx, y};
                  },
                  buttons),
              0);
    EXPECT_EQ(Mismatches(Rect(0, 287, 17, 300), main,
                         [&](int x, int y) {
                             return TPoint{x, y - dy};
                         }),
              0);
    EXPECT_EQ(Mismatches(Rect(387, 287, 400, 300), main,
                         [&](int x, int y) {
                             return TPoint{x - dx, y - dy};
                         }),
              0);
    // Edges: the repeatable parts tiled (the skin stretches none).
    EXPECT_EQ(Mismatches(Rect(98, 0, 302, 33), main,
                         [](int x, int y) {
                             return TPoint{98 + x % 8, y};
                         }),
              0);
    EXPECT_EQ(Mismatches(Rect(17, 287, 387, 300), main,
                         [&](int x, int y) {
                             return TPoint{17 + x % 174, y - dy};
                         }),
              0);
    EXPECT_EQ(Mismatches(Rect(0, 37, 13, 282), main,
                         [](int x, int y) {
                             return TPoint{x, 37 + (y - 33) % 145};
                         }),
              0);
    EXPECT_EQ(Mismatches(Rect(387, 34, 400, 282), main,
                         [&](int x, int y) {
                             return TPoint{x - dx, 34 + (y - 33) % 148};
                         }),
              0);
}

TEST_F(SkinFramePaintTest, ClientBackgroundTilesTheClientPiece) {
    MakeForm(500, 400);
    Settle();
    // Client piece 13,33,191,187: 178 x 154.
    EXPECT_EQ(Mismatches(Rect(13, 33, 487, 387), data->MainPicture,
                         [](int x, int y) {
                             return TPoint{13 + (x - 13) % 178, 33 + (y - 33) % 154};
                         }),
              0);
}

TEST_F(SkinFramePaintTest, LogoIsCentredOnTheClientBackground) {
    MakeForm(400, 300);
    TBitmap logo(20, 10);
    logo.Canvas().FillSolid(Rect(0, 0, 20, 10), clRed);
    skinForm->SetLogoBitMap(logo);
    form->Invalidate();
    Settle();
    // Client 374 x 254 at (13, 33): logo at (13 + 177, 33 + 122).
    EXPECT_EQ(Pixel(190, 155), clRed);
    EXPECT_EQ(Pixel(209, 164), clRed);
    EXPECT_NE(Pixel(189, 155), clRed);
    EXPECT_NE(Pixel(210, 164), clRed);
}

TEST_F(SkinFramePaintTest, ShapeIsTheMaskAndFollowsResizes) {
    MakeForm(204, 200);
    Settle();
    const std::optional<TRegion> mask = MaskToRegion(data->MaskPicture);
    ASSERT_TRUE(mask && Window().Shape());
    EXPECT_EQ(*Window().Shape(), *mask);

    // Larger: the mask's corners move with the edges, its straight edges stretch along.
    auto inMask = [this](int x, int y) { return data->MaskPicture.GetPixel(x, y) == clBlack; };
    for (const TSize size : {TSize{400, 300}, TSize{257, 46}}) {
        form->SetBounds(100, 100, size.cx, size.cy);
        Settle();
        const int dx = size.cx - 204, dy = size.cy - 200;
        ASSERT_TRUE(Window().Shape());
        const TRegion& shape = *Window().Shape();
        int bad = 0;
        for (int y = 0; y < size.cy; ++y) {
            // The mask's rows 12..188 and columns 12..191 are alike (straight edges).
            const int my = y < 12 ? y : (y >= size.cy - 11 ? y - dy : 100);
            for (int x = 0; x < size.cx; ++x) {
                const int mx = x < 12 ? x : (x >= size.cx - 12 ? x - dx : 100);
                bad += shape.Contains({x, y}) != inMask(mx, my);
            }
        }
        EXPECT_EQ(bad, 0) << size.cx << "x" << size.cy;
    }
}

TEST_F(SkinFramePaintTest, NoMaskMeansARectangularWindow) {
    const std::vector<uint8_t> skin =
        ModifiedSkin([](std::string& ini) { ReplaceOnce(ini, "mask=mask.bmp", "mask="); });
    MakeForm(400, 300);
    ASSERT_TRUE(Window().Shape());
    stored->SetCompressedData(skin);
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    Settle();
    EXPECT_FALSE(Window().Shape());
    EXPECT_EQ(skinForm->FrameShape(), nullptr);
    // Without a mask the probes test against the window's rectangle.
    EXPECT_EQ(HitAt(1, 150), HTLEFT);
    EXPECT_EQ(HitAt(4, 150), HTSKINOBJECT);
}

TEST_F(SkinFramePaintTest, DefaultFrameHasA19PixelCaptionAnd3DFrames) {
    MakeForm(300, 200, false);
    Settle();
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 297, 197));
    EXPECT_FALSE(Window().Shape());
    EXPECT_EQ(Pixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(0, 100), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(150, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(299, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(299, 199), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(0, 199), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(298, 198), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(2, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(297, 197), ColorToRGB(clBtnFace));
    // Stripes from caption row 2, alternating light and dark, stopping around the text.
    const TRect caption = skinForm->DefaultCaptionRect();
    EXPECT_EQ(caption, Rect(20, 3, 280, 22));  // window-menu button left, close button right
    EXPECT_EQ(Pixel(40, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(40, 6), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(40, 7), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(40, 21), ColorToRGB(clBtnFace));  // below the stripes
    EXPECT_EQ(Pixel(150, 5), ColorToRGB(clBtnFace));  // the band behind the text
    // The two visible default buttons.
    EXPECT_EQ(Object("closebutton").ObjectRect, Rect(280, 4, 297, 21));
    EXPECT_EQ(Object("sysmenubutton").ObjectRect, Rect(3, 4, 20, 21));
    EXPECT_FALSE(Object("maxbutton").Visible);
}

TEST_F(SkinFramePaintTest, DefaultFrameHitCodes) {
    MakeForm(300, 200, false);
    EXPECT_EQ(HitAt(0, 0), HTTOPLEFT);
    EXPECT_EQ(HitAt(2, 2), HTTOPLEFT);
    EXPECT_EQ(HitAt(299, 1), HTTOPRIGHT);
    EXPECT_EQ(HitAt(1, 199), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(298, 198), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(1, 100), HTLEFT);
    EXPECT_EQ(HitAt(150, 1), HTTOP);
    EXPECT_EQ(HitAt(299, 100), HTRIGHT);
    EXPECT_EQ(HitAt(150, 199), HTBOTTOM);
    EXPECT_EQ(HitAt(150, 12), HTCAPTION);
    EXPECT_EQ(HitAt(150, 100), HTCLIENT);
    EXPECT_EQ(HitAt(288, 12), HTSKINOBJECT);  // the close button
    // A drag on the caption moves the window once the tracking timer has seen the pointer
    // leave the close button; the close button closes it.
    P().MoveMouse(250, 112);
    P().AdvanceTime(50);
    P().Drag(250, 112, 300, 152, 2);
    EXPECT_EQ(form->BoundsRect(), Bounds(150, 140, 300, 200));
    skinForm->GetMouseTimer().SetEnabled(false);
    P().Click(150 + 288, 140 + 12);
    EXPECT_FALSE(form->Visible());
}

TEST_F(SkinFramePaintTest, InactiveFrameThroughEachEffect) {
    MakeForm(400, 300);
    form->SetCaption("");
    Settle();
    const TBitmap activeTop = Region(0, 33);
    const TBitmap activeBottom = Region(287, 300);
    // The program's skin draws an inactive frame like an active one.
    {
        auto other = Deactivate();
        const TBitmap inactiveTop = Region(0, 33);
        TspEffectBmp a(activeTop), i(inactiveTop);
        int differ = 0;
        for (int y = 0; y < 33; ++y)
            for (int x = 0; x < 400; ++x) differ += a.PixelAt(x, y) != i.PixelAt(x, y);
        EXPECT_EQ(differ, 0);
        form->Show();
        Settle();
    }
    data->autorenderinginactiveimage = true;
    for (const TspInactiveImageEffect effect :
         {ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert}) {
        data->inactiveeffect = effect;
        auto other = Deactivate();
        for (const auto& [top, bottom, active] :
             {std::tuple{0, 33, &activeTop}, std::tuple{287, 300, &activeBottom}}) {
            TspEffectBmp expected(*active);
            ApplyInactiveEffect(expected, effect);
            TspEffectBmp shown(Region(top, bottom));
            int differ = 0, changed = 0;
            for (int y = 0; y < bottom - top; ++y) {
                for (int x = 0; x < 400; ++x) {
                    differ += expected.PixelAt(x, y) != shown.PixelAt(x, y);
                    changed += shown.PixelAt(x, y) != active->GetPixel(x, y);
                }
            }
            EXPECT_EQ(differ, 0) << "effect " << effect << " rows " << top;
            EXPECT_GT(changed, 0) << "effect " << effect;
        }
        form->Show();
        Settle();
        EXPECT_EQ(Pixel(0, 0), activeTop.GetPixel(0, 0));
    }
}

}  // namespace
