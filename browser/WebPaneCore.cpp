// TCustomWebPane: construction, the two flag words, the ambient dispatch, the host
// information, drag-and-drop modes and the dialog notice. The callbacks that decide on
// menus, keys, commands and services are in WebPaneHostCallbacks.cpp.
#include "browser/WebPaneCore.h"

#include <array>

#include "browser/HostGuard.h"
#include "browser/WebPanePresenter.h"
#include "ui/Forms.h"

using namespace platform;

namespace {

constexpr std::array<uint32_t, 19> kDownloadFlagValues = {
    0x10,    0x20,       0x40,       0x80,       0x100,      0x200,   0x400,
    0x800,   0x1000,     0x2000,     0x4000,     0x8000,     0x10000, 0x20000,
    0x40000, 0x10000000, 0x20000000, 0x40000000, 0x80000000,
};

// 0x8000 belongs to no member.
constexpr std::array<uint32_t, 29> kUserInterfaceFlagValues = {
    0x1,       0x2,       0x4,       0x8,        0x10,       0x20,     0x40,     0x80,
    0x100,     0x200,     0x400,     0x800,      0x1000,     0x2000,   0x4000,   0x10000,
    0x20000,   0x40000,   0x80000,   0x100000,   0x200000,   0x400000, 0x800000, 0x1000000,
    0x2000000, 0x4000000, 0x8000000, 0x10000000, 0x20000000,
};

template <size_t N>
uint32_t SumOfMembers(uint32_t set, const std::array<uint32_t, N>& values) {
    uint32_t word = 0;
    for (size_t i = 0; i < N; ++i) {
        if (set & (1u << i)) word += values[i];
    }
    return word;
}

// The boolean value of a written ambient property; nullopt when it has none.
std::optional<bool> BoolOf(const OleVariant& v) {
    switch (v.type) {
        case OleVariant::Type::Bool:
            return v.boolValue != 0;
        case OleVariant::Type::Int32:
            return v.intValue != 0;
        case OleVariant::Type::UInt32:
            return v.uintValue != 0;
        default:
            return std::nullopt;
    }
}

constexpr HResult kDISP_E_BADPARAMCOUNT = static_cast<HResult>(0x8002000E);
// The user's default locale, as the platform resolves it.
constexpr uint32_t kLocaleUserDefault = 0x0400;

}  // namespace

const std::vector<std::string>& DownloadControlOptionNames() {
    static const std::vector<std::string> names = {
        "DownloadImages",
        "DownloadVideos",
        "DownloadBGSounds",
        "DontExecuteScripts",
        "DontExecuteJava",
        "DontExecuteActiveX",
        "DontDownloadActiveX",
        "DownloadButDontDisplay",
        "DontDownloadFrame",
        "CheckPageResynchronize",
        "DownloadAndIgnoreCache",
        "DontDownloadBehaviors",
        "SuppressedMetaCharset",
        "DisableUrlIfEncodingUTF8",
        "EnableUrlIfEncodingUTF8",
        "ForceOfflineMode",
        "DontPerformClientPull",
        "DonloadInSilentMode",
        "WorkOffline",
    };
    return names;
}

const std::vector<std::string>& UserInterfaceOptionNames() {
    static const std::vector<std::string> names = {
        "DisableTextSelect",
        "DisableHelpMenu",
        "DontUse3DBorders",
        "DontUseScrollBars",
        "PostponeScriptUntilActive",
        "ForceOpenNewWindow",
        "Reserved_OFFSCREEN",
        "ForceFlatScrollBars",
        "InsertDivTagOnEditMode",
        "ActivateUIOnlyOnDocClick",
        "ConsultBeforeRetrievingBehavior",
        "CheckFontSupportsCodePage",
        "DisableSubmitUrlInUTF8",
        "EnableSubmitUrlInUTF8",
        "EnablesFormsAutoComplete",
        "ForceSameWindowNavigation",
        "EmableImeLocalLanguages",
        "EnableThemes",
        "DisableThemes",
        "DisablePicsRatings",
        "DisableFrameSetBorder",
        "DisablesAutoNameSpaceCorrection",
        "DisableLocalFileAccess",
        "DisableUntrustedProtocol",
        "CheckNavigationDelegatedToHost",
        "EnableRedirectNotification",
        "EnableDomWindlessControls",
        "EnableWindowedControls",
        "ForceUserActivationOnActiveXJava",
    };
    return names;
}

const std::vector<std::string>& PopupMenuNames() {
    static const std::vector<std::string> names = {
        "rcmDefault", "rcmImage",    "rcmControl",   "rcmTable", "rcmSelText", "rcmAnchor",
        "rcmUnKnown", "rcmImageArt", "rcmImgDynSrc", "rcmDebug", "rcmAll",
    };
    return names;
}

uint32_t DownloadControlFlags(TDownloadControlOptions options) {
    return SumOfMembers(options, kDownloadFlagValues);
}
uint32_t UserInterfaceFlags(TUserInterfaceOptions options) {
    return SumOfMembers(options, kUserInterfaceFlagValues);
}

// ---- Life ----

TCustomWebPane::TCustomWebPane(TComponent* owner) : TWebControl(owner) {
    ScriptErrorAction = eaContinue;
    SetDownloadOptions(SetOf(DownloadImages) | SetOf(DownloadVideos) | SetOf(DownloadBGSounds));
    SetUserInterfaceOptions(0);
    dropHandlingType_ = ddtMS;
    ctrlCharMask_ = "N";
}

TCustomWebPane::~TCustomWebPane() {
    liveness_.End();
    // The control must not call back into a half-destroyed host.
    if (WebControlObject* control = ControlObject()) {
        control->Advise(nullptr);
        control->SetDocumentDropTarget(nullptr);
        control->SetClientSite(nullptr);
    }
}

void TCustomWebPane::SetPresenter(TWebPanePresenter* presenter) {
    if (presenterComponent_) presenterComponent_->RemoveFreeNotification(this);
    presenter_ = presenter;
    presenterComponent_ = dynamic_cast<TComponent*>(presenter);
    if (presenterComponent_) presenterComponent_->FreeNotification(this);
}

void TCustomWebPane::Notification(TComponent* component, TOperation operation) {
    TWebControl::Notification(component, operation);
    if (operation == opRemove && component && component == presenterComponent_) {
        presenter_ = nullptr;
        presenterComponent_ = nullptr;
    }
}

void TCustomWebPane::Loaded() {
    TWebControl::Loaded();
    // A stored drag-and-drop mode takes effect once the control is set up.
    if (dropHandlingType_ != ddtMS && !IsDesigning()) ApplyDropHandling();
}

void TCustomWebPane::AmbientChanged(int32_t dispId) {
    if (WebControlObject* control = ControlObject()) control->AmbientPropertyChanged(dispId);
}

void TCustomWebPane::SetDownloadOptions(TDownloadControlOptions value) {
    downloadOptions_ = value & ((1u << kDownloadFlagValues.size()) - 1);
    downloadFlags_ = DownloadControlFlags(downloadOptions_);
    AmbientChanged(DISPID_AMBIENT_DLCONTROL);
}

void TCustomWebPane::SetUserInterfaceOptions(TUserInterfaceOptions value) {
    userInterfaceOptions_ = value & ((1u << kUserInterfaceFlagValues.size()) - 1);
    userInterfaceFlags_ = UserInterfaceFlags(userInterfaceOptions_);
    AmbientChanged(DISPID_AMBIENT_DLCONTROL);
}

// ---- Ambient dispatch ----

HResult TCustomWebPane::GetTypeInfoCount(uint32_t& count) {
    count = 0;
    if (OnGetTypeInfoCount) return GuardHostCall(kS_OK, [&] { return OnGetTypeInfoCount(count); });
    return kS_OK;
}

HResult TCustomWebPane::GetTypeInfo(uint32_t index, uint32_t localeId, WebObject*& typeInfo) {
    typeInfo = nullptr;
    if (OnGetTypeInfo)
        return GuardHostCall(kE_NOTIMPL, [&] { return OnGetTypeInfo(index, localeId, typeInfo); });
    return kE_NOTIMPL;
}

HResult TCustomWebPane::GetIDsOfNames(const char* iid, std::span<const WideString> names,
                                      uint32_t localeId, std::span<int32_t> dispIds) {
    if (OnGetIDsOfNames) {
        return GuardHostCall(kE_NOTIMPL,
                             [&] { return OnGetIDsOfNames(iid, names, localeId, dispIds); });
    }
    return kE_NOTIMPL;
}

HResult TCustomWebPane::Invoke(int32_t dispId, const char* iid, uint32_t localeId, uint16_t flags,
                               std::span<OleVariant> params, OleVariant* result,
                               WebExcepInfo* excepInfo, uint32_t* argErr) {
    const bool read = (flags & DISPATCH_PROPERTYGET) && result;
    if (read && dispId == DISPID_AMBIENT_DLCONTROL) {
        *result = OleVariant::FromInt(static_cast<int32_t>(downloadFlags_));
        return kS_OK;
    }
    if (read && dispId == DISPID_AMBIENT_USERMODE) {
        *result = OleVariant::FromBool(!editMode_);
        return kS_OK;
    }
    if ((flags & DISPATCH_PROPERTYPUT) && dispId == DISPID_AMBIENT_USERMODE) {
        // A write without its argument is refused rather than read past the arguments.
        if (params.empty()) return kDISP_E_BADPARAMCOUNT;
        const std::optional<bool> value = BoolOf(params[0]);
        if (!value) return kDISP_E_TYPEMISMATCH;
        // Writing user mode false enters edit mode, so that the value written reads back.
        editMode_ = !*value;
        return kS_OK;
    }
    const HResult hr = FrameworkAmbient(dispId, flags, result);
    if (hr == kDISP_E_MEMBERNOTFOUND && OnInvoke) {
        GuardHostEvent(
            [&] { OnInvoke(dispId, iid, localeId, flags, params, result, excepInfo, argErr, hr); });
    }
    return hr;
}

HResult TCustomWebPane::FrameworkAmbient(int32_t dispId, uint16_t flags, OleVariant* result) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return kDISP_E_MEMBERNOTFOUND;
    switch (dispId) {
        case DISPID_AMBIENT_AUTOCLIP:
        case DISPID_AMBIENT_SUPPORTSMNEMONICS:
            *result = OleVariant::FromBool(true);
            return kS_OK;
        case DISPID_AMBIENT_SHOWHATCHING:
        case DISPID_AMBIENT_SHOWGRABHANDLES:
            *result = OleVariant::FromBool(false);
            return kS_OK;
        case DISPID_AMBIENT_UIDEAD:
            *result = OleVariant::FromBool(IsDesigning());
            return kS_OK;
        case DISPID_AMBIENT_USERMODE:
            *result = OleVariant::FromBool(!IsDesigning());
            return kS_OK;
        case DISPID_AMBIENT_MESSAGEREFLECT:
            *result = OleVariant::FromBool(true);
            return kS_OK;
        case DISPID_AMBIENT_LOCALEID:
            *result = OleVariant::FromUInt(kLocaleUserDefault);
            return kS_OK;
        case DISPID_AMBIENT_FORECOLOR:
            *result = OleVariant::FromUInt(static_cast<uint32_t>(Font().Color));
            return kS_OK;
        case DISPID_AMBIENT_FONT:
            // The framework keeps Font() equal to the parent's while ParentFont is set; the
            // font travels as its face name.
            *result = OleVariant::FromString(Utf8ToWide(Font().Name));
            return kS_OK;
        case DISPID_AMBIENT_DISPLAYNAME:
            *result = OleVariant::FromString(Utf8ToWide(Name()));
            return kS_OK;
        case DISPID_AMBIENT_BACKCOLOR:
            *result = OleVariant::FromUInt(static_cast<uint32_t>(Color()));
            return kS_OK;
        default:
            return kDISP_E_MEMBERNOTFOUND;
    }
}

// ---- Host information ----

HResult TCustomWebPane::GetHostInfo(DocHostUiInfo& info) {
    info = DocHostUiInfo{};
    info.cbSize = kDocHostUiInfoSize;
    info.dwFlags = userInterfaceFlags_;
    info.dwDoubleClick = 0;
    if (OnGetHostInfo) return GuardHostCall(kS_OK, [&] { return OnGetHostInfo(info); });
    return kS_OK;
}

// ---- Drag and drop ----

HResult TCustomWebPane::GetDropTarget(WebDropTarget* /*dropTarget*/, WebDropTarget*& result) {
    result = nullptr;
    return GuardHostCall(kE_FAIL, [&]() -> HResult {
        switch (dropHandlingType_) {
            case ddtMS:
                SetRegisterAsDropTarget(true);
                return kE_NOTIMPL;
            case ddtMy:
                result = this;
                return kS_OK;
            case ddtCustom:
                result = this;
                if (OnGetDropTarget) OnGetDropTarget(result);
                return kS_OK;
            case ddtNo:
                SetRegisterAsDropTarget(false);
                return kS_OK;
        }
        return kS_OK;
    });
}

void TCustomWebPane::SetDropHandlingType(TDragDropHandlingType value) {
    if (value == dropHandlingType_) return;
    dropHandlingType_ = value;
    if (!IsLoading() && !IsDesigning()) ApplyDropHandling();
}

void TCustomWebPane::ApplyDropHandling() {
    if (WaitingForEngine()) {
        WhenControlMade([this] { ApplyDropHandling(); });
        return;
    }
    WebControlObject* control = ControlObject();
    if (!control) return;
    const bool documentWindow = control->HasDocumentWindow();
    if (documentWindow) control->SetDocumentDropTarget(nullptr);
    WebDropTarget* target = nullptr;
    switch (dropHandlingType_) {
        case ddtMS:
            SetRegisterAsDropTarget(true);
            break;
        case ddtMy:
            target = this;
            break;
        case ddtCustom:
            if (documentWindow) {
                target = this;
                if (OnGetDropTarget) OnGetDropTarget(target);
            }
            break;
        case ddtNo:
            SetRegisterAsDropTarget(false);
            break;
    }
    if (documentWindow && target) control->SetDocumentDropTarget(target);
}

HResult TCustomWebPane::DragEnter(WebDataObject* dataObject, uint32_t keyState, TPoint point,
                                  uint32_t& effect) {
    if (OnDragEnter)
        return GuardHostCall(kS_OK,
                             [&] { return OnDragEnter(dataObject, keyState, point, effect); });
    return kS_OK;
}

HResult TCustomWebPane::DragOver(uint32_t keyState, TPoint point, uint32_t& effect) {
    if (OnDragOver2)
        return GuardHostCall(kS_OK, [&] { return OnDragOver2(keyState, point, effect); });
    return kS_OK;
}

HResult TCustomWebPane::DragLeave() {
    if (OnDragLeave) return GuardHostCall(kS_OK, [&] { return OnDragLeave(); });
    return kS_OK;
}

HResult TCustomWebPane::Drop(WebDataObject* dataObject, uint32_t keyState, TPoint point,
                             uint32_t& effect) {
    if (OnDropEvent)
        return GuardHostCall(kS_OK,
                             [&] { return OnDropEvent(dataObject, keyState, point, effect); });
    return kS_OK;
}

// ---- Dialogs and close requests ----

void TCustomWebPane::DialogActivated(WebDialog& dialog) {
    GuardHostEvent([&] { NotifyOwnerOfDialog(dialog); });
}

void TCustomWebPane::NotifyOwnerOfDialog(WebDialog& dialog) {
    // As the window system tells a window that another one took activation from it.
    if (auto* owner = dynamic_cast<TControl*>(Owner())) {
        owner->Perform(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<intptr_t>(&dialog));
    }
}

HResult TCustomWebPane::Invoke(int32_t dispId, std::span<EventArg> reversedArgs) {
    const TLivenessWatch alive = LivenessWatch();
    const HResult hr = TWebControl::Invoke(dispId, reversedArgs);
    if (!alive.Alive()) return hr;  // a handler freed the pane
    // Arguments of the closing event, last first: Cancel (by reference), IsChildWindow.
    if (dispId == DISPID_WINDOWCLOSING && reversedArgs.size() == 2 && reversedArgs[0].byRef &&
        reversedArgs[0].type == EventArg::Type::Bool && reversedArgs[0].ref &&
        *static_cast<VariantBool*>(reversedArgs[0].ref) == kVariantFalse) {
        GuardHostEvent([&] { Perform(WM_CLOSE, 0, 0); });
    }
    return hr;
}
