// What an open menu, a hint window or a tray icon holds goes away under it: an item, a
// menu, the skin or a hint component is freed while it is live, then the user moves the
// mouse, presses keys and clicks. The menu closes cleanly (or only its level does), nothing
// touches freed memory (the sanitizer run reports it), and the survivors still work.
#include "PopupTestSupport.h"
#include "skin/popup/SkinHint.h"
#include "skin/popup/SkinHintWindow.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"

namespace {

class DanglingMenuTest : public PopupTest {
protected:
    // Mouse over, keys and a click on a point, with the popups' timers running between.
    void Poke(TPoint at) {
        Hover(at);
        screen->KeyPress(VK_DOWN);
        screen->KeyPress(VK_RETURN);
        screen->Click(at.X, at.Y);
        screen->AdvanceTime(600);
        screen->ProcessPending();
    }
    bool AnyPopupShown() const {
        for (platform::HeadlessWindow* w : screen->Windows())
            if (w->Visible() && w->Kind() == platform::WindowKind::Popup) return true;
        return false;
    }
};

}  // namespace

TEST_F(DanglingMenuTest, ItemFreedWhileItsRootLevelIsOpenClosesTheMenuOnce) {
    std::vector<std::string> clicks;
    std::vector<uint32_t> messages;
    auto* opener = new TRecordingControl(form.get());
    opener->SetParent(form.get());
    opener->log = &messages;
    Add(Items(), "&Keep", &clicks);
    TMenuItem* doomed = Add(Items(), "&Doomed", &clicks);
    Open(100, 100, opener);
    const TPoint where = ItemCentre(Level(0), 1);
    Hover(where);
    ASSERT_EQ(Level(0)->ActiveIndex(), 1);
    delete doomed;
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
    EXPECT_FALSE(engine->HasInputGrab());
    EXPECT_EQ(messages, (std::vector<uint32_t>{SKINMSG_MENUCLOSED}));
    EXPECT_FALSE(AnyPopupShown());
    Poke(where);
    EXPECT_TRUE(clicks.empty());
    // The menu opens again with what is left.
    Open(100, 100, opener);
    ASSERT_EQ(engine->PopupCount(), 1);
    EXPECT_EQ(Level(0)->Items().size(), 1u);
    screen->KeyPress(VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Keep"}));
}

TEST_F(DanglingMenuTest, ItemOfAnOpenSubmenuFreedClosesThatLevelOnly) {
    std::vector<std::string> clicks;
    TMenuItem* more = Add(Items(), "More");
    TMenuItem* doomed = Add(*more, "Doomed", &clicks);
    Add(*more, "Stays", &clicks);
    Open(100, 100);
    screen->Click(ItemCentre(Level(0), 0).X, ItemCentre(Level(0), 0).Y);
    ASSERT_EQ(engine->PopupCount(), 2);
    const TPoint where = ItemCentre(Level(1), 0);
    Hover(where);
    delete doomed;
    EXPECT_TRUE(engine->MenuOpen());
    ASSERT_EQ(engine->PopupCount(), 1);
    EXPECT_FALSE(Level(0)->Items()[0]->SubMenuOpen);
    screen->Click(where.X, where.Y);  // where the submenu was: outside, closes the menu
    EXPECT_FALSE(engine->MenuOpen());
    // Opened again, the submenu shows the item left and runs it.
    Open(100, 100);
    screen->KeyPress(VK_RIGHT);
    ASSERT_EQ(engine->PopupCount(), 2);
    ASSERT_EQ(Level(1)->Items().size(), 1u);
    screen->KeyPress(VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Stays"}));
}

TEST_F(DanglingMenuTest, ParentItemFreedWithItsSubmenuOpen) {
    TMenuItem* more = Add(Items(), "More");
    Add(*more, "Inner");
    Add(Items(), "Other");
    Open(100, 100);
    screen->Click(ItemCentre(Level(0), 0).X, ItemCentre(Level(0), 0).Y);
    ASSERT_EQ(engine->PopupCount(), 2);
    const TPoint inner = ItemCentre(Level(1), 0);
    delete more;  // frees its sub-item first, then itself
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
    Poke(inner);
}

TEST_F(DanglingMenuTest, ClickHandlerThatFreesItsOwnSubmenuItem) {
    TMenuItem* more = Add(Items(), "More");
    Add(*more, "Inner");
    more->OnClick = [more](TComponent*) { more->Clear(); };  // fills nothing, frees the rest
    Open(100, 100);
    screen->Click(ItemCentre(Level(0), 0).X, ItemCentre(Level(0), 0).Y);
    EXPECT_EQ(engine->PopupCount(), 1);
    Poke(ItemCentre(Level(0), 0));
}

TEST_F(DanglingMenuTest, SkinnedPopupMenuFreedWhileOpen) {
    LoadSkin();
    host->skinData = skin;
    auto* popupMenu = new TspSkinPopupMenu(form.get());
    auto* item = new TMenuItem(popupMenu);
    item->SetCaption("Item");
    popupMenu->Items().Add(item);
    popupMenu->Popup(300, 200);
    screen->ProcessPending();
    ASSERT_EQ(engine->PopupCount(), 1);
    const TPoint where = ItemCentre(Level(0), 0);
    delete popupMenu;
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
    Poke(where);
    // A menu left open by another popup menu is not closed by this one going.
    auto* first = new TspSkinPopupMenu(form.get());
    Add(first->Items(), "First");
    auto* second = new TspSkinPopupMenu(form.get());
    Add(second->Items(), "Second");
    first->Popup(300, 200);
    second->Popup(300, 200);
    delete first;
    EXPECT_TRUE(engine->MenuOpen());
    EXPECT_EQ(Level(0)->Items()[0]->MenuItem->Caption(), "Second");
}

TEST_F(DanglingMenuTest, SkinReloadedOrFreedWhileASkinnedMenuIsOpen) {
    LoadSkin();
    Add(Items(), "One");
    Add(Items(), "Two");
    Open(300, 200);
    ASSERT_TRUE(Level(0)->UsesSkin());
    const TPoint where = ItemCentre(Level(0), 1);
    // Reloaded: the pictures the popup drew from are gone; the next key closes the menu
    // and nothing is painted from them meanwhile.
    skin->SetCompressedStoredSkin(container);
    Level(0)->Repaint();
    screen->KeyPress(VK_DOWN);
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
    // Without a key, the popup's own timer closes it.
    Open(300, 200);
    ASSERT_EQ(engine->PopupCount(), 1);
    skin->SetCompressedStoredSkin(container);
    screen->AdvanceTime(50);
    EXPECT_EQ(engine->PopupCount(), 0);
    // Freed: closed at once.
    Open(300, 200);
    ASSERT_EQ(engine->PopupCount(), 1);
    delete skin;
    skin = nullptr;
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
    Poke(where);
    // The default look still opens.
    Open(300, 200);
    ASSERT_EQ(engine->PopupCount(), 1);
    EXPECT_FALSE(Level(0)->UsesSkin());
}

// ---------------------------------------------------------------- hints

TEST_F(PopupTest, HintWindowOutlivesItsHintComponentAndItsSkin) {
    Application().SetMainForm(form.get());
    LoadSkin();
    auto* serving = new TspSkinHint(form.get());
    auto* other = new TspSkinHint(form.get());
    serving->SetSkinData(skin);
    other->SetActive(false);
    screen->MoveMouse(300, 200);
    serving->ShowHintAtCursor("Hello");
    screen->AdvanceTime(Application().HintPause);
    TspSkinHintWindow& window = serving->HintWindow();
    ASSERT_TRUE(window.PopupWindowShown());
    // The skin goes: the hint is painted in the plain look.
    delete skin;
    skin = nullptr;
    window.Repaint();
    screen->ProcessPending();
    auto* w = static_cast<platform::HeadlessWindow*>(window.PlatformWindow());
    EXPECT_EQ(w->PixelAt(1, 1), ColorToRGB(clInfoBk));

    // The application's hint window, made by the skinned hints, serves `serving`.
    auto* control = new TRecordingControl(form.get());
    control->SetParent(form.get());
    control->SetBounds(10, 10, 50, 50);
    control->Hint = "Tip";
    control->SetShowHint(true);
    Application().HintMouseMessage(control, {120, 120});
    screen->AdvanceTime(Application().HintPause);
    auto* appWindow = dynamic_cast<TspSkinHintWindow*>(Application().HintWindow());
    ASSERT_NE(appWindow, nullptr);
    ASSERT_EQ(appWindow->Hint(), serving);
    ASSERT_TRUE(appWindow->PopupWindowShown());
    delete serving;  // another hint lives on: the window stays, without its component
    EXPECT_EQ(appWindow->Hint(), nullptr);
    EXPECT_FALSE(appWindow->PopupWindowShown());
    appWindow->Repaint();
    screen->AdvanceTime(3000);
    // The next hint is served by the one left.
    other->SetActive(true);
    Application().CancelHint();
    Application().HintMouseMessage(control, {121, 121});
    screen->AdvanceTime(Application().HintPause);
    appWindow = dynamic_cast<TspSkinHintWindow*>(Application().HintWindow());
    ASSERT_NE(appWindow, nullptr);
    EXPECT_EQ(appWindow->Hint(), other);
    EXPECT_TRUE(appWindow->PopupWindowShown());
    Application().CancelHint();
    Application().SetMainForm(nullptr);
}

// ---------------------------------------------------------------- tray icons

TEST_F(PopupTest, TwoTrayIconsFreedInEitherOrderLeaveAWorkingMinimiseChain) {
    Application().SetMainForm(form.get());
    for (const bool firstGoesFirst : {true, false}) {
        SCOPED_TRACE(firstGoesFirst ? "first made goes first" : "last made goes first");
        int before = 0;
        Application().OnMinimize = [&before](TComponent*) { ++before; };
        auto* first = new TspTrayIcon(form.get());
        auto* second = new TspTrayIcon(form.get());
        first->MinimizeToTray = true;
        second->MinimizeToTray = true;
        screen->ProcessPending();
        TspTrayIcon* survivor = firstGoesFirst ? second : first;
        delete (firstGoesFirst ? first : second);
        survivor->HideIcon();
        Application().Minimize();
        EXPECT_EQ(before, 1);
        // The survivor still hears of it: the application went to the tray.
        auto* icon = static_cast<platform::HeadlessTrayIcon*>(survivor->PlatformIcon());
        ASSERT_NE(icon, nullptr);
        EXPECT_TRUE(icon->Visible());
        Application().Restore();
        delete survivor;
        // The chain is the one found: only the first handler is called.
        Application().Minimize();
        EXPECT_EQ(before, 2);
        Application().Restore();
    }
    Application().OnMinimize = nullptr;
    Application().SetMainForm(nullptr);
}
