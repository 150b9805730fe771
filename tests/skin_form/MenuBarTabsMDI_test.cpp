// The skinned MDI parent: its main menu bar (items, the maximised child's system buttons,
// the marker for items that do not fit, opening a menu), its tab bar (layout, hover,
// dragging and reordering, a click bringing a child forward) and the skinned frame's MDI
// bookkeeping (the caption with the maximised child's, the "_SFCHILDITEM" items with the
// check mark, minimised children stacked along the bottom).
#include <set>

#include "skin/controls/SkinMDITabsBar.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/RectUtils.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "tests/skin_form/SkinFormTestSupport.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"

namespace {

class MDIFrameTest : public SkinFormTest {
protected:
    // A skinned 640 x 480 MDI parent at (100, 100) with a menu bar (Items "&File", "&Edit",
    // "&Window" with "&Cascade") and a tab bar; with `skinned` on the compiled-in skin.
    void MakeParent(bool skinned) {
        MakeForm(640, 480, skinned, biSystemMenu | biMinimize | biMaximize, false);
        form->SetFormStyle(fsMDIForm);
        Application().SetMainForm(form.get());
        menu = new TMainMenu(form.get());
        for (const char* caption : {"&File", "&Edit", "&Window"}) {
            auto* item = new TMenuItem(form.get());
            item->SetCaption(caption);
            menu->Items().Add(item);
            auto* sub = new TMenuItem(form.get());
            sub->SetCaption(std::string(caption) + " entry");
            item->Add(sub);
        }
        windowMenu = menu->Items().Items(2);
        form->SetWindowMenu(windowMenu);
        bar = new TspSkinMainMenuBar(form.get());
        bar->SetParent(form.get());
        if (skinned) bar->SetSkinData(data);
        bar->SetSkinForm(skinForm);
        bar->SetMainMenu(menu);
        skinForm->SetMainMenuBar(bar);
        tabs = new TspSkinMDITabsBar(form.get());
        tabs->SetParent(form.get());
        tabs->SetAlign(alTop);
        tabs->SetTop(100);
        skinForm->SetMDITabsBar(tabs);
        form->Show();
        Settle();
    }
    // A skinned child (owned by the parent) named `name`, shown at its place in the area.
    TspSkinForm* MakeChild(const std::string& name, bool skinned,
                           const TRect& bounds = Bounds(10, 10, 200, 150)) {
        auto* child = new TForm(form.get());
        child->SetName(name);
        child->SetCaption(name + " caption");
        child->SetFormStyle(fsMDIChild);
        child->SetBoundsRect(bounds);
        auto* skin = new TspSkinForm(child);
        skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
        skin->SetSkinData(skinned ? data : nullptr);
        child->Show();
        Settle();
        return skin;
    }
    std::vector<std::string> WindowMenuCaptions() const {
        std::vector<std::string> out;
        for (int i = 0; i < windowMenu->Count(); ++i) {
            TMenuItem* item = windowMenu->Items(i);
            out.push_back(item->Caption() + (item->Checked() ? "*" : ""));
        }
        return out;
    }
    // The bar's system button for a command (their names are the skin's with a skin).
    TspMenuBarObject* Button(TspButtonCommand command) const {
        for (int i = 0; i < bar->SystemButtonCount(); ++i) {
            auto* b = static_cast<TspSkinMainMenuBarButton*>(bar->Objects(i));
            if (b->Command == command) return b;
        }
        throw std::runtime_error("no system button");
    }
    // Screen point of a bar-relative point.
    TPoint OnBar(TControl& control, int x, int y) const { return control.ClientToScreen({x, y}); }

    TMainMenu* menu = nullptr;
    TMenuItem* windowMenu = nullptr;
    TspSkinMainMenuBar* bar = nullptr;
    TspSkinMDITabsBar* tabs = nullptr;
};

// ---------------------------------------------------------------- menu bar

TEST_F(MDIFrameTest, MenuBarLaysItemsOutFromTheLeftAndAddsAMaximisedChildsButtons) {
    MakeParent(false);
    ASSERT_EQ(bar->ObjectCount(), 3);
    EXPECT_EQ(bar->SystemButtonCount(), 0);
    EXPECT_EQ(bar->Height(), 22);
    // Without a skin the items area is the bar less 2 pixels each side.
    EXPECT_EQ(bar->ItemsRect(), Rect(2, 2, bar->Width() - 2, 20));
    int x = 2;
    for (int i = 0; i < 3; ++i) {
        const TRect r = bar->Objects(i)->ObjectRect;
        EXPECT_EQ(r.Left, x) << i;
        EXPECT_GT(r.Width(), 0);
        EXPECT_EQ(r.Top, 2);
        x = r.Right;
    }
    EXPECT_TRUE(IsNullRect(bar->MarkerRect()));

    TspSkinForm* child = MakeChild("Doc", false);
    child->SetBorderIcons(biSystemMenu | biMaximize);  // no minimise button
    child->SetWindowState(kSkinStateMaximized);
    Settle();
    ASSERT_TRUE(bar->ChildMaximizedMode());
    ASSERT_EQ(bar->SystemButtonCount(), 4);
    ASSERT_EQ(bar->ObjectCount(), 7);
    // Squares of the area's height: the window-menu button at the left, close, maximise
    // and minimise from the right edge leftwards, 2 pixels apart.
    const int right = bar->Width() - 2;
    EXPECT_EQ(bar->FindObject("SysMenuButton")->ObjectRect, Bounds(2, 2, 18, 18));
    EXPECT_EQ(bar->FindObject("CloseButton")->ObjectRect, Bounds(right - 18, 2, 18, 18));
    EXPECT_EQ(bar->FindObject("MaxButton")->ObjectRect, Bounds(right - 38, 2, 18, 18));
    EXPECT_EQ(bar->FindObject("MinButton")->ObjectRect, Bounds(right - 58, 2, 18, 18));
    EXPECT_FALSE(bar->FindObject("MinButton")->Enabled);
    EXPECT_TRUE(bar->FindObject("MaxButton")->Enabled);
    // The items move past the window-menu button.
    EXPECT_EQ(bar->ItemsRect().Left, 22);
    EXPECT_EQ(bar->Objects(4)->ObjectRect.Left, 22);

    // The bar's close button closes (and ends) the child; the mode ends with it.
    const TRect close = bar->FindObject("CloseButton")->ObjectRect;
    const TPoint p = OnBar(*bar, close.Left + 5, close.Top + 5);
    P().MoveMouse(p.X, p.Y);
    P().AdvanceTime(60);
    P().Click(p.X, p.Y);
    Settle();
    EXPECT_EQ(form->MDIChildCount(), 0);
    EXPECT_FALSE(bar->ChildMaximizedMode());
    EXPECT_EQ(bar->ObjectCount(), 3);
    EXPECT_EQ(bar->ItemsRect().Left, 2);
}

TEST_F(MDIFrameTest,
       SkinnedMenuBarTakesItsHeightAndAreaFromTheSkinAndShiftsForTheSystemMenuButton) {
    MakeParent(true);
    const TspDataSkinMainMenuBar* s = bar->BarSection();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(bar->Height(), RectHeight(s->SkinRect));
    const int left = bar->ItemsRect().Left;
    EXPECT_EQ(bar->Objects(0)->ObjectRect.Left, left);
    // Items lie side by side.
    EXPECT_EQ(bar->Objects(1)->ObjectRect.Left, bar->Objects(0)->ObjectRect.Right);
    TspSkinForm* child = MakeChild("Doc", true);
    child->SetWindowState(kSkinStateMaximized);
    Settle();
    ASSERT_EQ(bar->SystemButtonCount(), 4);
    EXPECT_EQ(Button(cmSysMenu)->IDName, s->SysMenuButton);  // the skin's definition names them
    const TRect sys = Button(cmSysMenu)->ObjectRect;
    EXPECT_EQ(sys.Left, left);
    EXPECT_EQ(bar->ItemsRect().Left, left + sys.Width() + 2);
    // Vertically centred in the area.
    const TRect area = bar->ItemsRect();
    EXPECT_EQ(sys.Top, area.Top + (area.Height() - sys.Height()) / 2);
    // The close button ends at the area's right edge (before the shift for the others).
    const TRect close = Button(cmClose)->ObjectRect;
    EXPECT_LT(close.Left, bar->Width());
    EXPECT_GT(close.Left, Button(cmMaximize)->ObjectRect.Left);
}

TEST_F(MDIFrameTest, ItemsThatDoNotFitLeaveAMarkerOnlyWithScrollMenu) {
    MakeParent(false);
    form->SetWidth(120);  // the bar follows the form; three items no longer fit
    Settle();
    ASSERT_GT(bar->HiddenItemCount(), 0);
    EXPECT_FALSE(IsNullRect(bar->MarkerRect()));
    EXPECT_EQ(bar->MarkerRect().Right, bar->ItemsRect().Right);
    for (int i = 0; i < bar->ObjectCount(); ++i) {
        const TspMenuBarObject* o = bar->Objects(i);
        if (o->Visible) {
            EXPECT_LE(o->ObjectRect.Right, bar->MarkerRect().Left) << i;
        }
    }
    bar->ScrollMenu = false;
    bar->ArrangeObjects();
    EXPECT_TRUE(IsNullRect(bar->MarkerRect()));
    form->SetWidth(640);
    Settle();
    EXPECT_EQ(bar->HiddenItemCount(), 0);
}

TEST_F(MDIFrameTest, PressingAnItemOpensItsSubMenuAndHidingItemsRebuildsTheBar) {
    MakeParent(true);
    const TRect r = bar->Objects(1)->ObjectRect;
    const TPoint p = OnBar(*bar, r.Left + 3, r.Top + 3);
    P().MoveMouse(p.X, p.Y);
    P().AdvanceTime(60);  // the hover timer makes it the active object
    EXPECT_EQ(bar->ActiveObject(), 1);
    const size_t windows = P().ZOrder().size();
    P().PressButton();
    EXPECT_TRUE(bar->MenuOpen());
    ASSERT_EQ(P().ZOrder().size(), windows + 1);  // the skinned menu's window
    // It opens below the item.
    EXPECT_EQ(P().ZOrder().front()->Bounds().Top, OnBar(*bar, 0, r.Bottom).Y);
    P().ReleaseButton();
    P().KeyPress(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(bar->MenuOpen());
    EXPECT_EQ(P().ZOrder().size(), windows);
    // The active child's own main menu follows the parent's items.
    TspSkinForm* child = MakeChild("Doc", true);
    auto* childMenu = new TMainMenu(child->Form());
    auto* extra = new TMenuItem(child->Form());
    extra->SetCaption("&Shapes");
    childMenu->Items().Add(extra);
    bar->UpdateItems();
    ASSERT_EQ(bar->ObjectCount(), 4);
    EXPECT_EQ(bar->Objects(3)->IDName, extra->Name());
    menu->Items().Items(0)->SetVisible(false);
    bar->UpdateItems();
    EXPECT_EQ(bar->ObjectCount(), 3);
}

// ---------------------------------------------------------------- tab bar

TEST_F(MDIFrameTest, TabsShareTheBarUpToTheirDefaultWidthAndTheLastOneFillsWhenNarrower) {
    MakeParent(false);
    tabs->SetDefaultTabWidth(100);
    MakeChild("A", false);
    MakeChild("B", false);
    ASSERT_EQ(tabs->TabCount(), 2);
    const int w = tabs->Width();
    ASSERT_GT(w, 200);
    EXPECT_EQ(tabs->Tabs(0)->ObjectRect, Rect(0, 0, 100, tabs->Height()));
    EXPECT_EQ(tabs->Tabs(1)->ObjectRect, Rect(100, 0, 200, tabs->Height()));
    // Narrower than the default width: equal shares, the last one to the right edge.
    tabs->SetDefaultTabWidth(w);
    MakeChild("C", false);
    ASSERT_EQ(tabs->TabCount(), 3);
    EXPECT_EQ(tabs->Tabs(0)->ObjectRect.Width(), w / 3);
    EXPECT_EQ(tabs->Tabs(2)->ObjectRect.Right, w);
    // Edges belong to the tab (inclusive), the first one found wins at a shared edge.
    EXPECT_EQ(tabs->TabAt({w / 3, 0}), tabs->Tabs(0));
    EXPECT_EQ(tabs->TabAt({w / 3 + 1, tabs->Height()}), tabs->Tabs(1));
    EXPECT_EQ(tabs->TabAt({w / 3, tabs->Height() + 1}), nullptr);
    // The active child's tab is the active one; hiding a child drops its tab.
    EXPECT_TRUE(tabs->Tabs(2)->Active);
    EXPECT_FALSE(tabs->Tabs(0)->Active);
    tabs->Tabs(1)->Child->Hide();
    ASSERT_EQ(tabs->TabCount(), 2);
    EXPECT_EQ(tabs->Tabs(1)->Child->Name(), "C");
    delete tabs->Tabs(1)->Child;
    EXPECT_EQ(tabs->TabCount(), 1);
}

TEST_F(MDIFrameTest, HoverFiresLeaveThenEnterAndAClickBringsAMinimisedChildBack) {
    MakeParent(false);
    TspSkinForm* a = MakeChild("A", false);
    MakeChild("B", false);
    std::vector<std::string> events;
    tabs->OnTabMouseEnter = [&](TspMDITab* t) { events.push_back("enter " + t->Child->Name()); };
    tabs->OnTabMouseLeave = [&](TspMDITab* t) { events.push_back("leave " + t->Child->Name()); };
    tabs->OnTabMouseUp = [&](TMouseButton, TShiftState, TspMDITab* t) {
        events.push_back("up " + t->Child->Name());
    };
    TPoint p = OnBar(*tabs, 50, 5);
    P().MoveMouse(p.X, p.Y);
    p = OnBar(*tabs, 150, 5);
    P().MoveMouse(p.X, p.Y);
    EXPECT_EQ(events, (std::vector<std::string>{"enter A", "leave A", "enter B"}));
    EXPECT_TRUE(tabs->Tabs(1)->MouseIn);
    EXPECT_FALSE(tabs->Tabs(0)->MouseIn);
    // A click without moving is no drag: the tab's child comes forward, restored.
    a->SetWindowState(kSkinStateMinimized);
    Settle();
    ASSERT_TRUE(a->WindowMinimized());
    events.clear();
    p = OnBar(*tabs, 50, 5);
    P().MoveMouse(p.X, p.Y);
    P().Click(p.X, p.Y);
    Settle();
    EXPECT_FALSE(a->WindowMinimized());
    EXPECT_EQ(form->ActiveMDIChild(), a->Form());
    EXPECT_TRUE(tabs->Tabs(0)->Active);
    EXPECT_EQ(events.back(), "up A");
    EXPECT_EQ(tabs->Tabs(0)->Child, a->Form());  // not moved
}

TEST_F(MDIFrameTest, DraggedTabsMovePastTheTabsWhoseCentreTheyCover) {
    MakeParent(false);
    tabs->SetDefaultTabWidth(100);
    for (const char* name : {"A", "B", "C", "D"}) MakeChild(name, false);
    auto order = [&] {
        std::string s;
        for (int i = 0; i < tabs->TabCount(); ++i) s += tabs->Tabs(i)->Child->Name();
        return s;
    };
    ASSERT_EQ(order(), "ABCD");
    // A dragged 60 to the right: its right edge (160) passes B's centre (150) only.
    TPoint from = OnBar(*tabs, 20, 5), to = OnBar(*tabs, 80, 5);
    P().MoveMouse(from.X, from.Y);
    P().PressButton();
    P().MoveMouse(from.X + 30, from.Y);
    EXPECT_TRUE(tabs->Dragging());
    // While dragged the tab moves by the distance.
    EXPECT_EQ(tabs->Tabs(0)->ObjectRect.Left, 30);
    P().MoveMouse(to.X, to.Y);
    P().ReleaseButton();
    EXPECT_FALSE(tabs->Dragging());
    EXPECT_EQ(order(), "BACD");
    // A short drag covering no centre leaves the order alone.
    from = OnBar(*tabs, 320, 5);
    P().MoveMouse(from.X, from.Y);
    P().PressButton();
    P().MoveMouse(from.X - 40, from.Y);
    P().ReleaseButton();
    EXPECT_EQ(order(), "BACD");
    // D dragged far left, kept inside the bar: it passes every tab to its left.
    P().MoveMouse(from.X, from.Y);
    P().PressButton();
    P().MoveMouse(from.X - 1000, from.Y);
    EXPECT_EQ(tabs->Tabs(3)->ObjectRect.Left, 0);
    P().ReleaseButton();
    EXPECT_EQ(order(), "DBAC");
    // Dragged right by a distance that covers two centres: to the last of them.
    from = OnBar(*tabs, 10, 5);
    P().MoveMouse(from.X, from.Y);
    P().PressButton();
    P().MoveMouse(from.X + 170, from.Y);
    P().ReleaseButton();
    EXPECT_EQ(order(), "BADC");
}

// ---------------------------------------------------------------- frame bookkeeping

TEST_F(MDIFrameTest, MaximisedChildsCaptionJoinsTheParentsAndItsFrameGoes) {
    MakeParent(true);
    TspSkinForm* a = MakeChild("A", true);
    TspSkinForm* b = MakeChild("B", true);
    EXPECT_EQ(skinForm->CaptionText(), "Puzzlebin V1.0.0");
    b->SetWindowState(kSkinStateMaximized);
    Settle();
    EXPECT_EQ(skinForm->MaximizedChild(), b);
    EXPECT_EQ(skinForm->CaptionText(), "Puzzlebin V1.0.0 - [B caption]");
    // Maximised, the child fills the client area and has no frame of its own.
    EXPECT_EQ(b->Form()->BoundsRect(), form->MDIClient()->ClientRect());
    EXPECT_EQ(b->Form()->ClientRect(),
              Rect(0, 0, form->MDIClient()->ClientWidth(), form->MDIClient()->ClientHeight()));
    // It follows the area when the parent is resized.
    form->SetBounds(form->Left(), form->Top(), 700, 520);
    Settle();
    EXPECT_EQ(b->Form()->BoundsRect(), form->MDIClient()->ClientRect());
    b->Form()->SetCaption("Renamed");
    EXPECT_EQ(skinForm->CaptionText(), "Puzzlebin V1.0.0 - [Renamed]");
    // Restored, the parent's caption is its own again; another child stays unaffected.
    b->SetWindowState(kSkinStateNormal);
    Settle();
    EXPECT_EQ(skinForm->MaximizedChild(), nullptr);
    EXPECT_EQ(skinForm->CaptionText(), "Puzzlebin V1.0.0");
    EXPECT_FALSE(a->WindowMaximized());
    // A maximised child that is destroyed takes the caption suffix with it.
    a->SetWindowState(kSkinStateMaximized);
    Settle();
    ASSERT_EQ(skinForm->MaximizedChild(), a);
    delete a->Form();
    Settle();
    EXPECT_EQ(skinForm->MaximizedChild(), nullptr);
    EXPECT_EQ(skinForm->CaptionText(), "Puzzlebin V1.0.0");
}

TEST_F(MDIFrameTest, WindowMenuListsSkinnedChildrenWithTheActiveOneChecked) {
    MakeParent(true);
    TspSkinForm* a = MakeChild("A", true);
    TspSkinForm* b = MakeChild("B", true);
    EXPECT_EQ(WindowMenuCaptions(),
              (std::vector<std::string>{"&Window entry", "A caption", "B caption*"}));
    ASSERT_NE(a->MDIChildItem(), nullptr);
    EXPECT_EQ(a->MDIChildItem()->Name(), "A_SFCHILDITEM");
    EXPECT_EQ(windowMenu->Items(1), a->MDIChildItem());
    // The framework's own child items stay away while skinned frames keep the list.
    EXPECT_FALSE(form->WindowMenuChildItems);
    // Clicking an item brings its child forward, restoring it first when minimised.
    a->SetWindowState(kSkinStateMinimized);
    Settle();
    a->MDIChildItem()->Click();
    Settle();
    EXPECT_FALSE(a->WindowMinimized());
    EXPECT_EQ(form->ActiveMDIChild(), a->Form());
    EXPECT_EQ(WindowMenuCaptions(),
              (std::vector<std::string>{"&Window entry", "A caption*", "B caption"}));
    // Hidden, a child leaves the menu; shown again it returns at the end.
    a->Form()->Hide();
    EXPECT_EQ(WindowMenuCaptions(), (std::vector<std::string>{"&Window entry", "B caption*"}));
    a->Form()->Show();
    Settle();
    EXPECT_EQ(WindowMenuCaptions(),
              (std::vector<std::string>{"&Window entry", "B caption", "A caption*"}));
    delete b->Form();
    EXPECT_EQ(WindowMenuCaptions(), (std::vector<std::string>{"&Window entry", "A caption*"}));
}

TEST_F(MDIFrameTest, MinimisedChildrenStackAlongTheBottomAndReflowWhenTheAreaChanges) {
    MakeParent(true);
    std::vector<TspSkinForm*> kids;
    for (const char* name : {"A", "B", "C", "D"}) kids.push_back(MakeChild(name, true));
    for (TspSkinForm* k : kids) k->SetWindowState(kSkinStateMinimized);
    Settle();
    const TRect area = form->MDIClient()->ClientRect();
    const int w = kids[0]->GetMinWidth(), h = kids[0]->GetMinHeight();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    const int perRow = area.Width() / w;
    ASSERT_GE(perRow, 2);
    for (size_t i = 0; i < kids.size(); ++i) {
        const int row = static_cast<int>(i) / perRow, column = static_cast<int>(i) % perRow;
        EXPECT_EQ(kids[i]->Form()->BoundsRect(),
                  Bounds(area.Left + column * w, area.Bottom - (row + 1) * h, w, h))
            << i;
    }
    // Restoring one frees its place, which the next minimised child takes.
    kids[0]->SetWindowState(kSkinStateNormal);
    Settle();
    EXPECT_NE(kids[0]->Form()->Top(), area.Bottom - h);
    auto* e = MakeChild("E", true);
    e->SetWindowState(kSkinStateMinimized);
    Settle();
    EXPECT_EQ(e->Form()->BoundsRect().TopLeft(), (TPoint{area.Left, area.Bottom - h}));
    // A narrower parent re-stacks them into more rows, all inside the area.
    form->SetWidth(w * 2 + 40);
    Settle();
    const TRect narrow = form->MDIClient()->ClientRect();
    std::set<std::pair<int, int>> places;
    for (TspSkinForm* k : {kids[1], kids[2], kids[3], e}) {
        const TRect r = k->Form()->BoundsRect();
        EXPECT_GE(r.Left, narrow.Left);
        EXPECT_LE(r.Right, narrow.Right);
        EXPECT_EQ((narrow.Bottom - r.Bottom) % h, 0);
        places.insert({r.Left, r.Top});
    }
    EXPECT_EQ(places.size(), 4u);  // no two share a place
    EXPECT_EQ(std::prev(places.end())->first, narrow.Left + w);
}

// ---------------------------------------------------------------- a child's moving and menu

TEST_F(MDIFrameTest, AMagneticChildSnapsToTheEdgesOfTheMDIClientAreaNineAwayButNotTen) {
    MakeParent(true);
    TspSkinForm* child = MakeChild("A", true);
    child->Magnetic = true;
    TCustomForm& c = *child->Form();
    TMDIClient& client = *form->MDIClient();
    const TRect area = client.ClientRect();
    const int w = c.Width(), h = c.Height();
    // Drags the child by its caption so that its top-left would end at (x, y) in the area.
    auto dragTo = [&](int x, int y) {
        const TPoint from = client.ClientToScreen({c.Left() + 100, c.Top() + 15});
        P().Drag(from.X, from.Y, from.X + x - c.Left(), from.Y + y - c.Top(), 4);
        P().ProcessPending();
        return c.BoundsRect().TopLeft();
    };
    EXPECT_EQ(dragTo(9, 60), (TPoint{0, 60}));
    EXPECT_EQ(dragTo(10, 60), (TPoint{10, 60}));
    // The area's right and bottom edges, far from the screen's.
    EXPECT_EQ(dragTo(area.Right - w + 9, area.Bottom - h - 9),
              (TPoint{area.Right - w, area.Bottom - h}));
    EXPECT_EQ(dragTo(area.Right - w - 10, area.Bottom - h + 10),
              (TPoint{area.Right - w - 10, area.Bottom - h + 10}));
}

TEST_F(MDIFrameTest, AChildsWindowMenuOpensBelowItsButtonOnTheScreenAndClosesWithTheParent) {
    MakeParent(true);
    MakeChild("A", false);
    TspSkinForm* child = MakeChild("B", true, Bounds(40, 30, 220, 160));
    TCustomForm& c = *child->Form();
    auto* button = child->FindObject("sysmenubutton");
    ASSERT_NE(button, nullptr);
    const TRect r = button->ObjectRect;
    // The child's corner on the screen: its place in the MDI client area, translated.
    const TPoint corner = form->MDIClient()->ClientToScreen(c.BoundsRect().TopLeft());
    child->GetMouseTimer().SetEnabled(false);
    P().MoveMouse(corner.X + r.Left + 3, corner.Y + r.Top + 3);
    P().PressButton();
    P().ReleaseButton();
    P().ProcessPending();
    TspSkinMenu& engine = child->PopupMenuEngine();
    ASSERT_TRUE(engine.MenuOpen());
    EXPECT_EQ(engine.PopupWindow(0)->BoundsRect().TopLeft(),
              (TPoint{corner.X + r.Left, corner.Y + r.Bottom}));
    // Moving the parent (or any message that closes the parent's menus) closes the active
    // child's menu as well.
    form->SetBounds(form->Left() + 30, form->Top() + 20, form->Width(), form->Height());
    EXPECT_FALSE(engine.MenuOpen());
    EXPECT_FALSE(child->SkinMenuOpen());
}

}  // namespace

namespace {

TEST_F(MDIFrameTest, ALoneAltDrivesTheMenuBarWithWrapAroundAndAccelerators) {
    MakeParent(true);
    P().KeyPress(VK_MENU);
    ASSERT_TRUE(skinForm->KeyboardMenuMode());
    EXPECT_TRUE(bar->KeyboardMode());
    EXPECT_EQ(bar->ActiveObject(), 0);
    P().KeyPress(VK_LEFT);  // wraps to the last item
    EXPECT_EQ(bar->ActiveObject(), 2);
    P().KeyPress(VK_RIGHT);
    EXPECT_EQ(bar->ActiveObject(), 0);
    P().KeyPress(VK_RETURN);
    EXPECT_TRUE(bar->MenuOpen());
    // With a menu open, Right opens the next item's menu.
    P().KeyPress(VK_RIGHT);
    EXPECT_EQ(bar->ActiveObject(), 1);
    EXPECT_TRUE(bar->MenuOpen());
    // Esc closes the menu and keeps the mode; a second one leaves it.
    P().KeyPress(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(bar->MenuOpen());
    EXPECT_TRUE(skinForm->KeyboardMenuMode());
    // An accelerator opens its item.
    P().KeyPress('W', 0, 'w');
    EXPECT_EQ(bar->ActiveObject(), 2);
    EXPECT_TRUE(bar->MenuOpen());
    P().KeyPress(VK_ESCAPE);
    P().KeyPress(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    EXPECT_FALSE(bar->KeyboardMode());
    EXPECT_EQ(bar->ActiveObject(), -1);
}

// ---------------------------------------------------------------- children going, menu open

// What a screen reader reads of the bar and the tabs: menus with their items, and opening
// one raises the state changes it listens to; the popup is a menu whose highlighted item
// is focused; the tabs are a page tab list whose selection brings a child forward.
TEST_F(MDIFrameTest, MenuBarAndTabsAreAccessibleAndAMenuOpeningRaisesItsEvents) {
    using platform::AccessibleRole;
    MakeParent(true);
    TspSkinForm* a = MakeChild("A", true);
    MakeChild("B", true, Bounds(40, 40, 200, 150));
    int clicks = 0;
    menu->Items().Items(0)->Items(0)->OnClick = [&clicks](TComponent*) { ++clicks; };
    const platform::AccessibleNode& tree = Window().AccessibleTree();
    const platform::AccessibleNode* file = tree.FindByName(AccessibleRole::Menu, "File");
    ASSERT_NE(file, nullptr);
    EXPECT_NE(tree.FindByName(AccessibleRole::Menu, "Window"), nullptr);
    ASSERT_EQ(file->children.size(), 1u);
    EXPECT_EQ(file->children[0].name, "File entry");
    EXPECT_TRUE(file->children[0].Has(platform::kAccHidden));  // until the menu opens
    const std::string fileId = file->id;

    Window().RecordAccessibleChanges();
    ASSERT_TRUE(Window().DoAccessibleAction(AccessibleRole::Menu, "File"));
    Settle();
    ASSERT_TRUE(bar->MenuOpen());
    auto& popup = *static_cast<platform::HeadlessWindow*>(P().ZOrder().front());
    ASSERT_EQ(popup.AccessibleTree().role, AccessibleRole::Menu);
    EXPECT_EQ(popup.AccessibleTree().name, "File");
    ASSERT_EQ(popup.AccessibleTree().children.size(), 1u);
    EXPECT_EQ(popup.AccessibleTree().children[0].name, "File entry");
    P().KeyPress(VK_DOWN);
    Settle();
    EXPECT_TRUE(popup.AccessibleTree().children[0].Has(platform::kAccFocused));
    EXPECT_TRUE(popup.DoAccessibleAction(AccessibleRole::MenuItem, "File entry"));
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(bar->MenuOpen());
    std::vector<std::string> expanded;
    for (const platform::AccessibleChange& c : Window().AccessibleChanges()) {
        if (c.id != fileId || c.kind != platform::AccessibleChangeKind::StateChanged) continue;
        if (c.statesOn & platform::kAccExpanded) expanded.push_back("opened");
        if (c.statesOff & platform::kAccExpanded) expanded.push_back("closed");
    }
    EXPECT_EQ(expanded, (std::vector<std::string>{"opened", "closed"}));

    const platform::AccessibleNode* list = nullptr;
    for (const platform::AccessibleNode& c : Window().AccessibleTree().children)
        if (c.role == AccessibleRole::PageTabList) list = &c;
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->children.size(), 2u);
    EXPECT_EQ(list->children[0].name, "A caption");
    EXPECT_FALSE(list->children[0].Has(platform::kAccSelected));
    EXPECT_TRUE(list->children[1].Has(platform::kAccSelected));
    EXPECT_TRUE(Window().SelectAccessibleChild(list->id, 0));
    Settle();
    EXPECT_EQ(form->ActiveMDIChild(), a->Form());
}

// The maximised child's buttons on the bar are push buttons that run their commands.
TEST_F(MDIFrameTest, TheMaximisedChildsSystemButtonsOnTheBarAreAccessible) {
    using platform::AccessibleRole;
    MakeParent(true);
    TspSkinForm* child = MakeChild("Doc", false);
    child->SetBorderIcons(biSystemMenu | biMaximize);  // no minimise button
    child->SetWindowState(kSkinStateMaximized);
    Settle();
    ASSERT_TRUE(bar->ChildMaximizedMode());
    const platform::AccessibleNode* barNode =
        Window().AccessibleTree().FindByName(AccessibleRole::MenuBar, "");
    ASSERT_NE(barNode, nullptr);
    const platform::AccessibleNode* minimize =
        barNode->FindByName(AccessibleRole::PushButton, "Minimize");
    ASSERT_NE(minimize, nullptr);
    EXPECT_TRUE(minimize->Has(platform::kAccDisabled));
    EXPECT_NE(barNode->FindByName(AccessibleRole::PushButton, "Window menu"), nullptr);
    EXPECT_NE(barNode->FindByName(AccessibleRole::PushButton, "Close"), nullptr);
    ASSERT_TRUE(Window().DoAccessibleAction(AccessibleRole::PushButton, "Restore"));
    Settle();
    EXPECT_FALSE(bar->ChildMaximizedMode());
    EXPECT_EQ(form->MDIChildCount(), 1);
}

TEST_F(MDIFrameTest, ChildHiddenWhileTheWindowMenuIsOpenTakesItsItemAndTheMenuCloses) {
    MakeParent(true);
    TspSkinForm* a = MakeChild("A", true);
    TspSkinForm* b = MakeChild("B", true, Bounds(40, 40, 200, 150));
    ASSERT_EQ(WindowMenuCaptions().size(), 3u);  // "&Window entry", A, B
    // Open the Window menu from the bar.
    const TRect r = bar->Objects(2)->ObjectRect;
    const TPoint p = OnBar(*bar, r.Left + 3, r.Top + 3);
    P().MoveMouse(p.X, p.Y);
    P().AdvanceTime(60);
    P().PressButton();
    P().ReleaseButton();
    TspSkinMenu& engine = skinForm->PopupMenuEngine();
    ASSERT_EQ(engine.PopupCount(), 1);
    TspSkinPopupWindow* popup = engine.PopupWindow(0);
    ASSERT_EQ(popup->Items().size(), 3u);
    ASSERT_EQ(popup->Items()[2]->MenuItem->Caption(), "B caption");
    const TRect item = popup->ItemScreenRect(2);
    const TPoint where{(item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2};
    P().MoveMouse(where.X, where.Y);
    P().AdvanceTime(60);

    b->Form()->Hide();  // its window-menu item is freed
    EXPECT_EQ(WindowMenuCaptions().size(), 2u);
    EXPECT_EQ(engine.PopupCount(), 0);
    EXPECT_FALSE(bar->MenuOpen());
    // Over and on the place the item was; keys.
    P().MoveMouse(where.X, where.Y + 1);
    P().AdvanceTime(100);
    P().Click(where.X, where.Y);
    P().KeyPress(VK_DOWN);
    P().KeyPress(VK_RETURN);
    P().KeyPress(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(b->Form()->Visible());
    EXPECT_TRUE(a->Form()->Visible());
    // The menu opens again with the items left, and the one of the child still there works.
    P().MoveMouse(p.X, p.Y);
    P().AdvanceTime(60);
    P().PressButton();
    P().ReleaseButton();
    ASSERT_EQ(engine.PopupCount(), 1);
    EXPECT_EQ(engine.PopupWindow(0)->Items().size(), 2u);
}

}  // namespace
