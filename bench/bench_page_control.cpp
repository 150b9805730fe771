// Tab hit testing and layout of the page control: the skinned control asks for the tab under
// the mouse on every mouse move and for item rectangles on every paint.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "ui/Forms.h"
#include "ui/PageControl.h"

namespace {

struct Fixture {
    explicit Fixture(int tabs) {
        InstallHeadlessPlatform();
        form = std::make_unique<TForm>(nullptr);
        pc = new TPageControl(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(0, 0, 775, 489);
        for (int i = 0; i < tabs; ++i) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetCaption("Tab sheet " + std::to_string(i));
            sheet->SetPageControl(pc);
        }
    }
    std::unique_ptr<TForm> form;
    TPageControl* pc = nullptr;
};

void BM_IndexOfTabAt(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    const TRect last = f.pc->TabRect(f.pc->TabCount() - 1);
    for (auto _ : state) benchmark::DoNotOptimize(f.pc->IndexOfTabAt(last.Left + 1, last.Top + 1));
}
BENCHMARK(BM_IndexOfTabAt)->Arg(2)->Arg(20);

void BM_DisplayRect(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(f.pc->DisplayRect());
}
BENCHMARK(BM_DisplayRect)->Arg(2)->Arg(20);

}  // namespace
