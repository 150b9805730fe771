// The platform window of a top-level control (form or popup) and everything that happens
// in it: the backing image and the paint pass, invalidation, input routing through
// WM_NCHITTEST, mouse capture and enter/leave tracking, keys, activation and the
// framework-driven move/size loop. Internal to the framework.
#pragma once

#include <memory>

#include "base/Region.h"
#include "platform/Accessible.h"
#include "platform/Platform.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"

// The platform cursor for a framework cursor number (custom numbers give the arrow).
[[nodiscard]] platform::CursorShape CursorToShape(TCursor cursor);
// Shift state of the keyboard as last reported by the platform.
[[nodiscard]] TShiftState KeyboardShiftState();

class TWindowHost : public platform::WindowSink, public platform::AccessibleSource {
public:
    TWindowHost(TWinControl& owner, bool popup);
    ~TWindowHost() override;
    TWindowHost(const TWindowHost&) = delete;
    TWindowHost& operator=(const TWindowHost&) = delete;

    [[nodiscard]] TWinControl& Owner() const { return owner_; }
    [[nodiscard]] bool IsPopup() const { return popup_; }
    [[nodiscard]] platform::Window* Window() const { return window_.get(); }
    [[nodiscard]] TBitmap& Image() { return image_; }

    // ---- Platform window ----
    void CreatePlatformWindow();
    void DestroyPlatformWindow();
    // Owner bounds -> platform window bounds and image size.
    void SyncBounds();
    void ShowWindow(bool visible);
    [[nodiscard]] bool WindowVisible() const;
    // A platform-initiated bounds change is being applied (do not echo it back).
    [[nodiscard]] bool ApplyingConfigure() const { return applyingConfigure_; }

    // ---- Painting ----
    void InvalidateRect(const TRect& windowRect);
    void InvalidateAll();
    // Paints what is pending now and presents it.
    void PaintPending();
    [[nodiscard]] bool InPaint() const { return inPaint_; }
    [[nodiscard]] const TControl* PaintingControl() const { return paintingControl_; }
    // Sets a control's canvas up for drawing outside a paint pass (origin at its client
    // origin, clipped to its visible part) and schedules presenting that part.
    void PrepareCanvas(const TControl& control, TCanvas& canvas);
    // The same for a form inside this window (an MDI child) drawing its frame: origin at
    // the form's top-left, clipped to the form's visible part.
    void PrepareFrameCanvas(const TControl& form, TCanvas& canvas);
    // The canvas over the whole window image.
    TCanvas& WindowCanvas();
    // Presents a window rectangle soon (drawing done outside a paint pass).
    void SchedulePresent(const TRect& windowRect);

    // ---- Input state ----
    [[nodiscard]] TControl* CaptureControl() const;
    void SetCaptureControl(TControl* control);
    [[nodiscard]] TControl* MouseControl() const;
    // Forgets a control that is going away or being hidden.
    void ForgetControl(const TControl* control);

    // ---- Move / size loop ----
    [[nodiscard]] bool InSizeMove() const { return sizeMove_.active; }
    // command: SC_MOVE or SC_SIZE + WMSZ edge. The target is the window's control or a form
    // inside it (an MDI child, moved in its parent's client coordinates).
    void StartSizeMove(uint32_t command, TPoint screenPoint, TControl* target = nullptr);
    void EndSizeMove();

    // ---- Activation ----
    void Activate(uint32_t how);
    void Deactivate();

    // ---- platform::WindowSink ----
    void OnExpose(const TRect& dirty) override;
    void OnMouse(const platform::MouseEvent& event) override;
    void OnKey(const platform::KeyEvent& event) override;
    void OnConfigured(const TRect& screenBounds) override;
    void OnFocusChanged(bool focused) override;
    void OnCloseRequest() override;
    void OnIconified(bool iconified) override;
    void OnGrabBroken() override;

    // ---- platform::AccessibleSource ----
    // The owner's accessible tree (ui/Accessibility.h), built again after anything was
    // presented since the last build.
    [[nodiscard]] const platform::AccessibleNode& AccessibleTree() override;

private:
    struct SizeMoveState {
        bool active = false;
        bool moving = false;
        uint32_t edge = 0;
        TPoint startPoint{};
        TRect startBounds{};
        TMinMaxInfo minMax{};
        TControl* target = nullptr;
        TLivenessWatch targetAlive;
    };

    void PaintPass(const TRect& dirty);
    void PaintTree(TWinControl& control, const TRect& dirty, const TRegion& excluded);
    // The frame of a form inside this window (an MDI child): WM_NCPAINT over its visible
    // bounds outside its client area.
    void PaintChildFrame(TWinControl& form, const TRect& dirty, const TRegion& excluded);
    void ConfigureCanvas(TCanvas& canvas, TPoint origin, const TRegion& deviceClip);
    [[nodiscard]] TRegion NativeViewRegion() const;
    void PresentNow(const TRect& windowRect);
    // Sizes the window image; the platform window then draws from its new pixels.
    void ResizeImage(int width, int height);
    void ShareImage();

    void RouteMouse(const platform::MouseEvent& event);
    // A mouse event over the frame of a form inside this window; true when it was one.
    bool RouteToChildFrame(const platform::MouseEvent& event, TControl* target);
    void SizeMoveStep(TPoint screenPoint);
    void UpdateHover(TControl* control);
    void SendSetCursor(TControl* target, int hit, uint32_t mouseMsg);
    [[nodiscard]] TCustomForm* OwnerForm() const;
    [[nodiscard]] TWinControl* KeyTarget() const;

    TWinControl& owner_;
    bool popup_;
    std::unique_ptr<platform::Window> window_;
    TBitmap image_;
    const uint32_t* sharedPixels_ = nullptr;  // the image's pixels as the window draws them
    std::unique_ptr<TCanvas> windowCanvas_;
    TRect pending_{};
    TRect presentPending_{};
    bool presentQueued_ = false;
    bool inPaint_ = false;
    const TControl* paintingControl_ = nullptr;
    bool applyingConfigure_ = false;
    bool visible_ = false;

    TControl* capture_ = nullptr;
    TLivenessWatch captureAlive_;
    TControl* hover_ = nullptr;
    TLivenessWatch hoverAlive_;
    bool altAlone_ = false;
    SizeMoveState sizeMove_;
    platform::AccessibleNode accessibleTree_;
    bool accessibleStale_ = true;
    TLiveness liveness_;
};
