// A child control's window region: it clips what the control and its children paint (the
// parent shows through outside it), also when painting outside a paint pass, and it decides
// where the mouse reaches the control and its children.
#include "tests/ui/Controls_TestSupport.h"

namespace {

class ShapeTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 100, 80);
        form->SetColor(clWhite);
        form->Show();
        P().ProcessPending();
    }
    std::unique_ptr<TForm> form;
};

// A shape of two blocks: the left column (0..10) and the bottom-right square (20..30).
TRegion TwoBlocks() { return TRegion::FromRects({Rect(0, 0, 10, 30), Rect(20, 20, 30, 30)}); }

TEST_F(ShapeTest, PaintingOfTheControlAndItsChildrenStaysInsideTheShape) {
    SolidControl shaped(nullptr, clBlue);
    shaped.SetBounds(10, 10, 30, 30);
    shaped.SetParent(form.get());
    SolidControl child(nullptr, clRed);
    child.SetBounds(0, 20, 30, 10);  // the control's bottom band
    child.SetParent(&shaped);
    const TRegion shape = TwoBlocks();
    shaped.SetWindowRegion(&shape);
    P().ProcessPending();
    auto& w = W(*form);
    EXPECT_EQ(w.PixelAt(10, 10), clBlue);   // inside the left block
    EXPECT_EQ(w.PixelAt(25, 15), clWhite);  // outside the shape: the form shows
    EXPECT_EQ(w.PixelAt(15, 35), clRed);    // the child inside the left block
    EXPECT_EQ(w.PixelAt(25, 35), clWhite);  // the child between the blocks: clipped
    EXPECT_EQ(w.PixelAt(35, 35), clRed);    // the child inside the right block

    // Drawing outside a paint pass is clipped the same way.
    child.Canvas().FillSolid(Rect(0, 0, 30, 10), clGreen);
    P().ProcessPending();
    EXPECT_EQ(w.PixelAt(15, 35), clGreen);
    EXPECT_EQ(w.PixelAt(25, 35), clWhite);

    // Removing the shape gives the whole rectangle back.
    shaped.SetWindowRegion(nullptr);
    P().ProcessPending();
    EXPECT_EQ(w.PixelAt(25, 15), clBlue);
    EXPECT_EQ(w.PixelAt(25, 35), clRed);
}

TEST_F(ShapeTest, TheMouseReachesTheControlAndItsChildrenOnlyInsideTheShape) {
    SolidControl below(nullptr, clYellow);
    below.SetBounds(0, 0, 100, 80);
    below.SetParent(form.get());
    SolidControl shaped(nullptr, clBlue);
    shaped.SetBounds(10, 10, 30, 30);
    shaped.SetParent(form.get());
    SolidControl child(nullptr, clRed);
    child.SetBounds(0, 20, 30, 10);
    child.SetParent(&shaped);
    const TRegion shape = TwoBlocks();
    shaped.SetWindowRegion(&shape);

    EXPECT_EQ(form->ControlAtPos({12, 12}), &shaped);
    EXPECT_EQ(form->ControlAtPos({25, 15}), &below);  // outside: the control beneath
    EXPECT_EQ(form->ControlAtPos({15, 35}), &child);
    EXPECT_EQ(form->ControlAtPos({25, 35}), &below);  // the child between the blocks
    EXPECT_EQ(form->ControlAtPos({35, 35}), &child);

    // Real input follows the same test.
    std::vector<TControl*> pressed;
    auto record = [&](TComponent* sender, TMouseButton, TShiftState, int, int) {
        pressed.push_back(static_cast<TControl*>(sender));
    };
    below.OnMouseDown = record;
    shaped.OnMouseDown = record;
    child.OnMouseDown = record;
    P().Click(25, 35);
    P().Click(35, 35);
    P().Click(12, 12);
    EXPECT_EQ(pressed, (std::vector<TControl*>{&below, &child, &shaped}));
}

TEST_F(ShapeTest, AnAncestorsShapeClipsADeeperControl) {
    TWinControl outer(nullptr);
    outer.SetBounds(0, 0, 60, 60);
    outer.SetColor(clBlue);
    outer.SetParent(form.get());
    TWinControl middle(nullptr);
    middle.SetBounds(10, 10, 40, 40);
    middle.SetColor(clYellow);
    middle.SetParent(&outer);
    SolidControl inner(nullptr, clRed);
    inner.SetBounds(0, 0, 40, 40);
    inner.SetParent(&middle);
    const TRegion shape(Rect(0, 0, 20, 60));  // the outer control's left third
    outer.SetWindowRegion(&shape);
    P().ProcessPending();
    auto& w = W(*form);
    EXPECT_EQ(w.PixelAt(15, 15), clRed);
    EXPECT_EQ(w.PixelAt(19, 49), clRed);
    EXPECT_EQ(w.PixelAt(20, 15), clWhite);
    EXPECT_EQ(form->ControlAtPos({15, 15}), &inner);
    EXPECT_EQ(form->ControlAtPos({25, 15}), form.get());
}

}  // namespace
