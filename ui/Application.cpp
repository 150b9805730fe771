// TApplication: main form, message loop, error handler, main-window hooks and hints.
#include "ui/Application.h"

#include "platform/Platform.h"
#include "ui/Forms.h"
#include "ui/ProgramIcon.h"
#include "ui/Screen.h"

namespace {
// Offset of a hint below the pointer.
constexpr int kHintOffsetY = 20;
constexpr int kHintMaxWidth = 300;
}  // namespace

TApplication& Application() {
    // Never destroyed: forms and timers may still refer to it while the process ends.
    static TApplication* app = new TApplication(nullptr);
    return *app;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), icon_(LoadProgramIcon()) {}

TApplication::~TApplication() { StopHintTimer(); }

void TApplication::Initialize() {
    terminated_ = false;
    minimized_ = false;
}

void TApplication::FormCreated(TCustomForm* form) {
    if (!mainForm_) mainForm_ = form;
}

void TApplication::SetMainForm(TCustomForm* form) { mainForm_ = form; }

void TApplication::SetIcon(const TBitmap& icon) {
    icon_ = icon;
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* form = Screen().Forms(i);
        if (!form->Icon()) form->ApplyWindowIcon();
    }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
    if (terminated_) return;
    running_ = true;
    if (mainForm_ && ShowMainForm) mainForm_->Show();
    if (!terminated_) platform::Current().Run();
    running_ = false;
}

void TApplication::ProcessMessages() { platform::Current().ProcessPending(); }

void TApplication::Terminate() {
    terminated_ = true;
    if (platform::HasCurrent()) platform::Current().Quit();
}

void TApplication::HandleException(const std::exception& e) {
    if (OnException) {
        try {
            OnException(this, e);
            return;
        } catch (const std::exception& inner) {
            ShowException(inner);
            return;
        }
    }
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
    if (!platform::HasCurrent()) return;
    platform::Current().ShowMessageBox(Title, e.what(), platform::MessageBoxKind::Error,
                                       platform::MessageBoxButtons::Ok);
}

void TApplication::DispatchMessage(TControl* target, TMessage& message) {
    if (!target) return;
    try {
        bool handled = false;
        if (OnMessage) OnMessage(target, message, handled);
        if (handled) return;
        if (static_cast<TControl*>(mainForm_) == target && RunMainWindowHooks(message)) return;
        if (target->WindowProc)
            target->WindowProc(message);
        else
            target->WndProc(message);
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TApplication::Minimize() {
    if (minimized_) return;
    minimized_ = true;
    CancelHint();
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* f = Screen().Forms(i);
        if (f->Visible() && f->PlatformWindow()) f->PlatformWindow()->Minimize();
    }
    if (const TNotifyEvent handler = OnMinimize) handler(this);  // a copy: a handler may replace it
}

void TApplication::Restore() {
    if (!minimized_) return;
    minimized_ = false;
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* f = Screen().Forms(i);
        if (f->Visible() && f->PlatformWindow()) f->PlatformWindow()->Restore();
    }
    if (mainForm_ && mainForm_->Visible()) mainForm_->BringToFront();
    if (const TNotifyEvent handler = OnRestore) handler(this);
}

int TApplication::HookMainWindow(std::function<bool(TMessage&)> hook) {
    const int id = nextHookId_++;
    hooks_[id] = std::move(hook);
    return id;
}

void TApplication::UnhookMainWindow(int id) { hooks_.erase(id); }

bool TApplication::RunMainWindowHooks(TMessage& message) {
    if (hooks_.empty()) return false;
    const auto hooks = hooks_;  // a hook may unhook itself
    for (const auto& [id, hook] : hooks) {
        if (hook && hook(message)) return true;
    }
    return false;
}

// ---- Hints ----

void TApplication::StopHintTimer() {
    if (hintTimer_ && platform::HasCurrent()) platform::Current().KillTimer(hintTimer_);
    hintTimer_ = 0;
}

void TApplication::CancelHint() {
    StopHintTimer();
    hintControl_ = nullptr;
    hintControlAlive_.Reset();
    hintShown_ = false;
    // The window is dropped, not kept: it belongs to the platform of the moment.
    hintWindow_.reset();
}

void TApplication::HintMouseMessage(TControl* control, TPoint screenPoint) {
    hintPoint_ = screenPoint;
    const bool wants = ShowHint && control && control->ShowHint() && !control->Hint.empty();
    if (!wants) {
        if (hintControl_) CancelHint();
        return;
    }
    if (control == hintControl_ && hintControlAlive_.Alive()) return;
    const bool wasShown = hintShown_;
    CancelHint();
    hintControl_ = control;
    hintControlAlive_ = control->LivenessWatch();
    hintTimer_ = platform::Current().SetTimer(
        static_cast<uint32_t>(wasShown ? HintShortPause : HintPause), [this] { ShowHintNow(); });
}

void TApplication::ShowHintNow() {
    StopHintTimer();
    if (!hintControl_ || !hintControlAlive_.Alive()) return;
    hintWindow_ =
        HintWindowClass ? HintWindowClass(nullptr) : std::make_unique<THintWindow>(nullptr);
    if (!hintWindow_) return;
    std::string hint = hintControl_->Hint;
    THintInfo info;
    info.HintControl = hintControl_;
    info.HintPos = {hintPoint_.X, hintPoint_.Y + kHintOffsetY};
    info.HintMaxWidth = kHintMaxWidth;
    bool canShow = true;
    if (OnShowHint) {
        const TShowHintEvent handler = OnShowHint;
        handler(hint, canShow, info);
    }
    if (!canShow || !hintWindow_) return;
    TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, hint);
    r = OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    hintWindow_->ActivateHint(r, hint);
    hintShown_ = true;
    hintTimer_ =
        platform::Current().SetTimer(static_cast<uint32_t>(std::max(1, HintHidePause)), [this] {
            StopHintTimer();
            if (hintWindow_) hintWindow_->ReleaseHandle();
        });
}
