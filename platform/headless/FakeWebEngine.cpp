#include "platform/headless/FakeWebEngine.h"

#include <algorithm>

namespace platform {

FakeWebControl::FakeWebControl(FakeWebEngine& engine, std::string classId)
    : engine_(&engine), classId_(std::move(classId)) {}

FakeWebControl::~FakeWebControl() {
    if (engine_) std::erase(engine_->controls_, this);
}

HResult FakeWebControl::LoadState(const std::vector<uint8_t>* state) {
    ++loadStateCalls_;
    stateLoaded_ = true;
    if (state) {
        loadedState_ = *state;
        // Like a real control, a block it cannot read leaves the fresh state.
        ApplyControlState(*state, properties_);
    } else {
        loadedState_.reset();
    }
    return kS_OK;
}

void FakeWebControl::Close() {
    closed_ = true;
    sink_ = nullptr;
}

HResult FakeWebControl::Navigate(const WideString& url, const Variant& flags, const Variant& targetFrameName,
                                 const Variant& postData, const Variant& headers) {
    FakeNavigation nav{this, url, flags, targetFrameName, postData, headers, navigateResult_};
    navigations_.push_back(nav);
    if (engine_) engine_->navigations_.push_back(nav);
    return navigateResult_;
}

HResult FakeWebControl::ExecWB(int32_t commandId, int32_t execOption, Variant* in, Variant* out) {
    execCalls_.push_back({commandId, execOption, in ? *in : Variant{}});
    if (out && !Failed(execResult_)) *out = execOut_;
    return execResult_;
}

HResult FakeWebControl::Raise(int32_t dispId, std::initializer_list<EventArg> declaredArgs) {
    if (!sink_) return kE_UNEXPECTED;
    return RaiseWebEvent(*sink_, dispId, declaredArgs);
}

NewWindowOutcome FakeWebControl::RaiseNewWindow(uint32_t flags, const WideString& urlContext,
                                                const WideString& url) {
    if (!sink_) return {};
    return RaiseNewWindowRequest(*sink_, flags, urlContext, url);
}

VariantBool FakeWebControl::RaiseBeforeNavigate(const WideString& url) {
    Variant vUrl = Variant::FromString(url);
    Variant vFlags = Variant::FromInt(0);
    Variant vTarget = Variant::FromString(u"");
    Variant vPost;
    Variant vHeaders = Variant::FromString(u"");
    VariantBool cancel = kVariantFalse;
    Raise(DISPID_BEFORENAVIGATE2, {EventArg::Object(this), EventArg::RefVariant(&vUrl), EventArg::RefVariant(&vFlags),
                                   EventArg::RefVariant(&vTarget), EventArg::RefVariant(&vPost),
                                   EventArg::RefVariant(&vHeaders), EventArg::RefBool(&cancel)});
    return cancel;
}

void FakeWebControl::CompleteLoad(const WideString& url) {
    Variant vUrl = Variant::FromString(url);
    Raise(DISPID_NAVIGATECOMPLETE2, {EventArg::Object(this), EventArg::RefVariant(&vUrl)});
    Variant vDoc = Variant::FromString(url);
    Raise(DISPID_DOCUMENTCOMPLETE, {EventArg::Object(this), EventArg::RefVariant(&vDoc)});
}

FakeWebEngine::~FakeWebEngine() {
    for (FakeWebControl* control : controls_) control->engine_ = nullptr;
}

std::unique_ptr<WebControlObject> FakeWebEngine::CreateControl(const std::string& classId) {
    if (RefuseCreation || classId != kWebBrowserClassId) return nullptr;
    auto control = std::make_unique<FakeWebControl>(*this, classId);
    controls_.push_back(control.get());
    if (OnCreateControl) OnCreateControl(*control);
    return control;
}

FakeWebEngine& InstallFakeWebEngine() {
    auto engine = std::make_unique<FakeWebEngine>();
    FakeWebEngine& ref = *engine;
    SetWebEngine(std::move(engine));
    return ref;
}

}  // namespace platform
