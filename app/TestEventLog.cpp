#include "app/TestEventLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Main.h"
#include "ui/PageControl.h"

namespace {

void Watch(TWebPane* pane) {
    if (!pane) return;
    pane->OnDocumentComplete = [pane](TComponent*, WebObject*, OleVariant& URL) {
        const TPoint origin = pane->ClientToScreen({0, 0});
        std::fprintf(stderr, "puzzlebin-event: loaded %s %d %d %d %d %s\n", pane->Name().c_str(), origin.X, origin.Y,
                     pane->Width(), pane->Height(), platform::WideToUtf8(URL.text).c_str());
        std::fflush(stderr);
    };
    pane->OnNavigateError = [pane](TComponent*, WebObject*, OleVariant& URL, OleVariant&, OleVariant& StatusCode,
                                   VariantBool&) {
        std::fprintf(stderr, "puzzlebin-event: failed %s %08X %s\n", pane->Name().c_str(),
                     static_cast<unsigned>(StatusCode.intValue), platform::WideToUtf8(URL.text).c_str());
        std::fflush(stderr);
    };
}

}  // namespace

bool TestEventsRequested() {
    const char* value = std::getenv("PUZZLEBIN_TEST_EVENTS");
    return value && std::strcmp(value, "1") == 0;
}

void InstallTestEventLog(TForm1& form) {
    TForm1* f = &form;
    form.OnShow = [f](TComponent*) {
        const TPoint client = f->ClientToScreen({0, 0});
        const TRect tab = f->LeftPC ? f->LeftPC->TabRect(1) : TRect{};
        const TPoint tabOrigin = f->LeftPC ? f->LeftPC->ClientToScreen(tab.TopLeft()) : TPoint{};
        std::fprintf(stderr, "puzzlebin-event: shown %d %d %d %d tab2 %d %d %d %d\n", client.X, client.Y,
                     f->ClientWidth(), f->ClientHeight(), tabOrigin.X, tabOrigin.Y, tab.Width(), tab.Height());
        std::fflush(stderr);
    };
    Watch(form.ContentWB);
    Watch(form.NavWB);
    Watch(form.quillMartWB);
}
