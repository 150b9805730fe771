#include <gtest/gtest.h>

#include "platform/gtk/GtkPlatform.h"
#include "tests/gtk/GtkTestSupport.h"

namespace gtktest {

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const gint64 deadline = g_get_monotonic_time() + gint64{timeoutMs} * 1000;
    for (;;) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        if (condition()) return true;
        if (g_get_monotonic_time() > deadline) return false;
        g_usleep(2000);  // polling interval while waiting for the X server
    }
}

void Flush() {
    gdk_display_sync(gdk_display_get_default());
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

uint32_t ScreenPixel(int x, int y) {
    return platform::Current().CaptureScreen(Bounds(x, y, 1, 1)).at(0);
}

}  // namespace gtktest

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    platform::InstallGtkPlatform(&argc, &argv);
    // Any GTK warning or critical in the backend fails the run.
    g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING));
    return RUN_ALL_TESTS();
}
