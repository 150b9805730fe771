// The keyboard main-menu mode through the product's own main menus: a menu bar control and
// the main-menu items the frame draws. A lone Alt enters the mode, Alt with an accelerator
// opens that item, Left and Right go to the open menu while it has a submenu to open or
// close and walk the main menu otherwise, Enter runs an item, and the owner's short-cut
// check is skipped once after the menu took a key.
#include <string>
#include <vector>

#include "base/AsciiText.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuItem.h"
#include "skin/popup/SkinPopupWindow.h"
#include "tests/skin_form/SkinFormTestSupport.h"
#include "ui/Menus.h"

namespace {

class KeyboardMenusTest : public SkinFormTest {
protected:
    void TearDown() override {
        SkinFormTest::TearDown();
        Application().OnMessage = nullptr;
    }
    // "&File" { "&New window" { "&Panels", "Pa&ges" }, "E&xit", "&Keep" (Ctrl+K) },
    // "&View" { "&Zoom" }, "&Help" { "&About" }. Owned by a plain component of the form, so
    // the skinned frame alone answers for its short cuts.
    void MakeMenu() {
        auto* holder = new TComponent(form.get());
        menu = new TMainMenu(holder);
        file = Add(menu->Items(), "&File");
        newWindow = Add(*file, "&New window");
        Add(*newWindow, "&Panels", &panels);
        Add(*newWindow, "Pa&ges");
        Add(*file, "E&xit");
        Add(*file, "&Keep", &keeps)->ShortCut = ShortCut('K', ssCtrl);
        Add(*Add(menu->Items(), "&View"), "&Zoom");
        Add(*Add(menu->Items(), "&Help"), "&About");
    }
    TMenuItem* Add(TMenuItem& parent, const std::string& caption, int* clicks = nullptr) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        if (clicks) item->OnClick = [clicks](TComponent*) { ++*clicks; };
        parent.Add(item);
        return item;
    }
    // The main menu on a menu bar control (compiled-in skin).
    void MakeBarForm() {
        MakeForm(640, 480, true, biSystemMenu, false);
        MakeMenu();
        bar = new TspSkinMainMenuBar(form.get());
        bar->SetParent(form.get());
        bar->SetSkinData(data);
        bar->SetSkinForm(skinForm);
        bar->SetMainMenu(menu);
        skinForm->SetMainMenuBar(bar);
        form->Show();
        Settle();
    }
    // The main menu drawn by the frame: the gallery skin with a main-menu area.
    void MakeFrameForm() {
        MakeForm(700, 430, false, biSystemMenu, false);
        MakeMenu();
        skinForm->SetMainMenu(menu);
        static const std::vector<uint8_t> bytes = ModifiedSkin(
            [](std::string& ini) {
                ReplaceOnce(ini, "mainmenurect=0,0,0,0", "mainmenurect=16,8,400,28");
            },
            {}, "gallery");
        stored->SetCompressedData(bytes);
        data->SetCompressedStoredSkin(stored);
        form->Show();
        Settle();
        ASSERT_NE(FrameItem("&File"), nullptr);
        ASSERT_TRUE(FrameItem("&Help")->Visible);
    }
    TspSkinMainMenuItem* FrameItem(const std::string& caption) {
        for (int i = 0; i < skinForm->ObjectCount(); ++i) {
            TspActiveSkinObject* o = skinForm->Objects(i);
            if (o->Kind() != TspObjectKind::MainMenuItem) continue;
            auto* item = static_cast<TspSkinMainMenuItem*>(o);
            if (item->MenuItem && item->MenuItem->Caption() == caption) return item;
        }
        return nullptr;
    }
    TspSkinMenu& Engine() { return skinForm->PopupMenuEngine(); }
    int Levels() { return Engine().MenuOpen() ? Engine().PopupCount() : 0; }
    // The menu item whose sub-items the popup of `level` shows.
    const TMenuItem* Shows(int level) {
        TspSkinPopupWindow* popup = Engine().PopupWindow(level);
        if (!popup || popup->Items().empty()) return nullptr;
        return popup->Items().front()->MenuItem->Parent();
    }
    // Which main-menu item the keyboard mode highlights: the bar's, or the frame's.
    std::string Highlighted() {
        if (bar) {
            const int i = bar->ActiveObject();
            if (i < 0) return "";
            return static_cast<TspSkinMainMenuBarItem*>(bar->Objects(i))->MenuItem->Caption();
        }
        std::string out;
        for (const char* caption : {"&File", "&View", "&Help"}) {
            if (FrameItem(caption)->KeyboardHighlight) out += caption;
        }
        return out;
    }
    void Key(uint16_t key) { P().KeyPress(key); }
    void AltKey(uint16_t letter) {
        P().KeyPress(letter, platform::kModAlt, LowerAscii(static_cast<char>(letter)));
    }

    // Right into a submenu and Left out of it; then Right on an entry without a submenu
    // and Left in the top-level menu move along the main menu.
    void SubmenuKeysComeFirst() {
        Key(VK_MENU);
        ASSERT_TRUE(skinForm->KeyboardMenuMode());
        Key(VK_RETURN);
        ASSERT_EQ(Levels(), 1);
        EXPECT_EQ(Shows(0), file);
        ASSERT_EQ(Engine().PopupWindow(0)->ActiveIndex(), 0);  // "&New window"
        Key(VK_RIGHT);
        EXPECT_EQ(Levels(), 2) << "Right did not open the entry's submenu";
        EXPECT_EQ(Shows(1), newWindow);
        EXPECT_EQ(Highlighted(), "&File");
        Key(VK_LEFT);
        EXPECT_EQ(Levels(), 1) << "Left did not close the submenu";
        EXPECT_EQ(Shows(0), file);
        EXPECT_EQ(Highlighted(), "&File");
        Key(VK_DOWN);  // "E&xit": no submenu
        Key(VK_RIGHT);
        EXPECT_EQ(Highlighted(), "&View");
        ASSERT_EQ(Levels(), 1);
        EXPECT_EQ(Shows(0), menu->Items().Items(1));
        Key(VK_LEFT);  // the top-level menu: back along the main menu
        EXPECT_EQ(Highlighted(), "&File");
        EXPECT_EQ(Shows(0), file);
        EXPECT_TRUE(skinForm->KeyboardMenuMode());
        // Enter in the submenu runs its entry; the menu and the mode end.
        Key(VK_RIGHT);
        ASSERT_EQ(Levels(), 2);
        Key(VK_RETURN);
        Settle();
        EXPECT_EQ(panels, 1);
        EXPECT_EQ(Levels(), 0);
        EXPECT_FALSE(skinForm->KeyboardMenuMode());
        EXPECT_EQ(Highlighted(), "");
    }

    // Alt+F enters the mode with "&File" open; Esc closes it and keeps the mode.
    void AltLetterOpensItsItem() {
        int enters = 0;
        skinForm->OnMainMenuEnter = [&enters](TComponent*) { ++enters; };
        AltKey('H');
        EXPECT_TRUE(skinForm->KeyboardMenuMode());
        EXPECT_EQ(Highlighted(), "&Help");
        ASSERT_EQ(Levels(), 1);
        EXPECT_EQ(Shows(0), menu->Items().Items(2));
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
        Settle();
        ASSERT_FALSE(skinForm->KeyboardMenuMode());
        AltKey('F');
        EXPECT_TRUE(skinForm->KeyboardMenuMode());
        EXPECT_EQ(enters, 2);
        EXPECT_EQ(Highlighted(), "&File");
        ASSERT_EQ(Levels(), 1);
        EXPECT_EQ(Shows(0), file);
        Key(VK_ESCAPE);
        Settle();
        EXPECT_EQ(Levels(), 0);
        EXPECT_TRUE(skinForm->KeyboardMenuMode());
        EXPECT_EQ(Highlighted(), "&File");
        // Alt with a letter that is nobody's accelerator enters no mode.
        Key(VK_ESCAPE);
        AltKey('Q');
        EXPECT_FALSE(skinForm->KeyboardMenuMode());
        EXPECT_EQ(Levels(), 0);
    }

    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* newWindow = nullptr;
    TspSkinMainMenuBar* bar = nullptr;
    int panels = 0, keeps = 0;
};

TEST_F(KeyboardMenusTest, OnTheBarSubmenuKeysComeBeforeTheBarMoves) {
    MakeBarForm();
    SubmenuKeysComeFirst();
}

TEST_F(KeyboardMenusTest, OnTheFrameItemsSubmenuKeysComeBeforeTheHighlightMoves) {
    MakeFrameForm();
    SubmenuKeysComeFirst();
    // The items that had their menus open came up again.
    for (const char* caption : {"&File", "&View", "&Help"}) EXPECT_FALSE(FrameItem(caption)->Down);
}

TEST_F(KeyboardMenusTest, AltLetterOpensTheBarsItem) {
    MakeBarForm();
    AltLetterOpensItsItem();
}

TEST_F(KeyboardMenusTest, AltLetterOpensTheFramesItem) {
    MakeFrameForm();
    AltLetterOpensItsItem();
    EXPECT_FALSE(FrameItem("&File")->Down);
}

TEST_F(KeyboardMenusTest, TheShortCutCheckAfterAKeyTheMenuTookIsSkippedOnce) {
    MakeBarForm();
    const uint32_t ctrlK = ShortCut('K', ssCtrl);
    EXPECT_TRUE(form->IsShortCut(ctrlK)) << "the frame answers for the main menu's short cuts";
    EXPECT_EQ(keeps, 1);
    Key(VK_MENU);
    Key(VK_RIGHT);  // the menu takes it
    EXPECT_EQ(Highlighted(), "&View");
    EXPECT_FALSE(form->IsShortCut(ctrlK));
    EXPECT_EQ(keeps, 1);
    EXPECT_TRUE(form->IsShortCut(ctrlK)) << "skipped more than once";
    EXPECT_EQ(keeps, 2);
    // Alt+F right after a key the menu took is skipped too; the next one opens "&File".
    Key(VK_LEFT);
    Key(VK_RIGHT);
    AltKey('F');
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(Highlighted(), "&View");
    AltKey('F');
    EXPECT_EQ(Highlighted(), "&File");
    EXPECT_EQ(Levels(), 1);
    // Once the menus and the mode are gone, no short cut is skipped.
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    Settle();
    ASSERT_FALSE(skinForm->KeyboardMenuMode());
    P().KeyPress('K', platform::kModControl);
    EXPECT_EQ(keeps, 3);
}

// ---------------------------------------------------------------- the mode on the frame

TEST_F(KeyboardMenusTest, ALoneAltWithoutAMainMenuEntersNoModeAndHoldsNoKeysBack) {
    MakeForm(400, 300);
    std::vector<uint32_t> keys;
    auto previous = form->WindowProc;
    form->WindowProc = [&keys, previous](TMessage& m) {
        if (m.Msg == WM_KEYDOWN) keys.push_back(static_cast<uint32_t>(m.WParam));
        previous(m);
    };
    int enters = 0;
    skinForm->OnMainMenuEnter = [&enters](TComponent*) { ++enters; };
    Key(VK_MENU);
    P().ProcessPending();
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    EXPECT_EQ(enters, 0);
    P().KeyPress('A', 0, 'a');
    EXPECT_EQ(keys, (std::vector<uint32_t>{'A'}));
}

TEST_F(KeyboardMenusTest, AFrameMenuWithNoUsableItemStartsNoMode) {
    MakeFrameForm();
    for (int i = 0; i < menu->Items().Count(); ++i) menu->Items().Items(i)->SetEnabled(false);
    skinForm->SetMainMenu(menu);  // the items are made again, all disabled
    Settle();
    Key(VK_MENU);
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    AltKey('F');
    EXPECT_EQ(Levels(), 0);
}

TEST_F(KeyboardMenusTest, KeyboardModeHoldsKeysBackAndEscAltOrAClickLeavesIt) {
    MakeFrameForm();
    int enters = 0, exits = 0;
    skinForm->OnMainMenuEnter = [&enters](TComponent*) { ++enters; };
    skinForm->OnMainMenuExit = [&exits](TComponent*) { ++exits; };
    std::vector<uint32_t> formKeys;
    auto previous = form->WindowProc;
    form->WindowProc = [&formKeys, previous](TMessage& m) {
        if (m.Msg == WM_KEYDOWN) formKeys.push_back(static_cast<uint32_t>(m.WParam));
        previous(m);
    };
    Key(VK_MENU);
    ASSERT_TRUE(skinForm->KeyboardMenuMode());
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(Highlighted(), "&File");
    EXPECT_TRUE(FrameItem("&File")->Active);
    Key(VK_LEFT);  // wraps to the last item
    EXPECT_EQ(Highlighted(), "&Help");
    EXPECT_FALSE(FrameItem("&File")->Active);
    P().KeyPress('Q', 0, 'q');
    EXPECT_TRUE(formKeys.empty()) << "the mode holds the keys back from the window";
    Key(VK_ESCAPE);
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(Highlighted(), "");
    P().KeyPress('Z', 0, 'z');
    EXPECT_EQ(formKeys, (std::vector<uint32_t>{'Z'}));
    // Alt again leaves it too.
    Key(VK_MENU);
    ASSERT_TRUE(skinForm->KeyboardMenuMode());
    Key(VK_MENU);
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    EXPECT_EQ(exits, 2);
    // A click on the frame ends the mode.
    Key(VK_MENU);
    ASSERT_TRUE(skinForm->KeyboardMenuMode());
    P().Click(form->Left() + 200, form->Top() + 150);
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage));
}

TEST_F(KeyboardMenusTest, AFrameItemComesUpWhenItsMenuClosesAndOpensAgain) {
    MakeFrameForm();
    TspSkinMainMenuItem& item = *FrameItem("&View");
    const TPoint p = item.ObjectRect.TopLeft();
    item.MouseDown(p.X, p.Y, mbLeft);
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(item.Down);
    Engine().CloseAll();
    Settle();
    EXPECT_FALSE(item.Down);
    item.MouseDown(p.X, p.Y, mbLeft);
    EXPECT_EQ(Levels(), 1) << "a second press opened nothing";
}

TEST_F(KeyboardMenusTest, ANewSkinEndsTheModeOfTheFramesItems) {
    MakeFrameForm();
    Key(VK_MENU);
    Key(VK_RETURN);
    ASSERT_EQ(Levels(), 1);
    // The items go with the skin; the mode that walked them ends, the menu with it.
    skinForm->SetSkinData(nullptr);
    Settle();
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
    EXPECT_EQ(Levels(), 0);
    Key(VK_MENU);
    EXPECT_FALSE(skinForm->KeyboardMenuMode());
}

}  // namespace
