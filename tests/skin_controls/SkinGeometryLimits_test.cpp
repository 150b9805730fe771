// Control sections whose numbers reach 2^31 - 1: read clamped to the skin coordinate range,
// so the skinned controls load, size, shape and paint from them without overflowing (the
// sanitizer build checks the arithmetic).
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "tests/skin_controls/SkinControlsTestSupport.h"

namespace {

const std::string kMax = "2147483647";
const std::string kMaxRect = kMax + "," + kMax + "," + kMax + "," + kMax;

// A section of the given name where every rectangle, point and offset holds 2^31 - 1,
// except those given in `keep`.
std::string MaxedSection(const std::string& name, const std::string& keep = "") {
    std::string s = "[" + name + "]\npictureindex=0\nmaskpictureindex=1\n" + keep;
    for (const char* key : {"skinrect",
                            "clientrect",
                            "lefttoppoint",
                            "righttoppoint",
                            "leftbottompoint",
                            "rightbottompoint",
                            "captionrect",
                            "checkimagerect",
                            "uncheckimagerect",
                            "rollhskinrect",
                            "rollvskinrect",
                            "rollvcaptionrect",
                            "rollhcaptionrect",
                            "closebuttonrect",
                            "closebuttonactiverect",
                            "closebuttondownrect",
                            "hrollbuttonrect",
                            "hrollbuttonactiverect",
                            "hrollbuttondownrect",
                            "hrestorebuttonrect",
                            "vrollbuttonrect",
                            "vrestorebuttonrect",
                            "tabrect",
                            "activetabrect",
                            "focustabrect",
                            "mouseintabrect",
                            "tabsbgrect",
                            "upbuttonrect",
                            "activeupbuttonrect",
                            "downupbuttonrect",
                            "downbuttonrect",
                            "activedownbuttonrect",
                            "downdownbuttonrect"}) {
        if (keep.find(std::string(key) + "=") == std::string::npos)
            s += std::string(key) + "=" + kMaxRect + "\n";
    }
    for (const char* key : {"rollleftoffset", "rollrightoffset", "rolltopoffset",
                            "rollbottomoffset", "tableftoffset", "tabrightoffset", "fontheight"}) {
        s += std::string(key) + "=" + kMax + "\n";
    }
    return s + "fontname=Liberation Sans\nbgpictureindex=0\n";
}

class SkinGeometryLimitsTest : public SkinControlsTest {
protected:
    void LoadMaxed(const std::string& keep = "") {
        const std::string sections = MaxedSection("panel", keep) + MaxedSection("expanel", keep) +
                                     MaxedSection("hupdown", keep) + MaxedSection("tab", keep);
        LoadSkin({"panel:panel", "expanel:expanel", "hupdown:updown", "tab:tab"}, sections,
                 {NumberedPicture(200, 200), SolidPicture(200, 200, 0)});
    }
    // Makes one of each skinned control, sizes and paints them, resizes and paints again.
    void MakeAndPaintControls() {
        auto* panel = new TspSkinPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 150, 100);
        panel->SetSkinData(data);
        auto* ex = new TspSkinExPanel(form.get());
        ex->SetParent(form.get());
        ex->SetBounds(160, 0, 150, 100);
        ex->SetSkinData(data);
        auto* updown = new TspSkinUpDown(form.get());
        updown->SetParent(form.get());
        updown->SetBounds(0, 110, 40, 20);
        updown->SetSkinData(data);
        auto* pc = new TspSkinPageControl(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(0, 140, 300, 150);
        auto* sheet = new TspSkinTabSheet(form.get());
        sheet->SetCaption("Sheet");
        sheet->SetPageControl(pc);
        pc->SetSkinData(data);
        Paint();
        for (TControl* c : std::vector<TControl*>{panel, ex, updown, pc}) {
            c->SetBounds(c->Left(), c->Top(), c->Width() + 37, c->Height() + 11);
            EXPECT_LE(c->Width(), kMaxSkinCoordinate + 37);
        }
        form->Invalidate();
        Paint();
        ex->SetRollState(true);
        panel->SetRollUpMode(true);
        panel->SetRollUpState(true);
        Paint();
    }
};

TEST_F(SkinGeometryLimitsTest, ValuesOfTwoToTheThirtyFirstAreReadClampedToTheCoordinateRange) {
    LoadMaxed();
    ASSERT_FALSE(data->SkinEmpty);
    ASSERT_EQ(data->ControlDefs.size(), 4u);
    const auto* panel = dynamic_cast<const TspDataSkinPanelControl*>(data->ControlDefs[0].get());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->SkinRect,
              Rect(kMaxSkinCoordinate, kMaxSkinCoordinate, kMaxSkinCoordinate, kMaxSkinCoordinate));
    EXPECT_EQ(panel->RBPoint, (TPoint{kMaxSkinCoordinate, kMaxSkinCoordinate}));
    EXPECT_EQ(panel->CaptionRect.Right, kMaxSkinCoordinate);
    EXPECT_EQ(panel->FontDef.Height, kMaxSkinFontHeight);
    const auto* ex = dynamic_cast<const TspDataSkinExPanelControl*>(data->ControlDefs[1].get());
    ASSERT_NE(ex, nullptr);
    EXPECT_EQ(ex->RollLeftOffset, kMaxSkinCoordinate);
    const auto* tab = dynamic_cast<const TspDataSkinTabControl*>(data->ControlDefs[3].get());
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->TabRightOffset, kMaxSkinCoordinate);
    // Offsets below the range are clamped too (integers may be negative).
    LoadSkin({"expanel:expanel"},
             "[expanel]\npictureindex=0\nrolltopoffset=-2147483648\nskinrect=0,0,10,10\n"
             "rollhskinrect=0,0,10," +
                 kMax + "\nfontheight=-2147483648\n");
    const auto* low = dynamic_cast<const TspDataSkinExPanelControl*>(data->ControlDefs[0].get());
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(low->RollTopOffset, -kMaxSkinCoordinate);
    EXPECT_EQ(low->FontDef.Height, -kMaxSkinFontHeight);
    // A rectangle that sizes the control must lie inside its picture (200 x 200 here):
    // one reaching past it is read as absent.
    EXPECT_EQ(low->SkinRect, Rect(0, 0, 10, 10));
    EXPECT_EQ(low->RollHSkinRect, TRect{});
}

TEST_F(SkinGeometryLimitsTest, ControlsPaintFromSectionsHoldingTwoToTheThirtyFirst) {
    LoadMaxed();
    MakeAndPaintControls();
}

TEST_F(SkinGeometryLimitsTest, ControlsPaintFromAHugeSkinRectangleWithSmallPoints) {
    // A four-point element whose rectangle reaches far past its picture, and one whose
    // corner points and client area lie beyond the control.
    LoadMaxed("skinrect=0,0," + kMax + "," + kMax + "\nlefttoppoint=5,5\nrighttoppoint=35,5\n" +
              "leftbottompoint=5,35\nrightbottompoint=35,35\nclientrect=5,5,35,35\n");
    MakeAndPaintControls();
    LoadMaxed("skinrect=10,20,50,60\n");
    MakeAndPaintControls();
}

}  // namespace
