// The skinned page control: the adjusted geometry, the skin frame, tab looks (active,
// hovered, turned), fonts and tab height from the skin or the defaults, the scroller that
// exists only while single-line tabs overflow, and the sheets' backgrounds.
#include "skin/controls/SkinPageControl.h"

#include <algorithm>

#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "tests/skin_controls/SkinControlsTestSupport.h"

namespace {

// Page area pieces over R = (0, 0, 60, 60) with 3-pixel bands; 40 x 20 tab pieces (normal,
// active, focused) with 5-pixel ends; no mouse-over piece.
const std::string kTab =
    "[tab]\npictureindex=0\nskinrect=0,0,60,60\nclientrect=3,3,57,57\nlefttoppoint=5,"
    "5\nrighttoppoint=55,5\n"
    "leftbottompoint=5,55\nrightbottompoint=55,55\ntabrect=100,0,140,20\nactivetabrect=100,20,140,"
    "40\n"
    "focustabrect=100,40,140,60\ntabsbgrect=150,0,160,20\ntableftoffset=5\ntabrightoffset=5\n"
    "fontname=Liberation "
    "Sans\nfontheight=12\nfontcolor=255\nmouseinfontcolor=65280\nupdown=hupdown\n";

class SkinPageControlTest : public SkinControlsTest {
protected:
    void SetUp() override {
        SkinControlsTest::SetUp();
        pc = new TspSkinPageControl(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(0, 0, 400, 200);
        pc->SetTabWidth(60);
        pc->OnChange = [this](TComponent*) { ++changes; };
    }
    void AddPages(int n) {
        for (int i = 0; i < n; ++i) {
            auto* sheet = new TspSkinTabSheet(form.get());
            sheet->SetCaption("P" + std::to_string(i));
            sheet->SetPageControl(pc);
        }
    }
    void Skin(const std::string& extra = "",
              const std::vector<TBitmap>& pictures = {NumberedPicture(200, 200)}) {
        LoadSkin({"tab:tab"}, kTab + extra, pictures);
        pc->SetSkinData(data);
    }
    // The largest red and green channels in a window rectangle (the text's colour stands out
    // against the numbered picture, whose red is its x and green its y).
    std::pair<int, int> MaxRedGreen(const TRect& r) {
        int red = 0, green = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const uint32_t p = Px(x, y);
                red = std::max(red, static_cast<int>((p >> 16) & 0xFF));
                green = std::max(green, static_cast<int>((p >> 8) & 0xFF));
            }
        return {red, green};
    }
    TspSkinPageControl* pc = nullptr;
    int changes = 0;
};

TEST_F(SkinPageControlTest, TheFrameworksGeometryAnswersAreAdjustedForTheSkin) {
    AddPages(3);
    pc->ApplyTabSkin();  // no skin: the default item height 20
    EXPECT_EQ(pc->ItemHeight(), 20);
    EXPECT_EQ(pc->GetItemRect(1), Rect(60, 0, 120, 20));  // moved 2 left and 2 up
    EXPECT_EQ(pc->DisplayRect(), Rect(1, 21, 399, 199));
    pc->SetTabPosition(tpBottom);
    EXPECT_EQ(pc->GetItemRect(0), Rect(0, 180, 60, 200));
    EXPECT_EQ(pc->DisplayRect(), Rect(1, 1, 399, 177));
    pc->SetTabPosition(tpLeft);
    EXPECT_EQ(pc->GetItemRect(0), Rect(0, 2, 20, 62));
    EXPECT_EQ(pc->DisplayRect(), Rect(23, 1, 399, 199));
    pc->SetTabPosition(tpRight);
    EXPECT_EQ(pc->GetItemRect(0), Rect(380, 2, 400, 62));
    EXPECT_EQ(pc->DisplayRect(), Rect(1, 1, 377, 199));

    pc->SetTabPosition(tpTop);
    Skin();  // bands of 3, item height from the tab piece
    EXPECT_EQ(pc->DisplayRect(), Rect(3, 23, 397, 197));
    pc->SetTabPosition(tpBottom);
    EXPECT_EQ(pc->DisplayRect(), Rect(3, 1, 397, 175));
    // The sheets fill the page area.
    pc->SetTabPosition(tpTop);
    EXPECT_EQ(pc->ActivePage()->BoundsRect(), Rect(3, 23, 397, 197));
}

TEST_F(SkinPageControlTest, FontsAndTabHeightComeFromTheSkinOrTheDefaults) {
    AddPages(2);
    pc->SetDefaultItemHeight(25);
    pc->ApplyTabSkin();
    EXPECT_EQ(pc->ItemHeight(), 25);
    EXPECT_EQ(pc->Font(), pc->DefaultFont());
    Skin();
    EXPECT_EQ(pc->ItemHeight(), 20);  // the tab piece's height
    EXPECT_EQ(pc->Font().Name, "Liberation Sans");
    EXPECT_EQ(pc->Font().Height, 12);
    EXPECT_EQ(pc->Font().Color, 255);
    pc->SetUseSkinFont(false);
    pc->ApplyTabSkin();
    EXPECT_EQ(pc->Font().Name, "Arial");
    EXPECT_EQ(pc->Font().Color, 255);  // the colour is always the section's
    pc->SetTabHeight(30);
    pc->ApplyTabSkin();
    EXPECT_EQ(pc->ItemHeight(), 30);
    // Applying a skin is not a page change.
    EXPECT_EQ(changes, 0);
}

TEST_F(SkinPageControlTest, TheScrollerExistsOnlyWhileTheTabsOverflow) {
    AddPages(5);
    pc->ApplyTabSkin();
    EXPECT_EQ(pc->Scroller(), nullptr);  // 5 x 60 fit in 400
    pc->SetWidth(200);
    TspSkinUpDown* scroller = pc->Scroller();
    ASSERT_NE(scroller, nullptr);
    // At the right end of the tab row, DefaultItemHeight x 2 by DefaultItemHeight.
    EXPECT_EQ(scroller->BoundsRect(), Rect(160, 0, 200, 20));
    // Tabs ending beyond the scroller: 180, 240, 300.
    EXPECT_EQ(scroller->Max(), 3);
    EXPECT_EQ(scroller->Position(), 0);
    pc->SetTabPosition(tpBottom);
    pc->SetHeight(210);
    EXPECT_EQ(pc->Scroller()->BoundsRect(), Rect(160, 190, 200, 210));
    pc->SetTabPosition(tpTop);
    pc->SetWidth(400);
    EXPECT_EQ(pc->Scroller(), nullptr);
}

TEST_F(SkinPageControlTest, HoldingTheScrollerScrollsTheTabs) {
    AddPages(6);
    pc->ApplyTabSkin();
    pc->SetWidth(200);
    ASSERT_NE(pc->Scroller(), nullptr);
    Paint();
    const TRect up = pc->Scroller()->ButtonRect(TspSkinUpDown::kUpButton);  // the right half
    P().MoveMouse(160 + up.Left + 5, up.Top + 5);
    P().PressButton();
    P().AdvanceTime(600);
    EXPECT_EQ(pc->FirstVisibleTab(), 1);
    EXPECT_EQ(pc->GetItemRect(1).Left, 0);
    EXPECT_TRUE(IsRectEmpty(pc->GetItemRect(0)));
    P().AdvanceTime(1000);  // up to the last position
    P().ReleaseButton();
    const int last = pc->Scroller()->Max();
    EXPECT_EQ(pc->Scroller()->Position(), last);
    EXPECT_EQ(pc->FirstVisibleTab(), last);
    EXPECT_EQ(pc->ScrolledOutCount(), last);
    // A tab switch puts the scroller on the scrolled-out count.
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->FirstVisibleTab(), 1);
    EXPECT_EQ(pc->Scroller()->Position(), 1);
}

TEST_F(SkinPageControlTest, TheSkinFrameAndTheTabStripBackground) {
    AddPages(2);
    Skin();
    Paint();
    // F = the page area (3, 23, 397, 197) grown by the bands: (0, 20, 400, 200).
    EXPECT_EQ(Px(0, 20), PictureWord(0, 0));
    EXPECT_EQ(Px(399, 199), PictureWord(59, 59));
    EXPECT_EQ(Px(399, 20), PictureWord(59, 0));
    EXPECT_EQ(Px(5, 20), PictureWord(5, 0));       // the top edge from LT.X
    EXPECT_EQ(Px(55, 20), PictureWord(5, 0));      // its second tile (50 wide)
    EXPECT_EQ(Px(0, 25), PictureWord(0, 5));       // the left edge from LT.Y
    EXPECT_EQ(Px(399, 10), PictureWord(159, 10));  // the strip background beyond the tabs
}

TEST_F(SkinPageControlTest, TabLooksActiveHoveredAndNeverBoth) {
    AddPages(3);
    Skin();
    Paint();
    // Tab 0 is the active one (the control is not focused: the active piece).
    EXPECT_EQ(Px(1, 1), PictureWord(101, 21));
    EXPECT_EQ(Px(61, 1), PictureWord(101, 1));  // tab 1: the normal piece
    auto [red, green] = MaxRedGreen(Rect(60, 0, 120, 20));
    EXPECT_GT(red, 200);  // caption in the normal colour
    EXPECT_LT(green, 100);

    // Hovering tab 1: no mouse-over piece, so the normal piece, in the mouse-over colour.
    P().MoveMouse(90, 10);
    EXPECT_EQ(pc->HotTab(), 1);
    Paint();
    EXPECT_EQ(Px(61, 1), PictureWord(101, 1));
    std::tie(red, green) = MaxRedGreen(Rect(60, 0, 120, 20));
    EXPECT_GT(green, 200);
    EXPECT_LT(red, 150);

    // Hovering the selected tab changes nothing of its look.
    P().MoveMouse(30, 10);
    EXPECT_EQ(pc->HotTab(), 0);
    Paint();
    EXPECT_EQ(Px(1, 1), PictureWord(101, 21));
    std::tie(red, green) = MaxRedGreen(Rect(60, 0, 120, 20));
    EXPECT_GT(red, 200);  // tab 1 plain again
    // Leaving the control drops the hot tab.
    P().MoveMouse(300, 280);
    EXPECT_EQ(pc->HotTab(), -1);
}

TEST_F(SkinPageControlTest, TabsOnTheLeftOrRightAreTurned) {
    AddPages(2);
    Skin();
    pc->SetTabPosition(tpLeft);
    Paint();
    // Tab 1 at (0, 62, 20, 122): built 60 x 20 lying, turned counter-clockwise, so its
    // right end is at the top.
    EXPECT_EQ(pc->GetItemRect(1), Rect(0, 62, 20, 122));
    EXPECT_EQ(Px(0, 62), PictureWord(139, 0));
    EXPECT_EQ(Px(19, 121), PictureWord(100, 19));
    pc->SetTabPosition(tpRight);
    Paint();
    const TRect r = pc->GetItemRect(1);
    EXPECT_EQ(Px(r.Left, r.Top), PictureWord(100, 19));  // clockwise: the left end on top
    EXPECT_EQ(Px(r.Right - 1, r.Bottom - 1), PictureWord(139, 0));
}

TEST_F(SkinPageControlTest, SheetBackgroundsAndEraseWithoutPages) {
    // Without pages, erasing is the framework's (the control's colour).
    TBitmap picture = SolidPicture(10, 10, 0x123456);
    pc->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&picture.Canvas()), 0);
    EXPECT_EQ(picture.GetPixel(5, 5), ColorToRGB(pc->Color()));
    AddPages(2);
    picture = SolidPicture(10, 10, 0x123456);
    EXPECT_EQ(pc->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&picture.Canvas()), 0), 1);
    EXPECT_EQ(At(picture, 5, 5), 0x123456u);

    pc->ApplyTabSkin();
    Paint();
    const TPoint o = pc->ActivePage()->ClientToParent({0, 0}, form.get());
    EXPECT_EQ(Color(o.X + 10, o.Y + 10), ColorToRGB(clBtnFace));
    Skin();
    Paint();
    const TPoint s = pc->ActivePage()->ClientToParent({0, 0}, form.get());
    EXPECT_EQ(Px(s.X, s.Y), PictureWord(3, 3));  // the client piece, tiled whole
    EXPECT_EQ(Px(s.X + 54, s.Y + 1), PictureWord(3, 4));
    Skin("bgpictureindex=1\n", {NumberedPicture(200, 200), NumberedPicture(30, 20)});
    Paint();
    EXPECT_EQ(Px(s.X + 31, s.Y + 21), PictureWord(1, 1));
}

TEST_F(SkinPageControlTest, TheCompiledInSkinsTabsAndScroller) {
    LoadDefaultSkin();
    AddPages(8);
    pc->SetTabWidth(0);
    pc->SetSkinData(data);
    EXPECT_TRUE(pc->HasSection());
    EXPECT_EQ(pc->ItemHeight(), 20);
    pc->SetWidth(150);
    ASSERT_NE(pc->Scroller(), nullptr);
    EXPECT_EQ(pc->Scroller()->SkinDataName(), "hupdown");
    EXPECT_EQ(pc->Scroller()->BoundsRect(), Rect(150 - 32, 0, 150, 16));  // the skin's 32 x 16
    // A user's switch is a change; the skin's application was not.
    P().Click(5, 5);
    P().Click(pc->GetItemRect(1).Left + 5, 5);
    EXPECT_EQ(changes, 1);
}

}  // namespace
