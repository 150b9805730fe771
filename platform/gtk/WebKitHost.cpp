// WebKitHost: the site, the ambient download flags and the host information applied to
// WebKit's settings and user content, the host's navigation rules, and the commands the
// document's command target runs.
#include "platform/gtk/WebKitHost.h"

#include <string_view>

#include "base/AsciiText.h"
#include "platform/gtk/WebKitDialogWindow.h"
#include "platform/gtk/WebKitHandles.h"

namespace platform::gtk {
namespace {

// Style sheets that carry host-information flags WebKit has no setting for.
constexpr const char* kNoTextSelectionCss =
    "*, *::before, *::after { -webkit-user-select: none !important; user-select: none !important; "
    "}";
constexpr const char* kNoScrollBarsCss = "html, body { overflow: hidden !important; }";
// Stops the document of every frame but the top one as soon as it starts (frames are not
// downloaded further).
constexpr const char* kNoFramesScript = "if (window !== window.top) { window.stop(); }";

bool UntrustedScheme(const char* uri) {
    if (!uri) return false;
    for (std::string_view scheme : {"http:", "https:", "file:", "about:", "data:", "blob:"}) {
        if (StartsWithTextAscii(uri, scheme)) return false;
    }
    return true;
}

}  // namespace

WebKitHost::WebKitHost(WebKitControlSide& control) : control_(control), view_(control.View()) {
    BuildEncodingMenu();
    g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(view_, "script-dialog", G_CALLBACK(OnScriptDialog), this);
    ConnectPageScripts(webkit_web_view_get_user_content_manager(view_));
    ConnectInput();
    WatchDownloads(view_, this);
    WatchNetwork(view_);
    ApplyPolicy();
}

WebKitHost::~WebKitHost() { Close(); }

void WebKitHost::Close() {
    if (closed_) return;
    closed_ = true;
    liveness_.End();
    CloseDialogs();
    EndDrag();
    site_ = nullptr;
    hostDropTarget_ = nullptr;
    ForgetDownloads(view_);
    ForgetNetwork(view_);
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(view_);
    g_signal_handlers_disconnect_by_data(manager, this);
    g_signal_handlers_disconnect_by_data(view_, this);
}

void WebKitHost::SetSite(WebHostSite* site) {
    site_ = closed_ ? nullptr : site;
    if (!site_) hostDropTarget_ = nullptr;
    ApplyPolicy();
}

void WebKitHost::AmbientChanged() { ApplyPolicy(); }

void WebKitHost::SetPrintSetup(const WebPrintSetup* setup) {
    if (setup)
        printSetup_ = *setup;
    else
        printSetup_.reset();
}

// ---- Policy ----

uint32_t WebKitHost::DownloadFlags() const { return downloadFlags_; }

void WebKitHost::ApplyPolicy() {
    if (closed_) return;
    downloadFlags_ = kDefaultDownloadControl;
    hostInfo_ = DocHostUiInfo{};
    bool userMode = true;
    if (site_) {
        Variant value;
        if (site_->Invoke(DISPID_AMBIENT_DLCONTROL, nullptr, 0, DISPATCH_PROPERTYGET, {}, &value,
                          nullptr, nullptr) == kS_OK) {
            if (value.type == Variant::Type::Int32)
                downloadFlags_ = static_cast<uint32_t>(value.intValue);
            if (value.type == Variant::Type::UInt32) downloadFlags_ = value.uintValue;
        }
        Variant mode;
        if (site_->Invoke(DISPID_AMBIENT_USERMODE, nullptr, 0, DISPATCH_PROPERTYGET, {}, &mode,
                          nullptr, nullptr) == kS_OK &&
            mode.type == Variant::Type::Bool)
            userMode = mode.boolValue != 0;
        DocHostUiInfo info;
        if (!Failed(site_->GetHostInfo(info))) hostInfo_ = std::move(info);
    }

    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    const uint32_t f = downloadFlags_;
    webkit_settings_set_auto_load_images(settings, (f & DLCTL_DLIMAGES) != 0);
    webkit_settings_set_enable_media(settings, (f & (DLCTL_VIDEOS | DLCTL_BGSOUNDS)) != 0);
    // Without background sounds nothing plays by itself.
    webkit_settings_set_media_playback_requires_user_gesture(settings, (f & DLCTL_BGSOUNDS) == 0);
    // Page scripts are off; our own page script and commands still run.
    webkit_settings_set_enable_javascript_markup(settings, (f & DLCTL_NO_SCRIPTS) == 0);
    webkit_settings_set_enable_javascript(settings, !scriptsStopped_);
    webkit_web_view_set_editable(view_, !userMode);
    RebuildUserContent();
}

void WebKitHost::RebuildUserContent() {
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(view_);
    webkit_user_content_manager_remove_all_style_sheets(manager);
    auto addSheet = [&](const std::string& css) {
        UserStyleSheetPtr sheet(
            webkit_user_style_sheet_new(css.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                        WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr));
        webkit_user_content_manager_add_style_sheet(manager, sheet.get());
    };
    if (hostInfo_.dwFlags & DOCHOSTUIFLAG_DIALOG) addSheet(kNoTextSelectionCss);
    if (hostInfo_.dwFlags & DOCHOSTUIFLAG_SCROLL_NO) addSheet(kNoScrollBarsCss);
    if (hostInfo_.pchHostCss && !hostInfo_.pchHostCss->empty())
        addSheet(WideToUtf8(*hostInfo_.pchHostCss));

    webkit_user_content_manager_remove_all_scripts(manager);
    AddPageScripts(manager);
    if (downloadFlags_ & DLCTL_NO_FRAMEDOWNLOAD) {
        UserScriptPtr script(
            webkit_user_script_new(kNoFramesScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                   WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
        webkit_user_content_manager_add_script(manager, script.get());
    }
}

void WebKitHost::SetScriptsStopped(bool stopped) {
    if (scriptsStopped_ == stopped) return;
    scriptsStopped_ = stopped;
    webkit_settings_set_enable_javascript(webkit_web_view_get_settings(view_), !stopped);
}

void WebKitHost::AddNavigationHeaders(SoupMessageHeaders* headers) const {
    if (!headers || !(downloadFlags_ & (DLCTL_PRAGMA_NO_CACHE | DLCTL_RESYNCHRONIZE))) return;
    soup_message_headers_replace(headers, "Cache-Control", "no-cache");
    soup_message_headers_replace(headers, "Pragma", "no-cache");
}

// ---- Navigation ----

bool WebKitHost::DecideNavigation(WebKitPolicyDecision* decision, WebKitNavigationAction* action) {
    if (!site_) return false;
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* uri = webkit_uri_request_get_uri(request);
    if ((hostInfo_.dwFlags & DOCHOSTUIFLAG_DISABLE_UNTRUSTEDPROTOCOL) && UntrustedScheme(uri)) {
        webkit_policy_decision_ignore(decision);
        return true;
    }
    const WideString url = uri ? Utf8ToWide(uri) : WideString();
    // The host may translate the address; the translated one is not translated again.
    if (lastTranslatedUrl_ && *lastTranslatedUrl_ == url) {
        lastTranslatedUrl_.reset();
    } else {
        std::optional<WideString> translated;
        const TLivenessWatch alive = liveness_.Watch();
        const HResult hr = site_->TranslateUrl(0, url, translated);
        if (!alive.Alive()) return false;
        if (hr == kS_OK && translated && !translated->empty() && *translated != url) {
            lastTranslatedUrl_ = *translated;
            webkit_policy_decision_ignore(decision);
            const std::string target = WideToUtf8(*translated);
            webkit_web_view_load_uri(view_, target.c_str());
            return true;
        }
    }
    // Links open new windows while the host asks for it.
    if ((hostInfo_.dwFlags & DOCHOSTUIFLAG_OPENNEWWIN) &&
        webkit_navigation_action_get_navigation_type(action) ==
            WEBKIT_NAVIGATION_TYPE_LINK_CLICKED &&
        uri) {
        webkit_policy_decision_ignore(decision);
        control_.OpenNewWindow(uri, webkit_navigation_action_is_user_gesture(action) != FALSE);
        return true;
    }
    return false;
}

bool WebKitHost::EvaluateNewWindow(const WideString& url, const WideString& urlContext,
                                   uint32_t flags) {
    if (!site_) return true;
    WebService* service = nullptr;
    if (site_->QueryService(SID_SNewWindowManager, IID_INewWindowManager, service) != kS_OK)
        return true;
    auto* manager = dynamic_cast<WebNewWindowManager*>(service);
    if (!manager) return true;
    const uint32_t now = static_cast<uint32_t>(g_get_monotonic_time() / 1000);
    return manager->EvaluateNewWindow(url, u"", urlContext, u"", false, flags, now) != kS_FALSE;
}

bool WebKitHost::NavigatesInPlace() const {
    return (hostInfo_.dwFlags & DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION) != 0;
}

void WebKitHost::LoadStarted() {
    // A stopped page's scripts run again in the next document.
    SetScriptsStopped(false);
}

void WebKitHost::LoadCommitted() {
    const bool replacing = documentShown_;
    documentShown_ = true;
    // A user's navigation that showed a page has ended in no download.
    userDownloadUntil_ = 0;
    if (!site_) return;
    const TLivenessWatch alive = liveness_.Watch();
    if (replacing) site_->Exec(CGID_Explorer, kUnloadCommand, 0, nullptr, nullptr);
    if (!alive.Alive() || !site_) return;
    // The drop target of the new document.
    WebDropTarget* target = nullptr;
    if (site_->GetDropTarget(nullptr, target) == kS_OK)
        hostDropTarget_ = target;
    else
        hostDropTarget_ = nullptr;
}

void WebKitHost::TitleChanged(const WideString& title) {
    if (!site_) return;
    const Variant in = Variant::FromString(title);
    site_->Exec(nullptr, OLECMDID_SETTITLE, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr);
}

void WebKitHost::ProgressChanged(int32_t progress, int32_t max) {
    if (!site_) return;
    const TLivenessWatch alive = liveness_.Watch();
    const Variant vMax = Variant::FromInt(max);
    site_->Exec(nullptr, OLECMDID_SETPROGRESSMAX, OLECMDEXECOPT_DONTPROMPTUSER, &vMax, nullptr);
    if (!alive.Alive() || !site_) return;
    const Variant vPos = Variant::FromInt(progress);
    site_->Exec(nullptr, OLECMDID_SETPROGRESSPOS, OLECMDEXECOPT_DONTPROMPTUSER, &vPos, nullptr);
}

void WebKitHost::CommandsChanged() {
    if (site_)
        site_->Exec(nullptr, OLECMDID_UPDATECOMMANDS, OLECMDEXECOPT_DONTPROMPTUSER, nullptr,
                    nullptr);
}

// ---- Commands ----

void WebKitHost::RequestRefresh(uint32_t command, bool bypassCache) {
    if (site_) {
        const TLivenessWatch alive = liveness_.Watch();
        const HResult hr = site_->Exec(CGID_DocHostCommandHandler, command, 0, nullptr, nullptr);
        if (!alive.Alive() || hr == kS_OK) return;  // suppressed by the host
    }
    if (bypassCache)
        webkit_web_view_reload_bypass_cache(view_);
    else
        webkit_web_view_reload(view_);
}

void WebKitHost::RunMenuCommand(uint32_t command) {
    if (closed_) return;
    switch (command) {
        case IDM_GOBACKWARD:
            webkit_web_view_go_back(view_);
            return;
        case IDM_GOFORWARD:
            webkit_web_view_go_forward(view_);
            return;
        case IDM_REFRESH:
            RequestRefresh(kRefreshCommand, false);
            return;
        case IDM_STOP:
            webkit_web_view_stop_loading(view_);
            return;
        case IDM_SELECTALL:
            webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_SELECT_ALL);
            return;
        case IDM_PASTE:
            webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_PASTE);
            return;
        case IDM_COPY:
            webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_COPY);
            return;
        case IDM_CUT:
            webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_CUT);
            return;
        case IDM_DELETE:
            webkit_web_view_execute_editing_command(view_, "Delete");
            return;
        case IDM_COPYSHORTCUT:
            if (!menuLinkUri_.empty())
                gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD),
                                       menuLinkUri_.c_str(), -1);
            return;
        case IDM_PRINT:
            Print(true);
            return;
        case IDM_OPENLINK:
            if (!menuLinkUri_.empty()) webkit_web_view_load_uri(view_, menuLinkUri_.c_str());
            return;
        case IDM_OPENINNEWWINDOW:
            // The user's choice in the menu; the press that opened it is the gesture.
            if (!menuLinkUri_.empty()) control_.OpenNewWindow(menuLinkUri_, true);
            return;
        case IDM_SAVETARGET:
            if (!menuLinkUri_.empty()) SaveFromMenu(menuLinkUri_);
            return;
        case IDM_SAVEPICTURE:
            if (!menuImageUri_.empty()) SaveFromMenu(menuImageUri_);
            return;
        case kSaveMediaCommand:
            if (!menuMediaUri_.empty()) SaveFromMenu(menuMediaUri_);
            return;
        default:
            break;
    }
    // The encoding submenu's commands.
    for (size_t i = 0; i < encodingMenu_.items.size(); ++i) {
        if (encodingMenu_.items[i].command == command && i < encodingCharsets_.size()) {
            const std::string& charset = encodingCharsets_[i];
            webkit_web_view_set_custom_charset(view_, charset.empty() ? nullptr : charset.c_str());
            return;
        }
    }
}

void WebKitHost::Print(bool prompt) {
    GObjectPtr<WebKitPrintOperation> op(webkit_print_operation_new(view_));
    if (printSetup_) {
        GObjectPtr<GtkPageSetup> page(gtk_page_setup_new());
        gtk_page_setup_set_orientation(page.get(), printSetup_->landscape
                                                       ? GTK_PAGE_ORIENTATION_LANDSCAPE
                                                       : GTK_PAGE_ORIENTATION_PORTRAIT);
        gtk_page_setup_set_left_margin(page.get(), printSetup_->marginLeft, GTK_UNIT_INCH);
        gtk_page_setup_set_right_margin(page.get(), printSetup_->marginRight, GTK_UNIT_INCH);
        gtk_page_setup_set_top_margin(page.get(), printSetup_->marginTop, GTK_UNIT_INCH);
        gtk_page_setup_set_bottom_margin(page.get(), printSetup_->marginBottom, GTK_UNIT_INCH);
        webkit_print_operation_set_page_setup(op.get(), page.get());
        GObjectPtr<GtkPrintSettings> print(gtk_print_settings_new());
        gtk_print_settings_set_orientation(print.get(), printSetup_->landscape
                                                            ? GTK_PAGE_ORIENTATION_LANDSCAPE
                                                            : GTK_PAGE_ORIENTATION_PORTRAIT);
        webkit_print_operation_set_print_settings(op.get(), print.get());
    }
    if (!prompt) {
        webkit_print_operation_print(op.get());
        return;
    }
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    webkit_print_operation_run_dialog(op.get(), GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr);
}

// ---- The document's command target ----

HResult WebKitHost::QueryStatus(const char* group, uint32_t command, uint32_t& state) {
    constexpr uint32_t OLECMDF_SUPPORTED = 1, OLECMDF_ENABLED = 2;
    state = 0;
    // The menu commands (CGID_MSHTML): what SendMenuCommand can run without WebKit's menu.
    const bool menuCommands = SameId(group, CGID_MSHTML);
    switch (command) {
        case IDM_GOBACKWARD:
            state = OLECMDF_SUPPORTED | (webkit_web_view_can_go_back(view_) ? OLECMDF_ENABLED : 0);
            return kS_OK;
        case IDM_GOFORWARD:
            state =
                OLECMDF_SUPPORTED | (webkit_web_view_can_go_forward(view_) ? OLECMDF_ENABLED : 0);
            return kS_OK;
        case IDM_REFRESH:
        case IDM_STOP:
        case IDM_SELECTALL:
        case IDM_PRINT:
            state = OLECMDF_SUPPORTED | OLECMDF_ENABLED;
            return kS_OK;
        case IDM_PASTE:
        case IDM_COPY:
        case IDM_CUT:
        case IDM_DELETE:
        case IDM_OPENLINK:
        case IDM_OPENINNEWWINDOW:
        case IDM_SAVETARGET:
        case IDM_SAVEPICTURE:
        case IDM_COPYSHORTCUT:
        case kSaveMediaCommand:
            if (!menuCommands) return kOLECMDERR_E_NOTSUPPORTED;
            state = OLECMDF_SUPPORTED | OLECMDF_ENABLED;
            return kS_OK;
        default:
            // The encoding submenu's commands; nothing else runs without WebKit's own menu.
            if (!menuCommands) return kOLECMDERR_E_NOTSUPPORTED;
            for (const WebMenuItem& item : encodingMenu_.items) {
                if (item.command == command) {
                    state = OLECMDF_SUPPORTED | OLECMDF_ENABLED;
                    return kS_OK;
                }
            }
            return kOLECMDERR_E_NOTSUPPORTED;
    }
}

HResult WebKitHost::Exec(const char* group, uint32_t command, uint32_t /*option*/,
                         const Variant* /*in*/, Variant* /*out*/) {
    if (group) return kOLECMDERR_E_NOTSUPPORTED;
    uint32_t state = 0;
    if (QueryStatus(nullptr, command, state) != kS_OK) return kOLECMDERR_E_NOTSUPPORTED;
    RunMenuCommand(command);
    return kS_OK;
}

}  // namespace platform::gtk
