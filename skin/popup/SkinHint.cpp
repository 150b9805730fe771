#include "skin/popup/SkinHint.h"

#include "skin/data/SkinData.h"
#include "skin/popup/SkinHintWindow.h"
#include "ui/Forms.h"
#include "ui/Screen.h"
#include "ui/WindowOpacity.h"

namespace {

constexpr int kShortHintPauseMs = 100;
int gLiveHints = 0;

std::unique_ptr<THintWindow> MakeSkinHintWindow(TComponent* owner) {
    return std::make_unique<TspSkinHintWindow>(owner);
}

// The application's show-hint event goes to the active component's OnShowHint.
void RouteShowHint(std::string& hintStr, bool& canShow, THintInfo& info) {
    TspSkinHint* hint = TspSkinHintWindow::ServingHint();
    if (hint && hint->OnShowHint) hint->OnShowHint(hintStr, canShow, info);
}

}  // namespace

int CursorBottomOffsetFromMask(const platform::CursorInfo& cursor) {
    const int w = cursor.width;
    const int h = cursor.height;
    if (cursor.mask.empty() || cursor.bitsPerPixel != 1 || w <= 0 || h <= 0)
        return cursor.systemHeight;
    const size_t rowBytes = static_cast<size_t>((w * cursor.bitsPerPixel + 31) / 32) * 4;
    const size_t image = rowBytes * static_cast<size_t>(h);
    if (cursor.mask.size() < image) return cursor.systemHeight;
    // The lowest row of the AND half with a pixel that is not transparent.
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = cursor.mask.data() + rowBytes * static_cast<size_t>(y);
        for (size_t i = 0; i < rowBytes; ++i)
            if (row[i] != 0xFF) return y - cursor.hotspotY;
    }
    // A wholly transparent AND half: the XOR half (monochrome cursors) tells.
    if (cursor.mask.size() >= 2 * image) {
        for (int y = h - 1; y >= 0; --y) {
            const uint8_t* row = cursor.mask.data() + image + rowBytes * static_cast<size_t>(y);
            for (size_t i = 0; i < rowBytes; ++i)
                if (row[i] != 0) return y - cursor.hotspotY;
        }
    }
    return cursor.systemHeight;
}

TspSkinHint::TspSkinHint(TComponent* owner)
    : TComponent(owner), window_(std::make_unique<TspSkinHintWindow>(nullptr)) {
    ++gLiveHints;
    SetAlphaBlendSupport(true);
    // The application's hints are shown in skinned windows from now on; the hint window of
    // the plain kind goes.
    TApplication& app = Application();
    app.CancelHint();
    app.HintWindowClass = &MakeSkinHintWindow;
    app.OnShowHint = &RouteShowHint;
    app.HintShortPause = kShortHintPauseMs;
}

TspSkinHint::~TspSkinHint() {
    StopTimer();
    window_.reset();  // it may serve this component: gone while this one is whole
    if (skinData_) skinData_->RemoveFreeNotification(this);
    if (--gLiveHints == 0) {
        TApplication& app = Application();
        app.CancelHint();
        app.HintWindowClass = nullptr;
        app.OnShowHint = nullptr;
    }
}

void TspSkinHint::SetSkinData(TspSkinData* data) {
    if (skinData_ == data) return;
    if (skinData_) skinData_->RemoveFreeNotification(this);
    skinData_ = data;
    if (skinData_) skinData_->FreeNotification(this);
}

void TspSkinHint::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == skinData_) skinData_ = nullptr;
}

void TspSkinHint::SetActive(bool active) {
    active_ = active;
    if (!active) return;
    const TComponent* scope = Application().MainForm();
    if (!scope) scope = Owner();
    if (!scope) return;
    for (int i = 0; i < scope->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TspSkinHint*>(scope->Components(i));
        if (other && other != this) other->active_ = false;
    }
}

void TspSkinHint::SetAlphaBlendSupport(bool value) {
    alphaBlendSupport_ = value && (IsDesigning() || LayeredWindowsSupported());
}

void TspSkinHint::StopTimer() {
    if (timer_ && platform::HasCurrent()) platform::Current().KillTimer(timer_);
    timer_ = 0;
    step_ = Step::None;
}

void TspSkinHint::StartTimer(uint32_t ms, Step step) {
    StopTimer();
    TLivenessWatch alive = liveness_.Watch();
    step_ = step;
    timer_ = platform::Current().SetTimer(ms, [this, alive] {
        if (!alive.Alive()) return;
        if (step_ == Step::Show)
            ShowPendingHint();
        else
            HideHint();
    });
}

void TspSkinHint::ShowHintAtCursor(const std::string& text) {
    StopTimer();
    pendingText_ = text;
    StartTimer(static_cast<uint32_t>(std::max(1, Application().HintPause)), Step::Show);
}

void TspSkinHint::ShowPendingHint() {
    if (!timer_) return;
    const TPoint cursor = Screen().CursorPos();
    const int y = cursor.Y + CursorBottomOffset();
    window_->ActivateHint(Rect(cursor.X, y, cursor.X, y), pendingText_);
    StartTimer(static_cast<uint32_t>(std::max(1, Application().HintHidePause)), Step::Hide);
}

void TspSkinHint::HideHint() {
    StopTimer();
    if (window_->PopupWindowShown()) window_->ReleaseHandle();
}

int TspSkinHint::CursorBottomOffset() const {
    if (!platform::HasCurrent()) return 0;
    return CursorBottomOffsetFromMask(platform::Current().CurrentCursor());
}
