// The StatusNotifierItem on a private session bus, seen by a small watcher of our own: it
// registers with its icon and tip, ContextMenu opens the skinned menu at the host's point,
// Activate is the double click (restoring a window from the tray), a restarted watcher
// gets the item registered again, and the icon moves between the item and the XEmbed
// fallback as the watcher comes and goes.
#include "platform/StatusNotifierItem.h"

#include <gio/gio.h>

#include <functional>
#include <string>
#include <vector>

#include "PopupTestSupport.h"
#include "platform/TrayIconChoice.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"
#include "ui/Canvas.h"

namespace {

constexpr const char* kWatcherXml = R"xml(<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
</node>)xml";

// Runs the default main context until `done` holds or two seconds pass.
bool PumpUntil(const std::function<bool()>& done) {
    const gint64 deadline = g_get_monotonic_time() + 2 * G_USEC_PER_SEC;
    // A ticking source, so a blocking iteration always wakes up to look at the deadline.
    const guint tick = g_timeout_add(
        5, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    while (!done() && g_get_monotonic_time() < deadline) g_main_context_iteration(nullptr, TRUE);
    g_source_remove(tick);
    return done();
}

// A watcher of our own: owns the watcher's name and records every registration.
class TestWatcher {
public:
    explicit TestWatcher(const std::string& address) {
        connection_ = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        info_ = g_dbus_node_info_new_for_xml(kWatcherXml, nullptr);
    }
    ~TestWatcher() {
        Stop();
        g_dbus_node_info_unref(info_);
        g_dbus_connection_close_sync(connection_, nullptr, nullptr);
        g_object_unref(connection_);
    }
    void Start() {
        static const GDBusInterfaceVTable vtable = {
            &TestWatcher::Call, &TestWatcher::Get, nullptr, {}};
        object_ = g_dbus_connection_register_object(connection_, "/StatusNotifierWatcher",
                                                    info_->interfaces[0], &vtable, this, nullptr,
                                                    nullptr);
        owned_ = false;
        owner_ = g_bus_own_name_on_connection(
            connection_, "org.kde.StatusNotifierWatcher", G_BUS_NAME_OWNER_FLAGS_NONE,
            [](GDBusConnection*, const gchar*, gpointer self) {
                static_cast<TestWatcher*>(self)->owned_ = true;
            },
            nullptr, this, nullptr);
        PumpUntil([this] { return owned_; });
    }
    void Stop() {
        if (owner_) g_bus_unown_name(owner_);
        if (object_) g_dbus_connection_unregister_object(connection_, object_);
        owner_ = object_ = 0;
    }
    // Reads a property of the registered item (asynchronously, pumping the loop meanwhile).
    GVariant* ItemProperty(const std::string& name) {
        GVariant* result = nullptr;
        bool done = false;
        struct Reply {
            GVariant** result;
            bool* done;
        } reply{&result, &done};
        g_dbus_connection_call(
            connection_, registered.back().c_str(), "/StatusNotifierItem",
            "org.freedesktop.DBus.Properties", "Get",
            g_variant_new("(ss)", "org.kde.StatusNotifierItem", name.c_str()), nullptr,
            G_DBUS_CALL_FLAGS_NONE, 2000, nullptr,
            [](GObject* source, GAsyncResult* res, gpointer data) {
                auto* r = static_cast<Reply*>(data);
                GVariant* v =
                    g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), res, nullptr);
                if (v) {
                    g_variant_get(v, "(v)", r->result);
                    g_variant_unref(v);
                }
                *r->done = true;
            },
            &reply);
        PumpUntil([&] { return done; });
        return result;
    }
    void CallItem(const char* method, int x, int y) {
        g_dbus_connection_call(connection_, registered.back().c_str(), "/StatusNotifierItem",
                               "org.kde.StatusNotifierItem", method, g_variant_new("(ii)", x, y),
                               nullptr, G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr, nullptr);
    }

    // Whether a connection owns `name` on the bus now.
    bool NameHasOwner(const std::string& name) {
        GVariant* reply = g_dbus_connection_call_sync(
            connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "NameHasOwner", g_variant_new("(s)", name.c_str()), G_VARIANT_TYPE("(b)"),
            G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
        gboolean owned = FALSE;
        if (reply) {
            g_variant_get(reply, "(b)", &owned);
            g_variant_unref(reply);
        }
        return owned;
    }

    std::vector<std::string> registered;

private:
    static void Call(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                     const gchar* method, GVariant* parameters, GDBusMethodInvocation* invocation,
                     gpointer self) {
        if (std::string(method) == "RegisterStatusNotifierItem") {
            const gchar* service = nullptr;
            g_variant_get(parameters, "(&s)", &service);
            static_cast<TestWatcher*>(self)->registered.emplace_back(service);
        }
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }
    static GVariant* Get(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                         const gchar* name, GError**, gpointer) {
        const std::string p = name;
        if (p == "IsStatusNotifierHostRegistered") return g_variant_new_boolean(TRUE);
        if (p == "ProtocolVersion") return g_variant_new_int32(0);
        return g_variant_new_strv(nullptr, 0);
    }

    GDBusConnection* connection_ = nullptr;
    GDBusNodeInfo* info_ = nullptr;
    guint object_ = 0;
    guint owner_ = 0;
    bool owned_ = false;
};

class StatusNotifierTest : public PopupTest {
protected:
    void SetUp() override {
        bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(bus_);
        address_ = g_test_dbus_get_bus_address(bus_);
        ASSERT_FALSE(address_.empty());
        itemConnection_ = g_dbus_connection_new_for_address_sync(
            address_.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        ASSERT_NE(itemConnection_, nullptr);
        PopupTest::SetUp();
        Application().SetMainForm(form.get());
        watcher_ = std::make_unique<TestWatcher>(address_);
        watcher_->Start();
        screen->TrayIconFactory = [this]() -> std::unique_ptr<platform::TrayIcon> {
            auto item = std::make_unique<platform::StatusNotifierItem>(itemConnection_);
            item_ = item.get();
            return item;
        };
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        PopupTest::TearDown();  // frees the tray icon and its item
        watcher_.reset();
        g_dbus_connection_close_sync(itemConnection_, nullptr, nullptr);
        g_object_unref(itemConnection_);
        g_test_dbus_down(bus_);
        g_object_unref(bus_);
    }

    GTestDBus* bus_ = nullptr;
    std::string address_;
    GDBusConnection* itemConnection_ = nullptr;
    std::unique_ptr<TestWatcher> watcher_;
    platform::StatusNotifierItem* item_ = nullptr;
};

}  // namespace

TEST_F(StatusNotifierTest, ItemRegistersAnswersTheHostAndRegistersAgainAfterARestart) {
    auto* tray = new TspTrayIcon(form.get());
    TBitmap picture(8, 8);
    picture.Canvas().FillSolid(Rect(0, 0, 8, 8), RGB(0x12, 0x34, 0x56));
    tray->SetIcon(picture);
    tray->SetHint("Puzzlebin tray");
    auto* popup = new TspSkinPopupMenu(form.get());
    TMenuItem* restore = Add(popup->Items(), "&Restore");
    int restores = 0;
    restore->OnClick = [&](TComponent*) { ++restores; };
    Add(popup->Items(), "&Close");
    tray->SetPopupMenu(popup);
    int clicks = 0;
    int downs = 0;
    tray->OnClick = [&](TComponent*) { ++clicks; };
    tray->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++downs; };
    screen->ProcessPending();  // the icon shows once construction is over
    ASSERT_NE(item_, nullptr);

    ASSERT_TRUE(PumpUntil([&] { return !watcher_->registered.empty(); }))
        << "the item did not register";
    EXPECT_EQ(watcher_->registered.back(), item_->BusName());

    GVariant* pixmaps = watcher_->ItemProperty("IconPixmap");
    ASSERT_NE(pixmaps, nullptr);
    ASSERT_EQ(g_variant_n_children(pixmaps), 1u);
    gint32 w = 0;
    gint32 h = 0;
    GVariant* bytes = nullptr;
    g_variant_get_child(pixmaps, 0, "(ii@ay)", &w, &h, &bytes);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
    gsize n = 0;
    const auto* argb = static_cast<const uint8_t*>(g_variant_get_fixed_array(bytes, &n, 1));
    ASSERT_EQ(n, 8u * 8u * 4u);
    EXPECT_EQ(std::vector<uint8_t>(argb, argb + 4), (std::vector<uint8_t>{0xFF, 0x12, 0x34, 0x56}));
    g_variant_unref(bytes);
    g_variant_unref(pixmaps);

    GVariant* tip = watcher_->ItemProperty("ToolTip");
    ASSERT_NE(tip, nullptr);
    const gchar* title = nullptr;
    g_variant_get_child(tip, 2, "&s", &title);
    EXPECT_STREQ(title, "Puzzlebin tray");
    g_variant_unref(tip);

    // ContextMenu opens the skinned menu at the host's point.
    watcher_->CallItem("ContextMenu", 640, 500);
    ASSERT_TRUE(PumpUntil([&] { return engine->PopupCount() == 1; }));
    EXPECT_EQ(Level(0)->BoundsRect().TopLeft(), (TPoint{640, 500}));
    engine->CloseAll();

    // Activate is the double click: OnDblClick and the menu's default item, never OnClick.
    int doubleClicks = 0;
    tray->OnDblClick = [&](TComponent*) { ++doubleClicks; };
    restore->Default = true;
    downs = 0;
    watcher_->CallItem("Activate", 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return doubleClicks == 1; }));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(restores, 1);
    screen->AdvanceTime(1000);
    EXPECT_EQ(clicks, 0);
    // SecondaryActivate is the middle button.
    TMouseButton pressed = mbLeft;
    tray->OnMouseDown = [&](TComponent*, TMouseButton button, TShiftState, int, int) {
        pressed = button;
    };
    watcher_->CallItem("SecondaryActivate", 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return pressed == mbMiddle; }));
    EXPECT_EQ(doubleClicks, 1);

    // The watcher goes and comes back: the item registers again.
    watcher_->Stop();
    ASSERT_TRUE(PumpUntil([&] { return !item_->WatcherPresent(); }));
    watcher_->Start();
    ASSERT_TRUE(PumpUntil([&] { return watcher_->registered.size() >= 2; }))
        << "no second registration";
    EXPECT_EQ(watcher_->registered.back(), item_->BusName());

    // Hidden, the item gives up its name, and the watcher drops it with that.
    ASSERT_TRUE(watcher_->NameHasOwner(item_->BusName()));
    tray->SetIconVisible(false);
    EXPECT_FALSE(item_->Visible());
    EXPECT_TRUE(PumpUntil([&] { return !watcher_->NameHasOwner(item_->BusName()); }));
}

TEST_F(StatusNotifierTest, ActivateRestoresAWindowMinimisedToTheTray) {
    auto* skinForm = new TspSkinForm(form.get());
    auto* tray = new TspTrayIcon(form.get());
    // No menu of its own: the icon gets the form's tray menu, and its double click restores.
    skinForm->SetTrayIcon(tray);
    form->Show();
    screen->ProcessPending();
    skinForm->MinimizeToTray();
    ASSERT_FALSE(form->Visible());
    ASSERT_NE(item_, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !watcher_->registered.empty(); }));

    watcher_->CallItem("Activate", 1200, 1010);
    ASSERT_TRUE(PumpUntil([&] { return form->Visible(); })) << "Activate left the window hidden";
    // Restored, the icon leaves the notification area.
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_TRUE(PumpUntil([&] { return !watcher_->NameHasOwner(item_->BusName()); }));
}

TEST_F(StatusNotifierTest, TheIconMovesBetweenTheItemAndTheXEmbedTrayAsTheWatcherComesAndGoes) {
    watcher_->Stop();
    ASSERT_TRUE(
        PumpUntil([&] { return !watcher_->NameHasOwner("org.kde.StatusNotifierWatcher"); }));
    auto item = std::make_unique<platform::StatusNotifierItem>(itemConnection_);
    platform::StatusNotifierItem* sni = item.get();
    auto fallback = std::make_unique<platform::HeadlessTrayIcon>(nullptr);
    platform::HeadlessTrayIcon* xembed = fallback.get();
    platform::TrayIconChoice choice(std::move(item), std::move(fallback));
    int events = 0;
    choice.onMouse = [&](const platform::MouseEvent&) { ++events; };
    choice.SetVisible(true);

    // No watcher: the XEmbed icon shows, the item holds no bus name.
    EXPECT_FALSE(choice.UsesStatusNotifier());
    EXPECT_TRUE(xembed->Visible());
    EXPECT_FALSE(watcher_->NameHasOwner(sni->BusName()));
    xembed->SimulateMouse({});
    EXPECT_EQ(events, 1);

    // A watcher appears: the item registers and the XEmbed icon goes.
    watcher_->Start();
    ASSERT_TRUE(PumpUntil([&] { return !watcher_->registered.empty(); }))
        << "the item did not register";
    EXPECT_EQ(watcher_->registered.back(), sni->BusName());
    EXPECT_TRUE(choice.UsesStatusNotifier());
    EXPECT_FALSE(xembed->Visible());
    EXPECT_TRUE(watcher_->NameHasOwner(sni->BusName()));

    // The watcher goes: back to the XEmbed icon, and the bus name is given up.
    watcher_->Stop();
    ASSERT_TRUE(PumpUntil([&] { return xembed->Visible(); })) << "no fallback to the XEmbed tray";
    EXPECT_FALSE(sni->Visible());
    EXPECT_TRUE(PumpUntil([&] { return !watcher_->NameHasOwner(sni->BusName()); }));

    // Back once more, then hidden: nothing shows and the name goes again.
    watcher_->Start();
    ASSERT_TRUE(PumpUntil([&] { return watcher_->registered.size() >= 2; }));
    EXPECT_FALSE(xembed->Visible());
    choice.SetVisible(false);
    EXPECT_FALSE(xembed->Visible());
    EXPECT_TRUE(PumpUntil([&] { return !watcher_->NameHasOwner(sni->BusName()); }));
}
