#include "browser/WebControl.h"

#include <array>

#include "browser/WebControlStart.h"
#include "platform/Platform.h"
#include "platform/WebHost.h"
#include "ui/Application.h"

using platform::EventArg;
using platform::HResult;

namespace {

// The control's arguments as the sink receives them (last first), read in declared order.
// An argument of the wrong kind or a missing one throws BadArguments: such a call from the
// engine is dropped without calling any handler.
struct BadArguments {};

class EventArgs {
public:
    EventArgs(std::span<EventArg> reversed, size_t expected) : args_(reversed) {
        if (reversed.size() != expected) throw BadArguments{};
    }

    [[nodiscard]] VariantBool Bool(size_t i) const {
        const EventArg& a = At(i, EventArg::Type::Bool);
        return a.byRef ? *Ptr<VariantBool>(a) : a.boolValue;
    }
    [[nodiscard]] int32_t Int(size_t i) const {
        const EventArg& a = At(i, EventArg::Type::Int32);
        return a.byRef ? *Ptr<int32_t>(a) : a.intValue;
    }
    [[nodiscard]] uint32_t UInt(size_t i) const {
        const EventArg& a = Get(i);
        // Unsigned flags may arrive typed as signed 32-bit values.
        if (a.byRef) throw BadArguments{};
        if (a.type == EventArg::Type::UInt32) return a.uintValue;
        if (a.type == EventArg::Type::Int32) return static_cast<uint32_t>(a.intValue);
        throw BadArguments{};
    }
    // The control's own text, not a copy.
    [[nodiscard]] const WideString& Str(size_t i) const {
        const EventArg& a = At(i, EventArg::Type::String);
        if (a.byRef || !a.text) throw BadArguments{};
        return *a.text;
    }
    [[nodiscard]] WebObject* Obj(size_t i) const {
        const EventArg& a = At(i, EventArg::Type::Object);
        return a.byRef ? *Ptr<WebObject*>(a) : a.object;
    }
    [[nodiscard]] VariantBool& RefBool(size_t i) const {
        return *Ptr<VariantBool>(Ref(i, EventArg::Type::Bool));
    }
    [[nodiscard]] int32_t& RefInt(size_t i) const {
        return *Ptr<int32_t>(Ref(i, EventArg::Type::Int32));
    }
    [[nodiscard]] WebObject*& RefObj(size_t i) const {
        return *Ptr<WebObject*>(Ref(i, EventArg::Type::Object));
    }
    [[nodiscard]] OleVariant& RefVar(size_t i) const {
        return *Ptr<OleVariant>(Ref(i, EventArg::Type::Variant));
    }

private:
    [[nodiscard]] const EventArg& Get(size_t i) const { return args_[args_.size() - 1 - i]; }
    [[nodiscard]] const EventArg& At(size_t i, EventArg::Type type) const {
        const EventArg& a = Get(i);
        if (a.type != type || (a.byRef && !a.ref)) throw BadArguments{};
        return a;
    }
    [[nodiscard]] const EventArg& Ref(size_t i, EventArg::Type type) const {
        const EventArg& a = At(i, type);
        if (!a.byRef) throw BadArguments{};
        return a;
    }
    template <class T>
    [[nodiscard]] static T* Ptr(const EventArg& a) {
        return static_cast<T*>(a.ref);
    }

    std::span<EventArg> args_;
};

struct EventEntry {
    int32_t dispId;
    const char* name;
    size_t argCount;
    bool (*assigned)(const TWebControl&);
    void (*call)(TWebControl&, const EventArgs&);
};

#define PB_EVENT(id, field, count, ...)                                                  \
    EventEntry {                                                                         \
        platform::id, #field, count, [](const TWebControl& c) { return bool(c.field); }, \
            [](TWebControl& c, [[maybe_unused]] const EventArgs& a) {                    \
                c.field(&c __VA_OPT__(, ) __VA_ARGS__);                                  \
            }                                                                            \
    }

// The 34 browser events in slot order.
const std::array<EventEntry, 34> kEvents = {
    PB_EVENT(DISPID_STATUSTEXTCHANGE, OnStatusTextChange, 1, a.Str(0)),
    PB_EVENT(DISPID_PROGRESSCHANGE, OnProgressChange, 2, a.Int(0), a.Int(1)),
    PB_EVENT(DISPID_COMMANDSTATECHANGE, OnCommandStateChange, 2, a.Int(0), a.Bool(1)),
    PB_EVENT(DISPID_DOWNLOADBEGIN, OnDownloadBegin, 0),
    PB_EVENT(DISPID_DOWNLOADCOMPLETE, OnDownloadComplete, 0),
    PB_EVENT(DISPID_TITLECHANGE, OnTitleChange, 1, a.Str(0)),
    PB_EVENT(DISPID_PROPERTYCHANGE, OnPropertyChange, 1, a.Str(0)),
    PB_EVENT(DISPID_BEFORENAVIGATE2, OnBeforeNavigate2, 7, a.Obj(0), a.RefVar(1), a.RefVar(2),
             a.RefVar(3), a.RefVar(4), a.RefVar(5), a.RefBool(6)),
    PB_EVENT(DISPID_NEWWINDOW2, OnNewWindow2, 2, a.RefObj(0), a.RefBool(1)),
    PB_EVENT(DISPID_NAVIGATECOMPLETE2, OnNavigateComplete2, 2, a.Obj(0), a.RefVar(1)),
    PB_EVENT(DISPID_DOCUMENTCOMPLETE, OnDocumentComplete, 2, a.Obj(0), a.RefVar(1)),
    PB_EVENT(DISPID_ONQUIT, OnQuit, 0),
    PB_EVENT(DISPID_ONVISIBLE, OnVisible, 1, a.Bool(0)),
    PB_EVENT(DISPID_ONTOOLBAR, OnToolBar, 1, a.Bool(0)),
    PB_EVENT(DISPID_ONMENUBAR, OnMenuBar, 1, a.Bool(0)),
    PB_EVENT(DISPID_ONSTATUSBAR, OnStatusBar, 1, a.Bool(0)),
    PB_EVENT(DISPID_ONFULLSCREEN, OnFullScreen, 1, a.Bool(0)),
    PB_EVENT(DISPID_ONTHEATERMODE, OnTheaterMode, 1, a.Bool(0)),
    PB_EVENT(DISPID_ONADDRESSBAR, OnAddressBar, 1, a.Bool(0)),
    PB_EVENT(DISPID_WINDOWSETRESIZABLE, OnWindowSetResizable, 1, a.Bool(0)),
    PB_EVENT(DISPID_WINDOWSETLEFT, OnWindowSetLeft, 1, a.Int(0)),
    PB_EVENT(DISPID_WINDOWSETTOP, OnWindowSetTop, 1, a.Int(0)),
    PB_EVENT(DISPID_WINDOWSETWIDTH, OnWindowSetWidth, 1, a.Int(0)),
    PB_EVENT(DISPID_WINDOWSETHEIGHT, OnWindowSetHeight, 1, a.Int(0)),
    PB_EVENT(DISPID_WINDOWCLOSING, OnWindowClosing, 2, a.Bool(0), a.RefBool(1)),
    PB_EVENT(DISPID_CLIENTTOHOSTWINDOW, OnClientToHostWindow, 2, a.RefInt(0), a.RefInt(1)),
    PB_EVENT(DISPID_SETSECURELOCKICON, OnSetSecureLockIcon, 1, a.Int(0)),
    PB_EVENT(DISPID_FILEDOWNLOAD, OnFileDownload, 1, a.RefBool(0)),
    PB_EVENT(DISPID_NAVIGATEERROR, OnNavigateError, 5, a.Obj(0), a.RefVar(1), a.RefVar(2),
             a.RefVar(3), a.RefBool(4)),
    PB_EVENT(DISPID_PRINTTEMPLATEINSTANTIATION, OnPrintTemplateInstantiation, 1, a.Obj(0)),
    PB_EVENT(DISPID_PRINTTEMPLATETEARDOWN, OnPrintTemplateTeardown, 1, a.Obj(0)),
    PB_EVENT(DISPID_UPDATEPAGESTATUS, OnUpdatePageStatus, 3, a.Obj(0), a.RefVar(1), a.RefVar(2)),
    PB_EVENT(DISPID_PRIVACYIMPACTEDSTATECHANGE, OnPrivacyImpactedStateChange, 1, a.Bool(0)),
    PB_EVENT(DISPID_NEWWINDOW3, OnNewWindow3, 5, a.RefObj(0), a.RefBool(1), a.UInt(2), a.Str(3),
             a.Str(4)),
};
#undef PB_EVENT

const std::array<int32_t, 34>& EventDispIds() {
    static const std::array<int32_t, 34> ids = [] {
        std::array<int32_t, 34> out{};
        for (size_t i = 0; i < kEvents.size(); ++i) out[i] = kEvents[i].dispId;
        return out;
    }();
    return ids;
}

// Stock control events.
constexpr int32_t DISPID_CLICK = -600;
constexpr int32_t DISPID_DBLCLICK = -601;
constexpr int32_t DISPID_KEYDOWN = -602;
constexpr int32_t DISPID_KEYPRESS = -603;
constexpr int32_t DISPID_KEYUP = -604;
constexpr int32_t DISPID_MOUSEDOWN = -605;
constexpr int32_t DISPID_MOUSEMOVE = -606;
constexpr int32_t DISPID_MOUSEUP = -607;

void ReportHandlerError(const std::exception& e) { Application().HandleException(e); }

}  // namespace

// ---- Class description and event table ----

const TWebControlDescription& TWebControl::ControlDescription() {
    static const TWebControlDescription description{platform::kWebBrowserClassId,
                                                    platform::kWebBrowserEventsId,
                                                    34,
                                                    EventDispIds().data(),
                                                    0,
                                                    401};
    return description;
}

int TWebControl::EventSlot(int32_t dispId) {
    for (size_t i = 0; i < kEvents.size(); ++i)
        if (kEvents[i].dispId == dispId) return static_cast<int>(i);
    return -1;
}

const char* TWebControl::EventName(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= kEvents.size()) return nullptr;
    return kEvents[static_cast<size_t>(slot)].name;
}

// ---- Life ----

TWebControl::TWebControl(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 300, 150);
    if (!platform::HasWebEngine()) throw EOleResultError(platform::kREGDB_E_CLASSNOTREG);
    if (!WebControlStart::Held()) {
        MakeControlObject();
        return;
    }
    waiting_ = true;
    WebControlStart::Queue(*this, WebControlStart::CallKind::Step, [this] {
        waiting_ = false;
        try {
            MakeControlObject();
        } catch (...) {
            // What was asked of the control cannot be done: only this error is shown.
            WebControlStart::Forget(*this);
            throw;
        }
    });
}

void TWebControl::MakeControlObject() {
    control_ = platform::CurrentWebEngine().CreateControl(ControlDescription().ClassId);
    if (!control_) throw EOleResultError(platform::kREGDB_E_CLASSNOTREG);
}

TWebControl::~TWebControl() {
    liveness_.End();
    WebControlStart::Forget(*this);
    // The view leaves its window before the control closes; events stop with the sink.
    if (HasNativeView()) RemoveNativeView();
    if (control_) {
        control_->Advise(nullptr);
        control_->SetClientSite(nullptr);
        control_->Close();
    }
    automation_ = nullptr;
}

void TWebControl::SetControlData(const std::vector<uint8_t>& data) {
    controlData_ = data;
    hasControlData_ = true;
}

void TWebControl::SetUpControl() {
    if (waiting_) {
        if (!setUpQueued_)
            WebControlStart::Queue(*this, WebControlStart::CallKind::Step,
                                   [this] { SetUpControl(); });
        setUpQueued_ = true;
        return;
    }
    setUpQueued_ = false;
    if (setUp_ || !control_) return;
    setUp_ = true;
    control_->SetClientSite(HostSite());
    control_->LoadState(hasControlData_ ? &controlData_ : nullptr);
    controlData_.clear();
    controlData_.shrink_to_fit();
    hasControlData_ = false;
    control_->Advise(this);
    control_->AmbientPropertyChanged(platform::DISPID_UNKNOWN);
    if (void* widget = control_->NativeWidget()) HostNativeView(widget);
}

void TWebControl::Loaded() {
    TWinControl::Loaded();
    SetUpControl();
}

void TWebControl::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    if (parent && !IsLoading()) SetUpControl();
}

void TWebControl::SetFocus() {
    TWinControl::SetFocus();
    if (platform::NativeView* view = NativeView()) view->Focus();
}

// ---- Operations ----

void TWebControl::WhenControlMade(std::function<void()> call) {
    if (waiting_)
        WebControlStart::Queue(*this, WebControlStart::CallKind::Step, std::move(call));
    else
        call();
}

platform::WebBrowserAutomation& TWebControl::DefaultInterface() {
    if (!automation_) {
        // The caller needs the engine's answer: it comes up now.
        if (waiting_) WebControlStart::Start();
        SetUpControl();
        automation_ = control_ ? control_->QueryBrowser() : nullptr;
        if (!automation_) throw EIntfCastError("Interface not supported");
    }
    return *automation_;
}

void TWebControl::Navigate(const WideString& URL) {
    const OleVariant missing = OleVariant::MissingValue();
    Navigate(URL, missing, missing, missing, missing);
}

void TWebControl::Navigate(const WideString& URL, const OleVariant& Flags,
                           const OleVariant& TargetFrameName, const OleVariant& PostData,
                           const OleVariant& Headers) {
    if (waiting_) {
        // Run in order once the control exists; a failure is then shown as a handler's is.
        WebControlStart::Queue(*this, WebControlStart::CallKind::Request,
                               [this, URL, Flags, TargetFrameName, PostData, Headers] {
                                   Navigate(URL, Flags, TargetFrameName, PostData, Headers);
                               });
        return;
    }
    OleCheck(DefaultInterface().Navigate(URL, Flags, TargetFrameName, PostData, Headers));
}

void TWebControl::ExecWB(int32_t cmdID, int32_t cmdexecopt, OleVariant& vaIn) {
    OleVariant out;
    ExecWB(cmdID, cmdexecopt, vaIn, out);
}

void TWebControl::ExecWB(int32_t cmdID, int32_t cmdexecopt, OleVariant& vaIn, OleVariant& vaOut) {
    OleCheck(DefaultInterface().ExecWB(cmdID, cmdexecopt, &vaIn, &vaOut));
}

// ---- Properties ----

bool TWebControl::GetBoolProperty(int32_t dispId) {
    OleVariant value;
    OleCheck(DefaultInterface().GetProperty(dispId, value));
    if (value.type == OleVariant::Type::Bool) return value.boolValue != 0;
    if (value.type == OleVariant::Type::Int32) return value.intValue != 0;
    throw EOleResultError(platform::kDISP_E_TYPEMISMATCH);
}

void TWebControl::SetBoolProperty(int32_t dispId, bool value) {
    PutProperty(dispId, OleVariant::FromBool(value));
}

void TWebControl::PutProperty(int32_t dispId, const OleVariant& value) {
    if (waiting_) {
        WebControlStart::Queue(*this, WebControlStart::CallKind::Request,
                               [this, dispId, value] { PutProperty(dispId, value); });
        return;
    }
    OleCheck(DefaultInterface().PutProperty(dispId, value));
}

bool TWebControl::BrowserVisible() { return GetBoolProperty(platform::DISPID_PROP_VISIBLE); }
void TWebControl::SetBrowserVisible(bool v) { SetBoolProperty(platform::DISPID_PROP_VISIBLE, v); }
bool TWebControl::StatusBar() { return GetBoolProperty(platform::DISPID_PROP_STATUSBAR); }
void TWebControl::SetStatusBar(bool v) { SetBoolProperty(platform::DISPID_PROP_STATUSBAR, v); }
bool TWebControl::MenuBar() { return GetBoolProperty(platform::DISPID_PROP_MENUBAR); }
void TWebControl::SetMenuBar(bool v) { SetBoolProperty(platform::DISPID_PROP_MENUBAR, v); }
bool TWebControl::FullScreen() { return GetBoolProperty(platform::DISPID_PROP_FULLSCREEN); }
void TWebControl::SetFullScreen(bool v) { SetBoolProperty(platform::DISPID_PROP_FULLSCREEN, v); }
bool TWebControl::Offline() { return GetBoolProperty(platform::DISPID_PROP_OFFLINE); }
void TWebControl::SetOffline(bool v) { SetBoolProperty(platform::DISPID_PROP_OFFLINE, v); }
bool TWebControl::Silent() { return GetBoolProperty(platform::DISPID_PROP_SILENT); }
void TWebControl::SetSilent(bool v) { SetBoolProperty(platform::DISPID_PROP_SILENT, v); }
bool TWebControl::RegisterAsBrowser() {
    return GetBoolProperty(platform::DISPID_PROP_REGISTERASBROWSER);
}
void TWebControl::SetRegisterAsBrowser(bool v) {
    SetBoolProperty(platform::DISPID_PROP_REGISTERASBROWSER, v);
}
bool TWebControl::RegisterAsDropTarget() {
    return GetBoolProperty(platform::DISPID_PROP_REGISTERASDROPTARGET);
}
void TWebControl::SetRegisterAsDropTarget(bool v) {
    SetBoolProperty(platform::DISPID_PROP_REGISTERASDROPTARGET, v);
}
bool TWebControl::TheaterMode() { return GetBoolProperty(platform::DISPID_PROP_THEATERMODE); }
void TWebControl::SetTheaterMode(bool v) { SetBoolProperty(platform::DISPID_PROP_THEATERMODE, v); }
bool TWebControl::AddressBar() { return GetBoolProperty(platform::DISPID_PROP_ADDRESSBAR); }
void TWebControl::SetAddressBar(bool v) { SetBoolProperty(platform::DISPID_PROP_ADDRESSBAR, v); }
bool TWebControl::Resizable() { return GetBoolProperty(platform::DISPID_PROP_RESIZABLE); }
void TWebControl::SetResizable(bool v) { SetBoolProperty(platform::DISPID_PROP_RESIZABLE, v); }

WideString TWebControl::StatusText() {
    OleVariant value;
    OleCheck(DefaultInterface().GetProperty(platform::DISPID_PROP_STATUSTEXT, value));
    if (value.type != OleVariant::Type::String)
        throw EOleResultError(platform::kDISP_E_TYPEMISMATCH);
    return value.text;
}

void TWebControl::SetStatusText(const WideString& value) {
    PutProperty(platform::DISPID_PROP_STATUSTEXT, OleVariant::FromString(value));
}

int32_t TWebControl::ToolBar() {
    OleVariant value;
    OleCheck(DefaultInterface().GetProperty(platform::DISPID_PROP_TOOLBAR, value));
    if (value.type == OleVariant::Type::Int32) return value.intValue;
    if (value.type == OleVariant::Type::Bool) return value.boolValue != 0 ? 1 : 0;
    throw EOleResultError(platform::kDISP_E_TYPEMISMATCH);
}

void TWebControl::SetToolBar(int32_t value) {
    PutProperty(platform::DISPID_PROP_TOOLBAR, OleVariant::FromInt(value));
}

// ---- Event sink ----

int TWebControl::AddEventObserver(TEventObserver observer) {
    const int id = nextObserver_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void TWebControl::RemoveEventObserver(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

HResult TWebControl::Invoke(int32_t dispId, std::span<EventArg> reversedArgs) {
    const TLivenessWatch alive = liveness_.Watch();
    try {
        if (dispId >= platform::kFirstStockEventDispId &&
            dispId <= platform::kLastStockEventDispId) {
            StockEvent(dispId, reversedArgs);
            return platform::kS_OK;
        }
        const int slot = EventSlot(dispId);
        if (slot < 0) return platform::kS_OK;
        const EventEntry& entry = kEvents[static_cast<size_t>(slot)];
        if (entry.assigned(*this)) {
            const EventArgs args(reversedArgs, entry.argCount);
            entry.call(*this, args);
            if (!alive.Alive()) return platform::kS_OK;  // the handler freed the control
        }
        if (!observers_.empty()) {
            const auto observers = observers_;  // an observer may remove itself
            for (const auto& [id, observe] : observers) {
                observe(*this, dispId, reversedArgs);
                if (!alive.Alive()) return platform::kS_OK;
            }
        }
    } catch (const BadArguments&) {
        // A malformed call: no handler ran; the control carries on.
    } catch (const std::exception& e) {
        ReportHandlerError(e);
    } catch (...) {
        ReportHandlerError(Exception("Unknown error in a browser event handler"));
    }
    return platform::kS_OK;
}

void TWebControl::StockEvent(int32_t dispId, std::span<EventArg> reversedArgs) {
    // Arguments: click/dblclick none; keydown/keyup (by ref KeyCode, Shift); keypress (by
    // ref KeyAscii); mouse down/move/up (Button, Shift, X, Y).
    auto shiftOf = [](int32_t s) {
        TShiftState shift = 0;
        if (s & 1) shift |= ssShift;
        if (s & 2) shift |= ssCtrl;
        if (s & 4) shift |= ssAlt;
        return shift;
    };
    switch (dispId) {
        case DISPID_CLICK:
            if (OnClick) OnClick(this);
            break;
        case DISPID_DBLCLICK:
            if (OnDblClick) OnDblClick(this);
            break;
        case DISPID_KEYDOWN:
        case DISPID_KEYUP: {
            const EventArgs a(reversedArgs, 2);
            int32_t& keyCode = a.RefInt(0);
            uint16_t key = static_cast<uint16_t>(keyCode);
            const TKeyEvent& handler = dispId == DISPID_KEYDOWN ? OnKeyDown : OnKeyUp;
            if (handler) handler(this, key, shiftOf(a.Int(1)));
            keyCode = key;
            break;
        }
        case DISPID_KEYPRESS: {
            const EventArgs a(reversedArgs, 1);
            int32_t& keyAscii = a.RefInt(0);
            uint32_t key = static_cast<uint32_t>(keyAscii);
            if (OnKeyPress) OnKeyPress(this, key);
            keyAscii = static_cast<int32_t>(key);
            break;
        }
        case DISPID_MOUSEDOWN:
        case DISPID_MOUSEUP:
        case DISPID_MOUSEMOVE: {
            const EventArgs a(reversedArgs, 4);
            const int32_t button = a.Int(0);
            const TShiftState shift = shiftOf(a.Int(1));
            const int x = a.Int(2), y = a.Int(3);
            const TMouseButton mb = button & 2 ? mbRight : button & 4 ? mbMiddle : mbLeft;
            if (dispId == DISPID_MOUSEMOVE) {
                if (OnMouseMove) OnMouseMove(this, shift, x, y);
            } else {
                const TMouseEvent& handler = dispId == DISPID_MOUSEDOWN ? OnMouseDown : OnMouseUp;
                if (handler) handler(this, mb, shift, x, y);
            }
            break;
        }
        default:
            break;
    }
}
