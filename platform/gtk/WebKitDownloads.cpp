// Downloads. Only a download the user asked for happens: a save command of the context
// menu, or a navigation that a user's click or key press in the view started (a click on a
// download link). Anything else that would end in a download (a page's own navigation, a
// script, a frame) is refused and logged. An asked-for download first goes to the host's
// download manager (when the host hands one out and takes it, WebKit's stops); otherwise
// the desktop's file chooser (GtkFileChooserNative: the portal where there is one) asks
// where to save it, proposing the user's download folder and a safe name, asks before it
// replaces a file, and cancels the download when it is cancelled.
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "base/AsciiText.h"
#include "platform/DownloadNames.h"
#include "platform/Log.h"
#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

constexpr const char* kAskedKey = "pb-user-asked";
// How long a user's navigation may take to turn into a download.
constexpr int64_t kUserDownloadWindowUs = 30 * G_USEC_PER_SEC;

// A file chooser open for a download.
struct SaveChooser {
    GObjectPtr<WebKitDownload> download;
    GObjectPtr<GtkFileChooserNative> chooser;
    WebKitWebView* view = nullptr;  // nullptr once the view is gone
};

struct DownloadState {
    std::map<WebKitWebView*, WebKitHost*> hosts;
    std::vector<WebKitWebContext*> contexts;
    std::vector<SaveChooser*> choosers;
};

// Lives as long as the process: WebKit lets its objects go in exit handlers, after
// static objects are destroyed.
DownloadState& State() {
    static auto* state = new DownloadState;
    return *state;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The folder the chooser proposes: the user's download folder where it exists (nothing is
// made for a download that may yet be cancelled), else the home folder.
std::string ProposedFolder() {
    const char* folder = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    if (folder && g_file_test(folder, G_FILE_TEST_IS_DIR)) return folder;
    const std::string fallback = std::string(g_get_home_dir()) + "/Downloads";
    if (g_file_test(fallback.c_str(), G_FILE_TEST_IS_DIR)) return fallback;
    return g_get_home_dir();
}

std::string RequestUri(WebKitDownload* download) {
    WebKitURIRequest* request = webkit_download_get_request(download);
    const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
    return uri ? uri : "";
}

WebKitHost* HostOf(WebKitWebView* view) {
    if (!view) return nullptr;
    auto it = State().hosts.find(view);
    return it != State().hosts.end() ? it->second : nullptr;
}

void CloseChooser(SaveChooser* pending) {
    std::erase(State().choosers, pending);
    gtk_native_dialog_destroy(GTK_NATIVE_DIALOG(pending->chooser.get()));
    delete pending;  // drops the chooser
}

void OnChooserResponse(GtkNativeDialog*, gint response, gpointer data) {
    auto* pending = static_cast<SaveChooser*>(data);
    WebKitDownload* download = pending->download.get();
    GObjectPtr<GFile> file(response == GTK_RESPONSE_ACCEPT
                               ? gtk_file_chooser_get_file(GTK_FILE_CHOOSER(pending->chooser.get()))
                               : nullptr);
    GCharPtr uri(file ? g_file_get_uri(file.get()) : nullptr);
    GCharPtr path(file ? g_file_get_path(file.get()) : nullptr);
    if (uri && path) {
        // The chooser asked before it let the user pick a file that is there already.
        webkit_download_set_allow_overwrite(download, Exists(path.get()));
        webkit_download_set_destination(download, uri.get());
    } else {
        webkit_download_cancel(download);
    }
    CloseChooser(pending);
}

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer) {
    WebKitWebView* view = webkit_download_get_web_view(download);
    GtkWidget* top = view ? gtk_widget_get_toplevel(GTK_WIDGET(view)) : nullptr;
    GObjectPtr<GtkFileChooserNative> owned(
        gtk_file_chooser_native_new("Save File", GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr,
                                    GTK_FILE_CHOOSER_ACTION_SAVE, "_Save", "_Cancel"));
    GtkFileChooserNative* chooser = owned.get();
    GtkFileChooser* files = GTK_FILE_CHOOSER(chooser);
    gtk_file_chooser_set_do_overwrite_confirmation(files, TRUE);
    gtk_file_chooser_set_local_only(files, TRUE);
    gtk_file_chooser_set_current_folder(files, ProposedFolder().c_str());
    gtk_file_chooser_set_current_name(files, SafeDownloadName(suggested ? suggested : "").c_str());
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
    auto* pending = new SaveChooser{RefObject(download), std::move(owned), view};
    State().choosers.push_back(pending);
    g_signal_connect(chooser, "response", G_CALLBACK(OnChooserResponse), pending);
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
    return TRUE;  // the destination follows from the chooser's answer
}

// Whether the host's download manager took the download.
bool HostManagerTook(WebHostSite* site, WebKitDownload* download) {
    WebService* service = nullptr;
    if (site->QueryService(SID_SDownloadManager, IID_IDownloadManager, service) != kS_OK)
        return false;
    auto* manager = dynamic_cast<WebDownloadManager*>(service);
    if (!manager) return false;
    WebKitURIRequest* request = webkit_download_get_request(download);
    WebMoniker moniker(Utf8ToWide(RequestUri(download)));
    WebBindInfo info;
    info.cbSize = sizeof(WebBindInfo);
    info.bindVerb = BINDVERB_GET;
    const char* method = request ? webkit_uri_request_get_http_method(request) : nullptr;
    if (method && SameTextAscii(method, "POST")) info.bindVerb = BINDVERB_POST;
    return manager->Download(&moniker, nullptr, info.bindVerb, 0, &info, u"", u"", 65001) == kS_OK;
}

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer) {
    WebKitWebView* view = webkit_download_get_web_view(download);
    WebKitHost* host = HostOf(view);
    const bool asked = g_object_get_data(G_OBJECT(download), kAskedKey) != nullptr ||
                       (host && (host->TakeExpectedDownload() || host->TakeUserDownload()));
    if (!asked) {
        if (host)
            host->RefuseDownload(RequestUri(download),
                                 "no click or key press in the pane asked for it");
        else
            LogLine("refused to download \"" + RequestUri(download) +
                    "\": it comes from no pane of the program");
        webkit_download_cancel(download);
        return;
    }
    if (WebHostSite* site = host ? host->Site() : nullptr;
        site && HostManagerTook(site, download)) {
        webkit_download_cancel(download);  // the host took it
        return;
    }
    g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), nullptr);
}

}  // namespace

// ---- What the user asked for ----

void WebKitHost::NoteNavigation(WebKitNavigationAction* action) {
    if (closed_ || !action || !webkit_navigation_action_is_user_gesture(action)) return;
    // One press in the view allows one download.
    if (downloadGestures_.Take())
        userDownloadUntil_ = g_get_monotonic_time() + kUserDownloadWindowUs;
}

bool WebKitHost::TakeUserDownload() {
    const bool allowed = userDownloadUntil_ != 0 && g_get_monotonic_time() <= userDownloadUntil_;
    userDownloadUntil_ = 0;
    return allowed;
}

bool WebKitHost::TakeExpectedDownload() {
    if (expectedDownloads_ <= 0) return false;
    --expectedDownloads_;
    return true;
}

void WebKitHost::RefuseDownload(const std::string& uri, const char* reason) const {
    const char* page = webkit_web_view_get_uri(view_);
    LogLine("refused to download \"" + uri + "\" (asked by \"" + (page ? page : "") +
            "\"): " + reason);
}

void WebKitHost::SaveFromMenu(const std::string& uri) {
    if (closed_) return;
    const GObjectPtr<WebKitDownload> download(webkit_web_view_download_uri(view_, uri.c_str()));
    if (!download) return;
    g_object_set_data(G_OBJECT(download.get()), kAskedKey, GINT_TO_POINTER(1));
}

void WatchDownloads(WebKitWebView* view, WebKitHost* host) {
    State().hosts[view] = host;
    WebKitWebContext* context = webkit_web_view_get_context(view);
    if (!context || std::find(State().contexts.begin(), State().contexts.end(), context) !=
                        State().contexts.end())
        return;
    State().contexts.push_back(context);
    g_signal_connect(context, "download-started", G_CALLBACK(OnDownloadStarted), nullptr);
    g_object_weak_ref(
        G_OBJECT(context),
        [](gpointer, GObject* gone) {
            std::erase(State().contexts, reinterpret_cast<WebKitWebContext*>(gone));
        },
        nullptr);
}

void ForgetDownloads(WebKitWebView* view) {
    State().hosts.erase(view);
    // A chooser for the view's download goes with it, and the download with the chooser.
    const std::vector<SaveChooser*> open = State().choosers;
    for (SaveChooser* pending : open) {
        if (pending->view != view) continue;
        webkit_download_cancel(pending->download.get());
        CloseChooser(pending);
    }
}

}  // namespace platform::gtk
