// TCustomWebPane: a TWebControl that is a full document host for its web control. It
// answers the control's questions (ambient properties, host information) and decides on
// context menus, keys, drag and drop, new windows, file downloads, script errors and
// window moves; each decision is first offered to an event, whose result replaces the
// fixed default. With no event assigned the defaults, the stored DownloadOptions and
// UserInterfaceOptions are what the main window's panes run with. TWebPane (WebPane.h)
// adds the option groups.
//
// The host interfaces are implemented on the component itself (platform/WebHost.h); the
// engine calls them on the GUI thread, and none of them lets an exception reach it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "browser/WebControl.h"
#include "platform/WebHost.h"

class TWebPanePresenter;

using platform::HResult;

// ---- Option sets (bit i of a set is member i) ----

enum TDownloadControlOption {
    DownloadImages,
    DownloadVideos,
    DownloadBGSounds,
    DontExecuteScripts,
    DontExecuteJava,
    DontExecuteActiveX,
    DontDownloadActiveX,
    DownloadButDontDisplay,
    DontDownloadFrame,
    CheckPageResynchronize,
    DownloadAndIgnoreCache,
    DontDownloadBehaviors,
    SuppressedMetaCharset,
    DisableUrlIfEncodingUTF8,
    EnableUrlIfEncodingUTF8,
    ForceOfflineMode,
    DontPerformClientPull,
    DonloadInSilentMode,
    WorkOffline,
};
using TDownloadControlOptions = uint32_t;

enum TUserInterfaceOption {
    DisableTextSelect,
    DisableHelpMenu,
    DontUse3DBorders,
    DontUseScrollBars,
    PostponeScriptUntilActive,
    ForceOpenNewWindow,
    Reserved_OFFSCREEN,
    ForceFlatScrollBars,
    InsertDivTagOnEditMode,
    ActivateUIOnlyOnDocClick,
    ConsultBeforeRetrievingBehavior,
    CheckFontSupportsCodePage,
    DisableSubmitUrlInUTF8,
    EnableSubmitUrlInUTF8,
    EnablesFormsAutoComplete,
    ForceSameWindowNavigation,
    EmableImeLocalLanguages,
    EnableThemes,
    DisableThemes,
    DisablePicsRatings,
    DisableFrameSetBorder,
    DisablesAutoNameSpaceCorrection,
    DisableLocalFileAccess,
    DisableUntrustedProtocol,
    CheckNavigationDelegatedToHost,
    EnableRedirectNotification,
    EnableDomWindlessControls,
    EnableWindowedControls,
    ForceUserActivationOnActiveXJava,
};
using TUserInterfaceOptions = uint32_t;

enum TDragDropHandlingType { ddtMS, ddtMy, ddtCustom, ddtNo };

// Members 0-9 are the control's context-menu kinds 0-9.
enum TIEPopupMenu {
    rcmDefault,
    rcmImage,
    rcmControl,
    rcmTable,
    rcmSelText,
    rcmAnchor,
    rcmUnKnown,
    rcmImageArt,
    rcmImgDynSrc,
    rcmDebug,
    rcmAll,
};
using TIEPopupMenus = uint32_t;

enum TScriptErrorAction { eaContinue, eaCancel, eaAskUser };

[[nodiscard]] constexpr uint32_t SetOf(int member) { return 1u << member; }

// Member names as stored descriptions write them.
[[nodiscard]] const std::vector<std::string>& DownloadControlOptionNames();
[[nodiscard]] const std::vector<std::string>& UserInterfaceOptionNames();
[[nodiscard]] const std::vector<std::string>& PopupMenuNames();

// The flag words: the sum of the values of the members present.
[[nodiscard]] uint32_t DownloadControlFlags(TDownloadControlOptions options);
[[nodiscard]] uint32_t UserInterfaceFlags(TUserInterfaceOptions options);

// ---- Event types (arguments as the host callback that raises them) ----

using platform::DocHostUiInfo;
using platform::KeyMessage;
using platform::WebBindInfo;
using platform::WebCommandTarget;
using platform::WebContextMenu;
using platform::WebDataObject;
using platform::WebDropTarget;
using platform::WebExcepInfo;
using platform::WebMoniker;
using platform::WebService;

using TZoomPercentChangeEvent = std::function<HResult(uint32_t ulZoomPercent)>;
using TShowContextMenuEvent = std::function<HResult(
    uint32_t dwID, TPoint ppt, WebCommandTarget* pcmdtReserved, WebObject* pdispReserved)>;
using TGetHostInfoEvent = std::function<HResult(DocHostUiInfo& pInfo)>;
using TShowUIEvent =
    std::function<HResult(uint32_t dwID, WebObject* pActiveObject, WebCommandTarget* pCommandTarget,
                          WebObject* pFrame, WebObject* pDoc)>;
using THideUIEvent = std::function<HResult()>;
using TUpdateUIEvent = std::function<HResult()>;
using TEnableModelessEvent = std::function<HResult(bool fEnable)>;
using TOnDocWindowActivateEvent = std::function<HResult(bool fActivate)>;
using TOnFrameWindowActivateEvent = std::function<HResult(bool fActivate)>;
using TResizeBorderEvent =
    std::function<HResult(const TRect& prcBorder, WebObject* pUIWindow, bool fRameWindow)>;
using TTranslateAcceleratorEvent =
    std::function<HResult(const KeyMessage& lpMsg, const char* pguidCmdGroup, uint32_t nCmdID)>;
using TGetDropTargetEvent = std::function<HResult(WebDropTarget*& DropTarget)>;
using TGetExternalEvent = std::function<HResult(WebObject*& ppDispatch)>;
using TTranslateUrlEvent = std::function<HResult(uint32_t dwTranslate, const WideString& pchURLIn,
                                                 std::optional<WideString>& ppchURLOut)>;
using TFilterDataObjectEvent = std::function<HResult(WebObject* pDO, WebObject*& ppDORet)>;
using TShowMessageEvent = std::function<HResult(
    void* HWND, const WideString& lpstrText, const WideString& lpstrCaption, uint32_t dwType,
    const WideString& lpstrHelpFile, uint32_t dwHelpContext, int32_t& plResult)>;
using TShowHelpEvent =
    std::function<HResult(void* HWND, const WideString& pszHelpFile, uint32_t uCommand,
                          uint32_t dwData, TPoint ptMouse, WebObject*& pDispatchObjectHit)>;
using TDragEnterEvent = std::function<HResult(WebDataObject* dataObj, uint32_t grfKeyState,
                                              TPoint pt, uint32_t& dwEffect)>;
using TDragOver2Event = std::function<HResult(uint32_t grfKeyState, TPoint pt, uint32_t& dwEffect)>;
using TDragLeaveEvent = std::function<HResult()>;
using TDropEvent = std::function<HResult(WebDataObject* dataObj, uint32_t grfKeyState, TPoint pt,
                                         uint32_t& dwEffect)>;
using TRefreshEvent = std::function<void(TComponent* Sender, int32_t CmdID, bool& Cancel)>;
using TCommandExecEvent =
    std::function<void(const char* CmdGroup, uint32_t nCmdID, uint32_t nCmdexecopt,
                       const OleVariant* vaIn, OleVariant* vaOut, HResult& Rezult)>;
using TQueryServiceEvent =
    std::function<HResult(const char* rsid, const char* iid, WebService*& Obj)>;
using TEvaluateNewWindowEvent = std::function<HResult(
    const WideString& pszUrl, const WideString& pszName, const WideString& pszUrlContext,
    const WideString& pszFeatures, bool fReplace, uint32_t dwFlags, uint32_t dwUserActionTime)>;
using TDownloadEvent = std::function<HResult(
    WebMoniker* pmk, WebObject* pbc, uint32_t dwBindVerb, int32_t grfBINDF, WebBindInfo* pBindInfo,
    const WideString& pszHeaders, const WideString& pszRedir, uint32_t uiCP)>;
using TFilterPopupMenuEvent =
    std::function<void(uint32_t ID, WebContextMenu* Menu, WebObject* Context)>;
using TMaskedCtrlCharEvent = std::function<void(TComponent* Sender, char MaskedChar)>;
using TWindowGeometryEvent = std::function<void(TComponent* Sender, int32_t cx, int32_t cy)>;
using TGetTypeInfoCountEvent = std::function<HResult(uint32_t& pctinfo)>;
using TGetTypeInfoEvent =
    std::function<HResult(uint32_t Index, uint32_t LocaleID, WebObject*& TypeInfo)>;
using TGetIDsOfNamesEvent =
    std::function<HResult(const char* IID, std::span<const WideString> Names, uint32_t LocaleID,
                          std::span<int32_t> DispIDs)>;
// Rezult is the result the host computed; what the handler does cannot change it.
using TInvokeEvent =
    std::function<void(int32_t DispID, const char* IID, uint32_t LocaleID, uint16_t Flags,
                       std::span<OleVariant> Params, OleVariant* VarResult, WebExcepInfo* ExcepInfo,
                       uint32_t* ArgErr, HResult Rezult)>;

class TCustomWebPane : public TWebControl,
                       public platform::WebHostSite,
                       public platform::WebWindowServices,
                       public platform::WebNewWindowManager,
                       public platform::WebDownloadManager,
                       public platform::WebDropTarget {
public:
    explicit TCustomWebPane(TComponent* owner);
    ~TCustomWebPane() override;
    [[nodiscard]] const char* ClassName() const override { return "TCustomWebPane"; }

    // ---- Published properties ----
    [[nodiscard]] TDownloadControlOptions DownloadOptions() const { return downloadOptions_; }
    // Stores the set, recomputes the flag word and tells the control (ambient -5512).
    void SetDownloadOptions(TDownloadControlOptions value);
    [[nodiscard]] TUserInterfaceOptions UserInterfaceOptions() const {
        return userInterfaceOptions_;
    }
    void SetUserInterfaceOptions(TUserInterfaceOptions value);
    std::string HelpFile;
    std::string OptionKeyPath;
    bool OverrideOptionKeyPath = false;
    [[nodiscard]] TDragDropHandlingType DropHandlingType() const { return dropHandlingType_; }
    // Applies the new mode to the document window; the value it already has does nothing.
    void SetDropHandlingType(TDragDropHandlingType value);
    TIEPopupMenus DisabledPopupMenus = 0;
    bool FloatingHosting = false;
    TScriptErrorAction ScriptErrorAction = eaContinue;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Draws the context menus and dialog boxes in place of the engine (browser/
    // WebPanePresenter.h); nullptr: the engine's own. Not owned; a presenter that is a
    // component is forgotten when it goes.
    [[nodiscard]] TWebPanePresenter* Presenter() const { return presenter_; }
    void SetPresenter(TWebPanePresenter* presenter);

    // ---- State ----
    [[nodiscard]] uint32_t DownloadControlFlagWord() const { return downloadFlags_; }
    [[nodiscard]] uint32_t UserInterfaceFlagWord() const { return userInterfaceFlags_; }
    [[nodiscard]] bool EditMode() const { return editMode_; }
    // The control-key mask: letters whose Control chord never reaches the control.
    [[nodiscard]] const std::string& CtrlCharMask() const { return ctrlCharMask_; }
    void SetCtrlCharMask(const std::string& mask) { ctrlCharMask_ = mask; }

    // ---- Events ----
    TGetIDsOfNamesEvent OnGetIDsOfNames;
    TGetTypeInfoEvent OnGetTypeInfo;
    TGetTypeInfoCountEvent OnGetTypeInfoCount;
    TInvokeEvent OnInvoke;
    TShowHelpEvent OnShowHelpRequest;
    TShowMessageEvent OnShowMessage;
    TFilterDataObjectEvent OnFilterDataObject;
    TGetExternalEvent OnGetExternal;
    TGetHostInfoEvent OnGetHostInfo;
    TEnableModelessEvent OnEnableModeless;
    TZoomPercentChangeEvent OnZoomPercentChange;
    TGetDropTargetEvent OnGetDropTarget;
    THideUIEvent OnHideUI;
    TOnDocWindowActivateEvent OnOnDocWindowActivate;
    TOnFrameWindowActivateEvent OnOnFrameWindowActivate;
    TResizeBorderEvent OnResizeBorder;
    TShowContextMenuEvent OnShowContextMenu;
    TShowUIEvent OnShowUI;
    TTranslateAcceleratorEvent OnTranslateAccelerator;
    TTranslateUrlEvent OnTranslateUrl;
    TUpdateUIEvent OnUpdateUI;
    TDragEnterEvent OnDragEnter;
    TDragLeaveEvent OnDragLeave;
    TDragOver2Event OnDragOver2;
    TDropEvent OnDropEvent;
    TRefreshEvent OnRefresh;
    TNotifyEvent OnUnload;
    TCommandExecEvent OnCommandExec;
    TQueryServiceEvent OnQueryService;
    TEvaluateNewWindowEvent OnEvaluateNewWindow;
    // The download manager's event; hides TWebControl::OnFileDownload (the control's
    // file-download notification), which stays reachable by its qualified name.
    TDownloadEvent OnFileDownload;
    TFilterPopupMenuEvent OnFilterPopupMenu;
    TMaskedCtrlCharEvent OnMaskedCtrlChar;
    TWindowGeometryEvent OnMove;
    TWindowGeometryEvent OnMoveBy;
    // Hides TControl::OnResize (the framework's size notification).
    TWindowGeometryEvent OnResize;
    TWindowGeometryEvent OnResizeBy;

    // ---- platform::WebHostSite ----
    HResult GetTypeInfoCount(uint32_t& count) override;
    HResult GetTypeInfo(uint32_t index, uint32_t localeId, WebObject*& typeInfo) override;
    HResult GetIDsOfNames(const char* iid, std::span<const WideString> names, uint32_t localeId,
                          std::span<int32_t> dispIds) override;
    HResult Invoke(int32_t dispId, const char* iid, uint32_t localeId, uint16_t flags,
                   std::span<OleVariant> params, OleVariant* result, WebExcepInfo* excepInfo,
                   uint32_t* argErr) override;
    HResult ShowContextMenu(uint32_t menuKind, TPoint screenPoint, WebCommandTarget* commandTarget,
                            WebObject* object) override;
    HResult GetHostInfo(DocHostUiInfo& info) override;
    HResult ShowUI(uint32_t id, WebObject* activeObject, WebCommandTarget* commandTarget,
                   WebObject* frame, WebObject* document) override;
    HResult HideUI() override;
    HResult UpdateUI() override;
    HResult EnableModeless(bool enable) override;
    HResult OnDocWindowActivate(bool activate) override;
    HResult OnFrameWindowActivate(bool activate) override;
    HResult ResizeBorder(const TRect& border, WebObject* uiWindow, bool frameWindow) override;
    HResult TranslateAccelerator(const KeyMessage& message, const char* commandGroup,
                                 uint32_t commandId) override;
    HResult GetOptionKeyPath(std::optional<WideString>& key, uint32_t reserved) override;
    HResult GetOverrideKeyPath(std::optional<WideString>& key, uint32_t reserved) override;
    HResult GetDropTarget(WebDropTarget* dropTarget, WebDropTarget*& result) override;
    HResult GetExternal(WebObject*& dispatch) override;
    HResult TranslateUrl(uint32_t translate, const WideString& urlIn,
                         std::optional<WideString>& urlOut) override;
    HResult FilterDataObject(WebObject* dataObject, WebObject*& result) override;
    HResult ShowMessage(void* window, const WideString& text, const WideString& caption,
                        uint32_t type, const WideString& helpFile, uint32_t helpContext,
                        int32_t& result) override;
    HResult ShowHelp(void* window, const WideString& helpFile, uint32_t command, uint32_t data,
                     TPoint mouse, WebObject*& objectHit) override;
    HResult ZoomPercentChanged(uint32_t percent) override;
    HResult QueryStatus(const char* group, uint32_t command, uint32_t& state) override;
    HResult Exec(const char* group, uint32_t command, uint32_t option, const OleVariant* in,
                 OleVariant* out) override;
    HResult QueryService(const char* serviceId, const char* interfaceId,
                         WebService*& object) override;
    void DialogActivated(platform::WebDialog& dialog) override;
    std::unique_ptr<platform::WebDialogFace> CreateDialogFace(
        const platform::WebDialogContent& content,
        platform::WebDialogFace::Answered answered) override;

    // ---- Window services, new-window and download managers, drop target ----
    HResult MoveTo(int32_t x, int32_t y) override;
    HResult MoveBy(int32_t dx, int32_t dy) override;
    HResult ResizeTo(int32_t width, int32_t height) override;
    HResult ResizeBy(int32_t dw, int32_t dh) override;
    HResult EvaluateNewWindow(const WideString& url, const WideString& name,
                              const WideString& urlContext, const WideString& features,
                              bool replace, uint32_t flags, uint32_t userActionTime) override;
    HResult Download(WebMoniker* moniker, WebObject* bindContext, uint32_t bindVerb,
                     int32_t bindFlags, WebBindInfo* bindInfo, const WideString& headers,
                     const WideString& redirect, uint32_t codePage) override;
    HResult DragEnter(WebDataObject* dataObject, uint32_t keyState, TPoint point,
                      uint32_t& effect) override;
    HResult DragOver(uint32_t keyState, TPoint point, uint32_t& effect) override;
    HResult DragLeave() override;
    HResult Drop(WebDataObject* dataObject, uint32_t keyState, TPoint point,
                 uint32_t& effect) override;

    // The event sink: a script's close request that no handler cancelled reaches the
    // pane's window as WM_CLOSE (unless a handler freed the pane).
    HResult Invoke(int32_t dispId, std::span<platform::EventArg> reversedArgs) override;

protected:
    platform::WebHostSite* HostSite() override { return this; }
    // Whether the host shows its own copy of the control's menu (and filters it).
    [[nodiscard]] virtual bool FiltersPopupMenus() const { return bool(OnFilterPopupMenu); }
    // Changes the host's menu before it is shown (OnFilterPopupMenu).
    virtual void FilterPopupMenu(uint32_t id, WebContextMenu& menu, WebObject* context);
    // The framework control's answers to ambient-property reads.
    HResult FrameworkAmbient(int32_t dispId, uint16_t flags, OleVariant* result);
    // The dialog box has taken activation from this pane's owner: the owner is told, so
    // a handler hooked on its messages (TWebPane's dialog rules) sees the dialog.
    virtual void NotifyOwnerOfDialog(platform::WebDialog& dialog);

private:
    HResult ShowHostMenu(uint32_t menuKind, TPoint screenPoint, WebCommandTarget* commandTarget,
                         WebObject* object);
    // The presenter's menu: the host's copy (filtered) or the standard one, without the items
    // the command target cannot run. False when the presenter did not show it.
    bool PresentMenu(uint32_t menuKind, TPoint screenPoint, WebCommandTarget* commandTarget,
                     WebObject* object);
    [[nodiscard]] std::unique_ptr<WebContextMenu> HostMenuCopy(uint32_t menuKind,
                                                               WebCommandTarget* commandTarget,
                                                               WebObject* object, bool filtered);
    HResult ScriptErrorAnswer(OleVariant* out) const;
    void ApplyDropHandling();
    void AmbientChanged(int32_t dispId);

    TDownloadControlOptions downloadOptions_ = 0;
    TUserInterfaceOptions userInterfaceOptions_ = 0;
    uint32_t downloadFlags_ = 0;
    uint32_t userInterfaceFlags_ = 0;
    bool editMode_ = false;
    TDragDropHandlingType dropHandlingType_ = ddtMS;
    std::string ctrlCharMask_ = "N";
    TWebPanePresenter* presenter_ = nullptr;
    TComponent* presenterComponent_ = nullptr;  // the same presenter, free-notified
};

// Whether the low byte of a key code is one of the mask's characters.
[[nodiscard]] bool CtrlMaskMatches(const std::string& mask, uint32_t virtualKey);
