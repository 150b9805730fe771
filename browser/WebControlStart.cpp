#include "browser/WebControlStart.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <exception>
#include <utility>

#include "base/Exceptions.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace WebControlStart {
namespace {

struct QueuedCall {
    const TWebControl* control;
    CallKind kind;
    uint64_t turn;  // the turn of the message loop it was made in
    std::function<void()> run;
};

struct StartState {
    bool held = false;
    std::deque<QueuedCall> queue;
    platform::TimerId fallbackTimer = 0;
    uint64_t turn = 0;
    bool turnEndPosted = false;
};

StartState& State() {
    static StartState state;
    return state;
}

void StopFallbackTimer() {
    StartState& s = State();
    if (s.fallbackTimer == 0) return;
    if (platform::HasCurrent()) platform::Current().KillTimer(s.fallbackTimer);
    s.fallbackTimer = 0;
}

void ReportFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& e) {
        Application().HandleException(e);
    } catch (...) {
        Application().HandleException(Exception("Unknown error while the web engine started"));
    }
}

// Calls queued before the posted task runs were made in one turn of the message loop.
void NoteTurn() {
    StartState& s = State();
    if (s.turnEndPosted || !platform::HasCurrent()) return;
    s.turnEndPosted = true;
    platform::Current().Post([] {
        StartState& state = State();
        state.turnEndPosted = false;
        ++state.turn;
    });
}

}  // namespace

void Hold() {
    StartState& s = State();
    s.held = true;
    s.turnEndPosted = false;  // a task posted on a platform since replaced never runs
}

bool Held() { return State().held; }

void Start() {
    StartState& s = State();
    if (!s.held) return;
    StopFallbackTimer();
    // Still held while the queue runs: a control made by a queued call waits its turn at
    // the end of the queue. A call that starts the engine from inside (a property read)
    // runs the rest of the queue first, so the loop below then finds it empty.
    while (!s.queue.empty()) {
        QueuedCall call = std::move(s.queue.front());
        s.queue.pop_front();
        try {
            call.run();
        } catch (...) {
            if (call.kind == CallKind::Request) {
                std::erase_if(s.queue, [&call](const QueuedCall& later) {
                    return later.kind == CallKind::Request && later.turn == call.turn;
                });
            }
            ReportFailure(std::current_exception());
        }
    }
    s.held = false;
}

void StartAfterFirstFrame(uint32_t fallbackMs) {
    StartState& s = State();
    if (!s.held || !platform::HasCurrent()) return;
    platform::Platform& p = platform::Current();
    StopFallbackTimer();
    s.fallbackTimer = p.SetTimer(fallbackMs, [] { Start(); });
    // The main form is shown as the message loop starts (Application().Run); by the time a
    // posted task runs it has its window.
    p.Post([] {
        TCustomForm* form = Application().MainForm();
        platform::Window* window = form && form->Visible() ? form->PlatformWindow() : nullptr;
        if (window) window->AfterFirstFrame([] { Start(); });
    });
}

void Queue(TWebControl& control, CallKind kind, std::function<void()> call) {
    NoteTurn();
    StartState& s = State();
    s.queue.push_back({&control, kind, s.turn, std::move(call)});
}

void Forget(const TWebControl& control) {
    std::erase_if(State().queue,
                  [&control](const QueuedCall& call) { return call.control == &control; });
}

}  // namespace WebControlStart
