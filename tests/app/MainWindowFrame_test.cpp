// The main window with its skinned frame over the headless platform: geometry, the caption
// and buttons from the skin, the mask's shape, the panels, strip and tabs drawn from their
// sections, a skin without "expanel", the window menu, the double click, the ways to close
// it, and the test event log that only watches.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "app/TestEventLog.h"
#include "browser/WebPaneUnit.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/data/SkinControlDefs.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "tests/skin_form/SkinFormTestSupport.h"
#include "ui/Application.h"
#include "ui/Menus.h"

using namespace platform;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
        engine = &InstallFakeWebEngine();
        RegisterAppClasses();
        Application().Initialize();
    }
    void TearDown() override {
        if (Application().MainForm() == form.get()) Application().SetMainForm(nullptr);
        form.reset();
        WebPaneUnit::Finalize();
    }
    void Open(const std::string& description = MainFormDescription()) {
        form = std::make_unique<TForm1>(nullptr, TForm1Unread{});
        form->CreateFromDescription(description);
        Application().SetMainForm(form.get());
        form->Show();
        headless->ProcessPending();
        form->Update();
        headless->ProcessPending();
    }
    HeadlessWindow& Window() { return *static_cast<HeadlessWindow*>(form->PlatformWindow()); }
    TspActiveSkinObject& Object(const char* name) {
        TspActiveSkinObject* o = form->spSkinForm1->FindObject(name);
        if (!o) throw std::runtime_error(std::string("no object ") + name);
        return *o;
    }
    // A control's top-left in window coordinates.
    TPoint InWindow(const TControl& c) {
        const TPoint s = c.ClientToScreen({0, 0});
        return {s.X - form->Left(), s.Y - form->Top()};
    }
    const TBitmap& Controls() { return *form->spSkinData1->ActivePicture(3); }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TForm1> form;
};

// The description with its CompressedData block replaced by `bytes`.
std::string WithSkinBlock(const std::vector<uint8_t>& bytes) {
    std::string text = MainFormDescription();
    const std::string key = "CompressedData = {";
    const size_t open = text.find(key) + key.size();
    const size_t close = text.find('}', open);
    std::string hex;
    char b[3];
    for (uint8_t byte : bytes) {
        std::snprintf(b, sizeof b, "%02X", byte);
        hex += b;
    }
    return text.substr(0, open) + hex + text.substr(close);
}

TEST_F(MainWindowTest, TheClientAreaIs777By491InsideTheSkinsBordersAndTheWindowIsCentred) {
    Open();
    EXPECT_EQ(form->ClientWidth(), 777);
    EXPECT_EQ(form->ClientHeight(), 491);
    EXPECT_EQ(form->Width(), 13 + 777 + 13);
    EXPECT_EQ(form->Height(), 33 + 491 + 13);
    EXPECT_EQ(form->ClientRectInWindow(), Rect(13, 33, 13 + 777, 33 + 491));
    EXPECT_EQ(form->Left(), (1280 - 803) / 2);
    EXPECT_EQ(form->Top(), (1024 - 537) / 2);
    // The controls sit where the description puts them, in window coordinates too.
    EXPECT_EQ(InWindow(*form->LeftPanel), (TPoint{13, 33}));
    EXPECT_EQ(InWindow(*form->LeftPC), (TPoint{14, 34}));
    EXPECT_EQ(InWindow(*form->spSkinExPanel1), (TPoint{15, 55}));
    EXPECT_EQ(InWindow(*form->NavWB), (TPoint{16, 76}));
    EXPECT_EQ(InWindow(*form->ContentWB), (TPoint{16, 153}));
    EXPECT_EQ(form->ContentWB->Width(), 771);
    EXPECT_EQ(form->ContentWB->Height(), 322);
}

TEST_F(MainWindowTest, FrameCaptionAndButtonsComeFromTheSkin) {
    Open();
    const int w = form->Width();
    ASSERT_TRUE(form->spSkinForm1->SkinSupport());
    EXPECT_EQ(static_cast<TspSkinCaptionObject&>(Object("caption1")).Text, "Puzzlebin V1.0.0");
    TspActiveSkinObject& close = Object("closebutton");
    EXPECT_TRUE(close.Visible && close.Enabled);
    EXPECT_EQ(close.ObjectRect, Rect(w - 29, 7, w - 11, 25));
    EXPECT_TRUE(Object("sysmenubutton").Visible && Object("sysmenubutton").Enabled);
    EXPECT_FALSE(Object("maxbutton").Visible);
    EXPECT_FALSE(Object("minbutton").Visible);
    for (const char* name : {"rollupbutton", "traybutton"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Object(name).Visible);
        EXPECT_FALSE(Object(name).Enabled);
    }
    // The frame's top-left corner is the main picture's, pixel for pixel (inside the shape,
    // above the client area).
    const TspSkinData& skin = *form->spSkinData1;
    int differing = 0;
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 14; ++x) {
            if (!Window().ContainsWindowPoint({x, y})) continue;
            differing += Window().PixelAt(x, y) != skin.MainPicture.GetPixel(x, y);
        }
    EXPECT_EQ(differing, 0);
    // The disabled buttons show the disabled plate of the active picture.
    const TRect roll = Object("rollupbutton").ObjectRect;
    EXPECT_EQ(Window().PixelAt(roll.Left + 9, roll.Top + 9),
              skin.ActivePicture(2)->GetPixel(2 + 9, 29 + 9));
}

TEST_F(MainWindowTest, TheWindowHasTheMasksShape) {
    Open();
    ASSERT_TRUE(Window().Shape().has_value());
    // The mask's margins: 5 pixels left, top and right, 4 at the bottom; the rounded
    // corners are cut away.
    EXPECT_EQ(Window().Shape()->Bounds(), Rect(5, 5, form->Width() - 5, form->Height() - 4));
    EXPECT_FALSE(Window().ContainsWindowPoint({5, 5}));
    EXPECT_TRUE(Window().ContainsWindowPoint({20, 5}));
    EXPECT_TRUE(Window().ContainsWindowPoint({form->Width() / 2, form->Height() / 2}));
}

TEST_F(MainWindowTest, PanelsStripAndTabsDrawFromTheirSections) {
    Open();
    for (TspSkinPanel* panel : {form->LeftPanel, form->spSkinPanel1, form->spSkinPanel2}) {
        SCOPED_TRACE(panel->Name());
        EXPECT_EQ(panel->SkinDataName(), "panel");
        EXPECT_TRUE(panel->HasSection());
    }
    EXPECT_EQ(form->spSkinExPanel1->SkinDataName(), "expanel");
    EXPECT_TRUE(form->spSkinExPanel1->HasSection());
    EXPECT_EQ(form->LeftPC->SkinDataName(), "tab");
    EXPECT_TRUE(form->LeftPC->HasSection());
    // The outer panel's and the bottom strip's corner pixels are the panel picture's corner.
    const TColor panelCorner = Controls().GetPixel(2, 146);
    for (TControl* c :
         {static_cast<TControl*>(form->LeftPanel), static_cast<TControl*>(form->spSkinPanel1)}) {
        const TPoint p = InWindow(*c);
        EXPECT_EQ(Window().PixelAt(p.X, p.Y), panelCorner) << c->Name();
    }
    // The navigation strip's caption bar is the expanding panel's slate bar.
    const TPoint strip = InWindow(*form->spSkinExPanel1);
    EXPECT_EQ(Window().PixelAt(strip.X, strip.Y), Controls().GetPixel(307, 6));
    EXPECT_EQ(Window().PixelAt(strip.X + 300, strip.Y + 10), Controls().GetPixel(307 + 30, 6 + 10));
    // The selected tab wears the amber line of the active tab piece.
    const TRect tab = form->LeftPC->TabRect(0);
    const TPoint pc = InWindow(*form->LeftPC);
    EXPECT_EQ(Window().PixelAt(pc.X + tab.Left + tab.Width() / 2, pc.Y + tab.Top + 1),
              Controls().GetPixel(169, 129));
}

TEST_F(MainWindowTest, TheNavigationStripHasNeitherRollNorCloseButton) {
    Open();
    TspSkinExPanel& strip = *form->spSkinExPanel1;
    EXPECT_FALSE(strip.ShowRollButton());
    EXPECT_FALSE(strip.ShowCloseButton());
    // Its caption runs across the whole bar, and clicks at the bar's right end (where the
    // buttons would be) neither roll nor close it.
    EXPECT_EQ(strip.CaptionArea().Right, 773 - 4);
    const TPoint s = strip.ClientToScreen({0, 0});
    for (int x : {773 - 10, 773 - 28}) {
        headless->Click(s.X + x, s.Y + 10);
        headless->ProcessPending();
    }
    EXPECT_TRUE(strip.Visible());
    EXPECT_EQ(strip.Height(), 97);
    EXPECT_FALSE(strip.RollState());
}

TEST_F(MainWindowTest, ASkinWithoutExpanelLeavesTheStripInItsDefaultLookWithA21PixelBar) {
    const std::vector<uint8_t> bytes = ModifiedSkin([](std::string& ini) {
        ReplaceOnce(ini, "=expanel:expanel", "=otherpanel:expanel");
        ReplaceOnce(ini, "[expanel]", "[otherpanel]");
    });
    Open(WithSkinBlock(bytes));
    ASSERT_FALSE(form->spSkinData1->SkinEmpty);
    TspSkinExPanel& strip = *form->spSkinExPanel1;
    EXPECT_FALSE(strip.HasSection());
    EXPECT_TRUE(strip.DrawDefault());
    // The pane starts below the 21-pixel bar, which holds the caption.
    EXPECT_EQ(form->NavWB->Top(), 21);
    EXPECT_LE(strip.CaptionArea().Bottom, 21);
    EXPECT_FALSE(strip.CaptionArea().Width() < 1);
    const TPoint p = InWindow(strip);
    EXPECT_NE(Window().PixelAt(p.X + 300, p.Y + 10), Controls().GetPixel(307 + 30, 6 + 10))
        << "not the skin's bar";
    // The rest stays skinned.
    EXPECT_TRUE(form->LeftPanel->HasSection());
    EXPECT_TRUE(form->spSkinForm1->SkinSupport());
}

TEST_F(MainWindowTest, TheWindowMenuHoldsCloseWithAltF4AndClosesTheProgram) {
    Open();
    headless->Click(form->Left() + 300, form->Top() + 15, MouseButton::Right);
    headless->ProcessPending();
    TspSkinMenu& menu = form->spSkinForm1->PopupMenuEngine();
    ASSERT_TRUE(menu.MenuOpen());
    TspSkinPopupWindow* root = menu.PopupWindow(0);
    ASSERT_EQ(root->Items().size(), 1u);
    EXPECT_EQ(root->Items()[0]->MenuItem->Caption(), "&Close");
    EXPECT_EQ(root->Items()[0]->MenuItem->ShortCutText(), "Alt+F4");
    const TRect r = root->ItemScreenRect(0);
    headless->Click((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    headless->ProcessPending();
    EXPECT_TRUE(Application().Terminated());
}

TEST_F(MainWindowTest, ACaptionDoubleClickChangesNothingAndTheCaptionMovesTheWindow) {
    Open();
    const TRect before = form->BoundsRect();
    headless->DoubleClick(form->Left() + 300, form->Top() + 15);
    headless->ProcessPending();
    EXPECT_EQ(form->BoundsRect(), before);
    EXPECT_EQ(form->spSkinForm1->WindowState(), kSkinStateNormal);
    EXPECT_FALSE(form->spSkinForm1->GetRollUpState());
    headless->Drag(form->Left() + 300, form->Top() + 15, form->Left() + 250, form->Top() + 45, 3);
    EXPECT_EQ(form->BoundsRect(),
              Bounds(before.Left - 50, before.Top + 30, before.Width(), before.Height()));
    // Sized by its bottom-right border; the panes follow.
    headless->Drag(form->Left() + form->Width() - 8, form->Top() + form->Height() - 10,
                   form->Left() + form->Width() + 92, form->Top() + form->Height() + 40, 4);
    EXPECT_EQ(form->ClientWidth(), 877);
    EXPECT_EQ(form->ClientHeight(), 541);
    EXPECT_EQ(form->ContentWB->Width(), 871);
    EXPECT_EQ(form->ContentWB->Height(), 372);
    EXPECT_EQ(form->NavWB->Width(), 871);
    EXPECT_EQ(form->quillMartWB->Width(), 873);
    EXPECT_EQ(form->quillMartWB->Height(), 517);
}

TEST_F(MainWindowTest, TheCloseButtonAndAltF4CloseTheProgram) {
    Open();
    const int w = form->Width();
    form->spSkinForm1->GetMouseTimer().SetEnabled(false);
    headless->MoveMouse(form->Left() + w - 20, form->Top() + 16);
    headless->Click(form->Left() + w - 20, form->Top() + 16);
    headless->ProcessPending();
    EXPECT_TRUE(Application().Terminated());
    Application().Initialize();
    ASSERT_FALSE(Application().Terminated());
    headless->KeyPress(VK_F4, kModAlt);
    headless->ProcessPending();
    EXPECT_TRUE(Application().Terminated());
}

TEST_F(MainWindowTest, TheTestEventLogAddsToTheProgramsHandlingAndReplacesNothing) {
    form = std::make_unique<TForm1>(nullptr, TForm1Unread{});
    form->CreateFromDescription(MainFormDescription());
    int shows = 0, loads = 0;
    form->OnShow = [&shows](TComponent*) { ++shows; };
    form->ContentWB->OnDocumentComplete = [&loads](TComponent*, WebObject*, OleVariant&) {
        ++loads;
    };
    const bool newWindowBound = static_cast<bool>(form->NavWB->OnNewWindow3);
    testing::internal::CaptureStderr();
    InstallTestEventLog(*form);
    form->Show();
    headless->ProcessPending();
    static_cast<FakeWebControl*>(form->ContentWB->ControlObject())
        ->CompleteLoad(u"puzzlebin://site/soft/pb/1.html");
    static_cast<FakeWebControl*>(form->NavWB->ControlObject())
        ->CompleteLoad(u"puzzlebin://site/soft/pb/index.html");
    headless->Click(form->Left() + 300, form->Top() + 15, MouseButton::Right);
    headless->ProcessPending();
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(shows, 1) << "the form's own OnShow still runs";
    EXPECT_EQ(loads, 1) << "the pane's own handler still runs";
    EXPECT_EQ(static_cast<bool>(form->NavWB->OnNewWindow3), newWindowBound);
    EXPECT_FALSE(static_cast<bool>(form->NavWB->OnDocumentComplete))
        << "no handler was assigned for the log";
    const TPoint client = form->ClientToScreen({0, 0});
    EXPECT_NE(out.find("puzzlebin-event: shown " + std::to_string(client.X) + " " +
                       std::to_string(client.Y) + " 777 491 tab2 "),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("puzzlebin-event: loaded ContentWB "), std::string::npos) << out;
    EXPECT_NE(out.find(" 771 322 puzzlebin://site/soft/pb/1.html\n"), std::string::npos) << out;
    EXPECT_NE(out.find("puzzlebin-event: loaded NavWB "), std::string::npos) << out;
    EXPECT_NE(out.find(" &Close=Alt+F4;\n"), std::string::npos) << out;
}

}  // namespace
