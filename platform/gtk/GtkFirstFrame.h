// Work that waits for a GTK window's first frame on screen: the first paint of the window
// since it was shown, once the X server has drawn it. Callbacks run from the message loop
// (Platform::Post), in the order they were added.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <vector>

namespace platform::gtk {

class FirstFrameWatch {
public:
    explicit FirstFrameWatch(GtkWidget* toplevel) : toplevel_(toplevel) {}
    ~FirstFrameWatch();
    FirstFrameWatch(const FirstFrameWatch&) = delete;
    FirstFrameWatch& operator=(const FirstFrameWatch&) = delete;

    void Add(std::function<void()> callback);
    // The window drew its content (from its draw handler): the frame ends after this paint.
    void Painted();
    // The window was hidden: the next frame shown is a first one again.
    void Hidden();

private:
    static void OnAfterPaint(GdkFrameClock* clock, gpointer self);
    void StopWatchingClock();

    GtkWidget* toplevel_;
    GdkFrameClock* clock_ = nullptr;  // referenced while handler_ is connected
    gulong handler_ = 0;
    bool presented_ = false;
    std::vector<std::function<void()>> waiting_;
};

}  // namespace platform::gtk
