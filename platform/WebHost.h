// The document host: what a web control asks of the component that holds it. A control
// object is given one host site (WebControlObject::SetClientSite); before it downloads,
// draws or behaves in a way the host may want to shape, it asks the site, and the site's
// answer (a result code, and values written into the by-reference arguments) decides.
//
// The operations follow the platform browser control's host interfaces: ambient
// properties read through the site's dispatch, the UI handler (context menu, host
// information, keys, drop target, ...), the show-UI callbacks (message boxes, help), zoom
// events, the command target, and the service provider that hands out the window
// services, the new-window manager and the download manager. Engines call them on the GUI
// thread; a site never throws into an engine.
//
// What raises each operation on WebKitGTK is listed in browser/HOST-CALLBACKS.md.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Types.h"
#include "platform/WebEngine.h"

namespace platform {

// ---- Identifiers ----

// Interface, service and command-group identifiers, compared without regard to case.
[[nodiscard]] bool SameId(const char* a, const char* b);

inline constexpr const char* IID_IDispatch = "{00020400-0000-0000-C000-000000000046}";
inline constexpr const char* IID_IZoomEvents = "{41B68150-904C-4E17-A0BA-A438182E359D}";
inline constexpr const char* IID_IHTMLOMWindowServices = "{3050F5FC-98B5-11CF-BB82-00AA00BDCE0B}";
inline constexpr const char* IID_IDownloadManager = "{988934A4-064B-11D3-BB80-00104B35E7F9}";
inline constexpr const char* IID_INewWindowManager = "{D2BC4C84-3F72-4A52-A604-7BCBF3982CBB}";
inline constexpr const char* IID_IServiceProvider = "{6D5140C1-7436-11CE-8034-00AA006009FA}";
inline constexpr const char* IID_IOleCommandTarget = "{B722BCCB-4E68-101B-A2BC-00AA00404770}";
inline constexpr const char* IID_IDropTarget = "{00000122-0000-0000-C000-000000000046}";
inline constexpr const char* IID_IDocHostUIHandler = "{BD3F23C0-D43E-11CF-893B-00AA00BDCE1A}";
inline constexpr const char* IID_IDocHostUIHandler2 = "{3050F6D0-98B5-11CF-BB82-00AA00BDCE0B}";
inline constexpr const char* IID_IDocHostShowUI = "{C4D244B0-D43E-11CF-893B-00AA00BDCE1A}";
// Services are asked for by the identifier of their interface.
inline constexpr const char* SID_SHTMLOMWindowServices = IID_IHTMLOMWindowServices;
inline constexpr const char* SID_SDownloadManager = IID_IDownloadManager;
inline constexpr const char* SID_SNewWindowManager = IID_INewWindowManager;

// Command groups of the host's command target.
inline constexpr const char* CGID_Explorer = "{000214D0-0000-0000-C000-000000000046}";
inline constexpr const char* CGID_DocHostCommandHandler = "{F38BC242-B950-11D1-8918-00C04FC2C836}";
// The document's menu commands (IDM_*), as the command target's QueryStatus answers them.
inline constexpr const char* CGID_MSHTML = "{DE4BA900-59CA-11CF-9592-444553540000}";

// Commands the control sends the host's command target.
inline constexpr uint32_t kUnloadCommand = 37;           // CGID_Explorer: the document unloads
inline constexpr uint32_t kShowScriptErrorCommand = 40;  // CGID_DocHostCommandHandler
inline constexpr uint32_t kRefreshCommand = 2300;  // CGID_DocHostCommandHandler, and the two below
inline constexpr uint32_t kRefreshTopCommand = 6041;
inline constexpr uint32_t kRefreshTopFullCommand = 6042;
// Commands without a group (the standard command set).
inline constexpr uint32_t OLECMDID_UPDATECOMMANDS = 21;
inline constexpr uint32_t OLECMDID_SETPROGRESSMAX = 25;
inline constexpr uint32_t OLECMDID_SETPROGRESSPOS = 26;
inline constexpr uint32_t OLECMDID_SETTITLE = 28;
// ExecWB command that hands out the control's encoding submenu (in `in`, as an object).
inline constexpr int32_t kEncodingMenuCommand = 27;
// Execution options.
inline constexpr uint32_t OLECMDEXECOPT_DODEFAULT = 0;
inline constexpr uint32_t OLECMDEXECOPT_DONTPROMPTUSER = 2;

// ---- Ambient properties ----

inline constexpr int32_t DISPID_UNKNOWN = -1;
inline constexpr int32_t DISPID_AMBIENT_DLCONTROL = -5512;
inline constexpr int32_t DISPID_AMBIENT_BACKCOLOR = -701;
inline constexpr int32_t DISPID_AMBIENT_DISPLAYNAME = -702;
inline constexpr int32_t DISPID_AMBIENT_FONT = -703;
inline constexpr int32_t DISPID_AMBIENT_FORECOLOR = -704;
inline constexpr int32_t DISPID_AMBIENT_LOCALEID = -705;
inline constexpr int32_t DISPID_AMBIENT_MESSAGEREFLECT = -706;
inline constexpr int32_t DISPID_AMBIENT_USERMODE = -709;
inline constexpr int32_t DISPID_AMBIENT_UIDEAD = -710;
inline constexpr int32_t DISPID_AMBIENT_SHOWGRABHANDLES = -711;
inline constexpr int32_t DISPID_AMBIENT_SHOWHATCHING = -712;
inline constexpr int32_t DISPID_AMBIENT_SUPPORTSMNEMONICS = -714;
inline constexpr int32_t DISPID_AMBIENT_AUTOCLIP = -715;

// Invoke flags.
inline constexpr uint16_t DISPATCH_METHOD = 1;
inline constexpr uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr uint16_t DISPATCH_PROPERTYPUT = 4;

// Download-control flag word (ambient DISPID_AMBIENT_DLCONTROL).
enum : uint32_t {
    DLCTL_DLIMAGES = 0x10,
    DLCTL_VIDEOS = 0x20,
    DLCTL_BGSOUNDS = 0x40,
    DLCTL_NO_SCRIPTS = 0x80,
    DLCTL_NO_JAVA = 0x100,
    DLCTL_NO_RUNACTIVEXCTLS = 0x200,
    DLCTL_NO_DLACTIVEXCTLS = 0x400,
    DLCTL_DOWNLOADONLY = 0x800,
    DLCTL_NO_FRAMEDOWNLOAD = 0x1000,
    DLCTL_RESYNCHRONIZE = 0x2000,
    DLCTL_PRAGMA_NO_CACHE = 0x4000,
    DLCTL_NO_BEHAVIORS = 0x8000,
    DLCTL_NO_METACHARSET = 0x10000,
    DLCTL_URL_ENCODING_DISABLE_UTF8 = 0x20000,
    DLCTL_URL_ENCODING_ENABLE_UTF8 = 0x40000,
    DLCTL_FORCEOFFLINE = 0x10000000,
    DLCTL_NO_CLIENTPULL = 0x20000000,
    DLCTL_SILENT = 0x40000000,
    DLCTL_OFFLINE = 0x80000000,
};
// What a control does without a host that answers the ambient property.
inline constexpr uint32_t kDefaultDownloadControl = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;

// User-interface flag word of the host information.
enum : uint32_t {
    DOCHOSTUIFLAG_DIALOG = 0x1,  // no text selection
    DOCHOSTUIFLAG_DISABLE_HELP_MENU = 0x2,
    DOCHOSTUIFLAG_NO3DBORDER = 0x4,
    DOCHOSTUIFLAG_SCROLL_NO = 0x8,
    DOCHOSTUIFLAG_OPENNEWWIN = 0x20,
    DOCHOSTUIFLAG_FLAT_SCROLLBAR = 0x80,
    DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE = 0x4000,
    DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION = 0x10000,
    DOCHOSTUIFLAG_NOTHEME = 0x80000,
    DOCHOSTUIFLAG_LOCAL_MACHINE_ACCESS_CHECK = 0x800000,
    DOCHOSTUIFLAG_DISABLE_UNTRUSTEDPROTOCOL = 0x1000000,
};

// ---- Values the operations pass ----

// The host information record (20 bytes on the platform; the texts are handed over to
// the control, which owns them afterwards).
inline constexpr uint32_t kDocHostUiInfoSize = 20;
struct DocHostUiInfo {
    uint32_t cbSize = 0;
    uint32_t dwFlags = 0;
    uint32_t dwDoubleClick = 0;  // 0: the default action
    std::optional<WideString> pchHostCss;
    std::optional<WideString> pchHostNS;
};

// A key message the control is about to act on.
struct KeyMessage {
    uint32_t message = 0;     // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
    uint32_t virtualKey = 0;  // VK_* (letters as their upper-case ASCII)
    uint32_t modifiers = 0;   // kModShift | kModControl | kModAlt of the keyboard at that moment
};

// Menu kinds of the control's context menus.
enum : uint32_t {
    CONTEXT_MENU_DEFAULT = 0,
    CONTEXT_MENU_IMAGE = 1,
    CONTEXT_MENU_CONTROL = 2,
    CONTEXT_MENU_TABLE = 3,
    CONTEXT_MENU_TEXTSELECT = 4,
    CONTEXT_MENU_ANCHOR = 5,
    CONTEXT_MENU_UNKNOWN = 6,
    CONTEXT_MENU_IMAGEART = 7,
    CONTEXT_MENU_IMGDYNSRC = 8,
    CONTEXT_MENU_DEBUG = 9,
};

// Menu commands of the control's context menus (the commands a host may remove).
enum : uint32_t {
    IDM_PASTE = 26,
    IDM_PRINT = 27,
    IDM_PROPERTIES = 28,
    IDM_SELECTALL = 31,
    IDM_COPY = 15,
    IDM_CUT = 16,
    IDM_DELETE = 17,
    IDM_OPENLINK = 2136,
    IDM_OPENINNEWWINDOW = 2137,
    IDM_STOP = 2138,
    IDM_VIEWSOURCE = 2139,
    IDM_ADDFAVORITES = 2261,
    IDM_COPYSHORTCUT = 2262,
    IDM_SAVEBACKGROUND = 2263,
    IDM_SETWALLPAPER = 2264,
    IDM_COPYBACKGROUND = 2265,
    IDM_CREATESHORTCUT = 2266,
    IDM_SAVETARGET = 2268,
    IDM_SETDESKTOPITEM = 2278,
    IDM_GOBACKWARD = 2282,
    IDM_GOFORWARD = 2283,
    IDM_SAVEPICTURE = 2270,
    IDM_LANGUAGE = 2292,  // the encoding submenu
    IDM_REFRESH = 2300,
};

// One context menu: items with their commands, possibly nested. Both engines build their
// menus as this value; the host may change it before it is shown.
class WebContextMenu;
struct WebMenuItem {
    uint32_t command = 0;  // 0 for separators and submenu headers
    std::string text;      // UTF-8
    bool separator = false;
    bool enabled = true;
    std::shared_ptr<WebContextMenu> submenu;
};

class WebContextMenu : public WebObject {
public:
    std::vector<WebMenuItem> items;

    // Removes the first item with the command, searching submenus depth first; a separator
    // left at either end or doubled is dropped with it. False when no item has it.
    bool DeleteCommand(uint32_t command);
    // Attaches a submenu to the first item with the command; false when there is none.
    bool SetSubmenu(uint32_t command, std::shared_ptr<WebContextMenu> submenu);
    [[nodiscard]] const WebMenuItem* Find(uint32_t command) const;
    // Every command, depth first.
    [[nodiscard]] std::vector<uint32_t> Commands() const;
};

// The document's command target, handed to the context-menu callback: it runs commands
// on the document, and (the window side) gives a copy of the control's own menu, tracks a
// menu at a point and receives the chosen command.
class WebCommandTarget : public WebObject {
public:
    virtual HResult QueryStatus(const char* group, uint32_t command, uint32_t& state) = 0;
    virtual HResult Exec(const char* group, uint32_t command, uint32_t option, const Variant* in,
                         Variant* out) = 0;
    // A copy of the control's menu of this kind; nullptr when the control has none.
    [[nodiscard]] virtual std::unique_ptr<WebContextMenu> LoadMenu(uint32_t kind) = 0;
    // Shows the menu at a screen point. Returns the chosen command, 0 when none was chosen
    // (or when the engine shows the menu without waiting; it then runs the choice itself).
    virtual uint32_t TrackMenu(const WebContextMenu& menu, TPoint screenPoint) = 0;
    // A menu command sent to the control's window.
    virtual void SendMenuCommand(uint32_t command) = 0;
};

// Drag and drop.
enum : uint32_t {
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
    DROPEFFECT_LINK = 4
};
// Key states of drag operations are the MK_* bits of base/Messages.h.

// What is being dragged: the formats on offer (MIME types).
class WebDataObject : public WebObject {
public:
    [[nodiscard]] virtual std::vector<std::string> Formats() const = 0;
};

class WebDropTarget {
public:
    virtual ~WebDropTarget() = default;
    virtual HResult DragEnter(WebDataObject* dataObject, uint32_t keyState, TPoint point,
                              uint32_t& effect) = 0;
    virtual HResult DragOver(uint32_t keyState, TPoint point, uint32_t& effect) = 0;
    virtual HResult DragLeave() = 0;
    virtual HResult Drop(WebDataObject* dataObject, uint32_t keyState, TPoint point,
                         uint32_t& effect) = 0;
};

// A dialog box of the control (a script's alert, confirm or prompt, a script-error
// report), shown by the engine's own dialog code. While it is open it takes activation
// from the window that holds the control, and the host may change or close it.
class WebDialog {
public:
    virtual ~WebDialog() = default;
    // The window class: "#32770" for message boxes, "Internet Explorer_TridentDlgFrame"
    // for the prompt, as the platform control names its dialogs.
    [[nodiscard]] virtual std::string ClassName() const = 0;
    [[nodiscard]] virtual std::string Caption() const = 0;  // UTF-8
    virtual void SetCaption(const std::string& caption) = 0;
    // Shows the application's icon instead of the dialog's own.
    virtual void UseApplicationIcon() = 0;
    // A close request: the dialog ends as if cancelled.
    virtual void RequestClose() = 0;
    // A left-button press and release on the dialog (queued).
    virtual void PostClick() = 0;
    // Ends the dialog at once (as cancelled) and destroys its window.
    virtual void Destroy() = 0;
};

// The dialog boxes of the control, and what one shows when the host draws it itself.
enum class WebDialogKind { Alert, Confirm, Prompt, LeavePage, ScriptError };
struct WebDialogContent {
    WebDialogKind kind = WebDialogKind::Alert;
    std::string caption;      // UTF-8
    std::string message;      // UTF-8, already shortened by the engine
    std::string defaultText;  // the prompt's entry
};

// A dialog box window drawn by the host (a skinned one) in place of the engine's own. The
// engine keeps the dialog's rules and life (WebDialog); the face only shows it and reports
// the user's answer. It is not modal: the program goes on while it is open.
class WebDialogFace {
public:
    // accepted: OK, Yes, Leave or Enter; false: Cancel, No, Stay, Escape or its close button.
    using Answered = std::function<void(bool accepted)>;
    virtual ~WebDialogFace() = default;
    [[nodiscard]] virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void UseApplicationIcon() = 0;
    // Shows the window with the keyboard focus in it (the prompt's entry, else OK).
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // The prompt's entry as the user left it.
    [[nodiscard]] virtual std::string EnteredText() const = 0;
};

// Message-box types of ShowMessage (MB_*) and its results (ID*).
enum : uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int32_t { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// ---- Services ----

class WebService {
public:
    virtual ~WebService() = default;
};

// Page scripts moving and sizing the window (window.moveTo/moveBy/resizeTo/resizeBy).
class WebWindowServices : public WebService {
public:
    virtual HResult MoveTo(int32_t x, int32_t y) = 0;
    virtual HResult MoveBy(int32_t dx, int32_t dy) = 0;
    virtual HResult ResizeTo(int32_t width, int32_t height) = 0;
    virtual HResult ResizeBy(int32_t dw, int32_t dh) = 0;
};

// Decides whether content may open a new window, before the new-window events.
// S_OK: allowed; S_FALSE: blocked (no events, no window); a failure: the control decides.
class WebNewWindowManager : public WebService {
public:
    virtual HResult EvaluateNewWindow(const WideString& url, const WideString& name,
                                      const WideString& urlContext, const WideString& features,
                                      bool replace, uint32_t flags, uint32_t userActionTime) = 0;
};

// Flags of EvaluateNewWindow (beyond the new-window event's).
inline constexpr uint32_t NWMF_UNLOADING = 0x1;
inline constexpr uint32_t NWMF_HTMLDIALOG = 0x10;

// A file download: the moniker names the address.
class WebMoniker : public WebObject {
public:
    explicit WebMoniker(WideString displayName) : displayName_(std::move(displayName)) {}
    [[nodiscard]] const WideString& DisplayName() const { return displayName_; }

private:
    WideString displayName_;
};

struct WebBindInfo {
    uint32_t cbSize = 0;
    WideString extraInfo;
    uint32_t bindVerb = 0;  // BINDVERB_GET 0, BINDVERB_POST 1
};
inline constexpr uint32_t BINDVERB_GET = 0;
inline constexpr uint32_t BINDVERB_POST = 1;

// S_OK: the host takes the download; a failure (E_NOTIMPL): the control downloads itself.
class WebDownloadManager : public WebService {
public:
    virtual HResult Download(WebMoniker* moniker, WebObject* bindContext, uint32_t bindVerb,
                             int32_t bindFlags, WebBindInfo* bindInfo, const WideString& headers,
                             const WideString& redirect, uint32_t codePage) = 0;
};

// Exception information of a failed ambient invocation (unused by our hosts).
struct WebExcepInfo {
    uint16_t code = 0;
    WideString source;
    WideString description;
};

// ---- The site ----

class WebHostSite {
public:
    virtual ~WebHostSite() = default;

    // Ambient properties (the site's dispatch interface).
    virtual HResult GetTypeInfoCount(uint32_t& count) = 0;
    virtual HResult GetTypeInfo(uint32_t index, uint32_t localeId, WebObject*& typeInfo) = 0;
    virtual HResult GetIDsOfNames(const char* iid, std::span<const WideString> names,
                                  uint32_t localeId, std::span<int32_t> dispIds) = 0;
    virtual HResult Invoke(int32_t dispId, const char* iid, uint32_t localeId, uint16_t flags,
                           std::span<Variant> params, Variant* result, WebExcepInfo* excepInfo,
                           uint32_t* argErr) = 0;

    // UI handler.
    // S_OK: the host handled the menu (showed its own, or none); S_FALSE: the control
    // shows its standard menu.
    virtual HResult ShowContextMenu(uint32_t menuKind, TPoint screenPoint,
                                    WebCommandTarget* commandTarget, WebObject* object) = 0;
    virtual HResult GetHostInfo(DocHostUiInfo& info) = 0;
    virtual HResult ShowUI(uint32_t id, WebObject* activeObject, WebCommandTarget* commandTarget,
                           WebObject* frame, WebObject* document) = 0;
    virtual HResult HideUI() = 0;
    virtual HResult UpdateUI() = 0;
    virtual HResult EnableModeless(bool enable) = 0;
    virtual HResult OnDocWindowActivate(bool activate) = 0;
    virtual HResult OnFrameWindowActivate(bool activate) = 0;
    virtual HResult ResizeBorder(const TRect& border, WebObject* uiWindow, bool frameWindow) = 0;
    // S_OK: the key was handled by the host and the control does nothing with it.
    virtual HResult TranslateAccelerator(const KeyMessage& message, const char* commandGroup,
                                         uint32_t commandId) = 0;
    virtual HResult GetOptionKeyPath(std::optional<WideString>& key, uint32_t reserved) = 0;
    virtual HResult GetOverrideKeyPath(std::optional<WideString>& key, uint32_t reserved) = 0;
    // `dropTarget` is the control's own; `result` receives the target to use (S_OK), or
    // stays null. E_NOTIMPL: the control uses its own.
    virtual HResult GetDropTarget(WebDropTarget* dropTarget, WebDropTarget*& result) = 0;
    virtual HResult GetExternal(WebObject*& dispatch) = 0;
    // S_OK with urlOut set: the control navigates to urlOut instead.
    virtual HResult TranslateUrl(uint32_t translate, const WideString& urlIn,
                                 std::optional<WideString>& urlOut) = 0;
    virtual HResult FilterDataObject(WebObject* dataObject, WebObject*& result) = 0;

    // Show UI. S_OK: the host showed it (result holds the button); S_FALSE: the control
    // shows its own.
    virtual HResult ShowMessage(void* window, const WideString& text, const WideString& caption,
                                uint32_t type, const WideString& helpFile, uint32_t helpContext,
                                int32_t& result) = 0;
    virtual HResult ShowHelp(void* window, const WideString& helpFile, uint32_t command,
                             uint32_t data, TPoint mouse, WebObject*& objectHit) = 0;

    // Zoom events.
    virtual HResult ZoomPercentChanged(uint32_t percent) = 0;

    // Command target. group may be null (the standard command set).
    virtual HResult QueryStatus(const char* group, uint32_t command, uint32_t& state) = 0;
    virtual HResult Exec(const char* group, uint32_t command, uint32_t option, const Variant* in,
                         Variant* out) = 0;

    // Service provider: S_OK with `object` set, or E_NOINTERFACE.
    virtual HResult QueryService(const char* serviceId, const char* interfaceId,
                                 WebService*& object) = 0;

    // The control's dialog box has taken activation from the window that holds the control.
    virtual void DialogActivated(WebDialog& dialog) = 0;
    // A window of the host's own for a dialog box, or nullptr: the engine shows its own.
    // `answered` is called at most once, when the user answers through the face.
    [[nodiscard]] virtual std::unique_ptr<WebDialogFace> CreateDialogFace(
        const WebDialogContent& content, WebDialogFace::Answered answered) {
        (void)content;
        (void)answered;
        return nullptr;
    }
};

// Settings of the process's network session.
struct WebProxySettings {
    std::string server;  // "host:port"
    std::string bypass;  // "<local>": hosts of the loopback
    std::string userName;
    std::string password;
};

// The address of a proxy server given as "host:port" ("[v6]:port"): "http://host:port",
// or empty when the text makes no such address (characters other than letters, digits and
// ".-_:[]", more than 255 bytes, no port or a port outside 1..65535).
[[nodiscard]] std::string ProxyServerUri(const std::string& server);

// A user-agent token as it may stand in a header: trimmed of blanks, printable ASCII only,
// parentheses balanced, no backslash; nullopt when it cannot be used.
[[nodiscard]] std::optional<std::string> UserAgentToken(const std::string& token);
// The user agent with the usable tokens (at most 32, duplicates once) added at the end of
// its first comment, after the platform: "Mozilla/5.0 (X11; Linux x86_64; token) ...".
// A user agent without a comment gets one after its first product.
[[nodiscard]] std::string UserAgentWithTokens(const std::string& userAgent,
                                              const std::vector<std::string>& tokens);

// Page setup for printing.
struct WebPrintSetup {
    std::string header;  // UTF-8
    std::string footer;
    double marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;  // inches
    bool landscape = false;
};

}  // namespace platform
