#include "platform/gtk/WebContext.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string_view>
#include <vector>

#include "tests/gtk/GtkTestSupport.h"

using namespace platform::gtk;

namespace {

// The web processes WebKit has launched for this program (its descendants of that name,
// direct children or inside the sandbox), leaving out those that `earlier` lists (other
// tests' processes may still be ending).
std::vector<int> WebProcesses(const std::vector<int>& earlier = {}) {
    std::map<int, int> parents;
    std::vector<int> named;
    DIR* proc = opendir("/proc");
    if (!proc) return {};
    while (dirent* entry = readdir(proc)) {
        const int pid = std::atoi(entry->d_name);
        if (pid <= 0) continue;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%d/stat", pid);
        FILE* stat = std::fopen(path, "r");
        if (!stat) continue;
        char comm[64] = {};
        int parent = 0;
        if (std::fscanf(stat, "%*d (%63[^)]) %*c %d", comm, &parent) == 2) {
            parents[pid] = parent;
            if (std::string_view(comm).starts_with("WebKitWebProces")) named.push_back(pid);
        }
        std::fclose(stat);
    }
    closedir(proc);
    std::vector<int> ids;
    for (const int pid : named) {
        int up = pid;
        for (int depth = 0; depth < 8 && up > 1 && up != getpid(); ++depth)
            up = parents.count(up) ? parents[up] : 0;
        if (up == getpid() && std::find(earlier.begin(), earlier.end(), pid) == earlier.end())
            ids.push_back(pid);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void OnLoad(WebKitWebView*, WebKitLoadEvent event, gpointer done) {
    if (event == WEBKIT_LOAD_FINISHED) ++*static_cast<int*>(done);
}

// Makes a view with NewWebView and loads a page in it; returns the owned view.
WebKitWebView* LoadedView(int& loads) {
    WebKitWebView* view = WEBKIT_WEB_VIEW(g_object_ref_sink(NewWebView()));
    g_signal_connect(view, "load-changed", G_CALLBACK(OnLoad), &loads);
    webkit_web_view_load_html(view, "<html><body>pane</body></html>", nullptr);
    return view;
}

}  // namespace

// The views share one web process but not their settings or user content; a view that goes
// leaves no dangling link behind, and a view made when none is left starts a process again.
TEST(WebContext, ViewsShareOneProcessAndKeepTheirOwnSettings) {
    const std::vector<int> earlier = WebProcesses();
    int loads = 0;
    WebKitWebView* first = LoadedView(loads);
    WebKitWebView* second = LoadedView(loads);
    WebKitWebView* third = LoadedView(loads);
    ASSERT_TRUE(gtktest::WaitFor([&] { return loads == 3; }, 30000));
    const std::vector<int> shared = WebProcesses(earlier);
    EXPECT_EQ(shared.size(), 1u);
    EXPECT_EQ(webkit_web_view_get_context(second), webkit_web_view_get_context(first));

    EXPECT_NE(webkit_web_view_get_settings(second), webkit_web_view_get_settings(first));
    EXPECT_NE(webkit_web_view_get_user_content_manager(second),
              webkit_web_view_get_user_content_manager(first));
    webkit_settings_set_enable_javascript(webkit_web_view_get_settings(second), FALSE);
    EXPECT_TRUE(webkit_settings_get_enable_javascript(webkit_web_view_get_settings(first)));

    // The newest view is gone: the next one joins a view still alive.
    g_object_unref(third);
    WebKitWebView* fourth = LoadedView(loads);
    ASSERT_TRUE(gtktest::WaitFor([&] { return loads == 4; }, 30000));
    EXPECT_EQ(WebProcesses(earlier), shared);

    g_object_unref(first);
    g_object_unref(second);
    g_object_unref(fourth);
    ASSERT_TRUE(gtktest::WaitFor([&] { return WebProcesses(earlier).empty(); }, 30000));
    WebKitWebView* fresh = LoadedView(loads);
    ASSERT_TRUE(gtktest::WaitFor([&] { return loads == 5; }, 30000));
    EXPECT_EQ(WebProcesses(earlier).size(), 1u);
    g_object_unref(fresh);
}
