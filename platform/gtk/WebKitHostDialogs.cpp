// WebKitHost: a page's script dialogs and the script-error report. The host sees alerts,
// confirms and leave-page questions first (ShowMessage); what it leaves, and every prompt,
// is shown by our own dialog windows (WebKitDialogWindow). The page waits for the answer.
#include "platform/gtk/WebKitDialogWindow.h"
#include "platform/gtk/WebKitHandles.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

constexpr size_t kMaxReportedText = 2048;

std::string Shortened(std::string text) {
    if (text.size() > kMaxReportedText) text.resize(kMaxReportedText);
    return text;
}

}  // namespace

gboolean WebKitHost::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self) {
    return static_cast<WebKitHost*>(self)->ScriptDialog(dialog);
}

gboolean WebKitHost::ScriptDialog(WebKitScriptDialog* dialog) {
    if (closed_) return FALSE;
    const WebKitScriptDialogType type = webkit_script_dialog_get_dialog_type(dialog);
    const char* message = webkit_script_dialog_get_message(dialog);
    const std::string text = message ? message : "";
    WebKitDialogWindow::Kind kind = WebKitDialogWindow::Kind::Alert;
    switch (type) {
        case WEBKIT_SCRIPT_DIALOG_ALERT:
            kind = WebKitDialogWindow::Kind::Alert;
            break;
        case WEBKIT_SCRIPT_DIALOG_CONFIRM:
            kind = WebKitDialogWindow::Kind::Confirm;
            break;
        case WEBKIT_SCRIPT_DIALOG_PROMPT:
            kind = WebKitDialogWindow::Kind::Prompt;
            break;
        case WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM:
            kind = WebKitDialogWindow::Kind::LeavePage;
            break;
    }

    if (site_ && kind != WebKitDialogWindow::Kind::Prompt) {
        const uint32_t mbType = kind == WebKitDialogWindow::Kind::Alert
                                    ? (MB_OK | MB_ICONWARNING)
                                    : (MB_OKCANCEL | MB_ICONQUESTION);
        int32_t result = IDCANCEL;
        const TLivenessWatch alive = liveness_.Watch();
        const HResult hr = site_->ShowMessage(view_, Utf8ToWide(text),
                                              Utf8ToWide(WebKitDialogWindow::DefaultCaption(kind)),
                                              mbType, u"", 0, result);
        if (!alive.Alive()) return TRUE;
        if (hr == kS_OK) {
            if (kind != WebKitDialogWindow::Kind::Alert)
                webkit_script_dialog_confirm_set_confirmed(dialog,
                                                           result == IDOK || result == IDYES);
            return TRUE;
        }
    }

    // Our own window; WebKit's dialog is answered when it ends.
    std::shared_ptr<WebKitScriptDialog> pending(webkit_script_dialog_ref(dialog),
                                                webkit_script_dialog_unref);
    auto answer = [pending, kind](bool accepted, const std::string& entered) {
        WebKitScriptDialog* d = pending.get();
        if (kind == WebKitDialogWindow::Kind::Prompt) {
            if (accepted) webkit_script_dialog_prompt_set_text(d, entered.c_str());
        } else if (kind != WebKitDialogWindow::Kind::Alert) {
            webkit_script_dialog_confirm_set_confirmed(d, accepted);
        }
        webkit_script_dialog_close(d);
    };
    const char* defaultText = kind == WebKitDialogWindow::Kind::Prompt
                                  ? webkit_script_dialog_prompt_get_default_text(dialog)
                                  : nullptr;
    auto window = std::make_unique<WebKitDialogWindow>(
        *this, gtk_widget_get_toplevel(GTK_WIDGET(view_)), kind, Shortened(text),
        defaultText ? defaultText : "", answer);
    WebKitDialogWindow& shown = *window;
    dialogs_.push_back(std::move(window));
    if (site_) site_->EnableModeless(false);
    shown.Show();
    return TRUE;
}

void WebKitHost::ReportScriptError(const std::string& message, const std::string& source,
                                   int line) {
    if (closed_ || scriptsStopped_ || scriptErrorDialogOpen_) return;
    if (site_) {
        const Variant in = Variant::FromString(Utf8ToWide(Shortened(message)));
        Variant out;
        const TLivenessWatch alive = liveness_.Watch();
        const HResult hr =
            site_->Exec(CGID_DocHostCommandHandler, kShowScriptErrorCommand, 0, &in, &out);
        if (!alive.Alive()) return;
        if (hr == kS_OK) {
            if (out.type == Variant::Type::Bool && out.boolValue == kVariantFalse)
                SetScriptsStopped(true);
            return;
        }
    }
    if (control_.Silent()) return;
    // The control asks the user whether the page's scripts may go on.
    const std::string reported = Shortened(message);
    std::string text =
        "An error has occurred in the script on this page.\n\nLine: " + std::to_string(line) +
        (reported.rfind("Error", 0) == 0 ? "\n" : "\nError: ") + reported +
        "\nURL: " + Shortened(source) + "\n\nDo you want to continue running scripts on this page?";
    auto answer = [this, alive = liveness_.Watch()](bool accepted, const std::string&) {
        if (!alive.Alive()) return;
        scriptErrorDialogOpen_ = false;
        if (!accepted) SetScriptsStopped(true);
    };
    auto window = std::make_unique<WebKitDialogWindow>(
        *this, gtk_widget_get_toplevel(GTK_WIDGET(view_)), WebKitDialogWindow::Kind::ScriptError,
        text, "", answer);
    WebKitDialogWindow& shown = *window;
    dialogs_.push_back(std::move(window));
    scriptErrorDialogOpen_ = true;
    if (site_) site_->EnableModeless(false);
    shown.Show();
}

void WebKitHost::DialogShown(WebKitDialogWindow& dialog) {
    if (site_) site_->DialogActivated(dialog);
}

void WebKitHost::DialogEnded(WebKitDialogWindow& dialog) {
    if (site_ && !closed_) site_->EnableModeless(true);
    // The window object goes from the loop, after the signal that ended it.
    struct Sweep {
        TLivenessWatch alive;
        WebKitHost* host;
    };
    (void)dialog;
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            auto* sweep = static_cast<Sweep*>(data);
            if (sweep->alive.Alive())
                std::erase_if(sweep->host->dialogs_, [](const auto& d) { return d->Ended(); });
            return G_SOURCE_REMOVE;
        },
        new Sweep{liveness_.Watch(), this},
        [](gpointer data) { delete static_cast<Sweep*>(data); });
}

void WebKitHost::CloseDialogs() {
    // Every open dialog answers as cancelled, so no page waits on a window that is gone.
    std::vector<std::unique_ptr<WebKitDialogWindow>> dialogs = std::move(dialogs_);
    for (auto& dialog : dialogs) dialog->End(false);
    dialogs.clear();
    scriptErrorDialogOpen_ = false;
}

}  // namespace platform::gtk
