// The one web context every web view of the program shares: WebKit's data and caches in
// folders of the program's own under the user's XDG data and cache folders (never the
// current directory, never shared with other programs), and the sites the program serves
// on schemes of its own. Configure it before the first web view is created.
#pragma once

#include <string>
#include <vector>

#include "platform/gtk/ResourceSite.h"

typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitWebView WebKitWebView;

namespace platform::gtk {

struct WebContextOptions {
    // Folder name under $XDG_DATA_HOME and $XDG_CACHE_HOME ("puzzlebin"); empty: the
    // program's name (g_get_prgname).
    std::string programFolder;
    std::vector<ResourceSite> sites;
};

// Where the context keeps WebKit's data and caches.
struct WebDataFolders {
    std::string data;   // $XDG_DATA_HOME/<program>/webkit
    std::string cache;  // $XDG_CACHE_HOME/<program>/webkit
};
[[nodiscard]] WebDataFolders WebDataFoldersFor(const std::string& programFolder);

// Sets the options the shared context is created with. Has no effect once it exists.
void ConfigureWebContext(WebContextOptions options);

// The shared context, created on first use.
[[nodiscard]] WebKitWebContext* SharedWebContext();

// A new web view of the shared context (a floating reference, as webkit_web_view_new
// gives). While a view made here before is alive, the new one shares that view's web
// process: the program's panes show one site, so its pages, fonts and script engine are
// brought up once, and one process starts instead of one per pane (the largest part of
// the engine's start and of its memory). Each view keeps settings and user content of its
// own.
[[nodiscard]] WebKitWebView* NewWebView();

}  // namespace platform::gtk
