// The web panes' context menus and script dialogs in the main window's skin, over the
// headless platform and the fake engine: the host's rules still decide what the skinned
// menu offers and what runs, the dialogs answer Enter and Escape, and without a skin the
// engine's own menus and dialogs stay.
#include "app/WebPaneSkin.h"

#include <gtest/gtest.h>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "browser/WebPaneUnit.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinButton.h"
#include "skin/form/SkinDialogForm.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuItem.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "ui/Application.h"
#include "ui/Screen.h"

using namespace platform;

namespace {

FakeWebControl* FakeOf(TWebPane* pane) {
    return static_cast<FakeWebControl*>(pane->ControlObject());
}

// The page menu WebKit offers: Back (nothing behind), Forward, Reload, and an item of its
// own the host cannot run.
WebContextMenu PageMenu() {
    WebContextMenu menu;
    menu.items.push_back({IDM_GOBACKWARD, "Back", false, false, nullptr});
    menu.items.push_back({IDM_GOFORWARD, "Forward", false, true, nullptr});
    menu.items.push_back({0, "", true, true, nullptr});
    menu.items.push_back({IDM_REFRESH, "Reload", false, true, nullptr});
    menu.items.push_back({0x8000 + 99, "Inspect", false, true, nullptr});
    return menu;
}

class WebPaneSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
        InstallFakeWebEngine();
        RegisterAppClasses();
        form = std::make_unique<TForm1>(nullptr);
        form->Show();
        target.menus[CONTEXT_MENU_DEFAULT] = PageMenu();
        target.unsupported = {0x8000 + 99};
    }
    void TearDown() override {
        form.reset();
        WebPaneUnit::Finalize();
    }

    TspSkinMenu& Engine() { return form->spSkinForm1->PopupMenuEngine(); }
    HResult RightClick(TWebPane* pane) {
        return pane->ShowContextMenu(CONTEXT_MENU_DEFAULT, {300, 300}, &target, nullptr);
    }
    // The captions of the open root popup, "(off)" after a disabled one.
    std::vector<std::string> Shown() {
        std::vector<std::string> out;
        if (TspSkinPopupWindow* root = Engine().PopupWindow(0))
            for (const auto& item : root->Items())
                out.push_back(item->MenuItem->Caption() +
                              (item->MenuItem->Enabled() ? "" : "(off)"));
        return out;
    }

    static TspSkinDialogForm* OpenDialog() {
        for (int i = 0; i < Screen().FormCount(); ++i)
            if (auto* d = dynamic_cast<TspSkinDialogForm*>(Screen().Forms(i))) return d;
        return nullptr;
    }

    HeadlessPlatform* headless = nullptr;
    std::unique_ptr<TForm1> form;
    FakeCommandTarget target;
};

TEST_F(WebPaneSkinTest, TheStandardMenuOpensSkinnedAndReloadRunsThroughTheCommandTarget) {
    ASSERT_EQ(RightClick(form->ContentWB), kS_OK);
    ASSERT_EQ(Engine().PopupCount(), 1);
    EXPECT_TRUE(Engine().PopupWindow(0)->UsesSkinItems());  // the skin's MENUITEM look
    // Disabled stays disabled; what the host cannot run and the encoding item are left out.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Back(off)", "Forward", "-", "Reload"}));
    EXPECT_TRUE(target.trackedMenus.empty());  // the engine's own menu is not asked for
    headless->KeyPress(VK_UP);                 // from Forward, wrapping past Back to Reload
    headless->KeyPress(VK_RETURN);
    EXPECT_EQ(Engine().PopupCount(), 0);
    EXPECT_EQ(target.sentCommands, std::vector<uint32_t>{IDM_REFRESH});
}

TEST_F(WebPaneSkinTest, TheHostsFilterAndDisabledItemsShapeTheSkinnedMenu) {
    FakeOf(form->ContentWB)->EncodingMenu.items.push_back({0x9000, "UTF-8", false, true, nullptr});
    form->ContentWB->DisabledPopupMenuItems = SetOf(rcsForward);
    std::vector<uint32_t> filtered;
    form->ContentWB->OnFilterPopupMenu = [&](uint32_t id, WebContextMenu*, WebObject*) {
        filtered.push_back(id);
    };
    target.menus[CONTEXT_MENU_DEFAULT].items.push_back({0, "", true, true, nullptr});
    target.menus[CONTEXT_MENU_DEFAULT].items.push_back(
        {IDM_LANGUAGE, "Encoding", false, true, nullptr});
    ASSERT_EQ(RightClick(form->ContentWB), kS_OK);
    EXPECT_EQ(filtered, std::vector<uint32_t>{CONTEXT_MENU_DEFAULT});
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Back(off)", "-", "Reload", "-", "Encoding"}));
    TspSkinPopupWindow* root = Engine().PopupWindow(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Items().back()->MenuItem->Count(), 1);  // the encoding submenu
    Engine().CloseAll();

    form->ContentWB->DisabledPopupMenus = SetOf(rcmAll);
    EXPECT_EQ(RightClick(form->ContentWB), kS_OK);
    EXPECT_EQ(Engine().PopupCount(), 0);
}

TEST_F(WebPaneSkinTest, AStandardMenuOfOnlyEngineCommandsStaysTheEngines) {
    target.menus[CONTEXT_MENU_DEFAULT].items = {{0x8000 + 99, "Inspect", false, true, nullptr}};
    EXPECT_EQ(RightClick(form->ContentWB), kS_FALSE);
    EXPECT_EQ(Engine().PopupCount(), 0);
}

TEST_F(WebPaneSkinTest, AChoiceAfterThePaneIsGoneRunsNothing) {
    ASSERT_EQ(RightClick(form->NavWB), kS_OK);
    ASSERT_EQ(Engine().PopupCount(), 1);
    delete form->NavWB;
    headless->KeyPress(VK_RETURN);  // Forward, highlighted on opening
    EXPECT_TRUE(target.sentCommands.empty());
}

TEST_F(WebPaneSkinTest, ScriptDialogsAreSkinnedWindowsAnsweredByEnterAndEscape) {
    FakeWebControl* fake = FakeOf(form->ContentWB);
    FakeScriptDialog& alert = fake->RaiseScriptDialog(WebDialogKind::Alert, "Hello from the page");
    ASSERT_NE(alert.face, nullptr);
    HeadlessWindow* window = headless->FindWindow("Message from webpage");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    auto* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->SkinForm()->SkinData(), form->spSkinData1);  // the pane's form's skin
    ASSERT_EQ(dialog->Buttons().size(), 1u);
    EXPECT_TRUE(dialog->Buttons()[0]->HasSection());
    EXPECT_EQ(dialog->Buttons()[0]->Caption(), "OK");
    headless->KeyPress(VK_RETURN);
    EXPECT_TRUE(alert.answered);
    EXPECT_TRUE(alert.accepted);
    EXPECT_FALSE(window->Visible());

    FakeScriptDialog& confirm = fake->RaiseScriptDialog(WebDialogKind::Confirm, "Sure?");
    ASSERT_NE(confirm.face, nullptr);
    headless->KeyPress(VK_ESCAPE);
    EXPECT_TRUE(confirm.answered);
    EXPECT_FALSE(confirm.accepted);

    FakeScriptDialog& prompt = fake->RaiseScriptDialog(WebDialogKind::Prompt, "Name?", "ab");
    ASSERT_NE(prompt.face, nullptr);
    headless->Type("cd");
    headless->KeyPress(VK_BACK);
    headless->KeyPress(VK_RETURN);
    EXPECT_TRUE(prompt.accepted);
    EXPECT_EQ(prompt.text, "abc");

    FakeScriptDialog& cancelled = fake->RaiseScriptDialog(WebDialogKind::Prompt, "Name?", "ab");
    headless->KeyPress(VK_ESCAPE);
    EXPECT_TRUE(cancelled.answered);
    EXPECT_FALSE(cancelled.accepted);
    EXPECT_EQ(cancelled.text, "");

    // A dialog still open when the window goes (the skin data goes with it) is freed with
    // the pane's control.
    ASSERT_NE(fake->RaiseScriptDialog(WebDialogKind::LeavePage, "Leave?").face, nullptr);
    form.reset();
}

TEST_F(WebPaneSkinTest, TheHostsShowMessageStillComesFirst) {
    form->ContentWB->OnShowMessage = [](void*, const WideString&, const WideString&, uint32_t,
                                        const WideString&, uint32_t, int32_t& result) {
        result = IDOK;
        return kS_OK;
    };
    FakeScriptDialog& confirm =
        FakeOf(form->ContentWB)->RaiseScriptDialog(WebDialogKind::Confirm, "?");
    EXPECT_TRUE(confirm.answeredByHostMessage);
    EXPECT_TRUE(confirm.accepted);
    EXPECT_EQ(confirm.face, nullptr);
}

// A pane on a form without a skinned form: the presenter declines, the engine's own show.
TEST(WebPaneSkinWithoutSkin, MenusAndDialogsKeepTheEnginesPlainLook) {
    InstallHeadlessPlatform().SetScreenSize({1280, 1024});
    InstallFakeWebEngine();
    RegisterAppClasses();
    auto form = std::make_unique<TForm>(nullptr);
    form->CreateFromDescription(
        "object F: TForm\n  object Pane: TWebPane\n    Width = 200\n    Height = 100\n  "
        "end\nend\n");
    auto* skin = new TWebPaneSkin(form.get());
    skin->Attach(*form);
    auto* pane = dynamic_cast<TWebPane*>(form->FindComponent("Pane"));
    ASSERT_NE(pane, nullptr);
    ASSERT_EQ(pane->Presenter(), skin);
    FakeCommandTarget target;
    target.menus[CONTEXT_MENU_DEFAULT] = PageMenu();
    EXPECT_EQ(pane->ShowContextMenu(CONTEXT_MENU_DEFAULT, {10, 10}, &target, nullptr), kS_FALSE);
    EXPECT_EQ(skin->Menu()->Items().Count(), 0);
    FakeScriptDialog& alert = FakeOf(pane)->RaiseScriptDialog(WebDialogKind::Alert, "plain");
    EXPECT_EQ(alert.face, nullptr);
    delete skin;  // the pane forgets a presenter that goes
    EXPECT_EQ(pane->Presenter(), nullptr);
    form.reset();
    WebPaneUnit::Finalize();
}

}  // namespace
