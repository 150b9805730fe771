// pb_uidemo: shows the framework's controls in a form with its own frame.
//   pb_uidemo                               on the X display (GTK backend)
//   pb_uidemo --headless --snapshot out.png renders on the headless backend into a PNG
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "DemoForm.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"
#include "ui/UiClasses.h"

namespace {

int RunHeadless(const std::string& snapshot) {
    HeadlessPlatform& headless = InstallHeadlessPlatform();
    headless.SetScreenSize({1280, 1024});
    RegisterUiClasses();
    Application().Initialize();
    TDemoForm* form = Application().CreateForm<TDemoForm>();
    form->Show();
    Application().ProcessMessages();
    if (snapshot.empty()) return 0;
    if (!headless.SaveScreenPng(snapshot)) {
        std::fprintf(stderr, "pb_uidemo: cannot write %s\n", snapshot.c_str());
        return 1;
    }
    return 0;
}

int RunOnDisplay(int* argc, char*** argv) {
    platform::InstallGtkPlatform(argc, argv);
    RegisterUiClasses();
    Application().Initialize();
    Application().CreateForm<TDemoForm>();
    Application().Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool headless = false;
    std::string snapshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
        } else if (std::strcmp(argv[i], "--snapshot") == 0 && i + 1 < argc) {
            snapshot = argv[++i];
        }
    }
    try {
        return headless ? RunHeadless(snapshot) : RunOnDisplay(&argc, &argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pb_uidemo: %s\n", e.what());
        return 1;
    }
}
