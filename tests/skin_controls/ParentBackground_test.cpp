#include "skin/controls/ParentBackground.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "tests/skin_draw/TestPictures.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"

namespace {

// Paints solid colours for the erase and paint requests it gets, through the canvas the
// request carries.
class TColourControl : public TCustomControl {
public:
    TColourControl(TWinControl* parent, const TRect& bounds, TColor erase, TRect paintRect,
                   TColor paint)
        : TCustomControl(nullptr), erase_(erase), paintRect_(paintRect), paint_(paint) {
        SetParent(parent);
        SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
    int paints = 0;

protected:
    void WndProc(TMessage& message) override {
        TCanvas* canvas = MessageCanvas(message);
        if (canvas != nullptr && message.Msg == WM_ERASEBKGND) {
            canvas->FillSolid(ClientRect(), erase_);
            return;
        }
        if (canvas != nullptr && message.Msg == WM_PAINT) {
            ++paints;
            canvas->FillSolid(paintRect_, paint_);
            return;
        }
        TCustomControl::WndProc(message);
    }

private:
    TColor erase_;
    TRect paintRect_;
    TColor paint_;
};

constexpr TColor kA = 0x0000AA, kB = 0x00BB00, kC = 0xCC0000, kD = 0x00DDDD;

}  // namespace

TEST(PaintParentBackground, ParentThenEarlierOverlappingSiblingsClippedToThemselves) {
    InstallHeadlessPlatform();
    TColourControl parent(nullptr, Rect(0, 0, 60, 40), kA, Rect(0, 0, 9, 3), kB);
    // Painted below the control: overlaps it; its paint covers far more than its 10 x 10.
    TColourControl before(&parent, Rect(10, 0, 20, 10), kA, Rect(0, 0, 100, 100), kC);
    TColourControl away(&parent, Rect(40, 30, 50, 40), kA, Rect(0, 0, 100, 100), kD);
    TColourControl control(&parent, Rect(8, 2, 28, 12), kA, Rect(0, 0, 100, 100), kD);
    TColourControl after(&parent, Rect(8, 2, 28, 12), kA, Rect(0, 0, 100, 100), kD);

    TBitmap image = SolidPicture(20, 10, 0x123456);
    TCanvas& canvas = image.Canvas();
    PaintParentBackground(control, canvas);
    EXPECT_EQ(image.GetPixel(0, 0), kB);  // parent's paint at its (8, 2)
    EXPECT_EQ(image.GetPixel(1, 0), kA);  // parent's background
    EXPECT_EQ(image.GetPixel(2, 0), kC);  // the earlier sibling from its own (0, 0)
    EXPECT_EQ(image.GetPixel(11, 7), kC);
    EXPECT_EQ(image.GetPixel(12, 0), kA);  // clipped to the sibling's width
    EXPECT_EQ(image.GetPixel(2, 8), kA);   // and height
    EXPECT_EQ(away.paints, 0);             // does not overlap
    EXPECT_EQ(control.paints, 0);
    EXPECT_EQ(after.paints, 0);
    EXPECT_EQ(canvas.Origin(), (TPoint{0, 0}));  // state restored
}
