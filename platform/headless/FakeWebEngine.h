// A web engine for tests: control objects that load nothing and draw nothing, record every
// call made on them, and raise whatever event a test asks for, with whatever arguments,
// exactly as a real engine calls its sink (arguments last first, by-reference arguments
// pointing at the fake's own variables, which the test reads back afterwards).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/LaunchPolicy.h"
#include "platform/WebEngine.h"
#include "platform/WebHost.h"

namespace platform {

class FakeWebEngine;

// One recorded Navigate call.
struct FakeNavigation {
    class FakeWebControl* control = nullptr;
    WideString url;
    Variant flags;
    Variant targetFrameName;
    Variant postData;
    Variant headers;
    HResult result = kS_OK;
};

struct FakeExecCall {
    int32_t commandId = 0;
    int32_t execOption = 0;
    Variant in;
};

// The document's command target as a real control hands it to the context-menu callback:
// it gives copies of the menus a test set, and records the menus tracked and the commands
// sent.
class FakeCommandTarget : public WebCommandTarget {
public:
    HResult QueryStatus(const char* group, uint32_t command, uint32_t& state) override;
    HResult Exec(const char* group, uint32_t command, uint32_t option, const Variant* in,
                 Variant* out) override;
    std::unique_ptr<WebContextMenu> LoadMenu(uint32_t kind) override;
    uint32_t TrackMenu(const WebContextMenu& menu, TPoint screenPoint) override;
    void SendMenuCommand(uint32_t command) override { sentCommands.push_back(command); }

    // The control's menus by kind (none: LoadMenu gives nullptr).
    std::map<uint32_t, WebContextMenu> menus;
    // What TrackMenu answers.
    uint32_t choice = 0;
    // Commands QueryStatus reports as not supported.
    std::vector<uint32_t> unsupported;
    std::vector<WebContextMenu> trackedMenus;
    std::vector<TPoint> trackedAt;
    std::vector<uint32_t> sentCommands;
};

// A dialog box of the control, recording what the host does with it.
class FakeWebDialog : public WebDialog {
public:
    FakeWebDialog(std::string className, std::string caption)
        : className_(std::move(className)), caption_(std::move(caption)) {}
    std::string ClassName() const override { return className_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override {
        caption_ = caption;
        ++captionSets;
    }
    void UseApplicationIcon() override { applicationIcon = true; }
    void RequestClose() override { ++closeRequests; }
    void PostClick() override { ++clicks; }
    void Destroy() override { destroyed = true; }

    bool applicationIcon = false;
    int captionSets = 0;
    int closeRequests = 0;
    int clicks = 0;
    bool destroyed = false;

private:
    std::string className_;
    std::string caption_;
};

// A page's script dialog as the fake raised it (RaiseScriptDialog), and how it ended.
struct FakeScriptDialog {
    WebDialogKind kind = WebDialogKind::Alert;
    // The host answered it through ShowMessage (S_OK).
    bool answeredByHostMessage = false;
    // The host's window for it; none: the engine's own dialog would show.
    std::unique_ptr<WebDialogFace> face;
    bool answered = false;
    bool accepted = false;
    std::string text;  // the prompt's answer
};

class FakeDataObject : public WebDataObject {
public:
    explicit FakeDataObject(std::vector<std::string> formats) : formats_(std::move(formats)) {}
    std::vector<std::string> Formats() const override { return formats_; }

private:
    std::vector<std::string> formats_;
};

// The control's own drop target: counts the calls.
class FakeDropTarget : public WebDropTarget {
public:
    HResult DragEnter(WebDataObject*, uint32_t, TPoint, uint32_t&) override {
        return ++calls, kS_OK;
    }
    HResult DragOver(uint32_t, TPoint, uint32_t&) override { return ++calls, kS_OK; }
    HResult DragLeave() override { return ++calls, kS_OK; }
    HResult Drop(WebDataObject*, uint32_t, TPoint, uint32_t&) override { return ++calls, kS_OK; }
    int calls = 0;
};

class FakeWebControl : public WebControlObject, public WebBrowserAutomation, public WebObject {
public:
    FakeWebControl(FakeWebEngine& engine, std::string classId);
    ~FakeWebControl() override;

    // ---- WebControlObject ----
    HResult LoadState(const std::vector<uint8_t>* state) override;
    void Advise(WebEventSink* sink) override { sink_ = sink; }
    WebBrowserAutomation* QueryBrowser() override { return offersAutomation_ ? this : nullptr; }
    WebObject* BrowserObject() override { return this; }
    void* NativeWidget() override { return this; }
    void Close() override;
    void SetClientSite(WebHostSite* site) override { site_ = site; }
    void AmbientPropertyChanged(int32_t dispId) override { ambientChanges_.push_back(dispId); }
    bool HasDocumentWindow() const override { return documentWindow_; }
    void SetDocumentDropTarget(WebDropTarget* target) override;
    void SetPrintSetup(const WebPrintSetup* setup) override;

    // ---- WebBrowserAutomation ----
    HResult Navigate(const WideString& url, const Variant& flags, const Variant& targetFrameName,
                     const Variant& postData, const Variant& headers) override;
    HResult ExecWB(int32_t commandId, int32_t execOption, Variant* in, Variant* out) override;
    HResult GetProperty(int32_t dispId, Variant& value) override {
        return properties_.Get(dispId, value);
    }
    HResult PutProperty(int32_t dispId, const Variant& value) override {
        return properties_.Put(dispId, value);
    }

    // ---- Test control ----
    // Whether the object hands out its automation interface (default true).
    void SetOffersAutomation(bool offers) { offersAutomation_ = offers; }
    // The next navigations fail with this code (kS_OK: they succeed again).
    void FailNavigations(HResult code) { navigateResult_ = code; }
    // The result ExecWB gives (and the value it writes into `out`).
    void SetExecResult(HResult code, Variant out = {}) {
        execResult_ = code;
        execOut_ = std::move(out);
    }

    // Raises an event; arguments in declared order. Returns what the sink answered
    // (kE_UNEXPECTED when no sink is connected).
    HResult Raise(int32_t dispId, std::initializer_list<EventArg> declaredArgs);
    // A page asking for a new window; the shared new-window flow (OnNewWindow2, then
    // OnNewWindow3, the control's launch policy when nobody cancels).
    NewWindowOutcome RaiseNewWindow(uint32_t flags, const WideString& urlContext,
                                    const WideString& url);
    // A click or key press of the user in the pane, as a real engine feeds it to its
    // launch policy.
    void UserGesture() { launches_.UserGesture(); }
    [[nodiscard]] const LaunchPolicy& Launches() const { return launches_; }
    // A navigation as a page would start it: OnBeforeNavigate2 with the URL, flags 0, no
    // target, no post data and no headers. Returns the Cancel value read back.
    VariantBool RaiseBeforeNavigate(const WideString& url);
    // The events of a load that succeeds: OnNavigateComplete2 then OnDocumentComplete.
    void CompleteLoad(const WideString& url);
    // A page's alert, confirm, prompt or leave-page question as the real engine raises it:
    // all but the prompt go to the site's ShowMessage first; what the site leaves is shown
    // in the site's dialog face when it makes one (and shown at once). The record lives
    // until the control does.
    FakeScriptDialog& RaiseScriptDialog(WebDialogKind kind, const std::string& message,
                                        const std::string& defaultText = "");
    [[nodiscard]] const std::vector<std::unique_ptr<FakeScriptDialog>>& ScriptDialogs() const {
        return scriptDialogs_;
    }

    // ---- The host, seen as the control sees it ----
    [[nodiscard]] WebHostSite* Site() const { return site_; }
    // Reads an ambient property through the site's dispatch (Type::Empty when it fails).
    [[nodiscard]] Variant ReadAmbient(int32_t dispId) const;
    // The ambient-change notifications received, in order.
    [[nodiscard]] const std::vector<int32_t>& AmbientChanges() const { return ambientChanges_; }
    // Whether a document window exists (CompleteLoad makes one).
    void SetDocumentWindow(bool exists) { documentWindow_ = exists; }
    [[nodiscard]] WebDropTarget* DocumentDropTarget() const { return documentDropTarget_; }
    [[nodiscard]] int DropTargetRegistrations() const { return dropTargetRegistrations_; }
    [[nodiscard]] FakeDropTarget& OwnDropTarget() { return ownDropTarget_; }
    [[nodiscard]] const std::optional<WebPrintSetup>& PrintSetup() const { return printSetup_; }
    // The encoding submenu ExecWB(kEncodingMenuCommand) hands out in its input value.
    WebContextMenu EncodingMenu;

    [[nodiscard]] const std::string& ClassId() const { return classId_; }
    [[nodiscard]] bool StateLoaded() const { return stateLoaded_; }
    [[nodiscard]] const std::optional<std::vector<uint8_t>>& LoadedState() const {
        return loadedState_;
    }
    [[nodiscard]] int LoadStateCalls() const { return loadStateCalls_; }
    [[nodiscard]] bool Closed() const { return closed_; }
    [[nodiscard]] WebEventSink* Sink() const { return sink_; }
    [[nodiscard]] const std::vector<FakeNavigation>& Navigations() const { return navigations_; }
    [[nodiscard]] const std::vector<FakeExecCall>& ExecCalls() const { return execCalls_; }

private:
    friend class FakeWebEngine;
    FakeWebEngine* engine_;  // nullptr once the engine is gone
    std::string classId_;
    WebEventSink* sink_ = nullptr;
    WebHostSite* site_ = nullptr;
    std::vector<int32_t> ambientChanges_;
    bool documentWindow_ = false;
    WebDropTarget* documentDropTarget_ = nullptr;
    int dropTargetRegistrations_ = 0;
    FakeDropTarget ownDropTarget_;
    std::optional<WebPrintSetup> printSetup_;
    bool offersAutomation_ = true;
    HResult navigateResult_ = kS_OK;
    HResult execResult_ = kS_OK;
    Variant execOut_;
    bool stateLoaded_ = false;
    int loadStateCalls_ = 0;
    std::optional<std::vector<uint8_t>> loadedState_;
    bool closed_ = false;
    WebPropertyStore properties_;
    LaunchPolicy launches_;
    std::vector<FakeNavigation> navigations_;
    std::vector<FakeExecCall> execCalls_;
    std::vector<std::unique_ptr<FakeScriptDialog>> scriptDialogs_;
};

class FakeWebEngine : public WebEngine {
public:
    FakeWebEngine() = default;
    ~FakeWebEngine() override;
    [[nodiscard]] std::string Name() const override { return "fake"; }
    // Creates controls of the web-browser class only; other classes are unknown.
    std::unique_ptr<WebControlObject> CreateControl(const std::string& classId) override;
    void SetUserAgentTokens(const std::vector<std::string>& tokens) override {
        userAgentTokens_ = tokens;
    }
    bool SetProxy(const WebProxySettings* proxy) override;

    // The tokens last given, and the user agent a control would send with them.
    [[nodiscard]] const std::vector<std::string>& UserAgentTokens() const {
        return userAgentTokens_;
    }
    [[nodiscard]] std::string UserAgent() const;
    static constexpr const char* kBaseUserAgent =
        "Mozilla/5.0 (X11; Linux x86_64) FakeWebEngine/1.0";
    // The proxy last set (nullopt: the user's own), and how many times it was set (a
    // server ProxyServerUri refuses is refused, as WebKit does, and changes nothing).
    [[nodiscard]] const std::optional<WebProxySettings>& Proxy() const { return proxy_; }
    [[nodiscard]] int ProxyChanges() const { return proxyChanges_; }

    // Live controls in creation order.
    [[nodiscard]] const std::vector<FakeWebControl*>& Controls() const { return controls_; }
    // Every navigation of every control, in the order they were asked for (a record's
    // control pointer is only valid while that control lives).
    [[nodiscard]] const std::vector<FakeNavigation>& Navigations() const { return navigations_; }
    // Runs before each control is handed out (to make it fail or hide its interface).
    std::function<void(FakeWebControl&)> OnCreateControl;
    // CreateControl answers nullptr (the class cannot be created) while set.
    bool RefuseCreation = false;

private:
    friend class FakeWebControl;
    std::vector<FakeWebControl*> controls_;
    std::vector<FakeNavigation> navigations_;
    std::vector<std::string> userAgentTokens_;
    std::optional<WebProxySettings> proxy_;
    int proxyChanges_ = 0;
};

// Installs a fresh fake engine as the current one and returns it.
FakeWebEngine& InstallFakeWebEngine();

}  // namespace platform
