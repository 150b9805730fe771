// TTimer: a component that raises OnTimer every Interval milliseconds on the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "ui/Component.h"
#include "ui/Controls.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    [[nodiscard]] const char* ClassName() const override { return "TTimer"; }

    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    [[nodiscard]] uint32_t Interval() const { return interval_; }
    // 0 stops the timer (as the framework's timer does).
    void SetInterval(uint32_t ms);
    // Raised on every tick while Enabled and Interval > 0.
    TNotifyEvent OnTimer;

    void Loaded() override;

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    uint32_t interval_ = 1000;
    uint64_t platformTimer_ = 0;
    TLiveness liveness_;
};

// A stopped timer owned by `owner` that calls `tick` every `interval` ms once enabled.
TTimer* MakeStoppedTimer(TComponent* owner, uint32_t interval, std::function<void()> tick);
// The same timer outside the component tree, held by the caller.
[[nodiscard]] std::unique_ptr<TTimer> MakeStoppedTimer(uint32_t interval,
                                                       std::function<void()> tick);
