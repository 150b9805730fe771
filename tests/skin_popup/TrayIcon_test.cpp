// The tray icon on the headless notification area: tip, icon cycling, clicks, the menu,
// minimising to the tray, a restarted notification area, and the application's icon.
#include "skin/popup/TrayIcon.h"

#include <cairo.h>

#include "PopupTestSupport.h"
#include "skin/popup/SkinPopupMenu.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/ProgramIcon.h"

using platform::MouseButton;
using platform::MouseEvent;
using platform::MouseEventKind;

namespace {

class TrayTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        Application().SetMainForm(form.get());
        tray = new TspTrayIcon(form.get());
        screen->ProcessPending();
        ASSERT_EQ(screen->TrayIcons().size(), 1u);
        icon = screen->TrayIcons()[0];
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        PopupTest::TearDown();
    }
    void Mouse(MouseEventKind kind, MouseButton button, TPoint at = {1200, 1010}) {
        MouseEvent e;
        e.kind = kind;
        e.button = button;
        e.screenPos = at;
        e.pos = at;
        icon->SimulateMouse(e);
    }
    void Click(MouseButton button, TPoint at = {1200, 1010}) {
        Mouse(MouseEventKind::Down, button, at);
        Mouse(MouseEventKind::Up, button, at);
    }
    TspTrayIcon* tray = nullptr;
    platform::HeadlessTrayIcon* icon = nullptr;
};

}  // namespace

TEST_F(TrayTest, VisibleAfterConstructionWithTheTipCutTo127Characters) {
    EXPECT_TRUE(icon->Visible());
    tray->SetHint(std::string(200, 'h'));
    EXPECT_EQ(icon->Tooltip(), std::string(127, 'h'));
    // Cut by characters, never inside one.
    std::string chinese;
    for (int i = 0; i < 130; ++i) chinese += "题";
    tray->SetHint(chinese);
    EXPECT_EQ(icon->Tooltip().size(), 127u * 3);
    tray->SetShowHint(false);
    EXPECT_EQ(icon->Tooltip(), "");
    tray->SetHint("still hidden");
    EXPECT_EQ(icon->Tooltip(), "");
    tray->SetIconVisible(false);
    EXPECT_FALSE(icon->Visible());
}

TEST_F(TrayTest, CyclingShowsOneTwoZeroOneAndReportsTheNextIndex) {
    auto* list = new TImageList(form.get());
    list->SetSize(16, 16);
    const TColor colours[] = {clRed, clLime, clBlue};
    for (TColor c : colours) {
        TBitmap b(16, 16);
        b.Canvas().FillSolid(Rect(0, 0, 16, 16), c);
        list->Add(b);
    }
    std::vector<int> reported;
    tray->OnCycle = [&](TComponent*, int next) { reported.push_back(next); };
    tray->SetIconList(list);
    tray->SetAnimateTimerInterval(100);
    tray->SetCycleIcons(true);
    EXPECT_EQ(tray->IconIndex(), 0);
    EXPECT_EQ(icon->TopLeftPixel() & 0xFFFFFF, ColorToPixel(clRed));
    std::vector<uint32_t> shown;
    for (int i = 0; i < 4; ++i) {
        screen->AdvanceTime(100);
        shown.push_back(icon->TopLeftPixel() & 0xFFFFFF);
    }
    EXPECT_EQ(reported, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(shown, (std::vector<uint32_t>{ColorToPixel(clLime), ColorToPixel(clBlue),
                                            ColorToPixel(clRed), ColorToPixel(clLime)}));
    // An index beyond the list is clamped to the last icon.
    tray->SetCycleIcons(false);
    tray->SetIconIndex(7);
    EXPECT_EQ(tray->IconIndex(), 2);
}

TEST_F(TrayTest, SingleClickAfterTheDoubleClickTimeDoubleClickAlone) {
    int clicks = 0;
    int doubles = 0;
    tray->OnClick = [&](TComponent*) { ++clicks; };
    tray->OnDblClick = [&](TComponent*) { ++doubles; };
    Click(MouseButton::Left);
    screen->AdvanceTime(499);
    EXPECT_EQ(clicks, 0);
    screen->AdvanceTime(1);
    EXPECT_EQ(clicks, 1);
    // A release after the double-click time raises the click at once.
    Mouse(MouseEventKind::Down, MouseButton::Left);
    screen->AdvanceTime(600);
    EXPECT_EQ(clicks, 1);
    Mouse(MouseEventKind::Up, MouseButton::Left);
    EXPECT_EQ(clicks, 2);
    // Down, up, double click, up: only OnDblClick.
    Click(MouseButton::Left);
    Mouse(MouseEventKind::DoubleClick, MouseButton::Left);
    Mouse(MouseEventKind::Up, MouseButton::Left);
    screen->AdvanceTime(1000);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(clicks, 2);
    // Disabled: nothing.
    tray->Enabled = false;
    Click(MouseButton::Left);
    screen->AdvanceTime(1000);
    EXPECT_EQ(clicks, 2);
}

TEST_F(TrayTest, RightPressOpensTheSkinnedMenuAtTheCursorAndLeftWithPopupByLeftButton) {
    auto* popup = new TspSkinPopupMenu(form.get());
    Add(popup->Items(), "&Restore");
    Add(popup->Items(), "&Close");
    tray->SetPopupMenu(popup);
    Mouse(MouseEventKind::Down, MouseButton::Right, {400, 300});
    ASSERT_EQ(engine->PopupCount(), 1);
    EXPECT_EQ(host->opens, 1);
    EXPECT_EQ(Level(0)->BoundsRect().TopLeft(), (TPoint{400, 300}));
    EXPECT_EQ(popup->PopupComponent(), tray);
    engine->CloseAll();
    Mouse(MouseEventKind::Down, MouseButton::Left, {500, 300});
    EXPECT_EQ(engine->PopupCount(), 0);
    tray->PopupByLeftButton = true;
    Mouse(MouseEventKind::Down, MouseButton::Left, {500, 300});
    EXPECT_EQ(engine->PopupCount(), 1);
}

TEST_F(TrayTest, DoubleClickRunsTheMenusDefaultItem) {
    auto* popup = new TspSkinPopupMenu(form.get());
    std::vector<std::string> ran;
    Add(popup->Items(), "First", &ran);
    Add(popup->Items(), "Default", &ran)->Default = true;
    tray->SetPopupMenu(popup);
    Mouse(MouseEventKind::DoubleClick, MouseButton::Left);
    EXPECT_EQ(ran, (std::vector<std::string>{"Default"}));
}

TEST_F(TrayTest, MinimisingToTheTrayHidesTheAppAndRestoringShowsIt) {
    form->Show();
    tray->SetIconVisible(false);
    tray->MinimizeToTray = true;
    Application().Minimize();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(icon->Visible());
    tray->RestoreFromTray();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application().Minimized());
}

TEST_F(TrayTest, ARestartedNotificationAreaGetsTheVisibleIconAgain) {
    tray->SetHint("tip");
    icon->SetVisible(false);  // the area went away with the icon
    icon->SimulateAreaRestart();
    EXPECT_TRUE(icon->Visible());
    EXPECT_EQ(icon->Tooltip(), "tip");
    tray->SetIconVisible(false);
    icon->SimulateAreaRestart();
    EXPECT_FALSE(icon->Visible());
}

TEST_F(TrayTest, PopupMenuWithoutASkinnedFormShowsNothing) {
    TForm bare(nullptr);
    auto* popup = new TspSkinPopupMenu(&bare);
    Add(popup->Items(), "Item");
    int popups = 0;
    popup->OnPopup = [&](TComponent*) { ++popups; };
    popup->Popup(10, 10);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(popup->FindHost(), nullptr);
    EXPECT_EQ(engine->PopupCount(), 0);
}

TEST_F(TrayTest, WithoutIconsOfTheirOwnTrayIconsAndWindowsShowTheApplicationsIconWithItsAlpha) {
    // A 2 x 1 PNG: half-transparent red, then a fully transparent pixel.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
    cairo_surface_flush(surface);
    reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface))[0] =
        0x80800000u;  // premultiplied
    reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface))[1] = 0;
    cairo_surface_mark_dirty(surface);
    std::vector<uint8_t> png;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* out, const unsigned char* data, unsigned int length) {
            auto* bytes = static_cast<std::vector<uint8_t>*>(out);
            bytes->insert(bytes->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(surface);
    const TBitmap appIcon = DecodePngWithAlpha(png.data(), png.size());
    ASSERT_EQ(appIcon.Width(), 2);
    EXPECT_EQ(appIcon.ScanLine(0)[0], 0x80FF0000u);  // straight alpha
    EXPECT_EQ(appIcon.ScanLine(0)[1], 0u);
    EXPECT_TRUE(DecodePngWithAlpha(png.data(), png.size() / 2).Empty());

    form->Show();
    screen->ProcessPending();
    ASSERT_EQ(screen->Windows().size(), 1u);
    EXPECT_FALSE(screen->Windows()[0]->HasIcon());
    Application().SetIcon(appIcon);
    EXPECT_TRUE(screen->Windows()[0]->HasIcon());  // the form has no icon of its own

    new TspTrayIcon(form.get());
    screen->ProcessPending();
    ASSERT_EQ(screen->TrayIcons().size(), 2u);
    platform::HeadlessTrayIcon* second = screen->TrayIcons()[1];
    EXPECT_EQ(second->ImageSize(), (TSize{2, 1}));
    EXPECT_EQ(second->TopLeftPixel(), 0x80FF0000u);
    Application().SetIcon(TBitmap());
}
