// The web engine on WebKitGTK (webkit2gtk-4.1): one WebKitWebView per control, hosted in
// a window as a native view, with WebKit's signals turned into the browser events.
//
// Which WebKit signal raises each browser event and host callback, and which are never
// raised here: browser/HOST-CALLBACKS.md. The host's side of a view is WebKitHost.
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
    bool SetProxy(const WebProxySettings* proxy) override;
};

// Chooses WebKit's rendering mode for this display (before any view exists) and installs
// the engine as the current one. Call after InstallGtkPlatform.
void InstallWebKitEngine();

}  // namespace platform::gtk
