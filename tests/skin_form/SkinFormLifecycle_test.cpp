// Moving and sizing by the skinned frame, skin changes at run time, client mode, and
// attaching and detaching the component.
#include "skin/data/SkinnedControl.h"
#include "skin/data/StoredSkin.h"
#include "tests/skin_form/SkinFormTestSupport.h"

namespace {

TBitmap ImageOf(platform::HeadlessWindow& window) {
    const TRect b = window.Bounds();
    TBitmap bmp(b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) bmp.SetPixel(x, y, window.PixelAt(x, y));
    return bmp;
}

int Differences(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
}

// ---------------------------------------------------------------- moving and sizing

TEST_F(SkinFormTest, CaptionDragMovesBorderDragResizesAndTheFrameFollows) {
    MakeForm(400, 300);
    P().Drag(300, 115, 420, 175, 4);
    EXPECT_EQ(form->BoundsRect(), Bounds(220, 160, 400, 300));
    // Bottom-right corner by (+100, +50).
    P().Drag(220 + 392, 160 + 290, 220 + 492, 160 + 340, 5);
    EXPECT_EQ(form->BoundsRect(), Bounds(220, 160, 500, 350));
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 487, 337));
    EXPECT_EQ(Object("closebutton").ObjectRect, Rect(471, 7, 489, 25));
    ASSERT_TRUE(Window().Shape());
    EXPECT_EQ(Window().Shape()->Bounds(), Rect(5, 5, 495, 346));
    Settle();
    EXPECT_EQ(Pixel(480, 16), data->ActivePicture(2)->GetPixel(44 + 9, 4 + 9));
    // Inward past the minimum: 204 x 46.
    P().Drag(220 + 492, 160 + 340, 0, 0, 5);
    EXPECT_EQ(form->BoundsRect(), Bounds(220, 160, 204, 46));
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 191, 33));
    // The left edge: the right edge stays.
    P().Drag(220 + 6, 160 + 30, 120 + 6, 160 + 30, 2);
    EXPECT_EQ(form->BoundsRect(), Rect(120, 160, 424, 206));
}

TEST_F(SkinFormTest, LiveResizeUpdatesTheFrameAtEachStep) {
    MakeForm(400, 300);
    std::vector<TRect> shapes;
    skinForm->OnChangeClientRect = [&](const TRect& r) { shapes.push_back(r); };
    P().MoveMouse(100 + 392, 100 + 290);
    P().PressButton();
    P().MoveMouse(100 + 412, 100 + 300);
    EXPECT_TRUE(skinForm->SizeMoveActive());
    ASSERT_FALSE(shapes.empty());
    EXPECT_EQ(shapes.back(), Rect(13, 33, 407, 297));
    EXPECT_EQ(Window().Shape()->Bounds(), Rect(5, 5, 415, 306));
    P().MoveMouse(100 + 432, 100 + 310);
    EXPECT_EQ(shapes.back(), Rect(13, 33, 427, 307));
    P().ReleaseButton();
    EXPECT_FALSE(skinForm->SizeMoveActive());
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 440, 320));
}

TEST_F(SkinFormTest, FirstClickAfterAMoveLoopReachesNoObject) {
    MakeForm(400, 300);
    int closes = 0;
    form->OnClose = [&](TComponent*, TCloseAction& action) {
        ++closes;
        action = caNone;
    };
    // A loop begun without a frame press (as from the window menu), ended by releasing.
    form->Perform(WM_SYSCOMMAND, SC_MOVE, MakeLParam(300, 115));
    P().ReleaseButton();
    EXPECT_TRUE(skinForm->SizeMoveActive());
    skinForm->GetMouseTimer().SetEnabled(false);
    P().Click(100 + 380, 100 + 15);
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(skinForm->SizeMoveActive());
    skinForm->GetMouseTimer().SetEnabled(false);
    P().Click(100 + 380, 100 + 15);
    EXPECT_EQ(closes, 1);
    // After a caption drag the next click reaches the button at once.
    P().Drag(300, 115, 310, 125, 1);
    EXPECT_FALSE(skinForm->SizeMoveActive());
    skinForm->GetMouseTimer().SetEnabled(false);
    P().Click(110 + 380, 110 + 15);
    EXPECT_EQ(closes, 2);
}

TEST_F(SkinFormTest, TrackingStopsDuringAMoveLoop) {
    MakeForm(400, 300);
    skinForm->GetMouseTimer().SetEnabled(false);
    MoveTo(380, 15);
    EXPECT_TRUE(Object("closebutton").Active);
    P().Drag(300, 115, 350, 115, 2);
    EXPECT_FALSE(Object("closebutton").Active);
    EXPECT_EQ(skinForm->GetActiveObject(), -1);
}

// ---------------------------------------------------------------- skin changes

class SkinChangeTest : public SkinFormTest {
protected:
    // Counts frame paints made while a skin change is being broadcast.
    void WatchPaints() {
        previous_ = form->WindowProc;
        form->WindowProc = [this](TMessage& m) {
            if (m.Msg == SKINMSG_BEFORECHANGE) changing_ = true;
            if (m.Msg == WM_NCPAINT && changing_) ++paintsDuringChange;
            previous_(m);
            if (m.Msg == SKINMSG_AFTERCHANGE) changing_ = false;
        };
    }
    void TearDown() override {
        if (form && previous_) form->WindowProc = previous_;
        SkinFormTest::TearDown();
    }
    // The image of a form made with the given skin from the start, at the same size, shown
    // at the same place.
    TBitmap Reference(const std::vector<uint8_t>* skin) {
        form->Hide();
        TForm reference(nullptr);
        reference.SetBounds(form->Left(), form->Top(), form->Width(), form->Height());
        auto* frame = new TspSkinForm(&reference);
        frame->SetBorderIcons(biSystemMenu);
        auto* referenceData = new TspSkinData(&reference);
        frame->SetSkinData(referenceData);
        if (skin) {
            auto* container = new TspCompressedStoredSkin(&reference);
            container->SetCompressedData(*skin);
            referenceData->SetCompressedStoredSkin(container);
        }
        reference.Show();
        P().ProcessPending();
        reference.Update();
        P().ProcessPending();
        TBitmap image =
            ImageOf(*static_cast<platform::HeadlessWindow*>(reference.PlatformWindow()));
        reference.Hide();
        form->Show();
        Settle();
        return image;
    }
    int paintsDuringChange = 0;

private:
    std::function<void(TMessage&)> previous_;
    bool changing_ = false;
};

TEST_F(SkinChangeTest, FrameShapeAndObjectsFollowAnotherSkinThenAnEmptyOne) {
    const std::vector<uint8_t> other = ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "clientrect=13,33,191,187", "clientrect=20,40,184,180");
        ReplaceOnce(ini, "mask=mask.bmp", "mask=");
        ReplaceOnce(ini, "count=13\r\n", "count=12\r\n");
        ReplaceOnce(ini, "12=traybutton:stdbutton\r\n", "");
    });
    MakeForm(400, 300);
    form->SetCaption("");
    Settle();
    ASSERT_TRUE(Window().Shape());
    WatchPaints();

    auto* second = new TspCompressedStoredSkin(form.get());
    second->SetCompressedData(other);
    data->SetCompressedStoredSkin(second);
    EXPECT_EQ(paintsDuringChange, 0);
    EXPECT_EQ(form->ClientRectInWindow(), Rect(20, 40, 380, 280));
    EXPECT_FALSE(Window().Shape());
    EXPECT_EQ(skinForm->ObjectCount(), 6);
    EXPECT_EQ(skinForm->FindObject("traybutton"), nullptr);
    Settle();
    const TBitmap shown = ImageOf(Window());
    EXPECT_EQ(Differences(shown, Reference(&other)), 0);

    // An empty skin: the default frame.
    auto* empty = new TspStoredSkin(form.get());
    TStringList lines;
    lines.Add("[VERSION]");
    empty->SetIniStrings(lines);
    data->SetStoredSkin(empty);
    EXPECT_EQ(paintsDuringChange, 0);
    EXPECT_TRUE(data->SkinEmpty);
    EXPECT_FALSE(skinForm->SkinSupport());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 397, 297));
    EXPECT_FALSE(Window().Shape());
    Settle();
    EXPECT_EQ(skinForm->ObjectCount(), 6);
    EXPECT_EQ(Differences(ImageOf(Window()), Reference(nullptr)), 0);

    // And back to the compiled-in skin.
    data->SetCompressedStoredSkin(stored);
    Settle();
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 387, 287));
    ASSERT_TRUE(Window().Shape());
    EXPECT_EQ(Window().Shape()->Bounds(), Rect(5, 5, 395, 296));
    EXPECT_EQ(Object("closebutton").ObjectRect, Rect(371, 7, 389, 25));
}

TEST_F(SkinChangeTest, SkinnedControlsAreToldInTreeOrder) {
    struct Recorder : TCustomControl, ISkinnedControl {
        Recorder(TComponent* owner, TspSkinData* d, std::vector<std::string>& log)
            : TCustomControl(owner), data(d), log(log) {}
        TspSkinData* SkinData() const override { return data; }
        void ResetSkinIndex() override { log.push_back("reset " + Name()); }
        void ApplySkin() override { log.push_back("apply " + Name()); }
        TspSkinData* data;
        std::vector<std::string>& log;
    };
    MakeForm(400, 300);
    std::vector<std::string> log;
    auto* outer = new Recorder(form.get(), data, log);
    outer->SetName("outer");
    outer->SetParent(form.get());
    auto* inner = new Recorder(form.get(), data, log);
    inner->SetName("inner");
    inner->SetParent(outer);
    auto* foreign = new Recorder(form.get(), nullptr, log);
    foreign->SetName("foreign");
    foreign->SetParent(form.get());
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    EXPECT_EQ(log, (std::vector<std::string>{"reset outer", "reset inner", "apply outer",
                                             "apply inner"}));
}

TEST_F(SkinFormTest, SkinDataGoingAwayLeavesTheDefaultFrame) {
    MakeForm(400, 300);
    delete data;
    data = nullptr;
    EXPECT_EQ(skinForm->SkinData(), nullptr);
    EXPECT_FALSE(skinForm->SkinSupport());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 397, 297));
    Settle();  // paints the default frame; nothing refers to the freed skin
    EXPECT_EQ(Pixel(0, 0), ColorToRGB(cl3DLight));
    MoveTo(200, 10);
    P().AdvanceTime(100);
}

TEST_F(SkinFormTest, RemovingTheComponentGivesTheFormItsOwnFrameBack) {
    MakeForm(400, 300);
    auto before = form->WindowProc;
    delete skinForm;
    skinForm = nullptr;
    EXPECT_FALSE(Window().Shape());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 397, 297));
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(300, 110)), HTCAPTION);
    Settle();
    P().AdvanceTime(200);  // no timer of the component is left
}

// ---------------------------------------------------------------- client mode

class ClientModeTest : public SkinFormTest {
protected:
    void MakeClientModeForm(int w, int h) {
        form = std::make_unique<TForm>(nullptr);
        form->SetCaption("Client mode");
        form->SetBounds(100, 100, w, h);
        skinForm = new TspSkinForm(form.get());
        skinForm->SetSupportNCArea(false);
        skinForm->SetBorderIcons(biSystemMenu);
        form->RecreateWnd();
        data = new TspSkinData(form.get());
        stored = new TspCompressedStoredSkin(form.get());
        stored->SetCompressedData(DefaultSkinCompressedData());
        skinForm->SetSkinData(data);
        data->SetCompressedStoredSkin(stored);
        form->Show();
        Settle();
    }
};

TEST_F(ClientModeTest, WholeWindowIsClientAndShowsTheSkinImage) {
    MakeClientModeForm(150, 100);
    // Grown to the picture's size, all client.
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 204, 200));
    EXPECT_EQ(form->ClientRectInWindow(), Rect(0, 0, 204, 200));
    // The client paints the main picture, with the frame-picture buttons as they are.
    int bad = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 204; ++x) {
            if (PtInRect(Rect(36, 8, 74, 26), {x, y}) || PtInRect(Rect(175, 7, 193, 25), {x, y}))
                continue;
            if (y >= 4 && y < 28 && x >= 77 && x < 128) continue;  // caption text
            bad += Pixel(x, y) != data->MainPicture.GetPixel(x, y);
        }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(100 + 6, 100 + 100)), HTLEFT);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(100 + 100, 100 + 100)), HTCLIENT);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(100 + 100, 100 + 15)), HTCLIENT);
}

TEST_F(ClientModeTest, DraggingTheCaptionMovesTheWindow) {
    MakeClientModeForm(300, 250);
    P().MoveMouse(100 + 150, 100 + 15);
    P().PressButton();
    P().MoveMouse(100 + 230, 100 + 55);
    P().AdvanceTime(50);
    EXPECT_EQ(form->BoundsRect(), Bounds(180, 140, 300, 250));
    P().ReleaseButton();
    P().MoveMouse(500, 500);
    P().AdvanceTime(100);
    EXPECT_EQ(form->BoundsRect(), Bounds(180, 140, 300, 250));
}

TEST_F(ClientModeTest, CloseButtonClosesInClientModeToo) {
    MakeClientModeForm(300, 250);
    P().MoveMouse(100 + 300 - 20, 100 + 16);
    P().AdvanceTime(50);
    EXPECT_TRUE(Object("closebutton").Active);
    P().PressButton();
    P().ReleaseButton();
    EXPECT_FALSE(form->Visible());
}

}  // namespace

namespace {

TEST_F(SkinFormTest, GeometryOutsideThePicturesIsNotUsed) {
    // A client rectangle beyond the main picture: the skin cannot frame the window.
    const std::vector<uint8_t> badFrame = ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "clientrect=13,33,191,187", "clientrect=13,33,191,2000000000");
    });
    MakeForm(400, 300, true, biSystemMenu, false);
    stored->SetCompressedData(badFrame);
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    EXPECT_FALSE(data->SkinEmpty);
    EXPECT_FALSE(skinForm->SkinSupport());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 397, 297));
    // A button whose image lies outside its picture is left out; the rest of the frame stays.
    const std::vector<uint8_t> badButton = ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "skinrect=44,4,62,22\r\nactiveskinrect=24,4,42,22",
                    "skinrect=44,4,62,22\r\nactiveskinrect=24,4,4200,22");
    });
    stored->SetCompressedData(badButton);
    data->SetCompressedStoredSkin(nullptr);
    data->SetCompressedStoredSkin(stored);
    EXPECT_TRUE(skinForm->SkinSupport());
    EXPECT_EQ(skinForm->FindObject("closebutton"), nullptr);
    EXPECT_NE(skinForm->FindObject("caption1"), nullptr);
    form->Show();
    Settle();
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 387, 287));
}

}  // namespace
