// Opening a 30-item skinned popup menu on the headless screen (items, size, layout,
// composition and the first paint) and one morph step of its active item.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "skins/DefaultSkin.h"
#include "ui/Bitmap.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

struct Fixture {
    Fixture() {
        screen = &InstallHeadlessPlatform();
        screen->SetScreenSize({1280, 1024});
        form = std::make_unique<TForm>(nullptr);
        auto* container = new TspCompressedStoredSkin(form.get());
        container->SetCompressedData(DefaultSkinCompressedData());
        skin = new TspSkinData(form.get());
        skin->SetCompressedStoredSkin(container);
        engine = new TspSkinMenu(form.get());
        menu = new TPopupMenu(form.get());
        for (int i = 0; i < 30; ++i) {
            auto* item = new TMenuItem(form.get());
            item->SetCaption(i % 7 == 6 ? "-" : "Menu item &" + std::to_string(i));
            if (i % 5 == 0) item->ShortCut = TextToShortCut("Ctrl+" + std::to_string(i % 10));
            menu->Items().Add(item);
        }
    }
    platform::HeadlessPlatform* screen;
    std::unique_ptr<TForm> form;
    TspSkinData* skin;
    TspSkinMenu* engine;
    TPopupMenu* menu;
};

void BM_OpenSkinnedMenu30(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.engine->Popup(nullptr, f.skin, false, f.menu->Items(), Rect(200, 100, 200, 100), 0);
        f.screen->ProcessPending();  // the first paint
        state.PauseTiming();
        f.engine->CloseAll();
        f.screen->ProcessPending();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSkinnedMenu30)->Unit(benchmark::kMillisecond);

void BM_OpenDefaultMenu30(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.engine->Popup(nullptr, nullptr, false, f.menu->Items(), Rect(200, 100, 200, 100), 0);
        f.screen->ProcessPending();
        state.PauseTiming();
        f.engine->CloseAll();
        f.screen->ProcessPending();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDefaultMenu30)->Unit(benchmark::kMillisecond);

// One step of morphing: both looks of the item, blended, and the item repainted.
void BM_MorphStepOfActiveItem(benchmark::State& state) {
    Fixture f;
    const int index = f.skin->GetObjectDefIndex("MENUITEM");
    f.skin->ObjectDefs[static_cast<size_t>(index)]->Morphing = true;
    f.engine->Popup(nullptr, f.skin, false, f.menu->Items(), Rect(200, 100, 200, 100), 0);
    f.screen->ProcessPending();
    TspSkinPopupWindow* popup = f.engine->PopupWindow(0);
    auto& item = *popup->Items()[1];
    TBitmap image;
    double k = 0.1;
    for (auto _ : state) {
        item.MorphKf = k;
        popup->ComposeItemImage(item, image);
        popup->RedrawItem(1);
        f.screen->ProcessPending();
        k = k >= 0.85 ? 0.1 : k + 0.1;
    }
}
BENCHMARK(BM_MorphStepOfActiveItem)->Unit(benchmark::kMicrosecond);

}  // namespace
