// What a web page may start outside the program. A pane never opens a browser window of
// its own: a new-window request that no handler takes goes to the desktop's default
// handler (platform OpenUri). That is another program, started on a page's word, so:
//   - only http, https and mailto addresses leave the program;
//   - only in answer to a user's click or key press in that pane (the engine feeds the
//     pane's real button and key presses in, and says whether the page's request came
//     from a user gesture);
//   - at most one launch per click or key press;
//   - every refused request leaves one line in the program's log (platform/Log.h).
// Both engines keep one policy per control and hand it to RaiseNewWindowRequest.
#pragma once

#include <cstdint>
#include <string>

#include "base/Liveness.h"

namespace platform {

// Whether an address may go to the desktop's default handler: "http://host...",
// "https://host..." or "mailto:..." (the scheme in any case), without blanks or control
// characters, at most 8192 bytes.
[[nodiscard]] bool MayLeaveProgram(const std::string& uri);

// The user's clicks and key presses in one pane, each good for one use.
class UserGestureGate {
public:
    // A button or key press in the pane.
    void Gesture() {
        state_ = State::Available;
        ++gestures_;
    }
    // True once per gesture (the gesture is used up).
    bool Take() {
        if (state_ != State::Available) return false;
        state_ = State::Spent;
        return true;
    }
    [[nodiscard]] bool Available() const { return state_ == State::Available; }
    // Whether the latest gesture has been used.
    [[nodiscard]] bool Spent() const { return state_ == State::Spent; }
    [[nodiscard]] uint64_t Gestures() const { return gestures_; }

private:
    enum class State { None, Available, Spent };
    State state_ = State::None;
    uint64_t gestures_ = 0;
};

class LaunchPolicy {
public:
    enum class Verdict { Launched, Refused };

    // A click or key press of the user in the pane.
    void UserGesture() { gestures_.Gesture(); }
    [[nodiscard]] const UserGestureGate& Gestures() const { return gestures_; }

    // A request to hand `uri` to the desktop. `userInitiated`: the engine says the page
    // asked while handling a user gesture. `requestedBy` names who asked (the page's
    // address) for the log. Launches through the platform's OpenUri when every rule
    // allows it; otherwise writes one log line saying what was refused and why.
    Verdict Request(const std::string& uri, bool userInitiated, const std::string& requestedBy);

    // Lives as long as the policy (a request's handlers may free the pane that owns it).
    [[nodiscard]] TLivenessWatch Watch() const { return liveness_.Watch(); }

    // Launches and refusals so far.
    [[nodiscard]] uint64_t Launches() const { return launches_; }
    [[nodiscard]] uint64_t Refusals() const { return refusals_; }

private:
    void Refuse(const std::string& uri, const std::string& requestedBy, const char* reason);

    TLiveness liveness_;
    UserGestureGate gestures_;
    uint64_t launches_ = 0;
    uint64_t refusals_ = 0;
};

}  // namespace platform
