// The headless backend: an in-memory screen with windows and their images, a virtual clock
// the test advances, synthetic input in screen coordinates, and records of everything the
// program asked the platform for (message boxes, opened addresses, tray icons). Used by
// tests and tools; deterministic, no display needed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Region.h"
#include "base/Types.h"
#include "platform/Accessible.h"
#include "platform/Platform.h"

namespace platform {

class HeadlessPlatform;

// A native view recorded by the headless backend.
class HeadlessNativeView : public NativeView {
public:
    HeadlessNativeView(class HeadlessWindow* window, void* widget)
        : window_(window), widget_(widget) {}
    ~HeadlessNativeView() override;
    void SetGeometry(const TRect& windowRect, bool visible) override {
        geometry_ = windowRect;
        visible_ = visible;
        ++geometryCalls_;
    }
    void Focus() override { ++focusCalls_; }

    [[nodiscard]] TRect Geometry() const { return geometry_; }
    [[nodiscard]] bool Visible() const { return visible_ && !IsRectEmpty(geometry_); }
    [[nodiscard]] void* Widget() const { return widget_; }
    [[nodiscard]] int FocusCalls() const { return focusCalls_; }
    [[nodiscard]] int GeometryCalls() const { return geometryCalls_; }
    [[nodiscard]] class HeadlessWindow* Window() const { return window_; }
    void Detach() { window_ = nullptr; }

private:
    class HeadlessWindow* window_;
    void* widget_;
    TRect geometry_{};
    bool visible_ = false;
    int focusCalls_ = 0;
    int geometryCalls_ = 0;
};

class HeadlessWindow : public Window {
public:
    HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params);
    ~HeadlessWindow() override;

    void SetBounds(const TRect& screenBounds) override;
    [[nodiscard]] TRect Bounds() const override { return bounds_; }
    void Show(bool visible) override;
    [[nodiscard]] bool Visible() const override { return visible_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    void Present(const ImageView& image, const TRect& dirty) override;
    void Invalidate(const TRect& dirty) override;
    void SetShape(const TRegion* region) override;
    void SetOpacity(uint8_t alpha) override {
        opacity_ = alpha;
        opacityCalls_.push_back(alpha);
    }
    void SetCursor(CursorShape shape) override { cursor_ = shape; }
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;
    void Minimize() override;
    void Restore() override;
    void SetIcon(const ImageView& icon) override { hasIcon_ = icon.pixels != nullptr; }
    std::unique_ptr<NativeView> CreateNativeView(void* nativeWidget) override;
    void SetAccessibleSource(AccessibleSource* source) override;
    void AccessibleChanged() override;
    // The first frame is the first image presented while the window is shown.
    void AfterFirstFrame(std::function<void()> callback) override;

    // ---- Test access ----
    // The window's accessible tree as a screen reader would read it now (an empty node
    // without a source).
    [[nodiscard]] const AccessibleNode& AccessibleTree();
    // Runs the named action of the node with the role and name, as an assistive tool would;
    // false when there is no such node or action.
    bool DoAccessibleAction(AccessibleRole role, const std::string& name,
                            const std::string& action = "click");
    // Selects a child of the selection container with the id.
    bool SelectAccessibleChild(const std::string& containerId, int childIndex);
    // From now on every change of the tree is recorded as the backend would raise it.
    void RecordAccessibleChanges();
    [[nodiscard]] const std::vector<AccessibleChange>& AccessibleChanges() const {
        return accessibleChanges_;
    }
    [[nodiscard]] const std::string& Title() const { return title_; }
    [[nodiscard]] WindowKind Kind() const { return params_.kind; }
    [[nodiscard]] const WindowParams& Params() const { return params_; }
    [[nodiscard]] WindowSink* Sink() const { return params_.sink; }
    // The presented image, 0x00RRGGBB words, Bounds() size (white before any Present).
    [[nodiscard]] const std::vector<uint32_t>& Image() const { return image_; }
    // Pixel of the presented image as a TColor (0x00BBGGRR); -1 outside.
    [[nodiscard]] TColor PixelAt(int x, int y) const;
    [[nodiscard]] const std::optional<TRegion>& Shape() const { return shape_; }
    [[nodiscard]] uint8_t Opacity() const { return opacity_; }
    // Every opacity the program set, in order.
    [[nodiscard]] const std::vector<uint8_t>& OpacityCalls() const { return opacityCalls_; }
    [[nodiscard]] CursorShape Cursor() const { return cursor_; }
    [[nodiscard]] bool Grabbed() const;
    [[nodiscard]] bool Minimized() const { return minimized_; }
    [[nodiscard]] bool Focused() const;
    [[nodiscard]] bool HasIcon() const { return hasIcon_; }
    [[nodiscard]] int PresentCount() const { return presentCount_; }
    [[nodiscard]] TRect LastPresentRect() const { return lastPresent_; }
    [[nodiscard]] const std::vector<HeadlessNativeView*>& NativeViews() const { return views_; }
    // Whether a window-relative point is inside the window's shape.
    [[nodiscard]] bool ContainsWindowPoint(TPoint p) const;

private:
    friend class HeadlessPlatform;
    friend class HeadlessNativeView;
    void ResizeImage();

    HeadlessPlatform& platform_;
    std::weak_ptr<int> platformAlive_;  // the platform may go before a window does
    WindowParams params_;
    TRect bounds_;
    std::string title_;
    bool visible_ = false;
    bool minimized_ = false;
    std::vector<uint32_t> image_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    std::optional<TRegion> shape_;
    uint8_t opacity_ = 255;
    std::vector<uint8_t> opacityCalls_;
    CursorShape cursor_ = CursorShape::Default;
    bool hasIcon_ = false;
    int presentCount_ = 0;
    TRect lastPresent_{};
    bool framePresented_ = false;  // since last shown
    std::vector<std::function<void()>> afterFirstFrame_;
    TRect pendingExpose_{};
    bool exposeQueued_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    std::vector<HeadlessNativeView*> views_;
    AccessibleSource* accessibleSource_ = nullptr;
    bool recordAccessible_ = false;
    AccessibleNode published_;  // the tree the recorded changes were taken against
    std::vector<AccessibleChange> accessibleChanges_;
};

class HeadlessTrayIcon : public TrayIcon {
public:
    explicit HeadlessTrayIcon(HeadlessPlatform* platform) : platform_(platform) {}
    ~HeadlessTrayIcon() override;
    void SetImage(const ImageView& image) override {
        ++imageChanges_;
        imageSize_ = {image.width, image.height};
        topLeftPixel_ = image.pixels && image.width > 0 && image.height > 0 ? image.pixels[0] : 0;
    }
    void SetTooltip(const std::string& text) override { tooltip_ = text; }
    void SetVisible(bool visible) override { visible_ = visible; }
    [[nodiscard]] const std::string& Tooltip() const { return tooltip_; }
    [[nodiscard]] bool Visible() const { return visible_; }
    [[nodiscard]] int ImageChanges() const { return imageChanges_; }
    [[nodiscard]] TSize ImageSize() const { return imageSize_; }
    // The shown image's top-left word (0xAARRGGBB as handed over).
    [[nodiscard]] uint32_t TopLeftPixel() const { return topLeftPixel_; }
    // Delivers a mouse event to the icon's handler.
    void SimulateMouse(const MouseEvent& e) {
        if (onMouse) onMouse(e);
    }
    // The notification area's host restarted.
    void SimulateAreaRestart() {
        if (onAreaRestarted) onAreaRestarted();
    }

private:
    friend class HeadlessPlatform;
    HeadlessPlatform* platform_;
    std::string tooltip_;
    bool visible_ = false;
    int imageChanges_ = 0;
    TSize imageSize_{};
    uint32_t topLeftPixel_ = 0;
};

struct RecordedMessageBox {
    std::string title;
    std::string text;
    MessageBoxKind kind = MessageBoxKind::Info;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
};

class HeadlessPlatform : public Platform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;
    [[nodiscard]] std::string Name() const override { return "headless"; }

    std::unique_ptr<Window> CreateWindow(const WindowParams& params) override;
    TimerId SetTimer(uint32_t intervalMs, std::function<void()> callback) override;
    void KillTimer(TimerId id) override;
    void Post(std::function<void()> task) override;
    [[nodiscard]] uint64_t NowMs() const override { return now_; }
    // Processes tasks and due timers until Quit; when nothing is pending the clock jumps to
    // the next timer. Stops (RunGuardTripped) when idle with no timer, or after
    // RunGuardMs of virtual time, so a test can never hang.
    void Run() override;
    void Quit() override;
    // Runs every posted task (including tasks posted meanwhile, bounded) without moving
    // the clock.
    void ProcessPending() override;

    [[nodiscard]] TSize ScreenSize() const override { return screenSize_; }
    [[nodiscard]] std::vector<Monitor> Monitors() const override;
    [[nodiscard]] bool IsCompositing() const override { return compositing_; }
    [[nodiscard]] TPoint CursorPos() const override { return cursor_; }
    [[nodiscard]] CursorInfo CurrentCursor() const override { return cursorInfo_; }
    [[nodiscard]] uint32_t DoubleClickTimeMs() const override { return doubleClickMs_; }
    [[nodiscard]] std::vector<uint32_t> CaptureScreen(const TRect& screenRect) override;

    MessageBoxResult ShowMessageBox(const std::string& title, const std::string& text,
                                    MessageBoxKind kind, MessageBoxButtons buttons) override;
    std::unique_ptr<TrayIcon> CreateTrayIcon() override;
    std::unique_ptr<InputGrab> GrabInput(Window& anchor, InputGrabSink& sink) override;
    void OpenUri(const std::string& uri) override { openedUris_.push_back(uri); }

    // ---- Screen set-up ----
    // Sets the screen size; one primary monitor covering it with the given work area
    // (the whole screen when empty).
    void SetScreenSize(TSize size, TRect workArea = {});
    void SetMonitors(std::vector<Monitor> monitors);
    void SetCompositing(bool on) { compositing_ = on; }
    void SetDoubleClickTime(uint32_t ms) { doubleClickMs_ = ms; }
    void SetCursorInfo(CursorInfo info) { cursorInfo_ = std::move(info); }

    // ---- Clock ----
    // Moves the clock forward, firing due timers in time order (ties in creation order)
    // and running posted tasks after each.
    void AdvanceTime(uint64_t ms);
    [[nodiscard]] size_t PendingTaskCount() const { return tasks_.size(); }
    [[nodiscard]] size_t ActiveTimerCount() const { return timers_.size(); }
    uint64_t RunGuardMs = 10 * 60 * 1000;
    [[nodiscard]] bool RunGuardTripped() const { return guardTripped_; }
    [[nodiscard]] bool QuitRequested() const { return quit_; }

    // ---- Synthetic input (screen coordinates); each call runs pending tasks after ----
    void MoveMouse(int x, int y);
    void PressButton(MouseButton button = MouseButton::Left);
    void ReleaseButton(MouseButton button = MouseButton::Left);
    void Click(int x, int y, MouseButton button = MouseButton::Left);
    // Press, release, then the second press delivered as a double click, and release.
    void DoubleClick(int x, int y, MouseButton button = MouseButton::Left);
    void Wheel(int x, int y, int delta);
    // Drags with the left button from (x1,y1) to (x2,y2) in `steps` moves.
    void Drag(int x1, int y1, int x2, int y2, int steps = 4);
    void KeyDown(uint16_t virtualKey, uint32_t unicodeChar = 0);
    void KeyUp(uint16_t virtualKey);
    // Down and up of one key with the given modifiers held (kModShift...).
    void KeyPress(uint16_t virtualKey, uint32_t modifiers = 0, uint32_t unicodeChar = 0);
    // Types UTF-8 text as character key presses.
    void Type(const std::string& utf8);
    [[nodiscard]] uint32_t Modifiers() const { return modifiers_; }
    // Breaks the pointer grab (the system took it away).
    void BreakGrab();
    // Sends the close request a window manager would send.
    void RequestClose(HeadlessWindow& window);

    // ---- Windows ----
    // All live windows in creation order.
    [[nodiscard]] std::vector<HeadlessWindow*> Windows() const;
    // Visible windows, topmost first.
    [[nodiscard]] std::vector<HeadlessWindow*> ZOrder() const;
    [[nodiscard]] HeadlessWindow* WindowAt(TPoint screenPoint) const;
    [[nodiscard]] HeadlessWindow* FocusedWindow() const { return focused_; }
    [[nodiscard]] HeadlessWindow* GrabWindow() const { return grab_; }
    // The anchor of the input grab being held, or nullptr.
    [[nodiscard]] HeadlessWindow* InputGrabWindow() const { return inputGrabAnchor_; }
    // The first window with this title, or nullptr.
    [[nodiscard]] HeadlessWindow* FindWindow(const std::string& title) const;

    // ---- Records ----
    [[nodiscard]] const std::vector<RecordedMessageBox>& MessageBoxes() const {
        return messageBoxes_;
    }
    // The answer message boxes give (Ok by default).
    MessageBoxResult MessageBoxAnswer = MessageBoxResult::Ok;
    [[nodiscard]] const std::vector<std::string>& OpenedUris() const { return openedUris_; }
    [[nodiscard]] const std::vector<HeadlessTrayIcon*>& TrayIcons() const { return trayIcons_; }
    // When set, CreateTrayIcon makes its icons (a test puts a real notification-area item
    // here); the icons it makes are not recorded in TrayIcons().
    std::function<std::unique_ptr<TrayIcon>()> TrayIconFactory;

    // ---- Snapshots (PNG through cairo) ----
    bool SavePng(const HeadlessWindow& window, const std::string& path) const;
    bool SaveScreenPng(const std::string& path);
    // The composited screen (visible windows in z-order, shapes and opacity applied).
    [[nodiscard]] std::vector<uint32_t> ComposeScreen();

private:
    friend class HeadlessWindow;
    friend class HeadlessNativeView;
    friend class HeadlessTrayIcon;
    friend class HeadlessInputGrab;
    struct TimerEntry {
        TimerId id;
        uint32_t interval;
        uint64_t due;
        uint64_t seq;
        std::shared_ptr<std::function<void()>> callback;
    };
    void RemoveWindow(HeadlessWindow* window);
    void RaiseWindow(HeadlessWindow* window);
    void SetFocus(HeadlessWindow* window);
    void DeliverMouse(MouseEventKind kind, MouseButton button, int wheel = 0);
    void DeliverKey(bool down, uint16_t vk, uint32_t ch);
    bool FireNextTimer(uint64_t limit);
    void RunTasksOnce();
    void EndInputGrab(bool notify);

    TSize screenSize_{1920, 1080};
    std::vector<Monitor> monitors_;
    bool compositing_ = true;
    uint32_t doubleClickMs_ = 500;
    uint64_t now_ = 0;
    TPoint cursor_{};
    uint32_t buttons_ = 0;
    uint32_t modifiers_ = 0;
    bool quit_ = false;
    int runDepth_ = 0;
    bool guardTripped_ = false;
    TimerId nextTimerId_ = 1;
    uint64_t timerSeq_ = 0;
    std::vector<TimerEntry> timers_;
    std::deque<std::function<void()>> tasks_;
    std::vector<HeadlessWindow*> windows_;  // creation order
    std::vector<HeadlessWindow*> zorder_;   // bottom first
    HeadlessWindow* focused_ = nullptr;
    HeadlessWindow* grab_ = nullptr;          // explicit pointer grab
    HeadlessWindow* implicitGrab_ = nullptr;  // window a button went down in
    HeadlessWindow* hover_ = nullptr;
    InputGrabSink* inputGrabSink_ = nullptr;
    uint64_t inputGrabSerial_ = 0;
    HeadlessWindow* inputGrabAnchor_ = nullptr;
    CursorInfo cursorInfo_;
    std::vector<RecordedMessageBox> messageBoxes_;
    std::vector<std::string> openedUris_;
    std::vector<HeadlessTrayIcon*> trayIcons_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// Installs a fresh headless platform as the current one and returns it.
HeadlessPlatform& InstallHeadlessPlatform();

}  // namespace platform

using platform::HeadlessPlatform;
using platform::InstallHeadlessPlatform;
