// The window frame (main picture and its mask), the popup and hint window frames, the
// popup menu items, the caption button images and the push-button mask.
#include <string>

#include "FrameObjects.h"
#include "SkinBuild.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {

constexpr int kWindowRadius = 7;
constexpr Rgb kGlyphOnSlate = kWhite;

// Frame places of the caption buttons that live in the main picture.
constexpr Box kSysMenuPlace{14, 8, 32, 26};
constexpr Box kRollUpPlace{36, 8, 54, 26};
constexpr Box kTrayPlace{56, 8, 74, 26};

void DrawMain(const SkinBuild& skin) {
    const FrameGeometry& g = skin.frame;
    const int w = g.width, h = g.height;
    const Box window = g.window;
    Raster img(w, h, Th().outline);
    Mask mask(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool inside = Raster::InsideRound(window, kWindowRadius, x, y);
            mask.Set(x, y, inside);
            if (inside) img.Set(x, y, Th().frame);
        }
    // Caption band: a vertical gradient, identical in every column so it tiles sideways.
    for (int y = 6; y < 33; ++y) {
        const Rgb c = Mix(Th().frameLight, Th().frame, (y - 6) * 9 / 26, 9);
        for (int x = 6; x < w - 6; ++x)
            if (Raster::InsideRound(window, kWindowRadius, x, y)) img.Set(x, y, c);
    }
    for (int x = 10; x < w - 10; ++x) img.Set(x, 6, Mix(Th().frameLight, kWhite, 1, 3));
    // The object band: the caption's gradient turned upside down, so the band reads as a
    // second bar of the frame; identical in every column as well.
    if (g.band > 0)
        for (int y = g.bandArea.t; y < g.bandArea.b; ++y) {
            const Rgb c =
                Mix(Th().frame, Th().frameLight, (y - g.bandArea.t) * 6 / g.bandArea.h(), 9);
            for (int x = 7; x < w - 7; ++x) img.Set(x, y, c);
        }
    // Side and bottom borders: a light inner line and a dark outer one.
    img.Fill({6, 33, 7, h - 7}, Th().frameLight);
    img.Fill({w - 7, 33, w - 6, h - 7}, Th().frameDark);
    img.Fill({9, h - 6, w - 9, h - 5}, Th().frameDark);
    img.RoundFrame(window, kWindowRadius, Th().outline);
    // Client area with a thin dark rim.
    img.Frame(g.clientRim, Th().frameDark);
    img.Fill(g.client, Th().face);
    // Caption buttons that keep their frame places.
    DrawCaptionButton(img, kSysMenuPlace, State::Normal, false);
    DrawGlyph(img, kSysMenuPlace, GlyphKind::Puzzle, kGlyphOnSlate);
    DrawCaptionButton(img, kRollUpPlace, State::Normal, false);
    DrawGlyph(img, kRollUpPlace, GlyphKind::RollUp, kGlyphOnSlate);
    DrawCaptionButton(img, kTrayPlace, State::Normal, false);
    DrawGlyph(img, kTrayPlace, GlyphKind::Tray, kGlyphOnSlate);
    // Size grip in the bottom-right corner.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) img.Set(w - 9 - 2 * j, h - 11 + 2 * i, Th().frameLight);
    if (g.band > 0) DrawBandObjects(img, g);
    img.SaveBmp8(skin.outDir + "/main.bmp");
    mask.SaveBmp1(skin.outDir + "/mask.bmp");
}

// active.bmp, 67 x 75: caption button states on a slate ground.
//   row y 4..22 : close down, close hot, close normal
//   row y 29..47: disabled plate, roll-up hot, roll-up down
//   row y 50..68: tray hot, tray down, roll-up restore (rolled-up form)
struct ActiveCells {
    Box closeDown{4, 4, 22, 22}, closeHot{24, 4, 42, 22}, closeNormal{44, 4, 62, 22};
    Box disabled{2, 29, 20, 47}, rollHot{22, 29, 40, 47}, rollDown{42, 29, 60, 47};
    Box trayHot{2, 50, 20, 68}, trayDown{22, 50, 40, 68}, rollRestore{42, 50, 60, 68};
};
constexpr ActiveCells kActiveCells{};

void DrawActive(const std::string& dir) {
    Raster img(67, 75, Th().frame);
    const ActiveCells& c = kActiveCells;
    DrawCaptionButton(img, c.closeDown, State::Down, true);
    DrawCaptionButton(img, c.closeHot, State::Hot, true);
    DrawCaptionButton(img, c.closeNormal, State::Normal, true);
    for (const Box& b : {c.closeDown, c.closeHot, c.closeNormal})
        DrawGlyph(img, b, GlyphKind::Close, kWhite);
    DrawCaptionButton(img, c.disabled, State::Disabled, false);
    DrawCaptionButton(img, c.rollHot, State::Hot, false);
    DrawGlyph(img, c.rollHot, GlyphKind::RollUp, Th().ink);
    DrawCaptionButton(img, c.rollDown, State::Down, false);
    DrawGlyph(img, c.rollDown, GlyphKind::RollUp, Th().ink);
    DrawCaptionButton(img, c.trayHot, State::Hot, false);
    DrawGlyph(img, c.trayHot, GlyphKind::Tray, Th().ink);
    DrawCaptionButton(img, c.trayDown, State::Down, false);
    DrawGlyph(img, c.trayDown, GlyphKind::Tray, Th().ink);
    DrawCaptionButton(img, c.rollRestore, State::Normal, false);
    DrawGlyph(img, c.rollRestore, GlyphKind::RollDown, kGlyphOnSlate);
    img.SaveBmp8(dir + "/active.bmp");
}

// pw.bmp, 99 x 63: the popup menu window, a paper face in a slate rim.
void DrawPopupWindow(const std::string& dir) {
    Raster img(99, 63, Th().face);
    img.Frame({0, 0, 99, 63}, Th().outline);
    img.Bevel({1, 1, 98, 62}, Th().faceLight, Th().faceShadow);
    img.Fill({2, 2, 97, 3}, Th().frameLight);  // a slate top line, the theme's signature
    img.SaveBmp8(dir + "/pw.bmp");
}

// menuitems.bmp, 50 x 118: highlighted item (0,0,50,22), normal item (0,22,48,44),
// divider (0,57,49,62).
void DrawMenuItems(const std::string& dir) {
    Raster img(50, 118, Th().face);
    img.GradientV({0, 0, 50, 22}, Th().hotLight, Th().hot, 6);
    img.Frame({0, 0, 50, 22}, Th().hotDark);
    img.Fill({0, 22, 48, 44}, Th().face);
    img.Fill({0, 22, 6, 44}, Mix(Th().face, Th().frameLight, 1, 4));  // icon column
    img.Fill({0, 57, 49, 62}, Th().face);
    img.Fill({0, 57, 6, 62}, Mix(Th().face, Th().frameLight, 1, 4));
    img.Fill({10, 59, 49, 60}, Th().faceShadow);
    img.Fill({10, 60, 49, 61}, Th().faceLight);
    img.SaveBmp8(dir + "/menuitems.bmp");
}

// hw.bmp, 35 x 19: the hint window, cream with a slate rim and rounded corners.
void DrawHintWindow(const std::string& dir) {
    Raster img(35, 19, Th().hintFace);
    img.Fill({0, 0, 35, 19}, Th().hintFace);
    img.Frame({0, 0, 35, 19}, Th().frame);
    img.Fill({1, 1, 34, 2}, kWhite);
    img.SaveBmp8(dir + "/hw.bmp");
}

// mdibg.bmp, 48 x 48: the tile behind MDI children, the face tinted with the frame colour
// and a faint puzzle piece, so the client area of an MDI parent reads as a desk.
void DrawMdiBackground(const std::string& dir) {
    Raster img(48, 48, Mix(Th().face, Th().frameLight, 1, 5));
    const Rgb mark = Mix(Th().face, Th().frameLight, 2, 5);
    DrawGlyph(img, {0, 0, 24, 24}, GlyphKind::Puzzle, mark);
    DrawGlyph(img, {24, 24, 48, 48}, GlyphKind::Puzzle, mark);
    img.SaveBmp8(dir + "/mdibg.bmp");
}

void DrawButtonMask(const std::string& dir) {
    Mask mask(51, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 51; ++x) mask.Set(x, y, Raster::InsideRound({0, 0, 51, 23}, 3, x, y));
    mask.SaveBmp1(dir + "/buttonmask.bmp");
}

}  // namespace

FrameGeometry FrameGeometryOf(const SkinTheme& theme) {
    FrameGeometry g;
    g.width = theme.mainWidth;
    g.height = theme.mainHeight;
    g.band = theme.objectBand;
    const int w = g.width, h = g.height;
    g.window = {5, 5, w - 5, h - 4};
    g.clientRim = {12, 32, w - 12, h - 12 - g.band};
    g.client = {13, 33, w - 13, h - 13 - g.band};
    g.buttons = {w - 71, 7, w - 11, 26};
    if (g.band > 0) g.bandArea = {7, g.clientRim.b, w - 7, h - 7};
    g.bottomY = g.client.b - 5;
    return g;
}

void BuildFramePictures(SkinBuild& skin) {
    const std::string& dir = skin.outDir;
    const FrameGeometry& g = skin.frame;
    const bool objects = g.band > 0;
    DrawMain(skin);
    DrawActive(dir);
    DrawPopupWindow(dir);
    DrawMenuItems(dir);
    DrawHintWindow(dir);
    DrawButtonMask(dir);
    if (objects) DrawMdiBackground(dir);

    SkinText& t = skin.text;
    t.Add("VERSION")
        .Add("ver", "1")
        .Add("skinname", skin.theme.skinName)
        .Add("skinauthor", "The Puzzlebin developers")
        .Add("authoremail", "skins@puzzlebin.example")
        .Add("authorurl", "https://puzzlebin.example/")
        .Add("skincomments", skin.theme.comments);
    Section& pictures = t.Add("PICTURES")
                            .Add("picture", "main.bmp")
                            .Add("mask", "mask.bmp")
                            .Add("rolluppicture", "")
                            .Add("rollupmask", "")
                            .Add("activepicturescount", objects ? 8 : 6)
                            .Add("0", "pw.bmp")
                            .Add("1", "menuitems.bmp")
                            .Add("2", "active.bmp")
                            .Add("3", "controls.bmp")
                            .Add("4", "hw.bmp")
                            .Add("5", "buttonmask.bmp");
    if (objects) pictures.Add("6", "objects.bmp").Add("7", "mdibg.bmp");
    const BandPlaces band = objects ? BandPlacesOf(g) : BandPlaces{};
    t.Add("FORMINFO")
        .Add("lefttoppoint", P(98, 37))
        // The right top corner holds the caption buttons, so it keeps their width whatever
        // the picture's; the caption reaches into it and so grows with the window.
        .Add("righttoppoint", P(g.buttons.l - 27, 34))
        .Add("leftbottompoint", P(objects ? band.leftEnd : 17, g.bottomY))
        .Add("rightbottompoint", P(objects ? band.rightStart : g.client.r, g.bottomY))
        .Add("clientrect", R(g.client))
        .Add("bgpictureindex", -1)
        .Add("mdibgpictureindex", objects ? kMdiBackground : -1)
        .Add("leftstretch", 0)
        .Add("rightstretch", 0)
        .Add("topstretch", 0)
        .Add("bottomstretch", 0)
        .Add("buttonsrect", R(g.buttons))
        .Add("captionrect", R(0, 0, 0, 0))
        .Add("buttonsoffset", 2)
        .Add("buttonsinleft", 0)
        // The inner rectangle of the shape leaves out the rounded corners, so the corners
        // come from the mask strips and the bands beside the edges are where the probes
        // of the hit test find the window's border.
        .Add("maskrectarea", R(g.window.l + kWindowRadius, g.window.t + kWindowRadius,
                               g.window.r - kWindowRadius, g.window.b - kWindowRadius))
        .Add("hittestlefttoppoint", P(12, 11))
        .Add("hittestrighttoppoint", P(g.width - 13, 12))
        .Add("hittestleftbottompoint", P(13, g.height - 16))
        .Add("hittestrightbottompoint", P(g.width - 18, g.height - 16))
        .Add("rollupleftpoint", P(0, 0))
        .Add("rolluprightpoint", P(0, 0))
        .Add("mainmenurect", R(0, 0, 0, 0))
        .Add("iconrect", R(0, 0, 0, 0))
        .Add("mainmenupopupup", 0)
        .Add("borderwidth", 3)
        .Add("cursorindex", -1)
        .Add("autorenderinginactiveimage", 0)
        .Add("inactiveeffect", "iegrayscale")
        .Add("formminwidth", objects ? g.width - (band.rightStart - band.leftEnd) : 160);
    t.Add("POPUPWINDOW")
        .Add("windowpictureindex", kPw)
        .Add("maskpictureindex", -1)
        .Add("lefttoppoint", P(8, 8))
        .Add("righttoppoint", P(91, 8))
        .Add("leftbottompoint", P(8, 55))
        .Add("rightbottompoint", P(91, 55))
        .Add("cursorindex", -1)
        .Add("itemsrect", R(3, 4, 96, 60))
        .Add("scrollmarkercolor", C(Th().faceDark))
        .Add("scrollmarkeractivecolor", C(Th().hotDark))
        .Add("leftstretch", 0)
        .Add("rightstretch", 0)
        .Add("topstretch", 0)
        .Add("bottomstretch", 0);
    t.Add("HINTWINDOW")
        .Add("windowpictureindex", kHw)
        .Add("maskpictureindex", -1)
        .Add("lefttoppoint", P(4, 4))
        .Add("righttoppoint", P(31, 4))
        .Add("leftbottompoint", P(4, 15))
        .Add("rightbottompoint", P(31, 15))
        .Add("clientrect", R(3, 2, 32, 17))
        .Add("fontname", "Arial")
        .Add("fontheight", 14)
        .Add("fontstyle", "")
        .Add("fontcolor", C(Th().ink))
        .Add("leftstretch", 0)
        .Add("rightstretch", 0)
        .Add("topstretch", 0)
        .Add("bottomstretch", 0);
}

// Object sections that draw from the main picture, active.bmp and menuitems.bmp; the
// rest (maximise, minimise, system menu, menu bar) draw into controls.bmp.
void AddFrameObjectSections(SkinBuild& skin) {
    SkinText& t = skin.text;
    const ActiveCells& c = kActiveCells;
    const FrameGeometry& g = skin.frame;
    t.Add("MENUITEM")
        .Add("hint", "")
        .Add("rollup", 0)
        .Add("activepictureindex", kMenuItems)
        .Add("skinrectinapicture", 0)
        .Add("cursorindex", -1)
        .Add("skinrect", R(0, 22, 48, 44))
        .Add("activeskinrect", R(0, 0, 50, 22))
        .Add("morphing", 0)
        .Add("morphkind", "mkdefault")
        .Add("itemleftoffset", 10)
        .Add("itemrightoffset", 15)
        .Add("dividerrect", R(0, 57, 49, 62))
        .Add("dividerleftoffset", 10)
        .Add("dividerrightoffset", 0)
        .Add("textrect", R(5, 1, 33, 19))
        .Add("fontname", "Arial")
        .Add("fontheight", 14)
        .Add("fontstyle", "")
        .Add("fontcolor", 0)
        .Add("activefontcolor", 0)
        .Add("unenabledfontcolor", 8421504);
    t.Add("caption1")
        .Add("hint", "")
        .Add("rollup", 0)
        .Add("activepictureindex", -1)
        .Add("skinrectinapicture", 0)
        .Add("cursorindex", -1)
        .Add("skinrect", R(77, 4, g.buttons.l - 5, 28))
        .Add("activeskinrect", R(0, 0, 0, 0))
        .Add("morphing", 1)
        .Add("morphkind", "mkgradient")
        .Add("defaultcaption", 1)
        .Add("textrect", R(12, 3, g.buttons.l - 5 - 77 - 12, 20))
        .Add("fontname", "Arial")
        .Add("fontheight", 16)
        .Add("fontstyle", "fsbold")
        .Add("fontcolor", 8421504)
        .Add("activefontcolor", 16777215)
        .Add("alignment", "tacenter")
        .Add("shadow", 1)
        .Add("shadowcolor", 0)
        .Add("activeshadowcolor", 0)
        .Add("framerect", R(0, 0, 0, 0))
        .Add("activeframerect", R(0, 0, 0, 0))
        .Add("frametextrect", R(0, 0, 0, 0))
        .Add("frameleftoffset", 0)
        .Add("framerightoffset", 0);
    t.Add("closebutton")
        .Add("hint", "Close")
        .Add("rollup", 0)
        .Add("activepictureindex", kActive)
        .Add("skinrectinapicture", 1)
        .Add("cursorindex", -1)
        .Add("skinrect", R(c.closeNormal))
        .Add("activeskinrect", R(c.closeHot))
        .Add("morphing", 1)
        .Add("morphkind", "mkdefault")
        .Add("downrect", R(c.closeDown))
        .Add("disableskinrsect", R(0, 0, 0, 0))
        .Add("groupindex", -1)
        .Add("command", "cmclose")
        .Add("restorerect", R(0, 0, 0, 0))
        .Add("restoreactiverect", R(0, 0, 0, 0))
        .Add("restoredownrect", R(0, 0, 0, 0));
}

void AddFramePlaceButton(SkinBuild& skin, const std::string& name, const std::string& command,
                         const std::string& hint) {
    const ActiveCells& c = kActiveCells;
    const bool roll = command == "cmrollup";
    skin.text.Add(name)
        .Add("hint", hint)
        .Add("rollup", 0)
        .Add("activepictureindex", kActive)
        .Add("skinrectinapicture", 0)
        .Add("cursorindex", -1)
        .Add("skinrect", R(roll ? kRollUpPlace : kTrayPlace))
        .Add("activeskinrect", R(roll ? c.rollHot : c.trayHot))
        .Add("morphing", 1)
        .Add("morphkind", "mkdefault")
        .Add("downrect", R(roll ? c.rollDown : c.trayDown))
        .Add("disableskinrsect", R(c.disabled))
        .Add("groupindex", -1)
        .Add("command", command)
        .Add("restorerect", R(roll ? c.rollRestore : Box{}))
        .Add("restoreactiverect", R(0, 0, 0, 0))
        .Add("restoredownrect", R(0, 0, 0, 0));
}

Box SysMenuPlace() { return kSysMenuPlace; }

}  // namespace skingen
