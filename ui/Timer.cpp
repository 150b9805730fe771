// TTimer on the platform's timers.
#include "ui/Timer.h"

#include <utility>

#include "platform/Platform.h"
#include "ui/Application.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() {
    liveness_.End();
    if (platformTimer_ && platform::HasCurrent()) platform::Current().KillTimer(platformTimer_);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (platformTimer_ && platform::HasCurrent()) platform::Current().KillTimer(platformTimer_);
    platformTimer_ = 0;
    if (!enabled_ || interval_ == 0 || IsLoading() || IsDesigning() || !platform::HasCurrent())
        return;
    TLivenessWatch alive = liveness_.Watch();
    platformTimer_ = platform::Current().SetTimer(interval_, [this, alive] {
        if (!alive.Alive()) return;
        try {
            Timer();
        } catch (const std::exception& e) {
            Application().HandleException(e);
        }
    });
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

namespace {

void StopAndSet(TTimer& timer, uint32_t interval, std::function<void()> tick) {
    timer.SetEnabled(false);
    timer.SetInterval(interval);
    timer.OnTimer = [tick = std::move(tick)](TComponent*) { tick(); };
}

}  // namespace

TTimer* MakeStoppedTimer(TComponent* owner, uint32_t interval, std::function<void()> tick) {
    auto* timer = new TTimer(owner);
    StopAndSet(*timer, interval, std::move(tick));
    return timer;
}

std::unique_ptr<TTimer> MakeStoppedTimer(uint32_t interval, std::function<void()> tick) {
    auto timer = std::make_unique<TTimer>(nullptr);
    StopAndSet(*timer, interval, std::move(tick));
    return timer;
}
