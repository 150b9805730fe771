// TWebPane: construction, end of loading, host information, menu filtering, text zoom,
// print setup and the pane's own messages. The dialog-box rules are in WebPaneDialogRules.cpp.
#include "browser/WebPane.h"

#include "browser/HostGuard.h"
#include "browser/WebPaneUnit.h"

using namespace platform;

namespace {
// The framework's key-down notification to the focused control.
constexpr uint32_t CN_KEYDOWN = 0xBC00 + WM_KEYDOWN;
constexpr uint32_t kEnterKey = 13;
constexpr int32_t kNormalTextSize = 2;
}  // namespace

const std::string& TWebPane::IdentificationText() {
    static const std::string text = " Puzzlebin WebPane (+http://puzzlebin.example.org/webpane/)";
    return text;
}

TWebPane::TWebPane(TComponent* owner) : TCustomWebPane(owner) {
    UserAgent = IdentificationText();
    printOptions_ = std::make_unique<TPrintOptions>();
    proxySettings_ = std::make_unique<TProxySettings>();
    shortCuts_ = std::make_unique<TShortCuts>(*this);
    disableErrors_ = std::make_unique<TDisableErrors>();
    dialogBoxes_ = std::make_unique<TDialogBoxes>();
    visualEffects_ = std::make_unique<TVisualEffects>();
    visualEffects_->OnTextSizeChanged = [this] {
        if (!IsLoading() && !IsDesigning() && ControlSetUp())
            SetDocumentTextSize(visualEffects_->TextSize());
    };
    EnableMessageHandler = true;
}

TWebPane::~TWebPane() {
    liveness_.End();
    visualEffects_->OnTextSizeChanged = nullptr;
    if (visualEffects_->TextSize() != kNormalTextSize && !IsDesigning() && ControlSetUp() &&
        !WaitingForEngine()) {
        // The document's zoom goes back to normal; a control that cannot do it is left.
        try {
            SetDocumentTextSize(kNormalTextSize);
        } catch (const std::exception&) {
        }
    }
    RemoveDialogHook();
}

void TWebPane::Loaded() {
    TCustomWebPane::Loaded();
    if (IsDesigning()) return;
    EnableMessageHandler = true;
    if (disableErrors_->ScriptErrorsSuppressed) ScriptErrorAction = eaContinue;
    if (!WebPaneUnit::DialogHookInstalled()) InstallDialogHook();
    if (UserAgent != IdentificationText()) UserAgent += IdentificationText();
    WebPaneUnit::RegisterUserAgent(UserAgent);
    if (proxySettings_->AutoLoadProxy && !proxySettings_->Address.empty() &&
        !WebPaneUnit::ApplyProxy(*proxySettings_)) {
        // Refused (and logged): the application's error handler says so too.
        GuardHostEvent([&] {
            throw EConvertError(
                "The proxy address '" + proxySettings_->Address + ":" +
                std::to_string(proxySettings_->Port) +
                "' is not a host and port; the pane uses the user's own proxy settings");
        });
    }
    if (visualEffects_->DisableSounds) WebPaneUnit::SwitchNavigationSoundOff();
    ApplyPrintOptions();
    if (visualEffects_->TextSize() != kNormalTextSize) {
        GuardHostEvent([&] { SetDocumentTextSize(visualEffects_->TextSize()); });
    }
}

HResult TWebPane::GetHostInfo(DocHostUiInfo& info) {
    const HResult hr = TCustomWebPane::GetHostInfo(info);
    if ((!info.pchHostCss || info.pchHostCss->empty()) && !HostCSS.empty())
        info.pchHostCss = Utf8ToWide(HostCSS);
    if ((!info.pchHostNS || info.pchHostNS->empty()) && !HostNS.empty())
        info.pchHostNS = Utf8ToWide(HostNS);
    return hr;
}

bool TWebPane::FiltersPopupMenus() const {
    return TCustomWebPane::FiltersPopupMenus() || DisabledPopupMenuItems != 0;
}

void TWebPane::FilterPopupMenu(uint32_t id, WebContextMenu& menu, WebObject* context) {
    TCustomWebPane::FilterPopupMenu(id, menu, context);
    const std::vector<uint32_t>& commands = PopupMenuItemCommands();
    for (size_t i = 0; i < commands.size(); ++i) {
        if (DisabledPopupMenuItems & SetOf(static_cast<int>(i))) menu.DeleteCommand(commands[i]);
    }
}

void TWebPane::SetDocumentTextSize(int32_t level) {
    OleVariant none;
    OleVariant range;
    ExecWB(OLECMDID_GETZOOMRANGE, OLECMDEXECOPT_DODEFAULT, none, range);
    const uint32_t word = range.type == OleVariant::Type::UInt32
                              ? range.uintValue
                              : static_cast<uint32_t>(range.intValue);
    const int32_t low = static_cast<int16_t>(LoWord(word));
    const int32_t high = static_cast<int16_t>(HiWord(word));
    if (low <= high) level = std::clamp(level, low, high);
    OleVariant in = OleVariant::FromInt(level);
    ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, in);
}

void TWebPane::ApplyPrintOptions() {
    if (WaitingForEngine()) {
        WhenControlMade([this] { ApplyPrintOptions(); });
        return;
    }
    WebControlObject* control = ControlObject();
    if (!control) return;
    if (!printOptions_->Enabled) {
        control->SetPrintSetup(nullptr);
        return;
    }
    WebPrintSetup setup;
    setup.header = printOptions_->Header;
    setup.footer = printOptions_->Footer;
    setup.marginLeft = printOptions_->Margins.Left;
    setup.marginRight = printOptions_->Margins.Right;
    setup.marginTop = printOptions_->Margins.Top;
    setup.marginBottom = printOptions_->Margins.Bottom;
    setup.landscape = printOptions_->Orientation == poLandscape;
    control->SetPrintSetup(&setup);
}

void TWebPane::WndProc(TMessage& message) {
    const TLivenessWatch alive = LivenessWatch();
    TCustomWebPane::WndProc(message);
    if (!alive.Alive()) return;  // a handler of the message freed the pane
    if (EnableMessageHandler && message.Msg == CN_KEYDOWN && message.WParam == kEnterKey)
        message.Result = 0;
    if (message.Msg == WM_CLOSE && OnCloseQuery) {
        bool canClose = true;
        OnCloseQuery(this, canClose);
    }
}
