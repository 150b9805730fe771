// Downloads. A view's download first goes to its host's download manager (when the host
// hands one out and takes the download, WebKit's stops); otherwise it is saved in the
// user's download folder under a name of its own, never over an existing file.
#include <sys/stat.h>

#include <map>
#include <set>

#include "platform/DownloadNames.h"
#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

struct DownloadState {
    std::map<WebKitWebView*, WebKitHost*> hosts;
    std::set<WebKitWebContext*> contexts;
    std::set<std::string> reserved;  // destinations of downloads still running
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

std::string DownloadFolder() {
    const char* folder = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    std::string dir = folder ? folder : std::string(g_get_home_dir()) + "/Downloads";
    g_mkdir_with_parents(dir.c_str(), 0700);
    return dir;
}

void Release(WebKitDownload* download) {
    auto* path = static_cast<std::string*>(g_object_get_data(G_OBJECT(download), "pb-destination"));
    if (path) State().reserved.erase(*path);
}

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer) {
    const std::string path = DownloadDestination(DownloadFolder(), suggested ? suggested : "", [](const std::string& p) {
        return Exists(p) || State().reserved.count(p) > 0;
    });
    State().reserved.insert(path);
    g_object_set_data_full(G_OBJECT(download), "pb-destination", new std::string(path),
                           [](gpointer p) { delete static_cast<std::string*>(p); });
    GCharPtr uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    if (!uri) {
        webkit_download_cancel(download);
        return TRUE;
    }
    webkit_download_set_allow_overwrite(download, FALSE);
    webkit_download_set_destination(download, uri.get());
    return TRUE;
}

void OnDownloadEnded(WebKitDownload* download, gpointer) { Release(download); }
void OnDownloadFailed(WebKitDownload* download, GError*, gpointer) { Release(download); }

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer) {
    WebKitWebView* view = webkit_download_get_web_view(download);
    auto it = view ? State().hosts.find(view) : State().hosts.end();
    WebHostSite* site = it != State().hosts.end() ? it->second->Site() : nullptr;
    if (site) {
        WebService* service = nullptr;
        if (site->QueryService(SID_SDownloadManager, IID_IDownloadManager, service) == kS_OK) {
            if (auto* manager = dynamic_cast<WebDownloadManager*>(service)) {
                WebKitURIRequest* request = webkit_download_get_request(download);
                const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
                WebMoniker moniker(uri ? Utf8ToWide(uri) : WideString());
                WebBindInfo info;
                info.cbSize = sizeof(WebBindInfo);
                info.bindVerb = BINDVERB_GET;
                const char* method = request ? webkit_uri_request_get_http_method(request) : nullptr;
                if (method && g_ascii_strcasecmp(method, "POST") == 0) info.bindVerb = BINDVERB_POST;
                if (manager->Download(&moniker, nullptr, info.bindVerb, 0, &info, u"", u"", 65001) == kS_OK) {
                    webkit_download_cancel(download);  // the host took it
                    return;
                }
            }
        }
    }
    g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), nullptr);
    g_signal_connect(download, "finished", G_CALLBACK(OnDownloadEnded), nullptr);
    g_signal_connect(download, "failed", G_CALLBACK(OnDownloadFailed), nullptr);
}

}  // namespace

void WatchDownloads(WebKitWebView* view, WebKitHost* host) {
    State().hosts[view] = host;
    WebKitWebContext* context = webkit_web_view_get_context(view);
    if (!context || !State().contexts.insert(context).second) return;
    g_signal_connect(context, "download-started", G_CALLBACK(OnDownloadStarted), nullptr);
    g_object_weak_ref(G_OBJECT(context), [](gpointer, GObject* gone) {
        State().contexts.erase(reinterpret_cast<WebKitWebContext*>(gone));
    }, nullptr);
}

void ForgetDownloads(WebKitWebView* view) { State().hosts.erase(view); }

}  // namespace platform::gtk
