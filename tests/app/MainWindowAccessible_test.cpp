// The main window as assistive technology reads it through the headless backend: the frame
// named by its caption, the caption buttons from the skin with their states, the two tabs
// and the panels; actions and the accessible selection run what a click would, and the
// keyboard moves between the tabs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "browser/WebPaneUnit.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinPageControl.h"
#include "ui/Application.h"

using namespace platform;

namespace {

const AccessibleNode* FindRole(const AccessibleNode& node, AccessibleRole role) {
    if (node.role == role) return &node;
    for (const AccessibleNode& c : node.children)
        if (const AccessibleNode* found = FindRole(c, role)) return found;
    return nullptr;
}

class MainWindowAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
        InstallFakeWebEngine();
        RegisterAppClasses();
        Application().Initialize();
        form = std::make_unique<TForm1>(nullptr, TForm1Unread{});
        form->CreateFromDescription(MainFormDescription());
        Application().SetMainForm(form.get());
        form->Show();
        headless->ProcessPending();
        form->Update();
        headless->ProcessPending();
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        form.reset();
        WebPaneUnit::Finalize();
    }
    HeadlessWindow& Window() { return *static_cast<HeadlessWindow*>(form->PlatformWindow()); }
    const AccessibleNode& Tree() { return Window().AccessibleTree(); }
    const AccessibleNode& Find(AccessibleRole role, const std::string& name) {
        const AccessibleNode* node = Tree().FindByName(role, name);
        if (!node) throw std::runtime_error("no node " + name);
        return *node;
    }
    const AccessibleNode& Tabs() {
        const AccessibleNode* list = FindRole(Tree(), AccessibleRole::PageTabList);
        if (!list) throw std::runtime_error("no page tab list");
        return *list;
    }

    HeadlessPlatform* headless = nullptr;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindowAccessibleTest, TheTreeNamesTheFrameButtonsTabsAndPanels) {
    const AccessibleNode& root = Tree();
    EXPECT_EQ(root.role, AccessibleRole::Frame);
    EXPECT_EQ(root.name, "Puzzlebin V1.0.0");
    EXPECT_TRUE(root.Has(kAccActive));
    // The skin's caption buttons come first; the frame allows the window menu alone, so
    // only Close and the window menu can be used.
    const AccessibleNode& close = Find(AccessibleRole::PushButton, "Close");
    EXPECT_FALSE(close.Has(kAccDisabled) || close.Has(kAccHidden));
    EXPECT_EQ(close.accelerator, "Alt+F4");
    EXPECT_EQ(close.ActionIndex("click"), 0);
    EXPECT_FALSE(IsRectEmpty(close.bounds));
    EXPECT_TRUE(Find(AccessibleRole::PushButton, "Minimize").Has(kAccDisabled));
    EXPECT_TRUE(Find(AccessibleRole::PushButton, "Maximize").Has(kAccDisabled));

    const AccessibleNode& tabs = Tabs();
    ASSERT_EQ(tabs.children.size(), 2u);
    EXPECT_EQ(tabs.children[0].role, AccessibleRole::PageTab);
    EXPECT_EQ(tabs.children[0].name, "题在首页");
    EXPECT_EQ(tabs.children[1].name, "作者网站");
    EXPECT_TRUE(tabs.children[0].Has(kAccSelected));
    EXPECT_FALSE(tabs.children[1].Has(kAccSelected));
    EXPECT_TRUE(tabs.Has(kAccFocusable));
    // The shown tab holds its page: the expanding panel named by its caption, the label.
    EXPECT_EQ(Find(AccessibleRole::Panel, "智力导航").role, AccessibleRole::Panel);
    EXPECT_NE(Tree().FindByName(AccessibleRole::Label, "欢迎推荐智力题，请联系QQ：20240817"),
              nullptr);
    // Panels that show no caption have no name; the web panes publish their own objects.
    EXPECT_EQ(Tree().FindByName(AccessibleRole::Panel, "LeftPanel"), nullptr);
    EXPECT_EQ(Tree().Find(Tree().id + "/LeftPanel/LeftPC/spSkinTabSheet1/spSkinExPanel1/NavWB"),
              nullptr);
    // Ids stay the same when the tree is built again.
    const std::string id = tabs.children[1].id;
    form->Invalidate();
    form->Update();
    EXPECT_EQ(Tabs().children[1].id, id);
}

TEST_F(MainWindowAccessibleTest, SelectingTheSecondTabShowsItAndRaisesTheChange) {
    Window().RecordAccessibleChanges();
    const std::string list = Tabs().id;
    const std::string second = Tabs().children[1].id;
    ASSERT_TRUE(Window().SelectAccessibleChild(list, 1));
    headless->ProcessPending();
    form->Update();
    EXPECT_EQ(form->LeftPC->ActivePageIndex(), 1);
    EXPECT_TRUE(Tabs().children[1].Has(kAccSelected));
    bool raised = false;
    for (const AccessibleChange& c : Window().AccessibleChanges())
        raised |= c.kind == AccessibleChangeKind::StateChanged && c.id == second &&
                  (c.statesOn & kAccSelected);
    EXPECT_TRUE(raised);
    // The page tab's own action selects as well; an index outside the list selects nothing.
    EXPECT_TRUE(Window().DoAccessibleAction(AccessibleRole::PageTab, "题在首页"));
    EXPECT_EQ(form->LeftPC->ActivePageIndex(), 0);
    EXPECT_FALSE(Window().SelectAccessibleChild(list, 2));
}

TEST_F(MainWindowAccessibleTest, CtrlTabAndCtrlPageKeysMoveBetweenTheTabs) {
    // The tabs are reached with the Tab key.
    for (int i = 0; i < 8 && !form->LeftPC->Focused(); ++i) headless->KeyPress(VK_TAB);
    ASSERT_TRUE(form->LeftPC->Focused());
    headless->ProcessPending();
    EXPECT_TRUE(Tabs().Has(kAccFocused));
    headless->KeyPress(VK_NEXT, kModControl);
    EXPECT_EQ(form->LeftPC->ActivePageIndex(), 1);
    headless->KeyPress(VK_PRIOR, kModControl);
    EXPECT_EQ(form->LeftPC->ActivePageIndex(), 0);
    headless->KeyPress(VK_TAB, kModControl);
    EXPECT_EQ(form->LeftPC->ActivePageIndex(), 1);
    // Shift with Page Down is no page short cut.
    headless->KeyPress(VK_NEXT, kModControl | kModShift);
    EXPECT_EQ(form->LeftPC->ActivePageIndex(), 1);
}

TEST_F(MainWindowAccessibleTest, CloseClosesTheProgramAndDisabledButtonsDoNothing) {
    EXPECT_TRUE(Window().DoAccessibleAction(AccessibleRole::PushButton, "Minimize"));
    headless->ProcessPending();
    EXPECT_FALSE(Window().Minimized());
    EXPECT_FALSE(Application().Terminated());
    EXPECT_FALSE(Window().DoAccessibleAction(AccessibleRole::PushButton, "Close", "press"));
    EXPECT_TRUE(Window().DoAccessibleAction(AccessibleRole::PushButton, "Close"));
    headless->ProcessPending();
    EXPECT_TRUE(Application().Terminated());
}

}  // namespace
