// TWebPane: the browser component the program places on its form. A TCustomWebPane with
// grouped options stored with it (short cuts, proxy, dialog boxes, error suppression,
// visual effects, print options) and the texts UserAgent, HostCSS, HostNS and About. At
// the end of loading it registers its user-agent token, applies its proxy, installs the
// dialog-box rules on its owner, and so on (Loaded); the process-wide part of that state
// is WebPaneUnit's.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "browser/WebPaneCore.h"
#include "browser/WebPaneOptions.h"

struct TDialogHookState;

using TWebPaneCloseQueryEvent = std::function<void(TComponent* Sender, bool& CanClose)>;
// h is the dialog box of the control.
using TShowDialogEvent = std::function<void(TComponent* Sender, platform::WebDialog* h)>;

class TWebPane : public TCustomWebPane {
public:
    explicit TWebPane(TComponent* owner);
    ~TWebPane() override;
    [[nodiscard]] const char* ClassName() const override { return "TWebPane"; }

    // The component's identification text: a blank, then words naming the component and
    // its home page.
    [[nodiscard]] static const std::string& IdentificationText();

    // ---- Published properties ----
    [[nodiscard]] const std::string& About() const { return IdentificationText(); }
    // Assigning About changes nothing.
    void SetAbout(const std::string& /*value*/) {}
    std::string UserAgent;
    std::string HostCSS;
    std::string HostNS;
    bool EnableMessageHandler = true;
    TIEPopupMenuItems DisabledPopupMenuItems = 0;
    [[nodiscard]] TShortCuts& ShortCuts() { return *shortCuts_; }
    [[nodiscard]] TProxySettings& ProxySettings() { return *proxySettings_; }
    [[nodiscard]] TDialogBoxes& DialogBoxes() { return *dialogBoxes_; }
    [[nodiscard]] TDisableErrors& DisableErrors() { return *disableErrors_; }
    [[nodiscard]] TVisualEffects& VisualEffects() { return *visualEffects_; }
    [[nodiscard]] TPrintOptions& PrintOptions() { return *printOptions_; }
    [[nodiscard]] const TPrintOptions& PrintOptions() const { return *printOptions_; }
    TWebPaneCloseQueryEvent OnCloseQuery;
    TShowDialogEvent OnShowDialog;

    void Loaded() override;
    HResult GetHostInfo(DocHostUiInfo& info) override;

    // Sets the document's text zoom (0 smallest .. 4 largest), clamped to the range the
    // control reports.
    void SetDocumentTextSize(int32_t level);
    // Hands PrintOptions to the control (nullptr while PrintOptions.Enabled is false).
    void ApplyPrintOptions();
    // The dialog-box rules for a dialog of the control that took activation from the
    // owner. True when the rules ended the dialog and nobody else sees the activation.
    bool HandleDialogActivation(platform::WebDialog& dialog);
    // Whether this pane installed the dialog-box rules on its owner.
    [[nodiscard]] bool InstalledDialogHook() const { return hook_ != nullptr; }

    void WndProc(TMessage& message) override;

protected:
    [[nodiscard]] bool FiltersPopupMenus() const override;
    void FilterPopupMenu(uint32_t id, WebContextMenu& menu, WebObject* context) override;
    void NotifyOwnerOfDialog(platform::WebDialog& dialog) override;

private:
    void InstallDialogHook();
    void RemoveDialogHook();

    std::unique_ptr<TPrintOptions> printOptions_;
    std::unique_ptr<TProxySettings> proxySettings_;
    std::unique_ptr<TShortCuts> shortCuts_;
    std::unique_ptr<TDisableErrors> disableErrors_;
    std::unique_ptr<TDialogBoxes> dialogBoxes_;
    std::unique_ptr<TVisualEffects> visualEffects_;
    std::shared_ptr<TDialogHookState> hook_;
};
