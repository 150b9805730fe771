// A platform window on GTK: a toplevel or popup GtkWindow whose content is a GtkLayout that
// shows the framework's presented image from a backing surface, delivers raw input to the
// window's sink and hosts native views as its children.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "platform/gtk/GtkAccessible.h"
#include "platform/gtk/GtkFirstFrame.h"
#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/GtkInput.h"

namespace platform::gtk {

class GtkPlatformWindow final : public Window {
public:
    explicit GtkPlatformWindow(const WindowParams& params);
    ~GtkPlatformWindow() override;
    GtkPlatformWindow(const GtkPlatformWindow&) = delete;
    GtkPlatformWindow& operator=(const GtkPlatformWindow&) = delete;

    void SetBounds(const TRect& screenBounds) override;
    [[nodiscard]] TRect Bounds() const override { return bounds_; }
    void Show(bool visible) override;
    [[nodiscard]] bool Visible() const override;
    void SetTitle(const std::string& title) override;
    void Present(const ImageView& image, const TRect& dirty) override;
    bool ShareImage(const ImageView& image) override;
    void Invalidate(const TRect& dirty) override;
    void SetShape(const TRegion* region) override;
    void SetOpacity(uint8_t alpha) override;
    void SetCursor(CursorShape shape) override;
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;
    void Minimize() override;
    void Restore() override;
    void SetIcon(const ImageView& icon) override;
    std::unique_ptr<NativeView> CreateNativeView(void* nativeWidget) override;
    void SetAccessibleSource(AccessibleSource* source) override { accessible_->SetSource(source); }
    void AccessibleChanged() override { accessible_->Changed(); }
    void AfterFirstFrame(std::function<void()> callback) override;

    [[nodiscard]] GtkWidget* Toplevel() const { return window_; }

private:
    static gboolean HandleDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean HandleButton(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean HandleMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
    static gboolean HandleLeave(GtkWidget*, GdkEventCrossing* event, gpointer self);
    static gboolean HandleScroll(GtkWidget*, GdkEventScroll* event, gpointer self);
    static gboolean HandleKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean HandleFocus(GtkWidget*, GdkEventFocus* event, gpointer self);
    static gboolean HandleConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self);
    static gboolean HandleDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean HandleWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self);
    static gboolean HandleGrabBroken(GtkWidget*, GdkEventGrabBroken*, gpointer self);

    void ResizeBacking(int width, int height);
    void ApplyShape();
    // Window coordinates of an event position reported relative to `eventWindow`.
    [[nodiscard]] TPoint ToWindow(GdkWindow* eventWindow, double x, double y, double xRoot,
                                  double yRoot) const;
    // A pointer event at an event position, with the modifiers and the buttons held in
    // `state` (no button changing).
    [[nodiscard]] MouseEvent PointerEvent(MouseEventKind kind, GdkWindow* eventWindow, double x,
                                          double y, double xRoot, double yRoot, guint state) const;
    [[nodiscard]] GdkWindow* InputWindow() const;

    WindowSink* sink_;
    WindowKind kind_;
    bool takesFocus_;
    GtkWidgetPtr<> ownedWindow_;   // the window, destroyed with this object
    GtkWidget* window_ = nullptr;  // the same window
    GtkWidget* layout_ = nullptr;  // the window's child: image, input and native views
    std::unique_ptr<FirstFrameWatch> firstFrame_;  // goes before the window
    CairoSurfacePtr backing_;   // the presented image: a copy, or the framework's own pixels
    bool sharedImage_ = false;  // backing_ is the framework's image (ShareImage)
    CairoRegionPtr valid_;      // parts of backing_ the framework has presented
    TRect bounds_;
    // Bounds this window asked for whose configure notification has not come back yet:
    // those notifications are our own and are not reported as moves by the window manager.
    struct PendingConfigure {
        TRect bounds;
        gint64 sentUs;
    };
    std::deque<PendingConfigure> pendingConfigures_;
    // Where the window manager last said the window is, while requests are in flight.
    std::optional<TRect> lastActual_;
    guint reconcileSource_ = 0;
    static gboolean Reconcile(gpointer self);
    void ReportActual(const TRect& actual);
    void PrunePending();
    std::optional<std::vector<TRect>> shape_;
    CursorShape cursor_ = CursorShape::Default;
    bool grabbing_ = false;
    bool inDraw_ = false;
    TRect drawClip_;
    ClickTracker clicks_;
    double wheelRemainder_ = 0;
    // Last: it goes before the widgets it answers for.
    std::unique_ptr<GtkAccessibleBridge> accessible_;
};

}  // namespace platform::gtk
