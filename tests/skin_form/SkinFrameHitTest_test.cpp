// Hit codes of the skinned frame at chosen points of every zone (window 400 x 300 on the
// compiled-in skin: shape edge 5 pixels in, inner mask rectangle 12,12,388,289, border
// width 3, client 13,33,387,287).
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

struct Probe {
    TPoint p;
    int code;
};

const Probe kZones[] = {
    {{7, 9}, HTTOPLEFT},
    {{392, 9}, HTTOPRIGHT},
    {{7, 290}, HTBOTTOMLEFT},
    {{392, 290}, HTBOTTOMRIGHT},
    {{200, 6}, HTTOP},
    {{200, 293}, HTBOTTOM},
    {{6, 150}, HTLEFT},
    {{393, 150}, HTRIGHT},
    {{200, 15}, HTCAPTION},
    {{50, 30}, HTSKINOBJECT},
    {{380, 15}, HTSKINOBJECT},
    {{200, 150}, HTCLIENT},
    // Inside the shape near the inner rectangle's edge, every probe still inside: no border.
    {{9, 150}, HTSKINOBJECT},
    {{200, 10}, HTCAPTION},
};

TEST_F(SkinFormTest, EveryZoneGivesItsCode) {
    MakeForm(400, 300);
    for (const Probe& z : kZones) {
        EXPECT_EQ(HitAt(z.p.X, z.p.Y), z.code) << z.p.X << "," << z.p.Y;
        EXPECT_TRUE(Window().ContainsWindowPoint(z.p)) << "probe outside the window's shape";
    }
}

TEST_F(SkinFormTest, NegativeScreenCoordinatesGiveTheSameCodes) {
    P().SetMonitors({platform::Monitor{Rect(-1280, -1024, 0, 0), Rect(-1280, -1024, 0, 0), false},
                     platform::Monitor{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1080), true}});
    MakeForm(400, 300);
    form->SetBounds(-700, -500, 400, 300);
    for (const Probe& z : kZones) EXPECT_EQ(HitAt(z.p.X, z.p.Y), z.code) << z.p.X << "," << z.p.Y;
}

TEST_F(SkinFormTest, RolledUpOrMinimisedWindowsHaveNoBorders) {
    MakeForm(400, 300, true, biSystemMenu | biRollUp);
    auto noBorderCodes = [this](const char* what) {
        for (int x = 0; x < form->Width(); x += 3) {
            for (int y = 0; y < form->Height(); y += 3) {
                const int code = HitAt(x, y);
                EXPECT_TRUE(code == HTCAPTION || code == HTSKINOBJECT)
                    << what << " " << x << "," << y << ": " << code;
            }
        }
    };
    skinForm->SetRollUpState(true);
    EXPECT_EQ(form->Height(), 46);
    noBorderCodes("rolled up");
    skinForm->SetRollUpState(false);
    EXPECT_EQ(form->Height(), 300);
    EXPECT_EQ(HitAt(6, 150), HTLEFT);
    skinForm->SetWindowState(kSkinStateMinimized);
    EXPECT_EQ(form->BoundsRect(), Bounds(0, 1080 - 46, 204, 46));
    noBorderCodes("minimised");
    skinForm->SetWindowState(kSkinStateNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
}

TEST_F(SkinFormTest, NotSizeableOrMaximisedHasNoBorders) {
    MakeForm(400, 300);
    skinForm->Sizeable = false;
    EXPECT_EQ(HitAt(6, 150), HTSKINOBJECT);
    EXPECT_EQ(HitAt(7, 9), HTSKINOBJECT);
    EXPECT_EQ(HitAt(200, 6), HTCAPTION);
    EXPECT_EQ(HitAt(200, 150), HTCLIENT);
    skinForm->Sizeable = true;
    skinForm->SetWindowState(kSkinStateMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(1, 1, 1919, 1079));
    EXPECT_EQ(HitAt(6, 500), HTSKINOBJECT);
    EXPECT_EQ(HitAt(1000, 15), HTCAPTION);
}

TEST_F(SkinFormTest, ObjectUnderThePointerMakesTheFrameAnObjectPlace) {
    MakeForm(400, 300);
    skinForm->GetMouseTimer().SetEnabled(false);
    MoveTo(380, 15);  // the close button lights
    EXPECT_EQ(skinForm->GetActiveObject(), 1);
    // Until tracking sees it leave, the frame outside caption and client is the object's.
    EXPECT_EQ(HitAt(6, 150), HTSKINOBJECT);
    EXPECT_EQ(HitAt(200, 15), HTCAPTION);
    EXPECT_EQ(HitAt(200, 150), HTCLIENT);
    MoveTo(200, 150);
    P().AdvanceTime(50);
    EXPECT_EQ(skinForm->GetActiveObject(), -1);
    EXPECT_EQ(HitAt(6, 150), HTLEFT);
}

}  // namespace
