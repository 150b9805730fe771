// TCustomWebPane's decisions for the control: context menus, keys, the UI callbacks, the
// command target (unload, refresh, script errors), the service provider and the services
// it hands out (new-window manager, download manager, window services), help and zoom.
#include <algorithm>
#include <cctype>
#include <cstdint>

#include "browser/HostGuard.h"
#include "browser/WebPaneCore.h"
#include "browser/WebPanePresenter.h"
#include "platform/Platform.h"
#include "ui/Forms.h"

using namespace platform;

namespace {

// A help file as an address the user's viewer can open.
std::string HelpFileUri(const std::string& file) {
    if (file.find("://") != std::string::npos) return file;
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : file) {
        if (std::isalnum(c) || c == '/' || c == '.' || c == '-' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

bool IsRefreshCommand(uint32_t command) {
    return command == kRefreshCommand || command == kRefreshTopCommand ||
           command == kRefreshTopFullCommand;
}

}  // namespace

bool CtrlMaskMatches(const std::string& mask, uint32_t virtualKey) {
    const char low = static_cast<char>(virtualKey & 0xFF);
    return mask.find(low) != std::string::npos;
}

// ---- Context menu ----

HResult TCustomWebPane::ShowContextMenu(uint32_t menuKind, TPoint screenPoint,
                                        WebCommandTarget* commandTarget, WebObject* object) {
    if (OnShowContextMenu) {
        return GuardHostCall(kS_FALSE, [&] {
            return OnShowContextMenu(menuKind, screenPoint, commandTarget, object);
        });
    }
    if ((DisabledPopupMenus & SetOf(rcmAll)) ||
        (menuKind < 10 && (DisabledPopupMenus & SetOf(static_cast<int>(menuKind)))))
        return kS_OK;  // no menu at all
    if (presenter_) {
        const bool shown = GuardHostCall(
            false, [&] { return PresentMenu(menuKind, screenPoint, commandTarget, object); });
        if (shown) return kS_OK;
    }
    if (!FiltersPopupMenus()) return kS_FALSE;  // the control's standard menu
    return GuardHostCall(
        kS_FALSE, [&] { return ShowHostMenu(menuKind, screenPoint, commandTarget, object); });
}

std::unique_ptr<WebContextMenu> TCustomWebPane::HostMenuCopy(uint32_t menuKind,
                                                             WebCommandTarget* commandTarget,
                                                             WebObject* object, bool filtered) {
    if (!commandTarget) return nullptr;
    std::unique_ptr<WebContextMenu> menu = commandTarget->LoadMenu(menuKind);
    if (!menu || !filtered) return menu;
    // The encoding submenu comes from the control.
    OleVariant in;
    ExecWB(kEncodingMenuCommand, 0, in);
    if (in.type == OleVariant::Type::Object) {
        if (auto* encoding = dynamic_cast<WebContextMenu*>(in.object)) {
            menu->SetSubmenu(IDM_LANGUAGE, std::make_shared<WebContextMenu>(*encoding));
        }
    }
    FilterPopupMenu(menuKind, *menu, object);
    return menu;
}

HResult TCustomWebPane::ShowHostMenu(uint32_t menuKind, TPoint screenPoint,
                                     WebCommandTarget* commandTarget, WebObject* object) {
    std::unique_ptr<WebContextMenu> menu = HostMenuCopy(menuKind, commandTarget, object, true);
    if (!menu) return kS_FALSE;
    if (const uint32_t command = commandTarget->TrackMenu(*menu, screenPoint))
        commandTarget->SendMenuCommand(command);
    return kS_OK;
}

namespace {

// Drops what the presenter could show but nobody could run: items whose command the
// target does not support, the encoding item without its submenu, submenus left empty.
void KeepRunnableItems(WebContextMenu& menu, WebCommandTarget& target) {
    std::vector<WebMenuItem> kept;
    for (WebMenuItem& item : menu.items) {
        if (item.submenu) {
            KeepRunnableItems(*item.submenu, target);
            if (item.submenu->items.empty()) continue;
        } else if (!item.separator) {
            uint32_t state = 0;
            if (item.command == 0 || item.command == IDM_LANGUAGE ||
                Failed(target.QueryStatus(CGID_MSHTML, item.command, state)))
                continue;
        }
        if (item.separator && (kept.empty() || kept.back().separator)) continue;
        kept.push_back(std::move(item));
    }
    while (!kept.empty() && kept.back().separator) kept.pop_back();
    menu.items = std::move(kept);
}

}  // namespace

bool TCustomWebPane::PresentMenu(uint32_t menuKind, TPoint screenPoint,
                                 WebCommandTarget* commandTarget, WebObject* object) {
    // The standard menu or the host's own copy, by the same rule as without a presenter.
    std::unique_ptr<WebContextMenu> menu =
        HostMenuCopy(menuKind, commandTarget, object, FiltersPopupMenus());
    if (!menu) return false;
    KeepRunnableItems(*menu, *commandTarget);
    // Nothing left to offer: the host's copy shows no menu (as its tracked copy would), the
    // standard menu stays the engine's (it may run what the command target cannot).
    if (menu->items.empty()) return FiltersPopupMenus();
    // The choice arrives after the menu closed; the pane (and with it its control and the
    // control's command target) may be gone by then.
    auto chosen = [alive = LivenessWatch(), commandTarget](uint32_t command) {
        if (alive.Alive() && command != 0) commandTarget->SendMenuCommand(command);
    };
    return presenter_->PresentContextMenu(*this, *menu, screenPoint, chosen);
}

std::unique_ptr<WebDialogFace> TCustomWebPane::CreateDialogFace(const WebDialogContent& content,
                                                                WebDialogFace::Answered answered) {
    if (!presenter_) return nullptr;
    return GuardHostCall(std::unique_ptr<WebDialogFace>(), [&] {
        return presenter_->CreateDialogFace(*this, content, std::move(answered));
    });
}

void TCustomWebPane::FilterPopupMenu(uint32_t id, WebContextMenu& menu, WebObject* context) {
    if (OnFilterPopupMenu) OnFilterPopupMenu(id, &menu, context);
}

// ---- UI callbacks ----

HResult TCustomWebPane::ShowUI(uint32_t id, WebObject* activeObject,
                               WebCommandTarget* commandTarget, WebObject* frame,
                               WebObject* document) {
    if (OnShowUI)
        return GuardHostCall(
            kS_FALSE, [&] { return OnShowUI(id, activeObject, commandTarget, frame, document); });
    return kS_FALSE;
}

HResult TCustomWebPane::HideUI() {
    if (OnHideUI) return GuardHostCall(kS_FALSE, [&] { return OnHideUI(); });
    return kS_FALSE;
}

HResult TCustomWebPane::UpdateUI() {
    if (OnUpdateUI) return GuardHostCall(kS_FALSE, [&] { return OnUpdateUI(); });
    return kS_FALSE;
}

HResult TCustomWebPane::EnableModeless(bool enable) {
    if (OnEnableModeless) return GuardHostCall(kS_OK, [&] { return OnEnableModeless(enable); });
    return kS_OK;
}

HResult TCustomWebPane::OnDocWindowActivate(bool activate) {
    if (OnOnDocWindowActivate)
        return GuardHostCall(kS_FALSE, [&] { return OnOnDocWindowActivate(activate); });
    return kS_FALSE;
}

HResult TCustomWebPane::OnFrameWindowActivate(bool activate) {
    if (OnOnFrameWindowActivate)
        return GuardHostCall(kS_FALSE, [&] { return OnOnFrameWindowActivate(activate); });
    return kS_FALSE;
}

HResult TCustomWebPane::ResizeBorder(const TRect& border, WebObject* uiWindow, bool frameWindow) {
    if (OnResizeBorder)
        return GuardHostCall(kS_FALSE,
                             [&] { return OnResizeBorder(border, uiWindow, frameWindow); });
    return kS_FALSE;
}

HResult TCustomWebPane::TranslateAccelerator(const KeyMessage& message, const char* commandGroup,
                                             uint32_t commandId) {
    if (!ctrlCharMask_.empty() && message.message == WM_KEYDOWN &&
        (message.modifiers & kModControl) && CtrlMaskMatches(ctrlCharMask_, message.virtualKey)) {
        const char masked = static_cast<char>(message.virtualKey & 0xFF);
        if (OnMaskedCtrlChar) GuardHostEvent([&] { OnMaskedCtrlChar(this, masked); });
        return kS_OK;  // swallowed
    }
    if (OnTranslateAccelerator) {
        return GuardHostCall(
            kS_FALSE, [&] { return OnTranslateAccelerator(message, commandGroup, commandId); });
    }
    return kS_FALSE;
}

HResult TCustomWebPane::GetOptionKeyPath(std::optional<WideString>& key, uint32_t /*reserved*/) {
    key.reset();
    if (!OptionKeyPath.empty() && !OverrideOptionKeyPath) key = Utf8ToWide(OptionKeyPath);
    return kS_OK;
}

HResult TCustomWebPane::GetOverrideKeyPath(std::optional<WideString>& key, uint32_t /*reserved*/) {
    key.reset();
    if (!OptionKeyPath.empty() && OverrideOptionKeyPath) key = Utf8ToWide(OptionKeyPath);
    return kS_OK;
}

HResult TCustomWebPane::GetExternal(WebObject*& dispatch) {
    dispatch = nullptr;
    if (OnGetExternal) return GuardHostCall(kS_FALSE, [&] { return OnGetExternal(dispatch); });
    return kS_FALSE;
}

HResult TCustomWebPane::TranslateUrl(uint32_t translate, const WideString& urlIn,
                                     std::optional<WideString>& urlOut) {
    urlOut.reset();
    if (OnTranslateUrl)
        return GuardHostCall(kS_FALSE, [&] { return OnTranslateUrl(translate, urlIn, urlOut); });
    return kS_FALSE;
}

HResult TCustomWebPane::FilterDataObject(WebObject* dataObject, WebObject*& result) {
    result = nullptr;
    if (OnFilterDataObject)
        return GuardHostCall(kS_FALSE, [&] { return OnFilterDataObject(dataObject, result); });
    return kS_FALSE;
}

// ---- Show UI ----

HResult TCustomWebPane::ShowMessage(void* window, const WideString& text, const WideString& caption,
                                    uint32_t type, const WideString& helpFile, uint32_t helpContext,
                                    int32_t& result) {
    if (OnShowMessage) {
        return GuardHostCall(kS_FALSE, [&] {
            return OnShowMessage(window, text, caption, type, helpFile, helpContext, result);
        });
    }
    return kS_FALSE;
}

HResult TCustomWebPane::ShowHelp(void* window, const WideString& helpFile, uint32_t command,
                                 uint32_t data, TPoint mouse, WebObject*& objectHit) {
    if (OnShowHelpRequest) {
        return GuardHostCall(kS_FALSE, [&] {
            return OnShowHelpRequest(window, helpFile, command, data, mouse, objectHit);
        });
    }
    if (!helpFile.empty() || HelpFile.empty()) return kS_FALSE;
    // The help file opens in the user's viewer; when that fails nothing happens.
    if (HasCurrent()) Current().OpenUri(HelpFileUri(HelpFile));
    return kS_OK;
}

HResult TCustomWebPane::ZoomPercentChanged(uint32_t percent) {
    if (OnZoomPercentChange)
        return GuardHostCall(kS_FALSE, [&] { return OnZoomPercentChange(percent); });
    return kS_FALSE;
}

// ---- Command target ----

HResult TCustomWebPane::QueryStatus(const char* /*group*/, uint32_t /*command*/,
                                    uint32_t& /*state*/) {
    return kS_OK;
}

HResult TCustomWebPane::Exec(const char* group, uint32_t command, uint32_t option,
                             const OleVariant* in, OleVariant* out) {
    HResult result = kOLECMDERR_E_NOTSUPPORTED;
    if (SameId(group, CGID_Explorer) && command == kUnloadCommand && OnUnload) {
        GuardHostEvent([&] { OnUnload(this); });
        return kS_OK;
    }
    if (SameId(group, CGID_DocHostCommandHandler)) {
        if (command == kShowScriptErrorCommand) return ScriptErrorAnswer(out);
        if (IsRefreshCommand(command)) {
            if (OnRefresh) {
                bool cancel = false;
                GuardHostEvent([&] { OnRefresh(this, static_cast<int32_t>(command), cancel); });
                if (cancel) return kS_OK;  // no refresh
            }
            return kOLECMDERR_E_NOTSUPPORTED;  // the control refreshes
        }
    }
    if (OnCommandExec)
        GuardHostEvent([&] { OnCommandExec(group, command, option, in, out, result); });
    return result;
}

HResult TCustomWebPane::ScriptErrorAnswer(OleVariant* out) const {
    switch (ScriptErrorAction) {
        case eaContinue:
            if (out) *out = OleVariant::FromBool(true);  // scripts keep running
            return kS_OK;
        case eaCancel:
            if (out) *out = OleVariant::FromBool(false);  // the page's scripts stop
            return kS_OK;
        case eaAskUser:
            return kS_FALSE;  // the control asks the user
    }
    return kS_FALSE;
}

// ---- Services ----

HResult TCustomWebPane::QueryService(const char* serviceId, const char* interfaceId,
                                     WebService*& object) {
    object = nullptr;
    if (SameId(serviceId, SID_SNewWindowManager) && OnEvaluateNewWindow) {
        object = static_cast<WebNewWindowManager*>(this);
    } else if (SameId(serviceId, SID_SDownloadManager) && OnFileDownload) {
        object = static_cast<WebDownloadManager*>(this);
    } else if (SameId(serviceId, SID_SHTMLOMWindowServices) &&
               (FloatingHosting || OnMove || OnMoveBy || OnResize || OnResizeBy)) {
        object = static_cast<WebWindowServices*>(this);
    }
    if (object) return kS_OK;
    if (OnQueryService)
        return GuardHostCall(kE_NOINTERFACE,
                             [&] { return OnQueryService(serviceId, interfaceId, object); });
    return kE_NOINTERFACE;
}

HResult TCustomWebPane::EvaluateNewWindow(const WideString& url, const WideString& name,
                                          const WideString& urlContext, const WideString& features,
                                          bool replace, uint32_t flags, uint32_t userActionTime) {
    if (OnEvaluateNewWindow) {
        return GuardHostCall(kE_FAIL, [&] {
            return OnEvaluateNewWindow(url, name, urlContext, features, replace, flags,
                                       userActionTime);
        });
    }
    return kE_FAIL;
}

HResult TCustomWebPane::Download(WebMoniker* moniker, WebObject* bindContext, uint32_t bindVerb,
                                 int32_t bindFlags, WebBindInfo* bindInfo,
                                 const WideString& headers, const WideString& redirect,
                                 uint32_t codePage) {
    if (OnFileDownload) {
        return GuardHostCall(kE_NOTIMPL, [&] {
            return OnFileDownload(moniker, bindContext, bindVerb, bindFlags, bindInfo, headers,
                                  redirect, codePage);
        });
    }
    return kE_NOTIMPL;
}

// ---- Window services: page scripts moving or sizing the window ----

namespace {

// Values from a page are clamped to what the window system can place (16-bit
// coordinates), computed wide so that no sum overflows.
int Position(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -32768, 32767)); }
int Extent(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 1, 32767)); }

// The form holding the pane, moved or sized by a page only while FloatingHosting is set.
template <class Apply>
void ApplyToForm(TControl* pane, bool floating, Apply&& apply) {
    if (!floating) return;
    if (TCustomForm* form = GetParentForm(pane)) apply(*form);
}

}  // namespace

HResult TCustomWebPane::MoveTo(int32_t x, int32_t y) {
    return GuardHostCall(kS_OK, [&] {
        ApplyToForm(this, FloatingHosting, [&](TCustomForm& f) {
            f.SetBounds(Position(x), Position(y), f.Width(), f.Height());
        });
        if (OnMove) OnMove(this, x, y);
        return kS_OK;
    });
}

HResult TCustomWebPane::MoveBy(int32_t dx, int32_t dy) {
    return GuardHostCall(kS_OK, [&] {
        ApplyToForm(this, FloatingHosting, [&](TCustomForm& f) {
            f.SetBounds(Position(int64_t{f.Left()} + dx), Position(int64_t{f.Top()} + dy),
                        f.Width(), f.Height());
        });
        if (OnMoveBy) OnMoveBy(this, dx, dy);
        return kS_OK;
    });
}

HResult TCustomWebPane::ResizeTo(int32_t width, int32_t height) {
    return GuardHostCall(kS_OK, [&] {
        ApplyToForm(this, FloatingHosting, [&](TCustomForm& f) {
            f.SetBounds(f.Left(), f.Top(), Extent(width), Extent(height));
        });
        if (OnResize) OnResize(this, width, height);
        return kS_OK;
    });
}

HResult TCustomWebPane::ResizeBy(int32_t dw, int32_t dh) {
    return GuardHostCall(kS_OK, [&] {
        ApplyToForm(this, FloatingHosting, [&](TCustomForm& f) {
            f.SetBounds(f.Left(), f.Top(), Extent(int64_t{f.Width()} + dw),
                        Extent(int64_t{f.Height()} + dh));
        });
        if (OnResizeBy) OnResizeBy(this, dw, dh);
        return kS_OK;
    });
}
