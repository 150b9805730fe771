// Painting the skinned controls on the compiled-in skin in a 1920 x 1080 window on the
// headless backend: one skinned panel, the page control with its sheet, and a window of 50
// nested skinned controls.
//   Paint    the control's paint into a 1920 x 1080 picture, its image kept (unchanged)
//   Compose  the same with the image composed again (the control changed)
//   Repaint  the whole window invalidated and repainted, presenting included
//   Resized  a size change every time, so the image is composed again, then the paint pass
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/Region.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skins/DefaultSkin.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"

namespace {

struct Window {
    Window() {
        platform = &InstallHeadlessPlatform();
        platform->SetScreenSize({1920, 1080});
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 1920, 1080);
        data = new TspSkinData(form.get());
        auto* container = new TspCompressedStoredSkin(form.get());
        container->SetCompressedData(DefaultSkinCompressedData());
        data->SetCompressedStoredSkin(container);
    }
    void Show() {
        form->Show();
        platform->ProcessPending();
    }
    void Repaint() {
        form->Invalidate();
        form->Update();
    }
    HeadlessPlatform* platform = nullptr;
    std::unique_ptr<TForm> form;
    TspSkinData* data = nullptr;
};

TspSkinPanel* AddPanel(Window& w, TWinControl* parent, TAlign align) {
    auto* p = new TspSkinPanel(w.form.get());
    p->SetParent(parent);
    p->SetAlign(align);
    p->SetSkinData(w.data);
    return p;
}

// Paints the control into a window-sized picture, as the paint pass does (clipped to the
// control minus its windowed children, which paint themselves), optionally dropping its
// image first.
template <class Control>
void PaintInto(benchmark::State& state, Control* control, bool compose) {
    TBitmap target(1920, 1080);
    TCanvas& canvas = target.Canvas();
    TRegion clip(control->ClientRect());
    for (int i = 0; i < control->ControlCount(); ++i) {
        TControl* child = control->Controls(i);
        if (child->IsWindowed() && child->Visible())
            clip = clip.Subtract(TRegion(child->BoundsRect()));
    }
    canvas.SetClipRegion(clip);
    for (auto _ : state) {
        if (compose) control->Invalidate();
        control->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&canvas), 0);
    }
    benchmark::DoNotOptimize(target.ScanLine(540)[960]);
}

void BM_SkinPanelPaint(benchmark::State& state) {
    Window w;
    TspSkinPanel* panel = AddPanel(w, w.form.get(), alClient);
    w.Show();
    PaintInto(state, panel, state.range(0) != 0);
}
BENCHMARK(BM_SkinPanelPaint)->ArgName("compose")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SkinPanelRepaint(benchmark::State& state) {
    Window w;
    AddPanel(w, w.form.get(), alClient);
    w.Show();
    for (auto _ : state) w.Repaint();
}
BENCHMARK(BM_SkinPanelRepaint)->Unit(benchmark::kMillisecond);

void BM_SkinPanelResized(benchmark::State& state) {
    Window w;
    TspSkinPanel* panel = AddPanel(w, w.form.get(), alNone);
    w.Show();
    int i = 0;
    for (auto _ : state) {
        panel->SetBounds(0, 0, 1920 - (i++ & 1), 1080);
        w.form->Update();
    }
}
BENCHMARK(BM_SkinPanelResized)->Unit(benchmark::kMillisecond);

TspSkinPageControl* AddPages(Window& w) {
    auto* pc = new TspSkinPageControl(w.form.get());
    pc->SetParent(w.form.get());
    pc->SetAlign(alClient);
    for (int i = 0; i < 2; ++i) {
        auto* sheet = new TspSkinTabSheet(w.form.get());
        sheet->SetCaption(i == 0 ? "题在首页" : "作者网站");
        sheet->SetPageControl(pc);
    }
    pc->SetSkinData(w.data);
    return pc;
}

void BM_SkinPageControlPaint(benchmark::State& state) {
    Window w;
    TspSkinPageControl* pc = AddPages(w);
    w.Show();
    PaintInto(state, pc, state.range(0) != 0);
}
BENCHMARK(BM_SkinPageControlPaint)
    ->ArgName("compose")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The page control's active sheet painting its background (the skin's client piece tiled).
void BM_SkinTabSheetBackground(benchmark::State& state) {
    Window w;
    TspSkinPageControl* pc = AddPages(w);
    w.Show();
    TBitmap target(1920, 1080);
    TCanvas& canvas = target.Canvas();
    for (auto _ : state)
        pc->ActivePage()->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&canvas), 0);
    benchmark::DoNotOptimize(target.ScanLine(540)[960]);
}
BENCHMARK(BM_SkinTabSheetBackground)->Unit(benchmark::kMillisecond);

void BM_SkinPageControlRepaint(benchmark::State& state) {
    Window w;
    AddPages(w);
    w.Show();
    for (auto _ : state) w.Repaint();
}
BENCHMARK(BM_SkinPageControlRepaint)->Unit(benchmark::kMillisecond);

void BM_SkinPageControlResized(benchmark::State& state) {
    Window w;
    TspSkinPageControl* pc = AddPages(w);
    pc->SetAlign(alNone);
    w.Show();
    int i = 0;
    for (auto _ : state) {
        pc->SetBounds(0, 0, 1920 - (i++ & 1), 1080);
        w.form->Update();
    }
}
BENCHMARK(BM_SkinPageControlResized)->Unit(benchmark::kMillisecond);

// 50 skinned controls, each inside the previous one, 8 pixels in from every side: panels,
// with an expanding panel every fifth.
TspSkinCustomControl* BuildNested(Window& w) {
    TWinControl* parent = w.form.get();
    TspSkinCustomControl* outer = nullptr;
    for (int i = 0; i < 50; ++i) {
        TspSkinCustomControl* c = nullptr;
        if (i % 5 == 4) {
            auto* ex = new TspSkinExPanel(w.form.get());
            ex->SetCaption("Panel " + std::to_string(i));
            c = ex;
        } else {
            c = new TspSkinPanel(w.form.get());
        }
        c->SetParent(parent);
        c->SetSkinData(w.data);
        c->SetBounds(8, 8, parent->ClientWidth() - 16, parent->ClientHeight() - 16);
        if (!outer) outer = c;
        parent = c;
    }
    return outer;
}

void BM_Nested50Repaint(benchmark::State& state) {
    Window w;
    BuildNested(w);
    w.Show();
    for (auto _ : state) w.Repaint();
}
BENCHMARK(BM_Nested50Repaint)->Unit(benchmark::kMillisecond);

void BM_Nested50Resized(benchmark::State& state) {
    Window w;
    TspSkinCustomControl* outer = BuildNested(w);
    w.Show();
    int i = 0;
    for (auto _ : state) {
        // Only the outer control changes size; the others keep theirs, so this composes the
        // outer image and repaints the rest from theirs.
        outer->SetBounds(8, 8, 1904 - (i++ & 1), 1064);
        w.form->Update();
    }
}
BENCHMARK(BM_Nested50Resized)->Unit(benchmark::kMillisecond);

}  // namespace
