#include "platform/gtk/WebKitEngine.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "base/AsciiText.h"
#include "base/Liveness.h"
#include "platform/LaunchPolicy.h"
#include "platform/Log.h"
#include "platform/Platform.h"
#include "platform/WebHost.h"
#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/RenderingMode.h"
#include "platform/gtk/WebContext.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

// Text-size steps of OLECMDID_ZOOM (0 smallest .. 4 largest, 2 normal) as zoom levels.
constexpr std::array<double, 5> kTextSizeZoom = {0.7, 0.85, 1.0, 1.15, 1.3};
constexpr int32_t kProgressMax = 10000;
// A pane whose web process goes again this soon after its page was brought back is not
// reloaded again: its page (or the machine's memory) takes the process down each time.
constexpr gint64 kCrashLoopUs = 10 * G_USEC_PER_SEC;
constexpr int32_t REFRESH_COMPLETELY = 3;

WideString Wide(const char* utf8) { return utf8 ? Utf8ToWide(utf8) : WideString(); }

// The status code OnNavigateError reports for a WebKit load error.
HResult StatusForError(const GError* error) {
    if (error->domain == WEBKIT_NETWORK_ERROR) {
        switch (error->code) {
            case WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST:
                return kINET_E_RESOURCE_NOT_FOUND;
            case WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL:
                return kINET_E_UNKNOWN_PROTOCOL;
            default:
                return kINET_E_DOWNLOAD_FAILURE;
        }
    }
    if (error->domain == G_RESOLVER_ERROR) return kINET_E_RESOURCE_NOT_FOUND;
    if (error->domain == G_IO_ERROR && error->code == G_IO_ERROR_TIMED_OUT)
        return kINET_E_CONNECTION_TIMEOUT;
    return kINET_E_DOWNLOAD_FAILURE;
}

// Whether a response asks to be saved rather than shown (Content-Disposition: attachment).
bool IsAttachment(WebKitURIResponse* response) {
    SoupMessageHeaders* headers =
        response ? webkit_uri_response_get_http_headers(response) : nullptr;
    if (!headers) return false;
    char* disposition = nullptr;
    if (!soup_message_headers_get_content_disposition(headers, &disposition, nullptr)) return false;
    const GCharPtr owned(disposition);
    return disposition && SameTextAscii(disposition, "attachment");
}

// Errors that only say a load was superseded or refused by us: no navigation error.
bool IsCancellation(const GError* error) {
    return (error->domain == WEBKIT_NETWORK_ERROR &&
            error->code == WEBKIT_NETWORK_ERROR_CANCELLED) ||
           (error->domain == WEBKIT_POLICY_ERROR &&
            error->code == WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE);
}

// Adds "Name: value" lines (CR LF, CR or LF separated) to request headers; lines without
// a colon or with an empty name are skipped.
void AddHeaders(SoupMessageHeaders* headers, const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) continue;
        std::string name = line.substr(0, colon);
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        soup_message_headers_append(headers, name.c_str(), value.c_str());
    }
}

// A file:// address of a folder that holds an index.html, as that page's address (what a
// web server answers for a folder); empty for anything else. The bundled site is opened
// from files, and its base address is a folder.
std::string DirectoryIndexUri(const char* uri) {
    if (!uri || !StartsWithTextAscii(uri, "file:")) return {};
    GObjectPtr<GFile> dir(g_file_new_for_uri(uri));
    std::string result;
    if (g_file_query_file_type(dir.get(), G_FILE_QUERY_INFO_NONE, nullptr) ==
        G_FILE_TYPE_DIRECTORY) {
        GObjectPtr<GFile> index(g_file_get_child(dir.get(), "index.html"));
        if (g_file_query_file_type(index.get(), G_FILE_QUERY_INFO_NONE, nullptr) ==
            G_FILE_TYPE_REGULAR) {
            GCharPtr indexUri(g_file_get_uri(index.get()));
            if (indexUri) result = indexUri.get();
        }
    }
    return result;
}

class WebKitControl final : public WebControlObject,
                            public WebBrowserAutomation,
                            public WebObject,
                            public WebKitControlSide {
public:
    WebKitControl() {
        ownedView_.reset(GTK_WIDGET(g_object_ref_sink(NewWebView())));
        view_ = WEBKIT_WEB_VIEW(ownedView_.get());
        host_ = std::make_unique<WebKitHost>(*this);
        g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
        g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
        g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
        g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
        g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
        g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(OnProgress), this);
        g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
        g_signal_connect(view_, "close", G_CALLBACK(OnClose), this);
        g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnWebProcessTerminated), this);
        g_signal_connect(webkit_web_view_get_back_forward_list(view_), "changed",
                         G_CALLBACK(OnHistoryChanged), this);
    }

    ~WebKitControl() override {
        Close();
        // The host goes first; then the view leaves any window it is in (a parked one
        // included) and goes.
        host_.reset();
    }

    // ---- WebControlObject ----
    HResult LoadState(const std::vector<uint8_t>* state) override {
        if (state) ApplyControlState(*state, properties_);
        return kS_OK;
    }
    void Advise(WebEventSink* sink) override { sink_ = sink; }
    WebBrowserAutomation* QueryBrowser() override { return closed_ ? nullptr : this; }
    WebObject* BrowserObject() override { return this; }
    void* NativeWidget() override { return closed_ ? nullptr : view_; }

    void Close() override {
        if (closed_) return;
        closed_ = true;
        liveness_.End();
        sink_ = nullptr;
        host_->Close();
        g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(view_), this);
        g_signal_handlers_disconnect_by_data(view_, this);
        webkit_web_view_stop_loading(view_);
    }

    void SetClientSite(WebHostSite* site) override { host_->SetSite(closed_ ? nullptr : site); }
    void AmbientPropertyChanged(int32_t) override { host_->AmbientChanged(); }
    bool HasDocumentWindow() const override { return host_->HasDocumentWindow(); }
    void SetDocumentDropTarget(WebDropTarget* target) override {
        host_->SetDocumentDropTarget(target);
    }
    void SetPrintSetup(const WebPrintSetup* setup) override { host_->SetPrintSetup(setup); }

    // ---- WebBrowserAutomation ----
    HResult Navigate(const WideString& url, const Variant& flags, const Variant& targetFrameName,
                     const Variant& postData, const Variant& headers) override {
        if (closed_) return kE_UNEXPECTED;
        if (url.empty()) return kE_INVALIDARG;
        // WebKit takes no request body from an embedder.
        if ((postData.type == Variant::Type::Bytes && !postData.bytes.empty()) ||
            (postData.type == Variant::Type::String && !postData.text.empty()))
            return kE_NOTIMPL;
        const bool newWindow =
            (flags.type == Variant::Type::Int32 && (flags.intValue & navOpenInNewWindow)) ||
            (targetFrameName.type == Variant::Type::String && targetFrameName.text == u"_blank");
        if (newWindow) {
            // The host's own request: its handlers may take it; nothing is launched from it
            // (no click or key press of the user asked for it in the page).
            if (sink_)
                RaiseNewWindowRequest(*sink_, launches_, NWMF_USERREQUESTED,
                                      Wide(webkit_web_view_get_uri(view_)), url);
            return kS_OK;
        }
        // Named frames are not targeted: the whole pane navigates.
        std::string address = WideToUtf8(url);
        if (std::string index = DirectoryIndexUri(address.c_str()); !index.empty())
            address = std::move(index);
        GObjectPtr<WebKitURIRequest> request(webkit_uri_request_new(address.c_str()));
        if (SoupMessageHeaders* h = webkit_uri_request_get_http_headers(request.get())) {
            if (headers.type == Variant::Type::String && !headers.text.empty())
                AddHeaders(h, WideToUtf8(headers.text));
            host_->AddNavigationHeaders(h);
        }
        webkit_web_view_load_request(view_, request.get());
        return kS_OK;
    }

    HResult ExecWB(int32_t commandId, int32_t execOption, Variant* in, Variant* out) override {
        if (closed_) return kE_UNEXPECTED;
        switch (commandId) {
            case OLECMDID_CUT:
                return Editing(WEBKIT_EDITING_COMMAND_CUT);
            case OLECMDID_COPY:
                return Editing(WEBKIT_EDITING_COMMAND_COPY);
            case OLECMDID_PASTE:
                return Editing(WEBKIT_EDITING_COMMAND_PASTE);
            case OLECMDID_SELECTALL:
                return Editing(WEBKIT_EDITING_COMMAND_SELECT_ALL);
            case OLECMDID_UNDO:
                return Editing(WEBKIT_EDITING_COMMAND_UNDO);
            case OLECMDID_REDO:
                return Editing(WEBKIT_EDITING_COMMAND_REDO);
            case OLECMDID_CLEARSELECTION:
                webkit_web_view_evaluate_javascript(view_,
                                                    "window.getSelection().removeAllRanges()", -1,
                                                    nullptr, nullptr, nullptr, nullptr, nullptr);
                return kS_OK;
            case OLECMDID_REFRESH:
                if (in && in->type == Variant::Type::Int32 && in->intValue == REFRESH_COMPLETELY)
                    webkit_web_view_reload_bypass_cache(view_);
                else
                    webkit_web_view_reload(view_);
                return kS_OK;
            case OLECMDID_STOP:
                webkit_web_view_stop_loading(view_);
                return kS_OK;
            case OLECMDID_PRINT:
                host_->Print(execOption != static_cast<int32_t>(OLECMDEXECOPT_DONTPROMPTUSER));
                return kS_OK;
            case kEncodingMenuCommand:
                if (in) *in = Variant::FromObject(host_->EncodingMenu());
                return kS_OK;
            case OLECMDID_ZOOM:
                return TextSize(in, out);
            case OLECMDID_GETZOOMRANGE:
                if (out) *out = Variant::FromInt(4 << 16);  // low word 0, high word 4
                return kS_OK;
            case OLECMDID_OPTICAL_ZOOM: {
                if (in && in->type == Variant::Type::Int32) {
                    if (in->intValue < 10 || in->intValue > 1000) return kE_INVALIDARG;
                    webkit_web_view_set_zoom_level(view_, in->intValue / 100.0);
                }
                if (out)
                    *out = Variant::FromInt(static_cast<int32_t>(
                        std::lround(webkit_web_view_get_zoom_level(view_) * 100)));
                return kS_OK;
            }
            default:
                return kOLECMDERR_E_NOTSUPPORTED;
        }
    }

    HResult GetProperty(int32_t dispId, Variant& value) override {
        return properties_.Get(dispId, value);
    }
    HResult PutProperty(int32_t dispId, const Variant& value) override {
        return properties_.Put(dispId, value);
    }

private:
    // Calls the sink with arguments in declared order; false when the control was closed
    // meanwhile (a handler destroyed it): the caller must not touch `this` any more.
    template <class... A>
    bool Raise(int32_t dispId, A... args) {
        if (!sink_) return true;
        const TLivenessWatch alive = liveness_.Watch();
        RaiseWebEvent(*sink_, dispId, {args...});
        return alive.Alive();
    }

    HResult Editing(const char* command) {
        webkit_web_view_execute_editing_command(view_, command);
        return kS_OK;
    }

    HResult TextSize(Variant* in, Variant* out) {
        if (in && in->type == Variant::Type::Int32) {
            if (in->intValue < 0 || in->intValue > 4) return kE_INVALIDARG;
            webkit_web_view_set_zoom_level(view_, kTextSizeZoom[static_cast<size_t>(in->intValue)]);
        }
        if (out) {
            const double zoom = webkit_web_view_get_zoom_level(view_);
            size_t nearest = 0;
            for (size_t i = 1; i < kTextSizeZoom.size(); ++i)
                if (std::fabs(kTextSizeZoom[i] - zoom) < std::fabs(kTextSizeZoom[nearest] - zoom))
                    nearest = i;
            *out = Variant::FromInt(static_cast<int32_t>(nearest));
        }
        return kS_OK;
    }

    void SetStatusText(const WideString& text) {
        properties_.Put(DISPID_PROP_STATUSTEXT, Variant::FromString(text));
    }

    // ---- Signal handlers ----

    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
            WebKitNavigationAction* action =
                webkit_navigation_policy_decision_get_navigation_action(
                    WEBKIT_NAVIGATION_POLICY_DECISION(decision));
            WebKitURIRequest* request = webkit_navigation_action_get_request(action);
            // A navigation the user started may end in one download.
            self->host_->NoteNavigation(action);
            // The host's rules first (translated addresses, untrusted schemes, links in new
            // windows).
            {
                const TLivenessWatch alive = self->liveness_.Watch();
                const bool taken = self->host_->DecideNavigation(decision, action);
                if (!alive.Alive() || taken) return TRUE;
            }
            // A link to a folder of files opens the folder's index page instead.
            if (std::string index = DirectoryIndexUri(webkit_uri_request_get_uri(request));
                !index.empty()) {
                webkit_policy_decision_ignore(decision);
                webkit_web_view_load_uri(self->view_, index.c_str());
                return TRUE;
            }
            Variant url = Variant::FromString(Wide(webkit_uri_request_get_uri(request)));
            Variant flags = Variant::FromInt(0);
            Variant target =
                Variant::FromString(Wide(webkit_navigation_action_get_frame_name(action)));
            Variant post;
            Variant headers = Variant::FromString(u"");
            VariantBool cancel = kVariantFalse;
            // The decision outlives a handler that closes the control, or throws.
            GObjectPtr<WebKitPolicyDecision> held = RefObject(decision);
            const bool alive =
                self->Raise(DISPID_BEFORENAVIGATE2, EventArg::Object(self),
                            EventArg::RefVariant(&url), EventArg::RefVariant(&flags),
                            EventArg::RefVariant(&target), EventArg::RefVariant(&post),
                            EventArg::RefVariant(&headers), EventArg::RefBool(&cancel));
            if (alive && cancel != kVariantFalse)
                webkit_policy_decision_ignore(held.get());
            else
                webkit_policy_decision_use(held.get());
            return TRUE;
        }
        if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
            auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
            const bool attachment =
                IsAttachment(webkit_response_policy_decision_get_response(response));
            const bool mainResource =
                webkit_response_policy_decision_is_main_frame_main_resource(response) != FALSE;
            if (!attachment &&
                (webkit_response_policy_decision_is_mime_type_supported(response) || !mainResource))
                return FALSE;  // WebKit shows it, or leaves out a part of a page it cannot show
            // A download: only one that a user's click or key press in the view asked for.
            if (!self->host_->TakeUserDownload()) {
                WebKitURIRequest* request = webkit_response_policy_decision_get_request(response);
                const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
                self->host_->RefuseDownload(uri ? uri : "",
                                            "no click or key press in the pane asked for it");
                webkit_policy_decision_ignore(decision);
                return TRUE;
            }
            VariantBool cancel = kVariantFalse;
            GObjectPtr<WebKitPolicyDecision> held = RefObject(decision);
            const bool alive = self->Raise(DISPID_FILEDOWNLOAD, EventArg::RefBool(&cancel));
            if (!alive || cancel != kVariantFalse) {
                webkit_policy_decision_ignore(held.get());
            } else {
                self->host_->ExpectDownload();
                webkit_policy_decision_download(held.get());
            }
            return TRUE;
        }
        return FALSE;  // new-window actions go on to "create"
    }

    static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        if (!self->sink_) return nullptr;
        const WideString url =
            Wide(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
        const WideString context = Wide(webkit_web_view_get_uri(view));
        const uint32_t flags =
            webkit_navigation_action_is_user_gesture(action) ? NWMF_USERINITIATED : 0;
        const TLivenessWatch alive = self->liveness_.Watch();
        // The host's new-window manager may block the request before any event.
        if (!self->host_->EvaluateNewWindow(url, context, flags) || !alive.Alive()) return nullptr;
        if (self->host_->NavigatesInPlace()) {
            const std::string address = WideToUtf8(url);
            webkit_web_view_load_uri(view, address.c_str());
            return nullptr;
        }
        if (!self->sink_) return nullptr;
        const NewWindowOutcome outcome =
            RaiseNewWindowRequest(*self->sink_, self->launches_, flags, context, url);
        if (alive.Alive() && !outcome.cancelled && outcome.newBrowser) {
            // A handler supplied a browser of this engine: it shows the page.
            if (auto* other = dynamic_cast<WebKitControl*>(outcome.newBrowser);
                other && !other->closed_) {
                const std::string address = WideToUtf8(url);
                webkit_web_view_load_uri(other->view_, address.c_str());
            }
        }
        return nullptr;  // WebKit never opens a window of its own here
    }

    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        switch (event) {
            case WEBKIT_LOAD_STARTED:
                self->failed_ = false;
                self->host_->LoadStarted();
                self->Raise(DISPID_DOWNLOADBEGIN);
                break;
            case WEBKIT_LOAD_REDIRECTED:
                break;
            case WEBKIT_LOAD_COMMITTED: {
                {
                    const TLivenessWatch alive = self->liveness_.Watch();
                    self->host_->LoadCommitted();
                    if (!alive.Alive()) return;
                }
                Variant url = Variant::FromString(Wide(webkit_web_view_get_uri(view)));
                if (!self->Raise(DISPID_NAVIGATECOMPLETE2, EventArg::Object(self),
                                 EventArg::RefVariant(&url)))
                    return;
                if (!self->ReportSecurity(view)) return;
                self->ReportHttpError(view);
                break;
            }
            case WEBKIT_LOAD_FINISHED: {
                if (!self->failed_) {
                    Variant url = Variant::FromString(Wide(webkit_web_view_get_uri(view)));
                    if (!self->Raise(DISPID_DOCUMENTCOMPLETE, EventArg::Object(self),
                                     EventArg::RefVariant(&url)))
                        return;
                }
                if (!self->Raise(DISPID_PROGRESSCHANGE, EventArg::Int(-1),
                                 EventArg::Int(kProgressMax)))
                    return;
                self->Raise(DISPID_DOWNLOADCOMPLETE);
                break;
            }
        }
    }

    bool ReportSecurity(WebKitWebView* view) {
        GTlsCertificate* certificate = nullptr;
        GTlsCertificateFlags errors = static_cast<GTlsCertificateFlags>(0);
        int32_t icon = secureLockIconUnsecure;
        if (webkit_web_view_get_tls_info(view, &certificate, &errors))
            icon = errors == 0 ? secureLockIconSecure128Bit : secureLockIconMixed;
        if (icon == lockIcon_) return true;
        lockIcon_ = icon;
        return Raise(DISPID_SETSECURELOCKICON, EventArg::Int(icon));
    }

    void ReportHttpError(WebKitWebView* view) {
        WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
        WebKitURIResponse* response =
            resource ? webkit_web_resource_get_response(resource) : nullptr;
        const guint status = response ? webkit_uri_response_get_status_code(response) : 0;
        if (status < 400) return;
        Variant url = Variant::FromString(Wide(webkit_web_view_get_uri(view)));
        Variant frame = Variant::FromString(u"");
        Variant code = Variant::FromInt(static_cast<int32_t>(status));
        VariantBool cancel = kVariantFalse;
        if (!Raise(DISPID_NAVIGATEERROR, EventArg::Object(this), EventArg::RefVariant(&url),
                   EventArg::RefVariant(&frame), EventArg::RefVariant(&code),
                   EventArg::RefBool(&cancel)))
            return;
        if (cancel != kVariantFalse) webkit_web_view_stop_loading(view);
    }

    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* failingUri, GError* error,
                                 gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        self->failed_ = true;
        if (IsCancellation(error)) return FALSE;
        Variant url = Variant::FromString(Wide(failingUri));
        Variant frame = Variant::FromString(u"");
        Variant code = Variant::FromInt(StatusForError(error));
        VariantBool cancel = kVariantFalse;
        if (!self->Raise(DISPID_NAVIGATEERROR, EventArg::Object(self), EventArg::RefVariant(&url),
                         EventArg::RefVariant(&frame), EventArg::RefVariant(&code),
                         EventArg::RefBool(&cancel)))
            return TRUE;
        // Cancel: the host handles the error, WebKit shows no error page.
        return cancel != kVariantFalse ? TRUE : FALSE;
    }

    static void OnTitle(WebKitWebView* view, GParamSpec*, gpointer data) {
        const char* title = webkit_web_view_get_title(view);
        if (!title) return;
        const WideString text = Wide(title);
        auto* self = static_cast<WebKitControl*>(data);
        if (!self->Raise(DISPID_TITLECHANGE, EventArg::String(text))) return;
        self->host_->TitleChanged(text);
    }

    static void OnProgress(WebKitWebView* view, GParamSpec*, gpointer data) {
        const double p = std::clamp(webkit_web_view_get_estimated_load_progress(view), 0.0, 1.0);
        auto* self = static_cast<WebKitControl*>(data);
        const auto progress = static_cast<int32_t>(std::lround(p * kProgressMax));
        if (!self->Raise(DISPID_PROGRESSCHANGE, EventArg::Int(progress),
                         EventArg::Int(kProgressMax)))
            return;
        self->host_->ProgressChanged(progress, kProgressMax);
    }

    static void OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        const WideString text = webkit_hit_test_result_context_is_link(hit)
                                    ? Wide(webkit_hit_test_result_get_link_uri(hit))
                                    : WideString();
        if (text == self->statusText_) return;
        self->statusText_ = text;
        self->SetStatusText(text);
        self->Raise(DISPID_STATUSTEXTCHANGE, EventArg::String(self->statusText_));
    }

    static void OnClose(WebKitWebView*, gpointer data) {
        // A pane is part of the program's window: whatever the handler answers, it stays.
        VariantBool cancel = kVariantFalse;
        static_cast<WebKitControl*>(data)->Raise(
            DISPID_WINDOWCLOSING, EventArg::Bool(kVariantFalse), EventArg::RefBool(&cancel));
    }

    // The web process the page ran in has gone (it crashed, or ran out of memory). The panes
    // share one process, so every pane hears this at once; each brings its page back,
    // unless it did so a moment ago.
    static void OnWebProcessTerminated(WebKitWebView* view,
                                       WebKitWebProcessTerminationReason reason, gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) return;
        const char* uri = webkit_web_view_get_uri(view);
        const std::string page = uri ? uri : "";
        const gint64 now = g_get_monotonic_time();
        if (self->lastRecovery_ != 0 && now - self->lastRecovery_ < kCrashLoopUs) {
            LogLine("the web process of a pane showing " + page +
                    " ended again right after its page was reloaded; not reloading it again");
            return;
        }
        self->lastRecovery_ = now;
        LogLine("the web process of a pane showing " + page + " ended; reloading the page");
        webkit_web_view_reload(view);
    }

    static void OnHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer,
                                 gpointer data) {
        auto* self = static_cast<WebKitControl*>(data);
        const bool back = webkit_web_view_can_go_back(self->view_);
        const bool forward = webkit_web_view_can_go_forward(self->view_);
        if (forward != self->canForward_) {
            self->canForward_ = forward;
            if (!self->Raise(DISPID_COMMANDSTATECHANGE, EventArg::Int(CSC_NAVIGATEFORWARD),
                             EventArg::Bool(ToVariantBool(forward))))
                return;
        }
        if (back != self->canBack_) {
            self->canBack_ = back;
            if (!self->Raise(DISPID_COMMANDSTATECHANGE, EventArg::Int(CSC_NAVIGATEBACK),
                             EventArg::Bool(ToVariantBool(back))))
                return;
        }
        self->host_->CommandsChanged();
    }

    // ---- WebKitControlSide ----
    WebKitWebView* View() const override { return view_; }
    WebEventSink* EventSink() const override { return sink_; }
    bool RegisterAsDropTarget() const override {
        return BoolProperty(DISPID_PROP_REGISTERASDROPTARGET, true);
    }
    bool Silent() const override { return BoolProperty(DISPID_PROP_SILENT, false); }
    void OpenNewWindow(const std::string& uri, bool userGesture) override {
        if (!sink_) return;
        const TLivenessWatch alive = liveness_.Watch();
        const WideString url = Utf8ToWide(uri);
        const WideString context = Wide(webkit_web_view_get_uri(view_));
        const uint32_t flags = NWMF_USERREQUESTED | (userGesture ? NWMF_USERINITIATED : 0);
        if (!host_->EvaluateNewWindow(url, context, flags & NWMF_USERINITIATED) || !alive.Alive() ||
            !sink_)
            return;
        RaiseNewWindowRequest(*sink_, launches_, flags, context, url);
    }
    void UserGesture() override { launches_.UserGesture(); }
    bool BoolProperty(int32_t dispId, bool fallback) const {
        Variant v;
        if (properties_.Get(dispId, v) != kS_OK || v.type != Variant::Type::Bool) return fallback;
        return v.boolValue != 0;
    }

    GtkWidgetPtr<> ownedView_;
    WebKitWebView* view_ = nullptr;  // the same view
    std::unique_ptr<WebKitHost> host_;
    WebEventSink* sink_ = nullptr;
    TLiveness liveness_;
    LaunchPolicy launches_;
    bool closed_ = false;
    bool failed_ = false;
    bool canBack_ = false;
    bool canForward_ = false;
    gint64 lastRecovery_ = 0;  // when the page was last brought back after its process went
    int32_t lockIcon_ = secureLockIconUnsecure;
    WideString statusText_;
    WebPropertyStore properties_;
};

}  // namespace

WebKitEngine::WebKitEngine() = default;
WebKitEngine::~WebKitEngine() = default;

std::unique_ptr<WebControlObject> WebKitEngine::CreateControl(const std::string& classId) {
    if (classId != kWebBrowserClassId) return nullptr;
    return std::make_unique<WebKitControl>();
}

void WebKitEngine::SetUserAgentTokens(const std::vector<std::string>& tokens) {
    gtk::SetUserAgentTokens(tokens);
}

bool WebKitEngine::SetProxy(const WebProxySettings* proxy) { return gtk::SetProxy(proxy); }

void InstallWebKitEngine() {
    ApplyWebRenderingMode(SandboxFallback::KeepSandbox);
    SetWebEngine(std::make_unique<WebKitEngine>());
}

}  // namespace platform::gtk
