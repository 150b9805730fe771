// The main form with the web engine's start held until its window's first frame, as the
// program runs it: the skinned window is drawn before any pane's engine object exists, then
// the panes are made, set up and navigated in the order the form asked, and a failing start
// navigation still gives its one message box.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "app/SiteBase.h"
#include "browser/WebControlStart.h"
#include "browser/WebPaneUnit.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"

using namespace platform;

namespace {

FakeWebControl* FakeOf(TWebPane* pane) {
    return static_cast<FakeWebControl*>(pane->ControlObject());
}

WideString Address(const std::string& path) {
    return Utf8ToWide(std::string(SiteBaseAddressConstant()) + path);
}

class MainFormStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
        engine = &InstallFakeWebEngine();
        RegisterAppClasses();
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "pb_mainstart_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        settingsDir = tmpl;
        WebPaneUnit::SetSettingsDirectory(settingsDir);
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        form.reset();
        WebControlStart::Start();  // nothing is left queued; the next test starts unheld
        WebPaneUnit::Finalize();
        std::filesystem::remove_all(settingsDir);
    }

    // Creates and shows the form as the program does, the engine held until the first frame.
    void RunToFirstFrame() {
        WebControlStart::Hold();
        form = std::make_unique<TForm1>(nullptr);
        Application().SetMainForm(form.get());
        WebControlStart::StartAfterFirstFrame(1000);
        EXPECT_TRUE(engine->Controls().empty()) << "no engine object before the window is shown";
        form->Show();
        headless->ProcessPending();
    }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TForm1> form;
    std::string settingsDir;
};

TEST_F(MainFormStartTest, TheWindowIsDrawnFirstThenThePanesAreMadeSetUpAndNavigatedInOrder) {
    int framesBeforeEngine = -1;
    engine->OnCreateControl = [&](FakeWebControl&) {
        if (framesBeforeEngine < 0)
            framesBeforeEngine =
                static_cast<HeadlessWindow*>(form->PlatformWindow())->PresentCount();
    };
    RunToFirstFrame();
    EXPECT_GE(framesBeforeEngine, 1);
    EXPECT_FALSE(WebControlStart::Held());

    const auto& navs = engine->Navigations();
    ASSERT_EQ(navs.size(), 3u);
    EXPECT_EQ(navs[0].control, FakeOf(form->ContentWB));
    EXPECT_EQ(navs[0].url, Address("soft/pb/1.html"));
    EXPECT_EQ(navs[1].control, FakeOf(form->NavWB));
    EXPECT_EQ(navs[1].url, Address("soft/pb/index.html"));
    EXPECT_EQ(navs[2].control, FakeOf(form->quillMartWB));
    EXPECT_EQ(navs[2].url, Address(""));
    for (TWebPane* pane : {form->NavWB, form->ContentWB, form->quillMartWB}) {
        FakeWebControl* fake = FakeOf(pane);
        ASSERT_NE(fake, nullptr) << pane->Name();
        EXPECT_EQ(fake->LoadStateCalls(), 1) << pane->Name();
        EXPECT_TRUE(fake->StateLoaded()) << pane->Name() << ": the stored state was handed over";
        EXPECT_NE(fake->Sink(), nullptr) << pane->Name();
        EXPECT_EQ(fake->Site(), static_cast<WebHostSite*>(pane)) << pane->Name();
        EXPECT_NE(pane->NativeView(), nullptr) << pane->Name();
    }
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

// As without the hold: the panes are made NavWB, ContentWB, quillMartWB, and FormCreate
// navigates ContentWB first; its failure ends FormCreate's navigations with one message box.
TEST_F(MainFormStartTest, AFailingStartNavigationStillGivesOneMessageBoxAndSkipsTheRest) {
    int created = 0;
    engine->OnCreateControl = [&](FakeWebControl& control) {
        if (created++ == 1) control.FailNavigations(kINET_E_RESOURCE_NOT_FOUND);  // ContentWB
    };
    RunToFirstFrame();
    ASSERT_EQ(engine->Navigations().size(), 1u);
    EXPECT_EQ(engine->Navigations()[0].control, FakeOf(form->ContentWB));
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless->MessageBoxes()[0].text, "OLE error 800C0005");
    EXPECT_TRUE(form->PlatformWindow()->Visible());

    // Later requests are not part of that turn: they go straight to the engine.
    form->NavWB->Navigate(Address("soft/pb/2.html"));
    EXPECT_EQ(FakeOf(form->NavWB)->Navigations().size(), 1u);
}

}  // namespace
