#include "platform/gtk/GtkInput.h"

#include <gdk/gdkkeysyms.h>

#include <cstdlib>

#include "base/Messages.h"

namespace platform::gtk {
namespace {

// Virtual key codes beyond the few the framework names in base/Messages.h.
enum : uint16_t {
    kVkPause = 0x13,
    kVkCapital = 0x14,
    kVkSnapshot = 0x2C,
    kVkLWin = 0x5B,
    kVkRWin = 0x5C,
    kVkApps = 0x5D,
    kVkNumpad0 = 0x60,
    kVkMultiply = 0x6A,
    kVkAdd = 0x6B,
    kVkSeparator = 0x6C,
    kVkSubtract = 0x6D,
    kVkDecimal = 0x6E,
    kVkDivide = 0x6F,
    kVkNumLock = 0x90,
    kVkScroll = 0x91,
    kVkOem1 = 0xBA,
    kVkOemPlus = 0xBB,
    kVkOemComma = 0xBC,
    kVkOemMinus = 0xBD,
    kVkOemPeriod = 0xBE,
    kVkOem2 = 0xBF,
    kVkOem3 = 0xC0,
    kVkOem4 = 0xDB,
    kVkOem5 = 0xDC,
    kVkOem6 = 0xDD,
    kVkOem7 = 0xDE,
};

}  // namespace

KeyEvent KeyEventFromGdk(const GdkEventKey* event) {
    guint baseKeyval = event->keyval;
    gdk_keymap_translate_keyboard_state(
        gdk_keymap_get_for_display(gdk_window_get_display(event->window)), event->hardware_keycode,
        static_cast<GdkModifierType>(0), event->group, &baseKeyval, nullptr, nullptr, nullptr);
    KeyEvent k;
    k.down = event->type == GDK_KEY_PRESS;
    k.modifiers = ModifiersFromState(event->state);
    k.virtualKey = VirtualKeyFromKeyval(baseKeyval);
    if (k.virtualKey == 0) k.virtualKey = VirtualKeyFromKeyval(event->keyval);
    k.unicodeChar = k.down ? CharFromKeyval(event->keyval, k.modifiers) : 0;
    return k;
}

uint16_t VirtualKeyFromKeyval(guint keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return static_cast<uint16_t>(keyval - 0x20);
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return static_cast<uint16_t>(keyval);
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return static_cast<uint16_t>(keyval);
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24)
        return static_cast<uint16_t>(VK_F1 + (keyval - GDK_KEY_F1));
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
        return static_cast<uint16_t>(kVkNumpad0 + (keyval - GDK_KEY_KP_0));
    switch (keyval) {
        case GDK_KEY_BackSpace:
            return VK_BACK;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab:
        case GDK_KEY_KP_Tab:
            return VK_TAB;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            return VK_RETURN;
        case GDK_KEY_Shift_L:
        case GDK_KEY_Shift_R:
            return VK_SHIFT;
        case GDK_KEY_Control_L:
        case GDK_KEY_Control_R:
            return VK_CONTROL;
        case GDK_KEY_Alt_L:
        case GDK_KEY_Alt_R:
        case GDK_KEY_Meta_L:
        case GDK_KEY_Meta_R:
        case GDK_KEY_ISO_Level3_Shift:
            return VK_MENU;
        case GDK_KEY_Pause:
            return kVkPause;
        case GDK_KEY_Caps_Lock:
            return kVkCapital;
        case GDK_KEY_Escape:
            return VK_ESCAPE;
        case GDK_KEY_space:
        case GDK_KEY_KP_Space:
            return VK_SPACE;
        case GDK_KEY_Page_Up:
        case GDK_KEY_KP_Page_Up:
            return VK_PRIOR;
        case GDK_KEY_Page_Down:
        case GDK_KEY_KP_Page_Down:
            return VK_NEXT;
        case GDK_KEY_End:
        case GDK_KEY_KP_End:
            return VK_END;
        case GDK_KEY_Home:
        case GDK_KEY_KP_Home:
            return VK_HOME;
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left:
            return VK_LEFT;
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up:
            return VK_UP;
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right:
            return VK_RIGHT;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down:
            return VK_DOWN;
        case GDK_KEY_Print:
            return kVkSnapshot;
        case GDK_KEY_Insert:
        case GDK_KEY_KP_Insert:
            return VK_INSERT;
        case GDK_KEY_Delete:
        case GDK_KEY_KP_Delete:
            return VK_DELETE;
        case GDK_KEY_Super_L:
            return kVkLWin;
        case GDK_KEY_Super_R:
            return kVkRWin;
        case GDK_KEY_Menu:
            return kVkApps;
        case GDK_KEY_KP_Multiply:
            return kVkMultiply;
        case GDK_KEY_KP_Add:
            return kVkAdd;
        case GDK_KEY_KP_Separator:
            return kVkSeparator;
        case GDK_KEY_KP_Subtract:
            return kVkSubtract;
        case GDK_KEY_KP_Decimal:
            return kVkDecimal;
        case GDK_KEY_KP_Divide:
            return kVkDivide;
        case GDK_KEY_Num_Lock:
            return kVkNumLock;
        case GDK_KEY_Scroll_Lock:
            return kVkScroll;
        case GDK_KEY_semicolon:
            return kVkOem1;
        case GDK_KEY_equal:
            return kVkOemPlus;
        case GDK_KEY_comma:
            return kVkOemComma;
        case GDK_KEY_minus:
            return kVkOemMinus;
        case GDK_KEY_period:
            return kVkOemPeriod;
        case GDK_KEY_slash:
            return kVkOem2;
        case GDK_KEY_grave:
            return kVkOem3;
        case GDK_KEY_bracketleft:
            return kVkOem4;
        case GDK_KEY_backslash:
            return kVkOem5;
        case GDK_KEY_bracketright:
            return kVkOem6;
        case GDK_KEY_apostrophe:
            return kVkOem7;
        default:
            return 0;
    }
}

uint32_t CharFromKeyval(guint keyval, uint32_t modifiers) {
    switch (keyval) {
        case GDK_KEY_BackSpace:
            return 0x08;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab:
            return 0x09;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            return 0x0D;
        case GDK_KEY_Escape:
            return 0x1B;
        default:
            break;
    }
    const uint32_t ch = gdk_keyval_to_unicode(keyval);
    if (ch == 0x7F) return 0;  // Delete types nothing
    if ((modifiers & kModControl) && !(modifiers & kModAlt)) {
        if (ch >= 'a' && ch <= 'z') return ch - 'a' + 1;
        if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 1;
    }
    return ch;
}

uint32_t ModifiersFromState(guint state) {
    uint32_t m = 0;
    if (state & GDK_SHIFT_MASK) m |= kModShift;
    if (state & GDK_CONTROL_MASK) m |= kModControl;
    if (state & GDK_MOD1_MASK) m |= kModAlt;
    return m;
}

uint32_t ButtonsDownAfter(guint state, guint button, bool pressed) {
    uint32_t bits = 0;
    if (state & GDK_BUTTON1_MASK) bits |= MK_LBUTTON;
    if (state & GDK_BUTTON2_MASK) bits |= MK_MBUTTON;
    if (state & GDK_BUTTON3_MASK) bits |= MK_RBUTTON;
    uint32_t changed = 0;
    switch (button) {
        case 1:
            changed = MK_LBUTTON;
            break;
        case 2:
            changed = MK_MBUTTON;
            break;
        case 3:
            changed = MK_RBUTTON;
            break;
        default:
            break;
    }
    return pressed ? (bits | changed) : (bits & ~changed);
}

MouseButton ButtonFromGdk(guint button) {
    switch (button) {
        case 1:
            return MouseButton::Left;
        case 2:
            return MouseButton::Middle;
        case 3:
            return MouseButton::Right;
        default:
            return MouseButton::None;
    }
}

bool ClickTracker::Press(guint button, uint32_t timeMs, int x, int y) {
    const bool isDouble = lastButton_ == button && timeMs - lastTime_ <= timeMs_ &&
                          std::abs(x - lastX_) <= distance_ && std::abs(y - lastY_) <= distance_;
    if (isDouble) {
        lastButton_ = 0;
        return true;
    }
    lastButton_ = button;
    lastTime_ = timeMs;
    lastX_ = x;
    lastY_ = y;
    return false;
}

const char* CursorName(CursorShape shape) {
    switch (shape) {
        case CursorShape::Default:
        case CursorShape::Arrow:
            return "default";
        case CursorShape::IBeam:
            return "text";
        case CursorShape::Wait:
            return "wait";
        case CursorShape::Cross:
            return "crosshair";
        case CursorShape::UpArrow:
            return "n-resize";
        case CursorShape::SizeNWSE:
            return "nwse-resize";
        case CursorShape::SizeNESW:
            return "nesw-resize";
        case CursorShape::SizeWE:
            return "ew-resize";
        case CursorShape::SizeNS:
            return "ns-resize";
        case CursorShape::SizeAll:
            return "move";
        case CursorShape::No:
            return "not-allowed";
        case CursorShape::HandPoint:
            return "pointer";
        case CursorShape::AppStarting:
            return "progress";
        case CursorShape::Help:
            return "help";
        case CursorShape::Hidden:
            return "none";
    }
    return "default";
}

}  // namespace platform::gtk
