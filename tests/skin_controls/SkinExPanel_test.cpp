// The expanding panel: its roll and close buttons with their looks, rolling both ways, the
// rolled panel against its parent's layout, and its default look.
#include "skin/controls/SkinExPanel.h"

#include "tests/skin_controls/SkinControlsTestSupport.h"

namespace {

// A 100 x 60 element whose rolled bar is 20 high and rolled strip 20 wide; 14 x 14 buttons.
const std::string kExPanel =
    "[expanel]\npictureindex=0\nskinrect=0,0,100,60\nlefttoppoint=5,20\nrighttoppoint=95,20\n"
    "leftbottompoint=5,55\nrightbottompoint=95,55\nclientrect=2,20,98,58\n"
    "rollhskinrect=100,0,120,60\nrollvskinrect=0,0,100,20\nrollleftoffset=5\nrollrightoffset=5\n"
    "rolltopoffset=5\nrollbottomoffset=5\nrollvcaptionrect=3,2,97,18\nrollhcaptionrect=2,2,18,58\n"
    "closebuttonrect=120,0,134,14\nclosebuttondownrect=140,0,154,14\n"
    "vrollbuttonrect=120,20,134,34\nvrollbuttondownrect=140,20,154,34\n"
    "vrestorebuttonrect=120,40,134,54\n"
    "hrollbuttonrect=160,0,174,14\nhrestorebuttonrect=160,20,174,34\n"
    "captionrect=3,2,97,18\nfontname=Liberation Sans\nfontheight=12\nfontcolor=16777215\n";

class SkinExPanelTest : public SkinControlsTest {
protected:
    TspSkinExPanel* MakePanel(int w, int h, bool skinned = true) {
        if (skinned) LoadSkin({"expanel:expanel"}, kExPanel);
        auto* p = new TspSkinExPanel(form.get());
        p->SetParent(form.get());
        p->SetBounds(0, 0, w, h);
        if (skinned) p->SetSkinData(data);
        Paint();
        return p;
    }
    static TPoint Centre(const TRect& r) {
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

TEST_F(SkinExPanelTest, ButtonsSitAtTheCaptionsRightEndAndHiddenOnesLeaveItTheWholeArea) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    EXPECT_EQ(panel->ButtonRect(TspSkinExPanel::kCloseButton), Rect(183, 2, 197, 16));
    EXPECT_EQ(panel->ButtonRect(TspSkinExPanel::kRollButton), Rect(167, 2, 181, 16));
    EXPECT_EQ(panel->CaptionArea(), Rect(3, 2, 167, 18));

    panel->SetShowCloseButton(false);
    panel->SetShowRollButton(false);
    EXPECT_EQ(panel->CaptionArea(), Rect(3, 2, 197, 18));
    // The mouse changes nothing where the buttons were.
    int closes = 0, rolls = 0;
    panel->OnClose = [&](TComponent*) { ++closes; };
    panel->OnChangeRollState = [&](TComponent*) { ++rolls; };
    for (int x : {174, 190}) P().Click(x, 9);
    EXPECT_TRUE(panel->Visible());
    EXPECT_FALSE(panel->RollState());
    EXPECT_FALSE(panel->ButtonActive(0) || panel->ButtonActive(1));
    EXPECT_EQ(closes + rolls, 0);
}

TEST_F(SkinExPanelTest, TheCloseButtonHidesThePanelWithItsPressedLookOnTheWay) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    int closes = 0;
    panel->OnClose = [&](TComponent*) { ++closes; };
    const TPoint c = Centre(panel->ButtonRect(TspSkinExPanel::kCloseButton));
    EXPECT_EQ(Px(183, 2), PictureWord(120, 0));  // the normal piece
    P().MoveMouse(c.X, c.Y);
    P().PressButton();
    EXPECT_TRUE(panel->ButtonPressed(TspSkinExPanel::kCloseButton));
    EXPECT_EQ(Px(183, 2), PictureWord(140, 0));  // the pressed piece, drawn at once
    form->Invalidate();  // a full repaint keeps the pressed look drawn straight onto it
    Paint();
    EXPECT_EQ(Px(183, 2), PictureWord(140, 0));
    P().ReleaseButton();
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(closes, 1);
    // Hidden, not destroyed: it can be shown again.
    EXPECT_EQ(panel->Owner(), form.get());
    panel->Show();
    EXPECT_TRUE(panel->Visible());
}

TEST_F(SkinExPanelTest, ReleasingOutsideThePressedButtonNeitherClosesNorRolls) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    for (int button : {TspSkinExPanel::kCloseButton, TspSkinExPanel::kRollButton}) {
        const TPoint c = Centre(panel->ButtonRect(button));
        P().MoveMouse(c.X, c.Y);
        P().PressButton();
        P().MoveMouse(c.X - 40, c.Y + 30);
        EXPECT_FALSE(panel->ButtonActive(button));
        // Back over the other button while this one is held: it does not light up.
        const TPoint other = Centre(panel->ButtonRect(1 - button));
        P().MoveMouse(other.X, other.Y);
        EXPECT_FALSE(panel->ButtonActive(1 - button));
        P().MoveMouse(c.X - 40, c.Y + 30);
        P().ReleaseButton();
        EXPECT_FALSE(panel->ButtonPressed(button));
        EXPECT_TRUE(panel->Visible());
        EXPECT_FALSE(panel->RollState());
    }
}

TEST_F(SkinExPanelTest, RollingVerticallyKeepsTheBarAgainstTheParentsLayout) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    panel->SetAlign(alLeft);  // the parent's layout sets the height
    EXPECT_EQ(panel->Height(), 300);
    int changes = 0;
    panel->OnChangeRollState = [&](TComponent*) { ++changes; };
    const TPoint roll = Centre(panel->ButtonRect(TspSkinExPanel::kRollButton));
    P().Click(roll.X, roll.Y);
    EXPECT_TRUE(panel->RollState());
    EXPECT_EQ(panel->Height(), 20);
    EXPECT_EQ(panel->RealHeight(), 300);
    EXPECT_EQ(changes, 1);
    form->SetBounds(0, 0, 400, 280);  // the layout runs again
    EXPECT_EQ(panel->Height(), 20);
    Paint();
    EXPECT_EQ(Px(0, 0), PictureWord(0, 0));  // the rolled bar image
    EXPECT_EQ(Px(199, 19), PictureWord(99, 19));
    EXPECT_EQ(Px(50, 20), 0xFFFFFFu);  // the form below it

    // The restore button stands where the roll button was; unrolling takes the layout's size.
    const TPoint restore = Centre(panel->ButtonRect(TspSkinExPanel::kRollButton));
    EXPECT_EQ(Px(167, 2), PictureWord(120, 40));
    P().Click(restore.X, restore.Y);
    EXPECT_FALSE(panel->RollState());
    EXPECT_EQ(panel->RealHeight(), 0);
    EXPECT_EQ(panel->Height(), 280);
    EXPECT_EQ(changes, 2);
}

TEST_F(SkinExPanelTest, RollingHorizontallyLeavesAStripWithItsButtonsOnTop) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    auto* child = new TspSkinExPanel(form.get());
    child->SetParent(panel);
    panel->SetRollKind(rkRollHorizontal);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Width(), 20);
    EXPECT_EQ(panel->RealWidth(), 200);
    EXPECT_EQ(panel->Height(), 100);
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(panel->ButtonRect(TspSkinExPanel::kCloseButton), Rect(2, 2, 16, 16));
    EXPECT_EQ(panel->ButtonRect(TspSkinExPanel::kRollButton), Rect(2, 18, 16, 32));
    EXPECT_EQ(panel->CaptionArea(), Rect(2, 32, 18, 98));
    panel->SetWidth(150);  // cannot be opened by a size
    EXPECT_EQ(panel->Width(), 20);
    Paint();
    EXPECT_EQ(Px(0, 50), PictureWord(100, 50));  // the strip's middle, tiled downward
    EXPECT_EQ(Px(2, 18), PictureWord(160, 20));  // the horizontal restore button
    panel->SetRollState(false);
    EXPECT_EQ(panel->Width(), 200);
    EXPECT_EQ(panel->RealWidth(), 0);
    EXPECT_TRUE(child->Visible());
}

TEST_F(SkinExPanelTest, ChangingTheRollKindWhileRolledRollsTheOtherWayFromTheStoredSize) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    auto* child = new TspSkinExPanel(form.get());
    child->SetParent(panel);
    panel->SetRollState(true);
    ASSERT_EQ(panel->BoundsRect(), Bounds(0, 0, 200, 20));
    panel->SetRollKind(rkRollHorizontal);  // opens to 100 high, a strip 20 wide
    EXPECT_EQ(panel->BoundsRect(), Bounds(0, 0, 20, 100));
    EXPECT_EQ(panel->RealHeight(), 0);
    EXPECT_EQ(panel->RealWidth(), 200);
    panel->SetRollKind(rkRollVertical);
    EXPECT_EQ(panel->BoundsRect(), Bounds(0, 0, 200, 20));
    EXPECT_EQ(panel->RealWidth(), 0);
    EXPECT_EQ(panel->RealHeight(), 100);
    EXPECT_FALSE(child->Visible());
    panel->SetRollKind(rkRollHorizontal);
    panel->SetRollState(false);
    EXPECT_EQ(panel->BoundsRect(), Bounds(0, 0, 200, 100));
    EXPECT_EQ(panel->RealWidth(), 0);
    EXPECT_TRUE(child->Visible());
}

TEST_F(SkinExPanelTest, WithoutItsSectionThePanelHasTheDefault21PixelBar) {
    LoadSkin({"panel:panel"}, "[panel]\n");  // a skin without "expanel"
    TspSkinExPanel* panel = MakePanel(200, 100, false);
    panel->SetSkinData(data);
    Paint();
    EXPECT_FALSE(panel->HasSection());
    EXPECT_EQ(Color(100, 20), ColorToRGB(clBtnShadow));  // the bar's bottom line
    EXPECT_EQ(Color(100, 19), ColorToRGB(clBtnFace));
    EXPECT_EQ(Color(100, 1), ColorToRGB(clBtnHighlight));
    // b = 21 - 6: close (183, 3, 198, 18), roll just left of it.
    EXPECT_EQ(panel->ButtonRect(TspSkinExPanel::kCloseButton), Rect(183, 3, 198, 18));
    EXPECT_EQ(panel->ButtonRect(TspSkinExPanel::kRollButton), Rect(168, 3, 183, 18));
    P().MoveMouse(190, 10);
    Paint();
    EXPECT_EQ(Color(183, 3), RGB(0, 0, 128));  // hovered: the frame and its fill
    EXPECT_EQ(Color(184, 4), RGB(182, 189, 210));
    P().PressButton();
    EXPECT_EQ(Color(184, 4), RGB(133, 147, 181));
    P().MoveMouse(50, 50);
    P().ReleaseButton();
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), 21);
    auto* child = new TspSkinExPanel(form.get());
    child->SetParent(panel);
    child->SetAlign(alClient);
    panel->SetRollState(false);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 21, 199, 99));
}

}  // namespace

// A screen reader reads the panel by its caption, expanded while unrolled, with its roll
// and close buttons as push buttons that do what their clicks do.
TEST_F(SkinExPanelTest, RollAndCloseAreAccessiblePushButtons) {
    TspSkinExPanel* panel = MakePanel(200, 100);
    panel->SetCaption("Navigation");
    int closes = 0;
    panel->OnClose = [&](TComponent*) { ++closes; };
    auto& window = *static_cast<platform::HeadlessWindow*>(form->PlatformWindow());
    const platform::AccessibleNode* node =
        window.AccessibleTree().FindByName(platform::AccessibleRole::Panel, "Navigation");
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->Has(platform::kAccExpandable) && node->Has(platform::kAccExpanded));
    ASSERT_GE(node->children.size(), 2u);
    EXPECT_EQ(node->children[0].name, "Roll up");
    EXPECT_EQ(node->children[0].bounds, panel->ButtonRect(TspSkinExPanel::kRollButton));
    EXPECT_EQ(node->children[1].name, "Close");

    EXPECT_TRUE(window.DoAccessibleAction(platform::AccessibleRole::PushButton, "Roll up"));
    Paint();
    EXPECT_TRUE(panel->RollState());
    node = window.AccessibleTree().FindByName(platform::AccessibleRole::Panel, "Navigation");
    EXPECT_FALSE(node->Has(platform::kAccExpanded));
    EXPECT_EQ(node->children[0].name, "Roll down");
    EXPECT_TRUE(window.DoAccessibleAction(platform::AccessibleRole::PushButton, "Close"));
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(closes, 1);
}
