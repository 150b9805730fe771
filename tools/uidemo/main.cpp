// pb_uidemo: shows the framework's controls in a form with its own frame.
//   pb_uidemo                               on the X display (GTK backend)
//   pb_uidemo --headless --snapshot out.png renders on the headless backend into a PNG
//   --skin-controls                         shows the skinned controls instead
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "DemoForm.h"
#include "SkinControlsDemo.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinControlsClasses.h"
#include "ui/Application.h"
#include "ui/UiClasses.h"

namespace {

// The demo's form: the framework's controls, or the skinned ones.
TForm* CreateDemoForm(bool skinControls) {
    if (!skinControls) return Application().CreateForm<TDemoForm>();
    RegisterSkinControlsClasses();
    return Application().CreateForm<TSkinControlsDemoForm>();
}

int RunHeadless(const std::string& snapshot, bool skinControls) {
    HeadlessPlatform& headless = InstallHeadlessPlatform();
    headless.SetScreenSize({1280, 1024});
    RegisterUiClasses();
    Application().Initialize();
    TForm* form = CreateDemoForm(skinControls);
    form->Show();
    Application().ProcessMessages();
    if (snapshot.empty()) return 0;
    if (!headless.SaveScreenPng(snapshot)) {
        std::fprintf(stderr, "pb_uidemo: cannot write %s\n", snapshot.c_str());
        return 1;
    }
    return 0;
}

int RunOnDisplay(int* argc, char*** argv, bool skinControls) {
    platform::InstallGtkPlatform(argc, argv);
    RegisterUiClasses();
    Application().Initialize();
    CreateDemoForm(skinControls);
    Application().Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool headless = false;
    bool skinControls = false;
    std::string snapshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
        } else if (std::strcmp(argv[i], "--snapshot") == 0 && i + 1 < argc) {
            snapshot = argv[++i];
        } else if (std::strcmp(argv[i], "--skin-controls") == 0) {
            skinControls = true;
        }
    }
    try {
        return headless ? RunHeadless(snapshot, skinControls)
                        : RunOnDisplay(&argc, &argv, skinControls);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pb_uidemo: %s\n", e.what());
        return 1;
    }
}
