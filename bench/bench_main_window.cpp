// One paint of the whole main window (skinned frame, panels, strip, page control with its
// tabs and sheets) on the headless platform, at its start size (client 777 x 491) and
// maximised to the whole 1920 x 1080 screen: a repaint as an expose asks for it, and one
// where every skinned control composes its image again (as after a size change); and the
// creation of the window from its description up to its first paint. The same window
// without its skinned frame runs in the same program for comparison.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/form/SkinForm.h"
#include "ui/Application.h"

namespace {

std::string UnframedDescription() {
    std::string d = MainFormDescription();
    const size_t begin = d.find("  object spSkinForm1: TspSkinForm\n");
    const size_t end = d.find("\n  end\n", begin);
    d.erase(begin, end + 7 - begin);
    return d;
}

struct MainWindow {
    MainWindow(bool framed, bool maximised) {
        platform = &InstallHeadlessPlatform();
        platform->SetScreenSize({1920, 1080});
        platform::InstallFakeWebEngine();
        RegisterAppClasses();
        Application().Initialize();
        form = std::make_unique<TForm1>(nullptr, TForm1Unread{});
        form->CreateFromDescription(framed ? MainFormDescription() : UnframedDescription());
        form->Show();
        if (maximised) {
            if (form->spSkinForm1) {
                form->spSkinForm1->MaximizeOnFullScreen = true;
                form->spSkinForm1->SetWindowState(kSkinStateMaximized);
            } else {
                form->SetBounds(0, 0, 1920, 1080);
            }
        }
        Paint();
    }
    void Paint() {
        platform->ProcessPending();
        form->Update();
        platform->ProcessPending();
    }
    // Every windowed control asks for a repaint, so the skinned ones compose again.
    void InvalidateControls(TWinControl& parent) {
        for (int i = 0; i < parent.ControlCount(); ++i) {
            if (!parent.Controls(i)->IsWindowed()) continue;
            auto& c = static_cast<TWinControl&>(*parent.Controls(i));
            c.Invalidate();
            InvalidateControls(c);
        }
    }
    HeadlessPlatform* platform = nullptr;
    std::unique_ptr<TForm1> form;
};

void Run(benchmark::State& state, bool framed, bool recompose) {
    MainWindow w(framed, state.range(0) != 0);
    state.SetLabel(std::to_string(w.form->Width()) + "x" + std::to_string(w.form->Height()));
    for (auto _ : state) {
        if (recompose) w.InvalidateControls(*w.form);
        w.form->Invalidate();
        w.form->Update();
    }
    w.platform->ProcessPending();
}

void BM_MainWindowRepaint(benchmark::State& state) { Run(state, true, false); }
void BM_MainWindowRecomposed(benchmark::State& state) { Run(state, true, true); }
void BM_UnframedWindowRepaint(benchmark::State& state) { Run(state, false, false); }
void BM_UnframedWindowRecomposed(benchmark::State& state) { Run(state, false, true); }

// Reading the description (the skin loaded and applied) and showing the window, painted.
void Create(benchmark::State& state, bool framed) {
    for (auto _ : state) {
        MainWindow w(framed, false);
        benchmark::DoNotOptimize(w.form.get());
        state.PauseTiming();
        w.form.reset();
        w.platform->ProcessPending();
        state.ResumeTiming();
    }
}
void BM_MainWindowCreateAndShow(benchmark::State& state) { Create(state, true); }
void BM_UnframedWindowCreateAndShow(benchmark::State& state) { Create(state, false); }
BENCHMARK(BM_MainWindowCreateAndShow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnframedWindowCreateAndShow)->Unit(benchmark::kMillisecond);

// Arg 0: the start size; 1: maximised to the whole screen.
BENCHMARK(BM_MainWindowRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnframedWindowRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowRecomposed)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnframedWindowRecomposed)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
