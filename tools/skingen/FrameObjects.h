// The further frame objects of a skin with an object band: a switch, an animation, a
// plain button, a text label and a bitmap-font label on the band's left; an area the
// program paints, a track bar, a gauge, a strip-frame gauge and a regulator knob on its
// right. Their normal looks are painted into the window picture, their other states
// into objects.bmp.
#pragma once

#include <string>
#include <vector>

#include "SkinBuild.h"

namespace skingen {

struct BandPlaces {
    Box switchBox, animate, button, label, bitLabel, userObject, trackBar, gauge, frameGauge,
        regulator;
    // leftbottompoint.X and rightbottompoint.X: the band's objects lie outside the part
    // between them, which is what repeats when the window is wider than the picture.
    int leftEnd = 0, rightStart = 0;
};
[[nodiscard]] BandPlaces BandPlacesOf(const FrameGeometry& g);

// Normal looks, drawn into the window picture.
void DrawBandObjects(Raster& main, const FrameGeometry& g);
// [SKINOBJECTS] entries of the band objects (name:type).
[[nodiscard]] std::vector<std::string> BandObjectEntries();
// Draws objects.bmp and adds one section per band object.
void AddBandObjectSections(SkinBuild& skin);

}  // namespace skingen
