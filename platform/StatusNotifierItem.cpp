#include "platform/StatusNotifierItem.h"

#include <gio/gio.h>
#include <unistd.h>

#include <atomic>
#include <vector>

#include "platform/GLibHandles.h"

namespace platform {
namespace {

constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kItemPath = "/StatusNotifierItem";
// Tips longer than this are cut; hosts show a line or two.
constexpr size_t kMaxTooltipBytes = 4096;

constexpr const char* kIntrospection = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus"><arg name="status" type="s"/></signal>
  </interface>
</node>)xml";

std::atomic<int> gItemCounter{0};

GDBusNodeInfo* NodeInfo() {
    static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    return info;
}

}  // namespace

// What GIO's callbacks are given: freed by GIO once it calls them no more, cut from the
// item when the item goes first, so a call still queued then finds no item.
struct ItemLink {
    StatusNotifierItem::Impl* impl;
    static void Free(gpointer link) { delete static_cast<ItemLink*>(link); }
};

struct StatusNotifierItem::Impl {
    StatusNotifierItem* self = nullptr;
    GObjectPtr<GDBusConnection> connection;
    guint objectId = 0;
    guint ownerId = 0;
    guint watchId = 0;
    ItemLink* objectLink = nullptr;
    ItemLink* ownerLink = nullptr;
    ItemLink* watchLink = nullptr;

    static Impl* From(gpointer link) { return static_cast<ItemLink*>(link)->impl; }

    GVariant* Pixmaps() const {
        GVariantBuilder b;
        g_variant_builder_init(&b, G_VARIANT_TYPE("a(iiay)"));
        if (!self->iconArgb_.empty()) {
            GVariant* bytes = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, self->iconArgb_.data(),
                                                        self->iconArgb_.size(), 1);
            g_variant_builder_add(&b, "(ii@ay)", self->iconWidth_, self->iconHeight_, bytes);
        }
        return g_variant_builder_end(&b);
    }

    static GVariant* GetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                 const gchar* name, GError**, gpointer data) {
        const Impl* impl = From(data);
        if (!impl) return nullptr;
        const StatusNotifierItem& s = *impl->self;
        const std::string p = name;
        if (p == "Category") return g_variant_new_string("ApplicationStatus");
        if (p == "Id") return g_variant_new_string("puzzlebin");
        if (p == "Title") return g_variant_new_string(s.title_.c_str());
        if (p == "Status") return g_variant_new_string("Active");
        if (p == "WindowId") return g_variant_new_int32(0);
        if (p == "IconName" || p == "OverlayIconName" || p == "AttentionIconName")
            return g_variant_new_string("");
        if (p == "IconPixmap") return impl->Pixmaps();
        if (p == "ItemIsMenu") return g_variant_new_boolean(FALSE);
        if (p == "ToolTip") {
            GVariantBuilder none;
            g_variant_builder_init(&none, G_VARIANT_TYPE("a(iiay)"));
            return g_variant_new("(sa(iiay)ss)", "", &none, s.tooltip_.c_str(), "");
        }
        return nullptr;
    }

    static void CallMethod(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                           const gchar* method, GVariant* parameters,
                           GDBusMethodInvocation* invocation, gpointer data) {
        Impl* impl = From(data);
        if (!impl) {
            g_dbus_method_invocation_return_value(invocation, nullptr);
            return;
        }
        const std::string m = method;
        // The host's gestures as the tray's mouse events:
        //   Activate (the host's left click)  -> a left double click: press, double click,
        //     release. It is the item's default action, as a double click is on the XEmbed
        //     tray: the icon's OnDblClick (restore from the tray) or the tray menu's default
        //     item. SNI hosts send no separate double click, so a plain click would never
        //     restore the window.
        //   SecondaryActivate (middle click)  -> middle press and release.
        //   ContextMenu                       -> right press and release (opens the menu).
        MouseButton button = MouseButton::None;
        if (m == "Activate")
            button = MouseButton::Left;
        else if (m == "SecondaryActivate")
            button = MouseButton::Middle;
        else if (m == "ContextMenu")
            button = MouseButton::Right;
        if (button == MouseButton::None) {  // Scroll: nothing to do
            g_dbus_method_invocation_return_value(invocation, nullptr);
            return;
        }
        gint32 x = 0;
        gint32 y = 0;
        g_variant_get(parameters, "(ii)", &x, &y);
        // Answer first: the click may open a menu that runs for a while.
        g_dbus_method_invocation_return_value(invocation, nullptr);
        StatusNotifierItem* item = impl->self;
        if (!item->onMouse) return;
        MouseEvent e;
        e.button = button;
        e.screenPos = {x, y};
        e.pos = e.screenPos;
        const uint32_t held = button == MouseButton::Left    ? 1u
                              : button == MouseButton::Right ? 2u
                                                             : 0x10u;
        std::vector<MouseEventKind> kinds = {MouseEventKind::Down, MouseEventKind::Up};
        if (button == MouseButton::Left)
            kinds.insert(kinds.begin() + 1, MouseEventKind::DoubleClick);
        // A copy: a handler may free the item (and its handler with it).
        const std::function<void(const MouseEvent&)> handler = item->onMouse;
        const TLivenessWatch alive = item->liveness_.Watch();
        for (const MouseEventKind kind : kinds) {
            if (!alive.Alive()) return;
            e.kind = kind;
            e.buttonsDown = kind == MouseEventKind::Up ? 0u : held;
            handler(e);
        }
    }

    static void NameAcquired(GDBusConnection*, const gchar*, gpointer data) {
        Impl* impl = From(data);
        if (!impl) return;
        impl->self->nameOwned_ = true;
        impl->self->Register();
    }
    static void NameLost(GDBusConnection*, const gchar*, gpointer data) {
        if (Impl* impl = From(data)) impl->self->nameOwned_ = false;
    }

    static void WatcherAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer data) {
        Impl* impl = From(data);
        if (!impl) return;
        StatusNotifierItem* s = impl->self;
        const bool again = s->watcherSeen_;
        s->watcherPresent_ = true;
        s->watcherSeen_ = true;
        s->Register();
        if (s->onWatcherChanged) s->onWatcherChanged(true);
        if (again && s->onAreaRestarted) s->onAreaRestarted();
    }
    static void WatcherVanished(GDBusConnection*, const gchar*, gpointer data) {
        Impl* impl = From(data);
        if (!impl) return;
        StatusNotifierItem* s = impl->self;
        if (!s->watcherPresent_) return;
        s->watcherPresent_ = false;
        if (s->onWatcherChanged) s->onWatcherChanged(false);
    }
};

StatusNotifierItem::StatusNotifierItem(GDBusConnection* connection, std::string title)
    : impl_(std::make_unique<Impl>()), title_(std::move(title)) {
    impl_->self = this;
    busName_ = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" +
               std::to_string(++gItemCounter);
    ownConnection_ = connection == nullptr;
    if (connection) {
        impl_->connection = RefObject(connection);
    } else if (const GCharPtr address{
                   g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)}) {
        // A connection of its own: the item's object path is the protocol's fixed one, so
        // two items cannot share a connection.
        impl_->connection.reset(g_dbus_connection_new_for_address_sync(
            address.get(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr));
    }
    if (!impl_->connection) return;
    impl_->watchLink = new ItemLink{impl_.get()};
    impl_->watchId = g_bus_watch_name_on_connection(
        impl_->connection.get(), kWatcherName, G_BUS_NAME_WATCHER_FLAGS_NONE,
        &Impl::WatcherAppeared, &Impl::WatcherVanished, impl_->watchLink, &ItemLink::Free);
}

StatusNotifierItem::~StatusNotifierItem() {
    onMouse = nullptr;
    onAreaRestarted = nullptr;
    onWatcherChanged = nullptr;
    Unexport();
    if (impl_->watchId) {
        impl_->watchLink->impl = nullptr;
        g_bus_unwatch_name(impl_->watchId);
    }
    if (impl_->connection) {
        g_dbus_connection_flush_sync(impl_->connection.get(), nullptr, nullptr);
        if (ownConnection_) g_dbus_connection_close_sync(impl_->connection.get(), nullptr, nullptr);
        impl_->connection.reset();
    }
}

void StatusNotifierItem::Export() {
    if (!impl_->connection || impl_->objectId) return;
    static const GDBusInterfaceVTable vtable = {&Impl::CallMethod, &Impl::GetProperty, nullptr, {}};
    impl_->objectLink = new ItemLink{impl_.get()};
    impl_->objectId = g_dbus_connection_register_object(
        impl_->connection.get(), kItemPath, NodeInfo()->interfaces[0], &vtable, impl_->objectLink,
        &ItemLink::Free, nullptr);
    if (!impl_->objectId) impl_->objectLink = nullptr;  // freed by GIO already
    impl_->ownerLink = new ItemLink{impl_.get()};
    impl_->ownerId = g_bus_own_name_on_connection(
        impl_->connection.get(), busName_.c_str(), G_BUS_NAME_OWNER_FLAGS_NONE, &Impl::NameAcquired,
        &Impl::NameLost, impl_->ownerLink, &ItemLink::Free);
}

void StatusNotifierItem::Unexport() {
    // Releasing the name makes the watcher drop the item.
    if (impl_->ownerId) {
        impl_->ownerLink->impl = nullptr;
        g_bus_unown_name(impl_->ownerId);
    }
    impl_->ownerId = 0;
    impl_->ownerLink = nullptr;
    nameOwned_ = false;
    if (impl_->objectId) {
        impl_->objectLink->impl = nullptr;
        g_dbus_connection_unregister_object(impl_->connection.get(), impl_->objectId);
    }
    impl_->objectId = 0;
    impl_->objectLink = nullptr;
}

void StatusNotifierItem::Register() {
    if (!visible_ || !nameOwned_ || !watcherPresent_ || !impl_->connection) return;
    g_dbus_connection_call(impl_->connection.get(), kWatcherName, kWatcherPath, kWatcherName,
                           "RegisterStatusNotifierItem", g_variant_new("(s)", busName_.c_str()),
                           nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

void StatusNotifierItem::EmitSignal(const char* name) {
    if (!impl_->objectId) return;
    g_dbus_connection_emit_signal(impl_->connection.get(), nullptr, kItemPath, kItemInterface, name,
                                  nullptr, nullptr);
}

void StatusNotifierItem::SetImage(const ImageView& image) {
    iconArgb_.clear();
    iconWidth_ = iconHeight_ = 0;
    if (image.pixels && image.width > 0 && image.height > 0 && image.strideWords >= image.width &&
        image.width <= 1024 && image.height <= 1024) {
        bool hasAlpha = false;
        for (int y = 0; y < image.height && !hasAlpha; ++y)
            for (int x = 0; x < image.width && !hasAlpha; ++x)
                hasAlpha =
                    (image.pixels[static_cast<ptrdiff_t>(y) * image.strideWords + x] >> 24) != 0;
        iconArgb_.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint32_t p = image.pixels[static_cast<ptrdiff_t>(y) * image.strideWords + x];
                iconArgb_.push_back(hasAlpha ? static_cast<uint8_t>(p >> 24) : 0xFF);
                iconArgb_.push_back(static_cast<uint8_t>(p >> 16));
                iconArgb_.push_back(static_cast<uint8_t>(p >> 8));
                iconArgb_.push_back(static_cast<uint8_t>(p));
            }
        }
        iconWidth_ = image.width;
        iconHeight_ = image.height;
    }
    EmitSignal("NewIcon");
}

void StatusNotifierItem::SetTooltip(const std::string& text) {
    if (text == tooltip_) return;
    tooltip_ = text.substr(0, kMaxTooltipBytes);
    // Text that is not UTF-8 would make the reply invalid.
    if (!g_utf8_validate(tooltip_.data(), static_cast<gssize>(tooltip_.size()), nullptr)) {
        const GCharPtr valid(
            g_utf8_make_valid(tooltip_.data(), static_cast<gssize>(tooltip_.size())));
        tooltip_ = valid.get();
    }
    EmitSignal("NewToolTip");
}

void StatusNotifierItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible)
        Export();
    else
        Unexport();
}

}  // namespace platform
