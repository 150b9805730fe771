// What the window system did for the framework: top-level and popup windows that present
// the framework's images, input, timers, the screen, message boxes, the tray and native
// views. Two backends implement it: GTK (platform/gtk) and an in-memory headless one
// (platform/headless) for tests and tools. Coordinates are pixels; window-relative unless
// named "screen".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Types.h"
#include "platform/InputGrab.h"

class TRegion;

namespace platform {

class AccessibleSource;

enum class MouseButton { None, Left, Right, Middle };
enum class MouseEventKind { Move, Down, Up, DoubleClick, Leave, Wheel };

// Modifier bits.
enum : uint32_t { kModShift = 1, kModControl = 2, kModAlt = 4 };

struct MouseEvent {
    MouseEventKind kind = MouseEventKind::Move;
    MouseButton button = MouseButton::None;
    TPoint pos;        // window coordinates
    TPoint screenPos;  // screen coordinates
    uint32_t modifiers = 0;
    uint32_t buttonsDown = 0;  // MK_LBUTTON | MK_RBUTTON | MK_MBUTTON bits
    int wheelDelta = 0;        // multiples of 120, positive away from the user
};

struct KeyEvent {
    bool down = true;
    uint16_t virtualKey = 0;   // VK_* codes (letters and digits are their ASCII upper case)
    uint32_t unicodeChar = 0;  // the character typed, 0 for none
    uint32_t modifiers = 0;
};

// The framework's side of a platform window: raw events arrive here.
class WindowSink {
public:
    virtual ~WindowSink() = default;
    // The platform needs the window's image for `dirty` (window coordinates).
    virtual void OnExpose(const TRect& dirty) = 0;
    virtual void OnMouse(const MouseEvent& event) = 0;
    virtual void OnKey(const KeyEvent& event) = 0;
    // The window manager moved or resized the window (screen bounds).
    virtual void OnConfigured(const TRect& screenBounds) = 0;
    virtual void OnFocusChanged(bool focused) = 0;
    // The user asked to close the window (title bar button of a window manager, Alt+F4
    // delivered by the window manager).
    virtual void OnCloseRequest() = 0;
    // Minimised (iconified) or restored by the window manager.
    virtual void OnIconified(bool iconified) = 0;
    // The pointer grab was broken by the system.
    virtual void OnGrabBroken() = 0;
};

enum class WindowKind { TopLevel, Popup };

enum class CursorShape {
    Default,
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    HandPoint,
    AppStarting,
    Help,
    Hidden,
};

struct WindowParams {
    WindowKind kind = WindowKind::TopLevel;
    TRect screenBounds;
    std::string title;
    // No system decorations: the framework draws the frame itself.
    bool decorated = false;
    // Popups (menus, hints) never take activation or focus.
    bool takesFocus = true;
    bool showInTaskbar = true;
    WindowSink* sink = nullptr;
};

// An image the framework hands over for presenting: 32-bit 0x00RRGGBB words, row-major.
struct ImageView {
    const uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t strideWords = 0;
};

// A native view (a web pane) kept on a rectangle of its window.
class NativeView {
public:
    virtual ~NativeView() = default;
    // Window coordinates of the view; an empty rectangle or visible=false hides it.
    virtual void SetGeometry(const TRect& windowRect, bool visible) = 0;
    virtual void Focus() = 0;
};

class Window {
public:
    virtual ~Window() = default;
    virtual void SetBounds(const TRect& screenBounds) = 0;
    [[nodiscard]] virtual TRect Bounds() const = 0;
    virtual void Show(bool visible) = 0;
    [[nodiscard]] virtual bool Visible() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // Presents part of the window image; `dirty` in window coordinates.
    virtual void Present(const ImageView& image, const TRect& dirty) = 0;
    // Lets the window draw straight from the framework's image instead of keeping a copy of
    // what Present hands over (saving a window-sized buffer and a copy per present). The
    // pixels must stay where they are until the next call: the framework calls again as soon
    // as it has reallocated its image, before anything else. Present then tells the window
    // which part changed. Returns false when the window keeps its own copy.
    virtual bool ShareImage(const ImageView& image) {
        (void)image;
        return false;
    }
    // Asks for OnExpose of the rectangle soon (coalesced).
    virtual void Invalidate(const TRect& dirty) = 0;
    // Window shape: nullptr restores the rectangular window.
    virtual void SetShape(const TRegion* region) = 0;
    // 0..255 whole-window opacity (works only where the screen composites).
    virtual void SetOpacity(uint8_t alpha) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    // All pointer events go to this window until released.
    virtual bool GrabPointer() = 0;
    virtual void UngrabPointer() = 0;
    virtual void Activate() = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    virtual void SetIcon(const ImageView& icon) = 0;
    // Hosts a native view on this window; returns nullptr where the backend has none.
    virtual std::unique_ptr<NativeView> CreateNativeView(void* nativeWidget) = 0;
    // Where the window's accessible tree comes from (platform/Accessible.h); nullptr stops
    // publishing it. The source outlives the window or is reset first.
    virtual void SetAccessibleSource(AccessibleSource* source) { (void)source; }
    // The tree may have changed (something was presented): a backend that publishes it
    // compares it with what it published and raises the events.
    virtual void AccessibleChanged() {}
    // Runs `callback` once, from the message loop, after the first frame drawn since the
    // window was last shown has reached the screen (soon, when it has already). Work that
    // can wait for it (bringing up the web engine) lets the window show first. Dropped
    // with the window.
    virtual void AfterFirstFrame(std::function<void()> callback) = 0;
};

struct Monitor {
    TRect bounds;
    TRect workArea;
    bool primary = false;
};

enum class MessageBoxKind { Info, Warning, Error, Question };
enum class MessageBoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageBoxResult { Ok, Cancel, Yes, No };

// A notification-area icon.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual void SetImage(const ImageView& image) = 0;
    virtual void SetTooltip(const std::string& text) = 0;
    virtual void SetVisible(bool visible) = 0;
    // Mouse events on the icon (screen positions).
    std::function<void(const MouseEvent&)> onMouse;
    // The notification area came back (its host restarted); a visible icon is shown again.
    std::function<void()> onAreaRestarted;
};

// The mouse cursor as the hint placement needs it: the system's cursor height and, where
// the platform can read it, the current cursor's monochrome mask.
struct CursorInfo {
    int32_t systemHeight = 32;
    // One image is width x height; the mask holds the AND half (1 = transparent) and, for
    // monochrome cursors, the XOR half after it, rows padded to multiples of 32 bits.
    // Empty when the mask cannot be read.
    std::vector<uint8_t> mask;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 1;
    int32_t hotspotY = 0;
};

using TimerId = uint64_t;

class Platform {
public:
    virtual ~Platform() = default;
    [[nodiscard]] virtual std::string Name() const = 0;

    virtual std::unique_ptr<Window> CreateWindow(const WindowParams& params) = 0;

    // Timers repeat every intervalMs until killed; callbacks run on the GUI thread.
    virtual TimerId SetTimer(uint32_t intervalMs, std::function<void()> callback) = 0;
    virtual void KillTimer(TimerId id) = 0;
    // Runs `task` on the GUI thread from the main loop (PostMessage).
    virtual void Post(std::function<void()> task) = 0;
    // Milliseconds of the platform's clock (virtual on headless).
    [[nodiscard]] virtual uint64_t NowMs() const = 0;

    // The message loop: runs until Quit; ProcessPending handles everything queued now.
    virtual void Run() = 0;
    virtual void Quit() = 0;
    virtual void ProcessPending() = 0;

    // The screen.
    [[nodiscard]] virtual TSize ScreenSize() const = 0;
    [[nodiscard]] virtual std::vector<Monitor> Monitors() const = 0;
    // Whether the screen really composites windows (per-window opacity works).
    [[nodiscard]] virtual bool IsCompositing() const = 0;
    [[nodiscard]] virtual TPoint CursorPos() const = 0;
    [[nodiscard]] virtual CursorInfo CurrentCursor() const = 0;
    [[nodiscard]] virtual uint32_t DoubleClickTimeMs() const = 0;
    // Copies screen pixels (0x00RRGGBB) of `screenRect`; outside the screen gives black.
    [[nodiscard]] virtual std::vector<uint32_t> CaptureScreen(const TRect& screenRect) = 0;

    virtual MessageBoxResult ShowMessageBox(const std::string& title, const std::string& text,
                                            MessageBoxKind kind, MessageBoxButtons buttons) = 0;
    virtual std::unique_ptr<TrayIcon> CreateTrayIcon() = 0;
    // Grabs pointer and keyboard for a shown popup window (platform/InputGrab.h); nullptr
    // when the grab cannot be had (the popups then see their own events only).
    virtual std::unique_ptr<InputGrab> GrabInput(Window& anchor, InputGrabSink& sink) = 0;
    // Opens an address in the user's default browser.
    virtual void OpenUri(const std::string& uri) = 0;
};

// The process-wide platform. Set once at start-up (tests install a headless one).
Platform& Current();
void SetCurrent(std::unique_ptr<Platform> platform);
[[nodiscard]] bool HasCurrent();

}  // namespace platform
