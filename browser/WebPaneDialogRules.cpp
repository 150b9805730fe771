// The dialog-box rules of TWebPane. One pane (the first to finish loading) hooks its
// owner's message procedure; every message still reaches the previous procedure, except
// the activation notices of dialog boxes that the rules end. A dialog of the control
// announces itself to the owner as the window that took activation from it (WM_ACTIVATE,
// WA_INACTIVE, the dialog in LPARAM); only dialogs announced that way are treated as
// dialogs, so a stray LPARAM never is.
#include <algorithm>
#include <vector>

#include "base/AsciiText.h"
#include "browser/HostGuard.h"
#include "browser/WebPane.h"
#include "browser/WebPaneUnit.h"

using namespace platform;

namespace {

constexpr size_t kClassNameBuffer = 80;  // characters, terminator included
constexpr const char* kDialogClass = "#32770";
constexpr const char* kHtmlDialogClass = "Internet Explorer_TridentDlgFrame";
constexpr const char* kDefaultNewCaption = "Web Browser";

// Dialogs being announced right now (the owner is told synchronously).
std::vector<WebDialog*>& AnnouncedDialogs() {
    static std::vector<WebDialog*> dialogs;
    return dialogs;
}

bool IsAnnounced(intptr_t lParam) {
    const auto& dialogs = AnnouncedDialogs();
    return std::find(dialogs.begin(), dialogs.end(), reinterpret_cast<WebDialog*>(lParam)) !=
           dialogs.end();
}

}  // namespace

struct TDialogHookState {
    TWebPane* pane = nullptr;  // null once the pane is gone: the hook only passes messages on
    TControl* owner = nullptr;
    std::function<void(TMessage&)> previous;
};

namespace {

struct DialogHookProc {
    std::shared_ptr<TDialogHookState> state;

    void operator()(TMessage& message) const {
        const std::shared_ptr<TDialogHookState> keep =
            state;  // the procedure may be replaced meanwhile
        if (keep->pane && message.Msg == WM_ACTIVATE && LoWord(message.WParam) == WA_INACTIVE &&
            message.LParam != 0 && IsAnnounced(message.LParam)) {
            if (keep->pane->HandleDialogActivation(*reinterpret_cast<WebDialog*>(message.LParam)))
                return;
        }
        if (keep->previous) keep->previous(message);
    }
};

}  // namespace

void TWebPane::InstallDialogHook() {
    auto* owner = dynamic_cast<TControl*>(Owner());
    if (!owner || hook_) return;
    hook_ = std::make_shared<TDialogHookState>();
    hook_->pane = this;
    hook_->owner = owner;
    hook_->previous = owner->WindowProc;
    owner->WindowProc = DialogHookProc{hook_};
    WebPaneUnit::SetDialogHookInstalled(true);
}

void TWebPane::RemoveDialogHook() {
    if (!hook_) return;
    hook_->pane = nullptr;
    TControl* owner = hook_->owner;
    // Put the previous procedure back unless someone hooked the owner after us; then our
    // procedure stays in the chain and only passes messages on.
    if (owner && !owner->IsDestroying()) {
        const auto* current = owner->WindowProc.target<DialogHookProc>();
        if (current && current->state == hook_) owner->WindowProc = hook_->previous;
    }
    hook_.reset();
    WebPaneUnit::SetDialogHookInstalled(false);
}

void TWebPane::NotifyOwnerOfDialog(WebDialog& dialog) {
    AnnouncedDialogs().push_back(&dialog);
    try {
        TCustomWebPane::NotifyOwnerOfDialog(dialog);
    } catch (...) {
        std::erase(AnnouncedDialogs(), &dialog);
        throw;
    }
    std::erase(AnnouncedDialogs(), &dialog);
}

bool TWebPane::HandleDialogActivation(WebDialog& dialog) {
    std::string className = dialog.ClassName();
    if (className.size() > kClassNameBuffer - 1) className.resize(kClassNameBuffer - 1);
    if (className == kDialogClass || className == kHtmlDialogClass) {
        if (dialogBoxes_->DisableAll) dialog.RequestClose();
        if (dialogBoxes_->ReplaceIcon) dialog.UseApplicationIcon();
        std::string captionRead;
        bool captionReplaced = false;
        if (dialogBoxes_->ReplaceCaption) {
            if (dialogBoxes_->NewCaption.empty()) dialogBoxes_->NewCaption = kDefaultNewCaption;
            captionRead = dialog.Caption();
            dialog.SetCaption(ReplacedDialogCaption(captionRead, dialogBoxes_->NewCaption));
            captionReplaced = true;
        }
        if (disableErrors_->ScriptErrorsSuppressed) {
            const std::string text = UpperAsciiText(captionReplaced ? captionRead : className);
            if (text.find("SCRIPT") != std::string::npos) {
                dialog.PostClick();
                dialog.RequestClose();
                Application().ProcessMessages();
                return true;
            }
            if (text.find("ERROR") != std::string::npos) {
                dialog.Destroy();
                return true;
            }
        }
    }
    if (OnShowDialog) GuardHostEvent([&] { OnShowDialog(this, &dialog); });
    return false;
}
