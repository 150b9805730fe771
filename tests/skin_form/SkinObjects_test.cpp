// The caption and caption buttons of the compiled-in skin: creation, border-icon rules,
// caption text, morphing, pressing and the commands.
#include <algorithm>

#include "skin/draw/TextUtils.h"
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

// The presented window image as a bitmap.
TBitmap WindowBitmap(platform::HeadlessWindow& window) {
    const TRect b = window.Bounds();
    TBitmap bmp(b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y) {
        std::copy_n(window.Image().data() + static_cast<size_t>(y) * b.Width(), b.Width(),
                    bmp.ScanLine(y));
    }
    return bmp;
}

// Whether the window shows `rect` of `picture` at `at`.
bool ShowsPicture(platform::HeadlessWindow& window, TPoint at, const TBitmap& picture,
                  const TRect& rect) {
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            if (window.PixelAt(at.X + x - rect.Left, at.Y + y - rect.Top) != picture.GetPixel(x, y))
                return false;
        }
    }
    return true;
}

int CountColor(platform::HeadlessWindow& window, const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) n += window.PixelAt(x, y) == color;
    }
    return n;
}

class SkinObjectsTest : public SkinFormTest {
protected:
    TPoint Centre(const std::string& name) {
        const TRect r = Object(name).ObjectRect;
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    // Points the mouse at an object so that its hover begins at once (with the tracking
    // timer stopped, hit testing starts it).
    void Hover(const std::string& name) {
        skinForm->GetMouseTimer().SetEnabled(false);
        const TPoint c = Centre(name);
        MoveTo(c.X, c.Y);
    }
    // The caption text expected on the frame: drawn on the frame without caption.
    TBitmap ExpectedCaption(int w, const std::string& caption, bool active) {
        form->SetCaption("");
        Settle();
        TBitmap expected = WindowBitmap(Window());
        TCanvas& c = expected.Canvas();
        c.Font.Name = "Arial";
        c.Font.Height = 16;
        c.Font.Style = fsBold;
        std::string text = caption;
        const TRect box = Rect(89, 7, 116 + w - 204, 24);
        EllipsisText(c, text, box.Width());
        const TSize s = c.TextExtent(text);
        const int x = box.Width() / 2 + box.Left - s.cx / 2;
        const int y = box.Height() / 2 + box.Top - s.cy / 2;
        c.Brush.Style = bsClear;
        c.Font.Color = clBlack;
        c.TextOut(x + 1, y + 1, text);
        c.Font.Color = active ? 16777215 : 8421504;
        c.TextOut(x, y, text);
        form->SetCaption(caption);
        Settle();
        return expected;
    }
    static bool SameTopStrip(const TBitmap& a, const TBitmap& b) {
        for (int y = 0; y < 33; ++y) {
            for (int x = 0; x < a.Width(); ++x) {
                if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
            }
        }
        return true;
    }
    // A second shown form takes the activation.
    std::unique_ptr<TForm> Deactivate() {
        auto other = std::make_unique<TForm>(nullptr);
        other->SetBounds(1200, 600, 200, 100);
        other->Show();
        P().ProcessPending();
        return other;
    }
};

TEST_F(SkinObjectsTest, ObjectsComeFromTheSkinWithTheBorderIconRules) {
    MakeForm(400, 300);
    std::vector<std::string> names;
    for (int i = 0; i < skinForm->ObjectCount(); ++i) names.push_back(skinForm->Objects(i)->IDName);
    // Menu items and menu-bar pieces make no frame objects.
    EXPECT_EQ(names, (std::vector<std::string>{"caption1", "closebutton", "maxbutton", "minbutton",
                                               "rollupbutton", "sysmenubutton", "traybutton"}));
    // [biSystemMenu]: active-picture buttons without their icon disappear; frame-picture
    // buttons stay, disabled.
    EXPECT_TRUE(Object("closebutton").Visible && Object("closebutton").Enabled);
    EXPECT_TRUE(Object("sysmenubutton").Visible && Object("sysmenubutton").Enabled);
    EXPECT_FALSE(Object("maxbutton").Visible || Object("maxbutton").Enabled);
    EXPECT_FALSE(Object("minbutton").Visible || Object("minbutton").Enabled);
    EXPECT_TRUE(Object("rollupbutton").Visible && !Object("rollupbutton").Enabled);
    EXPECT_TRUE(Object("traybutton").Visible && !Object("traybutton").Enabled);
    auto& caption = static_cast<TspSkinCaptionObject&>(Object("caption1"));
    EXPECT_TRUE(caption.DefaultCaption);
    EXPECT_EQ(caption.Text, "Puzzlebin V1.0.0");
    // Hiding the caption buttons disables all of them.
    skinForm->HideCaptionButtons = true;
    skinForm->SetBorderIcons(biSystemMenu);
    EXPECT_FALSE(Object("closebutton").Enabled || Object("closebutton").Visible);
    EXPECT_FALSE(Object("sysmenubutton").Enabled);
    EXPECT_TRUE(Object("sysmenubutton").Visible);
}

TEST_F(SkinObjectsTest, DisabledFrameButtonsShowTheirDisabledImage) {
    MakeForm(400, 300);
    Settle();
    const TBitmap& active = *data->ActivePicture(2);
    EXPECT_TRUE(ShowsPicture(Window(), {36, 8}, active, Rect(2, 29, 20, 47)));  // roll-up
    EXPECT_TRUE(ShowsPicture(Window(), {56, 8}, active, Rect(2, 29, 20, 47)));  // tray
    EXPECT_TRUE(
        ShowsPicture(Window(), {371, 7}, active, Rect(44, 4, 62, 22)));  // close, normal look
    // The window-menu button's normal look is part of the frame picture.
    EXPECT_TRUE(ShowsPicture(Window(), {14, 8}, data->MainPicture, Rect(14, 8, 32, 26)));
}

TEST_F(SkinObjectsTest, CaptionTextIsCentredInItsBoxWithShadowAndBothColours) {
    for (const int w : {300, 803}) {
        MakeForm(w, 300);
        const TBitmap active = ExpectedCaption(w, "Puzzlebin V1.0.0", true);
        EXPECT_TRUE(SameTopStrip(WindowBitmap(Window()), active)) << w;
        const TRect box = Rect(89, 7, 116 + w - 204, 24);
        EXPECT_GT(CountColor(Window(), box, 16777215), 20);
        EXPECT_GT(CountColor(Window(), box, clBlack), 20);
        auto other = Deactivate();
        EXPECT_FALSE(skinForm->IsFormActive());
        const TBitmap inactive = ExpectedCaption(w, "Puzzlebin V1.0.0", false);
        EXPECT_TRUE(SameTopStrip(WindowBitmap(Window()), inactive)) << w;
        EXPECT_EQ(CountColor(Window(), box, 16777215), 0);
        EXPECT_GT(CountColor(Window(), box, 8421504), 20);
    }
}

TEST_F(SkinObjectsTest, LongCaptionEndsInAnEllipsis) {
    MakeForm(260, 200);
    const std::string longCaption = "A caption far too long for the caption box of this window";
    const TBitmap expected = ExpectedCaption(260, longCaption, true);
    EXPECT_TRUE(SameTopStrip(WindowBitmap(Window()), expected));
    TBitmap probe(10, 10);
    probe.Canvas().Font.Name = "Arial";
    probe.Canvas().Font.Height = 16;
    probe.Canvas().Font.Style = fsBold;
    std::string text = longCaption;
    EllipsisText(probe.Canvas(), text, 116 + 260 - 204 - 89);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_LT(text.size(), longCaption.size());
}

TEST_F(SkinObjectsTest, HoverMorphsInElevenStepsOf20ms) {
    MakeForm(400, 300);
    Hover("closebutton");
    auto& close = Object("closebutton");
    ASSERT_TRUE(close.Active);
    EXPECT_EQ(close.MorphKf, 0);
    EXPECT_TRUE(skinForm->GetMorphTimer().Enabled());
    int steps = 0;
    while (close.MorphKf < 1 && steps < 20) {
        P().AdvanceTime(20);
        ++steps;
    }
    EXPECT_EQ(steps, 11);
    EXPECT_EQ(close.MorphKf, 1);
    P().AdvanceTime(20);
    EXPECT_FALSE(skinForm->GetMorphTimer().Enabled());  // nothing left to morph
    Settle();
    EXPECT_TRUE(ShowsPicture(Window(), {371, 7}, *data->ActivePicture(2), Rect(24, 4, 42, 22)));
    // Leaving blends back the same way.
    MoveTo(200, 150);
    P().AdvanceTime(50);
    EXPECT_FALSE(close.Active);
    steps = 0;
    while (close.MorphKf > 0 && steps < 20) {
        P().AdvanceTime(20);
        ++steps;
    }
    EXPECT_GE(steps, 8);  // the leave began within the tracking tick
    EXPECT_EQ(close.MorphKf, 0);
    Settle();
    EXPECT_TRUE(ShowsPicture(Window(), {371, 7}, *data->ActivePicture(2), Rect(44, 4, 62, 22)));
}

TEST_F(SkinObjectsTest, MidwayMorphShowsTheBlend) {
    MakeForm(400, 300);
    Hover("closebutton");
    P().AdvanceTime(100);  // 5 steps: k = 0.5
    Settle();
    const TBitmap& active = *data->ActivePicture(2);
    int blended = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 18; ++x) {
            const TColor n = active.GetPixel(44 + x, 4 + y), a = active.GetPixel(24 + x, 4 + y);
            const TColor shown = Pixel(371 + x, 7 + y);
            for (int shift : {0, 8, 16}) {
                const int expect = ((n >> shift & 0xFF) + (a >> shift & 0xFF)) / 2;
                EXPECT_NEAR(shown >> shift & 0xFF, expect, 1);
            }
            blended += n != a;
        }
    }
    EXPECT_GT(blended, 0);
}

TEST_F(SkinObjectsTest, HoverMorphLeavesTheCaptionTextAlone) {
    MakeForm(400, 300);
    Settle();
    const TBitmap before = WindowBitmap(Window());
    Hover("closebutton");
    P().AdvanceTime(300);
    MoveTo(200, 150);
    P().AdvanceTime(400);
    Settle();
    // The caption text is painted once, by the frame: never drawn over again.
    const TBitmap after = WindowBitmap(Window());
    int differ = 0;
    for (int y = 0; y < 33; ++y)
        for (int x = 77; x < 324; ++x) differ += before.GetPixel(x, y) != after.GetPixel(x, y);
    EXPECT_EQ(differ, 0);
}

TEST_F(SkinObjectsTest, InactiveWindowShowsNoHover) {
    MakeForm(400, 300);
    auto other = Deactivate();
    Hover("closebutton");
    P().AdvanceTime(100);
    EXPECT_FALSE(Object("closebutton").Active);
    EXPECT_EQ(skinForm->GetActiveObject(), -1);
}

TEST_F(SkinObjectsTest, PressShowsTheDownImage) {
    MakeForm(400, 300);
    Hover("closebutton");
    P().PressButton();
    Settle();
    auto& close = static_cast<TspSkinButtonObject&>(Object("closebutton"));
    EXPECT_TRUE(close.Down);
    EXPECT_TRUE(ShowsPicture(Window(), {371, 7}, *data->ActivePicture(2), Rect(4, 4, 22, 22)));
    P().ReleaseButton();
}

TEST_F(SkinObjectsTest, CommandRunsOnlyWhenReleasedOverTheButton) {
    MakeForm(400, 300);
    int closes = 0;
    form->OnClose = [&](TComponent*, TCloseAction&) { ++closes; };
    Hover("closebutton");
    P().PressButton();
    MoveTo(200, 150);
    P().AdvanceTime(50);  // the tracking tick sees the pointer gone
    EXPECT_FALSE(Object("closebutton").Active);
    P().ReleaseButton();
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(static_cast<TspSkinButtonObject&>(Object("closebutton")).Down);
    // Pressed and released over it: the window closes.
    Hover("closebutton");
    P().PressButton();
    P().ReleaseButton();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form->Visible());
}

TEST_F(SkinObjectsTest, HeldButtonLightsNoOtherButton) {
    MakeForm(400, 300, true, biSystemMenu | biMaximize | biMinimize);
    Hover("closebutton");
    P().PressButton();
    const TPoint m = Centre("maxbutton");
    MoveTo(m.X, m.Y);
    P().AdvanceTime(50);
    EXPECT_FALSE(Object("maxbutton").Active);
    EXPECT_FALSE(Object("maxbutton").MouseIn);
    EXPECT_FALSE(Object("closebutton").Active);
    EXPECT_EQ(skinForm->GetActiveObject(), -1);
    P().ReleaseButton();
    EXPECT_TRUE(form->Visible());
    // Free again, the pointer lights the button it is over.
    P().AdvanceTime(50);
    EXPECT_TRUE(Object("maxbutton").Active);
}

TEST_F(SkinObjectsTest, CloseRunsAfterItsButtonUpOtherCommandsBefore) {
    MakeForm(400, 300, true, biSystemMenu | biMaximize);
    std::vector<std::string> order;
    skinForm->OnMouseUpEvent = [&](const std::string& id, int, int, const TRect&, TMouseButton) {
        order.push_back("up " + id);
    };
    form->OnResize = [&](TComponent*) { order.push_back("resized"); };
    form->OnClose = [&](TComponent*, TCloseAction&) { order.push_back("closed"); };
    Hover("maxbutton");
    P().PressButton();
    P().ReleaseButton();
    EXPECT_EQ(skinForm->WindowState(), kSkinStateMaximized);
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order.front(), "resized");
    EXPECT_EQ(order.back(), "up maxbutton");
    order.clear();
    Hover("closebutton");
    P().PressButton();
    P().ReleaseButton();
    EXPECT_EQ(order, (std::vector<std::string>{"up closebutton", "closed"}));
}

TEST_F(SkinObjectsTest, CustomButtonIsShownOnlyWhenItsHandlerSaysSo) {
    const std::vector<uint8_t> skin = ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "count=13\r\n", "count=14\r\n");
        ReplaceOnce(ini, "12=traybutton:stdbutton\r\n",
                    "12=traybutton:stdbutton\r\n13=helpbutton:stdbutton\r\n");
        ini +=
            "\r\n[helpbutton]\r\nactivepictureindex=2\r\nskinrectinapicture=1\r\nskinrect=24,4,42,"
            "22\r\n"
            "activeskinrect=44,4,62,22\r\ncommand=cmdefault\r\n";
    });
    MakeForm(400, 300, true, biSystemMenu, false);
    stored->SetCompressedData(skin);
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    EXPECT_FALSE(Object("helpbutton").Visible);
    std::vector<std::string> asked;
    skinForm->OnActivateCustomObject = [&](const std::string& id, bool& visible) {
        asked.push_back(id);
        EXPECT_FALSE(visible);  // preset
        visible = true;
    };
    skinForm->SetBorderIcons(biSystemMenu);
    EXPECT_EQ(asked, std::vector<std::string>{"helpbutton"});
    EXPECT_TRUE(Object("helpbutton").Visible);
    // Placed in the row after the standard buttons.
    EXPECT_EQ(Object("helpbutton").ObjectRect, Rect(400 - 49, 7, 400 - 31, 25));
}

TEST_F(SkinObjectsTest, SkinWithFurtherObjectKindsMakesThemAndShowsTheRestOfItsFrame) {
    const std::vector<uint8_t> skin = ModifiedSkin([](std::string& ini) {
        const char* kinds[] = {"gauge",    "label",      "switch",         "trackbar",  "animate",
                               "bitlabel", "framegauge", "frameregulator", "userobject"};
        std::string list, sections;
        int i = 13;
        for (const char* kind : kinds) {
            const std::string name = std::string("my") + kind;
            list += std::to_string(i++) + "=" + name + ":" + kind + "\r\n";
            sections +=
                "\r\n[" + name + "]\r\nskinrect=100,100,120,120\r\nactivepictureindex=2\r\n";
        }
        ReplaceOnce(ini, "count=13\r\n", "count=" + std::to_string(i) + "\r\n");
        ReplaceOnce(ini, "12=traybutton:stdbutton\r\n", "12=traybutton:stdbutton\r\n" + list);
        ini += sections;
    });
    MakeForm(400, 300, true, biSystemMenu, false);
    stored->SetCompressedData(skin);
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    ASSERT_EQ(data->ObjectDefs.size(), 22u);
    EXPECT_FALSE(data->SkinEmpty);
    EXPECT_EQ(skinForm->ObjectCount(), 16);
    for (const char* name : {"mygauge", "mylabel", "myswitch", "mytrackbar", "myanimate",
                             "mybitlabel", "myframegauge", "myframeregulator", "myuserobject"}) {
        EXPECT_NE(skinForm->FindObject(name), nullptr) << name;
    }
    form->Show();
    Settle();
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 387, 287));
    EXPECT_TRUE(ShowsPicture(Window(), {371, 7}, *data->ActivePicture(2), Rect(44, 4, 62, 22)));
}

TEST_F(SkinObjectsTest, CaptionChangeRepaintsTheText) {
    MakeForm(400, 300);
    const TBitmap expected = ExpectedCaption(400, "Another title", true);
    EXPECT_TRUE(SameTopStrip(WindowBitmap(Window()), expected));
    EXPECT_EQ(static_cast<TspSkinCaptionObject&>(Object("caption1")).Text, "Another title");
}

}  // namespace
