// Web controls made while the engine's start is held: nothing reaches the engine until the
// start, then the objects are made and everything asked is done in the program's order; a
// read starts the engine at once; a control destroyed meanwhile leaves nothing behind; and
// failures give one message box each.
#include "browser/WebControlStart.h"

#include <gtest/gtest.h>

#include "browser/WebControl.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"
#include "ui/Forms.h"

using namespace platform;

namespace {

FakeWebControl* FakeOf(const TWebControl& web) {
    return static_cast<FakeWebControl*>(web.ControlObject());
}

class WebControlStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        engine = &InstallFakeWebEngine();
        WebControlStart::Hold();
    }
    void TearDown() override {
        a.reset();
        b.reset();
        WebControlStart::Start();  // clears the hold for the next test
    }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TWebControl> a;
    std::unique_ptr<TWebControl> b;
};

TEST_F(WebControlStartTest, HeldControlsAreMadeSetUpAndAskedInTheProgramsOrder) {
    a = std::make_unique<TWebControl>(nullptr);
    b = std::make_unique<TWebControl>(nullptr);
    const std::vector<uint8_t> block(156, 0x5A);
    a->SetControlData(block);
    a->SetUpControl();
    b->Navigate(u"x:b");
    a->Navigate(u"x:a");
    b->SetSilent(true);
    EXPECT_TRUE(engine->Controls().empty());
    EXPECT_EQ(a->ControlObject(), nullptr);
    EXPECT_TRUE(a->WaitingForEngine());
    EXPECT_TRUE(a->ControlSetUp()) << "the set-up is asked for";

    WebControlStart::Start();
    EXPECT_FALSE(WebControlStart::Held());
    ASSERT_EQ(engine->Controls().size(), 2u);
    EXPECT_EQ(engine->Controls()[0], FakeOf(*a)) << "made in the order the controls were";
    EXPECT_EQ(engine->Controls()[1], FakeOf(*b));
    ASSERT_EQ(engine->Navigations().size(), 2u);
    EXPECT_EQ(engine->Navigations()[0].url, u"x:b");
    EXPECT_EQ(engine->Navigations()[1].url, u"x:a");
    EXPECT_EQ(FakeOf(*a)->LoadedState(), block);
    EXPECT_EQ(FakeOf(*a)->LoadStateCalls(), 1);
    EXPECT_EQ(FakeOf(*b)->LoadStateCalls(), 1) << "first use sets the control up";
    EXPECT_TRUE(b->Silent());
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(WebControlStartTest, AReadStartsTheEngineAtOnceAfterWhatWasAskedBefore) {
    a = std::make_unique<TWebControl>(nullptr);
    a->SetStatusText(u"queued");
    a->Navigate(u"x:first");
    EXPECT_EQ(a->StatusText(), u"queued");
    EXPECT_FALSE(WebControlStart::Held());
    ASSERT_EQ(engine->Navigations().size(), 1u);
    a->Navigate(u"x:then");
    EXPECT_EQ(engine->Navigations().size(), 2u) << "no longer queued";
}

TEST_F(WebControlStartTest, AControlDestroyedBeforeTheStartLeavesNothingBehind) {
    a = std::make_unique<TWebControl>(nullptr);
    b = std::make_unique<TWebControl>(nullptr);
    a->Navigate(u"x:a");
    b->Navigate(u"x:b");
    a.reset();
    WebControlStart::Start();
    ASSERT_EQ(engine->Controls().size(), 1u);
    EXPECT_EQ(engine->Controls()[0], FakeOf(*b));
    ASSERT_EQ(engine->Navigations().size(), 1u);
    EXPECT_EQ(engine->Navigations()[0].url, u"x:b");
}

TEST_F(WebControlStartTest, AFailingRequestShowsOneMessageBoxAndEndsTheRequestsOfItsTurn) {
    engine->OnCreateControl = [this](FakeWebControl& control) {
        if (engine->Controls().size() == 1)
            control.FailNavigations(kINET_E_RESOURCE_NOT_FOUND);  // a
    };
    a = std::make_unique<TWebControl>(nullptr);
    b = std::make_unique<TWebControl>(nullptr);
    a->Navigate(u"x:fails");
    b->Navigate(u"x:same-turn");
    headless->ProcessPending();  // the turn ends
    b->Navigate(u"x:next-turn");
    WebControlStart::Start();
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless->MessageBoxes()[0].text, "OLE error 800C0005");
    ASSERT_EQ(engine->Navigations().size(), 2u);
    EXPECT_EQ(engine->Navigations()[0].url, u"x:fails");
    EXPECT_EQ(engine->Navigations()[1].url, u"x:next-turn");
}

TEST_F(WebControlStartTest, AControlTheEngineCannotMakeGivesOneErrorAndTheOthersGoOn) {
    a = std::make_unique<TWebControl>(nullptr);  // the error comes with the start
    b = std::make_unique<TWebControl>(nullptr);
    a->SetUpControl();
    a->Navigate(u"x:a");
    b->Navigate(u"x:b");
    std::vector<std::string> errors;
    Application().OnException = [&](TComponent*, const std::exception& e) {
        errors.push_back(e.what());
        engine->RefuseCreation = false;  // b can be made
    };
    engine->RefuseCreation = true;
    WebControlStart::Start();
    Application().OnException = nullptr;
    EXPECT_EQ(errors, std::vector<std::string>{"Class not registered"})
        << "a's own calls add no error";
    EXPECT_EQ(a->ControlObject(), nullptr);
    ASSERT_EQ(engine->Navigations().size(), 1u);
    EXPECT_EQ(engine->Navigations()[0].url, u"x:b");
}

TEST_F(WebControlStartTest, TheStartWaitsForTheMainFormsFirstFrameOrElseForTheFallback) {
    TForm window(nullptr);
    window.SetBounds(10, 10, 200, 100);
    a = std::make_unique<TWebControl>(&window);
    a->SetParent(&window);
    int framesBeforeEngine = -1;
    engine->OnCreateControl = [&](FakeWebControl&) {
        framesBeforeEngine = static_cast<HeadlessWindow*>(window.PlatformWindow())->PresentCount();
    };
    Application().SetMainForm(&window);
    WebControlStart::StartAfterFirstFrame(1000);
    window.Show();  // as the message loop starts
    EXPECT_TRUE(WebControlStart::Held());
    headless->ProcessPending();
    Application().SetMainForm(nullptr);
    EXPECT_FALSE(WebControlStart::Held());
    EXPECT_GE(framesBeforeEngine, 1);
    EXPECT_NE(a->NativeView(), nullptr) << "the view is hosted once made";
    a.reset();

    // No main form shown: the fallback starts the engine.
    WebControlStart::Hold();
    b = std::make_unique<TWebControl>(nullptr);
    WebControlStart::StartAfterFirstFrame(1000);
    headless->AdvanceTime(999);
    EXPECT_TRUE(WebControlStart::Held());
    headless->AdvanceTime(1);
    EXPECT_FALSE(WebControlStart::Held());
    EXPECT_NE(b->ControlObject(), nullptr);
}

}  // namespace
