#include "platform/gtk/RenderingMode.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform::gtk {
namespace {

bool RenderNodeUsable() {
    DIR* dir = opendir("/dev/dri");
    if (!dir) return false;
    bool usable = false;
    while (dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, "renderD", 7) != 0) continue;
        const std::string path = std::string("/dev/dri/") + entry->d_name;
        const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) {
            close(fd);
            usable = true;
            break;
        }
    }
    closedir(dir);
    return usable;
}

bool SoftwareGlForced() {
    const char* always = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (always && *always && std::strcmp(always, "0") != 0) return true;
    const char* gallium = std::getenv("GALLIUM_DRIVER");
    return gallium &&
           (std::strcmp(gallium, "llvmpipe") == 0 || std::strcmp(gallium, "softpipe") == 0);
}

// Asks the X server for its direct-rendering extensions. Xlib is already loaded by GDK; its
// entry points are looked up at run time so the backend needs no extra link dependency.
struct XProbe {
    bool checked = false;
    bool dri = false;
};

XProbe ProbeXServer() {
    using OpenFn = void* (*)(const char*);
    using CloseFn = int (*)(void*);
    using QueryFn = int (*)(void*, const char*, int*, int*, int*);
    auto query = reinterpret_cast<QueryFn>(dlsym(RTLD_DEFAULT, "XQueryExtension"));
    auto openDisplay = reinterpret_cast<OpenFn>(dlsym(RTLD_DEFAULT, "XOpenDisplay"));
    auto closeDisplay = reinterpret_cast<CloseFn>(dlsym(RTLD_DEFAULT, "XCloseDisplay"));
    if (!query) return {};
    void* xdisplay = nullptr;
    bool own = false;
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (gdkDisplay && GDK_IS_X11_DISPLAY(gdkDisplay)) {
        xdisplay = gdk_x11_display_get_xdisplay(gdkDisplay);
    } else if (openDisplay && closeDisplay) {
        xdisplay = openDisplay(nullptr);
        own = xdisplay != nullptr;
    }
    if (!xdisplay) return {};
    int opcode = 0;
    int event = 0;
    int error = 0;
    XProbe probe;
    probe.checked = true;
    probe.dri = query(xdisplay, "DRI3", &opcode, &event, &error) ||
                query(xdisplay, "DRI2", &opcode, &event, &error);
    if (own) closeDisplay(xdisplay);
    return probe;
}

// The web engine's sandbox (bubblewrap) needs unprivileged user namespaces. Tried in a
// child process so this process stays as it is.
bool UserNamespacesAvailable() {
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) _exit(unshare(CLONE_NEWUSER) == 0 ? 0 : 1);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void SetIfUnset(const char* name) { setenv(name, "1", 0); }

}  // namespace

RenderingEnvironment ProbeRenderingEnvironment(bool probeUserNamespaces) {
    RenderingEnvironment env;
    env.renderNodeUsable = RenderNodeUsable();
    env.softwareGlForced = SoftwareGlForced();
    const XProbe x = ProbeXServer();
    env.displayChecked = x.checked;
    env.displayHasDri = x.dri;
    // Trying them costs a fork of the whole process; skipped where the answer changes nothing.
    env.userNamespaces = probeUserNamespaces ? UserNamespacesAvailable() : true;
    return env;
}

RenderingDecision ChooseWebRendering(const RenderingEnvironment& env, SandboxFallback fallback) {
    RenderingDecision d;
    std::string why;
    if (!env.renderNodeUsable)
        why = "no usable GPU render device";
    else if (env.softwareGlForced)
        why = "software GL forced";
    else if (env.displayChecked && !env.displayHasDri)
        why = "the display offers no direct rendering";
    if (!why.empty()) {
        d.disableCompositing = true;
        d.disableDmabuf = true;
        d.reason = "web panes render in software mode: " + why;
    }
    if (!env.userNamespaces) {
        if (fallback == SandboxFallback::AllowUnsandboxed) {
            d.disableSandbox = true;
            d.reason += (d.reason.empty() ? "" : "; ");
            d.reason += "web content sandbox disabled: no user namespaces";
        } else {
            d.sandboxUnavailable = true;
            d.reason += (d.reason.empty() ? "" : "; ");
            d.reason += "user namespaces unavailable: the web content sandbox may fail to start";
        }
    }
    return d;
}

RenderingDecision ApplyWebRenderingMode(SandboxFallback fallback) {
    // Keeping the sandbox, the program has no other choice to make when namespaces are missing.
    const RenderingDecision d = ChooseWebRendering(
        ProbeRenderingEnvironment(fallback == SandboxFallback::AllowUnsandboxed), fallback);
    if (d.disableCompositing) SetIfUnset("WEBKIT_DISABLE_COMPOSITING_MODE");
    if (d.disableDmabuf) SetIfUnset("WEBKIT_DISABLE_DMABUF_RENDERER");
    if (d.disableSandbox) SetIfUnset("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS");
    return d;
}

}  // namespace platform::gtk
