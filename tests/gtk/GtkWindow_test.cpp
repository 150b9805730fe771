#include "platform/gtk/GtkWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/Messages.h"
#include "base/Region.h"
#include "tests/gtk/GtkTestSupport.h"

using namespace platform;
using gtktest::RecordingSink;
using gtktest::ScreenPixel;
using gtktest::SolidImage;
using gtktest::WaitFor;

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

std::unique_ptr<Window> MakeWindow(WindowKind kind, const TRect& bounds, RecordingSink& sink) {
    WindowParams params;
    params.kind = kind;
    params.screenBounds = bounds;
    params.title = "backend test";
    params.takesFocus = kind == WindowKind::TopLevel;
    params.sink = &sink;
    return Current().CreateWindow(params);
}

// A window that answers every expose with one colour, as the framework presents its image
// (always of the window's current size).
struct PaintedWindow {
    PaintedWindow(WindowKind kind, const TRect& bounds, uint32_t colour) : colour(colour) {
        sink.onExpose = [this](const TRect& dirty) {
            const SolidImage image(window->Bounds().Width(), window->Bounds().Height(),
                                   this->colour);
            window->Present(image.View(), dirty);
        };
        window = MakeWindow(kind, bounds, sink);
    }
    uint32_t colour;
    RecordingSink sink;
    std::unique_ptr<Window> window;
};

GdkWindow* GdkOf(Window& w) {
    return gtk_widget_get_window(static_cast<gtk::GtkPlatformWindow&>(w).Toplevel());
}
TRect ActualBounds(Window& w) {
    GdkWindow* g = GdkOf(w);
    int x = 0;
    int y = 0;
    gdk_window_get_origin(g, &x, &y);
    return Bounds(x, y, gdk_window_get_width(g), gdk_window_get_height(g));
}

}  // namespace

TEST(GtkWindow, ShowsPresentedImagesAtTheirScreenPlace) {
    PaintedWindow w(WindowKind::Popup, Bounds(100, 100, 60, 40), kRed);
    w.window->Show(true);
    ASSERT_TRUE(
        WaitFor([&] { return ScreenPixel(100, 100) == kRed && ScreenPixel(159, 139) == kRed; }));
    EXPECT_NE(ScreenPixel(160, 140), kRed);
    // The first expose asked for the whole window.
    TRect asked;
    for (const TRect& r : w.sink.exposes) asked = UnionRect(asked, r);
    EXPECT_EQ(asked, Rect(0, 0, 60, 40));

    SolidImage green(60, 40, kGreen);
    w.window->Present(green.View(), Rect(0, 0, 10, 10));
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(105, 105) == kGreen; }));
    EXPECT_EQ(ScreenPixel(112, 112), kRed);  // outside the presented rectangle

    // Invalidate asks the framework again for exactly the stale part.
    w.sink.exposes.clear();
    w.window->Invalidate(Rect(20, 5, 30, 15));
    ASSERT_TRUE(WaitFor([&] { return !w.sink.exposes.empty(); }));
    EXPECT_EQ(w.sink.exposes.front(), Rect(20, 5, 30, 15));
    // Redraws of already presented parts (an uncovered window) do not bother the framework.
    w.sink.exposes.clear();
    gtk_widget_queue_draw(static_cast<gtk::GtkPlatformWindow&>(*w.window).Toplevel());
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(125, 110) == kRed; }));
    gtk_test_widget_wait_for_draw(static_cast<gtk::GtkPlatformWindow&>(*w.window).Toplevel());
    EXPECT_TRUE(w.sink.exposes.empty());
}

// A shared image is drawn straight from the framework's pixels: a change shows once
// presented; another image handed over makes the window keep a copy again, never writing
// into the shared pixels.
TEST(GtkWindow, DrawsStraightFromASharedImage) {
    RecordingSink sink;
    auto window = MakeWindow(WindowKind::Popup, Bounds(300, 200, 40, 30), sink);
    SolidImage shared(40, 30, kRed);
    ASSERT_TRUE(window->ShareImage(shared.View()));
    sink.onExpose = [&](const TRect& dirty) { window->Present(shared.View(), dirty); };
    window->Show(true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(339, 229) == kRed; }));

    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) shared.pixels[y * 40 + x] = kGreen;
    window->Present(shared.View(), Rect(0, 0, 10, 10));
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(305, 205) == kGreen; }));
    EXPECT_EQ(ScreenPixel(315, 215), kRed);

    SolidImage other(40, 30, kBlue);
    sink.onExpose = [&](const TRect& dirty) { window->Present(other.View(), dirty); };
    window->Present(other.View(), Rect(0, 0, 40, 30));
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(305, 205) == kBlue; }));
    EXPECT_EQ(shared.pixels[0], kGreen);
    EXPECT_EQ(shared.pixels[40 * 30 - 1], kRed);
}

TEST(GtkWindow, ShapeCutsTheWindowAndNullRestoresIt) {
    PaintedWindow below(WindowKind::Popup, Bounds(200, 100, 40, 40), kBlue);
    below.window->Show(true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(230, 120) == kBlue; }));
    PaintedWindow above(WindowKind::Popup, Bounds(200, 100, 40, 40), kRed);
    const TRegion leftHalf(Rect(0, 0, 20, 40));
    above.window->SetShape(&leftHalf);  // before the first show
    above.window->Show(true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(205, 120) == kRed; }));
    EXPECT_EQ(ScreenPixel(230, 120), kBlue);
    above.window->SetShape(nullptr);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(230, 120) == kRed; }));
    const TRegion nothing;
    above.window->SetShape(&nothing);  // an empty region hides the whole window
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(205, 120) == kBlue; }))
        << std::hex << ScreenPixel(205, 120);
}

TEST(GtkWindow, TopLevelGoesExactlyWhereAskedAndOnlyForeignMovesAreReported) {
    PaintedWindow w(WindowKind::TopLevel, Bounds(300, 200, 200, 150), kRed);
    w.window->Show(true);
    ASSERT_TRUE(WaitFor([&] {
        return ActualBounds(*w.window) == Bounds(300, 200, 200, 150) &&
               ScreenPixel(499, 349) == kRed;
    }));
    for (int step = 1; step <= 5; ++step)
        w.window->SetBounds(Bounds(300 + 10 * step, 200 + 7 * step, 200, 150));
    w.window->SetBounds(Bounds(350, 235, 230, 170));
    ASSERT_TRUE(WaitFor([&] { return ActualBounds(*w.window) == Bounds(350, 235, 230, 170); }));
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(350 + 229, 235 + 169) == kRed; }));
    EXPECT_TRUE(w.sink.configures.empty());
    EXPECT_EQ(w.window->Bounds(), Bounds(350, 235, 230, 170));

    // Moved by someone else (a window manager): reported, and Bounds follows.
    gtk_window_move(GTK_WINDOW(static_cast<gtk::GtkPlatformWindow&>(*w.window).Toplevel()), 420,
                    300);
    ASSERT_TRUE(WaitFor([&] { return !w.sink.configures.empty(); }));
    ASSERT_EQ(w.sink.configures.size(), 1u);
    EXPECT_EQ(w.sink.configures.back(), Bounds(420, 300, 230, 170));
    EXPECT_EQ(w.window->Bounds(), Bounds(420, 300, 230, 170));
}

// Real input through the X server (XTEST, as a user's).
void Xdotool(const std::string& args) {
    const std::string command = "xdotool " + args;
    gint status = 0;
    const gchar* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
    ASSERT_TRUE(g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_DEFAULT, nullptr,
                             nullptr, nullptr, nullptr, &status, nullptr))
        << command;
    ASSERT_TRUE(g_spawn_check_wait_status(status, nullptr)) << command;
}

std::vector<MouseEventKind> ClickKinds(const std::vector<MouseEvent>& mice) {
    std::vector<MouseEventKind> kinds;
    for (const auto& m : mice)
        if (m.kind != MouseEventKind::Move && m.kind != MouseEventKind::Leave)
            kinds.push_back(m.kind);
    return kinds;
}

TEST(GtkWindow, ClicksKeysAndCloseRequestsReachTheSink) {
    PaintedWindow w(WindowKind::TopLevel, Bounds(600, 100, 120, 80), kRed);
    w.window->Show(true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(610, 110) == kRed; }));
    Xdotool("mousemove --sync 630 120 click --repeat 2 --delay 40 1");
    ASSERT_TRUE(WaitFor([&] { return ClickKinds(w.sink.mice).size() >= 4; }));
    EXPECT_EQ(ClickKinds(w.sink.mice),
              (std::vector<MouseEventKind>{MouseEventKind::Down, MouseEventKind::Up,
                                           MouseEventKind::DoubleClick, MouseEventKind::Up}));
    const auto down = std::find_if(w.sink.mice.begin(), w.sink.mice.end(), [](const MouseEvent& m) {
        return m.kind == MouseEventKind::Down;
    });
    EXPECT_EQ(down->pos, Point(30, 20));
    EXPECT_EQ(down->screenPos, Point(630, 120));
    EXPECT_EQ(down->button, MouseButton::Left);
    EXPECT_EQ(down->buttonsDown, MK_LBUTTON);
    EXPECT_EQ(w.sink.mice.back().buttonsDown, 0u);

    Xdotool("mousemove --sync 640 130 click 4");
    ASSERT_TRUE(WaitFor([&] { return w.sink.mice.back().kind == MouseEventKind::Wheel; }));
    EXPECT_EQ(w.sink.mice.back().wheelDelta, 120);

    ASSERT_TRUE(WaitFor([&] { return !w.sink.focus.empty() && w.sink.focus.back(); }));
    Xdotool("key shift+a ctrl+F5");
    ASSERT_TRUE(WaitFor([&] { return w.sink.keys.size() >= 8; }));
    std::vector<KeyEvent> downs;
    for (const auto& k : w.sink.keys)
        if (k.down && k.virtualKey != VK_SHIFT && k.virtualKey != VK_CONTROL) downs.push_back(k);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].virtualKey, 'A');
    EXPECT_EQ(downs[0].unicodeChar, 'A');
    EXPECT_EQ(downs[0].modifiers, kModShift);
    EXPECT_EQ(downs[1].virtualKey, VK_F1 + 4);
    EXPECT_EQ(downs[1].modifiers, kModControl);

    // Keys sent straight to the window by another program arrive as well.
    const size_t before = w.sink.keys.size();
    Xdotool("key --window \"$(xdotool getactivewindow)\" x");
    ASSERT_TRUE(WaitFor([&] { return w.sink.keys.size() >= before + 2; }));
    EXPECT_EQ(w.sink.keys[before].virtualKey, 'X');
    EXPECT_EQ(w.sink.keys[before].unicodeChar, 'x');
    EXPECT_FALSE(w.sink.keys[before + 1].down);

    // Closing asked for by the window manager becomes a close request; the window stays.
    gtk_window_close(GTK_WINDOW(static_cast<gtk::GtkPlatformWindow&>(*w.window).Toplevel()));
    ASSERT_TRUE(WaitFor([&] { return w.sink.closeRequests == 1; }));
    EXPECT_TRUE(w.window->Visible());
}

TEST(GtkWindow, GrabbedPointerReportsMovesOutsideTheWindow) {
    PaintedWindow w(WindowKind::Popup, Bounds(50, 400, 30, 30), kRed);
    EXPECT_FALSE(w.window->GrabPointer());  // not shown yet
    w.window->Show(true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(60, 410) == kRed; }));
    ASSERT_TRUE(w.window->GrabPointer());
    Xdotool("mousemove --sync 20 380");
    ASSERT_TRUE(WaitFor(
        [&] { return !w.sink.mice.empty() && w.sink.mice.back().screenPos == Point(20, 380); }));
    EXPECT_EQ(w.sink.mice.back().pos, Point(-30, -20));
    w.window->UngrabPointer();
    const size_t seen = w.sink.mice.size();
    Xdotool("mousemove --sync 25 385");
    gtktest::Flush();
    // Released: moves outside are no longer ours (the pointer is reported as having left).
    for (size_t i = seen; i < w.sink.mice.size(); ++i)
        EXPECT_EQ(w.sink.mice[i].kind, MouseEventKind::Leave);
    EXPECT_EQ(w.sink.grabBroken, 0);
}

namespace {
gboolean PaintGreen(GtkWidget*, cairo_t* cr, gpointer) {
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_paint(cr);
    return TRUE;
}
}  // namespace

TEST(GtkWindow, NativeViewFollowsItsGeometryAndOutlivesItsWindowSafely) {
    PaintedWindow w(WindowKind::Popup, Bounds(700, 300, 100, 80), kRed);
    GtkWidget* area = gtk_drawing_area_new();
    g_signal_connect(area, "draw", G_CALLBACK(PaintGreen), nullptr);
    std::unique_ptr<NativeView> view = w.window->CreateNativeView(area);
    ASSERT_TRUE(view);
    w.window->Show(true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(720, 320) == kRed; }));  // hidden until placed
    view->SetGeometry(Rect(10, 10, 40, 30), true);
    ASSERT_TRUE(WaitFor(
        [&] { return ScreenPixel(710, 310) == kGreen && ScreenPixel(739, 329) == kGreen; }));
    EXPECT_EQ(ScreenPixel(740, 330), kRed);
    view->SetGeometry(Rect(50, 40, 90, 70), true);
    ASSERT_TRUE(
        WaitFor([&] { return ScreenPixel(760, 350) == kGreen && ScreenPixel(720, 320) == kRed; }));
    view->SetGeometry(Rect(50, 40, 90, 70), false);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(760, 350) == kRed; }));
    view->SetGeometry(Rect(50, 40, 50, 70), true);  // empty: stays hidden
    gtktest::Flush();
    EXPECT_EQ(ScreenPixel(750, 350), kRed);
    EXPECT_EQ(w.window->CreateNativeView(nullptr), nullptr);

    w.window.reset();  // the window goes first; the view's host must cope
    view.reset();
}
