// TWindowHost: the platform window of a top-level control, its backing image, invalidation
// and the paint pass.
//
// Paint pass: WM_NCPAINT on a canvas over the whole window image, then for the top-level
// control and every windowed descendant WM_ERASEBKGND and WM_PAINT, then WM_PAINT of its
// graphic children. Each control's canvas has its origin at the control's client origin
// and is clipped to its visible rectangle (itself and all ancestors' client areas), minus
// its windowed children (they paint themselves afterwards) and minus native views.
#include "ui/ControlsWindowHost.h"

#include <algorithm>

#include "ui/Accessibility.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Screen.h"

TWindowHost::TWindowHost(TWinControl& owner, bool popup) : owner_(owner), popup_(popup) {}

TWindowHost::~TWindowHost() { DestroyPlatformWindow(); }

namespace {

// The part of `area` (window-image coordinates) inside the shapes of the control and of
// its ancestors below the top-level one: a child control's window region clips what it and
// its children paint, as a shaped child window would. (The top-level control's shape is
// the platform window's.)
TRegion ShapeClip(const TControl& control, TRegion area) {
    for (const TControl* c = &control; c && c->Parent(); c = c->Parent()) {
        if (!c->IsWindowed()) continue;
        const TRegion* shape = static_cast<const TWinControl*>(c)->WindowRegion();
        if (!shape) continue;
        const TPoint o = c->Parent()->WindowClientOrigin();
        area = area.Intersect(shape->Offset(o.X + c->Left(), o.Y + c->Top()));
        if (area.IsEmpty()) break;
    }
    return area;
}

// Calls fn for the control and every windowed descendant.
template <class Fn>
void ForEachWindowed(TWinControl& control, Fn&& fn) {
    fn(control);
    for (int i = 0; i < control.ControlCount(); ++i) {
        if (control.Controls(i)->IsWindowed())
            ForEachWindowed(*static_cast<TWinControl*>(control.Controls(i)), fn);
    }
}

}  // namespace

void TWindowHost::CreatePlatformWindow() {
    if (window_) return;
    platform::WindowParams params;
    params.kind = popup_ ? platform::WindowKind::Popup : platform::WindowKind::TopLevel;
    params.screenBounds = owner_.BoundsRect();
    params.title = owner_.Caption();
    params.decorated = false;
    params.takesFocus = !popup_;
    params.showInTaskbar = !popup_;
    params.sink = this;
    window_ = platform::Current().CreateWindow(params);
    window_->SetAccessibleSource(this);
    if (owner_.WindowRegion()) window_->SetShape(owner_.WindowRegion());
    if (owner_.WindowOpacity() != 255) window_->SetOpacity(owner_.WindowOpacity());
    ResizeImage(std::max(1, owner_.Width()), std::max(1, owner_.Height()));
    visible_ = false;
    ForEachWindowed(owner_, [](TWinControl& c) { c.UpdateNativeViews(); });
}

void TWindowHost::DestroyPlatformWindow() {
    if (!window_) return;
    if (sizeMove_.active) {
        sizeMove_.active = false;
        window_->UngrabPointer();
    }
    // Native views made by this window go with it; they are made anew on the next window.
    ForEachWindowed(owner_, [this](TWinControl& c) {
        if (c.nativeWidget_ && c.nativeViewWindow_ == window_.get()) {
            c.nativeView_.reset();
            c.nativeViewWindow_ = nullptr;
        }
    });
    window_->SetAccessibleSource(nullptr);
    window_.reset();
    sharedPixels_ = nullptr;
    visible_ = false;
    capture_ = nullptr;
    hover_ = nullptr;
}

void TWindowHost::SyncBounds() {
    const int w = std::max(1, owner_.Width()), h = std::max(1, owner_.Height());
    if (image_.Width() != w || image_.Height() != h) ResizeImage(w, h);
    if (window_) window_->SetBounds(owner_.BoundsRect());
    InvalidateAll();
}

void TWindowHost::ShowWindow(bool visible) {
    if (!window_) return;
    if (visible_ == visible) return;
    visible_ = visible;
    window_->Show(visible);
    if (visible) InvalidateAll();
    ForEachWindowed(owner_, [](TWinControl& c) { c.UpdateNativeViews(); });
}

bool TWindowHost::WindowVisible() const { return window_ && visible_; }

// ---------------------------------------------------------------- invalidation

void TWindowHost::InvalidateRect(const TRect& windowRect) {
    const TRect r = IntersectRect(windowRect, Rect(0, 0, image_.Width(), image_.Height()));
    if (IsRectEmpty(r)) return;
    pending_ = UnionRect(pending_, r);
    if (window_ && visible_) window_->Invalidate(r);
}

void TWindowHost::InvalidateAll() { InvalidateRect(Rect(0, 0, image_.Width(), image_.Height())); }

void TWindowHost::PaintPending() {
    if (IsRectEmpty(pending_) || !window_ || !visible_) return;
    const TRect r = pending_;
    pending_ = {};
    PaintPass(r);
}

void TWindowHost::OnExpose(const TRect& dirty) {
    const TRect r = UnionRect(pending_, dirty);
    pending_ = {};
    PaintPass(r);
}

// ---------------------------------------------------------------- paint pass

TRegion TWindowHost::NativeViewRegion() const {
    std::vector<TRect> rects;
    ForEachWindowed(owner_, [&rects](TWinControl& c) {
        if (c.NativeView()) {
            const TRect r = c.VisibleWindowRect();
            if (!IsRectEmpty(r)) rects.push_back(r);
        }
    });
    return rects.empty() ? TRegion() : TRegion::FromRects(rects);
}

void TWindowHost::ConfigureCanvas(TCanvas& canvas, TPoint origin, const TRegion& deviceClip) {
    canvas.SetOrigin(origin);
    canvas.SetClipRegion(deviceClip.Offset(-origin.X, -origin.Y));
}

void TWindowHost::PaintPass(const TRect& requested) {
    if (!window_ || owner_.IsDestroying()) return;
    const int w = std::max(1, owner_.Width()), h = std::max(1, owner_.Height());
    if (image_.Width() != w || image_.Height() != h) ResizeImage(w, h);
    const TRect dirty = IntersectRect(requested, Rect(0, 0, w, h));
    if (IsRectEmpty(dirty)) return;
    inPaint_ = true;
    try {
        const TRegion excluded = NativeViewRegion();
        if (!popup_) {
            TCanvas& wc = WindowCanvas();
            ConfigureCanvas(wc, {0, 0}, TRegion(dirty).Subtract(excluded));
            paintingControl_ = nullptr;
            owner_.Perform(WM_NCPAINT, reinterpret_cast<uintptr_t>(&wc), 0);
        }
        PaintTree(owner_, dirty, excluded);
    } catch (...) {
        inPaint_ = false;
        paintingControl_ = nullptr;
        PresentNow(dirty);
        throw;
    }
    inPaint_ = false;
    paintingControl_ = nullptr;
    PresentNow(dirty);
}

void TWindowHost::PaintChildFrame(TWinControl& form, const TRect& dirty, const TRegion& excluded) {
    const TRect bounds = IntersectRect(form.VisibleWindowRect(), dirty);
    if (IsRectEmpty(bounds)) return;
    const TPoint o = form.WindowClientOrigin();
    const TRegion clip = ShapeClip(form, TRegion(bounds))
                             .Subtract(TRegion(OffsetRect(form.ClientRect(), o.X, o.Y)))
                             .Subtract(excluded);
    if (clip.IsEmpty()) return;
    TCanvas& canvas = static_cast<TCustomForm&>(form).WindowCanvas();
    ConfigureCanvas(canvas, form.WindowBoundsRect().TopLeft(), clip);
    paintingControl_ = &form;
    form.Perform(WM_NCPAINT, reinterpret_cast<uintptr_t>(&canvas), 0);
    paintingControl_ = nullptr;
}

void TWindowHost::PaintTree(TWinControl& control, const TRect& dirty, const TRegion& excluded) {
    TRect visible;
    if (&control == &owner_) {
        const TPoint o = control.WindowClientOrigin();
        visible = OffsetRect(control.ClientRect(), o.X, o.Y);
    } else {
        // A form inside the window (an MDI child) paints its frame first; its client area
        // is what it and its children paint.
        if (control.IsFormWindow()) PaintChildFrame(control, dirty, excluded);
        const TPoint o = control.WindowClientOrigin();
        visible =
            IntersectRect(control.VisibleWindowRect(), OffsetRect(control.ClientRect(), o.X, o.Y));
    }
    const TRect area = IntersectRect(visible, dirty);
    if (IsRectEmpty(area)) return;
    if (control.NativeView()) return;  // the native view covers the control

    TRegion clip = ShapeClip(control, TRegion(area)).Subtract(excluded);
    std::vector<TWinControl*> windowed;
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* c = control.Controls(i);
        if (!c->IsWindowed() || !c->Visible()) continue;
        auto* wc = static_cast<TWinControl*>(c);
        windowed.push_back(wc);
        const TRect r = IntersectRect(c->VisibleWindowRect(), area);
        // A shaped child leaves what lies outside its shape to this control.
        if (!IsRectEmpty(r)) clip = clip.Subtract(ShapeClip(*wc, TRegion(r)));
    }
    if (!clip.IsEmpty()) {
        TCanvas& canvas = control.ControlCanvasForPaint();
        ConfigureCanvas(canvas, control.WindowClientOrigin(), clip);
        canvas.Font = control.Font();
        paintingControl_ = &control;
        control.Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&canvas), 0);
        ConfigureCanvas(canvas, control.WindowClientOrigin(), clip);
        control.Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&canvas), 0);
        for (int i = 0; i < control.ControlCount(); ++i) {
            TControl* c = control.Controls(i);
            if (c->IsWindowed() || !c->Visible()) continue;
            const TRect r = IntersectRect(c->VisibleWindowRect(), area);
            if (IsRectEmpty(r)) continue;
            const TRegion gclip = clip.Intersect(TRegion(r));
            if (gclip.IsEmpty()) continue;
            TCanvas& gc = c->ControlCanvasForPaint();
            ConfigureCanvas(gc, c->WindowClientOrigin(), gclip);
            gc.Font = c->Font();
            paintingControl_ = c;
            c->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&gc), 0);
        }
        paintingControl_ = nullptr;
    }
    for (TWinControl* c : windowed) {
        if (c->Parent() == &control) PaintTree(*c, dirty, excluded);
    }
}

TCanvas& TWindowHost::WindowCanvas() {
    if (!windowCanvas_) windowCanvas_ = std::make_unique<TCanvas>(image_);
    if (!inPaint_) {
        windowCanvas_->SetOrigin({0, 0});
        windowCanvas_->SetClipRegion(
            TRegion(Rect(0, 0, image_.Width(), image_.Height())).Subtract(NativeViewRegion()));
        SchedulePresent(Rect(0, 0, image_.Width(), image_.Height()));
    }
    return *windowCanvas_;
}

void TWindowHost::PrepareFrameCanvas(const TControl& form, TCanvas& canvas) {
    const TRect visible = form.VisibleWindowRect();
    const TRegion clip = ShapeClip(form, TRegion(visible)).Subtract(NativeViewRegion());
    ConfigureCanvas(canvas, form.WindowBoundsRect().TopLeft(), clip);
    if (!inPaint_) SchedulePresent(visible);
}

void TWindowHost::PrepareCanvas(const TControl& control, TCanvas& canvas) {
    const TPoint o = control.WindowClientOrigin();
    const TRect visible =
        IntersectRect(control.VisibleWindowRect(), OffsetRect(control.ClientRect(), o.X, o.Y));
    const TRegion clip = ShapeClip(control, TRegion(visible)).Subtract(NativeViewRegion());
    ConfigureCanvas(canvas, control.WindowClientOrigin(), clip);
    if (!inPaint_) SchedulePresent(visible);
}

void TWindowHost::SchedulePresent(const TRect& windowRect) {
    if (IsRectEmpty(windowRect)) return;
    presentPending_ = UnionRect(presentPending_, windowRect);
    if (presentQueued_) return;
    presentQueued_ = true;
    TLivenessWatch alive = liveness_.Watch();
    platform::Current().Post([this, alive] {
        if (!alive.Alive()) return;
        presentQueued_ = false;
        const TRect r = presentPending_;
        presentPending_ = {};
        // Areas invalidated meanwhile are painted first: presented unpainted, the platform
        // would take them as up to date and never ask for them.
        try {
            PaintPending();
        } catch (const std::exception& e) {
            Application().HandleException(e);
        }
        PresentNow(r);
    });
}

void TWindowHost::ResizeImage(int width, int height) {
    image_.SetSize(width, height);
    ShareImage();
}

void TWindowHost::ShareImage() {
    sharedPixels_ = nullptr;
    if (window_ &&
        window_->ShareImage({image_.Bits(), image_.Width(), image_.Height(), image_.Width()}))
        sharedPixels_ = image_.Bits();
}

void TWindowHost::PresentNow(const TRect& windowRect) {
    if (!window_ || IsRectEmpty(windowRect)) return;
    // Shared pixels that moved (the image was reallocated some other way) are shared again.
    if (sharedPixels_ && sharedPixels_ != image_.Bits()) ShareImage();
    platform::ImageView view{image_.Bits(), image_.Width(), image_.Height(), image_.Width()};
    window_->Present(view, windowRect);
    // Everything a control shows is drawn: what was presented may have changed its node.
    accessibleStale_ = true;
    window_->AccessibleChanged();
}

const platform::AccessibleNode& TWindowHost::AccessibleTree() {
    if (!accessibleStale_) return accessibleTree_;
    accessibleStale_ = false;
    if (owner_.IsDestroying()) {
        accessibleTree_ = {};
        return accessibleTree_;
    }
    const std::string id = owner_.Name().empty() ? owner_.ClassName() : owner_.Name();
    accessibleTree_ = BuildAccessible(owner_, id);
    return accessibleTree_;
}

// ---------------------------------------------------------------- cursor shapes

platform::CursorShape CursorToShape(TCursor cursor) {
    using platform::CursorShape;
    switch (cursor) {
        case crDefault:
            return CursorShape::Default;
        case crNone:
            return CursorShape::Hidden;
        case crArrow:
            return CursorShape::Arrow;
        case crCross:
            return CursorShape::Cross;
        case crIBeam:
            return CursorShape::IBeam;
        case crSizeNESW:
            return CursorShape::SizeNESW;
        case crSizeNS:
            return CursorShape::SizeNS;
        case crSizeNWSE:
            return CursorShape::SizeNWSE;
        case crSizeWE:
            return CursorShape::SizeWE;
        case crUpArrow:
            return CursorShape::UpArrow;
        case crHourGlass:
            return CursorShape::Wait;
        case crNo:
            return CursorShape::No;
        case crAppStart:
            return CursorShape::AppStarting;
        case crHelp:
            return CursorShape::Help;
        case crHandPoint:
            return CursorShape::HandPoint;
        case crSizeAll:
            return CursorShape::SizeAll;
        default:
            return CursorShape::Arrow;
    }
}
