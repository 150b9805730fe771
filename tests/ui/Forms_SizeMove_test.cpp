#include "tests/ui/Controls_TestSupport.h"

namespace {

class SizeMoveTest : public ControlsTest {
protected:
    // A sizeable form with the default frame at (100, 100), 300 x 200.
    std::unique_ptr<TForm> MakeForm() {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        form->Show();
        P().ProcessPending();
        return form;
    }
};

TEST_F(SizeMoveTest, CaptionDragMovesWithMessagesInOrder) {
    auto form = MakeForm();
    MessageLog log(*form, {WM_NCHITTEST, WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE,
                           WM_MOVING, WM_MOVE, WM_EXITSIZEMOVE, WM_NCLBUTTONUP, WM_LBUTTONUP});
    P().Drag(200, 110, 260, 150, 2);
    EXPECT_EQ(form->BoundsRect(), Bounds(160, 140, 300, 200));
    EXPECT_EQ(form->PlatformWindow()->Bounds(), Bounds(160, 140, 300, 200));
    // Hit tests for the pointer arriving and for the press; then the loop.
    const std::vector<uint32_t> expected = {
        WM_NCHITTEST, WM_NCHITTEST, WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE,
        WM_MOVING,    WM_MOVE,      WM_MOVING,        WM_MOVE,       WM_EXITSIZEMOVE};
    EXPECT_EQ(log.Messages(), expected);
    ASSERT_GE(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[2].WParam, static_cast<uintptr_t>(HTCAPTION));
    EXPECT_EQ(GetXParam(log.entries[2].LParam), 200);  // screen point
    EXPECT_EQ(GetYParam(log.entries[2].LParam), 110);
    EXPECT_FALSE(W(*form).Grabbed());
}

TEST_F(SizeMoveTest, MovingRectangleAdjustedByTheHandlerIsApplied) {
    auto form = MakeForm();
    auto prev = form->WindowProc;
    // Snap: the top edge never goes above y = 50.
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_MOVING) {
            auto* r = reinterpret_cast<TRect*>(m.LParam);
            if (r->Top < 50) *r = OffsetRect(*r, 0, 50 - r->Top);
        }
        prev(m);
    };
    P().Drag(200, 110, 200, 20, 3);
    EXPECT_EQ(form->Top(), 50);
    EXPECT_EQ(form->Left(), 100);
    form->WindowProc = prev;
}

TEST_F(SizeMoveTest, BorderDragSizesWithinMinMaxTrackSizes) {
    auto form = MakeForm();
    auto prev = form->WindowProc;
    std::vector<uint32_t> edges;
    form->WindowProc = [&](TMessage& m) {
        prev(m);
        if (m.Msg == WM_GETMINMAXINFO) {
            auto* mmi = reinterpret_cast<TMinMaxInfo*>(m.LParam);
            mmi->ptMinTrackSizeX = 130;
            mmi->ptMinTrackSizeY = 25;
            mmi->ptMaxTrackSizeX = 400;
            mmi->ptMaxTrackSizeY = 260;
        }
        if (m.Msg == WM_SIZING) edges.push_back(static_cast<uint32_t>(m.WParam));
    };
    // Bottom-right corner (window point 299,199) far outward: clamped to the maximum.
    P().Drag(399, 299, 700, 700, 2);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 260));
    ASSERT_FALSE(edges.empty());
    EXPECT_EQ(edges.back(), static_cast<uint32_t>(WMSZ_BOTTOMRIGHT));
    // Left edge far inward: the right edge stays, the width stops at the minimum.
    P().Drag(100, 200, 600, 200, 2);
    EXPECT_EQ(form->BoundsRect(), Rect(370, 100, 500, 360));
    EXPECT_EQ(edges.back(), static_cast<uint32_t>(WMSZ_LEFT));
    // Children follow the new client area.
    EXPECT_EQ(form->ClientWidth(), 130 - 6);
    form->WindowProc = prev;
}

TEST_F(SizeMoveTest, SizingRectangleAdjustedByTheHandlerIsApplied) {
    auto form = MakeForm();
    auto prev = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SIZING) {
            auto* r = reinterpret_cast<TRect*>(m.LParam);
            r->Bottom = r->Top + 150;  // a fixed height
        }
        prev(m);
    };
    P().Drag(250, 299, 300, 500, 2);
    EXPECT_EQ(form->Height(), 150);
    EXPECT_EQ(form->Width(), 300);
    form->WindowProc = prev;
}

TEST_F(SizeMoveTest, GrabLossEndsTheLoop) {
    auto form = MakeForm();
    MessageLog log(*form, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE});
    P().MoveMouse(200, 110);
    P().PressButton();
    P().MoveMouse(210, 120);
    EXPECT_TRUE(W(*form).Grabbed());
    P().BreakGrab();
    EXPECT_EQ(log.Messages(), (std::vector<uint32_t>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
    P().MoveMouse(300, 300);  // no longer moves the window
    P().ReleaseButton();
    EXPECT_EQ(form->BoundsRect(), Bounds(110, 110, 300, 200));
}

TEST_F(SizeMoveTest, HookedHitTestDecidesWhatMoves) {
    auto form = MakeForm();
    auto prev = form->WindowProc;
    // Only the top-left 20 x 20 pixels move the window; the rest of the frame is inert.
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_NCHITTEST) {
            const TPoint p{GetXParam(m.LParam) - form->Left(), GetYParam(m.LParam) - form->Top()};
            m.Result = (p.X < 20 && p.Y < 20) ? HTCAPTION : HTSKINOBJECT;
            return;
        }
        prev(m);
    };
    P().Drag(200, 110, 300, 110, 2);
    EXPECT_EQ(form->Left(), 100);
    P().Drag(105, 105, 155, 125, 2);
    EXPECT_EQ(form->BoundsRect(), Bounds(150, 120, 300, 200));
    form->WindowProc = prev;
}

TEST_F(SizeMoveTest, NegativeScreenCoordinatesSurviveTheLParam) {
    P().SetMonitors({{Rect(-1280, 0, 0, 1024), Rect(-1280, 0, 0, 1000), false},
                     {Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040), true}});
    TForm form(nullptr);
    form.SetBounds(-600, 100, 300, 200);
    form.Show();
    MessageLog log(form, {WM_NCHITTEST});
    P().MoveMouse(-500, 110);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(GetXParam(log.entries[0].LParam), -500);
    P().Drag(-500, 110, -450, 110, 1);
    EXPECT_EQ(form.Left(), -550);
}

}  // namespace
