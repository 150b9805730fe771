// Bringing the web engine up after the program's window is on screen. The engine's start
// (its process, its context, the first views) costs far more than drawing the skinned
// window, so the program holds it back until the window's first frame has been shown.
//
// While the start is held, a web control made is only recorded: the engine creates its
// object, sets it up and runs what was asked of it (navigations, property writes, the
// panes' print and drop set-up) when the start comes, in the order the program made the
// controls and the calls. A call that needs the engine's answer (a property read, a command
// whose arguments the engine fills, the automation interface itself) starts the engine at
// once, so it is answered as before. Nothing is held unless Hold was called: tests and tools
// get their controls' objects at once.
#pragma once

#include <cstdint>
#include <functional>

class TWebControl;

namespace WebControlStart {

// Web controls made from now on wait for Start.
void Hold();
[[nodiscard]] bool Held();

// Runs everything held, in order, and stops holding. A held request that fails is reported
// as a failing handler is (Application().HandleException: its one message box), and the
// requests made after it in the same turn of the message loop are dropped, as the handler
// that made them would have stopped at the error. When a control's object cannot be made,
// that error is shown and the control's own later calls are dropped with it.
void Start();

// Starts once the application's main form, shown when the message loop starts, has had
// its first frame reach the screen, or after `fallbackMs` when that has not happened by
// then (a form that is not shown, or never drawn).
void StartAfterFirstFrame(uint32_t fallbackMs);

// ---- For TWebControl ----
// A step of the control's own set-up, or a request the program made of it (a navigation,
// a property written).
enum class CallKind { Step, Request };
// Queues `call` for `control` (run by Start, after everything queued before it).
void Queue(TWebControl& control, CallKind kind, std::function<void()> call);
// Drops what is queued for `control` (it is being destroyed, or its object failed).
void Forget(const TWebControl& control);

}  // namespace WebControlStart
