// Our own dialog boxes for the web control: a page's alert, confirm, prompt and
// leave-page question, and the script-error report. They are GTK dialog windows kept on top
// of the program's window but not modal to it: the page waits for the answer, the program
// keeps working (the window can still be moved and closed while a page raises dialogs in
// a loop). As the platform control's dialogs did, each takes activation from the window
// that holds the control, so the host's dialog-box rules see it (WebHostSite::DialogActivated).
// When the host gives a face of its own (WebHostSite::CreateDialogFace, a skinned window),
// that face is shown instead of the GTK dialog; the rules and the answer stay here.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

#include "base/Liveness.h"
#include "platform/WebHost.h"
#include "platform/gtk/GtkHandles.h"

namespace platform::gtk {

class WebKitHost;

class WebKitDialogWindow final : public WebDialog {
public:
    using Kind = WebDialogKind;
    // accepted: OK/Yes/Leave; text: the prompt's entry.
    using Answer = std::function<void(bool accepted, const std::string& text)>;

    // Asks the host's site for a face first; without one it builds the GTK dialog.
    WebKitDialogWindow(WebKitHost& host, GtkWidget* parent, Kind kind, const std::string& message,
                       const std::string& defaultText, Answer answer);
    ~WebKitDialogWindow() override;
    WebKitDialogWindow(const WebKitDialogWindow&) = delete;
    WebKitDialogWindow& operator=(const WebKitDialogWindow&) = delete;

    // Tells the host (outside any WebKit signal), then shows the window unless the host's
    // rules closed it.
    void Show();
    // Answers once (later calls do nothing) and takes the window down.
    void End(bool accepted);
    [[nodiscard]] bool Ended() const { return ended_; }
    [[nodiscard]] Kind DialogKind() const { return kind_; }
    [[nodiscard]] bool HasHostFace() const { return face_ != nullptr; }

    // ---- WebDialog ----
    std::string ClassName() const override;
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    void UseApplicationIcon() override;
    void RequestClose() override;
    void PostClick() override;
    void Destroy() override;

    // The caption the engine gives each kind.
    [[nodiscard]] static const char* DefaultCaption(Kind kind);

private:
    static void OnResponse(GtkDialog* dialog, gint response, gpointer self);
    void BuildGtkDialog(GtkWidget* parent, const std::string& message,
                        const std::string& defaultText);

    WebKitHost& host_;
    Kind kind_;
    Answer answer_;
    std::unique_ptr<WebDialogFace> face_;  // the host's window, or none
    GtkWidgetPtr<> ownedWindow_;           // the GTK dialog without a face
    GtkWidget* window_ = nullptr;          // the same window
    GtkWidget* entry_ = nullptr;
    bool ended_ = false;
    bool closeRequested_ = false;
    TLiveness liveness_;
};

}  // namespace platform::gtk
