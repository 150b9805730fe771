// Window messages keep the platform's numbers and meanings, so that every control and skin
// component speaks the same protocol as the rest of the system.
#pragma once

#include <cstdint>

struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

[[nodiscard]] constexpr intptr_t MakeLParam(int lo, int hi) {
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(lo))) |
                                 (static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16));
}
// Signed coordinates packed in an LPARAM.
[[nodiscard]] constexpr int GetXParam(intptr_t lp) { return static_cast<int16_t>(lp & 0xFFFF); }
[[nodiscard]] constexpr int GetYParam(intptr_t lp) {
    return static_cast<int16_t>((lp >> 16) & 0xFFFF);
}
[[nodiscard]] constexpr uint16_t LoWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
[[nodiscard]] constexpr uint16_t HiWord(uintptr_t v) {
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETREDRAW = 0x000B,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018,
    WM_ACTIVATEAPP = 0x001C,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_GETMINMAXINFO = 0x0024,
    // LPARAM: the accessible node (platform/Accessible.h) the control fills for itself and
    // its parts; a hook of the procedure adds the parts it draws.
    WM_GETOBJECT = 0x003D,
    WM_WINDOWPOSCHANGING = 0x0046,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_CONTEXTMENU = 0x007B,
    WM_STYLECHANGED = 0x007D,
    WM_NCCREATE = 0x0081,
    WM_NCDESTROY = 0x0082,
    WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085,
    WM_NCACTIVATE = 0x0086,
    WM_NCMOUSEMOVE = 0x00A0,
    WM_NCLBUTTONDOWN = 0x00A1,
    WM_NCLBUTTONUP = 0x00A2,
    WM_NCLBUTTONDBLCLK = 0x00A3,
    WM_NCRBUTTONDOWN = 0x00A4,
    WM_NCRBUTTONUP = 0x00A5,
    WM_NCRBUTTONDBLCLK = 0x00A6,
    WM_NCMBUTTONDOWN = 0x00A7,
    WM_NCMBUTTONUP = 0x00A8,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_INITMENU = 0x0116,
    WM_INITMENUPOPUP = 0x0117,
    WM_MENUCHAR = 0x0120,
    WM_ENTERIDLE = 0x0121,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_PARENTNOTIFY = 0x0210,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
    WM_SIZING = 0x0214,
    WM_CAPTURECHANGED = 0x0215,
    WM_MOVING = 0x0216,
    WM_MDIACTIVATE = 0x0222,
    WM_MDIRESTORE = 0x0223,
    WM_MDIMAXIMIZE = 0x0225,
    WM_MDIGETACTIVE = 0x0229,
    WM_ENTERSIZEMOVE = 0x0231,
    WM_EXITSIZEMOVE = 0x0232,
    WM_MOUSELEAVE = 0x02A3,
    WM_NCMOUSELEAVE = 0x02A2,
    WM_PRINTCLIENT = 0x0318,
    WM_USER = 0x0400,
    WM_APP = 0x8000,

    // Framework control messages (component messages).
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0,
    CM_DEACTIVATE = CM_BASE + 1,
    CM_ENABLEDCHANGED = CM_BASE + 12,
    CM_COLORCHANGED = CM_BASE + 13,
    CM_FONTCHANGED = CM_BASE + 14,
    CM_PARENTFONTCHANGED = CM_BASE + 16,
    CM_PARENTCOLORCHANGED = CM_BASE + 17,
    CM_MOUSEENTER = CM_BASE + 19,  // 0xB013
    CM_MOUSELEAVE = CM_BASE + 20,  // 0xB014
    CM_TEXTCHANGED = CM_BASE + 18,
    CM_VISIBLECHANGED = CM_BASE + 22,
    CM_DIALOGCHAR = CM_BASE + 6,
    CM_SHOWINGCHANGED = CM_BASE + 27,
    CM_DIALOGKEY = CM_BASE + 5,
    CM_HINTSHOW = CM_BASE + 48,
    CM_CONTROLLISTCHANGE = CM_BASE + 44,
    CM_SHOWHINTCHANGED = CM_BASE + 8,
    CM_CANCELMODE = CM_BASE + 4,
    CM_RECREATEWND = CM_BASE + 51,

    // Skin engine messages: WPARAM is the sending skin data component, LPARAM 1000.
    SKINMSG_BEFORECHANGE = 1225,
    SKINMSG_CHANGED = 1226,
    SKINMSG_AFTERCHANGE = 1227,
    SKINMSG_MENUCLOSED = 1228,
    SKINMSG_MENUCOMMAND = 1229,
    // MDI: a parent to its maximised children (re-fit to the client area), a child to the
    // main form (WPARAM the child form, LPARAM 1000): maximised, or no longer maximised.
    SKINMSG_MDIREFIT = 1230,
    SKINMSG_MDICHILDMAXIMIZED = 1231,
    SKINMSG_MDICHILDRESTORED = 1232,
};

// WM_NCHITTEST results.
enum : int {
    HTERROR = -2,
    HTTRANSPARENT = -1,
    HTNOWHERE = 0,
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTSYSMENU = 3,
    HTMENU = 5,
    HTMINBUTTON = 8,
    HTMAXBUTTON = 9,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTBORDER = 18,
    HTCLOSE = 20,
};
// Returned by the skinned form for points on its frame that it handles itself.
constexpr int HTSKINOBJECT = 19;

// WM_SYSCOMMAND codes.
enum : uint32_t {
    SC_SIZE = 0xF000,
    SC_MOVE = 0xF010,
    SC_MINIMIZE = 0xF020,
    SC_MAXIMIZE = 0xF030,
    SC_CLOSE = 0xF060,
    SC_KEYMENU = 0xF100,
    SC_RESTORE = 0xF120,
};

// WM_SIZE kinds, WM_ACTIVATE states, WM_SIZING edges.
enum : uint32_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };
enum : uint32_t {
    WMSZ_LEFT = 1,
    WMSZ_RIGHT = 2,
    WMSZ_TOP = 3,
    WMSZ_TOPLEFT = 4,
    WMSZ_TOPRIGHT = 5,
    WMSZ_BOTTOM = 6,
    WMSZ_BOTTOMLEFT = 7,
    WMSZ_BOTTOMRIGHT = 8,
};

// Mouse key state bits in WPARAM of client mouse messages.
enum : uint32_t { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 0x10 };

// Virtual key codes used by the framework.
enum : uint16_t {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
    VK_F4 = 0x73,
    VK_F10 = 0x79,
};

// MINMAXINFO for WM_GETMINMAXINFO (LPARAM points at it).
struct TMinMaxInfo {
    int32_t ptReservedX, ptReservedY;
    int32_t ptMaxSizeX, ptMaxSizeY;
    int32_t ptMaxPositionX, ptMaxPositionY;
    int32_t ptMinTrackSizeX, ptMinTrackSizeY;
    int32_t ptMaxTrackSizeX, ptMaxTrackSizeY;
};

// WM_NCCALCSIZE: LPARAM points at a TRect holding the window's bounds in its own
// coordinates (0, 0, width, height); the handler shrinks it to the client rectangle.
