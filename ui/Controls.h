// Controls: the visual component classes of the framework.
//
// TControl is anything with bounds inside a parent; TWinControl can hold child controls,
// take the keyboard focus and host a native view; TGraphicControl paints on its parent's
// surface; TCustomControl is a windowed control with its own Canvas and Paint.
//
// Window model: only top-level controls (forms, popup windows) own a platform window. Every
// other control is a framework object drawn into its top-level window's backing image,
// clipped to itself and its ancestors. Messages keep the platform's numbers and meanings
// (base/Messages.h); each control has a replaceable, chainable WindowProc.
//
// Paint messages carry the canvas to draw with: WM_NCPAINT, WM_ERASEBKGND and WM_PAINT
// have a TCanvas* in WPARAM (0 when sent outside a paint pass; the handler then takes the
// control's own canvas). Geometry messages carry pointers in LPARAM: WM_NCCALCSIZE and
// WM_SIZING/WM_MOVING a TRect*, WM_GETMINMAXINFO a TMinMaxInfo*.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Liveness.h"
#include "base/Messages.h"
#include "base/Types.h"
#include "ui/Component.h"
#include "ui/GraphicsObjects.h"

namespace platform {
class NativeView;
class Window;
struct AccessibleNode;
}  // namespace platform

class TBitmap;
class TCanvas;
class TCustomForm;
class TRegion;
class TWinControl;
class TWindowHost;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state bits of mouse and key events.
enum : uint32_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};
using TShiftState = uint32_t;

// Cursors: the framework's numbers; positive numbers are custom (skin) cursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -12;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Control style bits.
enum : uint32_t {
    csAcceptsControls = 0x0001,
    csCaptureMouse = 0x0002,
    csClickEvents = 0x0008,
    csOpaque = 0x0020,
    csDoubleClicks = 0x0040,
    csSetCaption = 0x0400,
};

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent* sender, uint16_t& key, TShiftState shift)>;
// Key is the typed character (Unicode code point); set it to 0 to swallow it.
using TKeyPressEvent = std::function<void(TComponent* sender, uint32_t& key)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TControl"; }

    // ---- Messages ----
    // The control's window procedure: starts as WndProc; a hook saves the old value and
    // calls it for everything it does not swallow.
    std::function<void(TMessage&)> WindowProc;
    // Runs WindowProc synchronously and returns the message's result.
    intptr_t Perform(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // The default procedure: the framework's handling of every message.
    virtual void WndProc(TMessage& message);
    // What WndProc does with a message it has no handling for (result 0).
    virtual void DefaultHandler(TMessage& message);
    // Watch that reports the control gone once it is being destroyed (queued messages check it).
    [[nodiscard]] TLivenessWatch LivenessWatch() const { return liveness_.Watch(); }

    // ---- Parent and geometry ----
    [[nodiscard]] TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    [[nodiscard]] int Left() const { return left_; }
    [[nodiscard]] int Top() const { return top_; }
    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Bounds in the parent's client coordinates (screen coordinates for top-level controls).
    virtual void SetBounds(int left, int top, int width, int height);
    [[nodiscard]] TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // Client rectangle in client coordinates: (0, 0, client width, client height).
    [[nodiscard]] virtual TRect ClientRect() const;
    [[nodiscard]] int ClientWidth() const { return ClientRect().Width(); }
    [[nodiscard]] int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    void SetClientSize(int width, int height);
    // Offset of the client area's origin inside the control's bounds (the non-client frame).
    [[nodiscard]] virtual TPoint ClientOffset() const { return {}; }
    // Screen position of the client area's (0, 0).
    [[nodiscard]] TPoint ClientOrigin() const;
    [[nodiscard]] TPoint ClientToScreen(TPoint p) const;
    [[nodiscard]] TPoint ScreenToClient(TPoint p) const;
    [[nodiscard]] TPoint ClientToParent(TPoint p, const TWinControl* parent = nullptr) const;
    // Position of the client area's (0, 0) in the top-level window's image (0,0 when not in
    // a window).
    [[nodiscard]] TPoint WindowClientOrigin() const;
    // The part of the control (window-image coordinates) inside all its ancestors' client
    // areas; empty when the control or an ancestor is hidden or not in a window.
    [[nodiscard]] TRect VisibleWindowRect() const;

    [[nodiscard]] TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // ---- State ----
    [[nodiscard]] bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every ancestor visible (and a top-level ancestor shown).
    [[nodiscard]] bool Showing() const;
    [[nodiscard]] bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    // Enabled and every ancestor enabled.
    [[nodiscard]] bool IsEnabledInTree() const;

    [[nodiscard]] TFont& Font() { return font_; }
    [[nodiscard]] const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    // Call after changing Font() in place: repaints, tells children, ParentFont := false.
    void FontChanged();
    [[nodiscard]] bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    [[nodiscard]] TColor Color() const { return color_; }
    void SetColor(TColor color);
    [[nodiscard]] bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    [[nodiscard]] const std::string& Caption() const { return caption_; }
    // Through WM_SETTEXT, so hooks see it; CM_TEXTCHANGED follows.
    void SetCaption(const std::string& text);
    [[nodiscard]] const std::string& Text() const { return caption_; }
    void SetText(const std::string& text) { SetCaption(text); }

    std::string Hint;
    // With ParentShowHint, the parent's value.
    [[nodiscard]] bool ShowHint() const;
    void SetShowHint(bool value);
    [[nodiscard]] bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor = crDefault;

    uint32_t ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;

    // ---- Painting ----
    // Marks the control's area for repainting (coalesced; painted by the next paint pass).
    virtual void Invalidate();
    // Paints pending invalid areas of the control's window now.
    void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // ---- Z-order ----
    void BringToFront();
    void SendToBack();

    // ---- Mouse ----
    [[nodiscard]] bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Stored descriptions nest controls in their parents.
    void SetParentComponent(TComponent* parent) override;
    [[nodiscard]] TComponent* GetParentComponent() const override;

    // Runs the control's click behaviour (OnClick).
    virtual void Click();
    // Fills the control's accessible node (ui/Accessibility.h; reached through
    // WM_GETOBJECT): role, name, states and bounds of the control, and its children.
    virtual void GetAccessible(platform::AccessibleNode& node);
    // Whether the control is a TWinControl.
    [[nodiscard]] virtual bool IsWindowed() const { return false; }
    // The top-level control (form or popup window) holding this one, or nullptr.
    [[nodiscard]] TWinControl* TopLevel() const;
    // The platform window of the top-level control, or nullptr while it has none.
    [[nodiscard]] TWindowHost* Host() const;

protected:
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    // Called after the bounds changed (before re-aligning the parent).
    virtual void BoundsChanged() {}
    // Announces a visibility or bounds change to the parent (re-align, repaint).
    void RequestAlign();
    // The canvas bound to the top-level window's image, origin at this control's client
    // origin, clipped to its visible part (with native views excluded).
    TCanvas& ControlCanvas();
    // Sets the Visible flag without any of SetVisible's effects (for constructors).
    void SetVisibleFlag(bool visible) { visible_ = visible; }
    // Rectangle (window-image coordinates) this control covers, for invalidation.
    [[nodiscard]] TRect WindowBoundsRect() const;

    bool clicked_ = false;

private:
    friend class TWinControl;
    friend class TWindowHost;
    void HandleMouseMessage(TMessage& message);
    // The canvas bound to the window image, left as the paint pass configures it.
    TCanvas& ControlCanvasForPaint();

    TLiveness liveness_;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    std::string caption_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    std::unique_ptr<TCanvas> canvas_;
    TBitmap* canvasTarget_ = nullptr;
};

// A control without a window of its own: paints on its parent's surface.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TGraphicControl"; }
    // While Paint() runs for a WM_PAINT that brought a canvas, that canvas.
    [[nodiscard]] TCanvas& Canvas() { return paintCanvas_ ? *paintCanvas_ : ControlCanvas(); }
    TNotifyEvent OnPaint;

protected:
    void WndProc(TMessage& message) override;
    virtual void Paint();

private:
    TCanvas* paintCanvas_ = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TWinControl"; }
    [[nodiscard]] bool IsWindowed() const override { return true; }

    void WndProc(TMessage& message) override;

    // ---- Children (z-order: index 0 is the bottom) ----
    [[nodiscard]] int ControlCount() const { return static_cast<int>(controls_.size()); }
    [[nodiscard]] TControl* Controls(int index) const {
        return controls_.at(static_cast<size_t>(index));
    }
    [[nodiscard]] bool ContainsControl(const TControl* control) const;
    // The deepest visible, enabled control at a client point (this control when none of its
    // children is there); with allowDisabled, disabled controls count too.
    [[nodiscard]] TControl* ControlAtPos(TPoint clientPoint, bool allowDisabled = false);

    // ---- Alignment ----
    // Lays out the aligned children: alTop, alBottom, alLeft, alRight, then alClient, each
    // inside what the earlier ones left of the (adjusted) client rectangle.
    void Realign();
    void DisableAlign();
    void EnableAlign();
    [[nodiscard]] bool AlignDisabled() const { return alignLevel_ > 0; }
    // The rectangle aligned children share; panels shrink it by their bevels.
    virtual void AdjustClientRect(TRect& rect) const;

    // ---- Focus ----
    [[nodiscard]] int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop = false;
    [[nodiscard]] virtual bool CanFocus() const;
    [[nodiscard]] bool Focused() const;
    virtual void SetFocus();
    // Next control in tab order after `current` inside this container (children's tab
    // order, depth first), or nullptr.
    [[nodiscard]] TWinControl* FindNextControl(TWinControl* current, bool goForward,
                                               bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    // Children in tab order.
    [[nodiscard]] std::vector<TWinControl*> TabOrderList() const;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // ---- Window state ----
    // Re-creates the control's window state: a top-level control re-creates its platform
    // window keeping its bounds (WM_NCCALCSIZE is asked again); every control re-runs its
    // layout and repaints.
    void RecreateWnd();
    // Whether the control's window state exists (always true for child controls; for
    // top-level controls once the platform window has been created).
    [[nodiscard]] bool HandleAllocated() const;
    // Creates a top-level control's platform window if it has none.
    void HandleNeeded();
    // The platform window of a top-level control.
    [[nodiscard]] platform::Window* PlatformWindow() const;

    // Shows a parentless control as a popup window (menus, hints) at its bounds, taken as
    // screen coordinates; popups never take activation.
    void ShowPopupWindow();
    void HidePopupWindow();
    [[nodiscard]] bool PopupWindowShown() const;

    // Window shape in the control's own bounds coordinates (nullptr: rectangular). A
    // top-level control's shape is its platform window's; a child control's shape clips
    // what it and its children paint and where the mouse finds them, as a shaped child
    // window would (what lies outside it shows the parent).
    void SetWindowRegion(const TRegion* region);
    [[nodiscard]] const TRegion* WindowRegion() const { return region_.get(); }
    // Whole-window opacity of a top-level control (255 opaque).
    void SetWindowOpacity(uint8_t alpha);
    [[nodiscard]] uint8_t WindowOpacity() const { return opacity_; }

    // ---- Native view ----
    // Hosts a platform view (a web pane) kept on this control's client area and hidden
    // whenever the control or an ancestor is hidden. The widget is handed to the platform
    // window when there is one (now or when the window is created or re-created).
    void HostNativeView(void* nativeWidget);
    // Hosts a view object directly (tests, backends that make their own).
    void HostNativeView(std::unique_ptr<platform::NativeView> view);
    void RemoveNativeView();
    [[nodiscard]] platform::NativeView* NativeView() const { return nativeView_.get(); }
    [[nodiscard]] bool HasNativeView() const {
        return nativeView_ != nullptr || nativeWidget_ != nullptr;
    }
    // Re-places the native views of this control and its descendants.
    void UpdateNativeViews();

    // ---- Timers: WM_TIMER with the id reaches this control every intervalMs ----
    void SetTimer(uintptr_t id, uint32_t intervalMs);
    void KillTimer(uintptr_t id);

    // Invalidates a rectangle of the client area.
    void InvalidateRect(const TRect& clientRect);
    void Invalidate() override;

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    // Lays the children out once the description has been read.
    void Loaded() override;

protected:
    friend class TControl;
    friend class TWindowHost;
    // Child list maintenance.
    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    // Key handling hooks.
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(uint32_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Called when the window state is (re-)created or destroyed.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Lays out the aligned children inside `rect` (client coordinates).
    virtual void AlignControls(TControl* control, TRect& rect);
    // The window kind a parentless control gets.
    [[nodiscard]] virtual bool IsFormWindow() const { return false; }
    std::unique_ptr<TWindowHost> host_;

private:
    void DoAlign(TAlign align, TRect& rect);
    void ApplyNativeView();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;  // windowed children in tab order
    int alignLevel_ = 0;
    bool alignPending_ = false;
    bool aligning_ = false;
    std::unique_ptr<TRegion> region_;
    uint8_t opacity_ = 255;
    void* nativeWidget_ = nullptr;
    std::unique_ptr<platform::NativeView> nativeView_;
    platform::Window* nativeViewWindow_ = nullptr;        // window that made nativeView_
    std::vector<std::pair<uintptr_t, uint64_t>> timers_;  // id -> platform timer
};

// A windowed control with its own canvas and Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TCustomControl"; }
    // While Paint() runs for a WM_PAINT that brought a canvas (the paint pass, or another
    // control painting this one into a picture), that canvas.
    [[nodiscard]] TCanvas& Canvas() { return paintCanvas_ ? *paintCanvas_ : ControlCanvas(); }
    TNotifyEvent OnPaint;

protected:
    void WndProc(TMessage& message) override;
    virtual void Paint();

private:
    TCanvas* paintCanvas_ = nullptr;
};

// Sets a paint canvas pointer for the lifetime of the guard (restoring the previous one).
class TPaintCanvasScope {
public:
    TPaintCanvasScope(TCanvas*& slot, TCanvas* canvas) : slot_(slot), previous_(slot) {
        slot_ = canvas;
    }
    ~TPaintCanvasScope() { slot_ = previous_; }
    TPaintCanvasScope(const TPaintCanvasScope&) = delete;
    TPaintCanvasScope& operator=(const TPaintCanvasScope&) = delete;

private:
    TCanvas*& slot_;
    TCanvas* previous_;
};

// The form holding a control (nullptr for controls not on a form).
[[nodiscard]] TCustomForm* GetParentForm(const TControl* control);

// Sends a message synchronously (the target's WindowProc); 0 for a null target.
intptr_t SendMessage(TControl* target, uint32_t msg, uintptr_t wParam, intptr_t lParam);
// Queues a message on the main loop; a message to a control destroyed meanwhile is dropped.
void PostMessage(TControl* target, uint32_t msg, uintptr_t wParam, intptr_t lParam);

// TCanvas* carried in WPARAM of paint messages (nullptr when none).
[[nodiscard]] inline TCanvas* MessageCanvas(const TMessage& message) {
    return reinterpret_cast<TCanvas*>(message.WParam);
}
// Shift state from MK_ bits (client mouse messages) and platform modifiers.
[[nodiscard]] TShiftState KeysToShiftState(uint32_t mkKeys);
[[nodiscard]] uint32_t ShiftStateToKeys(TShiftState shift);
[[nodiscard]] TShiftState KeyModifiersToShiftState(uint32_t platformModifiers);

// The window that shows a control's hint: a popup with a frame and the hint text. The
// application creates it through its HintWindowClass factory, so a skin can replace it.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "THintWindow"; }
    // Screen-independent size the hint needs (at (0,0)), wrapping at maxWidth.
    [[nodiscard]] virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
    // Shows the hint popup at a screen rectangle.
    virtual void ActivateHint(const TRect& screenRect, const std::string& hint);
    // Hides the popup.
    virtual void ReleaseHandle();
    // A tool tip named by the hint.
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void Paint() override;
};
