// The main form over the headless platform and the fake web engine: its component tree and
// geometry, the start navigations, and the new-window redirection.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "app/SiteBase.h"
#include "browser/WebPaneUnit.h"
#include "platform/Log.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "ui/Application.h"
#include "ui/Label.h"

using namespace platform;

namespace {

FakeWebControl* FakeOf(TWebPane* pane) {
    return static_cast<FakeWebControl*>(pane->ControlObject());
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
        engine = &InstallFakeWebEngine();
        RegisterAppClasses();
        std::string tmpl = (std::filesystem::temp_directory_path() / "pb_mainform_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        settingsDir = tmpl;
        WebPaneUnit::SetSettingsDirectory(settingsDir);
    }
    void TearDown() override {
        form.reset();
        WebPaneUnit::Finalize();
        std::filesystem::remove_all(settingsDir);
    }

    void CreateForm() { form = std::make_unique<TForm1>(nullptr); }

    [[nodiscard]] static WideString Address(const std::string& path) {
        return Utf8ToWide(std::string(SiteBaseAddressConstant()) + path);
    }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TForm1> form;
    std::string settingsDir;
};

void ExpectBounds(const TControl* c, int left, int top, int width, int height) {
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Left(), left) << c->Name();
    EXPECT_EQ(c->Top(), top) << c->Name();
    EXPECT_EQ(c->Width(), width) << c->Name();
    EXPECT_EQ(c->Height(), height) << c->Name();
}

TEST_F(MainFormTest, ComponentTreeHasTheStoredGeometry) {
    CreateForm();
    EXPECT_EQ(form->Caption(), "Puzzlebin V1.0.0");
    EXPECT_EQ(form->ClientWidth(), 777);
    EXPECT_EQ(form->ClientHeight(), 491);
    ExpectBounds(form->LeftPanel, 0, 0, 777, 491);
    ExpectBounds(form->LeftPC, 1, 1, 775, 489);
    ExpectBounds(form->spSkinExPanel1, 0, 0, 773, 97);
    ExpectBounds(form->NavWB, 1, 21, 771, 75);
    ExpectBounds(form->spSkinPanel1, 0, 421, 773, 46);
    ExpectBounds(form->spSkinPanel2, 0, 97, 773, 324);
    ExpectBounds(form->ContentWB, 1, 1, 771, 322);
    ExpectBounds(form->quillMartWB, 0, 0, 773, 467);
    EXPECT_EQ(form->Label1->Left(), 168);
    EXPECT_EQ(form->Label1->Top(), 8);
    EXPECT_TRUE(form->Label1->Transparent());
    EXPECT_EQ(form->Label1->Caption(), "欢迎推荐智力题，请联系QQ：20240817");
    EXPECT_EQ(form->spSkinExPanel1->Caption(), "智力导航");
    EXPECT_EQ(form->spSkinTabSheet1->Caption(), "题在首页");
    EXPECT_EQ(form->spSkinTabSheet5->Caption(), "作者网站");

    // Nesting.
    EXPECT_EQ(form->NavWB->Parent(), form->spSkinExPanel1);
    EXPECT_EQ(form->ContentWB->Parent(), form->spSkinPanel2);
    EXPECT_EQ(form->Label1->Parent(), form->spSkinPanel1);
    EXPECT_EQ(form->quillMartWB->Parent(), form->spSkinTabSheet5);
    EXPECT_EQ(form->spSkinTabSheet1->PageControl(), form->LeftPC);
    EXPECT_EQ(form->spSkinTabSheet5->PageControl(), form->LeftPC);
    EXPECT_EQ(form->LeftPC->PageCount(), 2);
}

TEST_F(MainFormTest, ShowsCentredWithTheFirstTabActive) {
    CreateForm();
    form->Show();
    EXPECT_EQ(form->LeftPC->ActivePage(), form->spSkinTabSheet1);
    EXPECT_TRUE(form->spSkinTabSheet1->Showing());
    EXPECT_FALSE(form->spSkinTabSheet5->Showing());
    EXPECT_EQ(form->Left(), (1280 - form->Width()) / 2);
    EXPECT_EQ(form->Top(), (1024 - form->Height()) / 2);
    EXPECT_EQ(form->ClientWidth(), 777);
    EXPECT_EQ(form->ClientHeight(), 491);

    // The panes' native views: both panes of the first tab shown, the second tab's hidden
    // but alive; switching tabs swaps them and keeps every pane.
    auto view = [](TWebPane* p) { return static_cast<HeadlessNativeView*>(p->NativeView()); };
    ASSERT_NE(view(form->NavWB), nullptr);
    ASSERT_NE(view(form->ContentWB), nullptr);
    ASSERT_NE(view(form->quillMartWB), nullptr);
    EXPECT_TRUE(view(form->NavWB)->Visible());
    EXPECT_TRUE(view(form->ContentWB)->Visible());
    EXPECT_FALSE(view(form->quillMartWB)->Visible());
    EXPECT_EQ(view(form->NavWB)->Geometry().Width(), 771);
    EXPECT_EQ(view(form->NavWB)->Geometry().Height(), 75);

    form->LeftPC->SetActivePage(form->spSkinTabSheet5);
    headless->ProcessPending();
    EXPECT_TRUE(view(form->quillMartWB)->Visible());
    EXPECT_EQ(view(form->quillMartWB)->Geometry().Width(), 773);
    EXPECT_EQ(view(form->quillMartWB)->Geometry().Height(), 467);
    EXPECT_FALSE(view(form->NavWB)->Visible());
    EXPECT_FALSE(view(form->ContentWB)->Visible());
    EXPECT_EQ(engine->Controls().size(), 3u);
}

TEST_F(MainFormTest, StartsTheThreeNavigationsInOrderWithTheStartAddresses) {
    const std::string base = SiteBaseAddressConstant();
    ASSERT_FALSE(base.empty());
    EXPECT_EQ(base.back(), '/');
    CreateForm();
    EXPECT_EQ(SiteBaseAddress, base);
    const auto& navs = engine->Navigations();
    ASSERT_EQ(navs.size(), 3u);
    EXPECT_EQ(navs[0].control, FakeOf(form->ContentWB));
    EXPECT_EQ(navs[0].url, Address("soft/pb/1.html"));
    EXPECT_EQ(navs[1].control, FakeOf(form->NavWB));
    EXPECT_EQ(navs[1].url, Address("soft/pb/index.html"));
    EXPECT_EQ(navs[2].control, FakeOf(form->quillMartWB));
    EXPECT_EQ(navs[2].url, Address(""));
    for (const auto& nav : navs) {
        EXPECT_EQ(nav.flags.type, OleVariant::Type::Missing);
        EXPECT_EQ(nav.headers.type, OleVariant::Type::Missing);
    }
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(MainFormTest, PanesCarryTheirStoredSettings) {
    CreateForm();
    for (TWebPane* pane : {form->NavWB, form->ContentWB, form->quillMartWB}) {
        SCOPED_TRACE(pane->Name());
        EXPECT_EQ(pane->DownloadOptions(),
                  SetOf(DownloadImages) | SetOf(DownloadVideos) | SetOf(DownloadBGSounds));
        EXPECT_EQ(pane->UserInterfaceOptions(), 0u);
        EXPECT_EQ(pane->PrintOptions().HTMLHeader, std::vector<std::string>{"<HTML></HTML>"});
        EXPECT_EQ(pane->PrintOptions().Orientation, poPortrait);
        EXPECT_EQ(pane->About(), TWebPane::IdentificationText());
        EXPECT_EQ(pane->UserAgent, TWebPane::IdentificationText())
            << "stored as the identification text";
        // The 156-byte state reached the control at set-up, the same for all three.
        ASSERT_TRUE(FakeOf(pane)->LoadedState().has_value());
        EXPECT_EQ(FakeOf(pane)->LoadedState()->size(), 156u);
        EXPECT_EQ(*FakeOf(pane)->LoadedState(), *FakeOf(form->NavWB)->LoadedState());
        EXPECT_TRUE(pane->Silent()) << "the stored state silences script errors";
        EXPECT_TRUE(pane->ControlData().empty());
    }
    EXPECT_TRUE(static_cast<bool>(form->NavWB->OnNewWindow3));
    EXPECT_FALSE(static_cast<bool>(form->ContentWB->OnNewWindow3));
    EXPECT_FALSE(static_cast<bool>(form->quillMartWB->OnNewWindow3));
    EXPECT_FALSE(static_cast<bool>(form->NavWB->OnNewWindow2));
}

TEST_F(MainFormTest, TheControlsReadTheMainWindowsHostSettings) {
    CreateForm();
    for (TWebPane* pane : {form->NavWB, form->ContentWB, form->quillMartWB}) {
        SCOPED_TRACE(pane->Name());
        FakeWebControl* fake = FakeOf(pane);
        WebHostSite* site = fake->Site();
        ASSERT_NE(site, nullptr);
        EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_DLCONTROL), Variant::FromInt(0x70));
        DocHostUiInfo info;
        EXPECT_EQ(site->GetHostInfo(info), kS_OK);
        EXPECT_EQ(info.dwFlags, 0u);
        EXPECT_FALSE(info.pchHostCss.has_value());
        for (const char* sid :
             {SID_SNewWindowManager, SID_SDownloadManager, SID_SHTMLOMWindowServices}) {
            WebService* object = nullptr;
            EXPECT_EQ(site->QueryService(sid, sid, object), kE_NOINTERFACE);
        }
        EXPECT_EQ(site->TranslateAccelerator(KeyMessage{WM_KEYDOWN, 'N', kModControl}, nullptr, 0),
                  kS_OK);
        EXPECT_EQ(site->TranslateAccelerator(KeyMessage{WM_KEYDOWN, 'P', kModControl}, nullptr, 0),
                  kS_FALSE);
        FakeCommandTarget target;
        EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_DEFAULT, {}, &target, nullptr), kS_FALSE)
            << "standard menu";
        Variant out;
        EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0, nullptr, &out),
                  kS_OK);
        EXPECT_EQ(out, Variant::FromBool(true)) << "script errors pass silently";
        EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kRefreshCommand, 0, nullptr, nullptr),
                  kOLECMDERR_E_NOTSUPPORTED)
            << "the control refreshes";
    }
    EXPECT_TRUE(form->NavWB->InstalledDialogHook())
        << "the first pane to load holds the dialog rules";
    EXPECT_FALSE(form->ContentWB->InstalledDialogHook());
    EXPECT_EQ(engine->UserAgentTokens(), std::vector<std::string>{TWebPane::IdentificationText()});
    EXPECT_FALSE(engine->Proxy().has_value());
}

TEST_F(MainFormTest, RecreatingTheWindowKeepsEachPanesPage) {
    CreateForm();
    form->Show();
    std::vector<FakeWebControl*> controls;
    for (TWebPane* pane : {form->NavWB, form->ContentWB, form->quillMartWB}) {
        FakeOf(pane)->CompleteLoad(u"file:///page.html");
        controls.push_back(FakeOf(pane));
    }
    const size_t navigations = engine->Navigations().size();
    int creates = 0;
    auto previous = form->WindowProc;
    form->WindowProc = [&creates, previous](TMessage& m) {
        if (m.Msg == WM_CREATE) ++creates;
        previous(m);
    };
    form->RecreateWnd();
    headless->ProcessPending();
    ASSERT_NE(form->PlatformWindow(), nullptr);
    EXPECT_EQ(creates, 1) << "the window was made anew";
    form->WindowProc = previous;
    int i = 0;
    for (TWebPane* pane : {form->NavWB, form->ContentWB, form->quillMartWB}) {
        SCOPED_TRACE(pane->Name());
        EXPECT_EQ(FakeOf(pane), controls[static_cast<size_t>(i++)]) << "the same control";
        EXPECT_FALSE(FakeOf(pane)->Closed());
        EXPECT_EQ(FakeOf(pane)->LoadStateCalls(), 1) << "not set up again";
        auto* view = static_cast<HeadlessNativeView*>(pane->NativeView());
        ASSERT_NE(view, nullptr) << "the view is taken back into the new window";
        EXPECT_EQ(view->Widget(), FakeOf(pane)->NativeWidget());
        if (pane == form->quillMartWB) {
            EXPECT_FALSE(view->Visible()) << "its tab is hidden";
        } else {
            EXPECT_TRUE(view->Visible());
            EXPECT_EQ(view->Geometry().Width(), pane->Width());
            EXPECT_EQ(view->Geometry().Height(), pane->Height());
        }
    }
    EXPECT_EQ(engine->Navigations().size(), navigations) << "nothing reloads";
    EXPECT_EQ(engine->Controls().size(), 3u);

    // Moving a pane to another parent keeps it too.
    form->ContentWB->SetParent(form->spSkinTabSheet5);
    headless->ProcessPending();
    EXPECT_EQ(FakeOf(form->ContentWB), controls[1]);
    EXPECT_EQ(engine->Navigations().size(), navigations);
}

TEST_F(MainFormTest, NewWindowFromTheNavigationPaneOpensInTheContentPane) {
    CreateForm();
    FakeWebControl* nav = FakeOf(form->NavWB);
    FakeWebControl* content = FakeOf(form->ContentWB);
    struct Case {
        uint32_t flags;
        WideString context;
        WideString url;
    };
    const Case cases[] = {
        {0, u"", Address("soft/pb/3.html")},
        {NWMF_USERINITIATED | NWMF_FIRST, Address("soft/pb/index.html"), Address("soft/pb/9.html")},
        {0xFFFFFFFFu, u"http://elsewhere.example/", u"http://elsewhere.example/?q=智力"},
    };
    for (const Case& c : cases) {
        const size_t before = content->Navigations().size();
        const NewWindowOutcome outcome = nav->RaiseNewWindow(c.flags, c.context, c.url);
        EXPECT_EQ(static_cast<uint16_t>(outcome.cancel), 0xFFFF);
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_EQ(outcome.newBrowser, nullptr) << "ppDisp is left untouched";
        ASSERT_EQ(content->Navigations().size(), before + 1);
        EXPECT_EQ(content->Navigations().back().url, c.url);
    }
    EXPECT_TRUE(headless->OpenedUris().empty()) << "no window of any kind was opened";
    EXPECT_EQ(nav->Navigations().size(), 1u) << "the navigation pane itself stays put";
}

TEST_F(MainFormTest, NewWindowFromTheOtherPanesIsNotRedirected) {
    CreateForm();
    FakeWebControl* content = FakeOf(form->ContentWB);
    const size_t before = engine->Navigations().size();
    for (TWebPane* pane : {form->ContentWB, form->quillMartWB}) {
        FakeOf(pane)->UserGesture();  // the user's click in that pane
        const NewWindowOutcome outcome =
            FakeOf(pane)->RaiseNewWindow(NWMF_USERINITIATED, u"", u"https://shop.example/");
        EXPECT_FALSE(outcome.cancelled) << pane->Name();
    }
    EXPECT_EQ(engine->Navigations().size(), before);
    EXPECT_EQ(content->Navigations().size(), 1u);
    // Unhandled requests take the default: the user's own browser.
    EXPECT_EQ(headless->OpenedUris(),
              (std::vector<std::string>{"https://shop.example/", "https://shop.example/"}));
}

TEST_F(MainFormTest, UnassignedEventsOfThePanesCostNothing) {
    CreateForm();
    const size_t before = engine->Navigations().size();
    for (TWebPane* pane : {form->NavWB, form->ContentWB, form->quillMartWB}) {
        FakeOf(pane)->CompleteLoad(u"file:///x.html");
        EXPECT_EQ(FakeOf(pane)->RaiseBeforeNavigate(u"file:///y.html"), kVariantFalse);
    }
    EXPECT_EQ(engine->Navigations().size(), before);
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(MainFormTest, AnErrorInTheHandlerIsShownAndTheEngineGoesOn) {
    CreateForm();
    FakeWebControl* nav = FakeOf(form->NavWB);
    FakeWebControl* content = FakeOf(form->ContentWB);
    content->FailNavigations(kE_FAIL);
    const NewWindowOutcome failed = nav->RaiseNewWindow(0, u"", Address("soft/pb/2.html"));
    EXPECT_EQ(static_cast<uint16_t>(failed.cancel), 0xFFFF)
        << "Cancel was written before the failure";
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless->MessageBoxes()[0].text, "Unspecified error");

    content->FailNavigations(kS_OK);
    const NewWindowOutcome ok = nav->RaiseNewWindow(0, u"", Address("soft/pb/4.html"));
    EXPECT_TRUE(ok.cancelled);
    EXPECT_EQ(content->Navigations().back().url, Address("soft/pb/4.html"));
    EXPECT_EQ(headless->MessageBoxes().size(), 1u);
}

// The panes are created in description order: NavWB, ContentWB, quillMartWB.
TEST_F(MainFormTest, AFailingStartNavigationSkipsTheRestShowsTheErrorAndTheFormStillShows) {
    int created = 0;
    engine->OnCreateControl = [&](FakeWebControl& control) {
        if (created++ == 1) control.FailNavigations(kINET_E_RESOURCE_NOT_FOUND);  // ContentWB
    };
    CreateForm();
    ASSERT_EQ(engine->Navigations().size(), 1u);
    EXPECT_EQ(engine->Navigations()[0].control, FakeOf(form->ContentWB));
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless->MessageBoxes()[0].text, "OLE error 800C0005");
    form->Show();
    EXPECT_TRUE(form->Visible());
    ASSERT_NE(form->PlatformWindow(), nullptr);
    EXPECT_TRUE(form->PlatformWindow()->Visible());
}

TEST_F(MainFormTest, AFailureOfTheSecondNavigationKeepsTheFirst) {
    int created = 0;
    engine->OnCreateControl = [&](FakeWebControl& control) {
        if (created++ == 0) control.FailNavigations(kE_FAIL);  // NavWB
    };
    CreateForm();
    ASSERT_EQ(engine->Navigations().size(), 2u);
    EXPECT_EQ(engine->Navigations()[0].url, Address("soft/pb/1.html"));
    EXPECT_EQ(engine->Navigations()[1].control, FakeOf(form->NavWB));
    EXPECT_TRUE(FakeOf(form->quillMartWB)->Navigations().empty());
    EXPECT_EQ(headless->MessageBoxes().size(), 1u);
}

// ---- What a page in the content or author's-site pane may start outside the program ----

TEST_F(MainFormTest, OnlyHttpHttpsAndMailtoLeaveTheProgramEachRefusalOneLogLine) {
    CreateForm();
    FakeWebControl* content = FakeOf(form->ContentWB);
    struct Case {
        WideString url;
        bool leaves;
    };
    const Case cases[] = {
        {u"http://example.org/a", true},
        {u"https://example.org/b?x=1", true},
        {u"HTTPS://EXAMPLE.ORG/", true},
        {u"mailto:puzzles@example.org", true},
        {u"ssh://attacker.example/", false},
        {u"file:///etc/passwd", false},
        {u"javascript:alert(1)", false},
        {u"x-custom-handler:run?cmd=rm", false},
        {u"vnc://host", false},
        {u"http:/no-host", false},
        {u"https://", false},
        {u" https://leading.blank/", false},
        {u"https://example.org/\nsecond line", false},
        {u"mailto:", false},
    };
    for (const Case& c : cases) {
        LogCapture log;
        const size_t before = headless->OpenedUris().size();
        content->UserGesture();  // a fresh click for each request
        const NewWindowOutcome outcome =
            content->RaiseNewWindow(NWMF_USERINITIATED, u"https://page.example/", c.url);
        const std::string url = WideToUtf8(c.url);
        EXPECT_FALSE(outcome.cancelled) << url;
        EXPECT_EQ(outcome.openedExternally, c.leaves) << url;
        EXPECT_EQ(outcome.refused, !c.leaves) << url;
        if (c.leaves) {
            ASSERT_EQ(headless->OpenedUris().size(), before + 1) << url;
            EXPECT_EQ(headless->OpenedUris().back(), url);
            EXPECT_TRUE(log.Lines().empty()) << url;
        } else {
            EXPECT_EQ(headless->OpenedUris().size(), before) << url;
            ASSERT_EQ(log.Lines().size(), 1u) << url;
            EXPECT_NE(log.Lines()[0].find("refused to open"), std::string::npos) << log.Lines()[0];
            EXPECT_NE(log.Lines()[0].find("only http, https and mailto"), std::string::npos)
                << log.Lines()[0];
            EXPECT_EQ(log.Lines()[0].find('\n'), std::string::npos) << "one line";
        }
    }
}

TEST_F(MainFormTest, WithoutAClickOrKeyPressInThePaneNothingIsLaunched) {
    CreateForm();
    LogCapture log;
    for (TWebPane* pane : {form->ContentWB, form->quillMartWB}) {
        // A script's request: neither a gesture in the pane nor the engine's user flag.
        EXPECT_TRUE(FakeOf(pane)
                        ->RaiseNewWindow(0, u"https://page.example/", u"https://ad.example/")
                        .refused);
        // The engine's flag alone is not enough: the pane saw no press.
        EXPECT_TRUE(FakeOf(pane)
                        ->RaiseNewWindow(NWMF_USERINITIATED, u"https://page.example/",
                                         u"https://ad.example/")
                        .refused);
        // A press in the pane, but the request did not come from it (a timer's).
        FakeOf(pane)->UserGesture();
        EXPECT_TRUE(FakeOf(pane)
                        ->RaiseNewWindow(0, u"https://page.example/", u"https://ad.example/")
                        .refused);
    }
    EXPECT_TRUE(headless->OpenedUris().empty());
    ASSERT_EQ(log.Lines().size(), 6u);
    for (const std::string& line : log.Lines())
        EXPECT_NE(line.find("no click or key press in the pane asked for it"), std::string::npos)
            << line;
}

TEST_F(MainFormTest, AThousandRequestsFromOneClickLaunchOnceAndTheNextClickOnceMore) {
    CreateForm();
    FakeWebControl* content = FakeOf(form->ContentWB);
    LogCapture log;
    content->UserGesture();
    for (int i = 0; i < 1000; ++i)
        content->RaiseNewWindow(NWMF_USERINITIATED, u"https://page.example/",
                                Utf8ToWide("https://target.example/?n=" + std::to_string(i)));
    EXPECT_EQ(headless->OpenedUris(), std::vector<std::string>{"https://target.example/?n=0"});
    EXPECT_EQ(log.Lines().size(), 999u) << "each refused request one line";
    for (const std::string& line : log.Lines())
        EXPECT_NE(line.find("one launch per click or key press"), std::string::npos) << line;

    // A press in another pane gives this one nothing.
    FakeOf(form->quillMartWB)->UserGesture();
    content->RaiseNewWindow(NWMF_USERINITIATED, u"", u"https://target.example/again");
    EXPECT_EQ(headless->OpenedUris().size(), 1u);

    // A second click in the pane: one more.
    content->UserGesture();
    for (int i = 0; i < 1000; ++i)
        content->RaiseNewWindow(NWMF_USERINITIATED, u"", u"https://target.example/second");
    EXPECT_EQ(headless->OpenedUris(), (std::vector<std::string>{"https://target.example/?n=0",
                                                                "https://target.example/second"}));
    EXPECT_EQ(content->Launches().Launches(), 2u);
}

TEST_F(MainFormTest, ARefusedSchemeLeavesTheClickForTheNextRequest) {
    CreateForm();
    FakeWebControl* content = FakeOf(form->ContentWB);
    LogCapture log;
    content->UserGesture();
    EXPECT_TRUE(
        content->RaiseNewWindow(NWMF_USERINITIATED, u"", u"ssh://attacker.example/").refused);
    EXPECT_TRUE(
        content->RaiseNewWindow(NWMF_USERINITIATED, u"", u"mailto:a@example.org").openedExternally);
    EXPECT_EQ(headless->OpenedUris(), std::vector<std::string>{"mailto:a@example.org"});
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST_F(MainFormTest, TheNavigationPanesRedirectStaysAndLogsNothing) {
    CreateForm();
    FakeWebControl* nav = FakeOf(form->NavWB);
    FakeWebControl* content = FakeOf(form->ContentWB);
    LogCapture log;
    // No gesture at all: the navigation pane's handler takes every request, as before.
    for (int i = 0; i < 1000; ++i) {
        const NewWindowOutcome outcome =
            nav->RaiseNewWindow(0, u"", Utf8ToWide("ssh://x.example/?n=" + std::to_string(i)));
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_FALSE(outcome.refused);
    }
    EXPECT_EQ(content->Navigations().size(), 1001u) << "the start page and every request";
    EXPECT_TRUE(headless->OpenedUris().empty());
    EXPECT_TRUE(log.Lines().empty()) << "a request a handler took is no refusal";
}

TEST_F(MainFormTest, AHandlerThatFreesThePaneEndsTheRequest) {
    CreateForm();
    FakeWebControl* content = FakeOf(form->ContentWB);
    content->UserGesture();
    form->ContentWB->OnNewWindow2 = [this](TComponent*, WebObject*&, VariantBool&) {
        TWebPane* gone = form->ContentWB;  // nothing of this function is used after the delete
        form->ContentWB = nullptr;
        delete gone;
    };
    LogCapture log;
    const NewWindowOutcome outcome =
        content->RaiseNewWindow(NWMF_USERINITIATED, u"", u"https://example.org/");
    EXPECT_FALSE(outcome.openedExternally);
    EXPECT_TRUE(headless->OpenedUris().empty());
    EXPECT_EQ(form->ContentWB, nullptr);
}

}  // namespace
