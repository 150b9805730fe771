#include "Widgets.h"

#include <map>

#include "Theme.h"

namespace skingen {

using namespace theme;

void DrawButton(Raster& img, Box b, State s, int radius) {
    Rgb top = kFaceLight, bottom = kFace, line = kFaceDark;
    switch (s) {
        case State::Normal: break;
        case State::Hot: top = kAmberLight, bottom = kAmber, line = kAmberDark; break;
        case State::Down: top = kAmber, bottom = kAmberLight, line = kAmberDark; break;
        case State::Disabled: top = kFace, bottom = kFace, line = kDisabled; break;
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
        case State::Disabled: img.Fill(b, kFace); break;
        case State::Hot:
            img.GradientV(b, kAmberLight, kAmber, 6);
            img.Frame(b, kAmberDark);
            break;
        case State::Down:
            img.GradientV(b, kAmber, kAmberLight, 6);
            img.Frame(b, kAmberDark);
            img.Fill({b.l + 1, b.t + 1, b.r - 1, b.t + 2}, kFaceDark);
            break;
    }
}

void DrawCaptionButton(Raster& img, Box b, State s, bool isClose) {
    Rgb top = kSlateLight, bottom = kSlate, line = kOutline;
    if (isClose) top = kRedLight, bottom = kRed, line = kRedDark;
    switch (s) {
        case State::Normal: break;
        case State::Hot: top = isClose ? Rgb{244, 150, 136} : kAmberLight, bottom = isClose ? kRedLight : kAmber; break;
        case State::Down: std::swap(top, bottom); line = isClose ? kRedDark : kAmberDark; break;
        case State::Disabled: top = Rgb{128, 146, 168}, bottom = Rgb{112, 128, 150}, line = Rgb{88, 100, 118}; break;
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
    img.Bevel(b, kFaceDark, kFaceLight);
    img.Frame({b.l + 1, b.t + 1, b.r - 1, b.b - 1}, focused ? kAmber : kFaceShadow);
}

void DrawRaised(Raster& img, Box b) {
    img.Fill(b, kFace);
    img.Bevel(b, kFaceLight, kFaceShadow);
}

void DrawSunken(Raster& img, Box b) {
    img.Fill(b, kFace);
    img.Bevel(b, kFaceShadow, kFaceLight);
}

const std::vector<std::string>& GlyphRows(GlyphKind kind) {
    static const std::map<GlyphKind, std::vector<std::string>> kGlyphs = {
        {GlyphKind::Close, {"##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###", "##....##"}},
        {GlyphKind::Maximize, {"########", "########", "#......#", "#......#", "#......#", "#......#", "########"}},
        {GlyphKind::Minimize, {"........", "........", "........", "........", "........", "######..", "######.."}},
        {GlyphKind::Restore, {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "######.."}},
        {GlyphKind::RollUp, {"...#...", "..###..", ".#####.", "#######"}},
        {GlyphKind::RollDown, {"#######", ".#####.", "..###..", "...#..."}},
        {GlyphKind::Tray, {"#......#", "#......#", "#......#", "#......#", "#.####.#", "#......#", "########"}},
        {GlyphKind::Puzzle, {"...##....", "...##....", "########.", "#......##", "#......##", "##.....#.", "##.....#.", "#......#.", "########."}},
        {GlyphKind::ArrowUp, {"...#...", "..###..", ".#####.", "#######"}},
        {GlyphKind::ArrowDown, {"#######", ".#####.", "..###..", "...#..."}},
        {GlyphKind::ArrowLeft, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}},
        {GlyphKind::ArrowRight, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}},
        {GlyphKind::Check, {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."}},
        {GlyphKind::Dots, {"#.#.#"}},
        {GlyphKind::Grip, {"#.#.#", ".....", "#.#.#", ".....", "#.#.#"}},
        {GlyphKind::GripV, {"#.#", "...", "#.#", "...", "#.#", "...", "#.#"}},
        {GlyphKind::Knob, {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."}},
    };
    return kGlyphs.at(kind);
}

void DrawGlyph(Raster& img, Box b, GlyphKind kind, Rgb colour) { img.Glyph(b, GlyphRows(kind), colour); }

Rgb GlyphInk(State s) { return s == State::Disabled ? kDisabledInk : kInk; }

}  // namespace skingen
