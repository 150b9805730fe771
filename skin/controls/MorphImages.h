// The morph kinds and inactive-window effects of the skin, applied to effect bitmaps.
#pragma once

#include "skin/data/SkinIniValues.h"

class TspEffectBmp;

// Blends `active` into `normal` by kind at coefficient k (0 normal, 1 active).
void MorphImages(TspEffectBmp& normal, const TspEffectBmp& active, TspMorphStyle kind, double k);
// The skin's inactive-window look.
void ApplyInactiveEffect(TspEffectBmp& image, TspInactiveImageEffect effect);
