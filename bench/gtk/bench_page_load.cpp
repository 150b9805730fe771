// The cost of the host decisions on page load: the bundled site's three start pages loaded
// by the program's content pane (every decision of the host through our code, with the
// main window's settings) against a WebKit view with no host code at all, in the same run,
// the two alternating. Needs a display (scripts/with-display). Prints the ratio of the
// medians at the end.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "browser/WebPaneUnit.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/gtk/WebKitEngine.h"
#include "ui/Application.h"

namespace {

constexpr const char* kPages[] = {"soft/pb/1.html", "soft/pb/index.html", "index.html"};
constexpr int kRounds = 6;
constexpr int kIterations = 5;

std::string PageUri(const char* page) {
    const std::string path = std::string(PB_SOURCE_DIR) + "/site/" + page;
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string out = uri ? uri : "";
    g_free(uri);
    return out;
}

// Runs the main loop until `done` or ten seconds have passed.
bool RunUntil(const bool& done) {
    const gint64 deadline = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
    while (!done && g_get_monotonic_time() < deadline) g_main_context_iteration(nullptr, TRUE);
    return done;
}

bool gPaneDone = false;

void BM_ContentPane(benchmark::State& state) {
    TWebPane* pane = Form1->ContentWB;
    pane->OnDocumentComplete = [](TComponent*, WebObject*, OleVariant&) { gPaneDone = true; };
    for (auto _ : state) {
        for (const char* page : kPages) {
            gPaneDone = false;
            pane->Navigate(platform::Utf8ToWide(PageUri(page)));
            if (!RunUntil(gPaneDone)) state.SkipWithError("the pane did not finish loading");
        }
    }
}

struct BareView {
    GtkWidget* window = nullptr;
    WebKitWebView* view = nullptr;
    bool done = false;
};

BareView& Bare() {
    static BareView bare = [] {
        BareView b;
        b.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        b.view = WEBKIT_WEB_VIEW(webkit_web_view_new());
        gtk_widget_set_size_request(GTK_WIDGET(b.view), 771, 322);
        gtk_container_add(GTK_CONTAINER(b.window), GTK_WIDGET(b.view));
        gtk_window_move(GTK_WINDOW(b.window), 0, 0);
        gtk_widget_show_all(b.window);
        return b;
    }();
    return bare;
}

void OnBareLoad(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    if (event == WEBKIT_LOAD_FINISHED) static_cast<BareView*>(data)->done = true;
}

void BM_BareWebKit(benchmark::State& state) {
    BareView& bare = Bare();
    const gulong handler =
        g_signal_connect(bare.view, "load-changed", G_CALLBACK(OnBareLoad), &bare);
    for (auto _ : state) {
        for (const char* page : kPages) {
            bare.done = false;
            webkit_web_view_load_uri(bare.view, PageUri(page).c_str());
            if (!RunUntil(bare.done)) state.SkipWithError("the bare view did not finish loading");
        }
    }
    g_signal_handler_disconnect(bare.view, handler);
}

// Keeps every run's time per iteration, by benchmark family.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            times[name.substr(0, name.find('/'))].push_back(run.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::vector<double>> times;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    // The panes' settings go to a folder of the benchmark's own.
    char dir[] = "/tmp/pb_bench_XXXXXX";
    if (mkdtemp(dir)) setenv("XDG_CONFIG_HOME", dir, 1);
    platform::InstallGtkPlatform(&argc, &argv);
    platform::gtk::InstallWebKitEngine();
    RegisterAppClasses();
    Application().Initialize();
    Application().CreateForm<TForm1>(&Form1);
    Form1->Show();
    // Warm both up once (web processes, caches), then alternate.
    for (int round = 0; round < kRounds; ++round) {
        benchmark::RegisterBenchmark(("ContentPane/round:" + std::to_string(round)).c_str(),
                                     BM_ContentPane)
            ->Iterations(kIterations)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BareWebKit/round:" + std::to_string(round)).c_str(),
                                     BM_BareWebKit)
            ->Iterations(kIterations)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Round 0 of each warms up and is left out.
    for (auto& [name, times] : reporter.times)
        if (!times.empty()) times.erase(times.begin());
    const double host = Median(reporter.times["ContentPane"]);
    const double bare = Median(reporter.times["BareWebKit"]);
    std::printf(
        "three start pages: content pane %.2f ms, bare WebKit %.2f ms (medians of %d rounds); "
        "ratio %.3f\n",
        host, bare, kRounds - 1, bare > 0 ? host / bare : 0.0);
    benchmark::Shutdown();
    delete Form1;
    Form1 = nullptr;
    WebPaneUnit::Finalize();
    return 0;
}
