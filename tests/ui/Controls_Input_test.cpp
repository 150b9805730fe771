#include "tests/ui/Controls_TestSupport.h"
#include "ui/Timer.h"

namespace {

class InputTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(100, 100, 200, 100);
        panel_.SetBounds(50, 20, 100, 60);
        panel_.SetParent(form_.get());
        button_.SetBounds(10, 10, 30, 20);  // screen (160..190, 130..150)
        button_.SetParent(&panel_);
        form_->Show();
        P().ProcessPending();
    }
    void TearDown() override {
        button_.SetParent(nullptr);
        panel_.SetParent(nullptr);
        form_.reset();
        ControlsTest::TearDown();
    }
    std::unique_ptr<TForm> form_;
    TWinControl panel_{nullptr};
    TGraphicControl button_{nullptr};
};

TEST_F(InputTest, ClientMessagesGoToTheDeepestControlInItsCoordinates) {
    std::vector<std::string> events;
    button_.OnMouseDown = [&](TComponent*, TMouseButton b, TShiftState s, int x, int y) {
        events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," +
                         std::to_string(y) + ((s & ssLeft) ? " L" : "") +
                         ((s & ssShift) ? " S" : ""));
    };
    button_.OnClick = [&](TComponent*) { events.push_back("click"); };
    button_.OnDblClick = [&](TComponent*) { events.push_back("dbl"); };
    P().KeyDown(VK_SHIFT);
    P().Click(165, 135);
    P().KeyUp(VK_SHIFT);
    P().DoubleClick(170, 140);
    EXPECT_EQ(events, (std::vector<std::string>{"down 0 5,5 L S", "click", "down 0 10,10 L",
                                                "click", "dbl", "down 0 10,10 L", "click"}));
}

TEST_F(InputTest, CaptureKeepsTheDragWithThePressedControlAndClickNeedsReleaseInside) {
    std::vector<TPoint> moves;
    int clicks = 0;
    button_.OnMouseMove = [&](TComponent*, TShiftState, int x, int y) { moves.push_back({x, y}); };
    button_.OnClick = [&](TComponent*) { ++clicks; };
    P().MoveMouse(165, 135);
    P().PressButton();
    P().MoveMouse(250, 180);  // far outside the control and the panel
    P().ReleaseButton();
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves.back(), (TPoint{90, 50}));
    EXPECT_EQ(clicks, 0);  // released outside
    // Capture is gone after the release.
    P().MoveMouse(120, 110);
    EXPECT_EQ(moves.size(), 2u);
}

TEST_F(InputTest, EnterAndLeaveFollowThePointerAndDisabledControlsGetNothing) {
    std::vector<std::string> log;
    button_.OnMouseEnter = [&](TComponent*) { log.push_back("enter"); };
    button_.OnMouseLeave = [&](TComponent*) { log.push_back("leave"); };
    P().MoveMouse(120, 110);
    P().MoveMouse(165, 135);
    P().MoveMouse(170, 140);
    P().MoveMouse(120, 110);
    P().MoveMouse(165, 135);
    P().MoveMouse(900, 900);  // out of the window
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));

    int downs = 0, panelDowns = 0;
    button_.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++downs; };
    panel_.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++panelDowns; };
    button_.SetEnabled(false);
    P().Click(165, 135);
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(panelDowns, 1);  // the disabled control is passed over
    panel_.SetEnabled(false);
    P().Click(165, 135);
    EXPECT_EQ(panelDowns, 1);
}

TEST_F(InputTest, CursorComesFromTheControlUnderThePointer) {
    panel_.Cursor = crHandPoint;
    P().MoveMouse(165, 135);  // the button inherits the panel's cursor
    EXPECT_EQ(W(*form_).Cursor(), platform::CursorShape::HandPoint);
    button_.Cursor = crIBeam;
    P().MoveMouse(166, 135);
    EXPECT_EQ(W(*form_).Cursor(), platform::CursorShape::IBeam);
    Screen().SetCursor(crHourGlass);
    P().MoveMouse(167, 135);
    EXPECT_EQ(W(*form_).Cursor(), platform::CursorShape::Wait);
    Screen().SetCursor(crDefault);
}

TEST_F(InputTest, HintShowsAfterThePauseAndHidesAfterTheHidePause) {
    button_.Hint = "Press me";
    button_.SetShowHint(true);
    P().MoveMouse(165, 135);
    P().AdvanceTime(499);
    EXPECT_EQ(Application().HintWindow(), nullptr);
    P().AdvanceTime(1);
    ASSERT_NE(Application().HintWindow(), nullptr);
    EXPECT_TRUE(Application().HintWindow()->PopupWindowShown());
    EXPECT_EQ(Application().HintWindow()->Caption(), "Press me");
    EXPECT_EQ(Application().HintWindow()->Top(), 135 + 20);
    P().AdvanceTime(2500);
    EXPECT_FALSE(Application().HintWindow()->PopupWindowShown());
    // A press cancels any hint.
    P().PressButton();
    EXPECT_EQ(Application().HintWindow(), nullptr);
    P().ReleaseButton();
}

TEST_F(InputTest, TimersFireInVirtualTime) {
    TTimer timer(nullptr);
    std::vector<uint64_t> ticks;
    timer.OnTimer = [&](TComponent*) { ticks.push_back(P().NowMs()); };
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetInterval(300);
    P().AdvanceTime(1000);
    EXPECT_EQ(ticks, (std::vector<uint64_t>{300, 600, 900}));
    timer.SetEnabled(false);
    P().AdvanceTime(1000);
    EXPECT_EQ(ticks.size(), 3u);
    timer.SetEnabled(true);
    timer.SetInterval(0);  // zero stops it
    P().AdvanceTime(1000);
    EXPECT_EQ(ticks.size(), 3u);

    std::vector<uintptr_t> ids;
    panel_.WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_TIMER)
            ids.push_back(m.WParam);
        else
            panel_.WndProc(m);
    };
    panel_.SetTimer(1, 50);
    panel_.SetTimer(2, 20);
    P().AdvanceTime(60);
    EXPECT_EQ(ids, (std::vector<uintptr_t>{2, 2, 1, 2}));
    panel_.KillTimer(2);
    P().AdvanceTime(40);
    EXPECT_EQ(ids, (std::vector<uintptr_t>{2, 2, 1, 2, 1}));
    panel_.KillTimer(1);
    panel_.WindowProc = [this](TMessage& m) { panel_.WndProc(m); };
}

}  // namespace
