// Translation of GDK input into the framework's terms: virtual key codes, typed characters,
// modifier and button bits, double-click detection and cursor names.
#pragma once

#include <gdk/gdk.h>

#include <cstdint>

#include "platform/Platform.h"

namespace platform::gtk {

// The virtual key of an unshifted keyval (level 0 of the key): letters and digits are
// their ASCII upper case, everything else the platform's VK_* code; 0 for unknown keys.
[[nodiscard]] uint16_t VirtualKeyFromKeyval(guint keyval);

// The character a key press types, 0 for none. With Control held, letters give the
// control characters 1..26 as the platform's character messages do.
[[nodiscard]] uint32_t CharFromKeyval(guint keyval, uint32_t modifiers);

[[nodiscard]] uint32_t ModifiersFromState(guint state);

// MK_* bits of the buttons held after the event: GDK reports the state before a press
// or release, the framework expects the state after it.
[[nodiscard]] uint32_t ButtonsDownAfter(guint state, guint button, bool pressed);

[[nodiscard]] MouseButton ButtonFromGdk(guint button);

// A key event in the framework's terms; the virtual key comes from the key's unshifted
// level, so Shift+1 is still the key '1'.
[[nodiscard]] KeyEvent KeyEventFromGdk(const GdkEventKey* event);

// Turns the second press of a button, close in time and place to the first, into a double
// click. The pair is consumed: a third press starts a new click, as on the platform the
// framework was written for (down, up, double click, up).
class ClickTracker {
public:
    ClickTracker(uint32_t timeMs, int distance) : timeMs_(timeMs), distance_(distance) {}
    void SetLimits(uint32_t timeMs, int distance) {
        timeMs_ = timeMs;
        distance_ = distance;
    }
    // Returns true when this press completes a double click.
    bool Press(guint button, uint32_t timeMs, int x, int y);
    void Reset() { lastButton_ = 0; }

private:
    uint32_t timeMs_;
    int distance_;
    guint lastButton_ = 0;
    uint32_t lastTime_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
};

// The freedesktop cursor name for a shape.
[[nodiscard]] const char* CursorName(CursorShape shape);

}  // namespace platform::gtk
