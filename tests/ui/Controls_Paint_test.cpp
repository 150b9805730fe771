#include "platform/Platform.h"
#include "tests/ui/Controls_TestSupport.h"
#include "ui/Bitmap.h"

namespace {

class PaintTest : public ControlsTest {
protected:
    // A borderless shown form of the given size at (100, 100), filled with white.
    std::unique_ptr<TForm> MakeForm(int w, int h) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, w, h);
        form->SetColor(clWhite);
        form->Show();
        P().ProcessPending();
        return form;
    }
};

// Paints outside its own rectangle on purpose.
class GreedyControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { Canvas().FillSolid(Rect(-1000, -1000, 1000, 1000), clRed); }
};

TEST_F(PaintTest, ChildNeverPaintsOutsideItselfOrItsAncestors) {
    auto form = MakeForm(100, 80);
    TWinControl holder(nullptr);
    holder.SetBounds(10, 10, 40, 30);
    holder.SetColor(clBlue);
    holder.SetParent(form.get());
    GreedyControl greedy(nullptr);
    greedy.SetBounds(30, 20, 50, 50);  // sticks out of the holder on the right and bottom
    greedy.SetParent(&holder);
    P().ProcessPending();
    auto& w = W(*form);
    EXPECT_EQ(w.PixelAt(5, 5), clWhite);
    EXPECT_EQ(w.PixelAt(10, 10), clBlue);
    EXPECT_EQ(w.PixelAt(39, 29), clBlue);
    EXPECT_EQ(w.PixelAt(40, 30), clRed);    // the greedy control's own corner
    EXPECT_EQ(w.PixelAt(49, 39), clRed);    // last pixel inside the holder
    EXPECT_EQ(w.PixelAt(50, 39), clWhite);  // beyond the holder: clipped
    EXPECT_EQ(w.PixelAt(45, 40), clWhite);
}

TEST_F(PaintTest, OrderIsFrameEraseThenPaintParentBeforeChildren) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
    SolidControl child(nullptr, clGreen);
    child.SetBounds(0, 0, 50, 50);
    child.SetParent(form.get());
    std::vector<std::string> order;
    auto formPrev = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_NCPAINT) order.push_back("form nc");
        if (m.Msg == WM_ERASEBKGND) order.push_back("form erase");
        if (m.Msg == WM_PAINT) order.push_back("form paint");
        formPrev(m);
    };
    auto childPrev = child.WindowProc;
    child.WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND) order.push_back("child erase");
        if (m.Msg == WM_PAINT) order.push_back("child paint");
        childPrev(m);
    };
    form->Show();
    P().ProcessPending();
    EXPECT_EQ(order, (std::vector<std::string>{"form nc", "form erase", "form paint", "child erase",
                                               "child paint"}));
    // The child is drawn at its place inside the client area (default frame 3 / 3+19).
    EXPECT_EQ(W(*form).PixelAt(3, 22), clGreen);
    EXPECT_EQ(W(*form).PixelAt(52, 71), clGreen);
    EXPECT_EQ(W(*form).PixelAt(53, 72), ColorToRGB(clBtnFace));
    form->WindowProc = formPrev;
    child.WindowProc = childPrev;
}

TEST_F(PaintTest, HandledEraseIsRespectedAndOnlyDirtyPartRepaints) {
    auto form = MakeForm(60, 40);
    SolidControl a(nullptr, clGreen), b(nullptr, clYellow);
    a.SetBounds(0, 0, 20, 20);
    b.SetBounds(30, 0, 20, 20);
    a.SetParent(form.get());
    b.SetParent(form.get());
    P().ProcessPending();
    const int aPaints = a.paints, bPaints = b.paints;
    a.Invalidate();
    P().ProcessPending();
    EXPECT_EQ(a.paints, aPaints + 1);
    EXPECT_EQ(b.paints, bPaints);  // outside the dirty rectangle

    // A control answering erase as handled keeps what was there.
    TWinControl quiet(nullptr);
    quiet.SetBounds(0, 25, 10, 10);
    quiet.SetColor(clRed);
    quiet.WindowProc = [&quiet](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND) {
            m.Result = 1;
            return;
        }
        quiet.WndProc(m);
    };
    quiet.SetParent(form.get());
    P().ProcessPending();
    EXPECT_EQ(W(*form).PixelAt(5, 30), clWhite);
}

TEST_F(PaintTest, NativeViewAreaIsNotPaintedAndFollowsVisibility) {
    auto form = MakeForm(100, 100);
    TWinControl sheet(nullptr);
    sheet.SetAlign(alClient);
    sheet.SetParent(form.get());
    TWinControl pane(nullptr);
    pane.SetBounds(10, 10, 30, 30);
    pane.SetColor(clRed);
    pane.SetParent(&sheet);
    int widget = 0;
    pane.HostNativeView(&widget);
    P().ProcessPending();
    ASSERT_EQ(W(*form).NativeViews().size(), 1u);
    platform::HeadlessNativeView* view = W(*form).NativeViews()[0];
    EXPECT_EQ(view->Widget(), &widget);
    EXPECT_EQ(view->Geometry(), Rect(10, 10, 40, 40));
    EXPECT_TRUE(view->Visible());
    // The pane's own colour never reaches the image under the view.
    EXPECT_NE(W(*form).PixelAt(20, 20), clRed);

    // An inactive sheet hides the view, and the view comes back on the same widget.
    sheet.SetVisible(false);
    EXPECT_FALSE(view->Visible());
    sheet.SetVisible(true);
    EXPECT_TRUE(view->Visible());
    pane.SetBounds(0, 0, 50, 20);
    EXPECT_EQ(view->Geometry(), Rect(0, 0, 50, 20));
}

TEST_F(PaintTest, RecreatingTheWindowKeepsBoundsAndRehostsViews) {
    auto form = MakeForm(120, 90);
    TWinControl pane(nullptr);
    pane.SetBounds(5, 5, 20, 20);
    pane.SetParent(form.get());
    int widget = 0;
    pane.HostNativeView(&widget);
    // Marks the current window so that a new one can be told apart.
    form->PlatformWindow()->SetCursor(platform::CursorShape::Wait);
    MessageLog log(*form, {WM_NCCALCSIZE});
    form->RecreateWnd();
    P().ProcessPending();
    EXPECT_EQ(W(*form).Cursor(), platform::CursorShape::Default);
    EXPECT_EQ(P().Windows().size(), 1u);
    EXPECT_EQ(form->PlatformWindow()->Bounds(), Rect(100, 100, 220, 190));
    EXPECT_TRUE(form->PlatformWindow()->Visible());
    EXPECT_GE(log.Count(WM_NCCALCSIZE), 1);
    ASSERT_EQ(W(*form).NativeViews().size(), 1u);
    EXPECT_EQ(W(*form).NativeViews()[0]->Widget(), &widget);
    EXPECT_EQ(W(*form).NativeViews()[0]->Geometry(), Rect(5, 5, 25, 25));
}

TEST_F(PaintTest, HookedNcCalcSizeDecidesTheClientArea) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 204, 200);
    auto prev = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_NCCALCSIZE) {
            auto* r = reinterpret_cast<TRect*>(m.LParam);
            r->Left += 13;
            r->Top += 33;
            r->Right -= 13;
            r->Bottom -= 13;
            return;
        }
        prev(m);
    };
    form->RecreateWnd();
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 191, 187));
    form->SetClientWidth(777);
    form->SetClientHeight(491);
    EXPECT_EQ(form->Width(), 803);
    EXPECT_EQ(form->Height(), 537);
    // Smaller than the frame: an empty client, never a negative one.
    form->SetBounds(0, 0, 20, 30);
    EXPECT_EQ(form->ClientWidth(), 0);
    EXPECT_EQ(form->ClientHeight(), 0);
    form->WindowProc = prev;
}

TEST_F(PaintTest, ScreenCenterUsesTheScreenMiddle) {
    TForm form(nullptr);
    form.Position = poScreenCenter;
    form.SetBounds(143, 190, 801, 537);
    form.Show();
    EXPECT_EQ(form.Left(), (1920 - 801) / 2);
    EXPECT_EQ(form.Top(), (1080 - 537) / 2);
    EXPECT_EQ(form.PlatformWindow()->Bounds(), Bounds(559, 271, 801, 537));
}

// A WM_PAINT that brings a canvas (another control painting this one into a picture, as
// what lies behind an alpha-blended control is painted) is drawn there, not on the window.
TEST_F(PaintTest, PaintRequestWithACanvasDrawsOnThatCanvas) {
    auto form = MakeForm(60, 40);
    SolidControl child(nullptr, clGreen);
    child.SetBounds(0, 0, 20, 20);
    child.SetParent(form.get());
    P().ProcessPending();
    TBitmap picture(20, 20);
    child.Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&picture.Canvas()), 0);
    EXPECT_EQ(picture.GetPixel(0, 0), clGreen);
    EXPECT_EQ(picture.GetPixel(19, 19), clGreen);
    EXPECT_EQ(child.paints, 2);
}

}  // namespace
