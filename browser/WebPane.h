// TWebPane: the web pane the main window uses, a TWebControl plus the pane's stored
// browser settings. The settings are kept as the description gives them; the host
// services that act on them build on this class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "browser/WebControl.h"

// Members of TDownloadControlOption, in declaration order (bit i of the set is member i).
enum TDownloadControlOption {
    DownloadImages, DownloadVideos, DownloadBGSounds, DontExecuteScripts, DontExecuteJava,
    DontExecuteActiveX, DontDownloadActiveX, DownloadButDontDisplay, DontDownloadFrame,
    CheckPageResynchronize, DownloadAndIgnoreCache, DontDownloadBehaviors, SuppressedMetaCharset,
    DisableUrlIfEncodingUTF8, EnableUrlIfEncodingUTF8, ForceOfflineMode, DontPerformClientPull,
    DonloadInSilentMode, WorkOffline,
};
using TDownloadControlOptions = uint32_t;  // set of TDownloadControlOption

// Members of TUserInterfaceOption, in declaration order.
enum TUserInterfaceOption {
    DisableTextSelect, DisableHelpMenu, DontUse3DBorders, DontUseScrollBars, PostponeScriptUntilActive,
    ForceOpenNewWindow, Reserved_OFFSCREEN, ForceFlatScrollBars, InsertDivTagOnEditMode,
    ActivateUIOnlyOnDocClick, ConsultBeforeRetrievingBehavior, CheckFontSupportsCodePage,
    DisableSubmitUrlInUTF8, EnableSubmitUrlInUTF8, EnablesFormsAutoComplete, ForceSameWindowNavigation,
    EmableImeLocalLanguages, EnableThemes, DisableThemes, DisablePicsRatings, DisableFrameSetBorder,
    DisablesAutoNameSpaceCorrection, DisableLocalFileAccess, DisableUntrustedProtocol,
    CheckNavigationDelegatedToHost, EnableRedirectNotification, EnableDomWindlessControls,
    EnableWindowedControls, ForceUserActivationOnActiveXJava,
};
using TUserInterfaceOptions = uint32_t;  // set of TUserInterfaceOption

[[nodiscard]] constexpr uint32_t SetOf(int member) { return 1u << member; }

// Member names as stored descriptions write them.
[[nodiscard]] const std::vector<std::string>& DownloadControlOptionNames();
[[nodiscard]] const std::vector<std::string>& UserInterfaceOptionNames();

enum TPrintOrientation { poPortrait, poLandscape };

struct TPrintOptions {
    std::vector<std::string> HTMLHeader;  // lines
    TPrintOrientation Orientation = poPortrait;
};

class TWebPane : public TWebControl {
public:
    explicit TWebPane(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TWebPane"; }

    [[nodiscard]] TDownloadControlOptions DownloadOptions() const { return downloadOptions_; }
    void SetDownloadOptions(TDownloadControlOptions value) { downloadOptions_ = value; }
    [[nodiscard]] TUserInterfaceOptions UserInterfaceOptions() const { return userInterfaceOptions_; }
    void SetUserInterfaceOptions(TUserInterfaceOptions value) { userInterfaceOptions_ = value; }
    [[nodiscard]] TPrintOptions& PrintOptions() { return printOptions_; }
    [[nodiscard]] const TPrintOptions& PrintOptions() const { return printOptions_; }
    std::string About;
    std::string UserAgent;

private:
    TDownloadControlOptions downloadOptions_ =
        SetOf(DownloadImages) | SetOf(DownloadVideos) | SetOf(DownloadBGSounds);
    TUserInterfaceOptions userInterfaceOptions_ = 0;
    TPrintOptions printOptions_;
};
