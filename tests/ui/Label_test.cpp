#include "ui/Label.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "ui/Forms.h"
#include "ui/Panel.h"
#include "ui/TextLayout.h"

namespace {

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform = &InstallHeadlessPlatform();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 120, 60);
        form->SetColor(clWhite);
        label = new TLabel(form.get());
        label->SetParent(form.get());
        label->Font().Name = "Liberation Sans";
        label->Font().Height = -12;
        label->Font().Color = clBlack;
        label->FontChanged();
        label->SetBounds(10, 10, 50, 20);
    }

    // Pixel of the form's presented window image at a client point.
    TColor Pixel(int x, int y) {
        auto windows = platform->Windows();
        EXPECT_FALSE(windows.empty());
        const TPoint o = form->ClientRectInWindow().TopLeft();
        return windows.front()->PixelAt(o.X + x, o.Y + y);
    }

    void ShowAndPaint() {
        form->Show();
        platform->ProcessPending();
    }

    // Counts pixels of one colour inside a client rectangle.
    int Count(const TRect& r, TColor c) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += Pixel(x, y) == c;
        return n;
    }

    platform::HeadlessPlatform* platform = nullptr;
    std::unique_ptr<TForm> form;
    TLabel* label = nullptr;
};

}  // namespace

TEST_F(LabelTest, AutoSizeTakesTheTextExtent) {
    label->SetCaption("Hello");
    const TSize text = MeasureText(label->Font(), "Hello");
    EXPECT_EQ(label->Width(), text.cx);
    EXPECT_EQ(label->Height(), text.cy);
    EXPECT_EQ(label->Left(), 10);

    // Chinese text measures with the fallback font and grows the label.
    label->SetCaption("欢迎推荐智力题");
    EXPECT_GT(label->Width(), text.cx);
    EXPECT_EQ(label->Width(), MeasureText(label->Font(), "欢迎推荐智力题").cx);

    // Accelerator marks take no room unless shown literally.
    label->SetCaption("&Save");
    EXPECT_EQ(label->Width(), MeasureText(label->Font(), "Save").cx);
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Width(), MeasureText(label->Font(), "&Save").cx);

    // An empty caption keeps one line's height.
    label->SetCaption("");
    EXPECT_EQ(label->Height(), text.cy);
    EXPECT_GT(label->Width(), 0);

    // Right-justified labels keep their right edge.
    label->SetCaption("Hello");
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption("Hi");
    EXPECT_EQ(label->Left() + label->Width(), right);

    // A font change resizes as well.
    label->Font().Height = -24;
    label->FontChanged();
    EXPECT_EQ(label->Height(), MeasureText(label->Font(), "Hi").cy);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsTheHeight) {
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 40, 20);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption("one two three four");
    EXPECT_EQ(label->Width(), 40);
    EXPECT_GE(label->Height(), 3 * MeasureText(label->Font(), "one").cy);
    // Without AutoSize nothing moves.
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 40, 20);
    label->SetCaption("another long caption here");
    EXPECT_EQ(label->BoundsRect(), Rect(10, 10, 50, 30));
}

TEST_F(LabelTest, OpaqueLabelsFillTheirRectangleAndTransparentOnesDoNot) {
    label->SetCaption("Hi");
    label->SetParentColor(false);
    label->SetColor(clYellow);
    ShowAndPaint();
    const TRect r = label->BoundsRect();
    // The text's cell starts above the capital's top: the first row is background.
    EXPECT_EQ(Pixel(r.Left, r.Top), clYellow);
    EXPECT_EQ(Pixel(r.Right - 1, r.Top), clYellow);
    EXPECT_EQ(Pixel(r.Left - 1, r.Top), clWhite) << "nothing outside the label";
    EXPECT_EQ(Pixel(r.Right, r.Top), clWhite);
    EXPECT_EQ(Count(r, clWhite), 0);
    EXPECT_GT(Count(r, clBlack), 0) << "the text is drawn";

    label->SetTransparent(true);
    platform->ProcessPending();
    EXPECT_EQ(Count(r, clYellow), 0);
    EXPECT_EQ(Pixel(r.Left, r.Top), clWhite) << "the form shows through";
    EXPECT_GT(Count(r, clBlack), 0);
}

TEST_F(LabelTest, LayoutPlacesTheTextVertically) {
    label->SetCaption("Hi");
    label->SetAutoSize(false);
    label->SetBounds(10, 5, 40, 50);
    label->SetTransparent(true);
    ShowAndPaint();
    auto firstInkRow = [&]() {
        for (int y = 5; y < 55; ++y)
            if (Count(Rect(10, y, 50, y + 1), clWhite) < 40) return y;
        return -1;
    };
    const int top = firstInkRow();
    label->SetLayout(tlCenter);
    platform->ProcessPending();
    const int centre = firstInkRow();
    label->SetLayout(tlBottom);
    platform->ProcessPending();
    const int bottom = firstInkRow();
    const int textHeight = MeasureText(label->Font(), "Hi").cy;
    EXPECT_GT(top, 0);
    EXPECT_EQ(centre - top, (50 - textHeight) / 2);
    EXPECT_EQ(bottom - top, 50 - textHeight);
}

TEST_F(LabelTest, PanelsDrawBevelsAndShrinkTheirClientArea) {
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 40, 30);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    panel->SetBevelWidth(2);
    label->SetAutoSize(false);
    label->SetParent(panel);
    label->SetAlign(alClient);
    // Outer 2 + border 2 + inner 2 on each side.
    EXPECT_EQ(label->BoundsRect(), Rect(6, 6, 34, 24));
    ShowAndPaint();
    const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
    EXPECT_EQ(Pixel(0, 5), hi) << "outer raised: left in highlight";
    EXPECT_EQ(Pixel(39, 5), sh) << "outer raised: right in shadow";
    EXPECT_EQ(Pixel(39, 0), sh) << "the top-right corner belongs to the bottom colour";
    EXPECT_EQ(Pixel(4, 10), sh) << "inner lowered: left in shadow";
    EXPECT_EQ(Pixel(35, 10), hi) << "inner lowered: right in highlight";
    EXPECT_EQ(Pixel(2, 10), ColorToRGB(clBtnFace)) << "the border is in the panel's colour";
}
