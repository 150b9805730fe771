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
    site_ = nullptr;
}

void FakeWebControl::SetDocumentDropTarget(WebDropTarget* target) {
    documentDropTarget_ = target;
    if (target) ++dropTargetRegistrations_;
}

void FakeWebControl::SetPrintSetup(const WebPrintSetup* setup) {
    if (setup)
        printSetup_ = *setup;
    else
        printSetup_.reset();
}

Variant FakeWebControl::ReadAmbient(int32_t dispId) const {
    if (!site_) return {};
    Variant result;
    if (Failed(
            site_->Invoke(dispId, nullptr, 0, DISPATCH_PROPERTYGET, {}, &result, nullptr, nullptr)))
        return {};
    return result;
}

// ---- Command target ----

HResult FakeCommandTarget::QueryStatus(const char*, uint32_t command, uint32_t& state) {
    state = 0;
    for (uint32_t c : unsupported)
        if (c == command) return kOLECMDERR_E_NOTSUPPORTED;
    return kS_OK;
}

HResult FakeCommandTarget::Exec(const char*, uint32_t, uint32_t, const Variant*, Variant*) {
    return kOLECMDERR_E_NOTSUPPORTED;
}

std::unique_ptr<WebContextMenu> FakeCommandTarget::LoadMenu(uint32_t kind) {
    auto it = menus.find(kind);
    if (it == menus.end()) return nullptr;
    return std::make_unique<WebContextMenu>(it->second);
}

uint32_t FakeCommandTarget::TrackMenu(const WebContextMenu& menu, TPoint screenPoint) {
    trackedMenus.push_back(menu);
    trackedAt.push_back(screenPoint);
    return choice;
}

HResult FakeWebControl::Navigate(const WideString& url, const Variant& flags,
                                 const Variant& targetFrameName, const Variant& postData,
                                 const Variant& headers) {
    FakeNavigation nav{this, url, flags, targetFrameName, postData, headers, navigateResult_};
    navigations_.push_back(nav);
    if (engine_) engine_->navigations_.push_back(nav);
    return navigateResult_;
}

HResult FakeWebControl::ExecWB(int32_t commandId, int32_t execOption, Variant* in, Variant* out) {
    execCalls_.push_back({commandId, execOption, in ? *in : Variant{}});
    if (commandId == kEncodingMenuCommand && in && !Failed(execResult_))
        *in = Variant::FromObject(&EncodingMenu);
    if (out && !Failed(execResult_)) *out = execOut_;
    return execResult_;
}

FakeScriptDialog& FakeWebControl::RaiseScriptDialog(WebDialogKind kind, const std::string& message,
                                                    const std::string& defaultText) {
    scriptDialogs_.push_back(std::make_unique<FakeScriptDialog>());
    FakeScriptDialog& dialog = *scriptDialogs_.back();
    dialog.kind = kind;
    if (!site_) return dialog;
    if (kind != WebDialogKind::Prompt) {
        const uint32_t type = kind == WebDialogKind::Alert ? (MB_OK | MB_ICONWARNING)
                                                           : (MB_OKCANCEL | MB_ICONQUESTION);
        int32_t result = IDCANCEL;
        if (site_->ShowMessage(this, Utf8ToWide(message), u"Message from webpage", type, u"", 0,
                               result) == kS_OK) {
            dialog.answeredByHostMessage = true;
            dialog.answered = true;
            dialog.accepted = result == IDOK || result == IDYES;
            return dialog;
        }
    }
    const char* caption = kind == WebDialogKind::Prompt        ? "User Prompt"
                          : kind == WebDialogKind::ScriptError ? "Script Error"
                                                               : "Message from webpage";
    FakeScriptDialog* record = &dialog;
    dialog.face = site_->CreateDialogFace(WebDialogContent{kind, caption, message, defaultText},
                                          [record](bool accepted) {
                                              if (record->answered) return;
                                              record->answered = true;
                                              record->accepted = accepted;
                                              if (record->kind == WebDialogKind::Prompt && accepted)
                                                  record->text = record->face->EnteredText();
                                              record->face->Hide();
                                          });
    if (dialog.face) dialog.face->Show();
    return dialog;
}

HResult FakeWebControl::Raise(int32_t dispId, std::initializer_list<EventArg> declaredArgs) {
    if (!sink_) return kE_UNEXPECTED;
    return RaiseWebEvent(*sink_, dispId, declaredArgs);
}

NewWindowOutcome FakeWebControl::RaiseNewWindow(uint32_t flags, const WideString& urlContext,
                                                const WideString& url) {
    if (!sink_) return {};
    return RaiseNewWindowRequest(*sink_, launches_, flags, urlContext, url);
}

VariantBool FakeWebControl::RaiseBeforeNavigate(const WideString& url) {
    Variant vUrl = Variant::FromString(url);
    Variant vFlags = Variant::FromInt(0);
    Variant vTarget = Variant::FromString(u"");
    Variant vPost;
    Variant vHeaders = Variant::FromString(u"");
    VariantBool cancel = kVariantFalse;
    Raise(DISPID_BEFORENAVIGATE2,
          {EventArg::Object(this), EventArg::RefVariant(&vUrl), EventArg::RefVariant(&vFlags),
           EventArg::RefVariant(&vTarget), EventArg::RefVariant(&vPost),
           EventArg::RefVariant(&vHeaders), EventArg::RefBool(&cancel)});
    return cancel;
}

void FakeWebControl::CompleteLoad(const WideString& url) {
    documentWindow_ = true;
    Variant vUrl = Variant::FromString(url);
    Raise(DISPID_NAVIGATECOMPLETE2, {EventArg::Object(this), EventArg::RefVariant(&vUrl)});
    Variant vDoc = Variant::FromString(url);
    Raise(DISPID_DOCUMENTCOMPLETE, {EventArg::Object(this), EventArg::RefVariant(&vDoc)});
}

bool FakeWebEngine::SetProxy(const WebProxySettings* proxy) {
    if (proxy && ProxyServerUri(proxy->server).empty()) return false;
    ++proxyChanges_;
    if (proxy)
        proxy_ = *proxy;
    else
        proxy_.reset();
    return true;
}

std::string FakeWebEngine::UserAgent() const {
    return UserAgentWithTokens(kBaseUserAgent, userAgentTokens_);
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
