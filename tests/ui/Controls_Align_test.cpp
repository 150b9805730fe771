#include "tests/ui/Controls_TestSupport.h"

namespace {

class AlignTest : public ControlsTest {};

TEST_F(AlignTest, KindsTakeStripsInOrderAndClientGetsTheRest) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 200, 100);
    // Created in an order different from the alignment order on purpose.
    TWinControl client(nullptr), left(nullptr), top(nullptr), bottom(nullptr), right(nullptr);
    for (TWinControl* c : {&client, &left, &top, &bottom, &right}) c->SetBounds(0, 0, 20, 10);
    client.SetAlign(alClient);
    left.SetAlign(alLeft);
    top.SetAlign(alTop);
    bottom.SetAlign(alBottom);
    right.SetAlign(alRight);
    for (TWinControl* c : {&client, &left, &top, &bottom, &right}) c->SetParent(&parent);

    EXPECT_EQ(top.BoundsRect(), Rect(0, 0, 200, 10));
    EXPECT_EQ(bottom.BoundsRect(), Rect(0, 90, 200, 100));
    EXPECT_EQ(left.BoundsRect(), Rect(0, 10, 20, 90));
    EXPECT_EQ(right.BoundsRect(), Rect(180, 10, 200, 90));
    EXPECT_EQ(client.BoundsRect(), Rect(20, 10, 180, 90));

    // Resizing the parent re-aligns; hiding a strip gives its room to the client.
    parent.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(client.BoundsRect(), Rect(20, 10, 280, 190));
    top.SetVisible(false);
    EXPECT_EQ(client.BoundsRect(), Rect(20, 0, 280, 190));
    EXPECT_EQ(left.BoundsRect(), Rect(0, 0, 20, 190));
}

TEST_F(AlignTest, SameKindFollowsZOrderAndStripsNeverOverflow) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 50);
    TWinControl a(nullptr), b(nullptr), c(nullptr);
    a.SetBounds(0, 0, 10, 30);
    b.SetBounds(0, 0, 10, 30);
    c.SetBounds(0, 0, 10, 10);
    for (TWinControl* x : {&a, &b, &c}) {
        x->SetAlign(alTop);
        x->SetParent(&parent);
    }
    EXPECT_EQ(a.Top(), 0);
    EXPECT_EQ(b.Top(), 30);
    // The third strip starts where the room ran out instead of beyond the parent.
    EXPECT_EQ(c.Top(), 50);
    b.SendToBack();
    EXPECT_EQ(b.Top(), 0);
    EXPECT_EQ(a.Top(), 30);
}

TEST_F(AlignTest, NestedAlignedControlsFollowTheirParents) {
    TWinControl outer(nullptr);
    outer.SetBounds(0, 0, 400, 300);
    TWinControl panel(nullptr), strip(nullptr), inner(nullptr);
    panel.SetAlign(alClient);
    panel.SetParent(&outer);
    strip.SetBounds(0, 0, 10, 40);
    strip.SetAlign(alBottom);
    strip.SetParent(&panel);
    inner.SetAlign(alClient);
    inner.SetParent(&panel);
    EXPECT_EQ(inner.BoundsRect(), Rect(0, 0, 400, 260));

    outer.SetBounds(0, 0, 500, 100);
    EXPECT_EQ(panel.BoundsRect(), Rect(0, 0, 500, 100));
    EXPECT_EQ(strip.BoundsRect(), Rect(0, 60, 500, 100));
    EXPECT_EQ(inner.BoundsRect(), Rect(0, 0, 500, 60));
}

TEST_F(AlignTest, DisabledAlignmentWaitsForEnable) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    TWinControl child(nullptr);
    child.SetParent(&parent);
    parent.DisableAlign();
    child.SetAlign(alClient);
    EXPECT_EQ(child.Width(), 0);
    parent.EnableAlign();
    EXPECT_EQ(child.BoundsRect(), Rect(0, 0, 100, 100));
}

TEST_F(AlignTest, FormClientAreaExcludesTheFrame) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    TWinControl child(nullptr);
    child.SetAlign(alClient);
    child.SetParent(&form);
    // Default frame: 3-pixel border, 19-pixel caption.
    EXPECT_EQ(form.ClientRectInWindow(), Rect(3, 22, 297, 197));
    EXPECT_EQ(child.BoundsRect(), Rect(0, 0, 294, 175));
    form.SetBorderStyle(bsNone);
    EXPECT_EQ(child.BoundsRect(), Rect(0, 0, 300, 200));
}

TEST_F(AlignTest, ParentCannotBeItselfOrADescendant) {
    TWinControl a(nullptr), b(nullptr);
    b.SetParent(&a);
    EXPECT_THROW(a.SetParent(&b), EInvalidOperation);
    EXPECT_THROW(a.SetParent(&a), EInvalidOperation);
}

}  // namespace
