// The web engine on WebKitGTK (webkit2gtk-4.1): one WebKitWebView per control, hosted in
// a window as a native view, with WebKit's signals turned into the browser events.
//
// Events and where they come from:
//   OnBeforeNavigate2     "decide-policy", navigation actions (Cancel ignores the request)
//   OnNewWindow2/3        "create" (target="_blank" links, window.open); never opens a
//                         WebKit window: cancelled -> nothing, otherwise the default browser
//   OnNavigateComplete2   "load-changed" COMMITTED
//   OnDocumentComplete    "load-changed" FINISHED after a load that did not fail
//   OnNavigateError       "load-failed" (status code from the error), and a committed main
//                         resource with an HTTP status of 400 or above (that status);
//                         Cancel suppresses WebKit's error page / stops the load
//   OnDownloadBegin/Complete  "load-changed" STARTED / FINISHED
//   OnTitleChange         "notify::title"
//   OnStatusTextChange    "mouse-target-changed" (the link under the mouse, "" off links)
//   OnProgressChange      "notify::estimated-load-progress" (of 10000; -1 when finished)
//   OnCommandStateChange  the back-forward list's "changed" (back/forward availability)
//   OnFileDownload        "decide-policy" responses WebKit cannot show (Cancel ignores them,
//                         otherwise WebKit downloads the file)
//   OnWindowClosing       "close" (a script closes the window; a pane stays either way)
//   OnSetSecureLockIcon   at commit, from the page's TLS state
// Never raised by this engine (WebKit has no equivalent for an embedded view):
//   OnPropertyChange, OnQuit, OnVisible, OnToolBar, OnMenuBar, OnStatusBar, OnFullScreen,
//   OnTheaterMode, OnAddressBar, OnWindowSetResizable, OnWindowSetLeft/Top/Width/Height,
//   OnClientToHostWindow, OnPrintTemplateInstantiation, OnPrintTemplateTeardown,
//   OnUpdatePageStatus, OnPrivacyImpactedStateChange, and the stock mouse/key events
//   (input over a pane goes to WebKit itself).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/WebEngine.h"

namespace platform::gtk {

class WebKitEngine : public WebEngine {
public:
    WebKitEngine();
    ~WebKitEngine() override;
    [[nodiscard]] std::string Name() const override { return "webkitgtk"; }
    std::unique_ptr<WebControlObject> CreateControl(const std::string& classId) override;
    void SetUserAgentTokens(const std::vector<std::string>& tokens) override;
    void SetProxy(const WebProxySettings* proxy) override;
};

// Chooses WebKit's rendering mode for this display (before any view exists) and installs
// the engine as the current one. Call after InstallGtkPlatform.
void InstallWebKitEngine();

}  // namespace platform::gtk
