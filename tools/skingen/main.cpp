// skingen: draws a Puzzlebin skin's pictures and writes its definition text.
//   skingen [--theme default|gallery] <output folder>
// The output is the same on every run, so the generated files can be committed and
// checked for drift.
#include <cstdio>
#include <exception>
#include <string>

#include "FixedControls.h"
#include "SkinBuild.h"
#include "Themes.h"

namespace skingen {

// The palette is chosen first: every picture, the controls picture's ground included,
// draws with it.
SkinBuild::SkinBuild(const SkinTheme& t, std::string dir)
    : theme((UsePalette(t.palette), t)),
      frame(FrameGeometryOf(t)),
      outDir(std::move(dir)),
      controls(390, 432, Th().face),
      pack(390, 432) {
    ReserveFixedPlaces(pack);
}

}  // namespace skingen

int main(int argc, char** argv) {
    std::string themeName = "default";
    if (argc == 4 && std::string(argv[1]) == "--theme") themeName = argv[2];
    const skingen::SkinTheme* theme = skingen::FindSkinTheme(themeName);
    if ((argc != 2 && argc != 4) || (argc == 4 && std::string(argv[1]) != "--theme") || !theme) {
        std::fprintf(stderr, "usage: skingen [--theme default|gallery] <output folder>\n");
        return 2;
    }
    try {
        skingen::SkinBuild skin(*theme, argv[argc - 1]);
        skingen::BuildFramePictures(skin);
        skingen::BuildSkinObjects(skin);
        skingen::BuildSkinControls(skin);
        skin.controls.SaveBmp8(skin.outDir + "/controls.bmp");
        const std::string text = skin.text.Render();
        std::FILE* f = std::fopen((skin.outDir + "/skin.ini").c_str(), "wb");
        if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() ||
            std::fclose(f) != 0) {
            std::fprintf(stderr, "skingen: cannot write %s/skin.ini\n", skin.outDir.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
