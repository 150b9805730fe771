// The skinned window menu and the menu-open state: which items the menu holds for the
// border icons and the state, a merged SystemMenu, opening it by a right click on the
// caption, by the system-menu button and by Alt+Space, the application message hook, and
// the messages that close an open menu (the keyboard main-menu mode: KeyboardMenus_test).
#include <string>
#include <vector>

#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "tests/skin_form/SkinFormTestSupport.h"
#include "ui/Menus.h"

namespace {

constexpr TspBorderIcons kAllIcons =
    biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray;

std::vector<std::string> Names(const TMenuItem& items) {
    std::vector<std::string> out;
    for (int i = 0; i < items.Count(); ++i) {
        const TMenuItem* item = items.Items(i);
        out.push_back(item->IsLine() ? "-" : item->Name());
    }
    return out;
}

using Strings = std::vector<std::string>;

class WindowMenuTest : public SkinFormTest {
protected:
    void TearDown() override {
        SkinFormTest::TearDown();
        Application().OnMessage = nullptr;
    }
    TspSkinMenu& Engine() { return skinForm->PopupMenuEngine(); }
    TspSkinPopupWindow* Root() { return Engine().PopupWindow(0); }
    // Captions and short cuts of the open menu's items, as "caption|short cut".
    Strings Shown() {
        Strings out;
        if (!Root()) return out;
        for (const auto& item : Root()->Items()) {
            out.push_back(item->MenuItem->IsLine()
                              ? "-"
                              : item->MenuItem->Caption() + "|" + item->MenuItem->ShortCutText());
        }
        return out;
    }
    TPoint ItemCentre(int index) {
        const TRect r = Root()->ItemScreenRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void RightClickCaption(int x = 200) {
        P().Click(form->Left() + x, form->Top() + 15, platform::MouseButton::Right);
        P().ProcessPending();
    }
};

TEST_F(WindowMenuTest, TheProgramsMenuHoldsCloseAloneWithAltF4AndNoSeparator) {
    MakeForm(777 + 26, 491 + 46);
    int opens = 0, closes = 0, closing = 0;
    skinForm->OnSkinMenuOpen = [&opens](TComponent*) { ++opens; };
    skinForm->OnSkinMenuClose = [&closes](TComponent*) { ++closes; };
    form->OnClose = [&closing](TComponent*, TCloseAction&) { ++closing; };
    RightClickCaption(300);
    ASSERT_TRUE(Engine().MenuOpen());
    EXPECT_TRUE(skinForm->SkinMenuOpen());
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(Shown(), (Strings{"&Close|Alt+F4"}));
    // Opened at the cursor, drawn from the skin.
    EXPECT_EQ(Root()->BoundsRect().TopLeft(), (TPoint{form->Left() + 300, form->Top() + 15}));
    EXPECT_TRUE(Root()->UsesSkin());
    // Choosing it closes the window.
    P().Click(ItemCentre(0).X, ItemCentre(0).Y);
    P().ProcessPending();
    EXPECT_EQ(closing, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(skinForm->SkinMenuOpen());
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage)) << "the message hook is gone";
}

TEST_F(WindowMenuTest, TheDefaultMenuFollowsTheBorderIconsAndTheState) {
    MakeForm(400, 300, true, kAllIcons);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()),
              (Strings{"SF_MINITEM", "SF_MAXITEM", "SF_ROLLUP", "SF_MINTOTRAY", "-", "SF_CLOSE"}));
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()),
              (Strings{"SF_MINITEM", "SF_RESTORE", "SF_ROLLUP", "SF_MINTOTRAY", "-", "SF_CLOSE"}));
    skinForm->SetRollUpState(true);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()),
              (Strings{"SF_MINITEM", "SF_RESTORE", "SF_MINTOTRAY", "-", "SF_CLOSE"}));
    skinForm->RestoreWindow();
    skinForm->SetWindowState(kSkinStateMinimized);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()),
              (Strings{"SF_MAXITEM", "SF_RESTORE", "SF_MINTOTRAY", "-", "SF_CLOSE"}));
    skinForm->SetWindowState(kSkinStateNormal);
    skinForm->SetBorderIcons(biSystemMenu | biRollUp);
    skinForm->SetRollUpState(true);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()), (Strings{"SF_RESTORE", "-", "SF_CLOSE"}));
    // The items run their commands.
    TMenuItem& items = skinForm->WindowMenuItems();
    items.Items(0)->Click();
    EXPECT_FALSE(skinForm->GetRollUpState());
    skinForm->SetBorderIcons(0);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()), (Strings{"SF_CLOSE"}));
    // The close item names Ctrl+F4 for an MDI child.
    EXPECT_EQ(skinForm->WindowMenuItems().Items(0)->ShortCutText(), "Alt+F4");
}

TEST_F(WindowMenuTest, AnAssignedSystemMenuIsShownAsItIsOrMergedWithTheDefaultItems) {
    MakeForm(400, 300, true, kAllIcons);
    auto* menu = new TPopupMenu(form.get());
    auto* about = new TMenuItem(nullptr);
    about->SetName("About1");
    about->SetCaption("&About");
    menu->Items().Add(about);
    skinForm->SetSystemMenu(menu);
    skinForm->UseDefaultSysMenu = false;
    EXPECT_EQ(Names(skinForm->WindowMenuItems()), (Strings{"About1"}));
    skinForm->UseDefaultSysMenu = true;
    const Strings merged{"SF_MINITEM",   "SF_MAXITEM", "SF_ROLLUP",
                         "SF_MINTOTRAY", "About1",     "SF_CLOSE"};
    EXPECT_EQ(Names(skinForm->WindowMenuItems()), merged);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()), merged) << "asking again adds nothing";
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()), (Strings{"SF_MINITEM", "SF_RESTORE", "SF_ROLLUP",
                                                           "SF_MINTOTRAY", "About1", "SF_CLOSE"}));
    // Builders added later (MDI children, say) see every request.
    int calls = 0;
    const int id = skinForm->AddWindowMenuBuilder([&calls](TMenuItem&) { ++calls; });
    (void)skinForm->WindowMenuItems();
    skinForm->RemoveWindowMenuBuilder(id);
    (void)skinForm->WindowMenuItems();
    EXPECT_EQ(calls, 1);
    // The menu going away leaves the default one.
    delete menu;
    EXPECT_EQ(skinForm->SystemMenu(), nullptr);
    EXPECT_EQ(Names(skinForm->WindowMenuItems()).back(), "SF_CLOSE");
}

TEST_F(WindowMenuTest, TheSystemMenuButtonOpensTheMenuBelowItselfAndStaysDownUntilItCloses) {
    MakeForm(400, 300, true, kAllIcons);
    auto& button = static_cast<TspSkinStdButtonObject&>(Object("sysmenubutton"));
    const TRect r = button.ObjectRect;
    skinForm->GetMouseTimer().SetEnabled(false);
    MoveTo(r.Left + 5, r.Top + 5);
    P().PressButton();
    P().ProcessPending();
    ASSERT_TRUE(Engine().MenuOpen());
    EXPECT_TRUE(button.Down);
    EXPECT_EQ(Root()->BoundsRect().TopLeft(),
              (TPoint{form->Left() + r.Left, form->Top() + r.Bottom}));
    P().ReleaseButton();  // the grab takes the release: the menu stays
    P().ProcessPending();
    EXPECT_TRUE(Engine().MenuOpen());
    EXPECT_TRUE(button.Down);
    P().KeyPress(VK_ESCAPE);
    P().ProcessPending();
    EXPECT_FALSE(Engine().MenuOpen());
    EXPECT_FALSE(skinForm->SkinMenuOpen());
    EXPECT_FALSE(button.Down);
    EXPECT_EQ(button.MenuItem, nullptr);
    EXPECT_EQ(skinForm->GetMouseCaptureObject(), -1);
    // The next click on the caption moves nothing and opens nothing.
    EXPECT_EQ(HitAt(200, 15), HTCAPTION);
}

TEST_F(WindowMenuTest, AltSpaceOpensTheMenuAtTheSystemMenuButtonAndTheKeysDriveIt) {
    MakeForm(400, 300);
    const TRect r = Object("sysmenubutton").ObjectRect;
    P().KeyPress(VK_SPACE, platform::kModAlt, ' ');
    P().ProcessPending();
    ASSERT_TRUE(Engine().MenuOpen());
    EXPECT_EQ(Root()->BoundsRect().TopLeft(),
              (TPoint{form->Left() + r.Left, form->Top() + r.Bottom}));
    EXPECT_EQ(Root()->ActiveIndex(), 0) << "the first item is highlighted for the keyboard";
    P().KeyPress(VK_RETURN);
    P().ProcessPending();
    EXPECT_FALSE(form->Visible()) << "Enter ran \"&Close\"";
    EXPECT_FALSE(skinForm->SkinMenuOpen());
}

TEST_F(WindowMenuTest, WithoutASystemMenuButtonAltSpaceOpensAtTheClientAreasCorner) {
    MakeForm(400, 300, true, 0);
    P().KeyPress(VK_SPACE, platform::kModAlt, ' ');
    P().ProcessPending();
    ASSERT_TRUE(Engine().MenuOpen());
    EXPECT_EQ(Root()->BoundsRect().TopLeft(), (TPoint{form->Left() + 13, form->Top() + 33}));
    EXPECT_EQ(Shown(), (Strings{"&Close|Alt+F4"}));
    P().KeyPress(VK_ESCAPE);
}

TEST_F(WindowMenuTest,
       WhileAMenuIsOpenTheHookTakesKeysAndWheelButPassesTheRestToThePreviousHandler) {
    MakeForm(400, 300);
    std::vector<uint32_t> seen;
    Application().OnMessage = [&seen](TControl*, TMessage& m, bool&) { seen.push_back(m.Msg); };
    RightClickCaption();
    ASSERT_TRUE(skinForm->SkinMenuOpen());
    seen.clear();
    TMessage key{WM_KEYDOWN, 'X', 0, 0};
    Application().DispatchMessage(form.get(), key);
    EXPECT_EQ(key.WParam, 0u) << "taken, so no character follows";
    TMessage wheel{WM_MOUSEWHEEL, 0, 0, 0};
    Application().DispatchMessage(form.get(), wheel);
    TMessage other{WM_USER + 5, 0, 0, 0};
    Application().DispatchMessage(form.get(), other);
    EXPECT_EQ(seen, (std::vector<uint32_t>{WM_USER + 5}));
    // A key going through the hook reaches the open menu: Escape closes it.
    TMessage escape{WM_KEYDOWN, VK_ESCAPE, 0, 0};
    Application().DispatchMessage(form.get(), escape);
    EXPECT_FALSE(Engine().MenuOpen());
    EXPECT_FALSE(skinForm->SkinMenuOpen());
    // The previous handler is back and sees keys again.
    seen.clear();
    TMessage after{WM_KEYDOWN, 'Y', 0, 0};
    Application().DispatchMessage(form.get(), after);
    EXPECT_EQ(seen, (std::vector<uint32_t>{WM_KEYDOWN}));
}

TEST_F(WindowMenuTest, ClosingMessagesEndAnOpenMenu) {
    MakeForm(400, 300);
    const uint32_t closing[] = {WM_MOVE, WM_SIZE, WM_ACTIVATE, WM_KILLFOCUS, WM_CANCELMODE};
    for (uint32_t msg : closing) {
        SCOPED_TRACE(msg);
        RightClickCaption();
        ASSERT_TRUE(skinForm->SkinMenuOpen());
        form->Perform(msg, msg == WM_ACTIVATE ? static_cast<uintptr_t>(WA_ACTIVE) : 0u, 0);
        P().ProcessPending();
        EXPECT_FALSE(Engine().MenuOpen());
        EXPECT_FALSE(skinForm->SkinMenuOpen());
        EXPECT_FALSE(static_cast<bool>(Application().OnMessage));
    }
    // Moving the window by its caption closes it as well.
    RightClickCaption();
    form->SetBounds(150, 120, 400, 300);
    EXPECT_FALSE(skinForm->SkinMenuOpen());
}

TEST_F(WindowMenuTest, AMenuWithNothingToShowLeavesNoMenuOpenState) {
    MakeForm(400, 300);
    auto* menu = new TPopupMenu(form.get());
    auto* hidden = new TMenuItem(nullptr);
    hidden->SetCaption("Hidden");
    hidden->SetVisible(false);
    menu->Items().Add(hidden);
    skinForm->SetSystemMenu(menu);
    skinForm->UseDefaultSysMenu = false;
    int opens = 0, closes = 0;
    skinForm->OnSkinMenuOpen = [&opens](TComponent*) { ++opens; };
    skinForm->OnSkinMenuClose = [&closes](TComponent*) { ++closes; };
    RightClickCaption();
    EXPECT_FALSE(Engine().MenuOpen());
    EXPECT_FALSE(skinForm->SkinMenuOpen());
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage)) << "keys are not held back";
    EXPECT_EQ(opens, closes);
}

TEST_F(WindowMenuTest, OpeningAnotherMenuOfTheFormKeepsTheMenuOpenState) {
    MakeForm(400, 300);
    int opens = 0, closes = 0;
    skinForm->OnSkinMenuOpen = [&opens](TComponent*) { ++opens; };
    skinForm->OnSkinMenuClose = [&closes](TComponent*) { ++closes; };
    RightClickCaption();
    skinForm->OpenWindowMenu(Rect(600, 500, 600, 500));
    EXPECT_TRUE(Engine().MenuOpen());
    EXPECT_TRUE(skinForm->SkinMenuOpen())
        << "the first menu's closing notice did not end the second's state";
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(closes, 1);
    Engine().CloseAll();
    EXPECT_FALSE(skinForm->SkinMenuOpen());
    EXPECT_EQ(closes, 2);
}

}  // namespace
