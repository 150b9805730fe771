#include "FrameObjects.h"

#include <array>
#include <cmath>

#include "Widgets.h"

namespace skingen {

namespace {

constexpr int kAnimateFrames = 8;
constexpr int kFrameGaugeFrames = 6;
constexpr int kRegulatorFrames = 12;
constexpr int kDigitWidth = 12, kDigitHeight = 16;  // one cell of the bitmap font
const std::array<std::string, 2> kSymbolLines = {"0123456789", "-:.%+"};

// 5 x 7 patterns of the bitmap font, drawn twice as large in each cell.
const std::vector<std::string>& DigitRows(char c) {
    static const std::vector<std::pair<char, std::vector<std::string>>> kRows = {
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
        {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
        {':', {".....", "..#..", "..#..", ".....", "..#..", "..#..", "....."}},
        {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
        {'%', {"##...", "##..#", "...#.", "..#..", ".#...", "#..##", "...##"}},
        {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    };
    for (const auto& [ch, rows] : kRows)
        if (ch == c) return rows;
    static const std::vector<std::string> kEmpty;
    return kEmpty;
}

const std::vector<std::string> kQuestion = {".###.", "#...#", "....#", "..##.",
                                            "..#..", ".....", "..#.."};

// The band's colour in a row of the window picture (the gradient DrawMain paints).
Rgb BandColour(const FrameGeometry& g, int mainY) {
    return Mix(Th().frame, Th().frameLight, (mainY - g.bandArea.t) * 6 / g.bandArea.h(), 9);
}

// Fills a cell of objects.bmp with the band ground that lies behind `place` in the
// window picture, so a state image copied over the place keeps the band around its
// rounded edges.
void FillGround(Raster& img, Box cell, Box place, const FrameGeometry& g) {
    for (int y = cell.t; y < cell.b; ++y)
        img.Fill({cell.l, y, cell.r, y + 1}, BandColour(g, place.t + y - cell.t));
}

Box Cell(Box at, Box size) { return {at.l, at.t, at.l + size.w(), at.t + size.h()}; }

void DrawSwitch(Raster& img, Box b, bool on) {
    img.RoundFill(b, b.h() / 2, on ? Th().hot : Th().frameDark);
    img.RoundFrame(b, b.h() / 2, Th().outline);
    const int d = b.h() - 4;
    const Box knob = on ? Box{b.r - 2 - d, b.t + 2, b.r - 2, b.b - 2}
                        : Box{b.l + 2, b.t + 2, b.l + 2 + d, b.b - 2};
    img.RoundFill(knob, d / 2, Th().faceLight);
    img.RoundFrame(knob, d / 2, on ? Th().hotDark : Th().faceShadow);
}

// Frame n (0-based) of the busy animation: eight dots on a ring, the lit one going round
// with a fading tail.
void DrawSpinner(Raster& img, Box b, int n) {
    const int cx = b.l + b.w() / 2, cy = b.t + b.h() / 2;
    static constexpr int kDx[8] = {0, 5, 7, 5, 0, -5, -7, -5};
    static constexpr int kDy[8] = {-7, -5, 0, 5, 7, 5, 0, -5};
    for (int i = 0; i < 8; ++i) {
        const int age = (n - i + 8) % 8;  // 0: the lit dot, 1 and 2: its tail
        const Rgb c = age == 0   ? Th().hotLight
                      : age == 1 ? Th().hot
                      : age == 2 ? Th().hotDark
                                 : Mix(Th().frame, Th().faceShadow, 1, 2);
        img.Fill({cx + kDx[i] - 1, cy + kDy[i] - 1, cx + kDx[i] + 2, cy + kDy[i] + 2}, c);
    }
}

void DrawHelpButton(Raster& img, Box b, State s) {
    DrawCaptionButton(img, b, s, false);
    img.Glyph(b, kQuestion, s == State::Normal ? kWhite : Th().ink);
}

void DrawLabelPlate(Raster& img, Box b, bool hot) {
    img.Fill(b, Th().frameDark);
    img.Frame(b, hot ? Th().hotDark : Th().outline);
    img.Fill({b.l + 1, b.b - 1, b.r - 1, b.b}, Th().frameLight);
}

void DrawDigitCell(Raster& img, Box cell, char c) {
    img.Fill(cell, Th().outline);
    const std::vector<std::string>& rows = DigitRows(c);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            if (rows[y][x] == '#')
                img.Fill({cell.l + 1 + 2 * x, cell.t + 1 + 2 * y, cell.l + 3 + 2 * x,
                          cell.t + 3 + 2 * y},
                         Th().hotLight);
}

void DrawTrack(Raster& img, Box b, bool filled) {
    const Box groove{b.l + 4, b.t + b.h() / 2 - 2, b.r - 4, b.t + b.h() / 2 + 2};
    img.Fill(groove, filled ? Th().hot : Th().frameDark);
    img.Frame(groove, Th().outline);
    img.Fill({groove.l + 1, groove.b - 1, groove.r - 1, groove.b},
             filled ? Th().hotLight : Th().frameLight);
}

void DrawThumb(Raster& img, Box b, bool hot) {
    img.GradientV(b, hot ? Th().hotLight : Th().faceLight, hot ? Th().hot : Th().face, 5);
    img.RoundFrame(b, 2, hot ? Th().hotDark : Th().outline);
    img.Fill({b.l + 3, b.t + 5, b.r - 3, b.t + 6}, hot ? Th().hotDark : Th().faceShadow);
    img.Fill({b.l + 3, b.t + 8, b.r - 3, b.t + 9}, hot ? Th().hotDark : Th().faceShadow);
    img.Fill({b.l + 3, b.t + 11, b.r - 3, b.t + 12}, hot ? Th().hotDark : Th().faceShadow);
}

void DrawGaugeBar(Raster& img, Box b, bool full) {
    if (full)
        img.GradientV(b, Th().progressLight, Th().progress, 4);
    else
        img.Fill(b, Th().frameDark);
    img.Frame(b, Th().outline);
}

// Frame n (0-based) of the signal gauge: n of five rising bars lit.
void DrawSignal(Raster& img, Box b, int n) {
    for (int i = 0; i < 5; ++i) {
        const int h = 4 + i * 3;
        const Box bar{b.l + 1 + i * 5, b.b - h, b.l + 5 + i * 5, b.b};
        img.Fill(bar, i < n ? Th().progressLight : Th().frameDark);
        img.Frame(bar, Th().outline);
    }
}

// Frame n (0-based) of the regulator knob: the pointer turns clockwise through 270
// degrees, from lower left (frame 0) to lower right (the last frame).
void DrawKnob(Raster& img, Box b, int n, int count) {
    const Box disc{b.l + 1, b.t + 1, b.r - 1, b.b - 1};
    for (int y = disc.t; y < disc.b; ++y) {
        const Rgb c = Mix(Th().faceLight, Th().faceShadow, (y - disc.t) * 5 / disc.h(), 5);
        for (int x = disc.l; x < disc.r; ++x)
            if (Raster::InsideRound(disc, disc.w() / 2, x, y)) img.Set(x, y, c);
    }
    img.RoundFrame(disc, disc.w() / 2, Th().outline);
    const double kPi = 3.14159265358979323846;
    const double angle = (225.0 - 270.0 * n / (count - 1)) * kPi / 180.0;
    const int cx = b.l + b.w() / 2, cy = b.t + b.h() / 2;
    const int px = cx + static_cast<int>(std::lround(6.0 * std::cos(angle)));
    const int py = cy - static_cast<int>(std::lround(6.0 * std::sin(angle)));
    img.Fill({px - 1, py - 1, px + 2, py + 2}, Th().hotDark);
}

void DrawWell(Raster& img, Box b) {
    img.Fill(b, Th().frameDark);
    img.Frame(b, Th().outline);
}

Section& Base(SkinBuild& skin, const std::string& name, const std::string& hint, Box skinRect,
              Box activeRect, int pictureIndex = kObjects) {
    return skin.text.Add(name)
        .Add("hint", hint)
        .Add("rollup", 0)
        .Add("activepictureindex", pictureIndex)
        .Add("skinrectinapicture", 0)
        .Add("cursorindex", -1)
        .Add("skinrect", R(skinRect))
        .Add("activeskinrect", R(activeRect))
        .Add("morphing", 0)
        .Add("morphkind", "mkdefault");
}

}  // namespace

BandPlaces BandPlacesOf(const FrameGeometry& g) {
    const int cy = (g.bandArea.t + g.bandArea.b) / 2;
    auto at = [cy](int left, int w, int h) {
        return Box{left, cy - h / 2, left + w, cy - h / 2 + h};
    };
    BandPlaces p;
    p.switchBox = at(16, 34, 18);
    p.animate = at(56, 18, 18);
    p.button = at(80, 18, 18);
    p.label = at(104, 76, 18);
    p.bitLabel = at(188, 4 * kDigitWidth, kDigitHeight);
    p.leftEnd = p.bitLabel.r + 6;
    const int right = g.width - 16;
    p.regulator = at(right - 22, 22, 22);
    p.frameGauge = at(p.regulator.l - 6 - 26, 26, 16);
    p.gauge = at(p.frameGauge.l - 6 - 60, 60, 10);
    p.trackBar = at(p.gauge.l - 6 - 100, 100, 18);
    p.userObject = at(p.trackBar.l - 6 - 24, 24, 18);
    p.rightStart = p.userObject.l - 2;
    return p;
}

void DrawBandObjects(Raster& main, const FrameGeometry& g) {
    const BandPlaces p = BandPlacesOf(g);
    DrawSwitch(main, p.switchBox, false);
    DrawSpinner(main, p.animate, 0);
    DrawHelpButton(main, p.button, State::Normal);
    DrawLabelPlate(main, p.label, false);
    // A bezel around the bitmap label; the label itself is drawn over the cells.
    const Box bezel{p.bitLabel.l - 2, p.bitLabel.t - 2, p.bitLabel.r + 2, p.bitLabel.b + 2};
    main.Fill(bezel, Th().outline);
    main.Frame(bezel, Th().frameDark);
    main.Fill({bezel.l + 1, bezel.b - 1, bezel.r - 1, bezel.b}, Th().frameLight);
    main.Fill(p.bitLabel, Th().outline);
    DrawWell(main, p.userObject);
    DrawTrack(main, p.trackBar, false);
    DrawGaugeBar(main, p.gauge, false);
    DrawSignal(main, p.frameGauge, 0);
    DrawKnob(main, p.regulator, 0, kRegulatorFrames);
}

std::vector<std::string> BandObjectEntries() {
    return {"switch1:switch",         "animate1:animate",
            "helpbutton:button",      "label1:label",
            "bitlabel1:bitlabel",     "userobject1:userobject",
            "trackbar1:trackbar",     "gauge1:gauge",
            "framegauge1:framegauge", "frameregulator1:frameregulator"};
}

void AddBandObjectSections(SkinBuild& skin) {
    const FrameGeometry& g = skin.frame;
    const BandPlaces p = BandPlacesOf(g);
    Raster img(300, 100, Th().frame);
    Packer pack(300, 100);

    const Box switchOn = pack.Place(p.switchBox.w(), p.switchBox.h());
    FillGround(img, switchOn, p.switchBox, g);
    DrawSwitch(img, switchOn, true);

    const Box spinner = pack.Place(kAnimateFrames * p.animate.w(), p.animate.h());
    FillGround(img, spinner, p.animate, g);
    for (int i = 0; i < kAnimateFrames; ++i)
        DrawSpinner(img, Cell({spinner.l + i * p.animate.w(), spinner.t}, p.animate), i);

    const std::vector<Box> buttonCells = pack.Strip(p.button.w(), p.button.h(), 2);
    for (const Box& b : buttonCells) FillGround(img, b, p.button, g);
    DrawHelpButton(img, buttonCells[0], State::Hot);
    DrawHelpButton(img, buttonCells[1], State::Down);

    const Box labelHot = pack.Place(p.label.w(), p.label.h());
    DrawLabelPlate(img, labelHot, true);

    const Box digits = pack.Place(10 * kDigitWidth, 2 * kDigitHeight);
    img.Fill(digits, Th().outline);
    for (int row = 0; row < 2; ++row)
        for (size_t col = 0; col < kSymbolLines[row].size(); ++col)
            DrawDigitCell(
                img,
                {digits.l + static_cast<int>(col) * kDigitWidth, digits.t + row * kDigitHeight,
                 digits.l + static_cast<int>(col + 1) * kDigitWidth,
                 digits.t + (row + 1) * kDigitHeight},
                kSymbolLines[row][col]);

    const Box trackFilled = pack.Place(p.trackBar.w(), p.trackBar.h());
    FillGround(img, trackFilled, p.trackBar, g);
    DrawTrack(img, trackFilled, true);
    const std::vector<Box> thumbs = pack.Strip(10, 16, 2);
    DrawThumb(img, thumbs[0], false);
    DrawThumb(img, thumbs[1], true);

    const Box gaugeFull = pack.Place(p.gauge.w(), p.gauge.h());
    DrawGaugeBar(img, gaugeFull, true);

    const Box signal = pack.Place(kFrameGaugeFrames * p.frameGauge.w(), p.frameGauge.h());
    FillGround(img, signal, p.frameGauge, g);
    for (int i = 0; i < kFrameGaugeFrames; ++i)
        DrawSignal(img, Cell({signal.l + i * p.frameGauge.w(), signal.t}, p.frameGauge), i);

    const Box knobs = pack.Place(kRegulatorFrames * p.regulator.w(), p.regulator.h());
    FillGround(img, knobs, p.regulator, g);
    for (int i = 0; i < kRegulatorFrames; ++i)
        DrawKnob(img, Cell({knobs.l + i * p.regulator.w(), knobs.t}, p.regulator), i,
                 kRegulatorFrames);
    img.SaveBmp8(skin.outDir + "/objects.bmp");

    Base(skin, "switch1", "Switch", p.switchBox, switchOn);
    Base(skin, "animate1", "Animation", p.animate, Cell({spinner.l, spinner.t}, p.animate))
        .Add("countframes", kAnimateFrames)
        .Add("cycle", 1)
        .Add("buttonstyle", 0)
        .Add("timerinterval", 80)
        .Add("command", "cmdefault");
    Base(skin, "helpbutton", "About this skin", p.button, buttonCells[0])
        .Add("downrect", R(buttonCells[1]))
        .Add("disableskinrsect", R(0, 0, 0, 0))
        .Add("groupindex", -1);
    Base(skin, "label1", "", p.label, labelHot)
        .Add("fontName", "Arial")
        .Add("fontheight", 13)
        .Add("fontstyle", "fsbold")
        .Add("fontcolor", C(kWhite))
        .Add("activefontcolor", C(Th().hotLight))
        .Add("alignment", "tacenter")
        .Add("textvalue", "Gallery");
    Section& bits = Base(skin, "bitlabel1", "", p.bitLabel, Cell({digits.l, digits.t}, p.bitLabel))
                        .Add("textvalue", "50%")
                        .Add("symbolwidth", kDigitWidth)
                        .Add("symbolheight", kDigitHeight)
                        .Add("symbolslinecount", static_cast<int>(kSymbolLines.size()));
    for (size_t i = 0; i < kSymbolLines.size(); ++i)
        bits.Add("symbolsline" + std::to_string(i), kSymbolLines[i]);
    // The program paints this area; only its place is read.
    skin.text.Add("userobject1")
        .Add("rollup", 0)
        .Add("cursorindex", -1)
        .Add("skinrect", R(p.userObject));
    const int trackY = p.trackBar.h() / 2;
    Base(skin, "trackbar1", "Track bar", p.trackBar, trackFilled)
        .Add("buttonrect", R(thumbs[0]))
        .Add("activebuttonrect", R(thumbs[1]))
        .Add("beginpoint", P(6, trackY))
        .Add("endpoint", P(p.trackBar.w() - 6, trackY))
        .Add("minvalue", 0)
        .Add("maxvalue", 100)
        .Add("mousedownchangevalue", 1);
    Base(skin, "gauge1", "Gauge", p.gauge, gaugeFull)
        .Add("minvalue", 0)
        .Add("maxvalue", 100)
        .Add("kind", "gkhorizontal");
    Base(skin, "framegauge1", "Frame gauge", p.frameGauge, signal)
        .Add("minvalue", 0)
        .Add("maxvalue", 100)
        .Add("countframes", kFrameGaugeFrames)
        .Add("framesplacement", "fphorizontal");
    Base(skin, "frameregulator1", "Drag to turn", p.regulator, knobs)
        .Add("minvalue", 0)
        .Add("maxvalue", 100)
        .Add("countframes", kRegulatorFrames)
        .Add("framesplacement", "fphorizontal")
        .Add("kind", "rkround");
}

}  // namespace skingen
