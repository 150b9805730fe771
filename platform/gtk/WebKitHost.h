// The host side of one WebKit view: where the engine asks the control's host site
// (platform/WebHost.h) for its decisions and carries out the answers with WebKit's own
// means. One class, its parts in files by concern:
//   WebKitHost.cpp         site, ambient properties and host information applied to
//                          WebKit's settings and user content, navigation rules, commands
//   WebKitHostMenus.cpp    context menus by kind, the host's own filtered copy
//   WebKitHostDialogs.cpp  the script dialogs and the script-error report, our own windows
//                          (or the faces the host draws them with)
//   WebKitHostScripts.cpp  the page script that reports window moves and script errors
//   WebKitHostInput.cpp    keys, focus, zoom, drag and drop
//   WebKitDownloads.cpp    downloads: the host's download manager or the user's folder
//   WebKitNetwork.cpp      user agent and proxy of the network session
// browser/HOST-CALLBACKS.md lists every callback and what raises it here.
#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Liveness.h"
#include "platform/LaunchPolicy.h"
#include "platform/WebHost.h"
#include "platform/gtk/GtkHandles.h"

namespace platform::gtk {

// What the host side needs of the control it belongs to.
class WebKitControlSide {
public:
    virtual ~WebKitControlSide() = default;
    [[nodiscard]] virtual WebKitWebView* View() const = 0;
    [[nodiscard]] virtual WebObject* BrowserObject() = 0;
    // The event sink, or nullptr while none is connected.
    [[nodiscard]] virtual WebEventSink* EventSink() const = 0;
    [[nodiscard]] virtual bool RegisterAsDropTarget() const = 0;
    // Silent: the control shows no dialogs of its own for script errors.
    [[nodiscard]] virtual bool Silent() const = 0;
    // The new-window flow for an address (a menu's "open in new window", a link while the
    // host asks for new windows). `userGesture`: a user's click or key press asked for it.
    virtual void OpenNewWindow(const std::string& uri, bool userGesture) = 0;
    // A user's button or key press in the view (the launch policy's gestures).
    virtual void UserGesture() = 0;
};

class WebKitDialogWindow;

class WebKitHost final : public WebCommandTarget {
public:
    explicit WebKitHost(WebKitControlSide& control);
    ~WebKitHost() override;
    WebKitHost(const WebKitHost&) = delete;
    WebKitHost& operator=(const WebKitHost&) = delete;

    // ---- Set by the control's owner ----
    void SetSite(WebHostSite* site);
    [[nodiscard]] WebHostSite* Site() const { return site_; }
    // Reads the ambient properties and the host information again and applies them.
    void AmbientChanged();
    void SetDocumentDropTarget(WebDropTarget* target) { hostDropTarget_ = target; }
    void SetPrintSetup(const WebPrintSetup* setup);
    [[nodiscard]] bool HasDocumentWindow() const { return documentShown_; }
    // Ends the host's part: open dialogs are answered as cancelled, signals disconnected.
    void Close();

    // ---- Where the control consults the host ----
    // A navigation action is being decided. True when the host's rules took it (the
    // decision is then made).
    bool DecideNavigation(WebKitPolicyDecision* decision, WebKitNavigationAction* action);
    // A new-window request. False when the host's new-window manager blocks it.
    bool EvaluateNewWindow(const WideString& url, const WideString& urlContext, uint32_t flags);
    // Whether requests for new windows navigate the pane itself.
    [[nodiscard]] bool NavigatesInPlace() const;
    void LoadStarted();
    void LoadCommitted();
    void TitleChanged(const WideString& title);
    void ProgressChanged(int32_t progress, int32_t max);
    void CommandsChanged();
    // A refresh (context menu, F5): the host may suppress it, otherwise the view reloads.
    void RequestRefresh(uint32_t command, bool bypassCache);
    // A menu command sent to the control's window.
    void RunMenuCommand(uint32_t command);
    [[nodiscard]] WebContextMenu* EncodingMenu() { return &encodingMenu_; }
    void Print(bool prompt);
    // Headers added to the navigations the pane starts (the cache-control download flags).
    void AddNavigationHeaders(SoupMessageHeaders* headers) const;

    // ---- Downloads the user asked for (WebKitDownloads.cpp) ----
    // A navigation is being decided: one that a user's click or key press in this view
    // started may end in one download (until the next page is shown, or half a minute).
    void NoteNavigation(WebKitNavigationAction* action);
    // Takes the permission a user's navigation left; false when there is none.
    bool TakeUserDownload();
    // A download the host allowed is on its way (download-started takes it).
    void ExpectDownload() { ++expectedDownloads_; }
    bool TakeExpectedDownload();
    // Logs a refused download of `uri`.
    void RefuseDownload(const std::string& uri, const char* reason) const;

    // ---- WebCommandTarget: the document's, handed to the context-menu callback ----
    HResult QueryStatus(const char* group, uint32_t command, uint32_t& state) override;
    HResult Exec(const char* group, uint32_t command, uint32_t option, const Variant* in,
                 Variant* out) override;
    std::unique_ptr<WebContextMenu> LoadMenu(uint32_t kind) override;
    uint32_t TrackMenu(const WebContextMenu& menu, TPoint screenPoint) override;
    void SendMenuCommand(uint32_t command) override { RunMenuCommand(command); }

    // ---- Our dialog windows report here (WebKitHostDialogs.cpp) ----
    void DialogShown(WebKitDialogWindow& dialog);
    void DialogEnded(WebKitDialogWindow& dialog);

private:
    // WebKitHost.cpp
    void ApplyPolicy();
    void RebuildUserContent();
    [[nodiscard]] uint32_t DownloadFlags() const;
    void SetScriptsStopped(bool stopped);
    // WebKitHostMenus.cpp
    static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*,
                                  WebKitHitTestResult*, gpointer);
    gboolean ContextMenu(WebKitContextMenu* menu, GdkEvent* event, WebKitHitTestResult* hit);
    void RouteReloadThroughHost(WebKitContextMenu* menu);
    void RouteOpenAndSaveThroughHost(WebKitContextMenu* menu);
    void SaveFromMenu(const std::string& uri);
    void FillMenu(WebKitContextMenu* target, const WebContextMenu& snapshot);
    WebKitContextMenuItem* CommandItem(uint32_t command, const std::string& label);
    void BuildEncodingMenu();
    // WebKitHostDialogs.cpp
    static gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer);
    gboolean ScriptDialog(WebKitScriptDialog* dialog);
    void ReportScriptError(const std::string& message, const std::string& source, int line);
    void CloseDialogs();
    // WebKitHostScripts.cpp
    void ConnectPageScripts(WebKitUserContentManager* manager);
    void AddPageScripts(WebKitUserContentManager* manager);
    static void OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult*, gpointer);
    void ScriptMessage(JSCValue* value);
    void WindowRequest(const std::string& kind, int32_t a, int32_t b);
    // WebKitHostInput.cpp
    void ConnectInput();
    static gboolean OnKey(GtkWidget*, GdkEventKey*, gpointer);
    static gboolean OnButtonPress(GtkWidget*, GdkEventButton*, gpointer);
    void UserGesture();
    static gboolean OnFocus(GtkWidget*, GdkEventFocus*, gpointer);
    static void OnZoom(WebKitWebView*, GParamSpec*, gpointer);
    static gboolean OnDragMotion(GtkWidget*, GdkDragContext*, gint, gint, guint, gpointer);
    static void OnDragLeave(GtkWidget*, GdkDragContext*, guint, gpointer);
    static gboolean OnDragDrop(GtkWidget*, GdkDragContext*, gint, gint, guint, gpointer);
    [[nodiscard]] WebDropTarget* ActiveDropTarget() const;
    void EndDrag();

    // Calls the site unless it is gone; `fallback` without a site.
    template <class F>
    HResult AskSite(HResult fallback, F&& call) const {
        return site_ ? call(*site_) : fallback;
    }

    WebKitControlSide& control_;
    WebKitWebView* view_;  // the control's; it outlives the host
    WebHostSite* site_ = nullptr;
    TLiveness liveness_;
    bool closed_ = false;

    // Downloads: the user's presses in the view, each good for one download, and what
    // they allowed.
    UserGestureGate downloadGestures_;
    int64_t userDownloadUntil_ = 0;  // monotonic microseconds; 0: none
    int expectedDownloads_ = 0;

    // Applied policy.
    uint32_t downloadFlags_ = kDefaultDownloadControl;
    DocHostUiInfo hostInfo_;
    bool scriptsStopped_ = false;
    bool documentShown_ = false;
    std::optional<WideString> lastTranslatedUrl_;
    std::optional<WebPrintSetup> printSetup_;

    // Context menus.
    WebContextMenu currentMenu_;  // the last request's menu
    uint32_t currentMenuKind_ = CONTEXT_MENU_DEFAULT;
    bool menuTracked_ = false;
    std::optional<WebContextMenu> trackedMenu_;
    std::string menuLinkUri_;
    std::string menuImageUri_;
    std::string menuMediaUri_;
    // The command of the menu's "save video/audio" (the engine's own range).
    static constexpr uint32_t kSaveMediaCommand =
        0x8000 + WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_VIDEO_TO_DISK;
    WebContextMenu encodingMenu_;
    std::vector<std::string> encodingCharsets_;

    // Dialogs open now (owned here; closed with the host).
    std::vector<std::unique_ptr<WebKitDialogWindow>> dialogs_;
    bool scriptErrorDialogOpen_ = false;

    // Drag and drop.
    WebDropTarget* hostDropTarget_ = nullptr;
    WebDropTarget* dragTarget_ = nullptr;  // the target that saw the drag enter
    guint dragLeaveIdle_ = 0;

    friend class WebKitDialogWindow;
};

// Downloads of every view: the host's download manager, or the user's download folder.
// Call once per view (it connects the view's context the first time).
void WatchDownloads(WebKitWebView* view, WebKitHost* host);
void ForgetDownloads(WebKitWebView* view);

// The network session: the user agent with the registered tokens and the proxy (with
// its credentials), for every view (WebKitNetwork.cpp).
void SetUserAgentTokens(const std::vector<std::string>& tokens);
// False (nothing changed) for a server ProxyServerUri refuses.
bool SetProxy(const WebProxySettings* proxy);
// Applies both to a new view and answers its proxy authentication requests.
void WatchNetwork(WebKitWebView* view);
void ForgetNetwork(WebKitWebView* view);

}  // namespace platform::gtk
