// The notification area round trip through the tray icon, the fade-in and the alpha
// blending of the window, and the hints of the frame's objects.
#include "skin/popup/SkinHint.h"
#include "skin/popup/SkinHintWindow.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"
#include "tests/skin_form/SkinFormTestSupport.h"
#include "ui/Menus.h"

namespace {

class TrayCommandsTest : public SkinFormTest {
protected:
    void SetUp() override {
        SkinFormTest::SetUp();
        MakeForm(400, 300, true, biSystemMenu | biMinimize | biMinimizeToTray);
        Application().SetMainForm(form.get());
        tray = new TspTrayIcon(form.get());
        P().ProcessPending();
        ASSERT_EQ(P().TrayIcons().size(), 1u);
        icon = P().TrayIcons()[0];
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        SkinFormTest::TearDown();
    }
    void DoubleClickIcon() {
        platform::MouseEvent e;
        e.kind = platform::MouseEventKind::DoubleClick;
        e.button = platform::MouseButton::Left;
        e.screenPos = e.pos = {1200, 1010};
        icon->SimulateMouse(e);
        P().ProcessPending();
    }
    TspTrayIcon* tray = nullptr;
    platform::HeadlessTrayIcon* icon = nullptr;
};

TEST_F(TrayCommandsTest, WithoutATrayIconTheTrayCommandsDoNothing) {
    int events = 0;
    skinForm->OnMinimizeToTray = [&events](TComponent*) { ++events; };
    skinForm->MinimizeToTray();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application().Minimized());
    EXPECT_EQ(events, 0);
}

TEST_F(TrayCommandsTest, MinimisingToTheTrayHidesTheWindowAndADoubleClickOnTheIconBringsItBack) {
    skinForm->SetTrayIcon(tray);
    EXPECT_FALSE(tray->IconVisible()) << "shown only while the window is in the tray";
    ASSERT_EQ(tray->PopupMenu(), skinForm->TrayPopupMenu());
    int toTray = 0, fromTray = 0;
    skinForm->OnMinimizeToTray = [&toTray](TComponent*) { ++toTray; };
    skinForm->OnRestoreFromTray = [&fromTray](TComponent*) { ++fromTray; };

    // The tray button of the frame (enabled by biMinimizeToTray) runs the command.
    auto& button = Object("traybutton");
    EXPECT_TRUE(button.Enabled);
    skinForm->MinimizeToTray();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(icon->Visible());
    EXPECT_TRUE(tray->MinimizeToTray);
    EXPECT_EQ(toTray, 1);

    DoubleClickIcon();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application().Minimized());
    EXPECT_FALSE(icon->Visible());
    EXPECT_FALSE(tray->MinimizeToTray);
    EXPECT_EQ(fromTray, 1);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));

    // The same round trip through the minimise command with AlwaysMinimizeToTray, back by
    // the tray menu's "&Restore"; AlwaysShowInTray keeps the icon.
    skinForm->AlwaysMinimizeToTray = true;
    skinForm->AlwaysShowInTray = true;
    TMenuItem& min = *skinForm->WindowMenuItems().Items(0);
    ASSERT_EQ(min.Name(), "SF_MINITEM");
    min.Click();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(toTray, 2);
    TMenuItem& trayItems = skinForm->TrayPopupMenu()->Items();
    ASSERT_EQ(trayItems.Count(), 3);
    EXPECT_EQ(trayItems.Items(0)->Name(), "TRAY_SF_RESTORE");
    EXPECT_TRUE(trayItems.Items(1)->IsLine());
    EXPECT_EQ(trayItems.Items(2)->Name(), "TRAY_SF_CLOSE");
    EXPECT_EQ(trayItems.Items(2)->ShortCutText(), "Alt+F4");
    trayItems.Items(0)->Click();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(icon->Visible());
    EXPECT_EQ(fromTray, 2);
}

TEST_F(TrayCommandsTest, ATrayIconWithItsOwnMenuAndDoubleClickKeepsThem) {
    auto* own = new TspSkinPopupMenu(form.get());
    tray->SetPopupMenu(own);
    int doubles = 0;
    tray->OnDblClick = [&doubles](TComponent*) { ++doubles; };
    skinForm->SetTrayIcon(tray);
    EXPECT_EQ(tray->PopupMenu(), own);
    DoubleClickIcon();
    EXPECT_EQ(doubles, 1);
    // Without a menu of its own it gets the form's; the double click it had stays.
    auto* bare = new TspTrayIcon(form.get());
    bare->OnDblClick = [&doubles](TComponent*) { doubles += 10; };
    skinForm->SetTrayIcon(bare);
    EXPECT_EQ(bare->PopupMenu(), skinForm->TrayPopupMenu());
    EXPECT_EQ(tray->PopupMenu(), own);
    // Taken away again, it gives the form's menu back; freed, the form forgets it.
    skinForm->SetTrayIcon(nullptr);
    EXPECT_EQ(bare->PopupMenu(), nullptr);
    skinForm->SetTrayIcon(bare);
    delete bare;
    EXPECT_EQ(skinForm->TrayIcon(), nullptr);
    skinForm->MinimizeToTray();
    EXPECT_TRUE(form->Visible());
}

// ---------------------------------------------------------------- alpha blending

class FadeTest : public SkinFormTest {
protected:
    void ShowNow() {
        form->Show();
        P().ProcessPending();
    }
    [[nodiscard]] const std::vector<uint8_t>& Calls() { return Window().OpacityCalls(); }
};

TEST_F(FadeTest, AnimationWithoutAlphaBlendEndsOpaqueAndNoLongerLayered) {
    MakeForm(400, 300, true, biSystemMenu, false);
    skinForm->AlphaBlendAnimation = true;
    ShowNow();
    ASSERT_FALSE(Calls().empty());
    EXPECT_EQ(Calls().front(), 0);
    EXPECT_TRUE(skinForm->Layered());
    P().AdvanceTime(1);
    std::vector<uint8_t> steps(Calls().begin() + 1, Calls().end());
    ASSERT_GE(steps.size(), 51u);
    for (int i = 0; i < 51; ++i) EXPECT_EQ(steps[static_cast<size_t>(i)], 5 * (i + 1)) << i;
    EXPECT_EQ(Window().Opacity(), 255);
    EXPECT_FALSE(skinForm->Layered());
    // The timer fired once.
    const size_t n = Calls().size();
    P().AdvanceTime(100);
    EXPECT_EQ(Calls().size(), n);
}

TEST_F(FadeTest, AlphaBlendFadesToItsValueAndStaysLayered) {
    MakeForm(400, 300, true, biSystemMenu, false);
    skinForm->SetAlphaBlendValue(200);
    skinForm->SetAlphaBlend(true);  // no window yet: applied when shown
    ShowNow();
    P().AdvanceTime(1);
    EXPECT_EQ(Calls(), (std::vector<uint8_t>{0, 200}));
    EXPECT_TRUE(skinForm->Layered());
    // Changing the value changes the window's alpha; switching off makes it opaque.
    skinForm->SetAlphaBlendValue(120);
    EXPECT_EQ(Window().Opacity(), 120);
    skinForm->SetAlphaBlend(false);
    EXPECT_EQ(Window().Opacity(), 255);
    EXPECT_FALSE(skinForm->Layered());
    // With the animation the steps stop at the value.
    skinForm->SetAlphaBlend(true);
    skinForm->AlphaBlendAnimation = true;
    form->Hide();
    EXPECT_FALSE(skinForm->Layered()) << "hiding drops the layered state";
    const size_t before = Calls().size();
    ShowNow();
    P().AdvanceTime(1);
    const std::vector<uint8_t> fade(Calls().begin() + static_cast<long>(before), Calls().end());
    ASSERT_GE(fade.size(), 3u);
    EXPECT_EQ(fade.front(), 0);
    EXPECT_EQ(fade[1], 5);
    EXPECT_EQ(fade.back(), 120);
    EXPECT_EQ(fade.size(), 1u + 24u);
    EXPECT_TRUE(skinForm->Layered());
}

TEST_F(FadeTest, WithoutACompositingScreenThereIsNoFadeButTheSetterStillWorks) {
    P().SetCompositing(false);
    MakeForm(400, 300, true, biSystemMenu, false);
    skinForm->AlphaBlendAnimation = true;
    skinForm->SetAlphaBlend(true);
    ShowNow();
    P().AdvanceTime(10);
    EXPECT_TRUE(Calls().empty());
    skinForm->SetAlphaBlend(false);
    skinForm->SetAlphaBlend(true);
    EXPECT_EQ(Window().Opacity(), 200);
    EXPECT_TRUE(skinForm->Layered());
}

// ---------------------------------------------------------------- object hints

TEST_F(SkinFormTest, AnObjectsHintShowsThroughTheSkinnedHintAndGoesWhenThePointerLeaves) {
    MakeForm(400, 300);
    Application().SetMainForm(form.get());
    auto* hint = new TspSkinHint(form.get());
    hint->SetSkinData(data);
    skinForm->SetSkinHint(hint);
    skinForm->ShowObjectHint = true;
    const TRect close = Object("closebutton").ObjectRect;
    skinForm->GetMouseTimer().SetEnabled(false);
    MoveTo(close.Left + 5, close.Top + 5);
    EXPECT_TRUE(hint->HintPending());
    P().AdvanceTime(static_cast<uint64_t>(Application().HintPause));
    ASSERT_TRUE(hint->HintWindow().PopupWindowShown());
    EXPECT_EQ(hint->HintWindow().Caption(), "Close");
    MoveTo(200, 150);
    P().AdvanceTime(50);
    EXPECT_FALSE(hint->HintWindow().PopupWindowShown());
    // Without ShowObjectHint nothing shows.
    skinForm->ShowObjectHint = false;
    MoveTo(close.Left + 5, close.Top + 5);
    P().AdvanceTime(1000);
    EXPECT_FALSE(hint->HintWindow().PopupWindowShown());
    Application().SetMainForm(nullptr);
}

}  // namespace
