#include "platform/gtk/RenderingMode.h"

#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <cstdlib>

#include "platform/gtk/GtkWindow.h"
#include "tests/gtk/GtkTestSupport.h"

using namespace platform::gtk;

namespace {
RenderingEnvironment Accelerated() {
    RenderingEnvironment env;
    env.renderNodeUsable = true;
    env.displayChecked = true;
    env.displayHasDri = true;
    env.userNamespaces = true;
    return env;
}
}  // namespace

TEST(RenderingMode, AcceleratedScreensKeepTheDefaults) {
    const RenderingDecision d = ChooseWebRendering(Accelerated(), SandboxFallback::KeepSandbox);
    EXPECT_FALSE(d.disableCompositing || d.disableDmabuf || d.disableSandbox ||
                 d.sandboxUnavailable);
    EXPECT_TRUE(d.reason.empty());
    RenderingEnvironment unknownDisplay = Accelerated();
    unknownDisplay.displayChecked = false;  // could not ask the server: trust the device
    unknownDisplay.displayHasDri = false;
    EXPECT_FALSE(
        ChooseWebRendering(unknownDisplay, SandboxFallback::KeepSandbox).disableCompositing);
}

TEST(RenderingMode, AnyMissingAccelerationSwitchesToSoftware) {
    RenderingEnvironment noDevice = Accelerated();
    noDevice.renderNodeUsable = false;
    RenderingEnvironment forced = Accelerated();
    forced.softwareGlForced = true;
    RenderingEnvironment virtualServer = Accelerated();  // Xvfb on a machine with a GPU
    virtualServer.displayHasDri = false;
    for (const auto& env : {noDevice, forced, virtualServer}) {
        const RenderingDecision d = ChooseWebRendering(env, SandboxFallback::KeepSandbox);
        EXPECT_TRUE(d.disableCompositing);
        EXPECT_TRUE(d.disableDmabuf);
        EXPECT_FALSE(d.disableSandbox);
        EXPECT_NE(d.reason.find("software"), std::string::npos);
    }
}

TEST(RenderingMode, SandboxIsOnlyDroppedWhenTheCallerAllowsIt) {
    RenderingEnvironment env = Accelerated();
    env.userNamespaces = false;
    const RenderingDecision kept = ChooseWebRendering(env, SandboxFallback::KeepSandbox);
    EXPECT_FALSE(kept.disableSandbox);
    EXPECT_TRUE(kept.sandboxUnavailable);
    const RenderingDecision dropped = ChooseWebRendering(env, SandboxFallback::AllowUnsandboxed);
    EXPECT_TRUE(dropped.disableSandbox);
    EXPECT_FALSE(dropped.sandboxUnavailable);
    EXPECT_FALSE(dropped.disableCompositing);
}

namespace {
void OnLoad(WebKitWebView*, WebKitLoadEvent event, gpointer done) {
    if (event == WEBKIT_LOAD_FINISHED) *static_cast<bool*>(done) = true;
}
}  // namespace

// The probe on this display, then a real web view in a backend window: the pane must show
// its page, never stay blank.
TEST(RenderingMode, WebViewInANativeViewShowsItsPage) {
    setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "keep", 1);
    const RenderingEnvironment env = ProbeRenderingEnvironment();
    EXPECT_TRUE(env.displayChecked);  // running on X: the server was asked
    const RenderingDecision d = ApplyWebRenderingMode(SandboxFallback::AllowUnsandboxed);
    if (d.disableDmabuf) {
        EXPECT_STREQ(std::getenv("WEBKIT_DISABLE_DMABUF_RENDERER"), "keep");  // never overwritten
        setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", 1);
    } else {
        unsetenv("WEBKIT_DISABLE_DMABUF_RENDERER");
    }

    gtktest::RecordingSink sink;
    gtktest::SolidImage blue(240, 160, 0x0000FF);
    platform::WindowParams params;
    params.kind = platform::WindowKind::TopLevel;
    params.screenBounds = Bounds(400, 500, 240, 160);
    params.sink = &sink;
    auto window = platform::Current().CreateWindow(params);
    sink.onExpose = [&](const TRect& r) { window->Present(blue.View(), r); };
    GtkWidget* web = webkit_web_view_new();
    bool loaded = false;
    g_signal_connect(web, "load-changed", G_CALLBACK(OnLoad), &loaded);
    auto view = window->CreateNativeView(web);
    ASSERT_TRUE(view);
    view->SetGeometry(Rect(20, 20, 220, 140), true);
    webkit_web_view_load_html(WEBKIT_WEB_VIEW(web),
                              "<html><body style='margin:0;background:#ff0000'></body></html>",
                              nullptr);
    window->Show(true);
    ASSERT_TRUE(gtktest::WaitFor([&] { return loaded; }, 30000));
    EXPECT_TRUE(
        gtktest::WaitFor([&] { return gtktest::ScreenPixel(500, 580) == 0xFF0000; }, 20000));
    EXPECT_EQ(gtktest::ScreenPixel(410, 510), 0x0000FFu);  // the framework's image around it
    view.reset();
    window.reset();
}
