// The colour schemes skingen draws with. Every picture takes its colours from the active
// palette, so one set of drawing code makes every skin; the pure white and the
// masked-away colour are the same in all of them.
#pragma once

#include <string>

#include "Raster.h"

namespace skingen {

struct Palette {
    Rgb outline;     // outer lines of frames and buttons
    Rgb frameLight;  // caption gradient, top
    Rgb frame;       // caption gradient, bottom; borders
    Rgb frameDark;
    Rgb face;  // face of panels and controls
    Rgb faceLight;
    Rgb faceShadow;
    Rgb faceDark;
    Rgb ink;  // glyphs and text on light faces
    Rgb hot;  // the state under the mouse
    Rgb hotLight;
    Rgb hotDark;
    Rgb close;  // close button
    Rgb closeLight;
    Rgb closeDark;
    Rgb closeHot;  // top of the close button under the mouse
    Rgb progress;  // gauges
    Rgb progressLight;
    Rgb disabled;
    Rgb disabledInk;
    Rgb hintFace;
    Rgb captionDisabledTop, captionDisabledBottom, captionDisabledLine;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kOutside{255, 0, 255};  // never visible: cut away by masks

// The palette the drawing functions use; set once by the theme being built.
[[nodiscard]] const Palette& Th();
void UsePalette(const Palette& palette);

}  // namespace skingen
