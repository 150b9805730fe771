// The network session of this process: the user agent (WebKit's own with the registered
// tokens) and the proxy. The proxy is WebKit's setting for this process's website data
// managers; the user's own proxy configuration is never touched, and the proxy is gone
// when the process ends. The proxy's authentication request is answered once with the
// configured user name and password; when the proxy refuses them it is not asked again.
#include <set>

#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/WebKitHandles.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

struct NetworkState {
    std::vector<std::string> tokens;
    std::optional<WebProxySettings> proxy;
    std::set<WebKitWebView*> views;
    std::string baseUserAgent;
};

// Lives as long as the process: WebKit lets its objects go in exit handlers, after
// static objects are destroyed.
NetworkState& State() {
    static auto* state = new NetworkState;
    return *state;
}

const std::string& BaseUserAgent() {
    NetworkState& s = State();
    if (s.baseUserAgent.empty()) {
        GObjectPtr<WebKitSettings> fresh(webkit_settings_new());
        const char* ua = webkit_settings_get_user_agent(fresh.get());
        s.baseUserAgent = ua ? ua : "Mozilla/5.0";
    }
    return s.baseUserAgent;
}

void ApplyUserAgent(WebKitWebView* view) {
    const std::string ua = UserAgentWithTokens(BaseUserAgent(), State().tokens);
    webkit_settings_set_user_agent(webkit_web_view_get_settings(view), ua.c_str());
}

void ApplyProxy(WebKitWebsiteDataManager* manager) {
    if (!manager) return;
    const auto& proxy = State().proxy;
    const std::string uri = proxy ? ProxyServerUri(proxy->server) : std::string();
    if (uri.empty()) {
        webkit_website_data_manager_set_network_proxy_settings(
            manager, WEBKIT_NETWORK_PROXY_MODE_DEFAULT, nullptr);
        return;
    }
    // "<local>": the loopback is reached directly.
    const char* loopback[] = {"localhost", "127.0.0.0/8", "::1", nullptr};
    ProxySettingsPtr settings(webkit_network_proxy_settings_new(
        uri.c_str(), proxy->bypass == "<local>" ? loopback : nullptr));
    webkit_website_data_manager_set_network_proxy_settings(
        manager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, settings.get());
}

void ApplyProxyEverywhere() {
    std::set<WebKitWebsiteDataManager*> managers;
    for (WebKitWebView* view : State().views)
        managers.insert(webkit_web_view_get_website_data_manager(view));
    managers.insert(webkit_web_context_get_website_data_manager(webkit_web_context_get_default()));
    for (WebKitWebsiteDataManager* m : managers) ApplyProxy(m);
}

gboolean OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request, gpointer) {
    const auto& proxy = State().proxy;
    if (!webkit_authentication_request_is_for_proxy(request) || !proxy || proxy->userName.empty())
        return FALSE;
    if (webkit_authentication_request_is_retry(request)) {
        webkit_authentication_request_cancel(request);
        return TRUE;
    }
    CredentialPtr credential(webkit_credential_new(proxy->userName.c_str(), proxy->password.c_str(),
                                                   WEBKIT_CREDENTIAL_PERSISTENCE_FOR_SESSION));
    webkit_authentication_request_authenticate(request, credential.get());
    return TRUE;
}

}  // namespace

void SetUserAgentTokens(const std::vector<std::string>& tokens) {
    State().tokens = tokens;
    for (WebKitWebView* view : State().views) ApplyUserAgent(view);
}

bool SetProxy(const WebProxySettings* proxy) {
    // A server that makes no address is refused, not dropped for the user's own settings.
    if (proxy && ProxyServerUri(proxy->server).empty()) return false;
    if (proxy)
        State().proxy = *proxy;
    else
        State().proxy.reset();
    ApplyProxyEverywhere();
    return true;
}

void WatchNetwork(WebKitWebView* view) {
    if (!State().views.insert(view).second) return;
    ApplyUserAgent(view);
    if (State().proxy) ApplyProxy(webkit_web_view_get_website_data_manager(view));
    g_signal_connect(view, "authenticate", G_CALLBACK(OnAuthenticate), nullptr);
}

void ForgetNetwork(WebKitWebView* view) {
    if (State().views.erase(view) == 0) return;
    g_signal_handlers_disconnect_by_func(view, reinterpret_cast<gpointer>(OnAuthenticate), nullptr);
}

}  // namespace platform::gtk
