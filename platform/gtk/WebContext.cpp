#include "platform/gtk/WebContext.h"

#include <glib.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <utility>

#include "platform/gtk/GtkHandles.h"

namespace platform::gtk {
namespace {

WebContextOptions& PendingOptions() {
    static WebContextOptions options;
    return options;
}

std::string InUserFolder(const char* userFolder, const std::string& programFolder) {
    const GCharPtr path(g_build_filename(userFolder, programFolder.c_str(), "webkit", nullptr));
    return path.get();
}

// The live views NewWebView made, oldest first; a view leaves the list as it is finalised.
std::vector<WebKitWebView*>& LiveViews() {
    static std::vector<WebKitWebView*> views;
    return views;
}

void ForgetView(gpointer, GObject* finalised) {
    std::erase(LiveViews(), reinterpret_cast<WebKitWebView*>(finalised));
}

WebKitWebContext* CreateContext(const WebContextOptions& options) {
    const WebDataFolders folders = WebDataFoldersFor(options.programFolder);
    GObjectPtr<WebKitWebsiteDataManager> manager(
        webkit_website_data_manager_new("base-data-directory", folders.data.c_str(),
                                        "base-cache-directory", folders.cache.c_str(), nullptr));
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(manager.get());
    for (const ResourceSite& site : options.sites) RegisterResourceSite(context, site);
    return context;
}

}  // namespace

WebDataFolders WebDataFoldersFor(const std::string& programFolder) {
    const char* name = g_get_prgname();
    const std::string folder =
        !programFolder.empty() ? programFolder : (name && *name ? name : "webkitgtk-program");
    return {InUserFolder(g_get_user_data_dir(), folder),
            InUserFolder(g_get_user_cache_dir(), folder)};
}

void ConfigureWebContext(WebContextOptions options) { PendingOptions() = std::move(options); }

WebKitWebContext* SharedWebContext() {
    // Kept for the life of the process, as WebKit's own default context is.
    static WebKitWebContext* context = CreateContext(PendingOptions());
    return context;
}

WebKitWebView* NewWebView() {
    std::vector<WebKitWebView*>& live = LiveViews();
    WebKitWebView* view =
        live.empty() ? WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(SharedWebContext()))
                     // Only the process is shared: "related-view" alone leaves the new view its own
                     // settings and user content manager (webkit_web_view_new_with_related_view
                     // would share those too).
                     : WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view",
                                                    live.back(), nullptr));
    g_object_weak_ref(G_OBJECT(view), &ForgetView, nullptr);
    live.push_back(view);
    return view;
}

}  // namespace platform::gtk
