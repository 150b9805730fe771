// WebKitHost: keys (the host's accelerators first: a key it handles never reaches WebKit),
// the user's gestures (each button or key press in the view is good for one launch and one
// download), focus (the document's UI activation), zoom, and drag and drop (the host's
// drop target, or none while the control is not registered as a drop target).
#include <algorithm>
#include <cmath>

#include "base/Messages.h"
#include "platform/gtk/GtkInput.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

constexpr uint32_t kDocHostUiTypeBrowse = 0;
constexpr uint32_t HELP_CONTEXT = 1;
constexpr uint16_t VK_F1 = 0x70;
constexpr uint16_t VK_F5 = 0x74;

// The virtual key of the key itself (its unshifted level), as the framework's keys have.
uint16_t VirtualKeyOf(GtkWidget* widget, GdkEventKey* event) {
    guint base = event->keyval;
    gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(gtk_widget_get_display(widget)),
                                        event->hardware_keycode, static_cast<GdkModifierType>(0),
                                        event->group, &base, nullptr, nullptr, nullptr);
    const uint16_t vk = VirtualKeyFromKeyval(base);
    return vk ? vk : VirtualKeyFromKeyval(event->keyval);
}

uint32_t EffectFromActions(GdkDragAction actions) {
    uint32_t effect = DROPEFFECT_NONE;
    if (actions & GDK_ACTION_COPY) effect |= DROPEFFECT_COPY;
    if (actions & GDK_ACTION_MOVE) effect |= DROPEFFECT_MOVE;
    if (actions & GDK_ACTION_LINK) effect |= DROPEFFECT_LINK;
    return effect;
}

GdkDragAction ActionFromEffect(uint32_t effect) {
    if (effect & DROPEFFECT_COPY) return GDK_ACTION_COPY;
    if (effect & DROPEFFECT_MOVE) return GDK_ACTION_MOVE;
    if (effect & DROPEFFECT_LINK) return GDK_ACTION_LINK;
    return static_cast<GdkDragAction>(0);
}

uint32_t DragKeyState(GtkWidget* widget) {
    uint32_t keys = MK_LBUTTON;
    const guint state =
        gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(gtk_widget_get_display(widget)));
    if (state & GDK_SHIFT_MASK) keys |= MK_SHIFT;
    if (state & GDK_CONTROL_MASK) keys |= MK_CONTROL;
    return keys;
}

// What is dragged: the formats on offer.
class DragData final : public WebDataObject {
public:
    explicit DragData(GdkDragContext* context) {
        for (GList* l = gdk_drag_context_list_targets(context); l; l = l->next) {
            GCharPtr name(gdk_atom_name(GDK_POINTER_TO_ATOM(l->data)));
            if (name) formats_.emplace_back(name.get());
        }
    }
    std::vector<std::string> Formats() const override { return formats_; }

private:
    std::vector<std::string> formats_;
};

}  // namespace

void WebKitHost::ConnectInput() {
    g_signal_connect(view_, "button-press-event", G_CALLBACK(OnButtonPress), this);
    g_signal_connect(view_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(view_, "key-release-event", G_CALLBACK(OnKey), this);
    g_signal_connect(view_, "focus-in-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(view_, "focus-out-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(view_, "notify::zoom-level", G_CALLBACK(OnZoom), this);
    g_signal_connect(view_, "drag-motion", G_CALLBACK(OnDragMotion), this);
    g_signal_connect(view_, "drag-leave", G_CALLBACK(OnDragLeave), this);
    g_signal_connect(view_, "drag-drop", G_CALLBACK(OnDragDrop), this);
}

void WebKitHost::UserGesture() {
    downloadGestures_.Gesture();
    control_.UserGesture();
}

gboolean WebKitHost::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    // A press the window system made up for another program (send_event) is no user's.
    if (!self->closed_ && event->type == GDK_BUTTON_PRESS && !event->send_event)
        self->UserGesture();
    return FALSE;
}

gboolean WebKitHost::OnKey(GtkWidget* widget, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    if (self->closed_) return FALSE;
    const bool press = event->type == GDK_KEY_PRESS;
    // Escape is no gesture (as in browsers: it dismisses, it does not ask for anything).
    if (press && !event->send_event && event->keyval != GDK_KEY_Escape) self->UserGesture();
    const uint32_t modifiers = ModifiersFromState(event->state);
    const bool alt = (modifiers & kModAlt) != 0;
    KeyMessage message;
    message.message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    message.virtualKey = VirtualKeyOf(widget, event);
    message.modifiers = modifiers;
    if (message.virtualKey == 0) return FALSE;
    if (self->site_) {
        const TLivenessWatch alive = self->liveness_.Watch();
        const HResult hr = self->site_->TranslateAccelerator(message, nullptr, 0);
        if (!alive.Alive() || hr == kS_OK) return TRUE;  // the host handled it
    }
    if (!press) return FALSE;
    // The control's own accelerators.
    const bool ctrl = (modifiers & kModControl) != 0;
    if (message.virtualKey == VK_F5 || (ctrl && message.virtualKey == 'R')) {
        self->RequestRefresh(kRefreshCommand, ctrl && message.virtualKey == VK_F5);
        return TRUE;
    }
    if (message.virtualKey == VK_F1 && self->site_) {
        WebObject* hit = nullptr;
        int x = 0, y = 0;
        GdkWindow* window = gtk_widget_get_window(widget);
        GdkDevice* pointer =
            gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(widget)));
        if (window && pointer) gdk_window_get_device_position(window, pointer, &x, &y, nullptr);
        return self->site_->ShowHelp(self->view_, u"", HELP_CONTEXT, 0, TPoint{x, y}, hit) == kS_OK;
    }
    return FALSE;
}

gboolean WebKitHost::OnFocus(GtkWidget*, GdkEventFocus* event, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    if (self->closed_ || !self->site_) return FALSE;
    if (event->in)
        self->site_->ShowUI(kDocHostUiTypeBrowse, self->control_.BrowserObject(), self, nullptr,
                            nullptr);
    else
        self->site_->HideUI();
    return FALSE;
}

void WebKitHost::OnZoom(WebKitWebView* view, GParamSpec*, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    if (self->closed_ || !self->site_) return;
    const double percent = std::round(webkit_web_view_get_zoom_level(view) * 100.0);
    self->site_->ZoomPercentChanged(static_cast<uint32_t>(std::clamp(percent, 0.0, 100000.0)));
}

// ---- Drag and drop ----

WebDropTarget* WebKitHost::ActiveDropTarget() const { return site_ ? hostDropTarget_ : nullptr; }

void WebKitHost::EndDrag() {
    if (dragLeaveIdle_) {
        g_source_remove(dragLeaveIdle_);
        dragLeaveIdle_ = 0;
    }
    dragTarget_ = nullptr;
}

gboolean WebKitHost::OnDragMotion(GtkWidget* widget, GdkDragContext* context, gint x, gint y,
                                  guint time, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    if (self->closed_) return FALSE;
    if (WebDropTarget* target = self->ActiveDropTarget()) {
        if (self->dragLeaveIdle_) {  // the pointer came back before the leave was told
            g_source_remove(self->dragLeaveIdle_);
            self->dragLeaveIdle_ = 0;
        }
        uint32_t effect = EffectFromActions(gdk_drag_context_get_actions(context));
        const uint32_t keys = DragKeyState(widget);
        if (self->dragTarget_ != target) {
            self->dragTarget_ = target;
            DragData dragged(context);
            target->DragEnter(&dragged, keys, TPoint{x, y}, effect);
        } else {
            target->DragOver(keys, TPoint{x, y}, effect);
        }
        gdk_drag_status(context, ActionFromEffect(effect), time);
        return TRUE;
    }
    if (!self->control_.RegisterAsDropTarget()) {
        gdk_drag_status(context, static_cast<GdkDragAction>(0), time);
        return TRUE;
    }
    return FALSE;  // WebKit's own handling
}

void WebKitHost::OnDragLeave(GtkWidget*, GdkDragContext*, guint, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    if (!self->dragTarget_ || self->dragLeaveIdle_) return;
    // GTK reports a leave before every drop; the target is told from the loop, unless a
    // drop came first.
    self->dragLeaveIdle_ = g_idle_add(
        [](gpointer d) -> gboolean {
            auto* host = static_cast<WebKitHost*>(d);
            host->dragLeaveIdle_ = 0;
            WebDropTarget* target = host->dragTarget_;
            host->dragTarget_ = nullptr;
            if (target && target == host->ActiveDropTarget()) target->DragLeave();
            return G_SOURCE_REMOVE;
        },
        self);
}

gboolean WebKitHost::OnDragDrop(GtkWidget* widget, GdkDragContext* context, gint x, gint y,
                                guint time, gpointer data) {
    auto* self = static_cast<WebKitHost*>(data);
    if (self->closed_) return FALSE;
    if (WebDropTarget* target = self->ActiveDropTarget()) {
        self->EndDrag();
        uint32_t effect = EffectFromActions(gdk_drag_context_get_actions(context));
        DragData dragged(context);
        target->Drop(&dragged, DragKeyState(widget), TPoint{x, y}, effect);
        gtk_drag_finish(context, effect != DROPEFFECT_NONE, FALSE, time);
        return TRUE;
    }
    if (!self->control_.RegisterAsDropTarget()) {
        gtk_drag_finish(context, FALSE, FALSE, time);
        return TRUE;
    }
    return FALSE;
}

}  // namespace platform::gtk
