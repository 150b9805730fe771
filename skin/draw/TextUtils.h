// Text helpers shared by skinned controls. Texts are UTF-8; shortening removes whole
// characters, never part of one.
#pragma once

#include <cstdint>
#include <string>

#include "base/Types.h"

class TCanvas;

// Leaves `text` unchanged when it fits in maxWidth on the canvas' font; otherwise replaces
// it with its longest prefix that fits together with "...", or "..." alone.
void EllipsisText(TCanvas& canvas, std::string& text, int32_t maxWidth);

// Draws the text at x = r.Left + 2, vertically centred (Top + Height div 2 - text height
// div 2), clipped to r.
void DrawTextVCentered(TCanvas& canvas, const std::string& text, const TRect& r);
