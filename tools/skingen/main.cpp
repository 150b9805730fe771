// skingen: draws the Puzzlebin skin's pictures and writes its definition text.
//   skingen <output folder>
// The output is the same on every run, so the generated files can be committed and
// checked for drift.
#include <cstdio>
#include <exception>
#include <string>

#include "FixedControls.h"
#include "SkinBuild.h"
#include "Theme.h"

namespace skingen {

SkinBuild::SkinBuild(std::string dir) : outDir(std::move(dir)), controls(390, 432, theme::kFace), pack(390, 432) {
    ReserveFixedPlaces(pack);
}

}  // namespace skingen

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen <output folder>\n");
        return 2;
    }
    try {
        skingen::SkinBuild skin(argv[1]);
        skingen::BuildFramePictures(skin);
        skingen::BuildSkinObjects(skin);
        skingen::BuildSkinControls(skin);
        skin.controls.SaveBmp8(skin.outDir + "/controls.bmp");
        const std::string text = skin.text.Render();
        std::FILE* f = std::fopen((skin.outDir + "/skin.ini").c_str(), "wb");
        if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "skingen: cannot write %s/skin.ini\n", skin.outDir.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
