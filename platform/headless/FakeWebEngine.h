// A web engine for tests: control objects that load nothing and draw nothing, record every
// call made on them, and raise whatever event a test asks for, with whatever arguments,
// exactly as a real engine calls its sink (arguments last first, by-reference arguments
// pointing at the fake's own variables, which the test reads back afterwards).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WebEngine.h"

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

    // ---- WebBrowserAutomation ----
    HResult Navigate(const WideString& url, const Variant& flags, const Variant& targetFrameName,
                     const Variant& postData, const Variant& headers) override;
    HResult ExecWB(int32_t commandId, int32_t execOption, Variant* in, Variant* out) override;
    HResult GetProperty(int32_t dispId, Variant& value) override { return properties_.Get(dispId, value); }
    HResult PutProperty(int32_t dispId, const Variant& value) override { return properties_.Put(dispId, value); }

    // ---- Test control ----
    // Whether the object hands out its automation interface (default true).
    void SetOffersAutomation(bool offers) { offersAutomation_ = offers; }
    // The next navigations fail with this code (kS_OK: they succeed again).
    void FailNavigations(HResult code) { navigateResult_ = code; }
    // The result ExecWB gives (and the value it writes into `out`).
    void SetExecResult(HResult code, Variant out = {}) { execResult_ = code; execOut_ = std::move(out); }

    // Raises an event; arguments in declared order. Returns what the sink answered
    // (kE_UNEXPECTED when no sink is connected).
    HResult Raise(int32_t dispId, std::initializer_list<EventArg> declaredArgs);
    // A page asking for a new window; the shared new-window flow (OnNewWindow2, then
    // OnNewWindow3, the default browser when nobody cancels).
    NewWindowOutcome RaiseNewWindow(uint32_t flags, const WideString& urlContext, const WideString& url);
    // A navigation as a page would start it: OnBeforeNavigate2 with the URL, flags 0, no
    // target, no post data and no headers. Returns the Cancel value read back.
    VariantBool RaiseBeforeNavigate(const WideString& url);
    // The events of a load that succeeds: OnNavigateComplete2 then OnDocumentComplete.
    void CompleteLoad(const WideString& url);

    [[nodiscard]] const std::string& ClassId() const { return classId_; }
    [[nodiscard]] bool StateLoaded() const { return stateLoaded_; }
    [[nodiscard]] const std::optional<std::vector<uint8_t>>& LoadedState() const { return loadedState_; }
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
    bool offersAutomation_ = true;
    HResult navigateResult_ = kS_OK;
    HResult execResult_ = kS_OK;
    Variant execOut_;
    bool stateLoaded_ = false;
    int loadStateCalls_ = 0;
    std::optional<std::vector<uint8_t>> loadedState_;
    bool closed_ = false;
    WebPropertyStore properties_;
    std::vector<FakeNavigation> navigations_;
    std::vector<FakeExecCall> execCalls_;
};

class FakeWebEngine : public WebEngine {
public:
    FakeWebEngine() = default;
    ~FakeWebEngine() override;
    [[nodiscard]] std::string Name() const override { return "fake"; }
    // Creates controls of the web-browser class only; other classes are unknown.
    std::unique_ptr<WebControlObject> CreateControl(const std::string& classId) override;

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
};

// Installs a fresh fake engine as the current one and returns it.
FakeWebEngine& InstallFakeWebEngine();

}  // namespace platform
