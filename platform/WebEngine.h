// The web engine the browser wrapper sits on: what the platform's web-browser control
// offered. An engine creates control objects by class; a control object is set up with its
// persisted state and an event sink, hands out its browser automation interface
// (navigation, command execution, properties) and a native widget to host in a window, and
// calls the sink with its events.
//
// Events follow the automation calling convention: the engine calls the sink with the
// event's dispatch id and its arguments in REVERSE order of declaration (last argument
// first). A by-reference argument points at the engine's own variable: the handler writes
// there and the engine reads the value back after the call returns.
//
// Two engines implement this: WebKitGTK (platform/gtk/WebKitEngine) and a fake that tests
// drive (platform/headless/FakeWebEngine).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class LaunchPolicy;
class WebDropTarget;
class WebHostSite;
struct WebPrintSetup;
struct WebProxySettings;

// Addresses and browser texts are UTF-16, as the automation interface passes them.
using WideString = std::u16string;

// The 16-bit automation boolean: true is all bits set.
using VariantBool = int16_t;
inline constexpr VariantBool kVariantTrue = -1;
inline constexpr VariantBool kVariantFalse = 0;
[[nodiscard]] inline VariantBool ToVariantBool(bool value) {
    return value ? kVariantTrue : kVariantFalse;
}

// Result codes of the control's calls (negative: failure).
using HResult = int32_t;
inline constexpr HResult kS_OK = 0;
inline constexpr HResult kS_FALSE = 1;
inline constexpr HResult kE_NOTIMPL = static_cast<HResult>(0x80004001);
inline constexpr HResult kE_NOINTERFACE = static_cast<HResult>(0x80004002);
inline constexpr HResult kE_FAIL = static_cast<HResult>(0x80004005);
inline constexpr HResult kE_UNEXPECTED = static_cast<HResult>(0x8000FFFF);
inline constexpr HResult kE_INVALIDARG = static_cast<HResult>(0x80070057);
inline constexpr HResult kDISP_E_MEMBERNOTFOUND = static_cast<HResult>(0x80020003);
inline constexpr HResult kDISP_E_TYPEMISMATCH = static_cast<HResult>(0x80020005);
inline constexpr HResult kOLECMDERR_E_NOTSUPPORTED = static_cast<HResult>(0x80040100);
inline constexpr HResult kOLECMDERR_E_DISABLED = static_cast<HResult>(0x80040101);
inline constexpr HResult kREGDB_E_CLASSNOTREG = static_cast<HResult>(0x80040154);
// Status codes of failed navigations (OnNavigateError's StatusCode besides HTTP statuses).
inline constexpr HResult kINET_E_RESOURCE_NOT_FOUND = static_cast<HResult>(0x800C0005);
inline constexpr HResult kINET_E_CONNECTION_TIMEOUT = static_cast<HResult>(0x800C000B);
inline constexpr HResult kINET_E_DOWNLOAD_FAILURE = static_cast<HResult>(0x800C0008);
inline constexpr HResult kINET_E_UNKNOWN_PROTOCOL = static_cast<HResult>(0x800C000D);
inline constexpr HResult kINET_E_INVALID_CERTIFICATE = static_cast<HResult>(0x800C0019);
[[nodiscard]] inline bool Failed(HResult hr) { return hr < 0; }

// The web-browser control's class and interface identifiers.
inline constexpr const char* kWebBrowserClassId = "{8856F961-340A-11D0-A96B-00C04FD705A2}";
inline constexpr const char* kWebBrowserEventsId = "{34A715A0-6587-11D0-924A-0020AFC7AC4D}";
inline constexpr const char* kWebBrowserAutomationId = "{D30C1661-CDAF-11D0-8A3E-00C04FC9E26E}";

// An automation object reference: the engine's object for a browser (pane or frame).
class WebObject {
public:
    virtual ~WebObject() = default;
};

// An automation variant, reduced to the kinds the browser passes.
struct Variant {
    enum class Type : uint8_t { Empty, Missing, Null, Bool, Int32, UInt32, String, Object, Bytes };
    Type type = Type::Empty;
    VariantBool boolValue = 0;
    int32_t intValue = 0;
    uint32_t uintValue = 0;
    WideString text;
    WebObject* object = nullptr;
    std::vector<uint8_t> bytes;  // a byte array (post data)

    // The value of an optional argument that was not given.
    [[nodiscard]] static Variant MissingValue() {
        Variant v;
        v.type = Type::Missing;
        return v;
    }
    [[nodiscard]] static Variant FromBool(bool b) {
        Variant v;
        v.type = Type::Bool;
        v.boolValue = ToVariantBool(b);
        return v;
    }
    [[nodiscard]] static Variant FromInt(int32_t i) {
        Variant v;
        v.type = Type::Int32;
        v.intValue = i;
        return v;
    }
    [[nodiscard]] static Variant FromUInt(uint32_t u) {
        Variant v;
        v.type = Type::UInt32;
        v.uintValue = u;
        return v;
    }
    [[nodiscard]] static Variant FromString(WideString s) {
        Variant v;
        v.type = Type::String;
        v.text = std::move(s);
        return v;
    }
    [[nodiscard]] static Variant FromObject(WebObject* o) {
        Variant v;
        v.type = Type::Object;
        v.object = o;
        return v;
    }
    [[nodiscard]] static Variant FromBytes(std::vector<uint8_t> b) {
        Variant v;
        v.type = Type::Bytes;
        v.bytes = std::move(b);
        return v;
    }
    // Empty, missing and null all mean "no value given".
    [[nodiscard]] bool IsNothing() const {
        return type == Type::Empty || type == Type::Missing || type == Type::Null;
    }
    bool operator==(const Variant&) const = default;
};

// One argument of an event as the engine passes it to the sink.
struct EventArg {
    enum class Type : uint8_t { Bool, Int32, UInt32, String, Object, Variant };
    Type type = Type::Int32;
    bool byRef = false;
    // By value (byRef false). A string is passed as the engine's own text, not a copy.
    VariantBool boolValue = 0;
    int32_t intValue = 0;
    uint32_t uintValue = 0;
    const WideString* text = nullptr;
    WebObject* object = nullptr;
    // By reference (byRef true): VariantBool*, int32_t*, WebObject** or Variant*.
    void* ref = nullptr;

    [[nodiscard]] static EventArg Bool(VariantBool b) {
        EventArg a;
        a.type = Type::Bool;
        a.boolValue = b;
        return a;
    }
    [[nodiscard]] static EventArg Int(int32_t i) {
        EventArg a;
        a.type = Type::Int32;
        a.intValue = i;
        return a;
    }
    [[nodiscard]] static EventArg UInt(uint32_t u) {
        EventArg a;
        a.type = Type::UInt32;
        a.uintValue = u;
        return a;
    }
    [[nodiscard]] static EventArg String(const WideString& s) {
        EventArg a;
        a.type = Type::String;
        a.text = &s;
        return a;
    }
    [[nodiscard]] static EventArg Object(WebObject* o) {
        EventArg a;
        a.type = Type::Object;
        a.object = o;
        return a;
    }
    [[nodiscard]] static EventArg RefBool(VariantBool* p) { return Ref(Type::Bool, p); }
    [[nodiscard]] static EventArg RefInt(int32_t* p) { return Ref(Type::Int32, p); }
    [[nodiscard]] static EventArg RefObject(WebObject** p) { return Ref(Type::Object, p); }
    [[nodiscard]] static EventArg RefVariant(Variant* p) { return Ref(Type::Variant, p); }

private:
    [[nodiscard]] static EventArg Ref(Type t, void* p) {
        EventArg a;
        a.type = t;
        a.byRef = true;
        a.ref = p;
        return a;
    }
};

// Dispatch ids of the browser events (the control's second-generation event interface).
enum WebEventDispId : int32_t {
    DISPID_STATUSTEXTCHANGE = 102,
    DISPID_DOWNLOADCOMPLETE = 104,
    DISPID_COMMANDSTATECHANGE = 105,
    DISPID_DOWNLOADBEGIN = 106,
    DISPID_PROGRESSCHANGE = 108,
    DISPID_PROPERTYCHANGE = 112,
    DISPID_TITLECHANGE = 113,
    DISPID_PRINTTEMPLATEINSTANTIATION = 225,
    DISPID_PRINTTEMPLATETEARDOWN = 226,
    DISPID_UPDATEPAGESTATUS = 227,
    DISPID_BEFORENAVIGATE2 = 250,
    DISPID_NEWWINDOW2 = 251,
    DISPID_NAVIGATECOMPLETE2 = 252,
    DISPID_ONQUIT = 253,
    DISPID_ONVISIBLE = 254,
    DISPID_ONTOOLBAR = 255,
    DISPID_ONMENUBAR = 256,
    DISPID_ONSTATUSBAR = 257,
    DISPID_ONFULLSCREEN = 258,
    DISPID_DOCUMENTCOMPLETE = 259,
    DISPID_ONTHEATERMODE = 260,
    DISPID_ONADDRESSBAR = 261,
    DISPID_WINDOWSETRESIZABLE = 262,
    DISPID_WINDOWCLOSING = 263,
    DISPID_WINDOWSETLEFT = 264,
    DISPID_WINDOWSETTOP = 265,
    DISPID_WINDOWSETWIDTH = 266,
    DISPID_WINDOWSETHEIGHT = 267,
    DISPID_CLIENTTOHOSTWINDOW = 268,
    DISPID_SETSECURELOCKICON = 269,
    DISPID_FILEDOWNLOAD = 270,
    DISPID_NAVIGATEERROR = 271,
    DISPID_PRIVACYIMPACTEDSTATECHANGE = 272,
    DISPID_NEWWINDOW3 = 273,
};

// Stock control events (mouse and keys) use these ids, not browser ones.
inline constexpr int32_t kFirstStockEventDispId = -607;
inline constexpr int32_t kLastStockEventDispId = -600;

// Dispatch ids of the browser properties.
enum WebPropertyDispId : int32_t {
    DISPID_PROP_VISIBLE = 402,
    DISPID_PROP_STATUSBAR = 403,
    DISPID_PROP_STATUSTEXT = 404,
    DISPID_PROP_TOOLBAR = 405,
    DISPID_PROP_MENUBAR = 406,
    DISPID_PROP_FULLSCREEN = 407,
    DISPID_PROP_OFFLINE = 550,
    DISPID_PROP_SILENT = 551,
    DISPID_PROP_REGISTERASBROWSER = 552,
    DISPID_PROP_REGISTERASDROPTARGET = 553,
    DISPID_PROP_THEATERMODE = 554,
    DISPID_PROP_ADDRESSBAR = 555,
    DISPID_PROP_RESIZABLE = 556,
};

// Command ids of ExecWB (the subset engines may support).
enum WebCommandId : int32_t {
    OLECMDID_PRINT = 6,
    OLECMDID_CUT = 11,
    OLECMDID_COPY = 12,
    OLECMDID_PASTE = 13,
    OLECMDID_UNDO = 15,
    OLECMDID_REDO = 16,
    OLECMDID_SELECTALL = 17,
    OLECMDID_CLEARSELECTION = 18,
    OLECMDID_ZOOM = 19,
    OLECMDID_GETZOOMRANGE = 20,
    OLECMDID_REFRESH = 22,
    OLECMDID_STOP = 23,
    OLECMDID_OPTICAL_ZOOM = 63,
};

// Values of OnCommandStateChange's Command.
inline constexpr int32_t CSC_UPDATECOMMANDS = -1;
inline constexpr int32_t CSC_NAVIGATEFORWARD = 1;
inline constexpr int32_t CSC_NAVIGATEBACK = 2;

// Flags of OnNewWindow3 (the ones engines here can tell).
inline constexpr uint32_t NWMF_USERINITIATED = 0x2;
inline constexpr uint32_t NWMF_FIRST = 0x4;
inline constexpr uint32_t NWMF_USERREQUESTED = 0x80;

// Flags of Navigate.
inline constexpr int32_t navOpenInNewWindow = 0x1;
inline constexpr int32_t navNoHistory = 0x2;

// Values of OnSetSecureLockIcon.
inline constexpr int32_t secureLockIconUnsecure = 0;
inline constexpr int32_t secureLockIconMixed = 1;
inline constexpr int32_t secureLockIconSecure128Bit = 6;

// The wrapper's side: the engine calls it with every event.
class WebEventSink {
public:
    virtual ~WebEventSink() = default;
    // `reversedArgs` holds the arguments last first. The sink always answers kS_OK.
    virtual HResult Invoke(int32_t dispId, std::span<EventArg> reversedArgs) = 0;
};

// Calls the sink with arguments given in declared order (reverses them, as the automation
// convention delivers them).
HResult RaiseWebEvent(WebEventSink& sink, int32_t dispId,
                      std::initializer_list<EventArg> declaredArgs);

// The browser automation interface: navigation, commands and properties.
class WebBrowserAutomation {
public:
    virtual ~WebBrowserAutomation() = default;
    // Starts a navigation; returns once the request is accepted (loading and its events
    // follow later). Optional arguments are Variant::MissingValue() when not given.
    virtual HResult Navigate(const WideString& url, const Variant& flags,
                             const Variant& targetFrameName, const Variant& postData,
                             const Variant& headers) = 0;
    // Executes a command; `in` may be filled by the engine, `out` receives a result.
    virtual HResult ExecWB(int32_t commandId, int32_t execOption, Variant* in, Variant* out) = 0;
    // Property reads and writes by dispatch id (WebPropertyDispId).
    virtual HResult GetProperty(int32_t dispId, Variant& value) = 0;
    virtual HResult PutProperty(int32_t dispId, const Variant& value) = 0;
};

// A control object: one browser, created by class.
class WebControlObject {
public:
    virtual ~WebControlObject() = default;
    // Set-up, before first use: load the persisted state the stored description carried,
    // or start a fresh one (nullptr). A damaged block is ignored and a fresh state used.
    virtual HResult LoadState(const std::vector<uint8_t>* state) = 0;
    // Connects the event sink (nullptr disconnects). Events never arrive before this.
    virtual void Advise(WebEventSink* sink) = 0;
    // The automation interface, or nullptr when the object does not offer it.
    virtual WebBrowserAutomation* QueryBrowser() = 0;
    // The automation object that stands for this browser in events (pDisp).
    virtual WebObject* BrowserObject() = 0;
    // The widget to host in a window (a GtkWidget* on GTK); nullptr when there is none.
    virtual void* NativeWidget() = 0;
    // Ends the object's life: disconnects the sink and stops all loading.
    virtual void Close() = 0;

    // ---- The host (platform/WebHost.h) ----
    // The site the control asks for its host's decisions (nullptr: none; the control then
    // uses its own defaults). Given at set-up, before LoadState.
    virtual void SetClientSite(WebHostSite* site) = 0;
    // An ambient property of the site changed (DISPID_UNKNOWN: all of them); the control
    // reads it again.
    virtual void AmbientPropertyChanged(int32_t dispId) = 0;
    // Whether the document window exists (a document has been shown).
    [[nodiscard]] virtual bool HasDocumentWindow() const = 0;
    // Registers the drop target of the document window (nullptr revokes the registration;
    // the control then follows its RegisterAsDropTarget property).
    virtual void SetDocumentDropTarget(WebDropTarget* target) = 0;
    // Page setup for the print command (nullptr: the engine's defaults).
    virtual void SetPrintSetup(const WebPrintSetup* setup) = 0;
};

class WebEngine {
public:
    virtual ~WebEngine() = default;
    [[nodiscard]] virtual std::string Name() const = 0;
    // Creates a control object of the class; nullptr when the class is not known.
    virtual std::unique_ptr<WebControlObject> CreateControl(const std::string& classId) = 0;

    // Tokens added to the user agent of every control, in order (UTF-8). Tokens that
    // would not make a valid header (control characters, bytes outside printable ASCII,
    // unbalanced parentheses) are left out.
    virtual void SetUserAgentTokens(const std::vector<std::string>& tokens) = 0;
    // The proxy of this process's network session (nullptr: the user's own settings). The
    // user name and password answer the proxy's authentication request. False, with the
    // session's proxy left as it was, for a server the engine cannot use
    // (ProxyServerUri gives nothing for it).
    virtual bool SetProxy(const WebProxySettings* proxy) = 0;
};

// The process-wide engine, installed at start-up next to the platform.
[[nodiscard]] bool HasWebEngine();
WebEngine& CurrentWebEngine();
void SetWebEngine(std::unique_ptr<WebEngine> engine);

// The part of a new-window request every engine shares: raises OnNewWindow2, then (unless
// it was cancelled) OnNewWindow3. Cancel is any nonzero value written by a handler. When
// nobody cancels and no handler supplied a browser (ppDisp), the address is offered to the
// control's launch policy (platform/LaunchPolicy.h), which hands it to the desktop's
// default handler (platform OpenUri) only when its rules allow (http, https or mailto,
// NWMF_USERINITIATED in `flags` and a click or key press in the pane not used yet) and
// logs a refusal otherwise: an embedded pane never opens top-level browser windows of its
// own.
struct NewWindowOutcome {
    bool cancelled = false;
    bool openedExternally = false;
    bool refused = false;                // offered to the launch policy and refused
    VariantBool cancel = kVariantFalse;  // the value the engine read back
    WebObject* newBrowser = nullptr;     // ppDisp as a handler left it
};
NewWindowOutcome RaiseNewWindowRequest(WebEventSink& sink, LaunchPolicy& launches, uint32_t flags,
                                       const WideString& urlContext, const WideString& url);

// The browser properties every engine keeps (values read and written by dispatch id). An
// engine applies the ones it has a meaning for and remembers the rest.
class WebPropertyStore {
public:
    WebPropertyStore();
    // kDISP_E_MEMBERNOTFOUND for an unknown id.
    HResult Get(int32_t dispId, Variant& value) const;
    // kDISP_E_MEMBERNOTFOUND for an unknown id, kDISP_E_TYPEMISMATCH for a value of the
    // wrong kind (bool properties take Bool, ToolBar takes Int32, StatusText String).
    HResult Put(int32_t dispId, const Variant& value);

private:
    std::map<int32_t, Variant> values_;
};

// The persisted state block of a control (ControlData): 156 bytes, little-endian:
//   "PBWS", uint16 version 1, uint16 entry count N, then N entries of (int32 property
//   dispatch id, int32 value: 0/1 for booleans, the number for ToolBar), zero padding.
inline constexpr size_t kControlStateSize = 156;
// Applies a block to `store`: all or nothing. False (store unchanged) for a block that is
// too short, has another signature or version, more entries than it holds, or an entry
// with an unknown property or a value the property does not take.
bool ApplyControlState(const std::vector<uint8_t>& block, WebPropertyStore& store);
// Builds a block holding the given (dispatch id, value) entries (at most 18).
[[nodiscard]] std::vector<uint8_t> MakeControlState(
    const std::vector<std::pair<int32_t, int32_t>>& entries);

// UTF-8 <-> UTF-16. Invalid input (bad sequences, lone surrogates) becomes U+FFFD; it
// never reads past the end.
[[nodiscard]] WideString Utf8ToWide(const std::string& utf8);
[[nodiscard]] std::string WideToUtf8(const WideString& wide);

}  // namespace platform
