// pbgallery: the skin gallery.
//   pbgallery                          the compiled-in "gallery" skin
//   pbgallery --skin NAME              another compiled-in skin ("default", "gallery")
//   pbgallery FILE                     a compressed skin file, loaded as the program loads
//                                      its own skin; a file that fails is reported with
//                                      the message that load raises
//   pbgallery --headless --snapshot out.png [...]   renders on the headless backend
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "GalleryForm.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinControlsClasses.h"
#include "skin/data/SkinDataClasses.h"
#include "ui/Application.h"
#include "ui/UiClasses.h"

namespace {

struct Options {
    bool headless = false;
    std::string snapshot, skinName = "gallery", skinFile;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: pbgallery [--skin NAME | SKINFILE] [--headless --snapshot OUT.png]\n");
    return 2;
}

int Run(const Options& o, int* argc, char*** argv) {
    HeadlessPlatform* headless = nullptr;
    if (o.headless) {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
    } else {
        platform::InstallGtkPlatform(argc, argv);
    }
    RegisterUiClasses();
    Application().Initialize();
    auto* form = Application().CreateForm<TGalleryForm>();
    if (o.skinFile.empty())
        form->UseCompiledInSkin(o.skinName);
    else
        form->UseSkinFile(o.skinFile);
    form->Show();
    form->MakeChildren();
    form->ReportLayout();
    if (headless) {
        Application().ProcessMessages();
        if (!o.snapshot.empty() && !headless->SaveScreenPng(o.snapshot)) {
            std::fprintf(stderr, "pbgallery: cannot write %s\n", o.snapshot.c_str());
            return 1;
        }
        return 0;
    }
    Application().Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0)
            o.headless = true;
        else if (std::strcmp(argv[i], "--snapshot") == 0 && i + 1 < argc)
            o.snapshot = argv[++i];
        else if (std::strcmp(argv[i], "--skin") == 0 && i + 1 < argc)
            o.skinName = argv[++i];
        else if (argv[i][0] == '-' && std::strcmp(argv[i], "--") != 0 && argv[i][1] != '\0' &&
                 argv[i][1] != '-')
            return Usage();
        else if (std::strncmp(argv[i], "--", 2) == 0 && argv[i][2] != '\0')
            return Usage();
        else if (std::strcmp(argv[i], "--") != 0)
            o.skinFile = argv[i];
    }
    try {
        return Run(o, &argc, &argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pbgallery: %s\n", e.what());
        return 1;
    }
}
