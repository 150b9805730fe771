// TWebPane loaded from descriptions over the fake engine: its option groups, the end of
// loading (user agent, proxy, navigation sound, dialog-box rules), the host information,
// menu items, text zoom, print setup and its own messages; and the program's end, which
// undoes what the panes changed.
#include "browser/WebPane.h"

#include <fenv.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "browser/BrowserClasses.h"
#include "browser/WebPaneOptions.h"
#include "browser/WebPaneUnit.h"
#include "platform/Log.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/SettingsStore.h"
#include "ui/UiClasses.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr const char* kIdentification =
    " Puzzlebin WebPane (+http://puzzlebin.example.org/webpane/)";

class WebPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        engine = &InstallFakeWebEngine();
        RegisterUiClasses();
        RegisterBrowserClasses();
        std::string tmpl = (fs::temp_directory_path() / "pb_webpane_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        WebPaneUnit::SetSettingsDirectory(dir);
        store = std::make_unique<TSettingsStore>(dir);
    }
    void TearDown() override {
        forms.clear();
        WebPaneUnit::Finalize();
        fs::remove_all(dir);
    }

    // A form holding the panes W1, W2, ... with the given stored properties each.
    TForm& Load(std::initializer_list<std::string> panes) {
        std::string text =
            "object Form1: TForm\n  Left = 10\n  Top = 20\n  Width = 500\n  Height = 400\n";
        int i = 0;
        for (const std::string& props : panes) {
            text += "  object W" + std::to_string(++i) +
                    ": TWebPane\n    Width = 300\n    Height = 200\n" + props + "  end\n";
        }
        text += "end\n";
        forms.push_back(std::make_unique<TForm>(nullptr));
        forms.back()->CreateFromDescription(text);
        return *forms.back();
    }
    TWebPane& Pane(TForm& form, int i = 1) {
        return *dynamic_cast<TWebPane*>(form.FindComponent("W" + std::to_string(i)));
    }
    static FakeWebControl& Fake(TWebPane& pane) {
        return *static_cast<FakeWebControl*>(pane.ControlObject());
    }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::string dir;
    std::unique_ptr<TSettingsStore> store;
    std::vector<std::unique_ptr<TForm>> forms;
};

// ---- Options and their defaults ----

TEST_F(WebPaneTest, DefaultsOfTheOptionGroups) {
    TWebPane& pane = Pane(Load({""}));
    EXPECT_EQ(pane.About(), kIdentification);
    EXPECT_EQ(pane.UserAgent, kIdentification);
    pane.SetAbout("something else");
    EXPECT_EQ(pane.About(), kIdentification) << "About cannot be changed";
    EXPECT_EQ(pane.ProxySettings().Port, 80);
    EXPECT_FALSE(pane.ProxySettings().AutoLoadProxy);
    EXPECT_TRUE(pane.DialogBoxes().ReplaceCaption);
    EXPECT_TRUE(pane.DialogBoxes().ReplaceIcon);
    EXPECT_FALSE(pane.DialogBoxes().DisableAll);
    EXPECT_TRUE(pane.DisableErrors().EnableDDE);
    EXPECT_TRUE(pane.DisableErrors().fpExceptions());
    EXPECT_TRUE(pane.DisableErrors().ScriptErrorsSuppressed);
    EXPECT_EQ(pane.VisualEffects().TextSize(), 2);
    EXPECT_EQ(pane.PrintOptions().HTMLHeader, std::vector<std::string>{"<HTML></HTML>"});
    EXPECT_EQ(pane.PrintOptions().Orientation, poPortrait);
    EXPECT_FALSE(pane.PrintOptions().Enabled);
    EXPECT_EQ(pane.ShortCuts().CtrlCharMask(), "N");
    EXPECT_TRUE(pane.EnableMessageHandler);
    EXPECT_FALSE(Fake(pane).PrintSetup().has_value());
}

TEST_F(WebPaneTest, EveryStoredOptionLoads) {
    TWebPane& pane = Pane(Load({R"(    HelpFile = 'help.html'
    OptionKeyPath = 'Software\Puzzlebin'
    OverrideOptionKeyPath = True
    DropHandlingType = ddtNo
    DisabledPopupMenus = [rcmImage, rcmAll]
    FloatingHosting = True
    ScriptErrorAction = eaCancel
    HostCSS = 'body { margin: 0 }'
    HostNS = 'ns'
    EnableMessageHandler = False
    DisabledPopupMenuItems = [rcsBack, rcsOpenLink]
    ShortCuts.CtrlCharMask = 'NP'
    ShortCuts.DisableCTRL_F = True
    ProxySettings.Port = 3128
    ProxySettings.Address = 'cache'
    ProxySettings.UserName = 'u'
    ProxySettings.Password = 'p'
    DialogBoxes.DisableAll = True
    DialogBoxes.ReplaceCaption = False
    DialogBoxes.ReplaceIcon = False
    DialogBoxes.NewCaption = 'Puzzles'
    DisableErrors.EnableDDE = False
    DisableErrors.ScriptErrorsSuppressed = False
    VisualEffects.DisableSounds = True
    PrintOptions.Enabled = True
    PrintOptions.Margins.Left = 0.5
    PrintOptions.Margins.Right = 0.75
    PrintOptions.Margins.Top = 1
    PrintOptions.Margins.Bottom = 1.25
    PrintOptions.Header = '&w'
    PrintOptions.Footer = '&u'
    PrintOptions.Orientation = poLandscape
)"}));
    EXPECT_EQ(pane.HelpFile, "help.html");
    EXPECT_EQ(pane.OptionKeyPath, "Software\\Puzzlebin");
    EXPECT_TRUE(pane.OverrideOptionKeyPath);
    EXPECT_EQ(pane.DropHandlingType(), ddtNo);
    EXPECT_FALSE(pane.RegisterAsDropTarget()) << "the stored mode took effect";
    EXPECT_EQ(pane.DisabledPopupMenus, SetOf(rcmImage) | SetOf(rcmAll));
    EXPECT_TRUE(pane.FloatingHosting);
    EXPECT_EQ(pane.ScriptErrorAction, eaCancel) << "kept: errors are not suppressed";
    EXPECT_EQ(pane.DisabledPopupMenuItems, SetOf(rcsBack) | SetOf(rcsOpenLink));
    EXPECT_EQ(pane.ShortCuts().CtrlCharMask(), "NPF");
    EXPECT_TRUE(pane.EnableMessageHandler) << "set again at the end of loading";
    EXPECT_EQ(pane.ProxySettings().Port, 3128);
    EXPECT_EQ(pane.DialogBoxes().NewCaption, "Puzzles");
    EXPECT_FALSE(pane.DisableErrors().EnableDDE);
    ASSERT_TRUE(Fake(pane).PrintSetup().has_value());
    const WebPrintSetup& setup = *Fake(pane).PrintSetup();
    EXPECT_EQ(setup.header, "&w");
    EXPECT_EQ(setup.footer, "&u");
    EXPECT_DOUBLE_EQ(setup.marginLeft, 0.5);
    EXPECT_DOUBLE_EQ(setup.marginRight, 0.75);
    EXPECT_DOUBLE_EQ(setup.marginTop, 1.0);
    EXPECT_DOUBLE_EQ(setup.marginBottom, 1.25);
    EXPECT_TRUE(setup.landscape);
    EXPECT_FALSE(engine->Proxy().has_value()) << "no proxy without AutoLoadProxy";
}

TEST_F(WebPaneTest, SuppressedScriptErrorsMakeTheActionContinue) {
    TWebPane& pane = Pane(Load({"    ScriptErrorAction = eaAskUser\n"}));
    EXPECT_EQ(pane.ScriptErrorAction, eaContinue);
    Variant out;
    EXPECT_EQ(Fake(pane).Site()->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0,
                                      nullptr, &out),
              kS_OK);
    EXPECT_EQ(out, Variant::FromBool(true));
}

// ---- Short cuts ----

TEST_F(WebPaneTest, ShortCutFlagsEditTheMask) {
    TWebPane& pane = Pane(Load({""}));
    TShortCuts& keys = pane.ShortCuts();
    EXPECT_TRUE(keys.DisableCTRL_N());
    EXPECT_FALSE(keys.DisableCTRL_A());
    EXPECT_FALSE(keys.DisableCTRL_P());
    keys.SetDisableCTRL_A(true);
    EXPECT_EQ(keys.CtrlCharMask(), "NA");
    keys.SetDisableCTRL_A(true);
    EXPECT_EQ(keys.CtrlCharMask(), "NA") << "a letter is appended only when absent";
    keys.SetCtrlCharMask("NAN");
    keys.SetDisableCTRL_N(false);
    EXPECT_EQ(keys.CtrlCharMask(), "AN") << "the first occurrence goes";
    keys.SetCtrlCharMask("N");
    keys.SetDisableCTRL_N(false);
    EXPECT_EQ(keys.CtrlCharMask(), "");
    EXPECT_EQ(Fake(pane).Site()->TranslateAccelerator(KeyMessage{WM_KEYDOWN, 'N', kModControl},
                                                      nullptr, 0),
              kS_FALSE)
        << "Control+N now reaches the control";
    keys.SetDisableCTRL_C(true);
    keys.SetDisableCTRL_F(true);
    keys.SetDisableCTRL_P(true);
    EXPECT_EQ(keys.CtrlCharMask(), "CFP");
    EXPECT_EQ(Fake(pane).Site()->TranslateAccelerator(KeyMessage{WM_KEYDOWN, 'P', kModControl},
                                                      nullptr, 0),
              kS_OK);
}

// ---- User agent ----

TEST_F(WebPaneTest, TheIdentificationTextIsRegisteredAsTheValueNameAndSentAsAToken) {
    Load({"", ""});
    EXPECT_EQ(store->ValueNames(WebPaneUnit::kUserAgentKey),
              std::vector<std::string>{kIdentification})
        << "two panes, one value";
    EXPECT_TRUE(store->ValueExists(WebPaneUnit::kUserAgentKey, kIdentification));
    EXPECT_EQ(store->ReadString(WebPaneUnit::kUserAgentKey, kIdentification, "missing"), "");
    EXPECT_EQ(engine->UserAgentTokens(), std::vector<std::string>{kIdentification});
    EXPECT_EQ(engine->UserAgent(),
              "Mozilla/5.0 (X11; Linux x86_64; Puzzlebin WebPane "
              "(+http://puzzlebin.example.org/webpane/)) "
              "FakeWebEngine/1.0");
}

TEST_F(WebPaneTest, AnotherUserAgentGetsTheIdentificationTextAppended) {
    TWebPane& pane = Pane(Load({"    UserAgent = 'MyShop/2.0'\n"}));
    const std::string expected = std::string("MyShop/2.0") + kIdentification;
    EXPECT_EQ(pane.UserAgent, expected);
    EXPECT_TRUE(store->ValueExists(WebPaneUnit::kUserAgentKey, expected));
}

TEST_F(WebPaneTest, TheProgramsEndWithdrawsOnlyItsOwnTokens) {
    store->WriteString(WebPaneUnit::kUserAgentKey, "OtherApp/1.0", "");
    store->WriteString(WebPaneUnit::kUserAgentKey, " Spaced Token ", "kept");
    Load({""});
    EXPECT_EQ(engine->UserAgentTokens(),
              (std::vector<std::string>{"OtherApp/1.0", " Spaced Token ", kIdentification}))
        << "every registered token is sent";
    forms.clear();
    WebPaneUnit::Finalize();
    EXPECT_EQ(store->ValueNames(WebPaneUnit::kUserAgentKey),
              (std::vector<std::string>{"OtherApp/1.0", " Spaced Token "}));
    EXPECT_EQ(store->ReadString(WebPaneUnit::kUserAgentKey, " Spaced Token ", ""), "kept");
    EXPECT_EQ(engine->UserAgentTokens(),
              (std::vector<std::string>{"OtherApp/1.0", " Spaced Token "}));
}

TEST_F(WebPaneTest, AStoreThatCannotBeWrittenLeavesThePaneWorking) {
    // A file where the folder should be: every write fails, and is ignored.
    const std::string blocked = dir + "/blocked";
    std::ofstream(blocked) << "x";
    WebPaneUnit::SetSettingsDirectory(blocked);
    TWebPane& pane = Pane(Load({""}));
    EXPECT_TRUE(WebPaneUnit::RegisteredUserAgents().empty());
    EXPECT_TRUE(headless->MessageBoxes().empty());
    pane.Navigate(u"about:blank");
    EXPECT_EQ(Fake(pane).Navigations().size(), 1u);
}

// ---- Proxy and navigation sound ----

TEST_F(WebPaneTest, AutoLoadedProxyIsAddressColonPortForThisProcessOnly) {
    Load(
        {"    ProxySettings.AutoLoadProxy = True\n    ProxySettings.Address = 'proxy'\n    "
         "ProxySettings.Port = 8080\n"});
    ASSERT_TRUE(engine->Proxy().has_value());
    EXPECT_EQ(engine->Proxy()->server, "proxy:8080");
    EXPECT_EQ(engine->Proxy()->bypass, "<local>");
    EXPECT_EQ(engine->Proxy()->userName, "");
    EXPECT_TRUE(WebPaneUnit::ProxySet());
    forms.clear();
    WebPaneUnit::Finalize();
    EXPECT_FALSE(engine->Proxy().has_value()) << "the user's own settings again";
    EXPECT_FALSE(WebPaneUnit::ProxySet());
}

TEST_F(WebPaneTest, AProxyWithAUserNameKeepsItsPortAndAnswersWithTheCredentials) {
    Load(
        {"    ProxySettings.AutoLoadProxy = True\n    ProxySettings.Address = 'proxy'\n    "
         "ProxySettings.Port = 3128\n"
         "    ProxySettings.UserName = 'alice'\n    ProxySettings.Password = 's3cret'\n"});
    ASSERT_TRUE(engine->Proxy().has_value());
    EXPECT_EQ(engine->Proxy()->server, "proxy:3128");
    EXPECT_EQ(engine->Proxy()->userName, "alice");
    EXPECT_EQ(engine->Proxy()->password, "s3cret");
}

TEST_F(WebPaneTest, AnAddressTheEngineCannotUseIsRefusedVisiblyAndNotReportedAsSet) {
    for (const char* address : {"proxy host", "proxy/path", "user@proxy", "pr\\xy", "[::1"}) {
        LogCapture log;
        const size_t boxes = headless->MessageBoxes().size();
        Load({std::string("    ProxySettings.AutoLoadProxy = True\n    ProxySettings.Address = '") +
              address + "'\n    ProxySettings.Port = 8080\n"});
        EXPECT_FALSE(WebPaneUnit::ProxySet()) << address;
        EXPECT_FALSE(engine->Proxy().has_value()) << address;
        EXPECT_EQ(engine->ProxyChanges(), 0) << address;
        ASSERT_EQ(log.Lines().size(), 1u) << address;
        EXPECT_NE(log.Lines()[0].find("refused the proxy"), std::string::npos) << log.Lines()[0];
        ASSERT_EQ(headless->MessageBoxes().size(), boxes + 1)
            << "the application's error handler shows it";
        EXPECT_NE(headless->MessageBoxes().back().text.find("proxy address"), std::string::npos);
        forms.clear();
    }
    // A port out of range is no address either.
    TProxySettings bad;
    bad.Address = "proxy";
    bad.Port = 70000;
    LogCapture log;
    EXPECT_FALSE(WebPaneUnit::ApplyProxy(bad));
    EXPECT_FALSE(WebPaneUnit::ProxySet());
    EXPECT_EQ(log.Lines().size(), 1u);
    // A good one after a refused one is set and reported as set.
    bad.Port = 3128;
    EXPECT_TRUE(WebPaneUnit::ApplyProxy(bad));
    EXPECT_TRUE(WebPaneUnit::ProxySet());
    ASSERT_TRUE(engine->Proxy().has_value());
    EXPECT_EQ(engine->Proxy()->server, "proxy:3128");
}

TEST_F(WebPaneTest, ProxyServerAddresses) {
    EXPECT_EQ(ProxyServerUri("proxy:8080"), "http://proxy:8080");
    EXPECT_EQ(ProxyServerUri("127.0.0.1:3128"), "http://127.0.0.1:3128");
    EXPECT_EQ(ProxyServerUri("[::1]:3128"), "http://[::1]:3128");
    EXPECT_EQ(ProxyServerUri("my_proxy.example-1.org:1"), "http://my_proxy.example-1.org:1");
    for (const char* bad :
         {"", "proxy", "proxy:", ":80", "proxy:0", "proxy:65536", "proxy:8o", "a:b:80", "[::1]",
          "[::1:80", "[]:80", "pro xy:80", "proxy:80/", "user@proxy:80", "pr]oxy:80"})
        EXPECT_EQ(ProxyServerUri(bad), "") << bad;
    EXPECT_EQ(ProxyServerUri(std::string(253, 'a') + ":80"), "") << "more than 255 bytes";
}

TEST_F(WebPaneTest, NoAddressNoProxy) {
    Load({"    ProxySettings.AutoLoadProxy = True\n"});
    EXPECT_EQ(engine->ProxyChanges(), 0);
}

TEST_F(WebPaneTest, NavigationSoundIsSwitchedOffAndBackOnAtTheEnd) {
    const std::string base = WebPaneUnit::kNavigationSoundKey;
    store->WriteString(base + ".Current", "Sound", "/usr/share/sounds/click.wav");
    Load({"    VisualEffects.DisableSounds = True\n", "    VisualEffects.DisableSounds = True\n"});
    EXPECT_FALSE(store->KeyExists(base + ".Current"));
    EXPECT_EQ(store->ReadString(base + "Old_Current", "Sound", "?"), "/usr/share/sounds/click.wav");
    forms.clear();
    WebPaneUnit::Finalize();
    EXPECT_FALSE(store->KeyExists(base + "Old_Current"));
    EXPECT_EQ(store->ReadString(base + ".Current", "Sound", "?"), "/usr/share/sounds/click.wav");
}

TEST_F(WebPaneTest, NoSoundKeyNothingToSwitch) {
    Load({"    VisualEffects.DisableSounds = True\n"});
    EXPECT_FALSE(WebPaneUnit::NavigationSoundSwitchedOff());
    EXPECT_FALSE(store->KeyExists(std::string(WebPaneUnit::kNavigationSoundKey) + "Old_Current"));
}

// ---- Floating point ----

TEST_F(WebPaneTest, FloatingPointExceptionsAreMaskedAndRestored) {
    WebPaneUnit::Finalize();         // the unit starts again on first use ...
    ::feenableexcept(FE_DIVBYZERO);  // ... and saves this state
    TWebPane& pane = Pane(Load({"    DisableErrors.fpExceptions = False\n"}));
    EXPECT_EQ(::fegetexcept(), 0) << "all masked";
    pane.DisableErrors().SetfpExceptions(true);
    EXPECT_EQ(::fegetexcept(), FE_DIVBYZERO);
    pane.DisableErrors().SetfpExceptions(false);
    forms.clear();
    WebPaneUnit::Finalize();
    EXPECT_EQ(::fegetexcept(), FE_DIVBYZERO) << "the program's end restores the saved state";
    ::fedisableexcept(FE_ALL_EXCEPT);
}

// ---- Host information, menus, text zoom, messages ----

TEST_F(WebPaneTest, HostInformationCarriesHostCssAndNsUnlessTheEventFilledThem) {
    TWebPane& pane = Pane(Load({"    HostCSS = 'img { display: none }'\n    HostNS = 'pb'\n"}));
    DocHostUiInfo info;
    EXPECT_EQ(Fake(pane).Site()->GetHostInfo(info), kS_OK);
    EXPECT_EQ(info.pchHostCss, WideString(u"img { display: none }"));
    EXPECT_EQ(info.pchHostNS, WideString(u"pb"));
    pane.OnGetHostInfo = [](DocHostUiInfo& i) {
        i.pchHostCss = u"body { color: red }";
        return kS_OK;
    };
    Fake(pane).Site()->GetHostInfo(info);
    EXPECT_EQ(info.pchHostCss, WideString(u"body { color: red }"));
    EXPECT_EQ(info.pchHostNS, WideString(u"pb"));
}

TEST_F(WebPaneTest, DisabledMenuItemsMakeTheHostShowItsOwnFilteredMenu) {
    TWebPane& pane = Pane(
        Load({"    DisabledPopupMenuItems = [rcsBack, rcsRefresh, rcsViewSource, rcsEncoding]\n"}));
    FakeCommandTarget target;
    WebContextMenu menu;
    for (uint32_t c :
         {IDM_GOBACKWARD, IDM_GOFORWARD, IDM_REFRESH, IDM_VIEWSOURCE, IDM_LANGUAGE, IDM_PRINT})
        menu.items.push_back(WebMenuItem{c, "x", false, true, nullptr});
    target.menus[CONTEXT_MENU_DEFAULT] = menu;
    bool filteredFirst = false;
    pane.OnFilterPopupMenu = [&](uint32_t, WebContextMenu* m, WebObject*) {
        filteredFirst = m->Find(IDM_GOBACKWARD) != nullptr;
    };
    EXPECT_EQ(Fake(pane).Site()->ShowContextMenu(CONTEXT_MENU_DEFAULT, {}, &target, nullptr),
              kS_OK);
    EXPECT_TRUE(filteredFirst) << "the event sees the menu before the items are removed";
    ASSERT_EQ(target.trackedMenus.size(), 1u);
    EXPECT_EQ(target.trackedMenus[0].Commands(), (std::vector<uint32_t>{IDM_GOFORWARD, IDM_PRINT}));
}

TEST_F(WebPaneTest, TextSizeIsClampedToTheControlsRangeAndResetWhenThePaneGoes) {
    int created = 0;
    engine->OnCreateControl = [&](FakeWebControl& c) {
        if (created++ == 0) c.SetExecResult(kS_OK, Variant::FromInt(3 << 16));  // range 0..3
    };
    TWebPane& pane = Pane(Load({"    VisualEffects.TextSize = 4\n"}));
    FakeWebControl& fake = Fake(pane);
    ASSERT_GE(fake.ExecCalls().size(), 2u);
    const FakeExecCall& zoom = fake.ExecCalls().back();
    EXPECT_EQ(zoom.commandId, OLECMDID_ZOOM);
    EXPECT_EQ(zoom.execOption, 2) << "do not prompt";
    EXPECT_EQ(zoom.in, Variant::FromInt(3));
    EXPECT_EQ(fake.ExecCalls()[fake.ExecCalls().size() - 2].commandId, OLECMDID_GETZOOMRANGE);

    pane.VisualEffects().SetTextSize(1);
    EXPECT_EQ(fake.ExecCalls().back().in, Variant::FromInt(1));
    const size_t before = fake.ExecCalls().size();
    pane.VisualEffects().SetTextSize(1);
    EXPECT_EQ(fake.ExecCalls().size(), before) << "the same size again changes nothing";
}

TEST_F(WebPaneTest, EnterKeyNotificationAndCloseRequests) {
    TWebPane& pane = Pane(Load({""}));
    EXPECT_EQ(pane.Perform(0xBC00 + WM_KEYDOWN, 13, 0), 0);
    int queries = 0;
    pane.OnCloseQuery = [&](TComponent* sender, bool& canClose) {
        EXPECT_EQ(sender, &pane);
        EXPECT_TRUE(canClose);
        ++queries;
    };
    pane.Perform(WM_CLOSE, 0, 0);
    EXPECT_EQ(queries, 1);
    // A script closing the window: the closing event, then the close request, unless cancelled.
    VariantBool cancel = kVariantFalse;
    Fake(pane).Raise(DISPID_WINDOWCLOSING,
                     {EventArg::Bool(kVariantFalse), EventArg::RefBool(&cancel)});
    EXPECT_EQ(queries, 2);
    pane.OnWindowClosing = [](TComponent*, VariantBool, VariantBool& c) { c = kVariantTrue; };
    Fake(pane).Raise(DISPID_WINDOWCLOSING,
                     {EventArg::Bool(kVariantFalse), EventArg::RefBool(&cancel)});
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(pane.Visible()) << "the pane stays part of its form";
}

// ---- Dialog-box rules ----

class DialogRulesTest : public WebPaneTest {
protected:
    // Announces a dialog of the pane's control as the control does.
    static void Show(TWebPane& pane, FakeWebDialog& dialog) {
        Fake(pane).Site()->DialogActivated(dialog);
    }
};

TEST_F(DialogRulesTest, CaptionRule) {
    EXPECT_EQ(ReplacedDialogCaption("Microsoft Internet Explorer", "Web Browser"), "Web Browser");
    EXPECT_EQ(ReplacedDialogCaption("Internet Explorer Script Error", "Web Browser"),
              "Web Browser Script Error");
    EXPECT_EQ(ReplacedDialogCaption("Message from webpage", "Web Browser"),
              "Web Browser:  Message from webpage");
    EXPECT_EQ(ReplacedDialogCaption("microsoft internet explorer", "Web Browser"),
              "Web Browser:  microsoft internet explorer")
        << "case-sensitive";
    EXPECT_EQ(ReplacedDialogCaption("Microsoft Microsoft Internet Explorer", "Web Browser"),
              "Microsoft Web Browser");
    EXPECT_EQ(ReplacedDialogCaption("Web Browser says", "Web Browser"), "Web Browser says");
    EXPECT_EQ(ReplacedDialogCaption("", "Web Browser"), "Web Browser:  ");
}

TEST_F(DialogRulesTest, TheFirstPaneHooksTheOwnerAndRewritesDialogs) {
    TForm& form = Load({"", ""});
    TWebPane& first = Pane(form, 1);
    TWebPane& second = Pane(form, 2);
    EXPECT_TRUE(first.InstalledDialogHook());
    EXPECT_FALSE(second.InstalledDialogHook());
    std::vector<std::pair<TComponent*, WebDialog*>> shown;
    first.OnShowDialog = [&](TComponent* sender, WebDialog* h) { shown.emplace_back(sender, h); };

    FakeWebDialog alert("#32770", "Microsoft Internet Explorer");
    Show(second, alert);
    EXPECT_EQ(alert.Caption(), "Web Browser");
    EXPECT_EQ(first.DialogBoxes().NewCaption, "Web Browser") << "taken on first use";
    EXPECT_TRUE(alert.applicationIcon);
    EXPECT_EQ(alert.closeRequests, 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              std::make_pair(static_cast<TComponent*>(&first), static_cast<WebDialog*>(&alert)));

    FakeWebDialog prompt("Internet Explorer_TridentDlgFrame", "User Prompt");
    Show(first, prompt);
    EXPECT_EQ(prompt.Caption(), "Web Browser:  User Prompt");
    FakeWebDialog other("GtkWindow", "Microsoft Internet Explorer");
    Show(first, other);
    EXPECT_EQ(other.captionSets, 0) << "other window classes keep their caption";
    EXPECT_FALSE(other.applicationIcon);
    EXPECT_EQ(shown.size(), 3u) << "but still raise OnShowDialog";
}

TEST_F(DialogRulesTest, DisableAllClosesEveryDialog) {
    TWebPane& pane =
        Pane(Load({"    DialogBoxes.DisableAll = True\n    DialogBoxes.ReplaceIcon = False\n"}));
    FakeWebDialog alert("#32770", "Message from webpage");
    Show(pane, alert);
    EXPECT_EQ(alert.closeRequests, 1);
    EXPECT_FALSE(alert.applicationIcon);
}

TEST_F(DialogRulesTest, SuppressedScriptErrorsCloseScriptAndErrorDialogsSilently) {
    TForm& form = Load({"    DialogBoxes.NewCaption = 'Puzzles'\n"});
    TWebPane& pane = Pane(form);
    std::vector<uint32_t> ownerMessages;
    auto previous = form.WindowProc;
    form.WindowProc = [&, previous](TMessage& m) {
        if (m.Msg == WM_ACTIVATE) ownerMessages.push_back(m.Msg);
        previous(m);
    };
    int shown = 0;
    pane.OnShowDialog = [&](TComponent*, WebDialog*) { ++shown; };

    FakeWebDialog script("#32770", "Script Error");
    Show(pane, script);
    EXPECT_EQ(script.Caption(), "Puzzles:  Script Error");
    EXPECT_EQ(script.clicks, 1);
    EXPECT_EQ(script.closeRequests, 1);
    FakeWebDialog error("#32770", "Internet Explorer Error");
    Show(pane, error);
    EXPECT_TRUE(error.destroyed);
    EXPECT_EQ(shown, 0) << "ended dialogs are not shown to the handler";

    FakeWebDialog plain("#32770", "Message from webpage");
    Show(pane, plain);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(plain.destroyed);
    EXPECT_EQ(plain.closeRequests, 0);
}

TEST_F(DialogRulesTest, WithoutCaptionReplacementTheClassNameIsTested) {
    TWebPane& pane = Pane(Load({"    DialogBoxes.ReplaceCaption = False\n"}));
    FakeWebDialog script("#32770", "Script Error");
    Show(pane, script);
    EXPECT_EQ(script.Caption(), "Script Error");
    EXPECT_EQ(script.closeRequests, 0) << "\"#32770\" names neither a script nor an error";
}

TEST_F(DialogRulesTest, TheOwnerStillGetsEveryOtherMessageAndStrayActivationsAreNoDialogs) {
    TForm& form = Load({""});
    TWebPane& pane = Pane(form);
    int shown = 0;
    pane.OnShowDialog = [&](TComponent*, WebDialog*) { ++shown; };
    form.Perform(WM_ACTIVATE, WA_INACTIVE, 0x1234);  // not a dialog the pane announced
    EXPECT_EQ(shown, 0);
    form.SetCaption("Still works");
    EXPECT_EQ(form.Caption(), "Still works") << "the previous procedure handles the rest";
}

TEST_F(DialogRulesTest, ThePaneThatHookedPutsTheProcedureBackAndANewPaneHooksAgain) {
    TForm& form = Load({""});
    TWebPane* pane = &Pane(form);
    EXPECT_TRUE(WebPaneUnit::DialogHookInstalled());
    delete pane;
    EXPECT_FALSE(WebPaneUnit::DialogHookInstalled());
    form.SetCaption("after");
    EXPECT_EQ(form.Caption(), "after");
    TWebPane& next = Pane(Load({""}));
    EXPECT_TRUE(next.InstalledDialogHook());
}

}  // namespace
