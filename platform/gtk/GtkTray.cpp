// The notification-area icon. GtkStatusIcon is deprecated in GTK 3 but is the only way a
// GTK 3 program reaches the X11 system tray.
#include <cmath>

#include "platform/gtk/GtkBackend.h"
#include "platform/gtk/GtkImages.h"
#include "platform/gtk/GtkInput.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace platform::gtk {
namespace {

class GtkTrayIcon final : public TrayIcon {
public:
    GtkTrayIcon() : icon_(gtk_status_icon_new()) {
        gtk_status_icon_set_visible(icon_.get(), FALSE);
        g_signal_connect(icon_.get(), "button-press-event", G_CALLBACK(HandleButton), this);
        g_signal_connect(icon_.get(), "button-release-event", G_CALLBACK(HandleButton), this);
        g_signal_connect(icon_.get(), "activate", G_CALLBACK(HandleActivate), this);
    }
    ~GtkTrayIcon() override {
        g_signal_handlers_disconnect_by_data(icon_.get(), this);
        gtk_status_icon_set_visible(icon_.get(), FALSE);
    }
    GtkTrayIcon(const GtkTrayIcon&) = delete;
    GtkTrayIcon& operator=(const GtkTrayIcon&) = delete;

    void SetImage(const ImageView& image) override {
        GObjectPtr<GdkPixbuf> pixbuf = PixbufFromImage(image);
        if (pixbuf) gtk_status_icon_set_from_pixbuf(icon_.get(), pixbuf.get());
    }
    void SetTooltip(const std::string& text) override {
        gtk_status_icon_set_tooltip_text(icon_.get(), text.c_str());
    }
    void SetVisible(bool visible) override { gtk_status_icon_set_visible(icon_.get(), visible); }

private:
    static gboolean HandleButton(GtkStatusIcon*, GdkEventButton* event, gpointer self) {
        auto* t = static_cast<GtkTrayIcon*>(self);
        MouseEvent m;
        switch (event->type) {
            case GDK_BUTTON_PRESS:
                m.kind = MouseEventKind::Down;
                break;
            case GDK_2BUTTON_PRESS:
                m.kind = MouseEventKind::DoubleClick;
                break;
            case GDK_BUTTON_RELEASE:
                m.kind = MouseEventKind::Up;
                break;
            default:
                return TRUE;
        }
        m.button = ButtonFromGdk(event->button);
        m.screenPos = {static_cast<int32_t>(std::floor(event->x_root)),
                       static_cast<int32_t>(std::floor(event->y_root))};
        m.pos = m.screenPos;
        m.modifiers = ModifiersFromState(event->state);
        m.buttonsDown =
            ButtonsDownAfter(event->state, event->button, event->type != GDK_BUTTON_RELEASE);
        if (t->onMouse && m.button != MouseButton::None) t->onMouse(m);
        // Handled here, so GTK does not also raise its own activate or popup-menu for it.
        return TRUE;
    }
    // Reached only through keyboard activation of the icon: the tray's "open" gesture.
    static void HandleActivate(GtkStatusIcon*, gpointer self) {
        auto* t = static_cast<GtkTrayIcon*>(self);
        if (!t->onMouse) return;
        MouseEvent m;
        m.kind = MouseEventKind::DoubleClick;
        m.button = MouseButton::Left;
        t->onMouse(m);
    }

    GObjectPtr<GtkStatusIcon> icon_;
};

}  // namespace

std::unique_ptr<TrayIcon> CreateXEmbedTrayIcon() { return std::make_unique<GtkTrayIcon>(); }

}  // namespace platform::gtk

#pragma GCC diagnostic pop
