#include "tests/ui/Controls_TestSupport.h"

namespace {

// A form with the default frame at (100, 100), 300 x 200: the caption band is window rows
// 3..21; the buttons are 15-pixel squares from row 5, close at x 280..294, maximise at
// 263..277, minimise at 248..262 (window coordinates).
constexpr int kLeft = 100, kTop = 100;
constexpr TPoint kClose{kLeft + 287, kTop + 12};
constexpr TPoint kMax{kLeft + 270, kTop + 12};
constexpr TPoint kMin{kLeft + 255, kTop + 12};

class CaptionButtonsTest : public ControlsTest {
protected:
    std::unique_ptr<TForm> MakeForm(TFormBorderStyle style = bsSizeable,
                                    TBorderIcons icons = biSystemMenu | biMinimize | biMaximize) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(style);
        form->SetBorderIcons(icons);
        form->SetBounds(kLeft, kTop, 300, 200);
        form->Show();
        P().ProcessPending();
        return form;
    }
    static int Hit(TForm& form, TPoint screen) {
        return static_cast<int>(form.Perform(WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y)));
    }
    TColor Pixel(TForm& form, int x, int y) { return W(form).PixelAt(x, y); }
};

TEST_F(CaptionButtonsTest, HitCodesFollowBorderIconsAndStyle) {
    struct Case {
        TFormBorderStyle style;
        TBorderIcons icons;
        int close, max, min;
    };
    const TBorderIcons all = biSystemMenu | biMinimize | biMaximize;
    const Case cases[] = {
        {bsSizeable, all, HTCLOSE, HTMAXBUTTON, HTMINBUTTON},
        {bsSingle, all, HTCLOSE, HTMAXBUTTON, HTMINBUTTON},
        // One of the pair asked for: both shown (the other disabled).
        {bsSizeable, biSystemMenu | biMinimize, HTCLOSE, HTMAXBUTTON, HTMINBUTTON},
        {bsSizeable, biSystemMenu, HTCLOSE, HTCAPTION, HTCAPTION},
        // No system menu: no buttons at all.
        {bsSizeable, biMinimize | biMaximize, HTCAPTION, HTCAPTION, HTCAPTION},
        {bsDialog, all, HTCLOSE, HTCAPTION, HTCAPTION},
        {bsNone, all, HTCLIENT, HTCLIENT, HTCLIENT},
    };
    for (const Case& c : cases) {
        auto form = MakeForm(c.style, c.icons);
        SCOPED_TRACE(testing::Message() << "style " << c.style << " icons " << c.icons);
        EXPECT_EQ(Hit(*form, kClose), c.close);
        EXPECT_EQ(Hit(*form, kMax), c.max);
        EXPECT_EQ(Hit(*form, kMin), c.min);
    }
    // Button edges: the close square is window x 280..294, y 5..19.
    auto form = MakeForm();
    EXPECT_EQ(Hit(*form, {kLeft + 280, kTop + 5}), HTCLOSE);
    EXPECT_EQ(Hit(*form, {kLeft + 294, kTop + 19}), HTCLOSE);
    EXPECT_EQ(Hit(*form, {kLeft + 295, kTop + 12}), HTCAPTION);
    EXPECT_EQ(Hit(*form, {kLeft + 287, kTop + 20}), HTCAPTION);
    EXPECT_EQ(Hit(*form, {kLeft + 278, kTop + 12}), HTCAPTION);  // the gap before the pair
    EXPECT_EQ(Hit(*form, {kLeft + 298, kTop + 12}), HTRIGHT);
    // A tool window's smaller band: an 11-pixel close button only.
    auto tool = MakeForm(bsToolWindow, all);
    EXPECT_EQ(Hit(*tool, {kLeft + 289, kTop + 10}), HTCLOSE);
    EXPECT_EQ(Hit(*tool, {kLeft + 289, kTop + 17}), HTCAPTION);
    EXPECT_EQ(Hit(*tool, {kLeft + 280, kTop + 10}), HTCAPTION);
    // A form too narrow for the buttons keeps them off its left border.
    auto narrow = MakeForm();
    narrow->SetBounds(kLeft, kTop, 40, 100);
    EXPECT_EQ(Hit(*narrow, {kLeft + 28, kTop + 12}), HTCLOSE);
    EXPECT_EQ(Hit(*narrow, {kLeft + 6, kTop + 12}), HTCAPTION);
}

TEST_F(CaptionButtonsTest, ClickOnCloseClosesTheFormAndEndsTheMainLoop) {
    auto form = MakeForm();
    int queries = 0, closes = 0;
    form->OnCloseQuery = [&](TComponent*, bool& canClose) {
        ++queries;
        canClose = queries > 1;  // refuses the first time
    };
    form->OnClose = [&](TComponent*, TCloseAction&) { ++closes; };
    Application().SetMainForm(form.get());
    P().Click(kClose.X, kClose.Y);
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(P().QuitRequested());
    P().Click(kClose.X, kClose.Y);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(P().QuitRequested());

    // A secondary form is hidden.
    auto other = MakeForm();
    P().Click(kClose.X, kClose.Y);
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(W(*other).Visible());
}

TEST_F(CaptionButtonsTest, PressTracksThePointerAndOnlyReleaseOverTheButtonActs) {
    auto form = MakeForm();
    auto* child = new SolidControl(form.get(), clRed);
    child->SetParent(form.get());
    child->SetBounds(0, 0, 50, 50);
    int queries = 0, clientPresses = 0;
    form->OnCloseQuery = [&](TComponent*, bool&) { ++queries; };
    form->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++clientPresses; };
    form->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++clientPresses; };
    P().ProcessPending();
    const int childPaints = child->paints;
    const TColor normal = Pixel(*form, 280, 5);
    EXPECT_EQ(normal, ColorToRGB(clBtnHighlight));

    MessageLog log(*form, {WM_NCPAINT});
    P().MoveMouse(kClose.X, kClose.Y);
    P().PressButton();
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(log.Count(WM_NCPAINT), 1);
    // Moving within the button changes nothing and repaints nothing.
    P().MoveMouse(kClose.X + 3, kClose.Y + 2);
    EXPECT_EQ(log.Count(WM_NCPAINT), 1);
    // Off the button (over the client area): raised again; back: pressed again.
    P().MoveMouse(kLeft + 150, kTop + 100);
    EXPECT_EQ(Pixel(*form, 280, 5), normal);
    P().MoveMouse(kClose.X, kClose.Y);
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(log.Count(WM_NCPAINT), 3);
    // Released over the neighbouring maximise button: nothing happens.
    P().MoveMouse(kMax.X, kMax.Y);
    P().ReleaseButton();
    EXPECT_EQ(queries, 0);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(Pixel(*form, 280, 5), normal);
    // The client area never saw the press, and only the frame was repainted.
    EXPECT_EQ(clientPresses, 0);
    EXPECT_EQ(child->paints, childPaints);
    // The capture is gone: a client click reaches the form again.
    P().Click(kLeft + 150, kTop + 100);
    EXPECT_EQ(clientPresses, 2);
}

TEST_F(CaptionButtonsTest, LosingTheMouseAbandonsThePress) {
    auto form = MakeForm();
    auto* child = new SolidControl(form.get(), clRed);
    child->SetParent(form.get());
    child->SetBounds(0, 0, 50, 50);
    int queries = 0;
    form->OnCloseQuery = [&](TComponent*, bool&) { ++queries; };
    P().MoveMouse(kClose.X, kClose.Y);
    P().PressButton();
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(cl3DDkShadow));
    // Something else takes the mouse while the button is held.
    child->SetMouseCapture(true);
    P().ProcessPending();
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(clBtnHighlight));
    P().ReleaseButton();
    EXPECT_EQ(queries, 0);
    EXPECT_TRUE(form->Visible());

    // Hidden while the button is held: shown again, the form takes clicks as usual and a
    // release over the button does not close it.
    int clientPresses = 0;
    form->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++clientPresses; };
    P().MoveMouse(kClose.X, kClose.Y);
    P().PressButton();
    form->Hide();
    P().ReleaseButton();
    form->Show();
    P().ProcessPending();
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(clBtnHighlight));
    P().Click(kLeft + 150, kTop + 100);
    EXPECT_EQ(clientPresses, 1);
    P().MoveMouse(kClose.X, kClose.Y);
    P().ReleaseButton();
    EXPECT_EQ(queries, 0);
    EXPECT_TRUE(form->Visible());
}

TEST_F(CaptionButtonsTest, ButtonPixelsNormalPressedAndDisabled) {
    auto form = MakeForm(bsSizeable, biSystemMenu | biMinimize);
    const TColor face = ColorToRGB(clBtnFace), text = ColorToRGB(clBtnText);
    // Raised close button: light outer top-left, dark outer and shadow inner bottom-right.
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(*form, 294, 19), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(*form, 293, 18), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(*form, 281, 6), face);
    // The X: a 9-pixel square from (283, 8); its centre and corners are inked.
    EXPECT_EQ(Pixel(*form, 283, 8), text);
    EXPECT_EQ(Pixel(*form, 287, 12), text);
    EXPECT_EQ(Pixel(*form, 291, 8), text);
    EXPECT_EQ(Pixel(*form, 287, 8), face);

    P().MoveMouse(kClose.X, kClose.Y);
    P().PressButton();
    // Sunken: the bevel colours swap and the glyph moves one pixel down-right.
    EXPECT_EQ(Pixel(*form, 280, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(*form, 294, 19), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(*form, 281, 6), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(*form, 283, 8), face);
    EXPECT_EQ(Pixel(*form, 284, 9), text);
    P().ReleaseButton();  // closes; the pixels below are of the hidden window's image

    // The disabled maximise button (263..277): grey glyph with a light emboss; its thick
    // top row starts at (266, 8).
    EXPECT_EQ(Pixel(*form, 266, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(*form, 266, 9), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(*form, 275, 17), ColorToRGB(clBtnHighlight));
    // The enabled minimise button (248..262): a black bar on the glyph's bottom rows.
    EXPECT_EQ(Pixel(*form, 251, 15), text);
    EXPECT_EQ(Pixel(*form, 251, 16), text);
    EXPECT_EQ(Pixel(*form, 251, 14), face);
}

TEST_F(CaptionButtonsTest, MinimiseMaximiseAndRestore) {
    P().SetScreenSize({1024, 768}, Rect(0, 0, 1024, 740));
    auto form = MakeForm();
    // A disabled button does nothing.
    auto onlyMin = MakeForm(bsSizeable, biSystemMenu | biMinimize);
    P().Click(kMax.X, kMax.Y);
    EXPECT_EQ(onlyMin->WindowState(), wsNormal);
    EXPECT_EQ(onlyMin->BoundsRect(), Bounds(kLeft, kTop, 300, 200));
    onlyMin->Hide();
    P().ProcessPending();

    form->BringToFront();
    P().ProcessPending();
    const TColor glyphMaxTop = Pixel(*form, 274, 9);  // maximise box's thick top, right end
    EXPECT_EQ(glyphMaxTop, ColorToRGB(clBtnText));
    P().Click(kMax.X, kMax.Y);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, 1024, 740));
    // Maximised: the button shows two boxes; the front box's top starts lower than the
    // single box did, so its left column near the top is blank.
    const int maxLeft = 1024 - 3 - 2 - 15 - 2 - 15;
    EXPECT_EQ(Pixel(*form, maxLeft + 3, 8), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(*form, maxLeft + 3, 11), ColorToRGB(clBtnText));
    // Its button restores.
    P().Click(maxLeft + 7, 12);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(kLeft, kTop, 300, 200));
    // Double click on the caption band toggles as well.
    P().DoubleClick(kLeft + 100, kTop + 10);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    P().DoubleClick(100, 10);
    EXPECT_EQ(form->WindowState(), wsNormal);

    P().Click(kMin.X, kMin.Y);
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_TRUE(W(*form).Minimized());
}

TEST_F(CaptionButtonsTest, AFormFramingItselfIsUnaffected) {
    auto form = std::make_unique<TForm>(nullptr);
    const TColor frameColor = TColor(0x00336699);
    auto defaultProc = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_NCHITTEST) {
            const int y = GetYParam(m.LParam) - form->Top();
            m.Result = y < 25 ? HTCAPTION : HTCLIENT;
            return;
        }
        if (m.Msg == WM_NCPAINT) {
            TCanvas* canvas = MessageCanvas(m);
            if (canvas) canvas->FillSolid(Rect(0, 0, form->Width(), 25), frameColor);
            return;
        }
        if (m.Msg == WM_NCCALCSIZE) {
            reinterpret_cast<TRect*>(m.LParam)->Top += 25;
            return;
        }
        defaultProc(m);
    };
    form->SetBounds(kLeft, kTop, 300, 200);
    form->Show();
    P().ProcessPending();
    int queries = 0;
    form->OnCloseQuery = [&](TComponent*, bool&) { ++queries; };
    EXPECT_EQ(Pixel(*form, 287, 12), frameColor);
    P().Click(kClose.X, kClose.Y);
    EXPECT_EQ(queries, 0);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(Pixel(*form, 280, 5), frameColor);
    form->WindowProc = defaultProc;
}

}  // namespace
