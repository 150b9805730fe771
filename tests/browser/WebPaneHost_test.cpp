// TCustomWebPane as its web control sees it (through the fake engine): the flag words and
// ambient properties, the context menu, control keys, the command target, the services,
// drag and drop, window moves, and what happens when a handler fails.
#include <gtest/gtest.h>

#include <climits>

#include "browser/BrowserClasses.h"
#include "browser/WebPaneCore.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/UiClasses.h"

using namespace platform;

namespace {

class WebPaneHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        engine = &InstallFakeWebEngine();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 80, 400, 300);
        pane = new TCustomWebPane(form.get());
        pane->SetParent(form.get());
        pane->SetUpControl();
        fake = static_cast<FakeWebControl*>(pane->ControlObject());
        site = fake->Site();
    }
    void TearDown() override { form.reset(); }

    HResult Key(uint32_t message, uint32_t vk, uint32_t modifiers) {
        return site->TranslateAccelerator(KeyMessage{message, vk, modifiers}, nullptr, 0);
    }
    HResult Query(const char* sid) {
        WebService* object = reinterpret_cast<WebService*>(1);
        const HResult hr = site->QueryService(sid, sid, object);
        lastService = object;
        return hr;
    }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TForm> form;
    TCustomWebPane* pane = nullptr;
    FakeWebControl* fake = nullptr;
    WebHostSite* site = nullptr;
    WebService* lastService = nullptr;
};

// ---- Flag words and ambient properties ----

TEST_F(WebPaneHostTest, TheControlGetsTheSiteAndReadsTheDefaultFlagWords) {
    ASSERT_EQ(site, static_cast<WebHostSite*>(pane));
    const Variant flags = fake->ReadAmbient(DISPID_AMBIENT_DLCONTROL);
    ASSERT_EQ(flags.type, Variant::Type::Int32);
    EXPECT_EQ(flags.intValue, 0x70);
    DocHostUiInfo info;
    info.dwFlags = 0xDEAD;
    info.pchHostCss = u"stale";
    EXPECT_EQ(site->GetHostInfo(info), kS_OK);
    EXPECT_EQ(info.cbSize, 20u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_FALSE(info.pchHostCss.has_value()) << "the record is cleared first";
    EXPECT_FALSE(info.pchHostNS.has_value());
    // Set-up tells the control that every ambient property changed.
    ASSERT_FALSE(fake->AmbientChanges().empty());
    EXPECT_EQ(fake->AmbientChanges().back(), DISPID_UNKNOWN);
}

TEST_F(WebPaneHostTest, FlagWordsAreTheSumsOfTheMembersValues) {
    pane->SetDownloadOptions((1u << 19) - 1);
    EXPECT_EQ(pane->DownloadControlFlagWord(), 0xF007FFF0u);
    pane->SetDownloadOptions(SetOf(DontExecuteScripts) | SetOf(WorkOffline));
    EXPECT_EQ(static_cast<uint32_t>(fake->ReadAmbient(DISPID_AMBIENT_DLCONTROL).intValue),
              0x80000080u);
    pane->SetUserInterfaceOptions((1u << 29) - 1);
    EXPECT_EQ(pane->UserInterfaceFlagWord(), 0x3FFF7FFFu) << "0x8000 belongs to no member";
    pane->SetUserInterfaceOptions(SetOf(DisableTextSelect) | SetOf(ForceSameWindowNavigation));
    DocHostUiInfo info;
    site->GetHostInfo(info);
    EXPECT_EQ(info.dwFlags, 0x10001u);
    pane->SetDownloadOptions(0);
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_DLCONTROL).intValue, 0);
}

TEST_F(WebPaneHostTest, ChangingDownloadOptionsSendsOneAmbientChange) {
    const size_t before = fake->AmbientChanges().size();
    pane->SetDownloadOptions(SetOf(DownloadImages));
    ASSERT_EQ(fake->AmbientChanges().size(), before + 1);
    EXPECT_EQ(fake->AmbientChanges().back(), DISPID_AMBIENT_DLCONTROL);
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_DLCONTROL).intValue, 0x10);
}

TEST_F(WebPaneHostTest, UserModeFollowsTheEditModeFlagAndBadWritesChangeNothing) {
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_USERMODE), Variant::FromBool(true));
    Variant no[] = {Variant::FromBool(false)};
    EXPECT_EQ(site->Invoke(DISPID_AMBIENT_USERMODE, nullptr, 0, DISPATCH_PROPERTYPUT, no, nullptr,
                           nullptr, nullptr),
              kS_OK);
    EXPECT_TRUE(pane->EditMode());
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_USERMODE), Variant::FromBool(false));
    // A write without its argument, or with one that is no boolean, is refused.
    EXPECT_TRUE(Failed(site->Invoke(DISPID_AMBIENT_USERMODE, nullptr, 0, DISPATCH_PROPERTYPUT, {},
                                    nullptr, nullptr, nullptr)));
    Variant text[] = {Variant::FromString(u"yes")};
    EXPECT_TRUE(Failed(site->Invoke(DISPID_AMBIENT_USERMODE, nullptr, 0, DISPATCH_PROPERTYPUT, text,
                                    nullptr, nullptr, nullptr)));
    EXPECT_TRUE(pane->EditMode());
}

TEST_F(WebPaneHostTest, OtherAmbientsComeFromTheFrameworkAndOnInvokeOnlySeesTheMisses) {
    pane->SetName("Pane1");
    std::vector<std::pair<int32_t, HResult>> seen;
    pane->OnInvoke = [&](int32_t id, const char*, uint32_t, uint16_t, std::span<OleVariant>,
                         OleVariant*, WebExcepInfo*, uint32_t*,
                         HResult rezult) { seen.emplace_back(id, rezult); };
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_AUTOCLIP), Variant::FromBool(true));
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_SUPPORTSMNEMONICS), Variant::FromBool(true));
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_SHOWHATCHING), Variant::FromBool(false));
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_UIDEAD), Variant::FromBool(false));
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_DISPLAYNAME), Variant::FromString(u"Pane1"));
    EXPECT_EQ(fake->ReadAmbient(DISPID_AMBIENT_BACKCOLOR),
              Variant::FromUInt(static_cast<uint32_t>(pane->Color())));
    EXPECT_TRUE(seen.empty());

    Variant result;
    EXPECT_EQ(site->Invoke(-9999, nullptr, 0, DISPATCH_PROPERTYGET, {}, &result, nullptr, nullptr),
              kDISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(site->Invoke(DISPID_AMBIENT_AUTOCLIP, nullptr, 0, DISPATCH_METHOD, {}, &result,
                           nullptr, nullptr),
              kDISP_E_MEMBERNOTFOUND)
        << "no get flag";
    EXPECT_EQ(site->Invoke(DISPID_AMBIENT_AUTOCLIP, nullptr, 0, DISPATCH_PROPERTYGET, {}, nullptr,
                           nullptr, nullptr),
              kDISP_E_MEMBERNOTFOUND)
        << "no result slot";
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(-9999, kDISP_E_MEMBERNOTFOUND));

    uint32_t count = 7;
    EXPECT_EQ(site->GetTypeInfoCount(count), kS_OK);
    EXPECT_EQ(count, 0u);
}

// ---- Context menu ----

WebContextMenu Menu(std::initializer_list<uint32_t> commands) {
    WebContextMenu menu;
    for (uint32_t c : commands) menu.items.push_back(WebMenuItem{c, "item", false, true, nullptr});
    return menu;
}

TEST_F(WebPaneHostTest, AllSuppressesEveryMenuKindAndMembersSuppressTheirKind) {
    FakeCommandTarget target;
    target.menus[CONTEXT_MENU_DEFAULT] = Menu({IDM_GOBACKWARD});
    pane->DisabledPopupMenus = SetOf(rcmAll);
    for (uint32_t kind : {0u, 1u, 4u, 5u, 9u, 10u, 42u}) {
        EXPECT_EQ(site->ShowContextMenu(kind, {5, 5}, &target, nullptr), kS_OK) << kind;
    }
    EXPECT_TRUE(target.trackedMenus.empty()) << "no menu at all";

    pane->DisabledPopupMenus = SetOf(rcmAnchor) | SetOf(rcmImage);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_ANCHOR, {}, &target, nullptr), kS_OK);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_IMAGE, {}, &target, nullptr), kS_OK);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_DEFAULT, {}, &target, nullptr), kS_FALSE)
        << "kinds not in the set get the standard menu";
    EXPECT_EQ(site->ShowContextMenu(10, {}, &target, nullptr), kS_FALSE)
        << "only kinds below 10 map to members";

    pane->OnShowContextMenu = [](uint32_t, TPoint, WebCommandTarget*, WebObject*) {
        return kE_FAIL;
    };
    pane->DisabledPopupMenus = SetOf(rcmAll);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_DEFAULT, {}, &target, nullptr), kE_FAIL)
        << "the event decides";
}

TEST_F(WebPaneHostTest, AFilteringHostShowsItsOwnMenuWithTheEncodingSubmenu) {
    FakeCommandTarget target;
    target.menus[CONTEXT_MENU_ANCHOR] = Menu({IDM_OPENLINK, IDM_OPENINNEWWINDOW, IDM_LANGUAGE});
    target.choice = IDM_OPENLINK;
    fake->EncodingMenu = Menu({9001, 9002});
    WebObject context;
    std::vector<uint32_t> filteredIds;
    std::vector<WebObject*> contexts;
    pane->OnFilterPopupMenu = [&](uint32_t id, WebContextMenu* menu, WebObject* ctx) {
        filteredIds.push_back(id);
        contexts.push_back(ctx);
        menu->DeleteCommand(IDM_OPENINNEWWINDOW);
    };
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_ANCHOR, {30, 40}, &target, &context), kS_OK);
    EXPECT_EQ(filteredIds, std::vector<uint32_t>{CONTEXT_MENU_ANCHOR});
    EXPECT_EQ(contexts, std::vector<WebObject*>{&context});
    ASSERT_EQ(target.trackedMenus.size(), 1u);
    EXPECT_EQ(target.trackedAt[0], (TPoint{30, 40}));
    EXPECT_EQ(target.trackedMenus[0].Commands(),
              (std::vector<uint32_t>{IDM_OPENLINK, IDM_LANGUAGE, 9001, 9002}));
    EXPECT_EQ(target.sentCommands, std::vector<uint32_t>{IDM_OPENLINK});
    ASSERT_FALSE(fake->ExecCalls().empty());
    EXPECT_EQ(fake->ExecCalls().back().commandId, kEncodingMenuCommand);
    EXPECT_EQ(fake->ExecCalls().back().execOption, 0);

    // Nothing chosen: nothing sent. No menu of that kind, or no command target: standard menu.
    target.choice = 0;
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_ANCHOR, {}, &target, nullptr), kS_OK);
    EXPECT_EQ(target.sentCommands.size(), 1u);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_TABLE, {}, &target, nullptr), kS_FALSE);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_ANCHOR, {}, nullptr, nullptr), kS_FALSE);
}

TEST_F(WebPaneHostTest, MenuDeletionByCommandSearchesSubmenusAndTidiesSeparators) {
    WebContextMenu menu = Menu({1, 2});
    menu.items.insert(menu.items.begin() + 1, WebMenuItem{0, "", true, true, nullptr});
    auto sub = std::make_shared<WebContextMenu>(Menu({3, 4}));
    menu.items.push_back(WebMenuItem{0, "More", false, true, sub});
    EXPECT_TRUE(menu.DeleteCommand(4));
    EXPECT_EQ(menu.Commands(), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_TRUE(menu.DeleteCommand(1));
    ASSERT_FALSE(menu.items.empty());
    EXPECT_FALSE(menu.items.front().separator) << "no separator left at the top";
    EXPECT_FALSE(menu.DeleteCommand(1));
    EXPECT_FALSE(menu.DeleteCommand(0)) << "separators are not addressed by command";
}

TEST_F(WebPaneHostTest, AFailingEncodingMenuCallShowsTheErrorAndFallsBackToTheStandardMenu) {
    FakeCommandTarget target;
    target.menus[CONTEXT_MENU_DEFAULT] = Menu({IDM_REFRESH});
    pane->OnFilterPopupMenu = [](uint32_t, WebContextMenu*, WebObject*) {};
    fake->SetExecResult(kE_FAIL);
    EXPECT_EQ(site->ShowContextMenu(CONTEXT_MENU_DEFAULT, {}, &target, nullptr), kS_FALSE);
    EXPECT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_TRUE(target.trackedMenus.empty());
}

// ---- Control keys ----

TEST_F(WebPaneHostTest, ControlNIsSwallowedWithItsLetterAndControlPReachesTheControl) {
    std::string masked;
    pane->OnMaskedCtrlChar = [&](TComponent* sender, char c) {
        EXPECT_EQ(sender, pane);
        masked += c;
    };
    int translated = 0;
    pane->OnTranslateAccelerator = [&](const KeyMessage&, const char*, uint32_t) {
        ++translated;
        return kS_FALSE;
    };
    EXPECT_EQ(Key(WM_KEYDOWN, 'N', kModControl), kS_OK);
    EXPECT_EQ(masked, "N");
    EXPECT_EQ(translated, 0) << "a masked key goes no further";
    EXPECT_EQ(Key(WM_KEYDOWN, 'N', kModControl | kModShift), kS_OK);
    EXPECT_EQ(Key(WM_KEYDOWN, 'P', kModControl), kS_FALSE);
    EXPECT_EQ(Key(WM_KEYDOWN, 'N', 0), kS_FALSE) << "N alone";
    EXPECT_EQ(Key(WM_KEYUP, 'N', kModControl), kS_FALSE) << "only key presses";
    EXPECT_EQ(Key(WM_SYSKEYDOWN, 'N', kModControl | kModAlt), kS_FALSE);
    EXPECT_EQ(Key(WM_KEYDOWN, 0x14E, kModControl), kS_OK) << "the key code's low byte counts";
    EXPECT_EQ(masked, "NNN");
    EXPECT_EQ(translated, 4);

    pane->SetCtrlCharMask("");
    EXPECT_EQ(Key(WM_KEYDOWN, 'N', kModControl), kS_FALSE);
    pane->OnTranslateAccelerator = [](const KeyMessage&, const char*, uint32_t) { return kS_OK; };
    EXPECT_EQ(Key(WM_KEYDOWN, 'N', kModControl), kS_OK) << "the event's result";
}

// ---- Command target ----

TEST_F(WebPaneHostTest, RefreshIsSuppressedOnlyWhenOnRefreshCancels) {
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kRefreshCommand, 0, nullptr, nullptr),
              kOLECMDERR_E_NOTSUPPORTED);
    std::vector<int32_t> ids;
    bool cancel = true;
    pane->OnRefresh = [&](TComponent* sender, int32_t id, bool& c) {
        EXPECT_EQ(sender, pane);
        EXPECT_FALSE(c) << "Cancel starts false";
        ids.push_back(id);
        c = cancel;
    };
    for (uint32_t command : {kRefreshCommand, kRefreshTopCommand, kRefreshTopFullCommand}) {
        EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, command, 0, nullptr, nullptr), kS_OK);
    }
    // The group is compared without regard to case.
    EXPECT_EQ(
        site->Exec("{f38bc242-b950-11d1-8918-00c04fc2c836}", kRefreshCommand, 0, nullptr, nullptr),
        kS_OK);
    cancel = false;
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kRefreshCommand, 0, nullptr, nullptr),
              kOLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(ids, (std::vector<int32_t>{2300, 6041, 6042, 2300, 2300}));
    EXPECT_EQ(site->Exec(CGID_Explorer, kRefreshCommand, 0, nullptr, nullptr),
              kOLECMDERR_E_NOTSUPPORTED)
        << "another group's command";
}

TEST_F(WebPaneHostTest, ScriptErrorsFollowScriptErrorAction) {
    Variant out;
    EXPECT_EQ(pane->ScriptErrorAction, eaContinue);
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0, nullptr, &out),
              kS_OK);
    EXPECT_EQ(out, Variant::FromBool(true));
    pane->ScriptErrorAction = eaCancel;
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0, nullptr, &out),
              kS_OK);
    EXPECT_EQ(out, Variant::FromBool(false));
    pane->ScriptErrorAction = eaAskUser;
    out = Variant::FromInt(5);
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0, nullptr, &out),
              kS_FALSE);
    EXPECT_EQ(out, Variant::FromInt(5)) << "the control asks the user";
    pane->ScriptErrorAction = eaContinue;
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0, nullptr, nullptr),
              kS_OK)
        << "no output slot";
}

TEST_F(WebPaneHostTest, UnloadAndOtherCommandsGoToTheirEvents) {
    EXPECT_EQ(site->Exec(CGID_Explorer, kUnloadCommand, 0, nullptr, nullptr),
              kOLECMDERR_E_NOTSUPPORTED);
    int unloads = 0;
    pane->OnUnload = [&](TComponent*) { ++unloads; };
    EXPECT_EQ(site->Exec(CGID_Explorer, kUnloadCommand, 0, nullptr, nullptr), kS_OK);
    EXPECT_EQ(unloads, 1);

    const Variant title = Variant::FromString(u"Title");
    std::vector<uint32_t> commands;
    pane->OnCommandExec = [&](const char* group, uint32_t command, uint32_t, const OleVariant* in,
                              OleVariant* out, HResult& rezult) {
        EXPECT_EQ(rezult, kOLECMDERR_E_NOTSUPPORTED) << "the result starts as not supported";
        commands.push_back(command);
        if (!group && command == OLECMDID_SETTITLE) {
            EXPECT_EQ(in, &title);
            if (out) *out = Variant::FromInt(1);
            rezult = kS_OK;
        }
    };
    Variant out;
    EXPECT_EQ(site->Exec(nullptr, OLECMDID_SETTITLE, 0, &title, &out), kS_OK);
    EXPECT_EQ(out, Variant::FromInt(1));
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, 41, 0, nullptr, nullptr),
              kOLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(site->Exec(CGID_DocHostCommandHandler, kRefreshCommand, 0, nullptr, nullptr),
              kOLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(commands, (std::vector<uint32_t>{OLECMDID_SETTITLE, 41}))
        << "refreshes never reach OnCommandExec";
    uint32_t state = 5;
    EXPECT_EQ(site->QueryStatus(nullptr, 1, state), kS_OK);
    EXPECT_EQ(state, 5u) << "nothing changed";
}

// ---- Services ----

TEST_F(WebPaneHostTest, WithNoEventsEveryServiceIsRefused) {
    for (const char* sid : {SID_SNewWindowManager, SID_SDownloadManager, SID_SHTMLOMWindowServices,
                            IID_IDispatch, "{00000000-0000-0000-0000-000000000000}"}) {
        EXPECT_EQ(Query(sid), kE_NOINTERFACE) << sid;
        EXPECT_EQ(lastService, nullptr);
    }
}

TEST_F(WebPaneHostTest, EachServiceIsHandedOutWhenItsEventIsAssigned) {
    pane->OnEvaluateNewWindow = [](const WideString& url, const WideString&, const WideString&,
                                   const WideString&, bool, uint32_t flags, uint32_t) {
        return url == u"http://blocked/" || (flags & NWMF_UNLOADING) ? kS_FALSE : kS_OK;
    };
    ASSERT_EQ(Query(SID_SNewWindowManager), kS_OK);
    auto* manager = dynamic_cast<WebNewWindowManager*>(lastService);
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->EvaluateNewWindow(u"http://blocked/", u"", u"", u"", false, 0, 0), kS_FALSE);
    EXPECT_EQ(manager->EvaluateNewWindow(u"http://ok/", u"", u"", u"", false, 0, 0), kS_OK);
    EXPECT_EQ(Query(SID_SDownloadManager), kE_NOINTERFACE);

    std::vector<WideString> downloads;
    pane->OnFileDownload = [&](WebMoniker* pmk, WebObject*, uint32_t, int32_t, WebBindInfo*,
                               const WideString&, const WideString&, uint32_t) {
        downloads.push_back(pmk->DisplayName());
        return kS_OK;
    };
    ASSERT_EQ(Query(SID_SDownloadManager), kS_OK);
    auto* downloader = dynamic_cast<WebDownloadManager*>(lastService);
    ASSERT_NE(downloader, nullptr);
    WebMoniker moniker(u"http://host/file.zip");
    EXPECT_EQ(downloader->Download(&moniker, nullptr, BINDVERB_GET, 0, nullptr, u"", u"", 65001),
              kS_OK);
    EXPECT_EQ(downloads, std::vector<WideString>{u"http://host/file.zip"});

    EXPECT_EQ(Query(SID_SHTMLOMWindowServices), kE_NOINTERFACE);
    pane->FloatingHosting = true;
    EXPECT_EQ(Query(SID_SHTMLOMWindowServices), kS_OK);
    pane->FloatingHosting = false;
    pane->OnResizeBy = [](TComponent*, int32_t, int32_t) {};
    EXPECT_EQ(Query(SID_SHTMLOMWindowServices), kS_OK);
    EXPECT_NE(dynamic_cast<WebWindowServices*>(lastService), nullptr);

    // Anything else: OnQueryService decides.
    WebWindowServices* own = pane;
    pane->OnQueryService = [&](const char*, const char*, WebService*& obj) {
        obj = own;
        return kS_OK;
    };
    EXPECT_EQ(Query(IID_IDispatch), kS_OK);
    EXPECT_EQ(lastService, own);
}

// ---- Window services ----

TEST_F(WebPaneHostTest, PageScriptsMoveTheFormOnlyWithFloatingHosting) {
    std::vector<std::string> log;
    auto record = [&](const char* what) {
        return [&log, what](TComponent*, int32_t a, int32_t b) {
            log.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
        };
    };
    pane->OnMove = record("move");
    pane->OnMoveBy = record("moveby");
    pane->OnResize = record("resize");
    pane->OnResizeBy = record("resizeby");
    WebWindowServices& services = *pane;
    EXPECT_EQ(services.MoveTo(10, 20), kS_OK);
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 80, 400, 300))
        << "the form stays without FloatingHosting";

    pane->FloatingHosting = true;
    services.MoveTo(10, 20);
    EXPECT_EQ(form->BoundsRect(), Bounds(10, 20, 400, 300));
    services.MoveBy(5, -5);
    EXPECT_EQ(form->BoundsRect(), Bounds(15, 15, 400, 300));
    services.ResizeTo(500, 350);
    EXPECT_EQ(form->BoundsRect(), Bounds(15, 15, 500, 350));
    services.ResizeBy(-100, 10);
    EXPECT_EQ(form->BoundsRect(), Bounds(15, 15, 400, 360));
    EXPECT_EQ(log, (std::vector<std::string>{"move 10 20", "move 10 20", "moveby 5 -5",
                                             "resize 500 350", "resizeby -100 10"}));

    // Hostile values neither overflow nor give the window an impossible size.
    services.ResizeBy(INT32_MAX, INT32_MAX);
    services.ResizeBy(INT32_MAX, INT32_MAX);
    EXPECT_EQ(form->Width(), 32767);
    services.ResizeTo(-50, 0);
    EXPECT_EQ(form->Width(), 1);
    EXPECT_EQ(form->Height(), 1);
    services.MoveBy(INT32_MIN, INT32_MIN);
    EXPECT_EQ(form->Left(), -32768);
}

// ---- Drag and drop ----

TEST_F(WebPaneHostTest, DropTargetModes) {
    WebDropTarget* target = reinterpret_cast<WebDropTarget*>(1);
    EXPECT_EQ(site->GetDropTarget(&fake->OwnDropTarget(), target), kE_NOTIMPL)
        << "ddtMS: the control's own";
    EXPECT_EQ(target, nullptr);
    EXPECT_TRUE(pane->RegisterAsDropTarget());

    pane->SetDropHandlingType(ddtNo);
    EXPECT_FALSE(pane->RegisterAsDropTarget());
    EXPECT_EQ(site->GetDropTarget(&fake->OwnDropTarget(), target), kS_OK);
    EXPECT_EQ(target, nullptr);

    pane->SetDropHandlingType(ddtMy);
    EXPECT_EQ(site->GetDropTarget(&fake->OwnDropTarget(), target), kS_OK);
    EXPECT_EQ(target, static_cast<WebDropTarget*>(pane));
    std::vector<std::string> calls;
    pane->OnDragEnter = [&](WebDataObject* data, uint32_t keys, TPoint pt, uint32_t& effect) {
        calls.push_back("enter " + data->Formats().at(0) + " " + std::to_string(keys) + " " +
                        std::to_string(pt.X));
        effect = DROPEFFECT_NONE;
        return kS_OK;
    };
    pane->OnDropEvent = [&](WebDataObject*, uint32_t, TPoint, uint32_t& effect) {
        calls.push_back("drop");
        effect = DROPEFFECT_COPY;
        return kS_OK;
    };
    FakeDataObject data({"text/uri-list"});
    uint32_t effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, {7, 8}, effect), kS_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(target->DragOver(MK_LBUTTON, {7, 9}, effect), kS_OK)
        << "unassigned events answer S_OK";
    EXPECT_EQ(target->Drop(&data, 0, {7, 9}, effect), kS_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(calls, (std::vector<std::string>{"enter text/uri-list 1 7", "drop"}));

    FakeDropTarget custom;
    pane->OnGetDropTarget = [&](WebDropTarget*& t) {
        t = &custom;
        return kS_OK;
    };
    pane->SetDropHandlingType(ddtCustom);
    EXPECT_EQ(site->GetDropTarget(&fake->OwnDropTarget(), target), kS_OK);
    EXPECT_EQ(target, &custom);
}

TEST_F(WebPaneHostTest, ChangingTheModeReRegistersTheDocumentWindow) {
    FakeDropTarget custom;
    pane->OnGetDropTarget = [&](WebDropTarget*& t) {
        t = &custom;
        return kS_OK;
    };
    pane->SetDropHandlingType(ddtCustom);
    EXPECT_EQ(fake->DropTargetRegistrations(), 0) << "no document window yet: nothing to register";
    fake->SetDocumentWindow(true);
    pane->SetDropHandlingType(ddtMy);
    EXPECT_EQ(fake->DocumentDropTarget(), static_cast<WebDropTarget*>(pane));
    pane->SetDropHandlingType(ddtMy);
    EXPECT_EQ(fake->DropTargetRegistrations(), 1) << "the value it already has does nothing";
    pane->SetDropHandlingType(ddtCustom);
    EXPECT_EQ(fake->DocumentDropTarget(), &custom);
    pane->SetDropHandlingType(ddtMS);
    EXPECT_EQ(fake->DocumentDropTarget(), nullptr) << "revoked; the control's own handling";
    EXPECT_TRUE(pane->RegisterAsDropTarget());
}

// ---- The other callbacks' defaults ----

TEST_F(WebPaneHostTest, DefaultAnswersOfTheRemainingCallbacks) {
    WebObject* object = reinterpret_cast<WebObject*>(1);
    EXPECT_EQ(site->ShowUI(0, nullptr, nullptr, nullptr, nullptr), kS_FALSE);
    EXPECT_EQ(site->HideUI(), kS_FALSE);
    EXPECT_EQ(site->UpdateUI(), kS_FALSE);
    EXPECT_EQ(site->EnableModeless(false), kS_OK);
    EXPECT_EQ(site->OnDocWindowActivate(true), kS_FALSE);
    EXPECT_EQ(site->OnFrameWindowActivate(true), kS_FALSE);
    EXPECT_EQ(site->ResizeBorder({}, nullptr, true), kS_FALSE);
    EXPECT_EQ(site->ZoomPercentChanged(150), kS_FALSE);
    EXPECT_EQ(site->GetExternal(object), kS_FALSE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<WebObject*>(1);
    EXPECT_EQ(site->FilterDataObject(nullptr, object), kS_FALSE);
    EXPECT_EQ(object, nullptr);
    std::optional<WideString> url = u"x";
    EXPECT_EQ(site->TranslateUrl(0, u"http://a/", url), kS_FALSE);
    EXPECT_FALSE(url.has_value());
    int32_t result = 0;
    EXPECT_EQ(site->ShowMessage(nullptr, u"hi", u"caption", MB_OK, u"", 0, result), kS_FALSE);

    pane->OnZoomPercentChange = [](uint32_t percent) { return percent == 150 ? kS_OK : kE_FAIL; };
    EXPECT_EQ(site->ZoomPercentChanged(150), kS_OK);
    pane->OnShowMessage = [](void*, const WideString& text, const WideString&, uint32_t,
                             const WideString&, uint32_t, int32_t& r) {
        r = text == u"ok?" ? IDOK : IDCANCEL;
        return kS_OK;
    };
    EXPECT_EQ(site->ShowMessage(nullptr, u"ok?", u"", MB_OKCANCEL, u"", 0, result), kS_OK);
    EXPECT_EQ(result, IDOK);
}

TEST_F(WebPaneHostTest, OptionKeyPathGoesToTheCallbackOverrideOptionKeyPathSelects) {
    std::optional<WideString> key = u"stale";
    EXPECT_EQ(site->GetOptionKeyPath(key, 0), kS_OK);
    EXPECT_FALSE(key.has_value()) << "empty path: no key";
    pane->OptionKeyPath = "Software\\Puzzlebin\\Browser";
    EXPECT_EQ(site->GetOptionKeyPath(key, 0), kS_OK);
    EXPECT_EQ(key, WideString(u"Software\\Puzzlebin\\Browser"));
    EXPECT_EQ(site->GetOverrideKeyPath(key, 0), kS_OK);
    EXPECT_FALSE(key.has_value());
    pane->OverrideOptionKeyPath = true;
    site->GetOptionKeyPath(key, 0);
    EXPECT_FALSE(key.has_value());
    site->GetOverrideKeyPath(key, 0);
    EXPECT_EQ(key, WideString(u"Software\\Puzzlebin\\Browser"));
}

TEST_F(WebPaneHostTest, HelpShowsHelpFileOnlyWhenTheControlNamesNone) {
    WebObject* hit = nullptr;
    EXPECT_EQ(site->ShowHelp(nullptr, u"", 0, 0, {}, hit), kS_FALSE) << "no HelpFile";
    pane->HelpFile = "/usr/share/doc/puzzle help.html";
    EXPECT_EQ(site->ShowHelp(nullptr, u"control.chm", 0, 0, {}, hit), kS_FALSE);
    EXPECT_TRUE(headless->OpenedUris().empty());
    EXPECT_EQ(site->ShowHelp(nullptr, u"", 0, 0, {}, hit), kS_OK);
    EXPECT_EQ(headless->OpenedUris(),
              std::vector<std::string>{"file:///usr/share/doc/puzzle%20help.html"});
}

TEST_F(WebPaneHostTest, AHandlerThatFailsIsReportedAndTheDefaultAnswered) {
    pane->OnShowContextMenu = [](uint32_t, TPoint, WebCommandTarget*, WebObject*) -> HResult {
        throw Exception("menu handler broke");
    };
    pane->OnMaskedCtrlChar = [](TComponent*, char) { throw Exception("key handler broke"); };
    EXPECT_EQ(site->ShowContextMenu(0, {}, nullptr, nullptr), kS_FALSE);
    EXPECT_EQ(Key(WM_KEYDOWN, 'N', kModControl), kS_OK) << "the key is still swallowed";
    ASSERT_EQ(headless->MessageBoxes().size(), 2u);
    EXPECT_EQ(headless->MessageBoxes()[0].text, "menu handler broke");
    EXPECT_EQ(headless->MessageBoxes()[1].text, "key handler broke");
}

// ---- Handlers that free their own pane ----

TEST_F(WebPaneHostTest, AClosingHandlerThatFreesItsPaneSendsNoCloseRequest) {
    int closes = 0;
    form->OnClose = [&](TComponent*, TCloseAction&) { ++closes; };
    pane->OnWindowClosing = [this](TComponent*, VariantBool, VariantBool&) {
        // Leaves Cancel false: the pane would be asked to close. Nothing of this function
        // object is used once the pane (which holds it) is gone.
        TCustomWebPane* gone = pane;
        pane = nullptr;
        delete gone;
    };
    VariantBool cancel = kVariantFalse;
    EXPECT_EQ(fake->Raise(DISPID_WINDOWCLOSING,
                          {EventArg::Bool(kVariantFalse), EventArg::RefBool(&cancel)}),
              kS_OK);
    EXPECT_EQ(pane, nullptr);
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(closes, 0);
}

}  // namespace
