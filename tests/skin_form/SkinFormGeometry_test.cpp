// Frame geometry on the compiled-in skin (main picture and mask 204 x 200, client
// rectangle 13,33,191,187, buttons row 133,7,193,26 with 2 pixels between buttons).
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

TEST_F(SkinFormTest, BordersAre13_33_13_13AtEverySize) {
    for (const TSize size :
         {TSize{204, 46}, TSize{204, 200}, TSize{400, 300}, TSize{803, 537}, TSize{1920, 1080}}) {
        MakeForm(size.cx, size.cy);
        EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, size.cx - 13, size.cy - 13))
            << size.cx << "x" << size.cy;
        EXPECT_EQ(skinForm->ClRect(), Rect(13, 33, size.cx - 13, size.cy - 13));
    }
}

TEST_F(SkinFormTest, NonClientSizeIsNeverNegative) {
    MakeForm(300, 200);
    TRect r = Rect(0, 0, 20, 10);
    form->Perform(WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&r));
    EXPECT_EQ(r, Rect(13, 33, 13, 33));
    // The default frame likewise.
    MakeForm(300, 200, false);
    r = Rect(0, 0, 4, 4);
    form->Perform(WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&r));
    EXPECT_EQ(r, Rect(3, 22, 3, 22));
    r = Rect(0, 0, 300, 200);
    form->Perform(WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&r));
    EXPECT_EQ(r, Rect(3, 22, 297, 197));
}

TEST_F(SkinFormTest, MinimumSizeIsThePictureWidthAndTheFrameHeight) {
    MakeForm(400, 300);
    EXPECT_EQ(skinForm->GetMinWidth(), 204);
    EXPECT_EQ(skinForm->GetMinHeight(), 46);
    TMinMaxInfo mmi{};
    form->Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSizeX, 204);
    EXPECT_EQ(mmi.ptMinTrackSizeY, 46);
    EXPECT_EQ(mmi.ptMaxTrackSizeX, 1920);
    EXPECT_EQ(mmi.ptMaxTrackSizeY, 1080);
    // MinWidth below the picture width changes nothing; above it, it holds.
    skinForm->MinWidth = 150;
    EXPECT_EQ(skinForm->GetMinWidth(), 204);
    skinForm->MinWidth = 300;
    skinForm->MinHeight = 100;
    EXPECT_EQ(skinForm->GetMinWidth(), 300);
    EXPECT_EQ(skinForm->GetMinHeight(), 100);
    // A window made smaller than the minimum while a skin arrives grows to it.
    MakeForm(100, 20);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 204, 46));
}

TEST_F(SkinFormTest, DefaultFrameMinimumIs130x25) {
    MakeForm(300, 200, false);
    EXPECT_EQ(skinForm->GetMinWidth(), 130);
    EXPECT_EQ(skinForm->GetMinHeight(), 25);
    // Dragging the bottom-right corner far inward stops there.
    P().Drag(100 + 299, 100 + 199, 0, 0, 3);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 130, 25));
    form->SetBorderStyle(bsToolWindow);
    EXPECT_EQ(skinForm->GetMinHeight(), 21);
}

TEST_F(SkinFormTest, ClientModeMinimumComesFromThePicture) {
    form = std::make_unique<TForm>(nullptr);
    skinForm = new TspSkinForm(form.get());
    skinForm->SetSupportNCArea(false);
    EXPECT_EQ(skinForm->GetMinWidth(), 0);
    EXPECT_EQ(skinForm->GetMinHeight(), 0);
    data = new TspSkinData(form.get());
    stored = new TspCompressedStoredSkin(form.get());
    stored->SetCompressedData(DefaultSkinCompressedData());
    skinForm->SetSkinData(data);
    data->SetCompressedStoredSkin(stored);
    EXPECT_EQ(skinForm->GetMinWidth(), 204);
    EXPECT_EQ(skinForm->GetMinHeight(), 200);
    skinForm->MinWidth = 150;
    skinForm->MinHeight = 300;
    EXPECT_EQ(skinForm->GetMinWidth(), 150);
    EXPECT_EQ(skinForm->GetMinHeight(), 200);
}

TEST_F(SkinFormTest, CloseButtonFollowsTheRightEdge) {
    for (const int w : {204, 250, 400, 803, 1920}) {
        MakeForm(w, 300);
        EXPECT_EQ(Object("closebutton").ObjectRect, Rect(w - 29, 7, w - 11, 25)) << w;
    }
}

TEST_F(SkinFormTest, ActivePictureButtonsFormARowOthersKeepTheirFramePlaces) {
    const TspBorderIcons all = biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray;
    for (const int w : {204, 500}) {
        MakeForm(w, 300, true, all);
        EXPECT_EQ(Object("closebutton").ObjectRect, Rect(w - 29, 7, w - 11, 25));
        EXPECT_EQ(Object("maxbutton").ObjectRect, Rect(w - 49, 7, w - 31, 25));
        EXPECT_EQ(Object("minbutton").ObjectRect, Rect(w - 69, 7, w - 51, 25));
        // Painted into the frame picture, in its top-left corner: never moved.
        EXPECT_EQ(Object("rollupbutton").ObjectRect, Rect(36, 8, 54, 26));
        EXPECT_EQ(Object("sysmenubutton").ObjectRect, Rect(14, 8, 32, 26));
        EXPECT_EQ(Object("traybutton").ObjectRect, Rect(56, 8, 74, 26));
    }
}

TEST_F(SkinFormTest, AtThePictureSizeEveryPointIsTheSkins) {
    MakeForm(204, 200);
    EXPECT_EQ(skinForm->ClRect(), data->clientrect);
    EXPECT_EQ(skinForm->MaskRectArea(), data->maskrectarea);
    EXPECT_EQ(Object("caption1").ObjectRect,
              data->ObjectDefs[static_cast<size_t>(data->GetObjectDefIndex("caption1"))]->SkinRect);
    // The corner rule moves nothing.
    for (const TRect r : {Rect(3, 3, 30, 30), Rect(150, 4, 190, 20), Rect(2, 190, 10, 199),
                          Rect(10, 10, 195, 195)}) {
        EXPECT_EQ(skinForm->CalcObjectRect(r), r);
    }
}

TEST_F(SkinFormTest, CornerRuleMovesRectanglesByTheirCorners) {
    // dx = 196, dy = 100. Corner areas: LT (0,0,98,37), RT (106,0,204,34),
    // LB (0,182,17,200), RB (191,182,204,200).
    MakeForm(400, 300);
    struct Case {
        TRect in, out;
    };
    const Case cases[] = {
        {Rect(3, 3, 30, 30), Rect(3, 3, 30, 30)},              // in LT
        {Rect(150, 4, 190, 20), Rect(346, 4, 386, 20)},        // in RT
        {Rect(2, 185, 10, 195), Rect(2, 285, 10, 295)},        // in LB
        {Rect(192, 185, 200, 195), Rect(388, 285, 396, 295)},  // in RB
        {Rect(10, 10, 195, 195), Rect(10, 10, 391, 295)},      // LT to RB: grows both ways
        {Rect(77, 4, 128, 28), Rect(77, 4, 324, 28)},          // LT to RT: grows right
        {Rect(5, 185, 195, 195), Rect(5, 285, 391, 295)},      // LB to RB: grows right, moves down
        {Rect(5, 20, 15, 190), Rect(5, 20, 15, 290)},          // LT to LB: grows down
        {Rect(150, 20, 195, 190), Rect(346, 20, 391, 290)},    // RT to RB: moves right, grows down
        {Rect(100, 100, 150, 150), Rect(100, 100, 150, 150)},  // middle: unchanged
        // A rectangle reaching the area's right edge is not in it (right edges exclusive).
        {Rect(90, 3, 98, 30), Rect(90, 3, 98, 30)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skinForm->CalcObjectRect(c.in), c.out)
            << c.in.Left << "," << c.in.Top << "," << c.in.Right << "," << c.in.Bottom;
    }
}

TEST_F(SkinFormTest, ButtonsRowInTheLeftHalfDoesNotFollowTheRightEdge) {
    // A row in the left half of the picture stays; buttons placed left to right from it.
    const std::vector<uint8_t> skin = ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "buttonsrect=133,7,193,26", "buttonsrect=80,7,140,26");
        ReplaceOnce(ini, "buttonsinleft=0", "buttonsinleft=1");
    });
    MakeForm(400, 300, true, biSystemMenu | biMinimize | biMaximize);
    stored->SetCompressedData(skin);
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    EXPECT_EQ(Object("closebutton").ObjectRect, Rect(80, 7, 98, 25));
    EXPECT_EQ(Object("maxbutton").ObjectRect, Rect(100, 7, 118, 25));
    EXPECT_EQ(Object("minbutton").ObjectRect, Rect(120, 7, 138, 25));
}

}  // namespace
