// Client mode: children the skin places on its areas ([SKINAREAS]) follow the frame; one
// freed after the skin load is never touched again, while the frame keeps painting and
// answering hit tests.
#include "SkinFormTestSupport.h"
#include "skin/data/SkinnedControl.h"

namespace {

// A control the skin places on the area it names.
class TSlotControl : public TCustomControl, public ISkinnedControl {
public:
    TSlotControl(TComponent* owner, std::string area)
        : TCustomControl(owner), area_(std::move(area)) {}
    TspSkinData* SkinData() const override { return nullptr; }
    void ResetSkinIndex() override {}
    void ApplySkin() override {}
    std::string AreaName() const override { return area_; }

private:
    std::string area_;
};

}  // namespace

TEST_F(SkinFormTest, ClientModeChildFreedAfterTheSkinLoadIsNotPlacedAgain) {
    const std::vector<uint8_t> withAreas = ModifiedSkin([](std::string& ini) {
        ini += "\r\n[SKINAREAS]\r\ncount=2\r\n0=left:20,40,60,60\r\n1=right:100,40,150,70\r\n";
    });
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 204, 200);
    skinForm = new TspSkinForm(form.get());
    skinForm->SetSupportNCArea(false);
    form->RecreateWnd();
    auto* left = new TSlotControl(form.get(), "left");
    auto* right = new TSlotControl(form.get(), "right");
    left->SetParent(form.get());
    right->SetParent(form.get());
    data = new TspSkinData(form.get());
    stored = new TspCompressedStoredSkin(form.get());
    stored->SetCompressedData(withAreas);
    skinForm->SetSkinData(data);
    data->SetCompressedStoredSkin(stored);
    form->Show();
    Settle();
    ASSERT_TRUE(skinForm->SkinSupport());
    EXPECT_EQ(left->BoundsRect(), Rect(20, 40, 60, 60));
    ASSERT_EQ(right->BoundsRect(), Rect(100, 40, 150, 70));

    delete left;
    // Resized (the frame lays the children out again), hidden and shown, hovered.
    form->SetBounds(100, 100, 300, 260);
    Settle();
    form->Hide();
    P().ProcessPending();
    form->Show();
    Settle();
    MoveTo(30, 50);
    P().AdvanceTime(100);
    EXPECT_EQ(right->Parent(), form.get());
    EXPECT_EQ(right->BoundsRect(), skinForm->CalcObjectRect(Rect(100, 40, 150, 70)));
    // The frame still paints its picture and answers hit tests.
    EXPECT_EQ(Pixel(2, 2), data->MainPicture.GetPixel(2, 2));
    EXPECT_EQ(HitAt(150, 130), HTCLIENT);
    EXPECT_EQ(HitAt(3, 130), HTLEFT);
    // A child that left the form is not pulled back onto the area.
    TForm other(nullptr);
    right->SetParent(&other);
    form->SetBounds(100, 100, 204, 200);
    Settle();
    EXPECT_EQ(right->Parent(), &other);
    right->SetParent(nullptr);
}

TEST_F(SkinFormTest, ClientModeSkinFreedWhileShownLeavesNoObjectDrawingFromIt) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 204, 200);
    skinForm = new TspSkinForm(form.get());
    skinForm->SetSupportNCArea(false);
    skinForm->SetBorderIcons(biSystemMenu | biMinimize);
    form->RecreateWnd();
    data = new TspSkinData(form.get());
    stored = new TspCompressedStoredSkin(form.get());
    stored->SetCompressedData(DefaultSkinCompressedData());
    skinForm->SetSkinData(data);
    data->SetCompressedStoredSkin(stored);
    form->Show();
    Settle();
    ASSERT_NE(skinForm->FindObject("closebutton"), nullptr);
    delete data;
    data = nullptr;
    EXPECT_FALSE(skinForm->SkinSupport());
    EXPECT_EQ(skinForm->FindObject("closebutton"), nullptr);
    // Where the buttons were: hover, press, release; then a resize and a paint.
    MoveTo(204 - 20, 16);
    P().AdvanceTime(100);
    P().PressButton();
    P().ReleaseButton();
    form->SetBounds(100, 100, 260, 220);
    Settle();
    EXPECT_EQ(HitAt(130, 110), HTCLIENT);
}
