#include "platform/gtk/GtkPlatform.h"

#include <gio/gio.h>

#include <cstdlib>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "platform/Log.h"
#include "platform/gtk/GtkBackend.h"
#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/GtkImages.h"
#include "platform/gtk/GtkWindow.h"

namespace platform {
namespace gtk {
namespace {

// ProcessPending stops after this many dispatches even if sources keep being ready
// (a task that re-posts itself would otherwise never let it return).
constexpr int kMaxPendingIterations = 10000;

class GtkPlatform final : public Platform {
public:
    ~GtkPlatform() override {
        for (auto& [id, source] : timers_) g_source_remove(source.sourceId);
    }

    [[nodiscard]] std::string Name() const override { return "gtk"; }

    std::unique_ptr<Window> CreateWindow(const WindowParams& params) override {
        return std::make_unique<GtkPlatformWindow>(params);
    }

    TimerId SetTimer(uint32_t intervalMs, std::function<void()> callback) override {
        const TimerId id = ++lastTimer_;
        auto* data =
            new TimerData{this, id, std::make_shared<std::function<void()>>(std::move(callback))};
        const guint source = g_timeout_add_full(
            G_PRIORITY_DEFAULT, intervalMs, &GtkPlatform::FireTimer, data, &GtkPlatform::FreeTimer);
        timers_[id] = {source};
        return id;
    }

    void KillTimer(TimerId id) override {
        auto it = timers_.find(id);
        if (it == timers_.end()) return;
        const guint source = it->second.sourceId;
        timers_.erase(it);
        g_source_remove(source);
    }

    void Post(std::function<void()> task) override {
        std::lock_guard lock(postMutex_);
        posted_.push_back(std::move(task));
        if (!idleScheduled_) {
            idleScheduled_ = true;
            // Default priority: posted work runs in order with input, ahead of redraws.
            g_idle_add_full(G_PRIORITY_DEFAULT, &GtkPlatform::RunPosted, this, nullptr);
        }
    }

    [[nodiscard]] uint64_t NowMs() const override {
        return static_cast<uint64_t>(g_get_monotonic_time() / 1000);
    }

    void Run() override {
        if (quitRequested_) {  // Quit came before the loop started
            quitRequested_ = false;
            return;
        }
        gtk_main();
    }

    void Quit() override {
        if (gtk_main_level() > 0)
            gtk_main_quit();
        else
            quitRequested_ = true;
    }

    void ProcessPending() override {
        for (int i = 0; i < kMaxPendingIterations && gtk_events_pending(); ++i)
            gtk_main_iteration_do(FALSE);
    }

    [[nodiscard]] TSize ScreenSize() const override {
        GdkWindow* root = gdk_get_default_root_window();
        return {gdk_window_get_width(root), gdk_window_get_height(root)};
    }

    [[nodiscard]] std::vector<Monitor> Monitors() const override {
        std::vector<Monitor> result;
        GdkDisplay* display = gdk_display_get_default();
        const int n = gdk_display_get_n_monitors(display);
        for (int i = 0; i < n; ++i) {
            GdkMonitor* m = gdk_display_get_monitor(display, i);
            GdkRectangle geometry;
            GdkRectangle work;
            gdk_monitor_get_geometry(m, &geometry);
            gdk_monitor_get_workarea(m, &work);
            result.push_back({Bounds(geometry.x, geometry.y, geometry.width, geometry.height),
                              Bounds(work.x, work.y, work.width, work.height),
                              gdk_monitor_is_primary(m) != FALSE});
        }
        if (!result.empty() &&
            std::none_of(result.begin(), result.end(), [](const Monitor& m) { return m.primary; }))
            result.front().primary = true;
        return result;
    }

    [[nodiscard]] bool IsCompositing() const override {
        return gdk_screen_is_composited(gdk_screen_get_default()) != FALSE;
    }

    [[nodiscard]] TPoint CursorPos() const override {
        GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
        int x = 0;
        int y = 0;
        gdk_device_get_position(gdk_seat_get_pointer(seat), nullptr, &x, &y);
        return {x, y};
    }

    [[nodiscard]] uint32_t DoubleClickTimeMs() const override {
        gint value = 500;
        g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &value, nullptr);
        return value > 0 ? static_cast<uint32_t>(value) : 500;
    }

    [[nodiscard]] std::vector<uint32_t> CaptureScreen(const TRect& screenRect) override {
        std::vector<uint32_t> words;
        const int w = std::max(screenRect.Width(), 0);
        const int h = std::max(screenRect.Height(), 0);
        const TSize screen = ScreenSize();
        const TRect inside = IntersectRect(screenRect, Rect(0, 0, screen.cx, screen.cy));
        if (IsRectEmpty(inside)) {
            words.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
            return words;
        }
        GObjectPtr<GdkPixbuf> pixbuf(gdk_pixbuf_get_from_window(gdk_get_default_root_window(),
                                                                inside.Left, inside.Top,
                                                                inside.Width(), inside.Height()));
        CopyPixbufToWords(pixbuf.get(), inside.Left - screenRect.Left, inside.Top - screenRect.Top,
                          words, w, h);
        return words;
    }

    MessageBoxResult ShowMessageBox(const std::string& title, const std::string& text,
                                    MessageBoxKind kind, MessageBoxButtons buttons) override {
        return RunMessageBox(title, text, kind, buttons);
    }

    std::unique_ptr<TrayIcon> CreateTrayIcon() override { return CreateGtkTrayIcon(); }

    std::unique_ptr<InputGrab> GrabInput(Window& anchor, InputGrabSink& sink) override {
        return GrabGtkInput(anchor, sink);
    }

    [[nodiscard]] CursorInfo CurrentCursor() const override { return ReadCursorInfo(); }

    void OpenUri(const std::string& uri) override {
        GError* raw = nullptr;
        const bool opened = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &raw);
        GErrorPtr error(raw);
        if (!opened)
            LogLine("cannot open \"" + uri + "\": " + (error ? error->message : "unknown error"));
    }

private:
    struct TimerData {
        GtkPlatform* owner;
        TimerId id;
        std::shared_ptr<std::function<void()>> callback;
    };
    struct TimerSource {
        guint sourceId = 0;
    };

    static gboolean FireTimer(gpointer data) {
        auto* t = static_cast<TimerData*>(data);
        // The callback may kill its own timer, which frees `t`: keep the function alive.
        const std::shared_ptr<std::function<void()>> callback = t->callback;
        (*callback)();
        return G_SOURCE_CONTINUE;
    }
    static void FreeTimer(gpointer data) { delete static_cast<TimerData*>(data); }

    static gboolean RunPosted(gpointer self) {
        auto* p = static_cast<GtkPlatform*>(self);
        std::deque<std::function<void()>> batch;
        {
            std::lock_guard lock(p->postMutex_);
            batch.swap(p->posted_);
            p->idleScheduled_ = false;
        }
        // Tasks posted while these run wait for the next round, so a task that posts
        // itself cannot starve input.
        for (auto& task : batch) task();
        return G_SOURCE_REMOVE;
    }

    TimerId lastTimer_ = 0;
    std::unordered_map<TimerId, TimerSource> timers_;
    std::mutex postMutex_;
    std::deque<std::function<void()>> posted_;
    bool idleScheduled_ = false;
    bool quitRequested_ = false;
};

}  // namespace

std::unique_ptr<Platform> CreateGtkPlatform() { return std::make_unique<GtkPlatform>(); }

}  // namespace gtk

void InstallGtkPlatform(int* argc, char*** argv) {
    // Shaped windows, absolute placement and the tray need X11; on Wayland this runs
    // through XWayland.
    setenv("GDK_BACKEND", "x11", 1);
    if (!gtk_init_check(argc, argv))
        throw std::runtime_error(
            "cannot open the display (is DISPLAY set and an X server running?)");
    SetCurrent(gtk::CreateGtkPlatform());
}

}  // namespace platform
