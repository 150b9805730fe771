// Moving a skinned window: magnetic snapping during the framework's move loop and during
// the client-mode drag, and dragging by the client area with DraggAble.
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

class WindowMovingTest : public SkinFormTest {
protected:
    // Drags the caption so that the window's top-left would end at (x, y).
    void DragCaptionTo(int x, int y) {
        const int gx = form->Left() + 200, gy = form->Top() + 15;
        P().Drag(gx, gy, gx + x - form->Left(), gy + y - form->Top(), 4);
        P().ProcessPending();
    }
};

TEST_F(WindowMovingTest, AMagneticWindowSnapsToAnEdgeNineAwayButNotTen) {
    MakeForm(400, 300);
    skinForm->Magnetic = true;
    DragCaptionTo(9, 500);
    EXPECT_EQ(form->BoundsRect(), Bounds(0, 500, 400, 300));
    DragCaptionTo(10, 500);
    EXPECT_EQ(form->BoundsRect(), Bounds(10, 500, 400, 300));
    DragCaptionTo(700, -9);
    EXPECT_EQ(form->BoundsRect(), Bounds(700, 0, 400, 300));
    // The far edges: right and bottom of the work area.
    DragCaptionTo(1920 - 400 - 9, 1080 - 300 + 9);
    EXPECT_EQ(form->BoundsRect(), Bounds(1520, 780, 400, 300));
    // A smaller MagneticSize, and the work area (not the screen) attracts.
    skinForm->MagneticSize = 5;
    DragCaptionTo(6, 500);
    EXPECT_EQ(form->Left(), 6);
    P().SetScreenSize({1920, 1080}, Rect(0, 40, 1920, 1080));
    DragCaptionTo(300, 44);
    EXPECT_EQ(form->Top(), 40);
    // Without Magnetic nothing snaps.
    skinForm->Magnetic = false;
    DragCaptionTo(3, 500);
    EXPECT_EQ(form->Left(), 3);
}

TEST_F(SkinFormTest, ClientModeDraggingSnapsAndDraggAbleMovesByTheClientArea) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 250);
    skinForm = new TspSkinForm(form.get());
    skinForm->SetSupportNCArea(false);
    skinForm->SetBorderIcons(biSystemMenu);
    skinForm->Magnetic = true;
    form->RecreateWnd();
    data = new TspSkinData(form.get());
    stored = new TspCompressedStoredSkin(form.get());
    stored->SetCompressedData(DefaultSkinCompressedData());
    skinForm->SetSkinData(data);
    data->SetCompressedStoredSkin(stored);
    form->Show();
    Settle();
    // By the caption to Left = 8: snapped to 0 on the timer step.
    P().MoveMouse(100 + 150, 100 + 15);
    P().PressButton();
    P().MoveMouse(8 + 150, 200 + 15);
    P().AdvanceTime(50);
    EXPECT_EQ(form->BoundsRect(), Bounds(0, 200, 300, 250));
    EXPECT_TRUE(skinForm->IsDragging());
    P().ReleaseButton();
    EXPECT_FALSE(skinForm->IsDragging());
    // The client area does not drag without DraggAble, and does with it.
    P().MoveMouse(150, 350);
    P().PressButton();
    P().MoveMouse(250, 400);
    P().AdvanceTime(50);
    P().ReleaseButton();
    EXPECT_EQ(form->BoundsRect(), Bounds(0, 200, 300, 250));
    skinForm->DraggAble = true;
    P().MoveMouse(150, 350);
    P().PressButton();
    P().MoveMouse(250, 400);
    P().AdvanceTime(50);
    P().ReleaseButton();
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 250, 300, 250));
    // Activation ends a drag.
    P().MoveMouse(200, 400);
    P().PressButton();
    form->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
    P().MoveMouse(300, 500);
    P().AdvanceTime(100);
    P().ReleaseButton();
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 250, 300, 250));
}

}  // namespace
