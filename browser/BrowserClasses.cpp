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
    AddEventProperty<TWebControl>(cls, "OnPrintTemplateInstantiation",
                                  &TWebControl::OnPrintTemplateInstantiation);
    AddEventProperty<TWebControl>(cls, "OnPrintTemplateTeardown",
                                  &TWebControl::OnPrintTemplateTeardown);
    AddEventProperty<TWebControl>(cls, "OnUpdatePageStatus", &TWebControl::OnUpdatePageStatus);
    AddEventProperty<TWebControl>(cls, "OnPrivacyImpactedStateChange",
                                  &TWebControl::OnPrivacyImpactedStateChange);
    AddEventProperty<TWebControl>(cls, "OnNewWindow3", &TWebControl::OnNewWindow3);
}

void RegisterCustomWebPane() {
    const std::string cls = "TCustomWebPane";
    using P = TCustomWebPane;
    TClassRegistry::Instance().Register(
        cls, "TWebControl", [](TComponent* owner) { return new TCustomWebPane(owner); });
    AddSetProperty<P>(cls, "DownloadOptions", DownloadControlOptionNames(), &P::SetDownloadOptions);
    AddSetProperty<P>(cls, "UserInterfaceOptions", UserInterfaceOptionNames(),
                      &P::SetUserInterfaceOptions);
    AddStringProperty<P>(cls, "HelpFile", [](P& p, const std::string& s) { p.HelpFile = s; });
    AddStringProperty<P>(cls, "OptionKeyPath",
                         [](P& p, const std::string& s) { p.OptionKeyPath = s; });
    AddBoolProperty<P>(cls, "OverrideOptionKeyPath",
                       [](P& p, bool v) { p.OverrideOptionKeyPath = v; });
    AddEnumProperty<P>(cls, "DropHandlingType", {"ddtMS", "ddtMy", "ddtCustom", "ddtNo"},
                       &P::SetDropHandlingType);
    AddSetProperty<P>(cls, "DisabledPopupMenus", PopupMenuNames(),
                      [](P& p, uint32_t v) { p.DisabledPopupMenus = v; });
    AddBoolProperty<P>(cls, "FloatingHosting", [](P& p, bool v) { p.FloatingHosting = v; });
    AddEnumPropertyAs<P, TScriptErrorAction>(
        cls, "ScriptErrorAction", {"eaContinue", "eaCancel", "eaAskUser"},
        [](P& p, TScriptErrorAction a) { p.ScriptErrorAction = a; });
    AddEventProperty<P>(cls, "OnGetIDsOfNames", &P::OnGetIDsOfNames);
    AddEventProperty<P>(cls, "OnGetTypeInfo", &P::OnGetTypeInfo);
    AddEventProperty<P>(cls, "OnGetTypeInfoCount", &P::OnGetTypeInfoCount);
    AddEventProperty<P>(cls, "OnInvoke", &P::OnInvoke);
    AddEventProperty<P>(cls, "OnShowHelpRequest", &P::OnShowHelpRequest);
    AddEventProperty<P>(cls, "OnShowMessage", &P::OnShowMessage);
    AddEventProperty<P>(cls, "OnFilterDataObject", &P::OnFilterDataObject);
    AddEventProperty<P>(cls, "OnGetExternal", &P::OnGetExternal);
    AddEventProperty<P>(cls, "OnGetHostInfo", &P::OnGetHostInfo);
    AddEventProperty<P>(cls, "OnEnableModeless", &P::OnEnableModeless);
    AddEventProperty<P>(cls, "OnZoomPercentChange", &P::OnZoomPercentChange);
    AddEventProperty<P>(cls, "OnGetDropTarget", &P::OnGetDropTarget);
    AddEventProperty<P>(cls, "OnHideUI", &P::OnHideUI);
    AddEventProperty<P>(cls, "OnOnDocWindowActivate", &P::OnOnDocWindowActivate);
    AddEventProperty<P>(cls, "OnOnFrameWindowActivate", &P::OnOnFrameWindowActivate);
    AddEventProperty<P>(cls, "OnResizeBorder", &P::OnResizeBorder);
    AddEventProperty<P>(cls, "OnShowContextMenu", &P::OnShowContextMenu);
    AddEventProperty<P>(cls, "OnShowUI", &P::OnShowUI);
    AddEventProperty<P>(cls, "OnTranslateAccelerator", &P::OnTranslateAccelerator);
    AddEventProperty<P>(cls, "OnTranslateUrl", &P::OnTranslateUrl);
    AddEventProperty<P>(cls, "OnUpdateUI", &P::OnUpdateUI);
    AddEventProperty<P>(cls, "OnDragEnter", &P::OnDragEnter);
    AddEventProperty<P>(cls, "OnDragLeave", &P::OnDragLeave);
    AddEventProperty<P>(cls, "OnDragOver2", &P::OnDragOver2);
    AddEventProperty<P>(cls, "OnDropEvent", &P::OnDropEvent);
    AddEventProperty<P>(cls, "OnRefresh", &P::OnRefresh);
    AddEventProperty<P>(cls, "OnUnload", &P::OnUnload);
    AddEventProperty<P>(cls, "OnCommandExec", &P::OnCommandExec);
    AddEventProperty<P>(cls, "OnQueryService", &P::OnQueryService);
    AddEventProperty<P>(cls, "OnEvaluateNewWindow", &P::OnEvaluateNewWindow);
    AddEventProperty<P>(cls, "OnFileDownload", &P::OnFileDownload);
    AddEventProperty<P>(cls, "OnFilterPopupMenu", &P::OnFilterPopupMenu);
    AddEventProperty<P>(cls, "OnMaskedCtrlChar", &P::OnMaskedCtrlChar);
    AddEventProperty<P>(cls, "OnMove", &P::OnMove);
    AddEventProperty<P>(cls, "OnMoveBy", &P::OnMoveBy);
    AddEventProperty<P>(cls, "OnResize", &P::OnResize);
    AddEventProperty<P>(cls, "OnResizeBy", &P::OnResizeBy);
}

void RegisterWebPane() {
    const std::string cls = "TWebPane";
    using P = TWebPane;
    TClassRegistry::Instance().Register(cls, "TCustomWebPane",
                                        [](TComponent* owner) { return new TWebPane(owner); });
    AddStringProperty<P>(cls, "About", &P::SetAbout);
    AddStringProperty<P>(cls, "UserAgent", [](P& p, const std::string& s) { p.UserAgent = s; });
    AddStringProperty<P>(cls, "HostCSS", [](P& p, const std::string& s) { p.HostCSS = s; });
    AddStringProperty<P>(cls, "HostNS", [](P& p, const std::string& s) { p.HostNS = s; });
    AddBoolProperty<P>(cls, "EnableMessageHandler",
                       [](P& p, bool v) { p.EnableMessageHandler = v; });
    AddSetProperty<P>(cls, "DisabledPopupMenuItems", PopupMenuItemNames(),
                      [](P& p, uint32_t v) { p.DisabledPopupMenuItems = v; });
    AddEventProperty<P>(cls, "OnCloseQuery", &P::OnCloseQuery);
    AddEventProperty<P>(cls, "OnShowDialog", &P::OnShowDialog);

    AddStringProperty<P>(cls, "ShortCuts.CtrlCharMask",
                         [](P& p, const std::string& s) { p.ShortCuts().SetCtrlCharMask(s); });
    const char* letters[] = {"A", "C", "F", "N", "P"};
    for (int i = 0; i < 5; ++i) {
        AddBoolProperty<P>(cls, std::string("ShortCuts.DisableCTRL_") + letters[i],
                           [i](P& p, bool v) { p.ShortCuts().SetDisabled(i + 1, v); });
    }

    AddBoolProperty<P>(cls, "ProxySettings.AutoLoadProxy",
                       [](P& p, bool v) { p.ProxySettings().AutoLoadProxy = v; });
    AddIntProperty<P>(cls, "ProxySettings.Port",
                      [](P& p, int32_t v) { p.ProxySettings().Port = v; });
    AddStringProperty<P>(cls, "ProxySettings.Address",
                         [](P& p, const std::string& s) { p.ProxySettings().Address = s; });
    AddStringProperty<P>(cls, "ProxySettings.UserName",
                         [](P& p, const std::string& s) { p.ProxySettings().UserName = s; });
    AddStringProperty<P>(cls, "ProxySettings.Password",
                         [](P& p, const std::string& s) { p.ProxySettings().Password = s; });

    AddBoolProperty<P>(cls, "DialogBoxes.DisableAll",
                       [](P& p, bool v) { p.DialogBoxes().DisableAll = v; });
    AddBoolProperty<P>(cls, "DialogBoxes.ReplaceCaption",
                       [](P& p, bool v) { p.DialogBoxes().ReplaceCaption = v; });
    AddBoolProperty<P>(cls, "DialogBoxes.ReplaceIcon",
                       [](P& p, bool v) { p.DialogBoxes().ReplaceIcon = v; });
    AddStringProperty<P>(cls, "DialogBoxes.NewCaption",
                         [](P& p, const std::string& s) { p.DialogBoxes().NewCaption = s; });

    AddBoolProperty<P>(cls, "DisableErrors.EnableDDE",
                       [](P& p, bool v) { p.DisableErrors().EnableDDE = v; });
    AddBoolProperty<P>(cls, "DisableErrors.fpExceptions",
                       [](P& p, bool v) { p.DisableErrors().SetfpExceptions(v); });
    AddBoolProperty<P>(cls, "DisableErrors.ScriptErrorsSuppressed",
                       [](P& p, bool v) { p.DisableErrors().ScriptErrorsSuppressed = v; });

    AddIntProperty<P>(cls, "VisualEffects.TextSize",
                      [](P& p, int32_t v) { p.VisualEffects().SetTextSize(v); });
    AddBoolProperty<P>(cls, "VisualEffects.DisableSounds",
                       [](P& p, bool v) { p.VisualEffects().DisableSounds = v; });

    AddBoolProperty<P>(cls, "PrintOptions.Enabled",
                       [](P& p, bool v) { p.PrintOptions().Enabled = v; });
    AddFloatProperty<P>(cls, "PrintOptions.Margins.Left",
                        [](P& p, double v) { p.PrintOptions().Margins.Left = v; });
    AddFloatProperty<P>(cls, "PrintOptions.Margins.Right",
                        [](P& p, double v) { p.PrintOptions().Margins.Right = v; });
    AddFloatProperty<P>(cls, "PrintOptions.Margins.Top",
                        [](P& p, double v) { p.PrintOptions().Margins.Top = v; });
    AddFloatProperty<P>(cls, "PrintOptions.Margins.Bottom",
                        [](P& p, double v) { p.PrintOptions().Margins.Bottom = v; });
    AddStringProperty<P>(cls, "PrintOptions.Header",
                         [](P& p, const std::string& s) { p.PrintOptions().Header = s; });
    AddStringProperty<P>(cls, "PrintOptions.Footer",
                         [](P& p, const std::string& s) { p.PrintOptions().Footer = s; });
    AddLinesProperty<P>(
        cls, "PrintOptions.HTMLHeader",
        [](P& p, const std::vector<std::string>& lines) { p.PrintOptions().HTMLHeader = lines; });
    AddEnumPropertyAs<P, TPrintOrientationOption>(
        cls, "PrintOptions.Orientation", {"poPortrait", "poLandscape"},
        [](P& p, TPrintOrientationOption o) { p.PrintOptions().Orientation = o; });
}

}  // namespace

void RegisterBrowserClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterWebControl();
    RegisterCustomWebPane();
    RegisterWebPane();
}
