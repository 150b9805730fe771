// Pointer and keyboard grab for popup menus. The grab is taken on the anchor's toplevel
// GdkWindow without owner events, so the display server reports every pointer and key event
// to that window wherever the pointer is, our own other windows included; an "event"
// handler on the toplevel widget runs before the window's own handlers, hands each event to
// the sink and stops it there.
#include <cmath>

#include "platform/gtk/GtkBackend.h"
#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/GtkInput.h"
#include "platform/gtk/GtkWindow.h"

namespace platform::gtk {
namespace {

int gActiveGrabs = 0;

class GtkInputGrab final : public InputGrab {
public:
    GtkInputGrab(GtkWidget* toplevel, InputGrabSink& sink)
        : toplevel_(RefObject(toplevel)), sink_(sink) {
        handler_ = g_signal_connect(toplevel, "event", G_CALLBACK(HandleEvent), this);
    }
    ~GtkInputGrab() override {
        g_signal_handler_disconnect(toplevel_.get(), handler_);
        if (grabbed_) {
            GdkWindow* window = gtk_widget_get_window(toplevel_.get());
            if (window)
                gdk_seat_ungrab(gdk_display_get_default_seat(gdk_window_get_display(window)));
        }
        if (counted_) --gActiveGrabs;
    }
    GtkInputGrab(const GtkInputGrab&) = delete;
    GtkInputGrab& operator=(const GtkInputGrab&) = delete;

    bool Grab() {
        GdkWindow* window = gtk_widget_get_window(toplevel_.get());
        if (!window || !gdk_window_is_viewable(window)) return false;
        GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(window));
        const GdkGrabStatus status = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL, FALSE,
                                                   nullptr, nullptr, nullptr, nullptr);
        grabbed_ = status == GDK_GRAB_SUCCESS;
        if (grabbed_) {
            counted_ = true;
            ++gActiveGrabs;
        }
        return grabbed_;
    }

private:
    static MouseEvent Pointer(MouseEventKind kind, GdkWindow* window, double xRoot, double yRoot,
                              guint state) {
        MouseEvent m;
        m.kind = kind;
        m.screenPos = {static_cast<int32_t>(std::floor(xRoot)),
                       static_cast<int32_t>(std::floor(yRoot))};
        int ox = 0;
        int oy = 0;
        if (window) gdk_window_get_origin(window, &ox, &oy);
        m.pos = {m.screenPos.X - ox, m.screenPos.Y - oy};
        m.modifiers = ModifiersFromState(state);
        m.buttonsDown = ButtonsDownAfter(state, 0, false);
        return m;
    }

    static gboolean HandleEvent(GtkWidget* widget, GdkEvent* event, gpointer self) {
        auto* g = static_cast<GtkInputGrab*>(self);
        GdkWindow* window = gtk_widget_get_window(widget);
        switch (event->type) {
            case GDK_BUTTON_PRESS:
            case GDK_BUTTON_RELEASE: {
                const GdkEventButton* b = &event->button;
                MouseEvent m = Pointer(
                    event->type == GDK_BUTTON_PRESS ? MouseEventKind::Down : MouseEventKind::Up,
                    window, b->x_root, b->y_root, b->state);
                m.button = ButtonFromGdk(b->button);
                m.buttonsDown =
                    ButtonsDownAfter(b->state, b->button, event->type == GDK_BUTTON_PRESS);
                if (m.button != MouseButton::None) g->sink_.OnGrabbedMouse(m);  // may end the grab
                return TRUE;
            }
            case GDK_2BUTTON_PRESS:
            case GDK_3BUTTON_PRESS:
                return TRUE;  // the press itself was reported
            case GDK_MOTION_NOTIFY: {
                const GdkEventMotion* mo = &event->motion;
                g->sink_.OnGrabbedMouse(
                    Pointer(MouseEventKind::Move, window, mo->x_root, mo->y_root, mo->state));
                return TRUE;
            }
            case GDK_SCROLL: {
                const GdkEventScroll* s = &event->scroll;
                MouseEvent m =
                    Pointer(MouseEventKind::Wheel, window, s->x_root, s->y_root, s->state);
                m.wheelDelta = s->direction == GDK_SCROLL_UP     ? 120
                               : s->direction == GDK_SCROLL_DOWN ? -120
                                                                 : 0;
                if (m.wheelDelta != 0) g->sink_.OnGrabbedMouse(m);
                return TRUE;
            }
            case GDK_KEY_PRESS:
            case GDK_KEY_RELEASE:
                g->sink_.OnGrabbedKey(KeyEventFromGdk(&event->key));
                return TRUE;
            case GDK_GRAB_BROKEN:
                if (g->grabbed_) {
                    g->grabbed_ = false;
                    g->sink_.OnGrabEnded();
                }
                return TRUE;
            default:
                return FALSE;
        }
    }

    GObjectPtr<GtkWidget> toplevel_;
    InputGrabSink& sink_;
    gulong handler_ = 0;
    bool grabbed_ = false;
    bool counted_ = false;
};

}  // namespace

bool GtkInputGrabActive() { return gActiveGrabs > 0; }

std::unique_ptr<InputGrab> GrabGtkInput(Window& anchor, InputGrabSink& sink) {
    auto* window = dynamic_cast<GtkPlatformWindow*>(&anchor);
    if (!window) return nullptr;
    auto grab = std::make_unique<GtkInputGrab>(window->Toplevel(), sink);
    if (!grab->Grab()) return nullptr;
    return grab;
}

}  // namespace platform::gtk
