// Skinned hints: which component serves, size and placement, timing, translucency, and the
// cursor's visible bottom.
#include "skin/popup/SkinHint.h"

#include "PopupTestSupport.h"
#include "skin/popup/SkinHintWindow.h"

namespace {

class HintTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        Application().SetMainForm(form.get());
        Application().HintPause = 500;
        Application().HintHidePause = 2500;
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        PopupTest::TearDown();
    }
    TspSkinHintWindow& WindowOf(TspSkinHint& h) { return h.HintWindow(); }
};

// A 16 x 24 cursor whose visible part ends at row `lastRow`; the AND half only.
platform::CursorInfo ArrowCursor(int lastRow, int hotspotY) {
    platform::CursorInfo c;
    c.width = 16;
    c.height = 24;
    c.hotspotY = hotspotY;
    c.mask.assign(4 * 24, 0xFF);
    for (int y = 0; y <= lastRow; ++y) c.mask[static_cast<size_t>(y) * 4] = 0x00;
    return c;
}

}  // namespace

TEST_F(HintTest, NothingIsShownWithoutAnActiveHintOnTheMainForm) {
    TForm other(nullptr);
    auto* elsewhere = new TspSkinHint(&other);  // not on the main form
    elsewhere->ShowHintAtCursor("hello");
    screen->AdvanceTime(600);
    EXPECT_FALSE(WindowOf(*elsewhere).PopupWindowShown());
    auto* inactive = new TspSkinHint(form.get());
    inactive->SetActive(false);
    inactive->ShowHintAtCursor("hello");
    screen->AdvanceTime(600);
    EXPECT_FALSE(WindowOf(*inactive).PopupWindowShown());
}

TEST_F(HintTest, ShownAfterTheHintPauseBelowTheCursorAndHiddenAfterTheHidePause) {
    screen->SetCursorInfo(ArrowCursor(18, 2));
    auto* hint = new TspSkinHint(form.get());
    screen->MoveMouse(300, 200);
    hint->ShowHintAtCursor("Close");
    screen->AdvanceTime(499);
    EXPECT_FALSE(WindowOf(*hint).PopupWindowShown());
    screen->AdvanceTime(1);
    ASSERT_TRUE(WindowOf(*hint).PopupWindowShown());
    EXPECT_EQ(WindowOf(*hint).BoundsRect().TopLeft(), (TPoint{300, 200 + 16}));
    // Default look: info colours with a shadow frame.
    auto* w = static_cast<platform::HeadlessWindow*>(WindowOf(*hint).PlatformWindow());
    EXPECT_EQ(w->PixelAt(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(w->PixelAt(1, 1), ColorToRGB(clInfoBk));
    // A screen reader reads it as a tool tip with the text.
    EXPECT_EQ(w->AccessibleTree().role, platform::AccessibleRole::ToolTip);
    EXPECT_EQ(w->AccessibleTree().name, "Close");
    screen->AdvanceTime(2499);
    EXPECT_TRUE(WindowOf(*hint).PopupWindowShown());
    screen->AdvanceTime(1);
    EXPECT_FALSE(WindowOf(*hint).PopupWindowShown());
    // A new request or HideHint cancels the pending step.
    hint->ShowHintAtCursor("A");
    screen->AdvanceTime(300);
    hint->ShowHintAtCursor("B");
    screen->AdvanceTime(300);
    EXPECT_FALSE(WindowOf(*hint).PopupWindowShown());
    hint->HideHint();
    screen->AdvanceTime(1000);
    EXPECT_FALSE(WindowOf(*hint).PopupWindowShown());
    EXPECT_FALSE(hint->HintPending());
}

TEST_F(HintTest, NearTheBottomRightCornerTheHintOpensAboveAndLeft) {
    auto* hint = new TspSkinHint(form.get());
    screen->MoveMouse(1275, 1015);
    hint->ShowHintAtCursor("A somewhat longer hint text");
    screen->AdvanceTime(500);
    const TRect b = WindowOf(*hint).BoundsRect();
    const int offset = hint->CursorBottomOffset();
    EXPECT_EQ(b.Left, 1275 - b.Width() - 2);
    EXPECT_EQ(b.Top, 1015 + offset - b.Height() - 2);
}

TEST_F(HintTest, SkinnedHintIsNeverSmallerThanItsPictureAndDrawsFromIt) {
    LoadSkin();
    auto* hint = new TspSkinHint(form.get());
    hint->SetSkinData(skin);
    screen->MoveMouse(100, 100);
    hint->ShowHintAtCursor("x");
    screen->AdvanceTime(500);
    const TBitmap& pic = *skin->ActivePicture(skin->HintWindowDef.WindowPictureIndex);
    TspSkinHintWindow& window = WindowOf(*hint);
    EXPECT_EQ(window.Width(), pic.Width());
    EXPECT_EQ(window.Height(), pic.Height());
    auto* w = static_cast<platform::HeadlessWindow*>(window.PlatformWindow());
    EXPECT_EQ(w->PixelAt(0, 0), pic.GetPixel(0, 0));
    // A long text widens it by the text beyond the client rectangle.
    hint->ShowHintAtCursor("A long hint that needs a wide window");
    screen->AdvanceTime(500);
    EXPECT_GT(window.Width(), pic.Width() + 100);
    EXPECT_EQ(w->PixelAt(window.Width() - 1, window.Height() - 1),
              pic.GetPixel(pic.Width() - 1, pic.Height() - 1));
}

TEST_F(HintTest, ActivatingASecondHintDeactivatesTheFirst) {
    auto* first = new TspSkinHint(form.get());
    auto* second = new TspSkinHint(form.get());
    EXPECT_TRUE(first->Active());
    second->SetActive(true);
    EXPECT_FALSE(first->Active());
    EXPECT_EQ(TspSkinHintWindow::ServingHint(), second);
    first->SetActive(true);
    EXPECT_FALSE(second->Active());
}

TEST_F(HintTest, AlphaIsSetOnceAndRemovedWhenTurnedOff) {
    auto* hint = new TspSkinHint(form.get());
    ASSERT_TRUE(hint->AlphaBlendSupport());
    hint->AlphaBlend = true;
    hint->AlphaBlendValue = 180;
    hint->ShowHintAtCursor("one");
    screen->AdvanceTime(500);
    auto* w = static_cast<platform::HeadlessWindow*>(WindowOf(*hint).PlatformWindow());
    EXPECT_EQ(w->OpacityCalls(), (std::vector<uint8_t>{180}));
    hint->ShowHintAtCursor("two");
    screen->AdvanceTime(500);
    EXPECT_EQ(w->OpacityCalls(), (std::vector<uint8_t>{180}));
    hint->AlphaBlend = false;
    hint->ShowHintAtCursor("three");
    screen->AdvanceTime(500);
    EXPECT_EQ(w->OpacityCalls(), (std::vector<uint8_t>{180, 255}));
    // Without per-window alpha the support flag is forced off and the screen is blended in.
    screen->SetCompositing(false);
    hint->SetAlphaBlendSupport(true);
    EXPECT_FALSE(hint->AlphaBlendSupport());
    hint->AlphaBlend = true;
    hint->AlphaBlendValue = 128;
    hint->ShowHintAtCursor("four");
    screen->AdvanceTime(500);
    screen->ProcessPending();
    EXPECT_EQ(w->OpacityCalls().size(), 2u);
    EXPECT_NEAR(GetRValue(w->PixelAt(3, 3)), GetRValue(ColorToRGB(clInfoBk)) / 2,
                1);  // black screen below
}

TEST_F(HintTest, ApplicationHintsUseTheSkinnedWindowAndItsEvent) {
    auto* hint = new TspSkinHint(form.get());
    int shown = 0;
    hint->OnShowHint = [&](std::string& text, bool& canShow, THintInfo&) {
        ++shown;
        text = "changed";
        canShow = true;
    };
    ASSERT_TRUE(Application().HintWindowClass);
    EXPECT_EQ(Application().HintShortPause, 100);
    std::unique_ptr<THintWindow> made = Application().HintWindowClass(nullptr);
    EXPECT_NE(dynamic_cast<TspSkinHintWindow*>(made.get()), nullptr);
    std::string text = "x";
    bool canShow = false;
    THintInfo info;
    Application().OnShowHint(text, canShow, info);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(text, "changed");
}

TEST(CursorBottomOffset, FromTheMaskOrTheSystemHeight) {
    platform::CursorInfo c = ArrowCursor(18, 2);
    EXPECT_EQ(CursorBottomOffsetFromMask(c), 16);
    // AND half all transparent: the XOR half of a monochrome cursor tells.
    platform::CursorInfo mono = ArrowCursor(-1, 0);
    mono.mask.resize(2 * 4 * 24, 0);
    mono.mask[4 * 24 + 4 * 10] = 0x80;
    EXPECT_EQ(CursorBottomOffsetFromMask(mono), 10);
    // Unreadable or colour masks give the system cursor height.
    platform::CursorInfo none;
    none.systemHeight = 24;
    EXPECT_EQ(CursorBottomOffsetFromMask(none), 24);
    platform::CursorInfo colour = ArrowCursor(18, 2);
    colour.bitsPerPixel = 32;
    colour.systemHeight = 30;
    EXPECT_EQ(CursorBottomOffsetFromMask(colour), 30);
    platform::CursorInfo shortMask = ArrowCursor(18, 2);
    shortMask.mask.resize(10);  // fewer bytes than the image needs
    shortMask.systemHeight = 22;
    EXPECT_EQ(CursorBottomOffsetFromMask(shortMask), 22);
}
