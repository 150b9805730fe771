// Pointer and keyboard grabs for popups (menus): while a grab is held every pointer and key
// event of the program goes to one sink, wherever the pointer is, and reaches no window,
// so a click outside the popups can close them without touching what lies below.
#pragma once

namespace platform {

struct MouseEvent;
struct KeyEvent;

class InputGrabSink {
public:
    virtual ~InputGrabSink() = default;
    // `pos` is relative to the grab's anchor window, `screenPos` is the screen point.
    virtual void OnGrabbedMouse(const MouseEvent& event) = 0;
    virtual void OnGrabbedKey(const KeyEvent& event) = 0;
    // The system ended the grab (another program took it, the anchor went away).
    virtual void OnGrabEnded() = 0;
};

// A grab being held; destroying it releases the grab. The sink is not called after that.
class InputGrab {
public:
    virtual ~InputGrab() = default;
};

}  // namespace platform
