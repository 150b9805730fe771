#include "browser/WebPane.h"

const std::vector<std::string>& DownloadControlOptionNames() {
    static const std::vector<std::string> names = {
        "DownloadImages", "DownloadVideos", "DownloadBGSounds", "DontExecuteScripts", "DontExecuteJava",
        "DontExecuteActiveX", "DontDownloadActiveX", "DownloadButDontDisplay", "DontDownloadFrame",
        "CheckPageResynchronize", "DownloadAndIgnoreCache", "DontDownloadBehaviors", "SuppressedMetaCharset",
        "DisableUrlIfEncodingUTF8", "EnableUrlIfEncodingUTF8", "ForceOfflineMode", "DontPerformClientPull",
        "DonloadInSilentMode", "WorkOffline",
    };
    return names;
}

const std::vector<std::string>& UserInterfaceOptionNames() {
    static const std::vector<std::string> names = {
        "DisableTextSelect", "DisableHelpMenu", "DontUse3DBorders", "DontUseScrollBars",
        "PostponeScriptUntilActive", "ForceOpenNewWindow", "Reserved_OFFSCREEN", "ForceFlatScrollBars",
        "InsertDivTagOnEditMode", "ActivateUIOnlyOnDocClick", "ConsultBeforeRetrievingBehavior",
        "CheckFontSupportsCodePage", "DisableSubmitUrlInUTF8", "EnableSubmitUrlInUTF8",
        "EnablesFormsAutoComplete", "ForceSameWindowNavigation", "EmableImeLocalLanguages", "EnableThemes",
        "DisableThemes", "DisablePicsRatings", "DisableFrameSetBorder", "DisablesAutoNameSpaceCorrection",
        "DisableLocalFileAccess", "DisableUntrustedProtocol", "CheckNavigationDelegatedToHost",
        "EnableRedirectNotification", "EnableDomWindlessControls", "EnableWindowedControls",
        "ForceUserActivationOnActiveXJava",
    };
    return names;
}

TWebPane::TWebPane(TComponent* owner) : TWebControl(owner) {}
