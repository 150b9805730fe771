#include "platform/gtk/GtkFirstFrame.h"

#include <utility>

#include "platform/Platform.h"

namespace platform::gtk {

FirstFrameWatch::~FirstFrameWatch() { StopWatchingClock(); }

void FirstFrameWatch::Add(std::function<void()> callback) {
    if (presented_)
        Current().Post(std::move(callback));
    else
        waiting_.push_back(std::move(callback));
}

void FirstFrameWatch::Painted() {
    if (presented_ || handler_) return;
    GdkFrameClock* clock = gtk_widget_get_frame_clock(toplevel_);
    if (!clock) return;
    clock_ = GDK_FRAME_CLOCK(g_object_ref(clock));
    // The paint being drawn is sent to the X server as the frame ends ("after-paint").
    handler_ = g_signal_connect(clock_, "after-paint", G_CALLBACK(OnAfterPaint), this);
}

void FirstFrameWatch::Hidden() {
    StopWatchingClock();
    presented_ = false;
}

void FirstFrameWatch::OnAfterPaint(GdkFrameClock*, gpointer self) {
    auto* watch = static_cast<FirstFrameWatch*>(self);
    watch->StopWatchingClock();
    watch->presented_ = true;
    // A round trip: the X server has drawn the frame (there is no compositor to wait for
    // on the displays this runs on; with one, its own presentation follows at once).
    gdk_display_sync(gtk_widget_get_display(watch->toplevel_));
    std::vector<std::function<void()>> ready;
    ready.swap(watch->waiting_);
    for (auto& callback : ready) Current().Post(std::move(callback));
}

void FirstFrameWatch::StopWatchingClock() {
    if (!handler_) return;
    g_signal_handler_disconnect(clock_, handler_);
    handler_ = 0;
    g_object_unref(clock_);
    clock_ = nullptr;
}

}  // namespace platform::gtk
