// The skinned frame at 1920 x 1080 on the compiled-in skin: the frame update after a size
// change (geometry, objects, shape), one non-client paint, and a whole window paint with
// the client background and 50 nested panels.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skins/DefaultSkin.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Panel.h"

namespace {

struct Fixture {
    explicit Fixture(int panels = 0) {
        platform = &InstallHeadlessPlatform();
        Application().Initialize();
        form = std::make_unique<TForm>(nullptr);
        form->SetCaption("Puzzlebin V1.0.0");
        form->SetBounds(0, 0, 1920, 1080);
        skinForm = new TspSkinForm(form.get());
        skinForm->SetBorderIcons(biSystemMenu);
        auto* data = new TspSkinData(form.get());
        auto* stored = new TspCompressedStoredSkin(form.get());
        stored->SetCompressedData(DefaultSkinCompressedData());
        skinForm->SetSkinData(data);
        data->SetCompressedStoredSkin(stored);
        // Ten columns of five panels, each inside the one before.
        for (int column = 0; column < panels / 5; ++column) {
            TWinControl* parent = form.get();
            for (int depth = 0; depth < 5; ++depth) {
                auto* panel = new TPanel(form.get());
                panel->SetParent(parent);
                if (depth == 0)
                    panel->SetBounds(10 + column * 188, 10, 180, 1000);
                else
                    panel->SetBounds(6, 6, parent->Width() - 12, parent->Height() - 12);
                panel->SetCaption(depth == 4 ? "Panel" : "");
                parent = panel;
            }
        }
        form->Show();
        platform->ProcessPending();
        form->Update();
        platform->ProcessPending();
    }
    HeadlessPlatform* platform = nullptr;
    std::unique_ptr<TForm> form;
    TspSkinForm* skinForm = nullptr;
};

// UpdateFrame for a size the shape was not made for, as during a live resize: each step
// of the move/size loop's WM_SIZING gives the frame a new size (alternating widths).
void BM_UpdateFrameAtNewSize(benchmark::State& state) {
    Fixture f;
    f.form->Perform(WM_ENTERSIZEMOVE, 0, 0);
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        TRect r = Bounds(0, 0, wide ? 1920 : 1919, 1080);
        f.form->Perform(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<intptr_t>(&r));
    }
    f.form->Perform(WM_EXITSIZEMOVE, 0, 0);
    f.platform->ProcessPending();
}
BENCHMARK(BM_UpdateFrameAtNewSize)->Unit(benchmark::kMillisecond);

// A whole resize step of the form (bounds, window image, client size, alignment, frame).
void BM_ResizeStepSkinned(benchmark::State& state) {
    Fixture f;
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        f.form->SetBounds(0, 0, wide ? 1920 : 1919, 1080);
    }
    f.platform->ProcessPending();
}
BENCHMARK(BM_ResizeStepSkinned)->Unit(benchmark::kMillisecond);

// The frame update alone at an unchanged size (the shape comes out equal and is kept).
void BM_UpdateFrameSameSize(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) f.skinForm->UpdateFrame(true);
    f.platform->ProcessPending();
}
BENCHMARK(BM_UpdateFrameSameSize)->Unit(benchmark::kMillisecond);

void BM_PaintNCSkin(benchmark::State& state) {
    Fixture f;
    TCanvas& canvas = f.form->WindowCanvas();
    for (auto _ : state) f.skinForm->PaintNCSkin(canvas);
    f.platform->ProcessPending();
}
BENCHMARK(BM_PaintNCSkin)->Unit(benchmark::kMillisecond);

// Frame, client background and 50 nested panels, presented.
void BM_FullWindowPaint(benchmark::State& state) {
    Fixture f(50);
    for (auto _ : state) {
        f.form->Invalidate();
        f.form->Update();
    }
    f.platform->ProcessPending();
}
BENCHMARK(BM_FullWindowPaint)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {
// The same resize of a form without the skinned frame: the framework's own share.
void BM_ResizeStepPlainForm(benchmark::State& state) {
    InstallHeadlessPlatform();
    Application().Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 1920, 1080);
    form.Show();
    platform::Current().ProcessPending();
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        form.SetBounds(0, 0, wide ? 1920 : 1919, 1080);
    }
    platform::Current().ProcessPending();
}
BENCHMARK(BM_ResizeStepPlainForm)->Unit(benchmark::kMillisecond);
}  // namespace
