// Drawing of the recurring widget looks: button plates in their states, small glyphs,
// sunken fields and check marks.
#pragma once

#include <string>
#include <vector>

#include "Raster.h"

namespace skingen {

enum class State { Normal, Hot, Down, Disabled };

// Rounded push-button plate.
void DrawButton(Raster& img, Box b, State s, int radius = 3);
// Flat tool button: only a hint of a plate until the mouse is over it.
void DrawToolButton(Raster& img, Box b, State s);
// Caption button on the slate caption band (close is red).
void DrawCaptionButton(Raster& img, Box b, State s, bool isClose);
// White field with a sunken border; `focused` draws the amber focus border.
void DrawField(Raster& img, Box b, bool focused);
// Raised face with a one-pixel bevel.
void DrawRaised(Raster& img, Box b);
void DrawSunken(Raster& img, Box b);

// Glyphs, drawn centred in the box.
enum class GlyphKind {
    Close,
    Maximize,
    Minimize,
    Restore,
    RollUp,
    RollDown,
    Tray,
    Puzzle,
    ArrowUp,
    ArrowDown,
    ArrowLeft,
    ArrowRight,
    Check,
    Dots,
    Grip,
    GripV,
    Knob
};
[[nodiscard]] const std::vector<std::string>& GlyphRows(GlyphKind kind);
void DrawGlyph(Raster& img, Box b, GlyphKind kind, Rgb colour);
// The ink colour for a glyph on a plate in the given state.
[[nodiscard]] Rgb GlyphInk(State s);

}  // namespace skingen
