// The "Puzzlebin slate" theme: slate-blue frame and captions, warm paper faces, amber
// highlights for the hot state. Every picture draws from these colours only.
#pragma once

#include "Raster.h"

namespace skingen::theme {

constexpr Rgb kOutline{31, 42, 58};        // outer lines of frames and buttons
constexpr Rgb kSlateLight{104, 137, 176};  // caption gradient, top
constexpr Rgb kSlate{62, 92, 130};         // caption gradient, bottom; borders
constexpr Rgb kSlateDark{40, 62, 92};
constexpr Rgb kFace{236, 232, 222};        // paper face of panels and controls
constexpr Rgb kFaceLight{250, 248, 242};
constexpr Rgb kFaceShadow{176, 168, 152};
constexpr Rgb kFaceDark{128, 120, 106};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{34, 34, 40};            // glyphs on light faces
constexpr Rgb kAmber{240, 176, 64};        // hot state
constexpr Rgb kAmberLight{252, 222, 160};
constexpr Rgb kAmberDark{196, 128, 32};
constexpr Rgb kRed{196, 60, 48};           // close button
constexpr Rgb kRedLight{232, 112, 96};
constexpr Rgb kRedDark{140, 36, 28};
constexpr Rgb kGreen{84, 160, 88};         // progress
constexpr Rgb kGreenLight{150, 210, 140};
constexpr Rgb kDisabled{196, 192, 184};
constexpr Rgb kDisabledInk{150, 146, 138};
constexpr Rgb kHintFace{255, 248, 220};
constexpr Rgb kOutside{255, 0, 255};       // never visible: cut away by masks

}  // namespace skingen::theme
