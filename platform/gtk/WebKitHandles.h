// Owning wrappers for WebKit's boxed values (reference-counted or freed by their own
// functions), in the manner of GtkHandles.h.
#pragma once

#include <webkit2/webkit2.h>

#include <memory>

namespace platform::gtk {

struct ScriptDialogUnref {
    void operator()(WebKitScriptDialog* d) const {
        if (d) webkit_script_dialog_unref(d);
    }
};
using ScriptDialogPtr = std::unique_ptr<WebKitScriptDialog, ScriptDialogUnref>;
[[nodiscard]] inline ScriptDialogPtr RefScriptDialog(WebKitScriptDialog* d) {
    return ScriptDialogPtr(d ? webkit_script_dialog_ref(d) : nullptr);
}

struct ProxySettingsFree {
    void operator()(WebKitNetworkProxySettings* s) const {
        if (s) webkit_network_proxy_settings_free(s);
    }
};
using ProxySettingsPtr = std::unique_ptr<WebKitNetworkProxySettings, ProxySettingsFree>;

struct UserScriptUnref {
    void operator()(WebKitUserScript* s) const {
        if (s) webkit_user_script_unref(s);
    }
};
using UserScriptPtr = std::unique_ptr<WebKitUserScript, UserScriptUnref>;

struct UserStyleSheetUnref {
    void operator()(WebKitUserStyleSheet* s) const {
        if (s) webkit_user_style_sheet_unref(s);
    }
};
using UserStyleSheetPtr = std::unique_ptr<WebKitUserStyleSheet, UserStyleSheetUnref>;

struct CredentialFree {
    void operator()(WebKitCredential* c) const {
        if (c) webkit_credential_free(c);
    }
};
using CredentialPtr = std::unique_ptr<WebKitCredential, CredentialFree>;

}  // namespace platform::gtk
