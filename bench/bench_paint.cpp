// One full paint pass of a 1920 x 1080 window holding 50 nested controls (each control
// inside the previous one, 8 pixels in from every side), on the headless backend.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

namespace {

class FramedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        TCanvas& c = Canvas();
        c.Brush.Style = bsSolid;
        c.Brush.Color = clBlack;
        c.FrameRect(ClientRect());
    }
};

void BM_FullPaintNested50(benchmark::State& state) {
    HeadlessPlatform& p = InstallHeadlessPlatform();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 1920, 1080);
    std::vector<std::unique_ptr<FramedControl>> controls;
    TWinControl* parent = form.get();
    for (int i = 0; i < 50; ++i) {
        auto c = std::make_unique<FramedControl>(nullptr);
        c->SetColor(RGB(static_cast<uint8_t>(i * 5), 128, static_cast<uint8_t>(255 - i * 5)));
        c->SetBounds(8, 8, parent->ClientWidth() - 16, parent->ClientHeight() - 16);
        c->SetParent(parent);
        parent = c.get();
        controls.push_back(std::move(c));
    }
    form->Show();
    p.ProcessPending();
    for (auto _ : state) {
        form->Invalidate();
        form->Update();
    }
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) (*it)->SetParent(nullptr);
    controls.clear();
    form.reset();
}
BENCHMARK(BM_FullPaintNested50)->Unit(benchmark::kMillisecond);

}  // namespace
