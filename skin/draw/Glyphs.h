// Small glyphs drawn with the pen's line primitive (end points excluded): arrows, the check
// mark, the caption-button glyphs, and frames of horizontal glyph strips. Each glyph sets
// the pen (and, where it fills, the brush) colour and restores the canvas state afterwards.
#pragma once

#include <cstdint>

#include "base/Types.h"

class TBitmap;
class TCanvas;

enum TArrowKind : int { akLeft = 1, akRight = 2, akUp = 3, akDown = 4 };

// A 4-step arrow centred in `r` (cx = Left + Width div 2, cy = Top + Height div 2). Other
// kinds draw nothing.
void DrawArrow(TCanvas& canvas, const TRect& r, TColor color, int kind);
void DrawCheck(TCanvas& canvas, int32_t x, int32_t y, TColor color);

// Caption glyphs with their box's top-left at (x, y); the close glyph spans 11 x 10 pixels.
void DrawCloseGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
void DrawMaximizeGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
void DrawMinimizeGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
void DrawRestoreGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
// A thin hollow bar (the roll-up button).
void DrawFlatBarGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
void DrawTriangleDownGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
void DrawTriangleUpGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
// A filled square (the window-menu button).
void DrawSysMenuGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color);
// The close glyph with its 10 x 10 box centred in `r`.
void DrawCloseGlyphCentered(TCanvas& canvas, const TRect& r, TColor color);

// Draws frame `frame` (1-based) of `frameCount` equal frames laid side by side in `strip`
// at (x, y), transparently: the frame's bottom-left pixel is its transparent colour.
// An empty strip, a count below 1 or a frame outside 1..frameCount draws nothing.
void DrawGlyphFrame(TCanvas& canvas, int32_t x, int32_t y, int frame, int frameCount,
                    const TBitmap& strip);
