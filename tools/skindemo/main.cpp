// pb_skindemo: a window framed by the compiled-in skin.
//   pb_skindemo                                on the X display (GTK backend)
//   pb_skindemo --headless --snapshot out.png  renders on the headless backend into a PNG
//   pb_skindemo --print-mask                   prints the window's expected shape at its
//                                              start size, one "x y w h" line per run
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "SkinDemoForm.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/form/SkinForm.h"
#include "ui/Application.h"
#include "ui/UiClasses.h"

namespace {

int RunHeadless(const std::string& snapshot, bool printMask) {
    HeadlessPlatform& headless = InstallHeadlessPlatform();
    headless.SetScreenSize({1280, 1024});
    RegisterUiClasses();
    Application().Initialize();
    auto* form = Application().CreateForm<TSkinDemoForm>();
    form->Show();
    Application().ProcessMessages();
    if (printMask) {
        // The shape as horizontal runs, as the X server reports a window's shape.
        const TRegion* shape = form->Frame().skinForm->FrameShape();
        if (!shape) return 1;
        std::printf("size %d %d\n", form->Width(), form->Height());
        for (int y = 0; y < form->Height(); ++y) {
            int x = 0;
            while (x < form->Width()) {
                while (x < form->Width() && !shape->Contains({x, y})) ++x;
                const int start = x;
                while (x < form->Width() && shape->Contains({x, y})) ++x;
                if (x > start) std::printf("%d %d %d 1\n", start, y, x - start);
            }
        }
    }
    if (!snapshot.empty() && !headless.SaveScreenPng(snapshot)) {
        std::fprintf(stderr, "pb_skindemo: cannot write %s\n", snapshot.c_str());
        return 1;
    }
    return 0;
}

int RunOnDisplay(int* argc, char*** argv) {
    platform::InstallGtkPlatform(argc, argv);
    RegisterUiClasses();
    Application().Initialize();
    Application().CreateForm<TSkinDemoForm>();
    Application().Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool headless = false, printMask = false;
    std::string snapshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0)
            headless = true;
        else if (std::strcmp(argv[i], "--print-mask") == 0)
            headless = printMask = true;
        else if (std::strcmp(argv[i], "--snapshot") == 0 && i + 1 < argc)
            snapshot = argv[++i];
    }
    try {
        return headless ? RunHeadless(snapshot, printMask) : RunOnDisplay(&argc, &argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pb_skindemo: %s\n", e.what());
        return 1;
    }
}
