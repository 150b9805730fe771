// Choosing how the web engine renders. WebKitGTK draws through the GPU by default; on a
// screen without acceleration (no usable render device, a virtual X server such as Xvfb,
// software GL forced) its accelerated path can leave a pane blank, so the program switches
// to the engine's non-composited, shared-memory rendering there. Must run before the first
// web view is created.
#pragma once

#include <string>

namespace platform::gtk {

// What the probe found about this machine and display.
struct RenderingEnvironment {
    bool renderNodeUsable = false;  // a /dev/dri/renderD* node that can be opened
    bool softwareGlForced = false;  // LIBGL_ALWAYS_SOFTWARE or a software GALLIUM_DRIVER
    bool displayHasDri = false;     // the X server offers DRI2 or DRI3 (direct rendering)
    bool displayChecked = false;    // false when the X server could not be asked
    bool userNamespaces = false;    // the web engine's sandbox can create its namespaces
};

enum class SandboxFallback {
    KeepSandbox,       // never turn the sandbox off (the program)
    AllowUnsandboxed,  // turn it off where it cannot start (test runs in containers)
};

// The environment settings chosen; already-set variables of the user are never changed.
struct RenderingDecision {
    bool disableCompositing = false;  // WEBKIT_DISABLE_COMPOSITING_MODE=1
    bool disableDmabuf = false;       // WEBKIT_DISABLE_DMABUF_RENDERER=1
    bool disableSandbox = false;      // WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
    bool sandboxUnavailable = false;  // the sandbox cannot start and stays on: panes will fail
    std::string reason;               // one line for logs, empty when nothing is changed
};

// Without `probeUserNamespaces`, userNamespaces is reported true without trying.
[[nodiscard]] RenderingEnvironment ProbeRenderingEnvironment(bool probeUserNamespaces = true);

[[nodiscard]] RenderingDecision ChooseWebRendering(const RenderingEnvironment& env,
                                                   SandboxFallback fallback);

// Probes, decides and sets the variables (without overwriting ones already set).
RenderingDecision ApplyWebRenderingMode(SandboxFallback fallback = SandboxFallback::KeepSandbox);

}  // namespace platform::gtk
