// MDI forms of the framework: the client area, children painted with their frames and
// clipped to it, activation by showing, clicking, hiding and closing, moving a child by its
// caption, the arrangements (tile, cascade, icons), maximised children following the area,
// and the window menu's child items.
#include "tests/ui/Controls_TestSupport.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"
#include "ui/Panel.h"

namespace {

constexpr TColor kChildFill = 0x2080F0;
constexpr TColor kBarFill = 0x30C030;

class MDITest : public ControlsTest {
protected:
    // A 600 x 400 MDI parent at (50, 40) with the default frame: client (3, 22, 597, 397).
    void MakeParent(bool topBar = false) {
        parent = std::make_unique<TForm>(nullptr);
        parent->SetBounds(50, 40, 600, 400);
        parent->SetFormStyle(fsMDIForm);
        Application().SetMainForm(parent.get());
        if (topBar) {
            auto* bar = new SolidControl(parent.get(), kBarFill);
            bar->SetParent(parent.get());
            bar->SetHeight(30);
            bar->SetAlign(alTop);
        }
        parent->Show();
        P().ProcessPending();
    }
    // A child owned by the parent, filled with kChildFill, at `bounds` (client coordinates
    // of the MDI client area).
    TForm* MakeChild(const std::string& caption, const TRect& bounds, bool show = true) {
        auto* child = new TForm(parent.get());
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBoundsRect(bounds);
        auto* fill = new SolidControl(child, kChildFill);
        fill->SetParent(child);
        fill->SetAlign(alClient);
        if (show) child->Show();
        return child;
    }
    void Settle() {
        P().ProcessPending();
        parent->Update();
        P().ProcessPending();
    }
    // Window pixel of the parent at a point of the MDI client area.
    TColor AreaPixel(int x, int y) {
        const TPoint o = parent->MDIClient()->ClientToScreen({x, y});
        return W(*parent).PixelAt(o.X - parent->Left(), o.Y - parent->Top());
    }
    TPoint AreaToScreen(int x, int y) { return parent->MDIClient()->ClientToScreen({x, y}); }
    std::unique_ptr<TForm> parent;
};

TEST_F(MDITest, ClientAreaFillsWhatAlignedBarsLeaveAndNeedsAnMDIMainForm) {
    {
        TForm lone(nullptr);
        EXPECT_THROW(lone.SetFormStyle(fsMDIChild), EInvalidOperation);
    }
    MakeParent(true);
    TMDIClient* area = parent->MDIClient();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->Align(), alClient);
    EXPECT_EQ(area->BoundsRect(), Rect(0, 30, 594, 375));
    TForm* child = MakeChild("One", Bounds(10, 10, 200, 150));
    EXPECT_EQ(child->Parent(), area);
    EXPECT_EQ(child->MDIParent(), parent.get());
    EXPECT_EQ(child->PlatformWindow(), nullptr);  // no window of its own
    EXPECT_EQ(parent->MDIChildCount(), 1);
    EXPECT_EQ(parent->ActiveMDIChild(), child);
    // A form style is fixed once the form is an MDI form.
    EXPECT_THROW(child->SetFormStyle(fsNormal), EInvalidOperation);
}

TEST_F(MDITest, ChildrenArePaintedWithTheirFramesAndClippedToTheArea) {
    MakeParent(true);
    TForm* child = MakeChild("Clipped", Bounds(-40, -20, 200, 150));
    Settle();
    // The child's client area, frame and caption band are in the parent's window.
    const TPoint c = child->ClientToScreen({60, 20});
    EXPECT_EQ(W(*parent).PixelAt(c.X - parent->Left(), c.Y - parent->Top()), kChildFill);
    EXPECT_EQ(AreaPixel(60, 1),
              ColorToRGB(clActiveCaption));  // the caption row at area y 1 (child y 21)
    // What lies outside the area shows the bar above it and the parent's frame beside it.
    EXPECT_EQ(W(*parent).PixelAt(20, 22 + 10), kBarFill);
    EXPECT_EQ(W(*parent).PixelAt(0, 22 + 40 + 30), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(AreaPixel(300, 100), ColorToRGB(clAppWorkSpace));
    // The frame comes from the child's own WM_NCPAINT.
    MessageLog log(*child, {WM_NCPAINT});
    child->Invalidate();
    Settle();
    EXPECT_GE(log.Count(WM_NCPAINT), 1);
}

TEST_F(MDITest, ShowingClickingHidingAndClosingMoveTheActivation) {
    MakeParent();
    TForm* a = MakeChild("A", Bounds(0, 0, 200, 150));
    MessageLog logA(*a, {WM_NCACTIVATE, WM_ACTIVATE});
    int activations = 0;
    a->OnActivate = [&](TComponent*) { ++activations; };
    TForm* b = MakeChild("B", Bounds(100, 80, 200, 150));
    EXPECT_EQ(parent->ActiveMDIChild(), b);
    EXPECT_FALSE(a->Active());
    ASSERT_EQ(logA.entries.size(), 2u);
    EXPECT_EQ(logA.entries[0].Msg, static_cast<uint32_t>(WM_NCACTIVATE));
    EXPECT_EQ(logA.entries[0].WParam, 0u);
    EXPECT_EQ(logA.entries[1].WParam, static_cast<uintptr_t>(WA_INACTIVE));
    // A click on the back child's client area activates it and brings it to the front.
    const TPoint p = AreaToScreen(30, 60);
    P().Click(p.X, p.Y);
    EXPECT_EQ(parent->ActiveMDIChild(), a);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(parent->MDIClient()->Controls(parent->MDIClient()->ControlCount() - 1), a);
    EXPECT_EQ(logA.entries.back().WParam, static_cast<uintptr_t>(WA_ACTIVE));
    // The parent window losing the activation takes the active child's frame with it.
    logA.entries.clear();
    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(900, 700, 100, 100);
    other->Show();
    ASSERT_FALSE(logA.entries.empty());
    EXPECT_EQ(logA.entries.back().Msg, static_cast<uint32_t>(WM_NCACTIVATE));
    EXPECT_EQ(logA.entries.back().WParam, 0u);
    parent->BringToFront();
    EXPECT_EQ(logA.entries.back().WParam, 1u);
    // Hiding the active child activates the one in front of the rest; closing frees it.
    a->Hide();
    EXPECT_EQ(parent->ActiveMDIChild(), b);
    b->Close();
    P().ProcessPending();
    EXPECT_EQ(parent->MDIChildCount(), 1);
    EXPECT_EQ(parent->ActiveMDIChild(), nullptr);  // the only one left is hidden
    a->Show();
    EXPECT_EQ(parent->ActiveMDIChild(), a);
}

TEST_F(MDITest, CaptionDragMovesAChildInsideTheParentAndKeepsItReachable) {
    MakeParent();
    TForm* child = MakeChild("Drag me", Bounds(100, 100, 200, 150));
    const TPoint grab = AreaToScreen(180, 110);  // the caption band
    MessageLog log(*child, {WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE});
    P().Drag(grab.X, grab.Y, grab.X + 50, grab.Y + 30, 3);
    EXPECT_EQ(child->BoundsRect(), Bounds(150, 130, 200, 150));
    EXPECT_EQ(log.Count(WM_ENTERSIZEMOVE), 1);
    EXPECT_EQ(log.Count(WM_EXITSIZEMOVE), 1);
    EXPECT_EQ(parent->Left(), 50);  // the parent stays where it is
    // Dragged far up and left: the caption stays within reach.
    const TPoint again = AreaToScreen(230, 140);
    P().Drag(again.X, again.Y, again.X - 2000, again.Y - 2000, 2);
    EXPECT_EQ(child->Top(), 0);
    EXPECT_EQ(child->Left(), 24 - 200);
}

TEST_F(MDITest, TileFillsTheAreaWithoutOverlap) {
    MakeParent();  // area 594 x 375
    std::vector<TForm*> children;
    for (int i = 0; i < 5; ++i)
        children.push_back(MakeChild("C" + std::to_string(i), Bounds(i * 10, i * 10, 100, 80)));
    parent->TileMode = tbVertical;
    children[4]->Hide();
    children.pop_back();
    parent->Tile();  // four: a 2 x 2 grid
    EXPECT_EQ(children[0]->BoundsRect(), Rect(0, 0, 297, 187));
    EXPECT_EQ(children[1]->BoundsRect(), Rect(0, 187, 297, 375));
    EXPECT_EQ(children[2]->BoundsRect(), Rect(297, 0, 594, 187));
    EXPECT_EQ(children[3]->BoundsRect(), Rect(297, 187, 594, 375));
    // Three, one above another; a minimised child keeps its row along the bottom.
    children[3]->SetWindowState(wsMinimized);
    parent->TileMode = tbHorizontal;
    parent->Tile();
    EXPECT_EQ(children[0]->BoundsRect(), Rect(0, 0, 594, 116));
    EXPECT_EQ(children[1]->BoundsRect(), Rect(0, 116, 594, 233));
    EXPECT_EQ(children[2]->BoundsRect(), Rect(0, 233, 594, 350));
    EXPECT_EQ(children[3]->BoundsRect(), Rect(0, 350, 160, 375));
}

TEST_F(MDITest, CascadeRestoresMaximisedChildrenAndPutsTheActiveOneOnTop) {
    MakeParent();
    TForm* a = MakeChild("A", Bounds(0, 0, 100, 80));
    TForm* b = MakeChild("B", Bounds(0, 0, 100, 80));
    TForm* c = MakeChild("C", Bounds(0, 0, 100, 80));
    parent->MDIActivate(a);
    b->SetWindowState(wsMaximized);
    EXPECT_EQ(b->BoundsRect(), Rect(0, 0, 594, 375));
    parent->Cascade();
    EXPECT_EQ(b->WindowState(), wsNormal);
    const int step = b->ClientOffset().Y;  // caption band plus border: 22
    EXPECT_EQ(step, 22);
    EXPECT_EQ(b->BoundsRect(), Bounds(0, 0, 594 - 2 * step, 375 - 2 * step));
    EXPECT_EQ(c->BoundsRect(), Bounds(step, step, 594 - 2 * step, 375 - 2 * step));
    EXPECT_EQ(a->BoundsRect(), Bounds(2 * step, 2 * step, 594 - 2 * step, 375 - 2 * step));
    TMDIClient* area = parent->MDIClient();
    EXPECT_EQ(area->Controls(area->ControlCount() - 1), a);
    EXPECT_EQ(parent->ActiveMDIChild(), a);
}

TEST_F(MDITest, MinimisedChildrenStackAlongTheBottom) {
    MakeParent();
    parent->SetBounds(50, 40, 406, 400);  // area 400 x 375
    std::vector<TForm*> icons;
    for (int i = 0; i < 4; ++i)
        icons.push_back(MakeChild("I" + std::to_string(i), Bounds(50, 50, 200, 150)));
    for (TForm* f : icons) f->SetWindowState(wsMinimized);
    EXPECT_EQ(icons[0]->BoundsRect(), Bounds(0, 350, 160, 25));
    EXPECT_EQ(icons[1]->BoundsRect(), Bounds(160, 350, 160, 25));
    EXPECT_EQ(icons[2]->BoundsRect(), Bounds(0, 325, 160, 25));  // 320 + 160 passes 400
    EXPECT_EQ(icons[3]->BoundsRect(), Bounds(160, 325, 160, 25));
    // Restored, a child returns to its bounds; arranging closes the gap it leaves.
    icons[0]->SetWindowState(wsNormal);
    EXPECT_EQ(icons[0]->BoundsRect(), Bounds(50, 50, 200, 150));
    parent->ArrangeIcons();
    EXPECT_EQ(icons[1]->BoundsRect(), Bounds(0, 350, 160, 25));
    EXPECT_EQ(icons[2]->BoundsRect(), Bounds(160, 350, 160, 25));
    EXPECT_EQ(icons[3]->BoundsRect(), Bounds(0, 325, 160, 25));
}

TEST_F(MDITest, MaximisedChildFollowsTheArea) {
    MakeParent();
    TForm* child = MakeChild("Max", Bounds(10, 10, 200, 150));
    child->SetWindowState(wsMaximized);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 594, 375));
    parent->SetBounds(50, 40, 700, 500);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 694, 475));
    child->SetWindowState(wsNormal);
    EXPECT_EQ(child->BoundsRect(), Bounds(10, 10, 200, 150));
}

TEST_F(MDITest, WindowMenuListsTheShownChildrenWithTheActiveOneChecked) {
    MakeParent();
    auto* menu = new TMainMenu(parent.get());
    auto* window = new TMenuItem(parent.get());
    window->SetCaption("&Window");
    menu->Items().Add(window);
    auto* tile = new TMenuItem(parent.get());
    tile->SetCaption("&Tile");
    window->Add(tile);
    parent->SetWindowMenu(window);
    TForm* a = MakeChild("First", Bounds(0, 0, 100, 80));
    a->SetName("DocA");
    TForm* b = MakeChild("Second", Bounds(0, 0, 100, 80));
    auto captions = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < window->Count(); ++i) {
            out.push_back(window->Items(i)->Caption() + (window->Items(i)->Checked() ? "*" : ""));
        }
        return out;
    };
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Tile", "-", "First", "Second*"}));
    a->SetCaption("Renamed");
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Tile", "-", "Renamed", "Second*"}));
    // Clicking an item activates its child, restoring it when minimised.
    a->SetWindowState(wsMinimized);
    window->Items(2)->Click();
    EXPECT_EQ(parent->ActiveMDIChild(), a);
    EXPECT_EQ(a->WindowState(), wsNormal);
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Tile", "-", "Renamed*", "Second"}));
    b->Hide();
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Tile", "-", "Renamed*"}));
    a->Hide();
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Tile"}));
    // With the framework's items off (a skinned frame keeps its own), none are added.
    parent->WindowMenuChildItems = false;
    a->Show();
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Tile"}));
}

TEST_F(MDITest, NextAndPreviousWalkTheChildrenFrontToBack) {
    MakeParent();
    TForm* a = MakeChild("A", Bounds(0, 0, 100, 80));
    TForm* b = MakeChild("B", Bounds(0, 0, 100, 80));
    TForm* c = MakeChild("C", Bounds(0, 0, 100, 80));
    EXPECT_EQ(parent->ActiveMDIChild(), c);
    parent->Next();
    EXPECT_EQ(parent->ActiveMDIChild(), b);
    parent->Next();
    EXPECT_EQ(parent->ActiveMDIChild(), a);
    // Previous undoes the last step: the child sent to the back comes forward again.
    parent->Previous();
    EXPECT_EQ(parent->ActiveMDIChild(), b);
}

}  // namespace
