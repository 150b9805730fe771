#include "browser/BrowserClasses.h"

#include "browser/WebControl.h"
#include "browser/WebPane.h"
#include "ui/ClassRegistry.h"
#include "ui/PropertyHelpers.h"

namespace {

void RegisterWebControl() {
    const std::string cls = "TWebControl";
    TClassRegistry::Instance().Register(cls, "TWinControl",
                                        [](TComponent* owner) { return new TWebControl(owner); });
    AddBinaryProperty<TWebControl>(cls, "ControlData", &TWebControl::SetControlData);
    AddEventProperty<TWebControl>(cls, "OnStatusTextChange", &TWebControl::OnStatusTextChange);
    AddEventProperty<TWebControl>(cls, "OnProgressChange", &TWebControl::OnProgressChange);
    AddEventProperty<TWebControl>(cls, "OnCommandStateChange", &TWebControl::OnCommandStateChange);
    AddEventProperty<TWebControl>(cls, "OnDownloadBegin", &TWebControl::OnDownloadBegin);
    AddEventProperty<TWebControl>(cls, "OnDownloadComplete", &TWebControl::OnDownloadComplete);
    AddEventProperty<TWebControl>(cls, "OnTitleChange", &TWebControl::OnTitleChange);
    AddEventProperty<TWebControl>(cls, "OnPropertyChange", &TWebControl::OnPropertyChange);
    AddEventProperty<TWebControl>(cls, "OnBeforeNavigate2", &TWebControl::OnBeforeNavigate2);
    AddEventProperty<TWebControl>(cls, "OnNewWindow2", &TWebControl::OnNewWindow2);
    AddEventProperty<TWebControl>(cls, "OnNavigateComplete2", &TWebControl::OnNavigateComplete2);
    AddEventProperty<TWebControl>(cls, "OnDocumentComplete", &TWebControl::OnDocumentComplete);
    AddEventProperty<TWebControl>(cls, "OnQuit", &TWebControl::OnQuit);
    AddEventProperty<TWebControl>(cls, "OnVisible", &TWebControl::OnVisible);
    AddEventProperty<TWebControl>(cls, "OnToolBar", &TWebControl::OnToolBar);
    AddEventProperty<TWebControl>(cls, "OnMenuBar", &TWebControl::OnMenuBar);
    AddEventProperty<TWebControl>(cls, "OnStatusBar", &TWebControl::OnStatusBar);
    AddEventProperty<TWebControl>(cls, "OnFullScreen", &TWebControl::OnFullScreen);
    AddEventProperty<TWebControl>(cls, "OnTheaterMode", &TWebControl::OnTheaterMode);
    AddEventProperty<TWebControl>(cls, "OnAddressBar", &TWebControl::OnAddressBar);
    AddEventProperty<TWebControl>(cls, "OnWindowSetResizable", &TWebControl::OnWindowSetResizable);
    AddEventProperty<TWebControl>(cls, "OnWindowSetLeft", &TWebControl::OnWindowSetLeft);
    AddEventProperty<TWebControl>(cls, "OnWindowSetTop", &TWebControl::OnWindowSetTop);
    AddEventProperty<TWebControl>(cls, "OnWindowSetWidth", &TWebControl::OnWindowSetWidth);
    AddEventProperty<TWebControl>(cls, "OnWindowSetHeight", &TWebControl::OnWindowSetHeight);
    AddEventProperty<TWebControl>(cls, "OnWindowClosing", &TWebControl::OnWindowClosing);
    AddEventProperty<TWebControl>(cls, "OnClientToHostWindow", &TWebControl::OnClientToHostWindow);
    AddEventProperty<TWebControl>(cls, "OnSetSecureLockIcon", &TWebControl::OnSetSecureLockIcon);
    AddEventProperty<TWebControl>(cls, "OnFileDownload", &TWebControl::OnFileDownload);
    AddEventProperty<TWebControl>(cls, "OnNavigateError", &TWebControl::OnNavigateError);
    AddEventProperty<TWebControl>(cls, "OnPrintTemplateInstantiation", &TWebControl::OnPrintTemplateInstantiation);
    AddEventProperty<TWebControl>(cls, "OnPrintTemplateTeardown", &TWebControl::OnPrintTemplateTeardown);
    AddEventProperty<TWebControl>(cls, "OnUpdatePageStatus", &TWebControl::OnUpdatePageStatus);
    AddEventProperty<TWebControl>(cls, "OnPrivacyImpactedStateChange", &TWebControl::OnPrivacyImpactedStateChange);
    AddEventProperty<TWebControl>(cls, "OnNewWindow3", &TWebControl::OnNewWindow3);
}

void RegisterWebPane() {
    const std::string cls = "TWebPane";
    TClassRegistry::Instance().Register(cls, "TWebControl", [](TComponent* owner) { return new TWebPane(owner); });
    AddSetProperty<TWebPane>(cls, "DownloadOptions", DownloadControlOptionNames(), &TWebPane::SetDownloadOptions);
    AddSetProperty<TWebPane>(cls, "UserInterfaceOptions", UserInterfaceOptionNames(),
                             &TWebPane::SetUserInterfaceOptions);
    AddLinesProperty<TWebPane>(cls, "PrintOptions.HTMLHeader",
                               [](TWebPane& p, const std::vector<std::string>& lines) {
                                   p.PrintOptions().HTMLHeader = lines;
                               });
    AddEnumPropertyAs<TWebPane, TPrintOrientation>(
        cls, "PrintOptions.Orientation", {"poPortrait", "poLandscape"},
        [](TWebPane& p, TPrintOrientation o) { p.PrintOptions().Orientation = o; });
    AddStringProperty<TWebPane>(cls, "About", [](TWebPane& p, const std::string& s) { p.About = s; });
    AddStringProperty<TWebPane>(cls, "UserAgent", [](TWebPane& p, const std::string& s) { p.UserAgent = s; });
}

}  // namespace

void RegisterBrowserClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterWebControl();
    RegisterWebPane();
}
