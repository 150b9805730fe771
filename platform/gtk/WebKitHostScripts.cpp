// WebKitHost: the page script. Every document gets a small script of ours, before its own
// scripts run, that reports to the host what WebKit keeps to itself: window.moveTo, moveBy,
// resizeTo and resizeBy of the top document (the host's window services decide), and the
// script errors of every frame (the host's script-error rule decides). Pages can post to
// the same channel, so every message is checked and is worth no more than the page could
// do anyway.
#include <algorithm>
#include <cstring>

#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/WebKitHandles.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

constexpr const char* kChannel = "puzzlebinHost";

constexpr const char* kWindowScript = R"JS((function () {
  var channel = window.webkit && window.webkit.messageHandlers && window.webkit.messageHandlers.puzzlebinHost;
  if (!channel || window !== window.top) return;
  ['moveTo', 'moveBy', 'resizeTo', 'resizeBy'].forEach(function (kind) {
    window[kind] = function (a, b) { channel.postMessage({ kind: kind, a: Number(a) | 0, b: Number(b) | 0 }); };
  });
})();)JS";

constexpr const char* kErrorScript = R"JS((function () {
  var channel = window.webkit && window.webkit.messageHandlers && window.webkit.messageHandlers.puzzlebinHost;
  if (!channel) return;
  window.addEventListener('error', function (e) {
    channel.postMessage({ kind: 'error', message: String(e.message || ''), source: String(e.filename || ''),
                          line: Number(e.lineno) | 0 });
  });
})();)JS";

constexpr size_t kMaxText = 2048;

std::string StringProperty(JSCValue* object, const char* name) {
    GObjectPtr<JSCValue> v(jsc_value_object_get_property(object, name));
    if (!v || !jsc_value_is_string(v.get())) return {};
    GCharPtr text(jsc_value_to_string(v.get()));
    std::string out = text ? text.get() : "";
    if (out.size() > kMaxText) out.resize(kMaxText);
    return out;
}

std::optional<int32_t> IntProperty(JSCValue* object, const char* name) {
    GObjectPtr<JSCValue> v(jsc_value_object_get_property(object, name));
    if (!v || !jsc_value_is_number(v.get())) return std::nullopt;
    return jsc_value_to_int32(v.get());
}

int32_t Clamp(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

void WebKitHost::ConnectPageScripts(WebKitUserContentManager* manager) {
    g_signal_connect(manager, "script-message-received::puzzlebinHost", G_CALLBACK(OnScriptMessage),
                     this);
    webkit_user_content_manager_register_script_message_handler(manager, kChannel);
}

void WebKitHost::AddPageScripts(WebKitUserContentManager* manager) {
    UserScriptPtr window(webkit_user_script_new(kWindowScript, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                                WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
                                                nullptr, nullptr));
    webkit_user_content_manager_add_script(manager, window.get());
    UserScriptPtr errors(webkit_user_script_new(kErrorScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                                WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
                                                nullptr, nullptr));
    webkit_user_content_manager_add_script(manager, errors.get());
}

void WebKitHost::OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                                 gpointer self) {
    static_cast<WebKitHost*>(self)->ScriptMessage(webkit_javascript_result_get_js_value(result));
}

void WebKitHost::ScriptMessage(JSCValue* value) {
    if (closed_ || !value || !jsc_value_is_object(value)) return;
    const std::string kind = StringProperty(value, "kind");
    if (kind == "error") {
        ReportScriptError(StringProperty(value, "message"), StringProperty(value, "source"),
                          IntProperty(value, "line").value_or(0));
        return;
    }
    if (kind != "moveTo" && kind != "moveBy" && kind != "resizeTo" && kind != "resizeBy") return;
    const auto a = IntProperty(value, "a");
    const auto b = IntProperty(value, "b");
    if (a && b) WindowRequest(kind, *a, *b);
}

void WebKitHost::WindowRequest(const std::string& kind, int32_t a, int32_t b) {
    if (site_) {
        WebService* service = nullptr;
        if (site_->QueryService(SID_SHTMLOMWindowServices, IID_IHTMLOMWindowServices, service) ==
            kS_OK) {
            if (auto* services = dynamic_cast<WebWindowServices*>(service)) {
                if (kind == "moveTo")
                    services->MoveTo(a, b);
                else if (kind == "moveBy")
                    services->MoveBy(a, b);
                else if (kind == "resizeTo")
                    services->ResizeTo(a, b);
                else
                    services->ResizeBy(a, b);
                return;
            }
        }
    }
    // No window services: the control reports the window's new place as its events.
    WebEventSink* sink = control_.EventSink();
    if (!sink) return;
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    int x = 0, y = 0, w = 0, h = 0;
    if (GTK_IS_WINDOW(top)) {
        gtk_window_get_position(GTK_WINDOW(top), &x, &y);
        gtk_window_get_size(GTK_WINDOW(top), &w, &h);
    }
    const TLivenessWatch alive = liveness_.Watch();
    auto raise = [&](int32_t dispId, int32_t v) {
        if (alive.Alive() && control_.EventSink())
            RaiseWebEvent(*control_.EventSink(), dispId, {EventArg::Int(v)});
    };
    if (kind == "moveTo" || kind == "moveBy") {
        const bool by = kind == "moveBy";
        raise(DISPID_WINDOWSETLEFT, by ? Clamp(int64_t{x} + a) : a);
        raise(DISPID_WINDOWSETTOP, by ? Clamp(int64_t{y} + b) : b);
    } else {
        const bool by = kind == "resizeBy";
        raise(DISPID_WINDOWSETWIDTH, by ? Clamp(int64_t{w} + a) : a);
        raise(DISPID_WINDOWSETHEIGHT, by ? Clamp(int64_t{h} + b) : b);
    }
}

}  // namespace platform::gtk
