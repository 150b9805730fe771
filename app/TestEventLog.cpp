#include "app/TestEventLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Main.h"

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
    Watch(form.ContentWB);
    Watch(form.NavWB);
    Watch(form.quillMartWB);
}
