// The emulated window states and the roll-up on the compiled-in skin: maximised bounds,
// minimised strips and their stacking, the application's main form, roll-up in both modes
// (also while maximised), the caption double click and the rules that keep the roll-up
// and the state consistent.
#include <vector>

#include "skin/data/SkinData.h"
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

constexpr TspBorderIcons kAllIcons =
    biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray;

class WindowStatesTest : public SkinFormTest {
protected:
    // A further visible skinned form at (x, y) of w x h (the main form stays the test's).
    struct Extra {
        std::unique_ptr<TForm> form;
        TspSkinForm* frame = nullptr;
    };
    Extra MakeExtra(int x, int y, int w, int h) {
        Extra e;
        e.form = std::make_unique<TForm>(nullptr);
        e.form->SetBounds(x, y, w, h);
        e.frame = new TspSkinForm(e.form.get());
        auto* skin = new TspSkinData(e.form.get());
        auto* container = new TspCompressedStoredSkin(e.form.get());
        container->SetCompressedData(DefaultSkinCompressedData());
        e.frame->SetSkinData(skin);
        skin->SetCompressedStoredSkin(container);
        e.form->Show();
        P().ProcessPending();
        return e;
    }
    void DoubleClickCaption() {
        P().DoubleClick(form->Left() + form->Width() / 2, form->Top() + 15);
        P().ProcessPending();
    }
};

TEST_F(WindowStatesTest,
       MaximisingLeavesAGapOnAFreeMonitorCoversItOnFullScreenAndRestoresTheBounds) {
    MakeForm(400, 300, true, kAllIcons);
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(skinForm->WindowState(), kSkinStateMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(1, 1, 1919, 1079));
    EXPECT_EQ(skinForm->GetRestoreBounds(), Bounds(100, 100, 400, 300));
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 1918 - 13, 1078 - 13));
    EXPECT_EQ(Object("closebutton").ObjectRect, Rect(1918 - 29, 7, 1918 - 11, 25));
    skinForm->SetWindowState(kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    EXPECT_EQ(skinForm->GetRestoreBounds(), TRect{});

    skinForm->MaximizeOnFullScreen = true;
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, 1920, 1080));
    skinForm->SetWindowState(kSkinStateNormal);

    // A panel's space reserved: exactly the work area.
    skinForm->MaximizeOnFullScreen = false;
    P().SetScreenSize({1920, 1080}, Rect(0, 32, 1920, 1080));
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(0, 32, 1920, 1080));
    // The same state again changes nothing.
    form->SetBounds(5, 40, 600, 500);
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(form->BoundsRect(), Bounds(5, 40, 600, 500));
}

TEST_F(WindowStatesTest, AMaximisedWindowNeitherMovesNorSizes) {
    MakeForm(400, 300, true, kAllIcons);
    skinForm->SetWindowState(kSkinStateMaximized);
    P().Drag(900, 15, 700, 300, 4);
    EXPECT_EQ(form->BoundsRect(), Rect(1, 1, 1919, 1079));
    EXPECT_NE(HitAt(6, 500), HTLEFT);
    EXPECT_EQ(HitAt(900, 15), HTCAPTION);
}

TEST_F(WindowStatesTest,
       MinimisedSecondaryFormsStackFromTheBottomLeftAndRowsRunOutToTheFirstPlace) {
    MakeForm(400, 300, true, kAllIcons);
    Application().SetMainForm(form.get());
    // 500 x 100 pixels of work area: two strips a row, two rows.
    P().SetScreenSize({1920, 1080}, Rect(0, 0, 500, 100));
    std::vector<Extra> extras;
    for (int i = 0; i < 5; ++i) extras.push_back(MakeExtra(300 + 10 * i, 300, 400, 300));
    const TRect expected[] = {Bounds(0, 54, 204, 46), Bounds(204, 54, 204, 46),
                              Bounds(0, 8, 204, 46), Bounds(204, 8, 204, 46),
                              Bounds(0, 54, 204, 46)};
    for (size_t i = 0; i < extras.size(); ++i) {
        SCOPED_TRACE(i);
        extras[i].frame->SetWindowState(kSkinStateMinimized);
        EXPECT_EQ(extras[i].frame->WindowState(), kSkinStateMinimized);
        EXPECT_EQ(extras[i].form->BoundsRect(), expected[i]);
        // Only the frame remains: no client area.
        EXPECT_EQ(extras[i].form->ClientHeight(), 0);
    }
    // A hidden minimised strip frees its place; the main form never takes one.
    extras[1].form->Hide();
    Extra late = MakeExtra(10, 10, 300, 300);
    late.frame->SetWindowState(kSkinStateMinimized);
    EXPECT_EQ(late.form->BoundsRect(), Bounds(204, 54, 204, 46));
    // Restored, each comes back where it was.
    extras[2].frame->SetWindowState(kSkinStateNormal);
    EXPECT_EQ(extras[2].form->BoundsRect(), Bounds(320, 300, 400, 300));
    for (auto& e : extras) e.form.reset();
    late.form.reset();
}

TEST_F(WindowStatesTest, MinimisingFromMaximisedComesBackToTheBoundsBeforeMaximising) {
    MakeForm(400, 300, true, kAllIcons);
    skinForm->SetWindowState(kSkinStateMaximized);
    skinForm->SetWindowState(kSkinStateMinimized);
    EXPECT_EQ(form->BoundsRect(), Bounds(0, 1080 - 46, 204, 46));
    EXPECT_EQ(skinForm->GetRestoreBounds(), Bounds(100, 100, 400, 300));
    // A caption double click restores a minimised sizeable window.
    DoubleClickCaption();
    EXPECT_EQ(skinForm->WindowState(), kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
}

TEST_F(WindowStatesTest, TheMainFormMinimisesTheApplicationAndKeepsItsStateAndCanDoSoAgain) {
    MakeForm(400, 300, true, kAllIcons);
    Application().SetMainForm(form.get());
    skinForm->SetWindowState(kSkinStateMinimized);
    P().ProcessPending();
    EXPECT_TRUE(Application().Minimized());
    EXPECT_TRUE(Window().Minimized());
    EXPECT_EQ(skinForm->WindowState(), kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    // The user brings it back from the taskbar: the application is no longer minimised,
    // so the next minimise works too.
    Window().Restore();
    P().ProcessPending();
    EXPECT_FALSE(Application().Minimized());
    EXPECT_FALSE(Window().Minimized());
    skinForm->SetWindowState(kSkinStateMinimized);
    P().ProcessPending();
    EXPECT_TRUE(Application().Minimized());
    EXPECT_TRUE(Window().Minimized());
    Application().Restore();
    P().ProcessPending();
}

TEST_F(WindowStatesTest, RollingUpLeaves46PixelsAndTheWidthAndRollingTwiceKeepsTheHeight) {
    MakeForm(400, 300, true, kAllIcons);
    int changes = 0;
    skinForm->OnChangeRollUpState = [&changes](TComponent*) { ++changes; };
    skinForm->SetRollUpState(true);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 46));
    EXPECT_EQ(form->ClientHeight(), 0);
    skinForm->SetRollUpState(true);
    EXPECT_EQ(changes, 1);
    skinForm->SetRollUpState(false);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    EXPECT_EQ(changes, 2);
    // Without biRollUp, and while minimised, nothing rolls.
    skinForm->SetBorderIcons(biSystemMenu);
    skinForm->SetRollUpState(true);
    EXPECT_FALSE(skinForm->GetRollUpState());
    skinForm->SetBorderIcons(kAllIcons);
    skinForm->SetWindowState(kSkinStateMinimized);
    skinForm->SetRollUpState(true);
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(changes, 2);
}

TEST_F(WindowStatesTest, ARolledUpFrameWithoutRollUpObjectsKeepsItsCaptionAndButtons) {
    MakeForm(400, 300, true, kAllIcons);
    skinForm->SetRollUpState(true);
    Settle();
    // The caption still moves the window and the close button still works.
    EXPECT_EQ(HitAt(200, 15), HTCAPTION);
    EXPECT_TRUE(skinForm->InRollState(Object("closebutton")));
    EXPECT_EQ(Object("closebutton").ObjectRect, Rect(371, 7, 389, 25));
    P().Drag(200 + 100, 100 + 15, 200 + 150, 100 + 35, 3);
    EXPECT_EQ(form->BoundsRect(), Bounds(150, 120, 400, 46));
    // The double click unrolls (no biMaximize... the rule's roll-up toggle).
    skinForm->SetBorderIcons(biSystemMenu | biRollUp);
    DoubleClickCaption();
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(form->BoundsRect(), Bounds(150, 120, 400, 300));
}

TEST_F(WindowStatesTest, RolledUpWhileMaximisedTheRestoreCommandUnrollsFirstThenRestores) {
    MakeForm(400, 300, true, kAllIcons);
    skinForm->SetWindowState(kSkinStateMaximized);
    skinForm->SetRollUpState(true);
    EXPECT_TRUE(skinForm->GetRolledUpWhileMaximized());
    EXPECT_EQ(form->BoundsRect(), Bounds(1, 1, 1918, 46));
    skinForm->RestoreWindow();
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(skinForm->WindowState(), kSkinStateMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(1, 1, 1919, 1079));
    skinForm->RestoreWindow();
    EXPECT_EQ(skinForm->WindowState(), kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    // Rolled up in the normal state, the restore command just unrolls.
    skinForm->SetRollUpState(true);
    skinForm->RestoreWindow();
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
}

TEST_F(WindowStatesTest, StateChangesNeverLeaveAFullSizeWindowMarkedRolledUp) {
    MakeForm(400, 300, true, kAllIcons);
    // Maximising a rolled-up window unrolls it first; restoring comes back unrolled.
    skinForm->SetRollUpState(true);
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(form->BoundsRect(), Rect(1, 1, 1919, 1079));
    skinForm->SetWindowState(kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    // Rolled up while maximised, then restored straight (the maximise button).
    skinForm->SetWindowState(kSkinStateMaximized);
    skinForm->SetRollUpState(true);
    skinForm->SetWindowState(kSkinStateNormal);
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_FALSE(skinForm->GetRolledUpWhileMaximized());
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    EXPECT_EQ(form->ClientHeight(), 300 - 46);
    // Rolled up while maximised, minimised, then restored.
    skinForm->SetWindowState(kSkinStateMaximized);
    skinForm->SetRollUpState(true);
    skinForm->SetWindowState(kSkinStateMinimized);
    skinForm->SetWindowState(kSkinStateNormal);
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    // Rolled up, minimised, maximised: the window comes back at its unrolled size.
    skinForm->SetRollUpState(true);
    skinForm->SetWindowState(kSkinStateMinimized);
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_FALSE(skinForm->GetRollUpState());
    skinForm->SetWindowState(kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
}

TEST_F(WindowStatesTest, CaptionDoubleClickMaximisesOnlyWithBiMaximizeElseRollsUpWhenAllowed) {
    struct Case {
        TspBorderIcons icons;
        bool sizeable;
        uint8_t state;  // after one double click
        bool rolled;
    };
    const Case cases[] = {
        {biSystemMenu, true, kSkinStateNormal, false},  // the program's: nothing visible
        {biSystemMenu | biMaximize, true, kSkinStateMaximized, false},
        {biSystemMenu | biRollUp, true, kSkinStateNormal, true},
        {biSystemMenu | biMaximize | biRollUp, true, kSkinStateMaximized, false},
        {biSystemMenu | biMaximize | biRollUp, false, kSkinStateNormal, true},
        {biSystemMenu | biMaximize, false, kSkinStateNormal, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icons * 10 + c.sizeable);
        MakeForm(400, 300, true, c.icons);
        skinForm->Sizeable = c.sizeable;
        DoubleClickCaption();
        EXPECT_EQ(skinForm->WindowState(), c.state);
        EXPECT_EQ(skinForm->GetRollUpState(), c.rolled);
        if (c.state == kSkinStateNormal && !c.rolled) {
            EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
        }
        // The second double click undoes the first.
        DoubleClickCaption();
        EXPECT_EQ(skinForm->WindowState(), kSkinStateNormal);
        EXPECT_FALSE(skinForm->GetRollUpState());
        EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
    }
}

// ---------------------------------------------------------------- client mode

class ClientRollTest : public SkinFormTest {
protected:
    // A client-mode form on the compiled-in skin given a roll-up picture (and mask).
    void MakeClientForm(const std::string& rollUpPoints) {
        const std::vector<uint8_t> bytes = ModifiedSkin([&rollUpPoints](std::string& ini) {
            ReplaceOnce(ini, "rolluppicture=\r\n", "rolluppicture=active.bmp\r\n");
            ReplaceOnce(ini, "rollupmask=\r\n", "rollupmask=buttonmask.bmp\r\n");
            ReplaceOnce(ini, "rollupleftpoint=0,0\r\nrolluprightpoint=0,0", rollUpPoints);
        });
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 250);
        skinForm = new TspSkinForm(form.get());
        skinForm->SetSupportNCArea(false);
        skinForm->SetBorderIcons(biSystemMenu | biRollUp | biMaximize);
        form->RecreateWnd();
        data = new TspSkinData(form.get());
        stored = new TspCompressedStoredSkin(form.get());
        stored->SetCompressedData(bytes);
        skinForm->SetSkinData(data);
        data->SetCompressedStoredSkin(stored);
        child = new TCustomControl(form.get());
        child->SetParent(form.get());
        child->SetBounds(20, 40, 100, 50);
        hiddenChild = new TCustomControl(form.get());
        hiddenChild->SetParent(form.get());
        hiddenChild->SetVisible(false);
        form->Show();
        Settle();
    }
    TCustomControl* child = nullptr;
    TCustomControl* hiddenChild = nullptr;
};

TEST_F(ClientRollTest, RollingUpHidesTheChildrenAndTakesTheRollUpPicturesSizeAndShape) {
    MakeClientForm("rollupleftpoint=0,0\r\nrolluprightpoint=0,0");
    ASSERT_FALSE(data->RollUpPicture.Empty());
    skinForm->SetRollUpState(true);
    ASSERT_TRUE(skinForm->GetRollUpState());
    // Not stretchable: the picture's width and height.
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 67, 75));
    EXPECT_FALSE(child->Visible());
    ASSERT_NE(form->WindowRegion(), nullptr);
    EXPECT_EQ(form->WindowRegion()->Bounds().Bottom, 23) << "the roll-up mask's shape";
    skinForm->SetRollUpState(false);
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(hiddenChild->Visible()) << "a child hidden before stays hidden";
    // The width the roll-up picture took comes back with the height.
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 250);
    ASSERT_NE(form->WindowRegion(), nullptr);
    EXPECT_GT(form->WindowRegion()->Bounds().Bottom, 200);
}

TEST_F(ClientRollTest, AStretchableRollUpPictureKeepsTheWidthAndAChildFreedWhileRolledIsForgotten) {
    MakeClientForm("rollupleftpoint=10,0\r\nrolluprightpoint=40,0");
    skinForm->SetRollUpState(true);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 300, 75));
    ASSERT_NE(form->WindowRegion(), nullptr);
    EXPECT_EQ(form->WindowRegion()->Bounds().Right, 300)
        << "the 51-pixel mask's middle tiled to the width";
    delete child;
    child = nullptr;
    skinForm->SetRollUpState(false);  // under ASan: the freed child is not touched
    EXPECT_EQ(form->Height(), 250);
}

TEST_F(SkinFormTest, ClientModeWithoutARollUpPictureDoesNotRoll) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 250);
    skinForm = new TspSkinForm(form.get());
    skinForm->SetSupportNCArea(false);
    skinForm->SetBorderIcons(biSystemMenu | biRollUp);
    data = new TspSkinData(form.get());
    stored = new TspCompressedStoredSkin(form.get());
    stored->SetCompressedData(DefaultSkinCompressedData());
    skinForm->SetSkinData(data);
    data->SetCompressedStoredSkin(stored);
    form->Show();
    int changes = 0;
    skinForm->OnChangeRollUpState = [&changes](TComponent*) { ++changes; };
    skinForm->SetRollUpState(true);
    EXPECT_FALSE(skinForm->GetRollUpState());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form->Height(), 250);
}

}  // namespace
