#include "app/ProgramRun.h"

#include <exception>
#include <memory>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "app/TestEventLog.h"
#include "browser/WebControlStart.h"
#include "browser/WebPaneUnit.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/gtk/WebContext.h"
#include "platform/gtk/WebKitEngine.h"
#include "ui/Application.h"

namespace {
// The web engine comes up this long after the loop starts at the latest, when the main
// window's first frame has not reached the screen by then.
constexpr uint32_t kEngineStartFallbackMs = 1000;
}  // namespace

int RunPuzzlebin(int* argc, char*** argv, const std::string& description) {
    platform::InstallGtkPlatform(argc, argv);
    // WebKit keeps its data under ~/.local/share/puzzlebin and ~/.cache/puzzlebin; the
    // bundled site (compiled in) is served on the program's own scheme.
    platform::gtk::ConfigureWebContext(
        {"puzzlebin", {{PB_SITE_SCHEME, PB_SITE_HOST, PB_SITE_RESOURCE_ROOT}}});
    platform::gtk::InstallWebKitEngine();
    RegisterAppClasses();

    Application().Initialize();
    // The skinned window shows first: the panes' engine objects are made, and what the form
    // asked of them is done in order, once its first frame is on the screen.
    WebControlStart::Hold();
    // Made as Application().CreateForm<TForm1> makes it, from the given description: read
    // (OnCreate included), then the first form created becomes the main form.
    auto form = std::make_unique<TForm1>(&Application(), TForm1Unread{});
    try {
        form->CreateFromDescription(description);
    } catch (const std::exception& e) {
        // The form's description could not be read: nothing to show.
        Application().ShowException(e);
        return 1;
    }
    Form1 = form.release();
    Application().FormCreated(Form1);
    if (TestEventsRequested()) InstallTestEventLog(*Form1);
    WebControlStart::StartAfterFirstFrame(kEngineStartFallbackMs);
    Application().Run();
    // The panes close while the window system is still up (unless the form is gone already).
    delete Application().MainForm();
    Form1 = nullptr;
    // What the panes changed for the user (user-agent token, proxy, sound) is undone.
    WebPaneUnit::Finalize();
    return 0;
}
