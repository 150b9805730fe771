// A window framed by the compiled-in "gallery" skin: the form makes an object of every kind
// from it, the band objects keep their size and follow their corners when the window is
// larger than the picture, and their state images come out where the mouse works them.
#include <cstdlib>
#include <set>

#include "skin/form/FrameObjectKinds.h"
#include "skins/CompiledInSkins.h"
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

constexpr int kPictureWidth = 520, kPictureHeight = 260;
constexpr int kWidth = 700, kHeight = 430;  // larger than the picture both ways
constexpr int kDx = kWidth - kPictureWidth, kDy = kHeight - kPictureHeight;

class GallerySkinFrameTest : public SkinFormTest {
protected:
    void MakeGalleryForm() {
        MakeForm(kWidth, kHeight, false, biSystemMenu | biMinimize | biMaximize);
        skinForm->OnTrackBarChangeValueEvent = [this](const std::string& id, int value) {
            events.push_back(id + "=" + std::to_string(value));
        };
        stored->SetCompressedData(*FindCompiledInSkin("gallery"));
        data->SetCompressedStoredSkin(stored);
        Settle();
        ASSERT_TRUE(skinForm->SkinSupport());
    }
    template <class T>
    T& Get(const std::string& name) {
        return dynamic_cast<T&>(Object(name));
    }
    const TspDataSkinObject& Def(const std::string& name) {
        const int i = data->GetObjectDefIndex(name);
        if (i < 0) throw std::runtime_error("no definition " + name);
        return *data->ObjectDefs[static_cast<size_t>(i)];
    }
    void ClickAt(int x, int y) {
        skinForm->GetMouseTimer().SetEnabled(false);
        MoveTo(x, y);
        P().PressButton();
        P().ReleaseButton();
        Settle();
    }
    std::vector<std::string> events;
};

TEST_F(GallerySkinFrameTest, TheFormMakesAnObjectOfEveryKind) {
    MakeGalleryForm();
    std::set<TspObjectKind> kinds;
    for (int i = 0; i < skinForm->ObjectCount(); ++i) kinds.insert(skinForm->Objects(i)->Kind());
    for (TspObjectKind kind :
         {TspObjectKind::Caption, TspObjectKind::StdButton, TspObjectKind::Button,
          TspObjectKind::UserObject, TspObjectKind::Switch, TspObjectKind::TrackBar,
          TspObjectKind::Gauge, TspObjectKind::Label, TspObjectKind::Animate,
          TspObjectKind::BitLabel, TspObjectKind::FrameGauge, TspObjectKind::FrameRegulator})
        EXPECT_TRUE(kinds.count(kind)) << "no object of kind " << static_cast<int>(kind);
    // The values the skin gives its objects.
    EXPECT_EQ(Get<TspSkinBitLabelObject>("bitlabel1").Text, "50%");
    EXPECT_EQ(Get<TspSkinLabelObject>("label1").Text, "Gallery");
    EXPECT_EQ(Get<TspSkinAnimateObject>("animate1").CountFrames, 8);
    EXPECT_TRUE(Get<TspSkinAnimateObject>("animate1").Cycle);
    EXPECT_FALSE(Get<TspSkinTrackBarObject>("trackbar1").Vertical);
    EXPECT_EQ(Get<TspSkinFrameRegulatorObject>("frameregulator1").FramesCount, 12);
    EXPECT_EQ(Get<TspSkinFrameGaugeObject>("framegauge1").FramesCount, 6);
}

TEST_F(GallerySkinFrameTest, BandObjectsKeepTheirSizeAndFollowTheirCorner) {
    MakeGalleryForm();
    for (const char* name : {"switch1", "animate1", "helpbutton", "label1", "bitlabel1"}) {
        const TRect skinRect = Def(name).SkinRect;
        EXPECT_EQ(Object(name).ObjectRect, OffsetRect(skinRect, 0, kDy)) << name;
    }
    for (const char* name :
         {"userobject1", "trackbar1", "gauge1", "framegauge1", "frameregulator1"}) {
        const TRect skinRect = Def(name).SkinRect;
        EXPECT_EQ(Object(name).ObjectRect, OffsetRect(skinRect, kDx, kDy)) << name;
    }
    // Each band object is drawn from its own place in the window picture.
    const TRect gauge = Object("gauge1").ObjectRect;
    const TRect gaugeSkin = Def("gauge1").SkinRect;
    EXPECT_EQ(Pixel(gauge.Left + 5, gauge.Top + 5),
              data->MainPicture.GetPixel(gaugeSkin.Left + 5, gaugeSkin.Top + 5));
}

TEST_F(GallerySkinFrameTest, SwitchAndTrackBarShowTheirStateImages) {
    MakeGalleryForm();
    const TBitmap* objects = data->ActivePicture(6);
    ASSERT_NE(objects, nullptr);

    // The switch: off in the window picture, on from objects.bmp after a click.
    auto& sw = Get<TspSkinSwitchObject>("switch1");
    const TRect swRect = sw.ObjectRect, swOn = Def("switch1").ActiveSkinRect;
    const int kx = RectWidth(swRect) - 9, ky = RectHeight(swRect) / 2;  // the knob's place when on
    EXPECT_EQ(Pixel(swRect.Left + kx, swRect.Top + ky),
              data->MainPicture.GetPixel(Def("switch1").SkinRect.Left + kx,
                                         Def("switch1").SkinRect.Top + ky));
    ClickAt(swRect.Left + 4, swRect.Top + ky);
    EXPECT_EQ(sw.State, swsOn);
    EXPECT_EQ(Pixel(swRect.Left + kx, swRect.Top + ky),
              objects->GetPixel(swOn.Left + kx, swOn.Top + ky));
    EXPECT_NE(objects->GetPixel(swOn.Left + kx, swOn.Top + ky),
              data->MainPicture.GetPixel(Def("switch1").SkinRect.Left + kx,
                                         Def("switch1").SkinRect.Top + ky))
        << "the on and off images must differ where the knob is";

    // The track bar jumps to a click on its track: three quarters of the way is 75.
    auto& tb = Get<TspSkinTrackBarObject>("trackbar1");
    EXPECT_EQ(tb.Value(), 0);
    const TRect tr = tb.ObjectRect;
    const int begin = tb.Track.Begin.X, end = tb.Track.End.X;
    const int x = begin + (end - begin) * 3 / 4;
    ClickAt(tr.Left + x, tr.Top + tb.Track.Begin.Y);
    EXPECT_EQ(tb.Value(), 75);
    EXPECT_EQ(events, std::vector<std::string>{"trackbar1=75"});
    // Left of the thumb the groove shows the filled image, right of it the empty one.
    const TRect filled = Def("trackbar1").ActiveSkinRect, empty = Def("trackbar1").SkinRect;
    const int gy = RectHeight(tr) / 2;
    EXPECT_EQ(Pixel(tr.Left + 10, tr.Top + gy),
              objects->GetPixel(filled.Left + 10, filled.Top + gy));
    EXPECT_EQ(Pixel(tr.Right - 10, tr.Top + gy),
              data->MainPicture.GetPixel(empty.Right - 10, empty.Top + gy));
    EXPECT_NE(objects->GetPixel(filled.Left + 10, filled.Top + gy),
              data->MainPicture.GetPixel(empty.Left + 10, empty.Top + gy));

    // A picture of the frame for a person to look at, when asked for.
    if (const char* path = std::getenv("PB_GALLERY_SNAPSHOT")) {
        Get<TspSkinGaugeObject>("gauge1").SetValue(75);
        Get<TspSkinFrameGaugeObject>("framegauge1").SetValue(75);
        Get<TspSkinBitLabelObject>("bitlabel1").SetText("75%");
        Settle();
        EXPECT_TRUE(P().SaveScreenPng(path));
    }
}

}  // namespace

// The gallery skin's caption buttons as assistive technology reads them: push buttons
// named by their command whose "click" runs it.
TEST_F(GallerySkinFrameTest, CaptionButtonsArePushButtonsNamedByTheirCommand) {
    MakeGalleryForm();
    platform::HeadlessWindow& w = Window();
    const platform::AccessibleNode& tree = w.AccessibleTree();
    EXPECT_EQ(tree.role, platform::AccessibleRole::Frame);
    EXPECT_EQ(tree.name, "Puzzlebin V1.0.0");
    const std::pair<const char*, const char*> buttons[] = {{"Close", "closebutton"},
                                                           {"Maximize", "maxbutton"},
                                                           {"Minimize", "minbutton"},
                                                           {"Roll up", "rollupbutton"},
                                                           {"Window menu", "sysmenubutton"}};
    for (const auto& [name, object] : buttons) {
        const platform::AccessibleNode* b =
            tree.FindByName(platform::AccessibleRole::PushButton, name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_FALSE(b->Has(platform::kAccHidden)) << name;
        // The form's border icons leave out the roll-up: that button alone is disabled.
        EXPECT_EQ(b->Has(platform::kAccDisabled), name == std::string("Roll up")) << name;
        EXPECT_EQ(b->bounds, Object(object).ObjectRect) << name;
    }
    EXPECT_TRUE(w.DoAccessibleAction(platform::AccessibleRole::PushButton, "Roll up"));
    Settle();
    EXPECT_FALSE(skinForm->GetRollUpState());
    skinForm->SetBorderIcons(biSystemMenu | biRollUp);
    Settle();
    EXPECT_TRUE(w.DoAccessibleAction(platform::AccessibleRole::PushButton, "Roll up"));
    Settle();
    EXPECT_TRUE(skinForm->GetRollUpState());
    EXPECT_TRUE(w.DoAccessibleAction(platform::AccessibleRole::PushButton, "Window menu"));
    Settle();
    EXPECT_TRUE(skinForm->SkinMenuOpen());
}
