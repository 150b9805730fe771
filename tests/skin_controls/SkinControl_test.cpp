// The skinned control base: the size each resize mode allows, the composed image pixel for
// pixel, skin rectangles at the current size, alpha blending and the move repaint, the shape
// from the mask, cursors, default sizes, and following skin changes.
#include <functional>

#include "skin/controls/SkinCustomControl.h"
#include "tests/skin_controls/SkinControlsTestSupport.h"
#include "ui/Panel.h"

namespace {

// Counts the paints of the pipeline.
class CountingControl : public TspSkinCustomControl {
public:
    using TspSkinCustomControl::TspSkinCustomControl;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TspSkinCustomControl::Paint();
    }
};

// A control section "c" over R = (10, 20, 50, 60) of the numbered picture with the given
// points and client rectangle.
std::string Section(const std::string& points, const std::string& extra = "") {
    return "[c]\npictureindex=0\nskinrect=10,20,50,60\n" + points + extra;
}
const std::string kBoth =
    "lefttoppoint=5,5\nrighttoppoint=35,5\nleftbottompoint=5,35\nrightbottompoint=35,"
    "35\nclientrect=5,5,35,35\n";
const std::string kFixed = "clientrect=0,0,40,40\n";
const std::string kHorizontal = "lefttoppoint=10,0\nrighttoppoint=30,0\nclientrect=10,0,30,40\n";
const std::string kVertical = "lefttoppoint=0,10\nleftbottompoint=0,30\nclientrect=0,10,40,30\n";

class SkinControlTest : public SkinControlsTest {
protected:
    CountingControl* MakeControl(int left, int top, int w, int h) {
        auto* c = new CountingControl(form.get());
        c->SetParent(form.get());
        c->SetSkinDataName("c");
        c->SetBounds(left, top, w, h);
        return c;
    }
};

TEST_F(SkinControlTest, EachResizeModeAllowsItsSizes) {
    struct Case {
        const std::string points;
        TSize expected;
        TSize again;  // after a second resize to 120 x 90
    };
    const Case cases[] = {
        {kFixed, {40, 40}, {40, 40}},         // the skin rectangle's size whatever is asked
        {kHorizontal, {100, 40}, {120, 40}},  // the height stays R's
        {kVertical, {40, 80}, {40, 90}},      // the width stays R's
        {kBoth, {100, 80}, {120, 90}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.points);
        LoadSkin({"c:panel"}, Section(k.points));
        CountingControl* c = MakeControl(0, 0, 60, 60);
        c->SetSkinData(data);
        c->SetBounds(0, 0, 100, 80);
        EXPECT_EQ((TSize{c->Width(), c->Height()}), k.expected);
        c->SetBounds(0, 0, 120, 90);  // and again on every resize
        EXPECT_EQ((TSize{c->Width(), c->Height()}), k.again);
        delete c;
    }
    // Without a section the requested size stands.
    CountingControl* plain = MakeControl(0, 0, 100, 80);
    plain->SetSkinDataName("none");
    plain->SetSkinData(data);
    plain->SetBounds(0, 0, 123, 45);
    EXPECT_EQ((TSize{plain->Width(), plain->Height()}), (TSize{123, 45}));
}

TEST_F(SkinControlTest, TheImageIsComposedFromTheSectionPixelForPixel) {
    LoadSkin({"c:panel"}, Section(kBoth));
    CountingControl* c = MakeControl(0, 0, 100, 80);
    c->SetSkinData(data);
    Paint();
    EXPECT_EQ(Px(0, 0), PictureWord(10, 20));  // corners stay
    EXPECT_EQ(Px(99, 0), PictureWord(49, 20));
    EXPECT_EQ(Px(0, 79), PictureWord(10, 59));
    EXPECT_EQ(Px(99, 79), PictureWord(49, 59));
    EXPECT_EQ(Px(5, 5), PictureWord(15, 25));   // the client piece tiled from NC's corner
    EXPECT_EQ(Px(35, 5), PictureWord(15, 25));  // second tile
    EXPECT_EQ(Px(36, 6), PictureWord(16, 26));
    EXPECT_EQ(Px(100, 0), 0xFFFFFFu);  // the form beside it

    // One direction: ends copied, the middle tiled.
    LoadSkin({"c:panel"}, Section(kHorizontal));
    c->ApplySkin();
    c->SetBounds(0, 0, 100, 80);
    Paint();
    EXPECT_EQ(c->Height(), 40);
    EXPECT_EQ(Px(0, 0), PictureWord(10, 20));
    EXPECT_EQ(Px(10, 0), PictureWord(20, 20));
    EXPECT_EQ(Px(30, 3), PictureWord(20, 23));  // the next middle tile
    EXPECT_EQ(Px(99, 39), PictureWord(49, 59));
    EXPECT_EQ(Px(5, 40), 0xFFFFFFu);

    // A width or height of 0 paints nothing, not even into a canvas it is handed.
    c->SetBounds(0, 0, 0, 40);
    TBitmap picture = SolidPicture(8, 8, 0x123456);
    c->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&picture.Canvas()), 0);
    EXPECT_EQ(At(picture, 0, 0), 0x123456u);
}

TEST_F(SkinControlTest, SkinRectanglesFollowTheCurrentSize) {
    LoadSkin({"c:panel"}, Section(kBoth));
    CountingControl* c = MakeControl(0, 0, 100, 80);  // dx 60, dy 40
    c->SetSkinData(data);
    EXPECT_EQ(c->MapSkinRect(Rect(1, 1, 4, 4)), Rect(1, 1, 4, 4));          // top-left zone
    EXPECT_EQ(c->MapSkinRect(Rect(36, 1, 39, 4)), Rect(96, 1, 99, 4));      // top-right
    EXPECT_EQ(c->MapSkinRect(Rect(1, 36, 4, 39)), Rect(1, 76, 4, 79));      // bottom-left
    EXPECT_EQ(c->MapSkinRect(Rect(36, 36, 39, 39)), Rect(96, 76, 99, 79));  // bottom-right
    // Spanning zones: the corners decide (inclusive tests).
    EXPECT_EQ(c->MapSkinRect(Rect(1, 1, 38, 38)), Rect(1, 1, 98, 78));
    EXPECT_EQ(c->MapSkinRect(Rect(1, 1, 38, 4)), Rect(1, 1, 98, 4));
    EXPECT_EQ(c->MapSkinRect(Rect(1, 36, 38, 39)), Rect(1, 76, 98, 79));
    EXPECT_EQ(c->MapSkinRect(Rect(1, 1, 4, 38)), Rect(1, 1, 4, 78));
    EXPECT_EQ(c->MapSkinRect(Rect(36, 1, 39, 38)), Rect(96, 1, 99, 78));
    EXPECT_EQ(c->MapSkinRect(Rect(10, 10, 20, 20)), Rect(10, 10, 20, 20));  // in no zone
    // A rectangle reaching a zone's right edge is not wholly inside it.
    EXPECT_EQ(c->MapSkinRect(Rect(0, 0, 5, 5)), Rect(0, 0, 5, 5));

    LoadSkin({"c:panel"}, Section(kHorizontal));
    c->ApplySkin();
    c->SetBounds(0, 0, 100, 40);
    EXPECT_EQ(c->MapSkinRect(Rect(5, 0, 35, 10)),
              Rect(5, 0, 95, 10));  // over the middle: stretched
    EXPECT_EQ(c->MapSkinRect(Rect(31, 0, 38, 5)), Rect(91, 0, 98, 5));  // right part: moved
    EXPECT_EQ(c->MapSkinRect(Rect(12, 0, 20, 5)), Rect(12, 0, 20, 5));  // inside the middle

    LoadSkin({"c:panel"}, Section(kVertical));
    c->ApplySkin();
    c->SetBounds(0, 0, 40, 90);
    EXPECT_EQ(c->MapSkinRect(Rect(0, 5, 10, 35)), Rect(0, 5, 10, 85));
    EXPECT_EQ(c->MapSkinRect(Rect(0, 31, 5, 38)), Rect(0, 81, 5, 88));
    EXPECT_EQ(c->MapSkinRect(Rect(0, 12, 5, 20)), Rect(0, 12, 5, 20));
}

TEST_F(SkinControlTest, AlphaBlendMixesWithWhatLiesBehindAndMovingRepaintsIt) {
    CountingControl* c = MakeControl(10, 10, 40, 40);  // default look: button face
    c->SetAlphaBlend(true);
    c->SetAlphaBlendValue(255);
    Paint();
    EXPECT_EQ(Color(20, 20), ColorToRGB(clBtnFace));
    c->SetAlphaBlendValue(0);
    Paint();
    EXPECT_EQ(Color(20, 20), clWhite);
    c->SetAlphaBlendValue(128);
    Paint();
    // 128/255 of the face (212, 208, 200) and the rest of white.
    EXPECT_EQ(Color(20, 20), RGB(233, 231, 227));

    // Moving over another background blends with that one.
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetBounds(100, 0, 100, 100);
    panel->SendToBack();
    c->SetAlphaBlendValue(0);
    c->SetLeft(120);
    Paint();
    EXPECT_EQ(Color(130, 20), clRed);

    // The move handler asks for a repaint only for a blended control.
    Paint();
    int before = c->paints;
    c->Perform(WM_MOVE, 0, MakeLParam(c->Left(), c->Top()));
    Paint();
    EXPECT_GT(c->paints, before);
    c->SetAlphaBlend(false);
    Paint();
    before = c->paints;
    c->Perform(WM_MOVE, 0, MakeLParam(c->Left(), c->Top()));
    Paint();
    EXPECT_EQ(c->paints, before);
}

TEST_F(SkinControlTest, TheMaskShapesThePaintingAndTheMouse) {
    // Mask picture 1: the left half black (inside), the right half white.
    TBitmap mask = SolidPicture(40, 40, 0xFFFFFF);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x) mask.ScanLine(y)[x] = 0;
    LoadSkin({"c:panel"}, Section(kFixed, "maskpictureindex=1\n"),
             {NumberedPicture(200, 200), mask});
    CountingControl* c = MakeControl(0, 0, 40, 40);
    c->SetSkinData(data);
    Paint();
    ASSERT_NE(c->WindowRegion(), nullptr);
    EXPECT_EQ(c->WindowRegion()->Bounds(), Rect(0, 0, 20, 40));
    EXPECT_EQ(Px(5, 5), PictureWord(15, 25));
    EXPECT_EQ(Px(30, 5), 0xFFFFFFu);  // outside the shape: the form
    EXPECT_EQ(form->ControlAtPos({5, 5}), c);
    EXPECT_EQ(form->ControlAtPos({30, 5}), form.get());

    // Four-point mode: the shape follows the size (an all-black mask covers it all).
    LoadSkin({"c:panel"}, Section(kBoth, "maskpictureindex=1\n"),
             {NumberedPicture(200, 200), SolidPicture(40, 40, 0)});
    c->ApplySkin();
    c->SetBounds(0, 0, 100, 80);
    ASSERT_NE(c->WindowRegion(), nullptr);
    EXPECT_EQ(c->WindowRegion()->Bounds(), Rect(0, 0, 100, 80));
    // A skin without the mask takes the shape away.
    LoadSkin({"c:panel"}, Section(kBoth));
    c->ApplySkin();
    EXPECT_EQ(c->WindowRegion(), nullptr);
}

TEST_F(SkinControlTest, CursorDefaultSizeAndMouseEvents) {
    LoadSkin({"c:panel"}, Section(kBoth, "cursorindex=2\n"));
    CountingControl* c = MakeControl(0, 0, 100, 80);
    c->SetUseSkinCursor(true);
    c->SetSkinData(data);
    EXPECT_EQ(c->Cursor, data->StartCursorIndex + 2);
    c->SetSkinDataName("none");
    c->ApplySkin();
    EXPECT_EQ(c->Cursor, crDefault);

    // Without a section the default size applies, at once and on every skin change.
    c->SetDefaultWidth(70);
    EXPECT_EQ(c->Width(), 70);
    c->SetDefaultHeight(30);
    c->SetBounds(0, 0, 10, 10);
    c->ApplySkin();
    EXPECT_EQ((TSize{c->Width(), c->Height()}), (TSize{70, 30}));
    c->SetSkinDataName("c");
    c->ApplySkin();
    c->SetDefaultWidth(55);  // a section is in use: the size stays
    EXPECT_EQ(c->Width(), 70);

    int enters = 0, leaves = 0;
    c->OnMouseEnter = [&](TComponent*) { ++enters; };
    c->OnMouseLeave = [&](TComponent*) { ++leaves; };
    P().MoveMouse(10, 10);
    P().MoveMouse(300, 200);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

TEST_F(SkinControlTest, TheControlFollowsSkinChangesAndFallsBackToItsDefaultLook) {
    CountingControl* c = MakeControl(0, 0, 60, 60);
    c->SetSkinData(data);  // no skin loaded yet: the default look
    Paint();
    EXPECT_EQ(Color(30, 30), ColorToRGB(clBtnFace));

    ChangeSkin([&] { LoadSkin({"c:panel"}, Section(kBoth), {SolidPicture(200, 200, 0xFF0000)}); });
    Paint();
    EXPECT_EQ(Color(30, 30), clRed);
    ChangeSkin([&] { LoadSkin({"c:panel"}, Section(kBoth), {SolidPicture(200, 200, 0x0000FF)}); });
    Paint();
    EXPECT_EQ(Color(30, 30), clBlue);

    // A skin without the section, a section of another kind, or a picture index outside
    // the list: the default look, never a crash.
    const auto noSection = [&] { LoadSkin({}, ""); };
    const auto otherKind = [&] {
        LoadSkin({"c:tab"}, "[c]\npictureindex=0\nskinrect=10,20,50,60\n");
    };
    const auto badPicture = [&] {
        LoadSkin({"c:panel"}, "[c]\npictureindex=7\nskinrect=10,20,50,60\n" + kBoth);
    };
    for (const auto& load : std::vector<std::function<void()>>{noSection, otherKind, badPicture}) {
        ChangeSkin(load);
        EXPECT_EQ((TSize{c->Width(), c->Height()}), (TSize{60, 60}));
        Paint();
        EXPECT_EQ(Color(30, 30), ColorToRGB(clBtnFace));
    }
    // DrawDefault off: nothing of the default look.
    c->SetDrawDefault(false);
    Paint();
    EXPECT_EQ(Color(30, 30), clWhite);
    // The skin data component going away leaves the default look.
    c->SetDrawDefault(true);
    ChangeSkin([&] { LoadSkin({"c:panel"}, Section(kBoth), {SolidPicture(200, 200, 0xFF0000)}); });
    delete data;
    data = nullptr;
    EXPECT_EQ(c->SkinData(), nullptr);
    Paint();
    EXPECT_EQ(Color(30, 30), ColorToRGB(clBtnFace));
}

}  // namespace
