// The skinned panel: rolling up and down, caption clicks, checked mode, the glyph, the
// background picture, captions in skin mode, client rectangles and the default look.
#include "skin/controls/SkinPanel.h"

#include "tests/skin_controls/SkinControlsTestSupport.h"

namespace {

// A fixed panel section over R = (0, 100, 100, 200): the panel takes 100 x 100, its caption
// area is (5, 5, 95, 25).
const std::string kFixedPanel =
    "[panel]\npictureindex=0\nskinrect=0,100,100,200\nclientrect=0,30,100,100\ncaptionrect=5,5,95,"
    "25\n"
    "alignment=taleftjustify\nfontname=Liberation Sans\nfontheight=14\nfontcolor=255\n";
// A four-point panel section over R = (10, 20, 50, 60) whose top and bottom bands are 5 high.
const std::string kBothPanel =
    "[panel]\npictureindex=0\nskinrect=10,20,50,60\nlefttoppoint=5,5\nrighttoppoint=35,5\n"
    "leftbottompoint=5,35\nrightbottompoint=35,35\nclientrect=5,5,35,35\n";

class SkinPanelTest : public SkinControlsTest {
protected:
    TspSkinPanel* MakePanel(int left, int top, int w, int h) {
        auto* p = new TspSkinPanel(form.get());
        p->SetParent(form.get());
        p->SetBounds(left, top, w, h);
        return p;
    }
    TControl* AddChild(TWinControl* parent, TAlign align = alNone) {
        auto* child = new TspSkinPanel(form.get());
        child->SetParent(parent);
        child->SetBounds(5, 30, 20, 20);
        child->SetAlign(align);
        return child;
    }
};

TEST_F(SkinPanelTest, RollingUpTwiceOrUnrollingAnOpenPanelChangesNothing) {
    TspSkinPanel* panel = MakePanel(0, 0, 150, 150);
    TControl* shown = AddChild(panel);
    TControl* hidden = AddChild(panel);
    hidden->Hide();
    panel->SetRollUpState(true);  // RollUpMode off: stays open
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 150);

    panel->SetRollUpMode(true);
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_EQ(panel->Height(), 150);
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->RealHeight(), 150);
    EXPECT_EQ(panel->Height(), 22 + 1);  // the default caption bar and its line
    EXPECT_FALSE(shown->Visible());
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->RealHeight(), 150);
    EXPECT_EQ(panel->Height(), 23);

    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());  // was hidden before: stays hidden

    // A child freed while the panel is rolled up is not touched when it unrolls.
    panel->SetRollUpState(true);
    delete shown;
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 150);
}

TEST_F(SkinPanelTest, TheRolledHeightKeepsTheSkinsBandsAndFollowsASkinChange) {
    LoadSkin({"panel:panel"}, kBothPanel);
    TspSkinPanel* panel = MakePanel(0, 0, 120, 150);
    panel->SetSkinData(data);
    panel->SetRollUpMode(true);
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), 10);  // the top and bottom bands
    EXPECT_EQ(panel->RealHeight(), 150);

    // Bands of 8 and 12 in the new skin.
    ChangeSkin([&] {
        LoadSkin(
            {"panel:panel"},
            "[panel]\npictureindex=0\nskinrect=10,20,50,60\nlefttoppoint=5,8\nrighttoppoint=35,8\n"
            "leftbottompoint=5,28\nrightbottompoint=35,28\nclientrect=5,8,35,28\n");
    });
    EXPECT_EQ(panel->Height(), 20);
    EXPECT_EQ(panel->RealHeight(), 150);
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 150);
}

TEST_F(SkinPanelTest, OnlyALeftClickInTheCaptionChecksAndRolls) {
    TspSkinPanel* panel = MakePanel(0, 0, 150, 150);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetRollUpMode(true);
    int checkedEvents = 0;
    panel->OnChecked = [&](TComponent*) { ++checkedEvents; };
    Paint();
    P().Click(60, 60);  // below the caption
    P().Click(60, 10, platform::MouseButton::Right);
    EXPECT_FALSE(panel->Checked());
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(checkedEvents, 0);

    P().Click(60, 10);
    EXPECT_TRUE(panel->Checked());
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 23);
    P().Click(148, 21);  // the caption's last pixels (an inclusive test)
    EXPECT_FALSE(panel->Checked());
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(checkedEvents, 2);

    // Without CaptionMode the caption does not react.
    panel->SetCaptionMode(false);
    P().Click(60, 10);
    EXPECT_FALSE(panel->Checked());
}

TEST_F(SkinPanelTest, CheckedEnablesTheChildrenInCheckedMode) {
    TspSkinPanel* panel = MakePanel(0, 0, 150, 150);
    TControl* a = AddChild(panel);
    TControl* b = AddChild(panel);
    int events = 0;
    panel->OnChecked = [&](TComponent*) { ++events; };
    panel->SetChecked(false);  // not in checked mode: the children stay enabled
    EXPECT_TRUE(a->Enabled());
    panel->SetCheckedMode(true);
    panel->SetChecked(false);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    panel->SetChecked(true);
    EXPECT_TRUE(a->Enabled());
    panel->AutoEnabledControls = false;
    panel->SetChecked(false);
    EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(events, 4);  // every write
}

TEST_F(SkinPanelTest, ADisabledPanelShowsTheSecondGlyphFrame) {
    LoadSkin({"panel:panel"}, kFixedPanel);
    TspSkinPanel* panel = MakePanel(0, 0, 100, 100);
    panel->SetSkinData(data);
    panel->SetCaption("A");
    // Two 10 x 8 frames, red and green, each transparent where its bottom-left pixel is.
    TBitmap glyph = SolidPicture(20, 8, 0xFF0000);
    for (int y = 0; y < 8; ++y)
        for (int x = 10; x < 20; ++x) glyph.ScanLine(y)[x] = 0x00FF00;
    glyph.ScanLine(7)[0] = glyph.ScanLine(7)[10] = 0xFFFFFF;
    panel->SetGlyph(glyph);
    panel->SetNumGlyphs(2);
    Paint();
    // The glyph stands at the caption's left, centred across it: (5, 5 + 10 - 4).
    EXPECT_EQ(Px(6, 12), 0xFF0000u);
    EXPECT_EQ(Px(5, 18), PictureWord(5, 118));  // its transparent pixel shows the skin
    panel->SetEnabled(false);
    Paint();
    EXPECT_EQ(Px(6, 12), 0x00FF00u);
    panel->SetNumGlyphs(3);  // only a two-frame glyph changes frames
    Paint();
    EXPECT_NE(Px(6, 12), 0x00FF00u);
}

TEST_F(SkinPanelTest, ABackgroundPictureIsAllThePanelShowsAndItsClientIsTheWholePanel) {
    LoadSkin({"panel:panel"}, kBothPanel + "bgpictureindex=1\ncaptionrect=0,0,40,10\n",
             {NumberedPicture(200, 200), NumberedPicture(30, 20)});
    TspSkinPanel* panel = MakePanel(0, 0, 100, 80);
    panel->SetSkinData(data);
    panel->SetCaption("Caption");
    panel->SetCaptionMode(true);
    TControl* child = AddChild(panel, alClient);
    child->Hide();
    Paint();
    EXPECT_EQ(Px(0, 0), PictureWord(0, 0));
    EXPECT_EQ(Px(35, 25), PictureWord(5, 5));  // second column, second row
    EXPECT_EQ(Px(99, 79), PictureWord(9, 19));
    child->Show();
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 100, 80));
}

TEST_F(SkinPanelTest, AnEmptyCaptionDrawsNothingInTheCaptionArea) {
    LoadSkin({"panel:panel"}, kFixedPanel);
    TspSkinPanel* panel = MakePanel(0, 0, 100, 100);
    panel->SetSkinData(data);
    Paint();
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 95; ++x) ASSERT_EQ(Px(x, y), PictureWord(x, 100 + y)) << x << "," << y;
    panel->SetCaption("WWW");
    Paint();
    bool drawn = false;
    for (int y = 5; y < 25 && !drawn; ++y)
        for (int x = 5; x < 95 && !drawn; ++x) drawn = Px(x, y) != PictureWord(x, 100 + y);
    EXPECT_TRUE(drawn);
    // Nothing outside the caption area.
    for (int x = 0; x < 100; ++x) ASSERT_EQ(Px(x, 26), PictureWord(x, 126));
}

TEST_F(SkinPanelTest, ClientRectanglesOfTheDefaultLookAndOfTheSkin) {
    TspSkinPanel* panel = MakePanel(0, 0, 150, 120);
    TControl* child = AddChild(panel, alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 149, 119));
    panel->SetCaptionMode(true);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 23, 149, 119));
    panel->SetBorderStyle(TspSkinBorderStyle::bvNone);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 22, 150, 120));
    panel->SetDefaultCaptionHeight(30);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 30, 150, 120));

    LoadSkin({"panel:panel"}, kBothPanel);
    panel->SetSkinData(data);
    EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 145, 115));  // NC for 150 x 120
    panel->SetBounds(0, 0, 100, 60);
    EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 95, 55));
}

TEST_F(SkinPanelTest, DefaultLookBordersAndCaptionBar) {
    TspSkinPanel* panel = MakePanel(0, 0, 100, 80);
    Paint();
    EXPECT_EQ(Color(0, 0), ColorToRGB(clBtnShadow));  // bvFrame: shadow all round
    EXPECT_EQ(Color(99, 79), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Color(50, 40), ColorToRGB(clBtnFace));
    panel->SetBorderStyle(TspSkinBorderStyle::bvRaised);
    Paint();
    EXPECT_EQ(Color(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Color(99, 79), ColorToRGB(clBtnShadow));
    panel->SetBorderStyle(TspSkinBorderStyle::bvLowered);
    Paint();
    EXPECT_EQ(Color(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Color(99, 79), ColorToRGB(clBtnHighlight));

    // bvFrame caption bar: shadow frame, then highlight / face inside it.
    panel->SetBorderStyle(TspSkinBorderStyle::bvFrame);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetChecked(true);
    Paint();
    EXPECT_EQ(Color(50, 21), ColorToRGB(clBtnShadow));    // the bar's bottom line
    EXPECT_EQ(Color(50, 1), ColorToRGB(clBtnHighlight));  // its inner top line
    // The check box: 14 x 14 at x = 5, centred in the bar (2..20): y = 11 - 7.
    EXPECT_EQ(Color(5, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Color(18, 17), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Color(6, 5), ColorToRGB(clBtnFace));
    // The check mark starts at (box + 4, box + 3 + 5) in the button text colour.
    EXPECT_EQ(Color(9, 12), ColorToRGB(clBtnText));
}

TEST_F(SkinPanelTest, TheClientOnlyLookTilesTheClientPieceOverThePanel) {
    LoadSkin({"panel:panel"}, kBothPanel);
    TspSkinPanel* panel = MakePanel(0, 0, 100, 80);
    panel->SetSkinData(data);
    panel->SetBorderStyle(TspSkinBorderStyle::bvNone);
    Paint();
    EXPECT_EQ(Px(0, 0), PictureWord(15, 25));  // the client piece from (0, 0), no frame
    EXPECT_EQ(Px(30, 30), PictureWord(15, 25));
    EXPECT_EQ(Px(99, 79), PictureWord(24, 44));  // the last tiles cut at the edge
}

TEST_F(SkinPanelTest, TheCompiledInSkinsPanelSectionDrawsThePanel) {
    LoadDefaultSkin();
    TspSkinPanel* panel = MakePanel(0, 0, 300, 200);
    panel->SetSkinData(data);
    Paint();
    const TBitmap* controls = data->ActivePicture(3);
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(panel->ResizeMode(), rmBoth);
    EXPECT_EQ(Px(0, 0), controls->ScanLine(146)[2]);
    EXPECT_EQ(Px(299, 199), controls->ScanLine(224)[95]);
}

// The panel keeps its image between paints; state drawn in skin mode that changes without
// a repaint request still shows at the next paint (here the roll-up arrow).
TEST_F(SkinPanelTest, AKeptImageFollowsStateThatChangedWithoutARepaintRequest) {
    LoadSkin({"panel:panel"}, kFixedPanel);
    TspSkinPanel* panel = MakePanel(0, 0, 100, 100);
    panel->SetSkinData(data);
    panel->SetCaption("A");
    Paint();
    // The arrow's place: (r.Right, r.Top, r.Right + 10, r.Bottom) with r.Right = 95 - 12.
    const TRect arrow = Rect(83, 5, 93, 25);
    auto arrowDrawn = [&] {
        for (int y = arrow.Top; y < arrow.Bottom; ++y)
            for (int x = arrow.Left; x < arrow.Right; ++x)
                if (Px(x, y) != PictureWord(x, 100 + y)) return true;
        return false;
    };
    EXPECT_FALSE(arrowDrawn());
    panel->SetRollUpMode(true);  // in skin mode this asks for no repaint
    form->Invalidate();          // a repaint for another reason
    Paint();
    EXPECT_TRUE(arrowDrawn());
}

}  // namespace
