// The browser wrapper over the fake engine: creation and set-up, the default interface,
// navigation and commands, properties, and the event dispatch.
#include "browser/WebControl.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"

using namespace platform;

namespace {

class WebControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        engine = &InstallFakeWebEngine();
        web = std::make_unique<TWebControl>(nullptr);
        fake = static_cast<FakeWebControl*>(web->ControlObject());
    }
    void TearDown() override { web.reset(); }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TWebControl> web;
    FakeWebControl* fake = nullptr;
};

TEST_F(WebControlTest, CreatesTheBrowserClassAndSetsUpOnFirstUseWithTheStoredState) {
    ASSERT_NE(fake, nullptr);
    EXPECT_EQ(fake->ClassId(), "{8856F961-340A-11D0-A96B-00C04FD705A2}");
    EXPECT_FALSE(fake->StateLoaded());
    EXPECT_EQ(fake->Sink(), nullptr) << "no events before set-up";

    const std::vector<uint8_t> block(156, 0xA5);
    web->SetControlData(block);
    web->Navigate(u"about:blank");
    EXPECT_EQ(fake->LoadStateCalls(), 1);
    ASSERT_TRUE(fake->LoadedState().has_value());
    EXPECT_EQ(*fake->LoadedState(), block);
    EXPECT_NE(fake->Sink(), nullptr);
    EXPECT_TRUE(web->ControlData().empty()) << "the block is dropped once handed over";

    web->SetUpControl();
    EXPECT_EQ(fake->LoadStateCalls(), 1) << "set-up happens once";
}

TEST_F(WebControlTest, WithoutStoredStateTheControlStartsAFreshOne) {
    web->SetUpControl();
    EXPECT_EQ(fake->LoadStateCalls(), 1);
    EXPECT_FALSE(fake->LoadedState().has_value());
}

TEST_F(WebControlTest, AClassTheEngineCannotCreateIsAnError) {
    engine->RefuseCreation = true;
    try {
        TWebControl other(nullptr);
        FAIL() << "creation should fail";
    } catch (const EOleResultError& e) {
        EXPECT_EQ(e.ErrorCode(), kREGDB_E_CLASSNOTREG);
        EXPECT_STREQ(e.what(), "Class not registered");
    }
}

TEST_F(WebControlTest, DefaultInterfaceIsCachedAndItsAbsenceIsInterfaceNotSupported) {
    WebBrowserAutomation& first = web->DefaultInterface();
    fake->SetOffersAutomation(false);
    EXPECT_EQ(&web->DefaultInterface(), &first) << "the cached reference is used";

    TWebControl other(nullptr);
    static_cast<FakeWebControl*>(other.ControlObject())->SetOffersAutomation(false);
    try {
        other.Navigate(u"about:blank");
        FAIL() << "navigation without the automation interface should fail";
    } catch (const EIntfCastError& e) {
        EXPECT_STREQ(e.what(), "Interface not supported");
    }
}

TEST_F(WebControlTest, OneArgumentNavigateLeavesEveryOptionalArgumentMissing) {
    web->Navigate(u"file:///site/soft/pb/1.html");
    ASSERT_EQ(fake->Navigations().size(), 1u);
    const FakeNavigation& nav = fake->Navigations()[0];
    EXPECT_EQ(nav.url, u"file:///site/soft/pb/1.html");
    EXPECT_EQ(nav.flags.type, OleVariant::Type::Missing);
    EXPECT_EQ(nav.targetFrameName.type, OleVariant::Type::Missing);
    EXPECT_EQ(nav.postData.type, OleVariant::Type::Missing);
    EXPECT_EQ(nav.headers.type, OleVariant::Type::Missing);

    web->Navigate(u"http://x/", OleVariant::FromInt(navNoHistory), OleVariant::FromString(u"main"),
                  OleVariant::FromBytes({'a', '=', '1'}), OleVariant::FromString(u"X-A: b\r\n"));
    const FakeNavigation& full = fake->Navigations().at(1);
    EXPECT_EQ(full.flags.intValue, navNoHistory);
    EXPECT_EQ(full.targetFrameName.text, u"main");
    EXPECT_EQ(full.postData.bytes, (std::vector<uint8_t>{'a', '=', '1'}));
    EXPECT_EQ(full.headers.text, u"X-A: b\r\n");
}

TEST_F(WebControlTest, AFailingNavigationIsRaisedWithItsCode) {
    fake->FailNavigations(kINET_E_RESOURCE_NOT_FOUND);
    try {
        web->Navigate(u"http://nowhere/");
        FAIL() << "a failure code must be raised";
    } catch (const EOleResultError& e) {
        EXPECT_EQ(e.ErrorCode(), kINET_E_RESOURCE_NOT_FOUND);
        EXPECT_STREQ(e.what(), "OLE error 800C0005");
    }
    fake->FailNavigations(kS_FALSE);  // success codes other than S_OK are not errors
    EXPECT_NO_THROW(web->Navigate(u"http://x/"));
}

TEST_F(WebControlTest, ExecWBPassesTheInputAndRaisesFailures) {
    fake->SetExecResult(kS_OK, OleVariant::FromInt(150));
    OleVariant in = OleVariant::FromInt(2);
    OleVariant out;
    web->ExecWB(OLECMDID_OPTICAL_ZOOM, 0, in, out);
    ASSERT_EQ(fake->ExecCalls().size(), 1u);
    EXPECT_EQ(fake->ExecCalls()[0].commandId, OLECMDID_OPTICAL_ZOOM);
    EXPECT_EQ(fake->ExecCalls()[0].in.intValue, 2);
    EXPECT_EQ(out.intValue, 150);

    fake->SetExecResult(kOLECMDERR_E_NOTSUPPORTED);
    OleVariant empty;
    EXPECT_THROW(web->ExecWB(27, 0, empty), EOleResultError);
}

TEST_F(WebControlTest, PropertiesGoStraightToTheControl) {
    web->SetSilent(true);
    web->SetToolBar(3);
    web->SetStatusText(u"就绪 Ready");
    web->SetRegisterAsDropTarget(false);
    Variant raw;
    ASSERT_EQ(fake->GetProperty(DISPID_PROP_SILENT, raw), kS_OK);
    EXPECT_EQ(raw.boolValue, kVariantTrue);
    EXPECT_TRUE(web->Silent());
    EXPECT_EQ(web->ToolBar(), 3);
    EXPECT_EQ(web->StatusText(), u"就绪 Ready");
    EXPECT_FALSE(web->RegisterAsDropTarget());
    EXPECT_TRUE(web->BrowserVisible());
    EXPECT_TRUE(web->Resizable());
    EXPECT_FALSE(web->TheaterMode());

    // The store refuses values of the wrong kind and unknown ids.
    EXPECT_EQ(fake->PutProperty(DISPID_PROP_SILENT, Variant::FromInt(1)), kDISP_E_TYPEMISMATCH);
    EXPECT_EQ(fake->PutProperty(9999, Variant::FromBool(true)), kDISP_E_MEMBERNOTFOUND);
}

// ---- Event table and dispatch ----

TEST(WebControlEvents, TableHasTheThirtyFourEventsInSlotOrder) {
    const int32_t expected[34] = {102, 108, 105, 106, 104, 113, 112, 250, 251, 252, 259, 253,
                                  254, 255, 256, 257, 258, 260, 261, 262, 264, 265, 266, 267,
                                  263, 268, 269, 270, 271, 225, 226, 227, 272, 273};
    const TWebControlDescription& d = TWebControl::ControlDescription();
    EXPECT_EQ(d.EventCount, 34);
    EXPECT_EQ(d.Version, 401);
    EXPECT_EQ(d.Flags, 0u);
    EXPECT_STREQ(d.EventIID, "{34A715A0-6587-11D0-924A-0020AFC7AC4D}");
    for (int i = 0; i < 34; ++i) {
        EXPECT_EQ(d.EventDispIDs[i], expected[i]) << "slot " << i;
        EXPECT_EQ(TWebControl::EventSlot(expected[i]), i);
    }
    EXPECT_STREQ(TWebControl::EventName(33), "OnNewWindow3");
    EXPECT_STREQ(TWebControl::EventName(0), "OnStatusTextChange");
    EXPECT_EQ(TWebControl::EventSlot(999), -1);
    EXPECT_EQ(TWebControl::EventName(34), nullptr);
}

TEST_F(WebControlTest, ArgumentsArriveInDeclaredOrderAndReferencesAreWrittenBack) {
    web->SetUpControl();
    std::vector<std::string> seen;
    web->OnBeforeNavigate2 = [&](TComponent* sender, WebObject* pDisp, OleVariant& URL,
                                 OleVariant& Flags, OleVariant& Target, OleVariant& Post,
                                 OleVariant& Headers, VariantBool& Cancel) {
        EXPECT_EQ(sender, web.get());
        EXPECT_EQ(pDisp, static_cast<WebObject*>(fake));
        EXPECT_EQ(URL.text, u"u");
        EXPECT_EQ(Flags.intValue, 7);
        EXPECT_EQ(Target.text, u"t");
        EXPECT_EQ(Post.bytes.size(), 2u);
        EXPECT_EQ(Headers.text, u"h");
        URL = OleVariant::FromString(u"rewritten");
        Cancel = kVariantTrue;
    };
    OleVariant url = OleVariant::FromString(u"u"), flags = OleVariant::FromInt(7),
               target = OleVariant::FromString(u"t");
    OleVariant post = OleVariant::FromBytes({1, 2}), headers = OleVariant::FromString(u"h");
    VariantBool cancel = kVariantFalse;
    EXPECT_EQ(fake->Raise(
                  DISPID_BEFORENAVIGATE2,
                  {EventArg::Object(fake), EventArg::RefVariant(&url), EventArg::RefVariant(&flags),
                   EventArg::RefVariant(&target), EventArg::RefVariant(&post),
                   EventArg::RefVariant(&headers), EventArg::RefBool(&cancel)}),
              kS_OK);
    EXPECT_EQ(cancel, kVariantTrue);
    EXPECT_EQ(url.text, u"rewritten");

    int32_t cx = 10, cy = 20;
    web->OnClientToHostWindow = [](TComponent*, int32_t& CX, int32_t& CY) {
        EXPECT_EQ(CX, 10);
        EXPECT_EQ(CY, 20);
        CX = 640;
        CY = 480;
    };
    fake->Raise(DISPID_CLIENTTOHOSTWINDOW, {EventArg::RefInt(&cx), EventArg::RefInt(&cy)});
    EXPECT_EQ(cx, 640);
    EXPECT_EQ(cy, 480);

    // A two-value event: Progress first, then ProgressMax.
    int32_t progress = 0, progressMax = 0;
    web->OnProgressChange = [&](TComponent*, int32_t p, int32_t m) {
        progress = p, progressMax = m;
    };
    fake->Raise(DISPID_PROGRESSCHANGE, {EventArg::Int(25), EventArg::Int(100)});
    EXPECT_EQ(progress, 25);
    EXPECT_EQ(progressMax, 100);
}

TEST_F(WebControlTest, NewWindow3HandlerCancelComesBackAsAllBitsSet) {
    web->SetUpControl();
    WideString gotUrl, gotContext;
    uint32_t gotFlags = 0;
    web->OnNewWindow3 = [&](TComponent*, WebObject*&, VariantBool& Cancel, uint32_t dwFlags,
                            const WideString& ctx, const WideString& url) {
        Cancel = kVariantTrue;
        gotFlags = dwFlags;
        gotContext = ctx;
        gotUrl = url;
    };
    const NewWindowOutcome outcome =
        fake->RaiseNewWindow(NWMF_USERINITIATED, u"file:///a.html", u"file:///b.html");
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(static_cast<uint16_t>(outcome.cancel), 0xFFFF);
    EXPECT_FALSE(outcome.openedExternally);
    EXPECT_TRUE(headless->OpenedUris().empty());
    EXPECT_EQ(gotFlags, NWMF_USERINITIATED);
    EXPECT_EQ(gotContext, u"file:///a.html");
    EXPECT_EQ(gotUrl, u"file:///b.html");
}

TEST_F(WebControlTest, UncancelledNewWindowGoesToTheDefaultBrowser) {
    web->SetUpControl();
    fake->UserGesture();  // the user's click in the pane
    const NewWindowOutcome outcome =
        fake->RaiseNewWindow(NWMF_USERINITIATED, u"file:///a.html", u"https://example.com/");
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.openedExternally);
    ASSERT_EQ(headless->OpenedUris().size(), 1u);
    EXPECT_EQ(headless->OpenedUris()[0], "https://example.com/");

    // Cancelling in OnNewWindow2 settles it: OnNewWindow3 is not asked.
    bool asked3 = false;
    web->OnNewWindow2 = [](TComponent*, WebObject*&, VariantBool& Cancel) {
        Cancel = kVariantTrue;
    };
    web->OnNewWindow3 = [&](TComponent*, WebObject*&, VariantBool&, uint32_t, const WideString&,
                            const WideString&) { asked3 = true; };
    fake->UserGesture();
    EXPECT_TRUE(fake->RaiseNewWindow(NWMF_USERINITIATED, u"", u"https://example.com/2").cancelled);
    EXPECT_FALSE(asked3);
    EXPECT_EQ(headless->OpenedUris().size(), 1u);
}

TEST_F(WebControlTest, UnassignedOrUnknownEventsCostNothing) {
    web->SetUpControl();
    VariantBool cancel = 0x1234;  // an odd value a handler would overwrite
    WebObject* disp = nullptr;
    EXPECT_EQ(
        fake->Raise(DISPID_NEWWINDOW2, {EventArg::RefObject(&disp), EventArg::RefBool(&cancel)}),
        kS_OK);
    EXPECT_EQ(cancel, 0x1234);
    EXPECT_EQ(fake->Raise(4242, {EventArg::Int(1)}), kS_OK);
    EXPECT_EQ(fake->Raise(DISPID_PROPERTYCHANGE, {}), kS_OK);
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(WebControlTest, MalformedCallsReachNoHandler) {
    web->SetUpControl();
    int calls = 0;
    web->OnTitleChange = [&](TComponent*, const WideString&) { ++calls; };
    web->OnFileDownload = [&](TComponent*, VariantBool&) { ++calls; };
    const WideString title = u"t";
    // Too few, too many, wrong kinds, a by-value where a reference is required, a null reference.
    fake->Raise(DISPID_TITLECHANGE, {});
    fake->Raise(DISPID_TITLECHANGE, {EventArg::String(title), EventArg::String(title)});
    fake->Raise(DISPID_TITLECHANGE, {EventArg::Int(3)});
    fake->Raise(DISPID_FILEDOWNLOAD, {EventArg::Bool(kVariantTrue)});
    fake->Raise(DISPID_FILEDOWNLOAD, {EventArg::RefBool(nullptr)});
    EXPECT_EQ(calls, 0);
    fake->Raise(DISPID_TITLECHANGE, {EventArg::String(title)});
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(WebControlTest, HandlerErrorsGoToTheApplicationAndTheControlCarriesOn) {
    web->SetUpControl();
    int titles = 0;
    web->OnTitleChange = [&](TComponent*, const WideString&) {
        ++titles;
        throw Exception("handler failed");
    };
    const WideString title = u"页面 Page";
    EXPECT_EQ(fake->Raise(DISPID_TITLECHANGE, {EventArg::String(title)}), kS_OK);
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_NE(headless->MessageBoxes()[0].text.find("handler failed"), std::string::npos);

    // The control goes on: later events are still delivered, navigation still works.
    EXPECT_EQ(fake->Raise(DISPID_TITLECHANGE, {EventArg::String(title)}), kS_OK);
    EXPECT_EQ(titles, 2);
    EXPECT_NO_THROW(web->Navigate(u"about:blank"));
    EXPECT_EQ(fake->Navigations().size(), 1u);
}

TEST_F(WebControlTest, StockEventsReachTheFrameworkHandlers) {
    web->SetUpControl();
    int clicks = 0;
    web->OnClick = [&](TComponent*) { ++clicks; };
    web->OnKeyDown = [](TComponent*, uint16_t& key, TShiftState shift) {
        EXPECT_EQ(shift, ssCtrl);
        key = 0;  // swallow
    };
    fake->Raise(-600, {});
    EXPECT_EQ(clicks, 1);
    int32_t keyCode = 'N';
    fake->Raise(-602, {EventArg::RefInt(&keyCode), EventArg::Int(2)});
    EXPECT_EQ(keyCode, 0);
    EXPECT_EQ(fake->Raise(-603, {}), kS_OK) << "a malformed stock event is dropped";
}

TEST_F(WebControlTest, DestroyingTheComponentReleasesTheControl) {
    web->SetUpControl();
    ASSERT_EQ(engine->Controls().size(), 1u);
    web.reset();
    EXPECT_TRUE(engine->Controls().empty());
}

// ---- Handlers that free their own control ----

TEST_F(WebControlTest, AHandlerThatFreesTheControlEndsTheDispatch) {
    web->SetUpControl();
    int watched = 0;
    web->AddEventObserver([&](TWebControl&, int32_t, std::span<const EventArg>) { ++watched; });
    web->OnTitleChange = [&](TComponent*, const WideString&) { web.reset(); };
    const WideString title = u"bye";
    EXPECT_EQ(fake->Raise(DISPID_TITLECHANGE, {EventArg::String(title)}), kS_OK);
    EXPECT_EQ(web, nullptr);
    EXPECT_EQ(watched, 0) << "no watcher of a freed control is told";
}

TEST_F(WebControlTest, AWatcherThatFreesTheControlEndsTheDispatch) {
    web->SetUpControl();
    int later = 0;
    web->AddEventObserver([&](TWebControl&, int32_t, std::span<const EventArg>) { web.reset(); });
    web->AddEventObserver([&](TWebControl&, int32_t, std::span<const EventArg>) { ++later; });
    fake->Raise(DISPID_DOWNLOADBEGIN, {});
    EXPECT_EQ(web, nullptr);
    EXPECT_EQ(later, 0);
}

}  // namespace
