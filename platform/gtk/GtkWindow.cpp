#include "platform/gtk/GtkWindow.h"

#include <algorithm>
#include <cmath>

#include "base/Region.h"
#include "platform/gtk/GtkBackend.h"
#include "platform/gtk/GtkImages.h"
#include "platform/gtk/GtkNativeViewHost.h"
#include "platform/gtk/GtkX11.h"

namespace platform::gtk {
namespace {

// Shown where the framework has not presented anything yet (the face colour of controls).
constexpr uint32_t kUnpaintedFill = 0x00F0F0F0;
// At most this many separate rectangles are asked for in one expose; beyond, their extents.
constexpr int kMaxExposeRects = 8;
// Requested bounds remembered while their configure notifications are outstanding.
constexpr size_t kMaxPendingConfigures = 64;
// A request not confirmed within this time is taken as changed by the window manager.
constexpr gint64 kConfigureTimeoutUs = 1000 * 1000;

constexpr int kLayoutEvents = GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                              GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK |
                              GDK_LEAVE_NOTIFY_MASK | GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK |
                              GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK;

uint32_t SettingInt(const char* name, uint32_t fallback) {
    gint value = 0;
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings) return fallback;
    g_object_get(settings, name, &value, nullptr);
    return value > 0 ? static_cast<uint32_t>(value) : fallback;
}

}  // namespace

GtkPlatformWindow::GtkPlatformWindow(const WindowParams& params)
    : sink_(params.sink),
      kind_(params.kind),
      takesFocus_(params.takesFocus && params.kind == WindowKind::TopLevel),
      valid_(cairo_region_create()),
      bounds_(params.screenBounds),
      clicks_(SettingInt("gtk-double-click-time", 500),
              static_cast<int>(SettingInt("gtk-double-click-distance", 5))) {
    const bool popup = params.kind == WindowKind::Popup;
    ownedWindow_.reset(GTK_WIDGET(
        g_object_ref_sink(gtk_window_new(popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL))));
    window_ = ownedWindow_.get();
    firstFrame_ = std::make_unique<FirstFrameWatch>(window_);
    gtk_window_set_title(GTK_WINDOW(window_), params.title.c_str());
    gtk_window_set_decorated(GTK_WINDOW(window_), params.decorated);
    gtk_window_set_gravity(GTK_WINDOW(window_), GDK_GRAVITY_STATIC);
    gtk_window_set_resizable(GTK_WINDOW(window_), TRUE);
    gtk_widget_set_app_paintable(window_, TRUE);
    if (popup) {
        gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_POPUP_MENU);
    }
    if (!takesFocus_) {
        gtk_window_set_accept_focus(GTK_WINDOW(window_), FALSE);
        gtk_window_set_focus_on_map(GTK_WINDOW(window_), FALSE);
    }
    if (!params.showInTaskbar || popup) {
        gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), TRUE);
        gtk_window_set_skip_pager_hint(GTK_WINDOW(window_), TRUE);
    }

    // A GtkLayout does not grow its window to fit its children, so native views never stop
    // the window from shrinking, and it has its own input window covering the whole area.
    layout_ = NewAccessibleLayout();
    gtk_layout_set_size(GTK_LAYOUT(layout_), 1, 1);
    gtk_widget_set_app_paintable(layout_, TRUE);
    gtk_widget_set_can_focus(layout_, takesFocus_);
    gtk_widget_add_events(layout_, kLayoutEvents);
    gtk_container_add(GTK_CONTAINER(window_), layout_);
    gtk_widget_show(layout_);
    accessible_ = std::make_unique<GtkAccessibleBridge>(window_, layout_);

    g_signal_connect(layout_, "draw", G_CALLBACK(HandleDraw), this);
    g_signal_connect(layout_, "button-press-event", G_CALLBACK(HandleButton), this);
    g_signal_connect(layout_, "button-release-event", G_CALLBACK(HandleButton), this);
    g_signal_connect(layout_, "motion-notify-event", G_CALLBACK(HandleMotion), this);
    g_signal_connect(layout_, "leave-notify-event", G_CALLBACK(HandleLeave), this);
    g_signal_connect(layout_, "scroll-event", G_CALLBACK(HandleScroll), this);
    g_signal_connect(layout_, "grab-broken-event", G_CALLBACK(HandleGrabBroken), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(HandleKey), this);
    g_signal_connect(window_, "key-release-event", G_CALLBACK(HandleKey), this);
    g_signal_connect(window_, "focus-in-event", G_CALLBACK(HandleFocus), this);
    g_signal_connect(window_, "focus-out-event", G_CALLBACK(HandleFocus), this);
    g_signal_connect(window_, "configure-event", G_CALLBACK(HandleConfigure), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(HandleDelete), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(HandleWindowState), this);
    g_signal_connect(window_, "grab-broken-event", G_CALLBACK(HandleGrabBroken), this);

    const int w = std::max(bounds_.Width(), 1);
    const int h = std::max(bounds_.Height(), 1);
    backing_ = NewImageSurface(w, h, kUnpaintedFill);
    gtk_window_set_default_size(GTK_WINDOW(window_), w, h);
    gtk_window_resize(GTK_WINDOW(window_), w, h);
    gtk_window_move(GTK_WINDOW(window_), bounds_.Left, bounds_.Top);
    // Realise now so that shape, cursor and grabs work before the window is first shown.
    gtk_widget_realize(window_);
    gtk_widget_realize(layout_);
    if (takesFocus_) AcceptSentKeyEvents(gtk_widget_get_window(window_));
}

GtkPlatformWindow::~GtkPlatformWindow() {
    if (grabbing_) UngrabPointer();
    if (reconcileSource_) g_source_remove(reconcileSource_);
    RemoveSentKeyFilter(gtk_widget_get_window(window_));
    g_signal_handlers_disconnect_by_data(layout_, this);
    g_signal_handlers_disconnect_by_data(window_, this);
}

void GtkPlatformWindow::SetBounds(const TRect& screenBounds) {
    const TRect old = bounds_;
    bounds_ = screenBounds;
    if (old == bounds_) return;
    const int w = std::max(bounds_.Width(), 1);
    const int h = std::max(bounds_.Height(), 1);
    if (old.Width() != bounds_.Width() || old.Height() != bounds_.Height()) {
        ResizeBacking(w, h);
        gtk_window_resize(GTK_WINDOW(window_), w, h);
    }
    if (old.TopLeft() != bounds_.TopLeft())
        gtk_window_move(GTK_WINDOW(window_), bounds_.Left, bounds_.Top);
    if (gtk_widget_get_visible(window_) && kind_ == WindowKind::TopLevel) {
        if (pendingConfigures_.size() >= kMaxPendingConfigures) pendingConfigures_.pop_front();
        pendingConfigures_.push_back({bounds_, g_get_monotonic_time()});
    }
}

void GtkPlatformWindow::Show(bool visible) {
    if (visible == static_cast<bool>(gtk_widget_get_visible(window_))) return;
    if (visible) {
        // Showing places the window where it was asked to be, not where it was last seen.
        gtk_window_move(GTK_WINDOW(window_), bounds_.Left, bounds_.Top);
        // Mapping may pass through other places (a window manager reparenting it) before
        // the window lands where asked.
        if (kind_ == WindowKind::TopLevel)
            pendingConfigures_.push_back({bounds_, g_get_monotonic_time()});
        gtk_widget_show(window_);
        ApplyShape();
    } else {
        if (grabbing_) UngrabPointer();
        gtk_widget_hide(window_);
        pendingConfigures_.clear();
        firstFrame_->Hidden();
    }
}

bool GtkPlatformWindow::Visible() const { return gtk_widget_get_visible(window_); }

void GtkPlatformWindow::SetTitle(const std::string& title) {
    gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
}

void GtkPlatformWindow::ResizeBacking(int width, int height) {
    if (cairo_image_surface_get_width(backing_.get()) == width &&
        cairo_image_surface_get_height(backing_.get()) == height)
        return;
    // A shared image is resized by the framework, which shares it again at once.
    if (sharedImage_) return;
    CairoSurfacePtr next = NewImageSurface(width, height, kUnpaintedFill);
    {
        CairoPtr cr(cairo_create(next.get()));
        cairo_set_source_surface(cr.get(), backing_.get(), 0, 0);
        cairo_paint(cr.get());
    }
    backing_ = std::move(next);
    const cairo_rectangle_int_t all{0, 0, width, height};
    cairo_region_intersect_rectangle(valid_.get(), &all);
}

bool GtkPlatformWindow::ShareImage(const ImageView& image) {
    if (!image.pixels || image.width <= 0 || image.height <= 0 ||
        image.strideWords * 4 != cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, image.width))
        return false;
    // 0x00RRGGBB words are cairo's RGB24 pixels; cairo only reads them.
    backing_.reset(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels)), CAIRO_FORMAT_RGB24,
        image.width, image.height, image.strideWords * 4));
    sharedImage_ = true;
    // What was presented before is not in the new pixels until the framework says so.
    valid_.reset(cairo_region_create());
    return true;
}

void GtkPlatformWindow::Present(const ImageView& image, const TRect& dirty) {
    if (sharedImage_ && reinterpret_cast<const unsigned char*>(image.pixels) !=
                            cairo_image_surface_get_data(backing_.get())) {
        // Another image than the shared one: the window keeps a copy again.
        sharedImage_ = false;
        backing_ =
            NewImageSurface(std::max(image.width, 1), std::max(image.height, 1), kUnpaintedFill);
        valid_.reset(cairo_region_create());
    }
    if (image.width > 0 && image.height > 0) ResizeBacking(image.width, image.height);
    TRect copied;
    if (sharedImage_) {
        copied = IntersectRect(dirty, Rect(0, 0, cairo_image_surface_get_width(backing_.get()),
                                           cairo_image_surface_get_height(backing_.get())));
        // The pixels changed behind cairo's back: whatever it made of them must be redone.
        if (!IsRectEmpty(copied))
            cairo_surface_mark_dirty_rectangle(backing_.get(), copied.Left, copied.Top,
                                               copied.Width(), copied.Height());
    } else {
        copied = CopyImageToSurface(image, dirty, backing_.get());
    }
    if (IsRectEmpty(copied)) return;
    const cairo_rectangle_int_t r{copied.Left, copied.Top, copied.Width(), copied.Height()};
    cairo_region_union_rectangle(valid_.get(), &r);
    // Inside a draw the clip being painted already shows the new pixels.
    if (inDraw_ && IntersectRect(copied, drawClip_) == copied) return;
    gtk_widget_queue_draw_area(layout_, r.x, r.y, r.width, r.height);
}

void GtkPlatformWindow::Invalidate(const TRect& dirty) {
    if (IsRectEmpty(dirty)) return;
    const cairo_rectangle_int_t r{dirty.Left, dirty.Top, dirty.Width(), dirty.Height()};
    CairoRegionPtr stale(cairo_region_create_rectangle(&r));
    cairo_region_subtract(valid_.get(), stale.get());
    gtk_widget_queue_draw_area(layout_, r.x, r.y, r.width, r.height);
}

gboolean GtkPlatformWindow::HandleDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    GdkRectangle clip;
    if (!gdk_cairo_get_clip_rectangle(cr, &clip)) return FALSE;
    CairoRegionPtr missing(cairo_region_create_rectangle(&clip));
    cairo_region_subtract(missing.get(), w->valid_.get());
    if (!cairo_region_is_empty(missing.get()) && w->sink_) {
        w->inDraw_ = true;
        w->drawClip_ = ::Bounds(clip.x, clip.y, clip.width, clip.height);
        if (cairo_region_num_rectangles(missing.get()) > kMaxExposeRects) {
            cairo_rectangle_int_t e;
            cairo_region_get_extents(missing.get(), &e);
            w->sink_->OnExpose(::Bounds(e.x, e.y, e.width, e.height));
        } else {
            for (const TRect& r : RectsFromCairoRegion(missing.get())) w->sink_->OnExpose(r);
        }
        w->inDraw_ = false;
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, w->backing_.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    w->firstFrame_->Painted();
    return FALSE;  // the layout then draws its native views
}

GdkWindow* GtkPlatformWindow::InputWindow() const {
    return gtk_layout_get_bin_window(GTK_LAYOUT(layout_));
}

TPoint GtkPlatformWindow::ToWindow(GdkWindow* eventWindow, double x, double y, double xRoot,
                                   double yRoot) const {
    if (eventWindow == InputWindow())
        return {static_cast<int32_t>(std::floor(x)), static_cast<int32_t>(std::floor(y))};
    int ox = 0;
    int oy = 0;
    if (GdkWindow* input = InputWindow()) gdk_window_get_origin(input, &ox, &oy);
    return {static_cast<int32_t>(std::floor(xRoot)) - ox,
            static_cast<int32_t>(std::floor(yRoot)) - oy};
}

MouseEvent GtkPlatformWindow::PointerEvent(MouseEventKind kind, GdkWindow* eventWindow, double x,
                                           double y, double xRoot, double yRoot,
                                           guint state) const {
    MouseEvent m;
    m.kind = kind;
    m.pos = ToWindow(eventWindow, x, y, xRoot, yRoot);
    m.screenPos = {static_cast<int32_t>(std::floor(xRoot)),
                   static_cast<int32_t>(std::floor(yRoot))};
    m.modifiers = ModifiersFromState(state);
    m.buttonsDown = ButtonsDownAfter(state, 0, false);
    return m;
}

gboolean GtkPlatformWindow::HandleButton(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    // Double clicks are recognised by our own tracker, so the press that completes one is
    // reported once, as a double click, not as a press followed by a double click.
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE) return TRUE;
    const MouseButton button = ButtonFromGdk(event->button);
    if (button == MouseButton::None || !w->sink_) return TRUE;
    const bool pressed = event->type == GDK_BUTTON_PRESS;
    MouseEvent m = w->PointerEvent(MouseEventKind::Up, event->window, event->x, event->y,
                                   event->x_root, event->y_root, event->state);
    m.button = button;
    m.buttonsDown = ButtonsDownAfter(event->state, event->button, pressed);
    if (pressed) {
        if (w->takesFocus_ && !gtk_widget_has_focus(w->layout_)) gtk_widget_grab_focus(w->layout_);
        m.kind = w->clicks_.Press(event->button, event->time, m.screenPos.X, m.screenPos.Y)
                     ? MouseEventKind::DoubleClick
                     : MouseEventKind::Down;
    } else {
        m.kind = MouseEventKind::Up;
    }
    w->sink_->OnMouse(m);  // may destroy this window: nothing after it
    return TRUE;
}

gboolean GtkPlatformWindow::HandleMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    if (!w->sink_) return TRUE;
    MouseEvent m = w->PointerEvent(MouseEventKind::Move, event->window, event->x, event->y,
                                   event->x_root, event->y_root, event->state);
    w->sink_->OnMouse(m);
    return TRUE;
}

gboolean GtkPlatformWindow::HandleLeave(GtkWidget*, GdkEventCrossing* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    // Crossings caused by starting a grab are not the pointer leaving; the end of a button's
    // implicit grab outside the window is.
    if (event->mode != GDK_CROSSING_NORMAL && event->mode != GDK_CROSSING_UNGRAB) return FALSE;
    if (!w->sink_ || w->grabbing_) return FALSE;
    MouseEvent m = w->PointerEvent(MouseEventKind::Leave, event->window, event->x, event->y,
                                   event->x_root, event->y_root, event->state);
    w->sink_->OnMouse(m);
    return FALSE;
}

gboolean GtkPlatformWindow::HandleScroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    int delta = 0;
    switch (event->direction) {
        case GDK_SCROLL_UP:
            delta = 120;
            break;
        case GDK_SCROLL_DOWN:
            delta = -120;
            break;
        case GDK_SCROLL_SMOOTH: {
            // Fine-grained deltas add up until they make whole notches' worth of units.
            w->wheelRemainder_ -= event->delta_y * 120.0;
            delta = static_cast<int>(w->wheelRemainder_);
            w->wheelRemainder_ -= delta;
            break;
        }
        default:
            break;
    }
    if (delta == 0 || !w->sink_) return TRUE;
    MouseEvent m = w->PointerEvent(MouseEventKind::Wheel, event->window, event->x, event->y,
                                   event->x_root, event->y_root, event->state);
    m.wheelDelta = delta;
    w->sink_->OnMouse(m);
    return TRUE;
}

gboolean GtkPlatformWindow::HandleKey(GtkWidget* widget, GdkEventKey* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    // A focused native view (a web pane) sees its keys first; what it leaves goes to the
    // framework, which handles shortcuts.
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(widget));
    if (focus && focus != w->layout_ && gtk_window_propagate_key_event(GTK_WINDOW(widget), event))
        return TRUE;
    if (!w->sink_) return FALSE;
    w->sink_->OnKey(KeyEventFromGdk(event));
    return TRUE;
}

gboolean GtkPlatformWindow::HandleFocus(GtkWidget*, GdkEventFocus* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    // A popup menu's keyboard grab moves the focus to the grab window and back: the
    // window stays the active one (it would close its own menu on deactivation).
    if (GtkInputGrabActive()) return FALSE;
    if (w->sink_) w->sink_->OnFocusChanged(event->in != 0);
    return FALSE;
}

void GtkPlatformWindow::PrunePending() {
    const gint64 now = g_get_monotonic_time();
    while (!pendingConfigures_.empty() &&
           now - pendingConfigures_.front().sentUs > kConfigureTimeoutUs)
        pendingConfigures_.pop_front();
}

void GtkPlatformWindow::ReportActual(const TRect& actual) {
    lastActual_.reset();
    if (actual == bounds_) return;
    bounds_ = actual;
    ResizeBacking(std::max(actual.Width(), 1), std::max(actual.Height(), 1));
    if (sink_) sink_->OnConfigured(actual);
}

gboolean GtkPlatformWindow::HandleConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    const TRect actual = ::Bounds(event->x, event->y, event->width, event->height);
    w->PrunePending();
    auto mine = std::find_if(w->pendingConfigures_.begin(), w->pendingConfigures_.end(),
                             [&](const PendingConfigure& p) { return p.bounds == actual; });
    if (mine != w->pendingConfigures_.end()) {
        // Our own request arriving (and any it superseded): the framework knows already.
        w->pendingConfigures_.erase(w->pendingConfigures_.begin(), mine + 1);
        if (w->pendingConfigures_.empty()) w->lastActual_.reset();
        return FALSE;
    }
    if (!w->pendingConfigures_.empty()) {
        // A step of a request still in flight (a window manager may apply the move and the
        // resize separately). Decided once the requests are answered or time out.
        w->lastActual_ = actual;
        if (!w->reconcileSource_)
            w->reconcileSource_ =
                g_timeout_add(kConfigureTimeoutUs / 4000, &GtkPlatformWindow::Reconcile, w);
        return FALSE;
    }
    w->ReportActual(actual);
    return FALSE;
}

gboolean GtkPlatformWindow::Reconcile(gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    w->PrunePending();
    if (!w->pendingConfigures_.empty()) return G_SOURCE_CONTINUE;
    w->reconcileSource_ = 0;
    if (w->lastActual_) w->ReportActual(*w->lastActual_);  // the manager changed our request
    return G_SOURCE_REMOVE;
}

gboolean GtkPlatformWindow::HandleDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    if (w->sink_) w->sink_->OnCloseRequest();
    return TRUE;  // the framework decides; GTK must not destroy the window
}

gboolean GtkPlatformWindow::HandleWindowState(GtkWidget*, GdkEventWindowState* event,
                                              gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    if ((event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) && w->sink_)
        w->sink_->OnIconified((event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0);
    return FALSE;
}

gboolean GtkPlatformWindow::HandleGrabBroken(GtkWidget*, GdkEventGrabBroken*, gpointer self) {
    auto* w = static_cast<GtkPlatformWindow*>(self);
    if (!w->grabbing_) return FALSE;
    w->grabbing_ = false;
    if (w->sink_) w->sink_->OnGrabBroken();
    return TRUE;
}

void GtkPlatformWindow::SetShape(const TRegion* region) {
    if (region)
        shape_ = region->Rects();
    else
        shape_.reset();
    ApplyShape();
}

void GtkPlatformWindow::ApplyShape() {
    // GTK keeps the widget's shape and applies it again whenever the window is realised.
    if (!shape_) {
        gtk_widget_shape_combine_region(window_, nullptr);
        return;
    }
    CairoRegionPtr region = CairoRegionFromRects(*shape_);
    gtk_widget_shape_combine_region(window_, region.get());
    if (cairo_region_is_empty(region.get())) SetEmptyXShape(gtk_widget_get_window(window_));
}

void GtkPlatformWindow::SetOpacity(uint8_t alpha) {
    gtk_widget_set_opacity(window_, alpha / 255.0);
}

void GtkPlatformWindow::SetCursor(CursorShape shape) {
    if (shape == cursor_) return;
    cursor_ = shape;
    GdkWindow* input = InputWindow();
    if (!input) return;
    GObjectPtr<GdkCursor> cursor(
        gdk_cursor_new_from_name(gdk_window_get_display(input), CursorName(shape)));
    gdk_window_set_cursor(input, cursor.get());  // a missing name falls back to the default
}

bool GtkPlatformWindow::GrabPointer() {
    GdkWindow* input = InputWindow();
    if (!input || !gdk_window_is_visible(input)) return false;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(input));
    const GdkGrabStatus status = gdk_seat_grab(seat, input, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE,
                                               nullptr, nullptr, nullptr, nullptr);
    grabbing_ = status == GDK_GRAB_SUCCESS;
    return grabbing_;
}

void GtkPlatformWindow::UngrabPointer() {
    if (!grabbing_) return;
    grabbing_ = false;
    GdkWindow* input = InputWindow();
    if (!input) return;
    gdk_seat_ungrab(gdk_display_get_default_seat(gdk_window_get_display(input)));
}

void GtkPlatformWindow::Activate() {
    if (!takesFocus_) return;
    gtk_window_present_with_time(GTK_WINDOW(window_), GDK_CURRENT_TIME);
    gtk_widget_grab_focus(layout_);
}

void GtkPlatformWindow::Minimize() { gtk_window_iconify(GTK_WINDOW(window_)); }

void GtkPlatformWindow::Restore() {
    gtk_window_deiconify(GTK_WINDOW(window_));
    if (takesFocus_) gtk_window_present_with_time(GTK_WINDOW(window_), GDK_CURRENT_TIME);
}

void GtkPlatformWindow::SetIcon(const ImageView& icon) {
    GObjectPtr<GdkPixbuf> pixbuf = PixbufFromImage(icon);
    gtk_window_set_icon(GTK_WINDOW(window_), pixbuf.get());
}

std::unique_ptr<NativeView> GtkPlatformWindow::CreateNativeView(void* nativeWidget) {
    if (!nativeWidget || !GTK_IS_WIDGET(nativeWidget)) return nullptr;
    return std::make_unique<GtkNativeViewHost>(GTK_LAYOUT(layout_), GTK_WIDGET(nativeWidget));
}

void GtkPlatformWindow::AfterFirstFrame(std::function<void()> callback) {
    firstFrame_->Add(std::move(callback));
}

}  // namespace platform::gtk
