// The further frame objects on a test skin (the compiled-in skin with a deeper bottom band
// holding one object of every kind, drawn from a picture of solid colours): switches,
// animations, track bars, gauges, strip-frame gauges and regulators, labels, bit labels and
// user objects, driven by the mouse through the headless platform and the virtual clock.
#include "skin/form/FrameObjectKinds.h"

#include <algorithm>
#include <map>

#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

constexpr TColor kSwitchOn = 0x2020E0;
constexpr TColor kFrames[4] = {0x400000, 0x004000, 0x000040, 0x404040};
constexpr TColor kTrackActive = 0x00A000;
constexpr TColor kThumb = 0xA00000;
constexpr TColor kThumbDragged = 0x00A0A0;
constexpr TColor kGaugeFill = 0x0080FF;
constexpr TColor kVGaugeFill = 0xFF8000;
constexpr TColor kStrip[5] = {0x500000, 0x005000, 0x000050, 0x505000, 0x005050};
constexpr TColor kLabelInk = 0x00C000;
constexpr TColor kLabelActiveInk = 0xC000C0;
constexpr TColor kUserPaint = 0x123456;

TColor GlyphColor(int column, int row) {
    return static_cast<TColor>(((row * 4 + column + 1) * 25) | (200 << 16));
}

// objects.bmp: every state image of the test objects, in solid colours.
void WriteObjectsPicture(const std::string& folder) {
    TBitmap b(200, 100);
    TCanvas& c = b.Canvas();
    c.FillSolid(Rect(0, 0, 200, 100), clBlack);
    c.FillSolid(Rect(0, 0, 16, 16), kSwitchOn);
    for (int i = 0; i < 4; ++i) c.FillSolid(Bounds(i * 16, 20, 16, 16), kFrames[i]);
    c.FillSolid(Rect(0, 40, 100, 56), kTrackActive);
    c.FillSolid(Rect(100, 40, 110, 56), kThumb);
    c.FillSolid(Rect(110, 40, 120, 56), kThumbDragged);
    c.FillSolid(Rect(0, 60, 100, 70), kGaugeFill);
    c.FillSolid(Rect(100, 0, 110, 40), kVGaugeFill);
    for (int i = 0; i < 5; ++i) c.FillSolid(Bounds(i * 16, 80, 16, 16), kStrip[i]);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column)
            c.FillSolid(Bounds(120 + column * 8, 60 + row * 8, 8, 8), GlyphColor(column, row));
    b.SetPixelFormat(pf24bit);
    b.SaveToFile(folder + "/objects.bmp");
}

std::string Section(const std::string& name, const std::string& skinRect,
                    const std::string& activeRect, const std::string& rest) {
    return "[" + name +
           "]\r\nactivepictureindex=6\r\nskinrectinapicture=0\r\nskinrect=" + skinRect +
           "\r\nactiveskinrect=" + activeRect + "\r\n" + rest + "\r\n";
}

const std::vector<uint8_t>& ObjectsSkin() {
    static const std::vector<uint8_t> bytes = ModifiedSkin(
        [](std::string& ini) {
            ReplaceOnce(ini, "activepicturescount=6", "activepicturescount=7");
            ReplaceOnce(ini, "5=buttonmask.bmp\r\n", "5=buttonmask.bmp\r\n6=objects.bmp\r\n");
            ReplaceOnce(ini, "clientrect=13,33,191,187", "clientrect=13,33,191,120");
            const std::vector<std::string> entries = {
                "sw1:switch",     "an1:animate",        "an2:animate",        "an3:animate",
                "tb1:trackbar",   "tb2:trackbar",       "ga1:gauge",          "ga2:gauge",
                "fg1:framegauge", "fr1:frameregulator", "fr2:frameregulator", "bl1:bitlabel",
                "lb1:label",      "uo1:userobject"};
            std::string list = "count=" + std::to_string(13 + entries.size()) + "\r\n";
            for (size_t i = 0; i < entries.size(); ++i)
                list += std::to_string(13 + i) + "=" + entries[i] + "\r\n";
            ReplaceOnce(ini, "count=13\r\n", list);
            ini += Section("sw1", "20,125,36,141", "0,0,16,16", "");
            ini +=
                Section("an1", "40,125,56,141", "0,20,64,36", "countframes=4\r\ntimerinterval=50");
            ini += Section("an2", "60,125,76,141", "0,20,64,36",
                           "countframes=4\r\ncycle=1\r\ntimerinterval=10");
            ini += Section("an3", "80,125,96,141", "0,20,64,36",
                           "countframes=4\r\nbuttonstyle=1\r\ntimerinterval=50\r\ncommand=cmclose");
            ini += Section(
                "tb1", "20,145,120,161", "0,40,100,56",
                "buttonrect=100,40,110,56\r\nactivebuttonrect=110,40,120,56\r\nbeginpoint=5,8\r\n"
                "endpoint=95,8\r\nminvalue=0\r\nmaxvalue=90\r\nmousedownchangevalue=1\r\nmorphing="
                "1");
            ini += Section("tb2", "100,125,112,137", "0,0,0,0",
                           "beginpoint=0,0\r\nendpoint=10,10\r\nmaxvalue=10");
            ini += Section("ga1", "20,165,120,175", "0,60,100,70", "minvalue=0\r\nmaxvalue=1000");
            ini += Section("ga2", "130,125,140,165", "100,0,110,40",
                           "minvalue=0\r\nmaxvalue=100\r\nkind=gkvertical");
            ini += Section("fg1", "150,125,166,141", "0,80,80,96",
                           "minvalue=0\r\nmaxvalue=100\r\ncountframes=5");
            ini += Section("fr1", "170,125,186,141", "0,80,80,96",
                           "minvalue=0\r\nmaxvalue=100\r\ncountframes=5\r\nkind=rkhorizontal");
            ini += Section("fr2", "150,145,166,161", "0,80,16,96",
                           "minvalue=0\r\nmaxvalue=100\r\ncountframes=1");
            ini += Section(
                "bl1", "20,177,56,185", "120,60,152,76",
                "textvalue=0A?D1\r\nsymbolwidth=8\r\nsymbolheight=8\r\nsymbolslinecount=2\r\n"
                "symbolsline0=0123\r\nsymbolsline1=ABCD\r\nmorphing=1");
            ini += Section("lb1", "130,167,186,185", "0,0,0,0",
                           "textvalue=HHHH\r\nfontname=Arial\r\nfontheight=16\r\nfontstyle="
                           "fsbold\r\nfontcolor=" +
                               std::to_string(kLabelInk) + "\r\nactivefontcolor=" +
                               std::to_string(kLabelActiveInk) + "\r\nalignment=tacenter");
            ini += Section("uo1", "64,177,84,185", "0,0,0,0", "");
        },
        WriteObjectsPicture);
    return bytes;
}

class FrameObjectKindsTest : public SkinFormTest {
protected:
    // A 204 x 200 window (the main picture's size, so every object keeps its skin place).
    void MakeObjectsForm() {
        MakeForm(204, 200, false);
        skinForm->OnSwitchChangeStateEvent = [this](const std::string& id, int state) {
            events.push_back(id + "=" + std::to_string(state));
        };
        skinForm->OnTrackBarChangeValueEvent = [this](const std::string& id, int value) {
            events.push_back(id + "=" + std::to_string(value));
        };
        skinForm->OnFrameRegulatorChangeValueEvent = [this](const std::string& id, int value) {
            events.push_back(id + "=" + std::to_string(value));
        };
        stored->SetCompressedData(ObjectsSkin());
        data->SetCompressedStoredSkin(stored);
        Settle();
        ASSERT_TRUE(skinForm->SkinSupport());
    }
    template <class T>
    T& Get(const std::string& name) {
        return dynamic_cast<T&>(Object(name));
    }
    // Points the mouse at a window point so that the object there gets the hover at once.
    void PointAt(int x, int y) {
        skinForm->GetMouseTimer().SetEnabled(false);
        MoveTo(x, y);
    }
    void ClickAt(int x, int y) {
        PointAt(x, y);
        P().PressButton();
        P().ReleaseButton();
        Settle();
    }
    bool MainPictureAt(int x, int y) { return Pixel(x, y) == data->MainPicture.GetPixel(x, y); }
    TColor CentreOf(const std::string& name) {
        const TRect r = Object(name).ObjectRect;
        return Pixel(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    std::vector<std::string> events;
};

TEST_F(FrameObjectKindsTest, EveryKindIsCreatedInDefinitionOrder) {
    MakeObjectsForm();
    const std::map<std::string, TspObjectKind> expected = {
        {"sw1", TspObjectKind::Switch},     {"an1", TspObjectKind::Animate},
        {"tb1", TspObjectKind::TrackBar},   {"ga1", TspObjectKind::Gauge},
        {"fg1", TspObjectKind::FrameGauge}, {"fr1", TspObjectKind::FrameRegulator},
        {"bl1", TspObjectKind::BitLabel},   {"lb1", TspObjectKind::Label},
        {"uo1", TspObjectKind::UserObject}};
    for (const auto& [name, kind] : expected) EXPECT_EQ(Object(name).Kind(), kind) << name;
    EXPECT_EQ(skinForm->Objects(skinForm->ObjectCount() - 1)->IDName, "uo1");
    EXPECT_EQ(Get<TspSkinAnimateObject>("an2").TimerInterval, 25);  // raised from 10
    EXPECT_FALSE(Get<TspSkinTrackBarObject>("tb1").Morphing);       // never morphs
    EXPECT_FALSE(Get<TspSkinBitLabelObject>("bl1").Morphing);
    // Equal extents in x and y make a vertical track.
    EXPECT_TRUE(Get<TspSkinTrackBarObject>("tb2").Vertical);
    EXPECT_FALSE(Get<TspSkinTrackBarObject>("tb1").Vertical);
}

TEST_F(FrameObjectKindsTest, SwitchStartsOffAndEachClickToggles) {
    MakeObjectsForm();
    auto& sw = Get<TspSkinSwitchObject>("sw1");
    EXPECT_EQ(sw.State, swsOff);
    EXPECT_FALSE(sw.Active);
    EXPECT_TRUE(MainPictureAt(28, 133));
    ClickAt(28, 133);
    EXPECT_EQ(sw.State, swsOn);
    EXPECT_EQ(Pixel(28, 133), kSwitchOn);
    // The look follows the state: leaving does not change it.
    MoveTo(100, 80);
    P().AdvanceTime(50);
    Settle();
    EXPECT_EQ(Pixel(28, 133), kSwitchOn);
    // Deactivating and activating the window resets hover states, not the switch.
    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(900, 600, 100, 100);
    other->Show();
    P().ProcessPending();
    form->BringToFront();
    Settle();
    EXPECT_TRUE(sw.Active);
    EXPECT_EQ(Pixel(28, 133), kSwitchOn);
    ClickAt(28, 133);
    EXPECT_EQ(sw.State, swsOff);
    EXPECT_TRUE(MainPictureAt(28, 133));
    EXPECT_EQ(events, (std::vector<std::string>{"sw1=0", "sw1=1"}));
}

TEST_F(FrameObjectKindsTest, AnimationWithoutCycleStopsOnItsLastFrame) {
    MakeObjectsForm();
    auto& an = Get<TspSkinAnimateObject>("an1");
    an.Start();
    std::vector<int> frames;
    for (int t = 0; t < 12; ++t) {
        P().AdvanceTime(25);
        frames.push_back(an.Frame());
    }
    // 50 ms a frame: the first 50 ms are counted, then one frame every second tick.
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 4, 4, 4, 4}));
    EXPECT_FALSE(an.Running());
    EXPECT_FALSE(skinForm->GetAnimateTimer().Enabled());
    Settle();
    EXPECT_EQ(CentreOf("an1"), kFrames[3]);
    // Started again, it plays from the first frame.
    an.Start();
    Settle();
    EXPECT_EQ(an.Frame(), 1);
    EXPECT_EQ(CentreOf("an1"), kFrames[0]);
}

TEST_F(FrameObjectKindsTest, AnimationWithCycleWrapsToItsFirstFrame) {
    MakeObjectsForm();
    auto& an = Get<TspSkinAnimateObject>("an2");  // 25 ms a frame
    an.Start();
    std::vector<int> frames;
    for (int t = 0; t < 10; ++t) {
        P().AdvanceTime(25);
        frames.push_back(an.Frame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1, 2}));
    EXPECT_TRUE(an.Running());
    Settle();
    EXPECT_EQ(CentreOf("an2"), kFrames[1]);
    an.Stop();
    P().AdvanceTime(50);
    EXPECT_FALSE(skinForm->GetAnimateTimer().Enabled());
}

TEST_F(FrameObjectKindsTest, ButtonStyleAnimationRunsUnderTheMouseAndBackWhenItLeaves) {
    MakeObjectsForm();
    auto& an = Get<TspSkinAnimateObject>("an3");
    PointAt(88, 133);
    EXPECT_TRUE(an.MouseIn);
    EXPECT_TRUE(an.Running() && an.Forward());
    P().AdvanceTime(200);
    EXPECT_EQ(an.Frame(), 4);
    EXPECT_FALSE(an.Running());
    MoveTo(100, 80);
    P().AdvanceTime(50);  // the tracking tick sees the mouse leave
    EXPECT_FALSE(an.MouseIn);
    EXPECT_FALSE(an.Forward());
    P().AdvanceTime(400);
    EXPECT_EQ(an.Frame(), 1);
    EXPECT_FALSE(an.Running());
    // Leaving before the first frame changed stays on frame 1 (no trip round the strip).
    an.Reset();
    an.MouseEnter();
    an.MouseLeave();
    int highest = 1;
    for (int t = 0; t < 20; ++t) {
        P().AdvanceTime(25);
        highest = std::max(highest, an.Frame());
    }
    EXPECT_EQ(highest, 1);
    // A click runs its command: this one closes the window.
    ClickAt(88, 133);
    EXPECT_FALSE(form->Visible());
}

TEST_F(FrameObjectKindsTest, TrackBarThumbIsDraggedAlongTheTrack) {
    MakeObjectsForm();
    auto& tb = Get<TspSkinTrackBarObject>("tb1");
    EXPECT_EQ(tb.Value(), 0);
    EXPECT_EQ(tb.ButtonPlace(), Rect(0, 0, 10, 16));
    Settle();
    EXPECT_EQ(Pixel(24, 150), kThumb);
    PointAt(25, 153);  // on the thumb
    P().PressButton();
    EXPECT_TRUE(tb.Dragging());
    Settle();
    EXPECT_EQ(Pixel(24, 150), kThumbDragged);
    MoveTo(55, 153);
    EXPECT_EQ(tb.Value(), 30);
    EXPECT_EQ(tb.ButtonPos(), (TPoint{35, 8}));
    Settle();
    // The track left of the thumb shows the active image, the rest the frame picture.
    EXPECT_EQ(Pixel(21, 147), kTrackActive);
    EXPECT_EQ(Pixel(50, 147), kThumbDragged);
    EXPECT_TRUE(MainPictureAt(80, 147));
    // A fast move far past the end still brings the thumb to the end, and coming back the
    // thumb is under the pointer again.
    MoveTo(400, 153);
    EXPECT_EQ(tb.Value(), 90);
    MoveTo(75, 153);
    EXPECT_EQ(tb.Value(), 50);
    P().ReleaseButton();
    EXPECT_FALSE(tb.Dragging());
    Settle();
    EXPECT_EQ(Pixel(74, 150), kThumb);
    EXPECT_EQ(events, (std::vector<std::string>{"tb1=30", "tb1=90", "tb1=50"}));
}

TEST_F(FrameObjectKindsTest, TrackBarJumpsToAPressOffTheThumb) {
    MakeObjectsForm();
    auto& tb = Get<TspSkinTrackBarObject>("tb1");
    ClickAt(80, 150);  // local (60, 5): jumps to x 60 on the track
    EXPECT_EQ(tb.Value(), 55);
    EXPECT_EQ(tb.ButtonPos(), (TPoint{60, 8}));
    EXPECT_FALSE(tb.Dragging());
    // Set by the program, the value is kept within the range and fires nothing.
    events.clear();
    tb.SetValue(500);
    EXPECT_EQ(tb.Value(), 90);
    EXPECT_EQ(tb.ButtonPos(), (TPoint{95, 8}));
    EXPECT_TRUE(events.empty());
}

TEST_F(FrameObjectKindsTest, GaugesFillFromTheMinimum) {
    MakeObjectsForm();
    auto& ga = Get<TspSkinGaugeObject>("ga1");  // 100 px for 0 ... 1000
    for (const auto& [value, filled] :
         std::vector<std::pair<int, int>>{{25, 2}, {35, 4}, {500, 50}, {1000, 100}}) {
        ga.SetValue(value);
        Settle();
        for (int x = 0; x < 100; ++x) {
            if (x < filled)
                EXPECT_EQ(Pixel(20 + x, 170), kGaugeFill) << value << " " << x;
            else
                EXPECT_TRUE(MainPictureAt(20 + x, 170)) << value << " " << x;
        }
    }
    ga.SetValue(-5);
    EXPECT_EQ(ga.Value(), 0);
    auto& vertical = Get<TspSkinGaugeObject>("ga2");  // 40 px for 0 ... 100, filled from the bottom
    vertical.SetValue(25);
    Settle();
    EXPECT_EQ(Pixel(135, 125 + 30), kVGaugeFill);
    EXPECT_EQ(Pixel(135, 125 + 39), kVGaugeFill);
    EXPECT_TRUE(MainPictureAt(135, 125 + 29));
}

TEST_F(FrameObjectKindsTest, FrameGaugeShowsTheFrameOfItsValue) {
    MakeObjectsForm();
    auto& fg = Get<TspSkinFrameGaugeObject>("fg1");  // 5 frames, 0 ... 100: 25 a frame
    EXPECT_EQ(fg.FrameWidth, 16);
    for (const auto& [value, frame] :
         std::vector<std::pair<int, int>>{{0, 1}, {24, 1}, {25, 2}, {50, 3}, {100, 5}}) {
        fg.SetValue(value);
        Settle();
        EXPECT_EQ(fg.FrameNumber(), frame) << value;
        EXPECT_EQ(CentreOf("fg1"), kStrip[frame - 1]) << value;
    }
}

TEST_F(FrameObjectKindsTest, FrameRegulatorStepsOneFramePerPixelStep) {
    MakeObjectsForm();
    auto& fr = Get<TspSkinFrameRegulatorObject>("fr1");  // horizontal: 16 / 4 = 4 px, 100 / 4 = 25
    PointAt(178, 133);
    P().PressButton();
    ASSERT_TRUE(fr.Dragging());
    MoveTo(182, 133);
    EXPECT_EQ(fr.Value(), 25);
    MoveTo(184, 133);  // 2 px: not a step
    EXPECT_EQ(fr.Value(), 25);
    MoveTo(186, 133);
    EXPECT_EQ(fr.Value(), 50);
    MoveTo(186, 100);  // vertical moves do not turn a horizontal regulator
    EXPECT_EQ(fr.Value(), 50);
    MoveTo(182, 133);
    EXPECT_EQ(fr.Value(), 25);
    P().ReleaseButton();
    EXPECT_FALSE(fr.Dragging());
    Settle();
    EXPECT_EQ(CentreOf("fr1"), kStrip[1]);
    EXPECT_EQ(events, (std::vector<std::string>{"fr1=25", "fr1=50", "fr1=25"}));
    // Outside the range nothing changes.
    fr.SetValue(101);
    EXPECT_EQ(fr.Value(), 25);
}

TEST_F(FrameObjectKindsTest, FrameRegulatorWithFewerThanTwoFramesShowsFrameOne) {
    MakeObjectsForm();
    auto& fr = Get<TspSkinFrameRegulatorObject>("fr2");
    for (int value : {0, 40, 100}) {
        fr.SetValue(value);
        Settle();
        EXPECT_EQ(fr.Value(), value);
        EXPECT_EQ(fr.FrameNumber(), 1);
        EXPECT_EQ(CentreOf("fr2"), kStrip[0]);
    }
}

TEST_F(FrameObjectKindsTest, BitLabelTakesEachGlyphFromItsTableAndStopsAtTheRightEdge) {
    MakeObjectsForm();
    auto& bl = Get<TspSkinBitLabelObject>("bl1");
    int column = -1, row = -1;
    EXPECT_TRUE(bl.GlyphCell('D', column, row));
    EXPECT_EQ(column, 3);
    EXPECT_EQ(row, 1);
    EXPECT_FALSE(bl.GlyphCell('?', column, row));
    Settle();
    // "0A?D1" in a 36-pixel label: 8-pixel cells, a gap for '?', '1' cut after 4 pixels.
    EXPECT_EQ(Pixel(23, 180), GlyphColor(0, 0));
    EXPECT_EQ(Pixel(31, 180), GlyphColor(0, 1));
    EXPECT_TRUE(MainPictureAt(39, 180));
    EXPECT_EQ(Pixel(47, 180), GlyphColor(3, 1));
    EXPECT_EQ(Pixel(52, 180), GlyphColor(1, 0));
    EXPECT_EQ(Pixel(55, 180), GlyphColor(1, 0));
    EXPECT_TRUE(MainPictureAt(56, 180));
    // A new text replaces the old one, background included.
    bl.SetText("3");
    Settle();
    EXPECT_EQ(Pixel(23, 180), GlyphColor(3, 0));
    EXPECT_TRUE(MainPictureAt(31, 180));
}

TEST_F(FrameObjectKindsTest, LabelTextChangesColourUnderTheMouse) {
    MakeObjectsForm();
    const TRect r = Object("lb1").ObjectRect;
    auto count = [&](TColor color) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += Pixel(x, y) == color;
        return n;
    };
    Settle();
    EXPECT_GT(count(kLabelInk), 20);
    EXPECT_EQ(count(kLabelActiveInk), 0);
    PointAt(r.Left + 2, r.Top + 2);
    Settle();
    EXPECT_GT(count(kLabelActiveInk), 20);
    EXPECT_EQ(count(kLabelInk), 0);
    // Nothing is drawn outside the object.
    EXPECT_TRUE(MainPictureAt(r.Left - 1, r.Top + r.Height() / 2));
    EXPECT_TRUE(MainPictureAt(r.Right, r.Top + r.Height() / 2));
}

TEST_F(FrameObjectKindsTest, UserObjectIsPaintedByTheApplication) {
    MakeForm(204, 200, false);
    std::vector<TRect> painted;
    skinForm->OnPaintEvent = [&](const std::string& id, TCanvas& canvas, const TRect& r) {
        EXPECT_EQ(id, "uo1");
        painted.push_back(r);
        canvas.FillSolid(r, kUserPaint);
    };
    stored->SetCompressedData(ObjectsSkin());
    data->SetCompressedStoredSkin(stored);
    Settle();
    ASSERT_FALSE(painted.empty());
    // The rectangle is the object's place on the canvas it is given (the frame strip).
    EXPECT_EQ(painted.back().Width(), 20);
    EXPECT_EQ(painted.back().Height(), 8);
    EXPECT_EQ(Pixel(70, 180), kUserPaint);
    EXPECT_TRUE(MainPictureAt(85, 180));
}

TEST(FrameObjectDefinitions, ObjectsWithOutOfRangeNumbersAreLeftOut) {
    InstallHeadlessPlatform();
    Application().Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 204, 200);
    auto* skinForm = new TspSkinForm(&form);
    auto* data = new TspSkinData(&form);
    auto* stored = new TspCompressedStoredSkin(&form);
    stored->SetCompressedData(ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "count=13\r\n",
                    "count=16\r\n13=bad1:trackbar\r\n14=bad2:animate\r\n15=good:gauge\r\n");
        ini +=
            "[bad1]\r\nactivepictureindex=2\r\nskinrect=20,150,40,160\r\nbuttonrect=0,0,500,10\r\n";
        ini += "[bad2]\r\nactivepictureindex=2\r\nskinrect=20,150,40,160\r\ncountframes=99999\r\n";
        ini += "[good]\r\nactivepictureindex=2\r\nskinrect=20,150,40,160\r\nmaxvalue=10\r\n";
    }));
    skinForm->SetSkinData(data);
    data->SetCompressedStoredSkin(stored);
    EXPECT_EQ(skinForm->FindObject("bad1"), nullptr);  // thumb outside the active picture
    EXPECT_EQ(skinForm->FindObject("bad2"), nullptr);  // a strip of 99999 frames
    EXPECT_NE(skinForm->FindObject("good"), nullptr);
}

}  // namespace
