#include "Themes.h"

namespace skingen {

namespace {

const Palette* gActive = nullptr;

// "Puzzlebin Slate": slate-blue frame and captions, warm paper faces, amber highlights.
constexpr Palette kSlatePalette{
    .outline = {31, 42, 58},
    .frameLight = {104, 137, 176},
    .frame = {62, 92, 130},
    .frameDark = {40, 62, 92},
    .face = {236, 232, 222},
    .faceLight = {250, 248, 242},
    .faceShadow = {176, 168, 152},
    .faceDark = {128, 120, 106},
    .ink = {34, 34, 40},
    .hot = {240, 176, 64},
    .hotLight = {252, 222, 160},
    .hotDark = {196, 128, 32},
    .close = {196, 60, 48},
    .closeLight = {232, 112, 96},
    .closeDark = {140, 36, 28},
    .closeHot = {244, 150, 136},
    .progress = {84, 160, 88},
    .progressLight = {150, 210, 140},
    .disabled = {196, 192, 184},
    .disabledInk = {150, 146, 138},
    .hintFace = {255, 248, 220},
    .captionDisabledTop = {128, 146, 168},
    .captionDisabledBottom = {112, 128, 150},
    .captionDisabledLine = {88, 100, 118},
};

// "Puzzlebin Gallery": deep teal frame, cool mint-grey faces, coral highlights and
// indigo gauges.
constexpr Palette kGalleryPalette{
    .outline = {18, 46, 50},
    .frameLight = {70, 158, 152},
    .frame = {28, 110, 110},
    .frameDark = {16, 74, 76},
    .face = {230, 238, 236},
    .faceLight = {247, 251, 250},
    .faceShadow = {158, 178, 176},
    .faceDark = {100, 122, 120},
    .ink = {26, 36, 38},
    .hot = {244, 130, 98},
    .hotLight = {252, 198, 178},
    .hotDark = {198, 82, 54},
    .close = {176, 48, 84},
    .closeLight = {220, 98, 128},
    .closeDark = {118, 22, 50},
    .closeHot = {238, 148, 168},
    .progress = {90, 94, 198},
    .progressLight = {158, 166, 240},
    .disabled = {188, 200, 198},
    .disabledInk = {138, 152, 150},
    .hintFace = {234, 250, 245},
    .captionDisabledTop = {108, 150, 148},
    .captionDisabledBottom = {88, 128, 126},
    .captionDisabledLine = {62, 96, 96},
};

}  // namespace

const Palette& Th() { return gActive ? *gActive : kSlatePalette; }
void UsePalette(const Palette& palette) { gActive = &palette; }

const std::vector<SkinTheme>& SkinThemes() {
    static const std::vector<SkinTheme> kThemes = {
        {"default", "Puzzlebin Slate",
         "The skin compiled into Puzzlebin: slate frame, paper faces, amber highlights.",
         kSlatePalette, 204, 200, 0},
        {"gallery", "Puzzlebin Gallery",
         "The gallery's skin: teal frame, mint faces, coral highlights, and every kind of frame "
         "object.",
         kGalleryPalette, 520, 260, 32},
    };
    return kThemes;
}

const SkinTheme* FindSkinTheme(const std::string& name) {
    for (const SkinTheme& t : SkinThemes())
        if (t.name == name) return &t;
    return nullptr;
}

}  // namespace skingen
