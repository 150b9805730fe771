// The up-down buttons: the auto-repeat timing on the virtual clock, the position rules at
// the limits and with Increment 0, and the skinned and default looks.
#include "skin/controls/SkinUpDown.h"

#include "tests/skin_controls/SkinControlsTestSupport.h"

namespace {

class SkinUpDownTest : public SkinControlsTest {
protected:
    void SetUp() override {
        SkinControlsTest::SetUp();
        updown = new TspSkinUpDown(form.get());
        updown->SetParent(form.get());
        updown->SetBounds(10, 10, 40, 20);  // horizontal: down on the left, up on the right
        updown->OnChange = [this](TComponent*) { changes.push_back(updown->Position()); };
        updown->OnUpButtonClick = [this](TComponent*) { ++upClicks; };
        updown->OnDownButtonClick = [this](TComponent*) { ++downClicks; };
        Paint();
    }
    void PressUp() {
        P().MoveMouse(40, 20);
        P().PressButton();
    }
    TspSkinUpDown* updown = nullptr;
    std::vector<int> changes;
    int upClicks = 0, downClicks = 0;
};

TEST_F(SkinUpDownTest, HoldingStepsFirstAt600MsThenEvery100AndOnceMoreOnRelease) {
    PressUp();
    P().AdvanceTime(599);
    EXPECT_TRUE(changes.empty());  // the tick at 500 ms only switches to the fast interval
    P().AdvanceTime(1);
    EXPECT_EQ(changes, (std::vector<int>{1}));
    P().AdvanceTime(99);
    EXPECT_EQ(changes.size(), 1u);
    P().AdvanceTime(1);
    P().AdvanceTime(100);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3}));
    P().ReleaseButton();
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(upClicks, 1);
    P().AdvanceTime(1000);  // the repeat has stopped
    EXPECT_EQ(changes.size(), 4u);

    // The down button counts back.
    P().MoveMouse(15, 20);
    P().PressButton();
    P().AdvanceTime(700);
    P().ReleaseButton();
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(downClicks, 1);
}

TEST_F(SkinUpDownTest, LeavingTheHeldButtonPausesTheRepeatAndComingBackResumesIt) {
    PressUp();
    P().AdvanceTime(600);
    EXPECT_EQ(updown->Position(), 1);
    P().MoveMouse(15, 20);  // over the other button: nothing lights up, the repeat stops
    EXPECT_FALSE(updown->ButtonActive(TspSkinUpDown::kDownButton));
    P().AdvanceTime(500);
    EXPECT_EQ(updown->Position(), 1);
    P().MoveMouse(40, 20);
    P().AdvanceTime(50);
    EXPECT_EQ(updown->Position(), 2);
    P().ReleaseButton();
}

TEST_F(SkinUpDownTest, StepsBeyondTheLimitsAreIgnoredWithoutAnEvent) {
    updown->SetMax(2);
    updown->SetPosition(2);
    changes.clear();
    P().Click(40, 20);
    EXPECT_EQ(updown->Position(), 2);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(upClicks, 1);  // the click still happens
    updown->SetPosition(0);
    changes.clear();
    P().Click(15, 20);
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_TRUE(changes.empty());

    // Writing a value inside fires, also when it did not change; the limits' writers move
    // the position without an event.
    updown->SetPosition(0);
    EXPECT_EQ(changes, (std::vector<int>{0}));
    updown->SetPosition(3);
    EXPECT_EQ(updown->Position(), 0);
    updown->SetPosition(2);
    updown->SetMax(1);
    EXPECT_EQ(updown->Position(), 1);
    updown->SetMin(-5);
    updown->SetMin(1);
    EXPECT_EQ(updown->Position(), 1);
    updown->SetMax(10);
    updown->SetMin(4);
    EXPECT_EQ(updown->Position(), 4);
    EXPECT_EQ(changes, (std::vector<int>{0, 2}));
}

TEST_F(SkinUpDownTest, IncrementZeroClicksWithoutStepping) {
    updown->Increment = 0;
    PressUp();
    EXPECT_TRUE(updown->ButtonPressed(TspSkinUpDown::kUpButton));
    const size_t timers = P().ActiveTimerCount();
    P().AdvanceTime(2000);
    P().ReleaseButton();
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(upClicks, 1);
    P().Click(15, 20);
    EXPECT_EQ(downClicks, 1);
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_EQ(P().ActiveTimerCount(), timers);  // no repeat timer was started
}

TEST_F(SkinUpDownTest, DefaultLookAndTheSkinsPieces) {
    // Default look: frames and fills by state, arrows centred.
    EXPECT_EQ(updown->ButtonRect(TspSkinUpDown::kDownButton), Rect(0, 0, 20, 20));
    EXPECT_EQ(updown->ButtonRect(TspSkinUpDown::kUpButton), Rect(20, 0, 40, 20));
    EXPECT_EQ(Color(10, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Color(11, 11), ColorToRGB(clBtnFace));
    PressUp();
    Paint();
    EXPECT_EQ(Color(30, 10), RGB(0, 0, 128));
    EXPECT_EQ(Color(31, 11), RGB(133, 147, 181));
    EXPECT_EQ(Color(40, 20), clBlack);  // the right arrow's tip row at the centre
    P().ReleaseButton();
    Paint();
    EXPECT_EQ(Color(31, 11), RGB(182, 189, 210));  // still under the mouse: active

    // Vertical: up on top.
    updown->SetOrientation(udVertical);
    EXPECT_EQ(updown->ButtonRect(TspSkinUpDown::kUpButton), Rect(0, 0, 40, 10));

    // Skinned: the element's size and the buttons' places come from the section; an empty
    // pressed piece shows the active one; the section's client rectangle is cleared.
    LoadSkin({"hupdown:updown"},
             "[hupdown]\npictureindex=0\nskinrect=100,100,132,116\nlefttoppoint=3,"
             "3\nrightbottompoint=9,9\n"
             "clientrect=0,0,32,16\nupbuttonrect=16,0,32,16\nactiveupbuttonrect=0,150,16,166\n"
             "downbuttonrect=0,0,16,16\nactivedownbuttonrect=20,150,36,166\n");
    updown->SetSkinData(data);
    EXPECT_EQ(updown->ResizeMode(), rmFixed);
    EXPECT_EQ((TSize{updown->Width(), updown->Height()}), (TSize{32, 16}));
    EXPECT_EQ(updown->ButtonRect(TspSkinUpDown::kUpButton), Rect(16, 0, 32, 16));
    auto* def = dynamic_cast<TspDataSkinCustomControl*>(data->ControlDefs[0].get());
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->ClientRect, TRect{});
    P().MoveMouse(35, 15);
    Paint();
    EXPECT_EQ(Px(26, 10), PictureWord(0, 150));    // up hovered: its active piece
    EXPECT_EQ(Px(10, 10), PictureWord(100, 100));  // down: the element as it is
    P().PressButton();
    Paint();
    EXPECT_EQ(Px(26, 10), PictureWord(0, 150));  // no pressed piece: the active one
    P().ReleaseButton();
}

}  // namespace
