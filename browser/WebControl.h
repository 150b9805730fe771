// TWebControl: the platform web-browser control inside a window of the program. A typed
// wrapper over platform::WebControlObject (platform/WebEngine.h): it creates the control by
// class, sets it up with the stored ControlData block and its event sink, hosts its native
// view, and exposes navigation, command execution, the browser properties and the 34
// browser events as ordinary component events with typed arguments.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/Liveness.h"
#include "browser/BrowserErrors.h"
#include "platform/WebEngine.h"
#include "ui/Controls.h"

using platform::VariantBool;
using platform::WebObject;
using platform::WideString;
using OleVariant = platform::Variant;

// ---- Handler types, one per event (ASender first, then the arguments in declared order;
// references are the control's own variables, written back after the handler returns) ----
using TWebControlStatusTextChange =
    std::function<void(TComponent* ASender, const WideString& Text)>;
using TWebControlProgressChange =
    std::function<void(TComponent* ASender, int32_t Progress, int32_t ProgressMax)>;
using TWebControlCommandStateChange =
    std::function<void(TComponent* ASender, int32_t Command, VariantBool Enable)>;
using TWebControlTitleChange = std::function<void(TComponent* ASender, const WideString& Text)>;
using TWebControlPropertyChange =
    std::function<void(TComponent* ASender, const WideString& szProperty)>;
using TWebControlBeforeNavigate2 = std::function<void(
    TComponent* ASender, WebObject* pDisp, OleVariant& URL, OleVariant& Flags,
    OleVariant& TargetFrameName, OleVariant& PostData, OleVariant& Headers, VariantBool& Cancel)>;
using TWebControlNewWindow2 =
    std::function<void(TComponent* ASender, WebObject*& ppDisp, VariantBool& Cancel)>;
using TWebControlNavigateComplete2 =
    std::function<void(TComponent* ASender, WebObject* pDisp, OleVariant& URL)>;
using TWebControlDocumentComplete =
    std::function<void(TComponent* ASender, WebObject* pDisp, OleVariant& URL)>;
using TWebControlOnVisible = std::function<void(TComponent* ASender, VariantBool Visible)>;
using TWebControlOnToolBar = std::function<void(TComponent* ASender, VariantBool ToolBar)>;
using TWebControlOnMenuBar = std::function<void(TComponent* ASender, VariantBool MenuBar)>;
using TWebControlOnStatusBar = std::function<void(TComponent* ASender, VariantBool StatusBar)>;
using TWebControlOnFullScreen = std::function<void(TComponent* ASender, VariantBool FullScreen)>;
using TWebControlOnTheaterMode = std::function<void(TComponent* ASender, VariantBool TheaterMode)>;
using TWebControlOnAddressBar = std::function<void(TComponent* ASender, VariantBool AddressBar)>;
using TWebControlWindowSetResizable =
    std::function<void(TComponent* ASender, VariantBool Resizable)>;
using TWebControlWindowSetLeft = std::function<void(TComponent* ASender, int32_t Left)>;
using TWebControlWindowSetTop = std::function<void(TComponent* ASender, int32_t Top)>;
using TWebControlWindowSetWidth = std::function<void(TComponent* ASender, int32_t Width)>;
using TWebControlWindowSetHeight = std::function<void(TComponent* ASender, int32_t Height)>;
using TWebControlWindowClosing =
    std::function<void(TComponent* ASender, VariantBool IsChildWindow, VariantBool& Cancel)>;
using TWebControlClientToHostWindow =
    std::function<void(TComponent* ASender, int32_t& CX, int32_t& CY)>;
using TWebControlSetSecureLockIcon =
    std::function<void(TComponent* ASender, int32_t SecureLockIcon)>;
using TWebControlFileDownload = std::function<void(TComponent* ASender, VariantBool& Cancel)>;
using TWebControlNavigateError =
    std::function<void(TComponent* ASender, WebObject* pDisp, OleVariant& URL, OleVariant& Frame,
                       OleVariant& StatusCode, VariantBool& Cancel)>;
using TWebControlPrintTemplateInstantiation =
    std::function<void(TComponent* ASender, WebObject* pDisp)>;
using TWebControlPrintTemplateTeardown = std::function<void(TComponent* ASender, WebObject* pDisp)>;
using TWebControlUpdatePageStatus = std::function<void(TComponent* ASender, WebObject* pDisp,
                                                       OleVariant& nPage, OleVariant& fDone)>;
using TWebControlPrivacyImpactedStateChange =
    std::function<void(TComponent* ASender, VariantBool bImpacted)>;
using TWebControlNewWindow3 = std::function<void(
    TComponent* ASender, WebObject*& ppDisp, VariantBool& Cancel, uint32_t dwFlags,
    const WideString& bstrUrlContext, const WideString& bstrUrl)>;

// What the wrapper tells the framework about the control class: one record per class.
struct TWebControlDescription {
    const char* ClassId;
    const char* EventIID;
    int EventCount;
    const int32_t* EventDispIDs;  // EventCount ids in event-slot order
    uint32_t Flags;
    int Version;
};

class TWebControl : public TWinControl, private platform::WebEventSink {
public:
    explicit TWebControl(TComponent* owner);
    ~TWebControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TWebControl"; }

    [[nodiscard]] static const TWebControlDescription& ControlDescription();
    // The event table: slot -> dispatch id / event name; dispatch id -> slot (-1: none).
    [[nodiscard]] static int EventSlot(int32_t dispId);
    [[nodiscard]] static const char* EventName(int slot);

    // ---- Operations ----
    // The browser's automation interface, looked up once and cached. Raises EIntfCastError
    // "Interface not supported" when the control does not offer it.
    platform::WebBrowserAutomation& DefaultInterface();
    // Starts a navigation with every optional argument missing. A failure code of the
    // control is raised as EOleSysError carrying it.
    void Navigate(const WideString& URL);
    void Navigate(const WideString& URL, const OleVariant& Flags, const OleVariant& TargetFrameName,
                  const OleVariant& PostData, const OleVariant& Headers);
    // Executes a command; vaIn may be filled by the control. The output value is dropped
    // unless the overload with vaOut is used.
    void ExecWB(int32_t cmdID, int32_t cmdexecopt, OleVariant& vaIn);
    void ExecWB(int32_t cmdID, int32_t cmdexecopt, OleVariant& vaIn, OleVariant& vaOut);

    // ---- Browser properties: read and written straight through the control ----
    // (The browser's own Visible is BrowserVisible: Visible() is the framework control's.)
    [[nodiscard]] bool BrowserVisible();
    void SetBrowserVisible(bool value);
    [[nodiscard]] bool StatusBar();
    void SetStatusBar(bool value);
    [[nodiscard]] WideString StatusText();
    void SetStatusText(const WideString& value);
    [[nodiscard]] int32_t ToolBar();
    void SetToolBar(int32_t value);
    [[nodiscard]] bool MenuBar();
    void SetMenuBar(bool value);
    [[nodiscard]] bool FullScreen();
    void SetFullScreen(bool value);
    [[nodiscard]] bool Offline();
    void SetOffline(bool value);
    [[nodiscard]] bool Silent();
    void SetSilent(bool value);
    [[nodiscard]] bool RegisterAsBrowser();
    void SetRegisterAsBrowser(bool value);
    [[nodiscard]] bool RegisterAsDropTarget();
    void SetRegisterAsDropTarget(bool value);
    [[nodiscard]] bool TheaterMode();
    void SetTheaterMode(bool value);
    [[nodiscard]] bool AddressBar();
    void SetAddressBar(bool value);
    [[nodiscard]] bool Resizable();
    void SetResizable(bool value);

    // ---- The control's persisted state ----
    // Kept until the control is set up, then handed to it and dropped.
    void SetControlData(const std::vector<uint8_t>& data);
    [[nodiscard]] const std::vector<uint8_t>& ControlData() const { return controlData_; }
    [[nodiscard]] bool HasControlData() const { return hasControlData_; }
    // Sets the control up now if it is not yet (also happens at end of loading and on
    // first use): state, event sink, native view. While the control waits for the engine
    // the set-up is queued, and the control counts as set up.
    void SetUpControl();
    [[nodiscard]] bool ControlSetUp() const { return setUp_ || setUpQueued_; }
    // The engine's object (tests reach the fake engine's control through it); nullptr while
    // the control waits for the engine.
    [[nodiscard]] platform::WebControlObject* ControlObject() const { return control_.get(); }
    // Whether the engine has still to make the control's object: its start is held
    // (browser/WebControlStart.h) and what is asked of the control meanwhile is queued.
    [[nodiscard]] bool WaitingForEngine() const { return waiting_; }

    // ---- Events, in slot order ----
    TWebControlStatusTextChange OnStatusTextChange;
    TWebControlProgressChange OnProgressChange;
    TWebControlCommandStateChange OnCommandStateChange;
    TNotifyEvent OnDownloadBegin;
    TNotifyEvent OnDownloadComplete;
    TWebControlTitleChange OnTitleChange;
    TWebControlPropertyChange OnPropertyChange;
    TWebControlBeforeNavigate2 OnBeforeNavigate2;
    TWebControlNewWindow2 OnNewWindow2;
    TWebControlNavigateComplete2 OnNavigateComplete2;
    TWebControlDocumentComplete OnDocumentComplete;
    TNotifyEvent OnQuit;
    TWebControlOnVisible OnVisible;
    TWebControlOnToolBar OnToolBar;
    TWebControlOnMenuBar OnMenuBar;
    TWebControlOnStatusBar OnStatusBar;
    TWebControlOnFullScreen OnFullScreen;
    TWebControlOnTheaterMode OnTheaterMode;
    TWebControlOnAddressBar OnAddressBar;
    TWebControlWindowSetResizable OnWindowSetResizable;
    TWebControlWindowSetLeft OnWindowSetLeft;
    TWebControlWindowSetTop OnWindowSetTop;
    TWebControlWindowSetWidth OnWindowSetWidth;
    TWebControlWindowSetHeight OnWindowSetHeight;
    TWebControlWindowClosing OnWindowClosing;
    TWebControlClientToHostWindow OnClientToHostWindow;
    TWebControlSetSecureLockIcon OnSetSecureLockIcon;
    TWebControlFileDownload OnFileDownload;
    TWebControlNavigateError OnNavigateError;
    TWebControlPrintTemplateInstantiation OnPrintTemplateInstantiation;
    TWebControlPrintTemplateTeardown OnPrintTemplateTeardown;
    TWebControlUpdatePageStatus OnUpdatePageStatus;
    TWebControlPrivacyImpactedStateChange OnPrivacyImpactedStateChange;
    TWebControlNewWindow3 OnNewWindow3;

    void Loaded() override;
    void SetParent(TWinControl* parent) override;
    void SetFocus() override;

    // Watchers of the browser events: each is told of every event after the control's own
    // handling (whether a handler is assigned or not) and never changes what it does.
    using TEventObserver = std::function<void(TWebControl& sender, int32_t dispId,
                                              std::span<const platform::EventArg> reversedArgs)>;
    // Returns an id for RemoveEventObserver.
    int AddEventObserver(TEventObserver observer);
    void RemoveEventObserver(int id);

    // The event sink's entry (what the control calls). Public so engines and tests can see
    // it through the interface; always answers kS_OK. A handler or watcher may free the
    // control: nothing of it is touched afterwards (no further watcher is told).
    platform::HResult Invoke(int32_t dispId, std::span<platform::EventArg> reversedArgs) override;

    // Reports whether the control still exists after a call that may have freed it.
    [[nodiscard]] TLivenessWatch LivenessWatch() const { return liveness_.Watch(); }

protected:
    // The host services given to the control at set-up (none for a plain TWebControl).
    virtual platform::WebHostSite* HostSite() { return nullptr; }
    // Stock mouse and key events (-607..-600) go to the framework's own handlers.
    virtual void StockEvent(int32_t dispId, std::span<platform::EventArg> reversedArgs);
    // Runs `call` now, or once the engine has made the control's object (queued in order
    // with the control's other waiting calls).
    void WhenControlMade(std::function<void()> call);

private:
    void MakeControlObject();
    [[nodiscard]] bool GetBoolProperty(int32_t dispId);
    void SetBoolProperty(int32_t dispId, bool value);
    void PutProperty(int32_t dispId, const OleVariant& value);

    std::unique_ptr<platform::WebControlObject> control_;
    platform::WebBrowserAutomation* automation_ = nullptr;  // cached default interface
    std::vector<uint8_t> controlData_;
    bool hasControlData_ = false;
    bool setUp_ = false;
    bool waiting_ = false;
    bool setUpQueued_ = false;
    std::vector<std::pair<int, TEventObserver>> observers_;
    int nextObserver_ = 1;

protected:
    // Ends when the control starts going (its destructor, or a derived one that ends it
    // first).
    TLiveness liveness_;
};
