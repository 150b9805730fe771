// WebKitHost: context menus. The menu's kind comes from what is under the pointer; the
// host decides (ShowContextMenu): no menu, WebKit's standard menu, or its own copy of it
// (LoadMenu, changed by its filter, shown through TrackMenu). Reload always goes through
// the host's command target, so a host can suppress it; "open in new window" and the save
// commands go through the host too, so the launch policy sees them and a save the user
// chose is known as one (WebKitDownloads.cpp).
#include <array>

#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

// Commands of WebKit's stock actions that the platform's menus have; other actions get a
// command of the engine's own range.
constexpr uint32_t kOwnActionBase = 0x8000;
constexpr uint32_t kEncodingCommandBase = 0x9000;

struct ActionCommand {
    WebKitContextMenuAction action;
    uint32_t command;
    const char* label;
};

constexpr std::array<ActionCommand, 15> kActionCommands = {{
    {WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK, IDM_OPENLINK, "Open Link"},
    {WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW, IDM_OPENINNEWWINDOW,
     "Open Link in New Window"},
    {WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_LINK_TO_DISK, IDM_SAVETARGET, "Save Link As"},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY_LINK_TO_CLIPBOARD, IDM_COPYSHORTCUT, "Copy Link"},
    {WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_IMAGE_TO_DISK, IDM_SAVEPICTURE, "Save Image As"},
    {WEBKIT_CONTEXT_MENU_ACTION_GO_BACK, IDM_GOBACKWARD, "Back"},
    {WEBKIT_CONTEXT_MENU_ACTION_GO_FORWARD, IDM_GOFORWARD, "Forward"},
    {WEBKIT_CONTEXT_MENU_ACTION_STOP, IDM_STOP, "Stop"},
    {WEBKIT_CONTEXT_MENU_ACTION_RELOAD, IDM_REFRESH, "Reload"},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY, IDM_COPY, "Copy"},
    {WEBKIT_CONTEXT_MENU_ACTION_CUT, IDM_CUT, "Cut"},
    {WEBKIT_CONTEXT_MENU_ACTION_PASTE, IDM_PASTE, "Paste"},
    {WEBKIT_CONTEXT_MENU_ACTION_DELETE, IDM_DELETE, "Delete"},
    {WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL, IDM_SELECTALL, "Select All"},
    {WEBKIT_CONTEXT_MENU_ACTION_INSPECT_ELEMENT, IDM_VIEWSOURCE, "Inspect Element"},
}};

uint32_t CommandOf(WebKitContextMenuAction action) {
    for (const ActionCommand& a : kActionCommands)
        if (a.action == action) return a.command;
    return kOwnActionBase + static_cast<uint32_t>(action);
}

// The stock action of a command; NO_ACTION for commands WebKit has no action for.
WebKitContextMenuAction ActionOf(uint32_t command) {
    for (const ActionCommand& a : kActionCommands)
        if (a.command == command) return a.action;
    if (command > kOwnActionBase && command < kOwnActionBase + WEBKIT_CONTEXT_MENU_ACTION_CUSTOM)
        return static_cast<WebKitContextMenuAction>(command - kOwnActionBase);
    return WEBKIT_CONTEXT_MENU_ACTION_NO_ACTION;
}

const char* LabelOf(uint32_t command) {
    for (const ActionCommand& a : kActionCommands)
        if (a.command == command) return a.label;
    return "";
}

// The menu kind of what is under the pointer, as the platform control names them.
uint32_t KindOf(WebKitHitTestResult* hit) {
    if (!hit) return CONTEXT_MENU_DEFAULT;
    if (webkit_hit_test_result_context_is_editable(hit)) return CONTEXT_MENU_CONTROL;
    if (webkit_hit_test_result_context_is_selection(hit)) return CONTEXT_MENU_TEXTSELECT;
    if (webkit_hit_test_result_context_is_image(hit)) return CONTEXT_MENU_IMAGE;
    if (webkit_hit_test_result_context_is_media(hit)) return CONTEXT_MENU_IMGDYNSRC;
    if (webkit_hit_test_result_context_is_link(hit)) return CONTEXT_MENU_ANCHOR;
    return CONTEXT_MENU_DEFAULT;
}

// The label WebKit shows for an item, without its mnemonic marks.
std::string ItemLabel(WebKitContextMenuItem* item) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkAction* action = webkit_context_menu_item_get_action(item);
    const char* label = action ? gtk_action_get_label(action) : nullptr;
    G_GNUC_END_IGNORE_DEPRECATIONS
    std::string out;
    for (const char* p = label; p && *p; ++p) {
        if (*p == '_' && p[1] != '_') continue;
        out += *p;
    }
    return out;
}

WebContextMenu Snapshot(WebKitContextMenu* menu) {
    WebContextMenu out;
    for (GList* l = webkit_context_menu_get_items(menu); l; l = l->next) {
        auto* item = WEBKIT_CONTEXT_MENU_ITEM(l->data);
        WebMenuItem entry;
        if (webkit_context_menu_item_is_separator(item)) {
            entry.separator = true;
        } else if (WebKitContextMenu* sub = webkit_context_menu_item_get_submenu(item)) {
            entry.submenu = std::make_shared<WebContextMenu>(Snapshot(sub));
            entry.text = ItemLabel(item);
        } else {
            const WebKitContextMenuAction action = webkit_context_menu_item_get_stock_action(item);
            // Our own items: only the reload that goes through the host.
            entry.command =
                action == WEBKIT_CONTEXT_MENU_ACTION_CUSTOM ? IDM_REFRESH : CommandOf(action);
            entry.text = ItemLabel(item);
            if (entry.text.empty()) entry.text = LabelOf(entry.command);
            // Back with no page behind, Stop with nothing loading: shown, but disabled.
            GAction* gaction = webkit_context_menu_item_get_gaction(item);
            entry.enabled = !gaction || g_action_get_enabled(gaction);
        }
        out.items.push_back(std::move(entry));
    }
    return out;
}

// The command of a stock action that runs through the host instead of WebKit (0: none):
// "open in new window" and the saves.
uint32_t RoutedCommand(WebKitContextMenuAction action) {
    switch (action) {
        case WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW:
            return IDM_OPENINNEWWINDOW;
        case WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_LINK_TO_DISK:
            return IDM_SAVETARGET;
        case WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_IMAGE_TO_DISK:
            return IDM_SAVEPICTURE;
        case WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_VIDEO_TO_DISK:
        case WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_AUDIO_TO_DISK:
            return CommandOf(WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_VIDEO_TO_DISK);
        default:
            return 0;
    }
}

struct MenuCommand {
    TLivenessWatch alive;
    WebKitHost* host;
    uint32_t command;
};

}  // namespace

void WebKitHost::BuildEncodingMenu() {
    static const std::array<std::pair<const char*, const char*>, 9> kCharsets = {{
        {"Automatic", ""},
        {"Unicode (UTF-8)", "UTF-8"},
        {"Chinese Simplified (GBK)", "GBK"},
        {"Chinese Simplified (GB18030)", "GB18030"},
        {"Chinese Traditional (Big5)", "Big5"},
        {"Japanese (Shift_JIS)", "Shift_JIS"},
        {"Korean (EUC-KR)", "EUC-KR"},
        {"Western European (ISO-8859-1)", "ISO-8859-1"},
        {"Western European (Windows)", "windows-1252"},
    }};
    encodingMenu_.items.clear();
    encodingCharsets_.clear();
    for (size_t i = 0; i < kCharsets.size(); ++i) {
        encodingMenu_.items.push_back(WebMenuItem{kEncodingCommandBase + static_cast<uint32_t>(i),
                                                  kCharsets[i].first, false, true, nullptr});
        encodingCharsets_.push_back(kCharsets[i].second);
    }
}

gboolean WebKitHost::OnContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent* event,
                                   WebKitHitTestResult* hit, gpointer self) {
    return static_cast<WebKitHost*>(self)->ContextMenu(menu, event, hit);
}

gboolean WebKitHost::ContextMenu(WebKitContextMenu* menu, GdkEvent* event,
                                 WebKitHitTestResult* hit) {
    if (closed_) return TRUE;
    RouteReloadThroughHost(menu);
    const char* link = hit && webkit_hit_test_result_context_is_link(hit)
                           ? webkit_hit_test_result_get_link_uri(hit)
                           : nullptr;
    const char* image = hit && webkit_hit_test_result_context_is_image(hit)
                            ? webkit_hit_test_result_get_image_uri(hit)
                            : nullptr;
    const char* media = hit && webkit_hit_test_result_context_is_media(hit)
                            ? webkit_hit_test_result_get_media_uri(hit)
                            : nullptr;
    menuLinkUri_ = link ? link : "";
    menuImageUri_ = image ? image : "";
    menuMediaUri_ = media ? media : "";
    if (!site_) {  // WebKit's standard menu
        RouteOpenAndSaveThroughHost(menu);
        return FALSE;
    }
    currentMenuKind_ = KindOf(hit);
    currentMenu_ = Snapshot(menu);
    trackedMenu_.reset();
    gdouble x = 0, y = 0;
    if (event) gdk_event_get_root_coords(event, &x, &y);
    const TLivenessWatch alive = liveness_.Watch();
    const HResult hr =
        site_->ShowContextMenu(currentMenuKind_, TPoint{static_cast<int>(x), static_cast<int>(y)},
                               this, control_.BrowserObject());
    if (!alive.Alive()) return TRUE;
    if (hr != kS_OK) {  // the standard menu
        RouteOpenAndSaveThroughHost(menu);
        return FALSE;
    }
    if (!trackedMenu_) return TRUE;  // the host wants no menu
    // The host's own copy, as its filter left it.
    webkit_context_menu_remove_all(menu);
    FillMenu(menu, *trackedMenu_);
    trackedMenu_.reset();
    return webkit_context_menu_get_n_items(menu) > 0 ? FALSE : TRUE;
}

std::unique_ptr<WebContextMenu> WebKitHost::LoadMenu(uint32_t kind) {
    if (kind != currentMenuKind_) return nullptr;
    auto menu = std::make_unique<WebContextMenu>(currentMenu_);
    // The control's menu ends with the encoding submenu's item.
    if (!menu->items.empty()) menu->items.push_back(WebMenuItem{0, "", true, true, nullptr});
    menu->items.push_back(WebMenuItem{IDM_LANGUAGE, "Encoding", false, true, nullptr});
    return menu;
}

uint32_t WebKitHost::TrackMenu(const WebContextMenu& menu, TPoint /*screenPoint*/) {
    // WebKit shows the menu once the callback returns and runs the chosen item itself.
    trackedMenu_ = menu;
    return 0;
}

void WebKitHost::RouteReloadThroughHost(WebKitContextMenu* menu) {
    GList* items = webkit_context_menu_get_items(menu);
    guint position = 0;
    for (GList* l = items; l; l = l->next, ++position) {
        auto* item = WEBKIT_CONTEXT_MENU_ITEM(l->data);
        if (webkit_context_menu_item_get_stock_action(item) == WEBKIT_CONTEXT_MENU_ACTION_RELOAD) {
            webkit_context_menu_remove(menu, item);
            webkit_context_menu_insert(menu, CommandItem(IDM_REFRESH, "Reload"),
                                       static_cast<gint>(position));
            return;
        }
    }
}

void WebKitHost::RouteOpenAndSaveThroughHost(WebKitContextMenu* menu) {
    const guint count = webkit_context_menu_get_n_items(menu);
    for (guint i = 0; i < count; ++i) {
        WebKitContextMenuItem* item = webkit_context_menu_get_item_at_position(menu, i);
        if (!item || webkit_context_menu_item_is_separator(item)) continue;
        const uint32_t command = RoutedCommand(webkit_context_menu_item_get_stock_action(item));
        if (command == 0) continue;
        const std::string label = ItemLabel(item);
        webkit_context_menu_remove(menu, item);
        webkit_context_menu_insert(menu, CommandItem(command, label), static_cast<gint>(i));
    }
}

WebKitContextMenuItem* WebKitHost::CommandItem(uint32_t command, const std::string& label) {
    const std::string name = "pb-command-" + std::to_string(command);
    GObjectPtr<GSimpleAction> action(g_simple_action_new(name.c_str(), nullptr));
    g_signal_connect_data(
        action.get(), "activate", G_CALLBACK(+[](GSimpleAction*, GVariant*, gpointer data) {
            auto* c = static_cast<MenuCommand*>(data);
            if (c->alive.Alive()) c->host->RunMenuCommand(c->command);
        }),
        new MenuCommand{liveness_.Watch(), this, command},
        [](gpointer data, GClosure*) { delete static_cast<MenuCommand*>(data); },
        static_cast<GConnectFlags>(0));
    const std::string text = label.empty() ? std::string(LabelOf(command)) : label;
    return webkit_context_menu_item_new_from_gaction(
        G_ACTION(action.get()), text.empty() ? "Command" : text.c_str(), nullptr);
}

void WebKitHost::FillMenu(WebKitContextMenu* target, const WebContextMenu& snapshot) {
    for (const WebMenuItem& item : snapshot.items) {
        if (item.separator) {
            webkit_context_menu_append(target, webkit_context_menu_item_new_separator());
            continue;
        }
        if (item.submenu) {
            WebKitContextMenu* sub = webkit_context_menu_new();
            FillMenu(sub, *item.submenu);
            const std::string label = item.text.empty()
                                          ? (item.command == IDM_LANGUAGE ? "Encoding" : "More")
                                          : item.text;
            webkit_context_menu_append(
                target, webkit_context_menu_item_new_with_submenu(label.c_str(), sub));
            continue;
        }
        if (item.command == IDM_LANGUAGE) continue;  // no submenu attached: nothing to offer
        const WebKitContextMenuAction action = ActionOf(item.command);
        if (item.command != IDM_REFRESH && action != WEBKIT_CONTEXT_MENU_ACTION_NO_ACTION &&
            RoutedCommand(action) == 0) {
            webkit_context_menu_append(target,
                                       webkit_context_menu_item_new_from_stock_action(action));
        } else {
            webkit_context_menu_append(target, CommandItem(item.command, item.text));
        }
    }
}

}  // namespace platform::gtk
