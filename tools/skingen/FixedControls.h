// Places in controls.bmp that the panel, tab and expanding panel sections name.
#pragma once

#include "Pack.h"
#include "Raster.h"

namespace skingen {

struct FixedPlaces {
    Box panel{2, 146, 96, 225};
    Box tabPage{1, 145, 97, 226};
    Box tab{105, 130, 146, 150};
    Box activeTab{149, 128, 189, 148};
    Box focusTab{191, 128, 231, 148};
    Box tabsBg{9, 152, 87, 172};
    Box exPanel{307, 6, 374, 70};
    Box rollV{307, 6, 374, 27};
    Box rollH{2, 305, 21, 372};
    Box knob{28, 329, 43, 344};
    Box knobDown{318, 200, 333, 215};
    Box hRestore{28, 353, 43, 368};
    Box hRestoreDown{29, 307, 44, 322};
};
extern const FixedPlaces kFixed;

void ReserveFixedPlaces(Packer& pack);
void DrawFixedControls(Raster& img);

}  // namespace skingen
