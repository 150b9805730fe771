#include "ui/Menus.h"

#include <gtest/gtest.h>

#include "base/Messages.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"

namespace {

TMenuItem* AddItem(TMenuItem& parent, const std::string& caption, TShortCut sc = scNone) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    item->ShortCut = sc;
    parent.Add(item);
    return item;
}

}  // namespace

TEST(ShortCutText, NamesModifiersAndKeys) {
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, ssAlt)), "Alt+F4");
    EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift)), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, 0)), "F1");
    EXPECT_EQ(ShortCutToText(ShortCut('A', ssCtrl | ssShift)), "Ctrl+Shift+A");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F10, ssCtrl | ssShift | ssAlt)), "Ctrl+Shift+Alt+F10");
    // Keys without a name and no key at all give no text.
    EXPECT_EQ(ShortCutToText(ShortCut(0xBA, ssCtrl)), "");
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCut(0x1FF, ssAlt), scNone);
}

TEST(ShortCutText, RoundTripsEveryNamedKeyWithEveryModifierSet) {
    std::vector<uint16_t> keys = {VK_BACK,  VK_TAB,   VK_RETURN, VK_ESCAPE, VK_SPACE,
                                  VK_PRIOR, VK_NEXT,  VK_END,    VK_HOME,   VK_LEFT,
                                  VK_UP,    VK_RIGHT, VK_DOWN,   VK_INSERT, VK_DELETE};
    for (uint16_t k = 'A'; k <= 'Z'; ++k) keys.push_back(k);
    for (uint16_t k = '0'; k <= '9'; ++k) keys.push_back(k);
    for (uint16_t k = VK_F1; k < VK_F1 + 24; ++k) keys.push_back(k);
    int checked = 0;
    for (uint16_t key : keys)
        for (uint16_t mods : {0, 0x2000, 0x4000, 0x8000, 0x6000, 0xA000, 0xC000, 0xE000}) {
            TShortCut sc = static_cast<TShortCut>(key | mods);
            std::string text = ShortCutToText(sc);
            ASSERT_FALSE(text.empty()) << key;
            EXPECT_EQ(TextToShortCut(text), sc) << text;
            ++checked;
        }
    EXPECT_EQ(checked, static_cast<int>(keys.size()) * 8);
}

TEST(ShortCutText, ParsingIsLenientAboutCaseOrderAndBlanksButRejectsJunk) {
    EXPECT_EQ(TextToShortCut("alt+f4"), ShortCut(VK_F4, ssAlt));
    EXPECT_EQ(TextToShortCut(" Shift + ctrl + a "), ShortCut('A', ssCtrl | ssShift));
    EXPECT_EQ(TextToShortCut("Control+PGDN"), ShortCut(VK_NEXT, ssCtrl));
    EXPECT_EQ(TextToShortCut("F12"), VK_F1 + 11);
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+AB"), scNone);
    EXPECT_EQ(TextToShortCut("Meta+A"), scNone);
    EXPECT_EQ(TextToShortCut("F0"), scNone);
    EXPECT_EQ(TextToShortCut("F25"), scNone);
    EXPECT_EQ(TextToShortCut("F01"), scNone);
    EXPECT_EQ(TextToShortCut("+"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl++"), scNone);
}

TEST(Hotkeys, StripAndFindTheAccelerator) {
    EXPECT_EQ(StripHotkey("&Close"), "Close");
    EXPECT_EQ(StripHotkey("Save && &Quit"), "Save & Quit");
    EXPECT_EQ(StripHotkey("&&&&"), "&&");
    EXPECT_EQ(StripHotkey("End&"), "End");
    EXPECT_EQ(GetHotkey("Mi&nimize"), static_cast<uint32_t>('N'));
    EXPECT_EQ(GetHotkey("Save && Quit"), 0u);
    EXPECT_EQ(GetHotkey("&&&x"), static_cast<uint32_t>('X'));
    EXPECT_EQ(GetHotkey("trailing&"), 0u);
    // Of several marks the last one counts, as for drawing.
    EXPECT_EQ(GetHotkey("&a&b"), static_cast<uint32_t>('B'));
    EXPECT_EQ(StripHotkey("&a&b"), "ab");
    EXPECT_TRUE(IsAccel('c', "&Close"));
    EXPECT_FALSE(IsAccel('l', "&Close"));
    // A multi-byte accelerator stays whole.
    EXPECT_EQ(GetHotkey("关&闭"), 0x95EDu);
    EXPECT_EQ(StripHotkey("关&闭"), "关闭");
}

TEST(Hotkeys, SplitGivesTheRunsToDraw) {
    THotkeyText t = SplitHotkey("Ro&llUp && more");
    EXPECT_EQ(t.text, "RollUp & more");
    EXPECT_EQ(t.Before(), "Ro");
    EXPECT_EQ(t.Hotkey(), "l");
    EXPECT_EQ(t.After(), "lUp & more");
    THotkeyText cjk = SplitHotkey("智&力");
    EXPECT_EQ(cjk.Before(), "智");
    EXPECT_EQ(cjk.Hotkey(), "力");
    EXPECT_EQ(cjk.After(), "");
    THotkeyText none = SplitHotkey("plain");
    EXPECT_EQ(none.hotkeyOffset, -1);
    EXPECT_EQ(none.Before(), "plain");
    EXPECT_EQ(none.Hotkey(), "");
    // A '&' followed by a truncated UTF-8 sequence does not read past the end.
    THotkeyText cut = SplitHotkey(std::string("a&\xE6\x99"));
    EXPECT_EQ(cut.hotkeyLength, 2);
    EXPECT_EQ(cut.text.size(), 3u);
}

TEST(MenuItems, RadioItemsOfOneGroupExcludeEachOther) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = AddItem(menu.Items(), "A");
    TMenuItem* b = AddItem(menu.Items(), "B");
    TMenuItem* c = AddItem(menu.Items(), "C");
    TMenuItem* plain = AddItem(menu.Items(), "Plain");
    for (TMenuItem* i : {a, b}) {
        i->SetRadioItem(true);
        i->SetGroupIndex(1);
    }
    c->SetRadioItem(true);
    c->SetGroupIndex(2);
    plain->SetChecked(true);
    a->SetChecked(true);
    c->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()) << "another group is left alone";
    EXPECT_TRUE(plain->Checked()) << "non-radio items are left alone";
    // Moving a checked item into group 1 unchecks the group's current one.
    c->SetGroupIndex(1);
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(c->Checked());
    // Radio items in another parent are a different group.
    TMenuItem* sub = AddItem(*a, "Sub");
    sub->SetRadioItem(true);
    sub->SetGroupIndex(1);
    sub->SetChecked(true);
    EXPECT_TRUE(c->Checked());
    // Auto check on a radio item checks it and never unchecks it.
    a->AutoCheck = true;
    a->Click();
    a->Click();
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(c->Checked());
}

TEST(MenuItems, ClickRunsTheUpdateFirstAndDisabledItemsDoNothing) {
    TMenuItem item(nullptr);
    std::vector<std::string> calls;
    item.OnUpdate = [&](TMenuItem*) { calls.push_back("update"); };
    item.OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, &item);
        calls.push_back("click");
    };
    item.AutoCheck = true;
    item.Click();
    EXPECT_EQ(calls, (std::vector<std::string>{"update", "click"}));
    EXPECT_TRUE(item.Checked());
    item.SetEnabled(false);
    calls.clear();
    item.Click();
    EXPECT_EQ(calls, (std::vector<std::string>{"update"}));
    EXPECT_TRUE(item.Checked()) << "a disabled item does not auto-check";
    // The update may enable the item just in time.
    item.OnUpdate = [&](TMenuItem* self) { self->SetEnabled(true); };
    calls.clear();
    item.Click();
    EXPECT_EQ(calls, (std::vector<std::string>{"click"}));
}

TEST(MenuItems, SubItemListKeepsParentsAndFreesWhatItHolds) {
    TMenu menu(nullptr);
    TComponent form(nullptr);
    auto* file = new TMenuItem(&form);
    file->SetCaption("&File");
    menu.Items().Add(file);
    auto* open = new TMenuItem(&form);
    open->SetCaption("&Open");
    auto* close = new TMenuItem(&form);
    close->SetCaption("&Close");
    file->Add(close);
    file->Insert(0, open);
    EXPECT_EQ(file->IndexOf(open), 0);
    EXPECT_EQ(close->MenuIndex(), 1);
    EXPECT_EQ(close->Parent(), file);
    EXPECT_EQ(close->GetParentMenu(), &menu);
    EXPECT_EQ(file->Find("close"), close);
    EXPECT_EQ(file->Find("&OPEN"), open);
    EXPECT_EQ(file->Find("Quit"), nullptr);
    EXPECT_THROW((void)file->Items(2), EListError);
    EXPECT_THROW(close->Add(file), EMenuError) << "no cycles";
    // Moving an item to another parent takes it out of the first.
    menu.Items().Add(close);
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(close->Parent(), &menu.Items());
    close->SetMenuIndex(0);
    EXPECT_EQ(menu.Items().Items(0), close);
    // Remove keeps the item alive; Delete frees it (and it leaves its owner's list).
    menu.Items().Remove(close);
    EXPECT_EQ(close->Parent(), nullptr);
    EXPECT_EQ(close->GetParentMenu(), nullptr);
    const int owned = form.ComponentCount();
    file->Delete(0);
    EXPECT_EQ(form.ComponentCount(), owned - 1);
    EXPECT_EQ(file->Count(), 0);
    // Freeing an item owned elsewhere takes it out of its parent's list.
    auto* extra = new TMenuItem(&form);
    file->Add(extra);
    delete extra;
    EXPECT_EQ(file->Count(), 0);
    delete close;
}

TEST(Menus, ShortCutDispatchSkipsDisabledAndHiddenBranches) {
    TMainMenu menu(nullptr);
    TMenuItem* file = AddItem(menu.Items(), "&File");
    TMenuItem* hiddenSave = AddItem(*file, "&Save", TextToShortCut("Ctrl+S"));
    TMenuItem* edit = AddItem(menu.Items(), "&Edit");
    TMenuItem* save2 = AddItem(*edit, "Save &all", TextToShortCut("Ctrl+S"));
    TMenuItem* disabledParent = AddItem(menu.Items(), "&Tools");
    TMenuItem* undo = AddItem(*disabledParent, "&Undo", TextToShortCut("Ctrl+Z"));
    int hidden = 0, second = 0, undone = 0;
    hiddenSave->OnClick = [&](TComponent*) { ++hidden; };
    save2->OnClick = [&](TComponent*) { ++second; };
    undo->OnClick = [&](TComponent*) { ++undone; };
    hiddenSave->SetVisible(false);
    disabledParent->SetEnabled(false);

    EXPECT_EQ(menu.FindItem(TextToShortCut("Ctrl+S")), hiddenSave);
    EXPECT_EQ(menu.FindItem(scNone), nullptr);
    EXPECT_TRUE(menu.IsShortCut('S', ssCtrl));
    EXPECT_EQ(hidden, 0);
    EXPECT_EQ(second, 1);
    EXPECT_FALSE(menu.IsShortCut(TextToShortCut("Ctrl+Z")));
    EXPECT_EQ(undone, 0);
    EXPECT_FALSE(menu.IsShortCut('S', 0));
    EXPECT_FALSE(menu.IsShortCut(scNone));

    // A parent's update hook runs before its branch is searched and may enable it.
    disabledParent->OnUpdate = [](TMenuItem* self) { self->SetEnabled(true); };
    EXPECT_TRUE(menu.IsShortCut(TextToShortCut("Ctrl+Z")));
    EXPECT_EQ(undone, 1);
    // An item whose update disables it is not clicked and the key goes on.
    undo->OnUpdate = [](TMenuItem* self) { self->SetEnabled(false); };
    EXPECT_FALSE(menu.IsShortCut(TextToShortCut("Ctrl+Z")));
    EXPECT_EQ(undone, 1);
}

TEST(PopupMenus, PopupRunsEventsAndTheInstalledHook) {
    TPopupMenu menu(nullptr);
    TMenuItem* item = AddItem(menu.Items(), "&Close", TextToShortCut("Alt+F4"));
    std::vector<std::string> calls;
    menu.OnPopup = [&](TComponent*) { calls.push_back("popup"); };
    item->OnUpdate = [&](TMenuItem*) { calls.push_back("update"); };
    menu.Popup(10, 20);
    EXPECT_EQ(calls, (std::vector<std::string>{"popup", "update"}));
    EXPECT_EQ(menu.PopupCount(), 1);
    EXPECT_EQ(menu.LastPopupX(), 10);

    TPopupMenu* shown = nullptr;
    int shownX = 0, shownY = 0;
    auto previous = TPopupMenu::SetPopupHook([&](TPopupMenu& m, int x, int y) {
        shown = &m;
        shownX = x;
        shownY = y;
    });
    menu.Popup(300, 400);
    TPopupMenu::SetPopupHook(previous);
    EXPECT_EQ(shown, &menu);
    EXPECT_EQ(shownX, 300);
    EXPECT_EQ(shownY, 400);
}

TEST(PopupMenus, ReferencesAreDroppedWhenTheOtherComponentGoes) {
    TComponent form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* images = new TImageList(&form);
    auto* opener = new TComponent(&form);
    menu->SetImages(images);
    menu->SetPopupComponent(opener);
    delete images;
    delete opener;
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(menu->PopupComponent(), nullptr);
}

TEST(MainMenus, AFormsMainMenuAnswersKeysUntilItIsFreed) {
    auto& plat = InstallHeadlessPlatform();
    TForm form(nullptr);
    form.SetBounds(10, 10, 200, 100);
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = AddItem(menu->Items(), "&File");
    TMenuItem* save = AddItem(*file, "&Save", TextToShortCut("Ctrl+S"));
    int saves = 0;
    save->OnClick = [&](TComponent*) { ++saves; };
    form.Show();
    plat.ProcessPending();
    plat.KeyPress('S', platform::kModControl);
    EXPECT_EQ(saves, 1);
    plat.KeyPress('S', 0);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(form.IsShortCut(TextToShortCut("Ctrl+S")));
    EXPECT_EQ(saves, 2);
    // A key message handled by a control takes the keyboard's shift state at that key.
    TPopupMenu popup(nullptr);
    TMenuItem* find = AddItem(popup.Items(), "&Find", TextToShortCut("Ctrl+F"));
    int finds = 0;
    find->OnClick = [&](TComponent*) { ++finds; };
    std::vector<bool> answers;
    form.KeyPreview = true;
    form.OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        if (key == 'F') answers.push_back(popup.IsShortCut(TMessage{WM_KEYDOWN, key, 0, 0}));
        EXPECT_FALSE(popup.IsShortCut(TMessage{WM_CHAR, key, 0, 0}));
    };
    plat.KeyPress('F', platform::kModControl);
    plat.KeyPress('F', 0);
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
    EXPECT_EQ(finds, 1);
    delete menu;
    EXPECT_FALSE(form.IsShortCut(TextToShortCut("Ctrl+S"))) << "a freed menu no longer answers";
    EXPECT_EQ(saves, 2);
}
