// Window shapes from black-and-white mask pictures: a pixel is inside the shape when it is
// pure black.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/Region.h"
#include "base/Types.h"
#include "skin/draw/SkinCompose.h"

class TBitmap;

// The platform's rectangle-list region data for the mask's black pixels, shifted by
// (xOffset, yOffset): a 32-byte header (32, type 1, run count, 0, bounding rectangle of
// the mask) and one 16-byte rectangle per horizontal run of black pixels, rows top to
// bottom and runs left to right. An empty mask gives an empty block (no region), and so
// does one with more than kMaxMaskRegionRuns runs: a window's shape has a few runs a row,
// and a finely dithered mask picture would otherwise make a region many times the
// picture's own size.
constexpr size_t kMaxMaskRegionRuns = size_t{1} << 20;
[[nodiscard]] std::vector<uint8_t> MaskToRegionData(const TBitmap& mask, int32_t xOffset,
                                                    int32_t yOffset);

// The mask's shape at (0, 0); none for an empty mask.
[[nodiscard]] std::optional<TRegion> MaskToRegion(const TBitmap& mask);

// The shape of a window resized to W x H, built from the element's whole mask picture:
// the four mask strips united with the new client rectangle. None when the window is
// smaller than its fixed parts or the new client rectangle is empty (the caller then
// keeps a rectangular window).
[[nodiscard]] std::optional<TRegion> ComposeMaskRegion(const TSkinGeometry& g,
                                                       const TSkinGeometry& ng, int32_t W,
                                                       int32_t H, const TBitmap& mask);
