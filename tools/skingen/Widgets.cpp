#include "Widgets.h"

#include <map>

#include "Theme.h"

namespace skingen {

void DrawButton(Raster& img, Box b, State s, int radius) {
    Rgb top = Th().faceLight, bottom = Th().face, line = Th().faceDark;
    switch (s) {
        case State::Normal:
            break;
        case State::Hot:
            top = Th().hotLight, bottom = Th().hot, line = Th().hotDark;
            break;
        case State::Down:
            top = Th().hot, bottom = Th().hotLight, line = Th().hotDark;
            break;
        case State::Disabled:
            top = Th().face, bottom = Th().face, line = Th().disabled;
            break;
    }
    for (int y = b.t; y < b.b; ++y) {
        const Rgb c = Mix(top, bottom, (y - b.t) * 7 / std::max(1, b.h() - 1), 7);
        for (int x = b.l; x < b.r; ++x)
            if (Raster::InsideRound(b, radius, x, y)) img.Set(x, y, c);
    }
    img.RoundFrame(b, radius, line);
    if (s == State::Normal) img.Fill({b.l + radius, b.t + 1, b.r - radius, b.t + 2}, kWhite);
}

void DrawToolButton(Raster& img, Box b, State s) {
    switch (s) {
        case State::Normal:
        case State::Disabled:
            img.Fill(b, Th().face);
            break;
        case State::Hot:
            img.GradientV(b, Th().hotLight, Th().hot, 6);
            img.Frame(b, Th().hotDark);
            break;
        case State::Down:
            img.GradientV(b, Th().hot, Th().hotLight, 6);
            img.Frame(b, Th().hotDark);
            img.Fill({b.l + 1, b.t + 1, b.r - 1, b.t + 2}, Th().faceDark);
            break;
    }
}

void DrawCaptionButton(Raster& img, Box b, State s, bool isClose) {
    Rgb top = Th().frameLight, bottom = Th().frame, line = Th().outline;
    if (isClose) top = Th().closeLight, bottom = Th().close, line = Th().closeDark;
    switch (s) {
        case State::Normal:
            break;
        case State::Hot:
            top = isClose ? Th().closeHot : Th().hotLight,
            bottom = isClose ? Th().closeLight : Th().hot;
            break;
        case State::Down:
            std::swap(top, bottom);
            line = isClose ? Th().closeDark : Th().hotDark;
            break;
        case State::Disabled:
            top = Th().captionDisabledTop, bottom = Th().captionDisabledBottom,
            line = Th().captionDisabledLine;
            break;
    }
    for (int y = b.t; y < b.b; ++y) {
        const Rgb c = Mix(top, bottom, (y - b.t) * 7 / std::max(1, b.h() - 1), 7);
        for (int x = b.l; x < b.r; ++x)
            if (Raster::InsideRound(b, 3, x, y)) img.Set(x, y, c);
    }
    img.RoundFrame(b, 3, line);
}

void DrawField(Raster& img, Box b, bool focused) {
    img.Fill(b, kWhite);
    img.Bevel(b, Th().faceDark, Th().faceLight);
    img.Frame({b.l + 1, b.t + 1, b.r - 1, b.b - 1}, focused ? Th().hot : Th().faceShadow);
}

void DrawRaised(Raster& img, Box b) {
    img.Fill(b, Th().face);
    img.Bevel(b, Th().faceLight, Th().faceShadow);
}

void DrawSunken(Raster& img, Box b) {
    img.Fill(b, Th().face);
    img.Bevel(b, Th().faceShadow, Th().faceLight);
}

const std::vector<std::string>& GlyphRows(GlyphKind kind) {
    static const std::map<GlyphKind, std::vector<std::string>> kGlyphs = {
        {GlyphKind::Close,
         {"##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###",
          "##....##"}},
        {GlyphKind::Maximize,
         {"########", "########", "#......#", "#......#", "#......#", "#......#", "########"}},
        {GlyphKind::Minimize,
         {"........", "........", "........", "........", "........", "######..", "######.."}},
        {GlyphKind::Restore,
         {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..",
          "######.."}},
        {GlyphKind::RollUp, {"...#...", "..###..", ".#####.", "#######"}},
        {GlyphKind::RollDown, {"#######", ".#####.", "..###..", "...#..."}},
        {GlyphKind::Tray,
         {"#......#", "#......#", "#......#", "#......#", "#.####.#", "#......#", "########"}},
        {GlyphKind::Puzzle,
         {"...##....", "...##....", "########.", "#......##", "#......##", "##.....#.", "##.....#.",
          "#......#.", "########."}},
        {GlyphKind::ArrowUp, {"...#...", "..###..", ".#####.", "#######"}},
        {GlyphKind::ArrowDown, {"#######", ".#####.", "..###..", "...#..."}},
        {GlyphKind::ArrowLeft, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}},
        {GlyphKind::ArrowRight, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}},
        {GlyphKind::Check, {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."}},
        {GlyphKind::Dots, {"#.#.#"}},
        {GlyphKind::Grip, {"#.#.#", ".....", "#.#.#", ".....", "#.#.#"}},
        {GlyphKind::GripV, {"#.#", "...", "#.#", "...", "#.#", "...", "#.#"}},
        {GlyphKind::Knob,
         {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."}},
    };
    return kGlyphs.at(kind);
}

void DrawGlyph(Raster& img, Box b, GlyphKind kind, Rgb colour) {
    img.Glyph(b, GlyphRows(kind), colour);
}

Rgb GlyphInk(State s) { return s == State::Disabled ? Th().disabledInk : Th().ink; }

}  // namespace skingen
