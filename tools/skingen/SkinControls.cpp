// [SKINCONTROLS]: one section per skinned control kind. Images are drawn into controls.bmp
// once and shared between the sections that look alike (tool and status variants).
#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FixedControls.h"
#include "SkinBuild.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {

constexpr Box kNone{};

struct States {
    Box normal, hot, down, disabled;
};

// Every image the sections point at, drawn before the sections are written.
struct Images {
    States button, toolButton, bigToolButton, toolMenuButton, bigToolMenuButton;
    Box checkOn, checkOff, checkOnHot, checkOffHot, checkOnOff, checkOffOff;  // ...Off = disabled
    Box radioOn, radioOff, radioOnHot, radioOffHot, radioOnOff, radioOffOff;
    Box checkPlate, checkPlateHot;
    Box gauge, gaugeBar, vgauge, vgaugeBar;
    Box hTrack, vTrack, hThumb, hThumbHot, vThumb, vThumbHot;
    Box field, fieldFocused;
    States editButton, comboButton;
    Box buttonEdit, buttonEditFocused, combo, comboFocused;
    Box spin, spinFocused, spinUpHot, spinUpDown, spinDownHot, spinDownDown;
    Box vScroll, hScroll, bothHScroll;
    Box upHot, upDown, downHot, downDown, leftHot, leftDown, rightHot, rightDown;
    Box vThumbBar, vThumbBarHot, vThumbBarDown, hThumbBar, hThumbBarHot, hThumbBarDown;
    Box gripV, gripVHot, gripVDown, gripH, gripHHot, gripHDown;
    Box list, captionList, item, itemHot, itemFocus;
    Box groupBox, statusBar, statusPanel, toolPanel, bigToolPanel, resizeToolPanel;
    Box hUpDown, vUpDown;
    Box cell, cellSelect, cellFocus, fixedCell;
    Box menuBar, controlBar, controlBarItem, vSplitter, hSplitter, scrollBox, sunkenWhite;
    Box hRuler, vRuler, sliderHThumb, sliderVThumb;
};

void DrawStates(const std::vector<Box>& cells, States& out,
                const std::function<void(Box, State)>& draw) {
    const State all[] = {State::Normal, State::Hot, State::Down, State::Disabled};
    for (int i = 0; i < 4; ++i) draw(cells[i], all[i]);
    out = {cells[0], cells[1], cells[2], cells[3]};
}

void DrawCheck(Raster& img, Box b, bool on, State s, bool radio) {
    const Rgb ring = s == State::Hot        ? Th().hotDark
                     : s == State::Disabled ? Th().disabled
                                            : Th().faceDark;
    const Rgb face = s == State::Disabled ? Th().face : s == State::Hot ? Th().hotLight : kWhite;
    if (radio) {
        img.Fill(b, Th().face);
        img.RoundFill(b, 6, face);
        img.RoundFrame(b, 6, ring);
        if (on)
            img.RoundFill({b.l + 4, b.t + 4, b.r - 4, b.b - 4}, 2,
                          s == State::Disabled ? Th().disabledInk : Th().frameDark);
    } else {
        img.Fill(b, face);
        img.Frame(b, ring);
        if (on)
            DrawGlyph(img, b, GlyphKind::Check,
                      s == State::Disabled ? Th().disabledInk : Th().frameDark);
    }
}

void DrawArrowButton(Raster& img, Box b, GlyphKind arrow, State s) {
    DrawToolButton(img, b, s == State::Normal ? State::Hot : s);
    if (s == State::Normal) DrawRaised(img, b);
    DrawGlyph(img, b, arrow, GlyphInk(s));
}

void DrawScrollBar(Raster& img, Box b, bool vertical) {
    img.GradientH(b, Mix(Th().face, Th().faceShadow, 1, 3), Th().face, 4);
    img.Frame(b, Th().faceShadow);
    const Box first = vertical ? Box{b.l, b.t, b.r, b.t + 16} : Box{b.l, b.t, b.l + 16, b.b};
    const Box last = vertical ? Box{b.l, b.b - 16, b.r, b.b} : Box{b.r - 16, b.t, b.r, b.b};
    DrawArrowButton(img, first, vertical ? GlyphKind::ArrowUp : GlyphKind::ArrowLeft,
                    State::Normal);
    DrawArrowButton(img, last, vertical ? GlyphKind::ArrowDown : GlyphKind::ArrowRight,
                    State::Normal);
}

void DrawThumb(Raster& img, Box b, State s, bool vertical) {
    const Rgb top = s == State::Normal ? Th().frameLight
                    : s == State::Hot  ? Th().hotLight
                                       : Th().hot;
    const Rgb bottom = s == State::Normal ? Th().frame : s == State::Hot ? Th().hot : Th().hotLight;
    if (vertical)
        img.GradientH(b, top, bottom, 6);
    else
        img.GradientV(b, top, bottom, 6);
    img.RoundFrame(b, 2, s == State::Normal ? Th().outline : Th().hotDark);
}

Images DrawImages(SkinBuild& skin) {
    Raster& img = skin.controls;
    Packer& pack = skin.pack;
    Images im;
    DrawStates(pack.Strip(51, 23, 4), im.button, [&](Box b, State s) { DrawButton(img, b, s); });
    DrawStates(pack.Strip(40, 22, 4), im.toolButton,
               [&](Box b, State s) { DrawToolButton(img, b, s); });
    DrawStates(pack.Strip(48, 22, 4), im.toolMenuButton, [&](Box b, State s) {
        DrawToolButton(img, b, s);
        if (s != State::Normal && s != State::Disabled)
            img.Fill({b.r - 13, b.t + 3, b.r - 12, b.b - 3}, Th().hotDark);
        DrawGlyph(img, {b.r - 12, b.t, b.r, b.b}, GlyphKind::ArrowDown, GlyphInk(s));
    });
    DrawStates(pack.Strip(40, 38, 4), im.bigToolButton,
               [&](Box b, State s) { DrawToolButton(img, b, s); });
    DrawStates(pack.Strip(40, 38, 4), im.bigToolMenuButton, [&](Box b, State s) {
        DrawToolButton(img, b, s);
        DrawGlyph(img, {b.r - 12, b.b - 12, b.r, b.b}, GlyphKind::ArrowDown, GlyphInk(s));
    });
    auto checks = pack.Strip(13, 13, 12);
    const State cs[] = {State::Normal, State::Normal,   State::Hot,
                        State::Hot,    State::Disabled, State::Disabled};
    for (int i = 0; i < 6; ++i) DrawCheck(img, checks[i], i % 2 == 0, cs[i], false);
    for (int i = 0; i < 6; ++i) DrawCheck(img, checks[6 + i], i % 2 == 0, cs[i], true);
    im.checkOn = checks[0], im.checkOff = checks[1], im.checkOnHot = checks[2],
    im.checkOffHot = checks[3];
    im.checkOnOff = checks[4], im.checkOffOff = checks[5];
    im.radioOn = checks[6], im.radioOff = checks[7], im.radioOnHot = checks[8],
    im.radioOffHot = checks[9];
    im.radioOnOff = checks[10], im.radioOffOff = checks[11];
    auto plates = pack.Strip(80, 17, 2);
    im.checkPlate = plates[0], im.checkPlateHot = plates[1];
    img.Fill(im.checkPlate, Th().face);
    img.Fill(im.checkPlateHot, Mix(Th().face, Th().hotLight, 1, 2));

    im.gauge = pack.Place(80, 16);
    DrawSunken(img, im.gauge);
    im.gaugeBar = pack.Place(20, 12);
    img.GradientV(im.gaugeBar, Th().progressLight, Th().progress, 6);
    im.vgauge = pack.Place(16, 80);
    DrawSunken(img, im.vgauge);
    im.vgaugeBar = pack.Place(12, 20);
    img.GradientH(im.vgaugeBar, Th().progressLight, Th().progress, 6);

    im.hTrack = pack.Place(80, 20);
    img.Fill(im.hTrack, Th().face);
    DrawSunken(img, {im.hTrack.l + 5, im.hTrack.t + 8, im.hTrack.r - 5, im.hTrack.t + 12});
    im.vTrack = pack.Place(20, 80);
    img.Fill(im.vTrack, Th().face);
    DrawSunken(img, {im.vTrack.l + 8, im.vTrack.t + 5, im.vTrack.l + 12, im.vTrack.b - 5});
    auto thumbs = pack.Strip(11, 18, 2);
    im.hThumb = thumbs[0], im.hThumbHot = thumbs[1];
    DrawThumb(img, im.hThumb, State::Normal, true);
    DrawThumb(img, im.hThumbHot, State::Hot, true);
    auto vthumbs = pack.Strip(18, 11, 2);
    im.vThumb = vthumbs[0], im.vThumbHot = vthumbs[1];
    DrawThumb(img, im.vThumb, State::Normal, false);
    DrawThumb(img, im.vThumbHot, State::Hot, false);

    auto fields = pack.Strip(80, 20, 2);
    im.field = fields[0], im.fieldFocused = fields[1];
    DrawField(img, im.field, false);
    DrawField(img, im.fieldFocused, true);
    auto drawFieldWithButton = [&](Box b, bool focused, GlyphKind glyph) {
        DrawField(img, b, focused);
        const Box button{b.r - 18, b.t + 2, b.r - 2, b.b - 2};
        DrawArrowButton(img, button, glyph, State::Normal);
    };
    auto be = pack.Strip(80, 20, 2);
    im.buttonEdit = be[0], im.buttonEditFocused = be[1];
    drawFieldWithButton(im.buttonEdit, false, GlyphKind::Dots);
    drawFieldWithButton(im.buttonEditFocused, true, GlyphKind::Dots);
    auto cb = pack.Strip(80, 20, 2);
    im.combo = cb[0], im.comboFocused = cb[1];
    drawFieldWithButton(im.combo, false, GlyphKind::ArrowDown);
    drawFieldWithButton(im.comboFocused, true, GlyphKind::ArrowDown);
    DrawStates(pack.Strip(16, 16, 4), im.editButton,
               [&](Box b, State s) { DrawArrowButton(img, b, GlyphKind::Dots, s); });
    DrawStates(pack.Strip(16, 16, 4), im.comboButton,
               [&](Box b, State s) { DrawArrowButton(img, b, GlyphKind::ArrowDown, s); });

    auto spins = pack.Strip(80, 20, 2);
    im.spin = spins[0], im.spinFocused = spins[1];
    for (Box b : spins) {
        DrawField(img, b, b.l == im.spinFocused.l);
        DrawArrowButton(img, {b.r - 15, b.t + 2, b.r - 2, b.t + 10}, GlyphKind::ArrowUp,
                        State::Normal);
        DrawArrowButton(img, {b.r - 15, b.t + 10, b.r - 2, b.b - 2}, GlyphKind::ArrowDown,
                        State::Normal);
    }
    auto spinCells = pack.Strip(13, 8, 4);
    im.spinUpHot = spinCells[0], im.spinUpDown = spinCells[1], im.spinDownHot = spinCells[2],
    im.spinDownDown = spinCells[3];
    DrawArrowButton(img, im.spinUpHot, GlyphKind::ArrowUp, State::Hot);
    DrawArrowButton(img, im.spinUpDown, GlyphKind::ArrowUp, State::Down);
    DrawArrowButton(img, im.spinDownHot, GlyphKind::ArrowDown, State::Hot);
    DrawArrowButton(img, im.spinDownDown, GlyphKind::ArrowDown, State::Down);

    im.vScroll = pack.Place(16, 70);
    DrawScrollBar(img, im.vScroll, true);
    im.hScroll = pack.Place(70, 16);
    DrawScrollBar(img, im.hScroll, false);
    im.bothHScroll = pack.Place(54, 16);
    DrawScrollBar(img, im.bothHScroll, false);
    auto arrows = pack.Strip(16, 16, 8);
    im.upHot = arrows[0], im.upDown = arrows[1], im.downHot = arrows[2], im.downDown = arrows[3];
    im.leftHot = arrows[4], im.leftDown = arrows[5], im.rightHot = arrows[6],
    im.rightDown = arrows[7];
    const GlyphKind ag[] = {GlyphKind::ArrowUp, GlyphKind::ArrowDown, GlyphKind::ArrowLeft,
                            GlyphKind::ArrowRight};
    for (int i = 0; i < 8; ++i)
        DrawArrowButton(img, arrows[i], ag[i / 2], i % 2 == 0 ? State::Hot : State::Down);
    auto vt = pack.Strip(16, 30, 3);
    im.vThumbBar = vt[0], im.vThumbBarHot = vt[1], im.vThumbBarDown = vt[2];
    auto ht = pack.Strip(30, 16, 3);
    im.hThumbBar = ht[0], im.hThumbBarHot = ht[1], im.hThumbBarDown = ht[2];
    const State ts[] = {State::Normal, State::Hot, State::Down};
    for (int i = 0; i < 3; ++i) {
        DrawThumb(img, vt[i], ts[i], true);
        DrawThumb(img, ht[i], ts[i], false);
    }
    auto grips = pack.Strip(8, 8, 6);
    im.gripV = grips[0], im.gripVHot = grips[1], im.gripVDown = grips[2];
    im.gripH = grips[3], im.gripHHot = grips[4], im.gripHDown = grips[5];
    for (int i = 0; i < 6; ++i) {
        img.Fill(grips[i], i % 3 == 0 ? Th().frame : Th().hot);
        DrawGlyph(img, grips[i], i < 3 ? GlyphKind::Grip : GlyphKind::Grip,
                  i % 3 == 0 ? Th().frameLight : Th().hotDark);
    }

    im.list = pack.Place(80, 60);
    DrawField(img, im.list, false);
    im.captionList = pack.Place(80, 76);
    DrawField(img, im.captionList, false);
    img.GradientV(
        {im.captionList.l + 2, im.captionList.t + 2, im.captionList.r - 2, im.captionList.t + 18},
        Th().frameLight, Th().frame, 6);
    auto items = pack.Strip(60, 16, 3);
    im.item = items[0], im.itemHot = items[1], im.itemFocus = items[2];
    img.Fill(im.item, kWhite);
    img.GradientV(im.itemHot, Th().hotLight, Mix(Th().hotLight, Th().hot, 1, 2), 4);
    img.GradientV(im.itemFocus, Th().frameLight, Th().frame, 4);

    im.groupBox = pack.Place(80, 50);
    img.Fill(im.groupBox, Th().face);
    img.Frame({im.groupBox.l, im.groupBox.t + 8, im.groupBox.r - 1, im.groupBox.b - 1},
              Th().faceShadow);
    img.Frame({im.groupBox.l + 1, im.groupBox.t + 9, im.groupBox.r, im.groupBox.b}, Th().faceLight);
    img.Fill({im.groupBox.l + 6, im.groupBox.t, im.groupBox.r - 6, im.groupBox.t + 17}, Th().face);
    im.statusBar = pack.Place(60, 20);
    DrawRaised(img, im.statusBar);
    im.statusPanel = pack.Place(60, 18);
    DrawSunken(img, im.statusPanel);
    im.toolPanel = pack.Place(60, 26);
    img.GradientV(im.toolPanel, Th().faceLight, Th().face, 6);
    img.Bevel(im.toolPanel, kWhite, Th().faceShadow);
    im.bigToolPanel = pack.Place(60, 46);
    img.GradientV(im.bigToolPanel, Th().faceLight, Th().face, 8);
    img.Bevel(im.bigToolPanel, kWhite, Th().faceShadow);
    im.resizeToolPanel = pack.Place(60, 26);
    img.GradientV(im.resizeToolPanel, Th().faceLight, Th().face, 6);
    img.Bevel(im.resizeToolPanel, kWhite, Th().faceShadow);
    DrawGlyph(img,
              {im.resizeToolPanel.l + 2, im.resizeToolPanel.t, im.resizeToolPanel.l + 8,
               im.resizeToolPanel.b},
              GlyphKind::GripV, Th().faceDark);

    im.hUpDown = pack.Place(32, 16);
    DrawArrowButton(img, {im.hUpDown.l, im.hUpDown.t, im.hUpDown.l + 16, im.hUpDown.b},
                    GlyphKind::ArrowLeft, State::Normal);
    DrawArrowButton(img, {im.hUpDown.l + 16, im.hUpDown.t, im.hUpDown.r, im.hUpDown.b},
                    GlyphKind::ArrowRight, State::Normal);
    im.vUpDown = pack.Place(16, 32);
    DrawArrowButton(img, {im.vUpDown.l, im.vUpDown.t, im.vUpDown.r, im.vUpDown.t + 16},
                    GlyphKind::ArrowUp, State::Normal);
    DrawArrowButton(img, {im.vUpDown.l, im.vUpDown.t + 16, im.vUpDown.r, im.vUpDown.b},
                    GlyphKind::ArrowDown, State::Normal);

    auto cells = pack.Strip(40, 18, 4);
    im.cell = cells[0], im.cellSelect = cells[1], im.cellFocus = cells[2], im.fixedCell = cells[3];
    img.Fill(im.cell, kWhite);
    img.Fill(im.cellSelect, Th().hotLight);
    img.GradientV(im.cellFocus, Th().frameLight, Th().frame, 4);
    DrawRaised(img, im.fixedCell);

    im.menuBar = pack.Place(60, 20);
    img.GradientV(im.menuBar, Th().faceLight, Th().face, 4);
    img.Fill({im.menuBar.l, im.menuBar.b - 1, im.menuBar.r, im.menuBar.b}, Th().faceShadow);
    im.controlBar = pack.Place(60, 34);
    DrawSunken(img, im.controlBar);
    im.controlBarItem = pack.Place(60, 26);
    img.GradientV(im.controlBarItem, Th().faceLight, Th().face, 6);
    img.Bevel(im.controlBarItem, kWhite, Th().faceShadow);
    DrawGlyph(img,
              {im.controlBarItem.l + 1, im.controlBarItem.t, im.controlBarItem.l + 7,
               im.controlBarItem.b},
              GlyphKind::GripV, Th().faceDark);
    im.vSplitter = pack.Place(6, 40);
    img.Fill(im.vSplitter, Th().face);
    DrawGlyph(img, im.vSplitter, GlyphKind::GripV, Th().faceDark);
    im.hSplitter = pack.Place(40, 6);
    img.Fill(im.hSplitter, Th().face);
    DrawGlyph(img, im.hSplitter, GlyphKind::Dots, Th().faceDark);
    im.scrollBox = pack.Place(40, 40);
    DrawSunken(img, im.scrollBox);

    im.hRuler = pack.Place(80, 8);
    img.Fill(im.hRuler, Th().face);
    DrawSunken(img, {im.hRuler.l, im.hRuler.t + 2, im.hRuler.r, im.hRuler.t + 6});
    im.vRuler = pack.Place(8, 80);
    img.Fill(im.vRuler, Th().face);
    DrawSunken(img, {im.vRuler.l + 2, im.vRuler.t, im.vRuler.l + 6, im.vRuler.b});
    im.sliderHThumb = pack.Place(11, 18);
    DrawThumb(img, im.sliderHThumb, State::Normal, true);
    im.sliderVThumb = pack.Place(18, 11);
    DrawThumb(img, im.sliderVThumb, State::Normal, false);
    return im;
}

// --- section writers ---

Section& Base(SkinBuild& skin, const std::string& name, Box skinRect, int mask = -1) {
    return skin.text.Add(name)
        .Add("pictureindex", kControls)
        .Add("maskpictureindex", mask)
        .Add("cursorindex", -1)
        .Add("skinrect", R(skinRect));
}

Section& Points(SkinBuild& skin, const std::string& name, Box r, std::array<int, 8> pts, Box client,
                int mask = -1) {
    return Base(skin, name, r, mask)
        .Add("lefttoppoint", P(pts[0], pts[1]))
        .Add("righttoppoint", P(pts[2], pts[3]))
        .Add("leftbottompoint", P(pts[4], pts[5]))
        .Add("rightbottompoint", P(pts[6], pts[7]))
        .Add("clientrect", R(client));
}

// Corner points `corner` pixels in from each corner; client area `inset` pixels in.
Section& Custom(SkinBuild& skin, const std::string& name, Box r, int corner, int inset,
                int mask = -1) {
    const int w = r.w(), h = r.h();
    return Points(skin, name, r,
                  {corner, corner, w - corner, corner, corner, h - corner, w - corner, h - corner},
                  Box{inset, inset, w - inset, h - inset}, mask);
}

// A bar that only grows in height (vertical) or in width: the fixed ends are `end` long.
Section& Bar(SkinBuild& skin, const std::string& name, Box r, bool vertical, int end) {
    const int w = r.w(), h = r.h();
    if (vertical) return Points(skin, name, r, {0, end, 0, 0, 0, h - end, 0, 0}, Box{0, 0, w, h});
    return Points(skin, name, r, {end, 0, w - end, 0, 0, 0, 0, 0}, Box{0, 0, w, h});
}

// Fixed-size image: all corner points unset, client area the whole image.
Section& Fixed(SkinBuild& skin, const std::string& name, Box r) {
    return Base(skin, name, r)
        .Add("lefttoppoint", P(0, 0))
        .Add("righttoppoint", P(0, 0))
        .Add("leftbottompoint", P(0, 0))
        .Add("rightbottompoint", P(0, 0))
        .Add("clientrect", R(0, 0, r.w(), r.h()));
}

Section& Font(Section& s, const std::string& prefix = "", int height = 14, Rgb colour = Th().ink,
              const std::string& style = "") {
    return s.Add(prefix + "fontname", "Arial")
        .Add(prefix + "fontheight", height)
        .Add(prefix + "fontstyle", style)
        .Add(prefix + "fontcolor", C(colour));
}

void ButtonSection(SkinBuild& skin, const std::string& name, const States& st, int corner,
                   int mask = -1) {
    Section& s = Custom(skin, name, st.normal, corner, corner - 1, mask);
    Font(s)
        .Add("activefontcolor", C(Th().ink))
        .Add("disabledfontcolor", C(Th().disabledInk))
        .Add("downfontcolor", C(Th().ink))
        .Add("morphing", 1)
        .Add("morphkind", "mkdefault")
        .Add("activeskinrect", R(st.hot))
        .Add("downskinrect", R(st.down))
        .Add("disabledskinrect", R(st.disabled));
}

void MenuButtonSection(SkinBuild& skin, const std::string& name, const States& st, Box trackPart,
                       int corner) {
    ButtonSection(skin, name, st, corner);
    skin.text.sections.back().Add("trackbuttonrect", R(trackPart));
}

void PanelSection(SkinBuild& skin, const std::string& name, Box r, int corner, int inset,
                  Box caption, const std::string& alignment = "tacenter") {
    Section& s = Custom(skin, name, r, corner, inset)
                     .Add("bgpictureindex", -1)
                     .Add("captionrect", R(caption))
                     .Add("alignment", alignment);
    Font(s).Add("checkimagerect", R(kNone)).Add("uncheckimagerect", R(kNone));
}

// The group box: its caption band (above the frame line's corners) stretches across, and
// the client piece lies below the band so tiling it never repeats the frame line.
void GroupBoxSection(SkinBuild& skin, const std::string& name, const Images& im) {
    const Box r = im.groupBox;
    const int w = r.w(), h = r.h(), band = 18;
    Section& s = Points(skin, name, r, {10, band, w - 10, band, 10, h - 10, w - 10, h - 10},
                        Box{2, band, w - 2, h - 2})
                     .Add("bgpictureindex", -1)
                     .Add("captionrect", R(8, 1, w - 8, 16))
                     .Add("alignment", "taleftjustify");
    Font(s).Add("checkimagerect", R(im.checkOn)).Add("uncheckimagerect", R(im.checkOff));
}

void CheckRadioSection(SkinBuild& skin, const std::string& name, const Images& im, bool radio) {
    Section& s = Custom(skin, name, im.checkPlate, 0, 0);
    Font(s)
        .Add("activefontcolor", C(Th().ink))
        .Add("unenabledfontcolor", C(Th().disabledInk))
        .Add("framefontcolor", C(Th().frameDark))
        .Add("morphing", 0)
        .Add("morphkind", "mkdefault")
        .Add("activeskinrect", R(im.checkPlateHot))
        .Add("checkimagearea", R(2, 2, 15, 15))
        .Add("textarea", R(18, 0, 80, 17))
        .Add("checkimagerect", R(radio ? im.radioOn : im.checkOn))
        .Add("uncheckimagerect", R(radio ? im.radioOff : im.checkOff))
        .Add("activecheckimagerect", R(radio ? im.radioOnHot : im.checkOnHot))
        .Add("activeuncheckimagerect", R(radio ? im.radioOffHot : im.checkOffHot))
        .Add("unenabledcheckimagerect", R(radio ? im.radioOnOff : im.checkOnOff))
        .Add("unenableduncheckimagerect", R(radio ? im.radioOffOff : im.checkOffOff));
}

void GaugeSection(SkinBuild& skin, const std::string& name, Box frame, Box bar, bool vertical) {
    Section& s = Custom(skin, name, frame, 3, 2)
                     .Add("progressarea", R(2, 2, frame.w() - 2, frame.h() - 2))
                     .Add("progressrect", R(bar))
                     .Add("beginoffset", 2)
                     .Add("endoffset", 2)
                     .Add("vertical", vertical ? 1 : 0);
    Font(s, "", 14, Th().ink);
}

void TrackBarSection(SkinBuild& skin, const std::string& name, const Images& im, bool vertical) {
    const Box r = vertical ? im.vTrack : im.hTrack;
    Bar(skin, name, r, vertical, 6)
        .Add("trackarea", vertical ? R(1, 6, 19, r.h() - 6) : R(6, 1, r.w() - 6, 19))
        .Add("buttonrect", R(vertical ? im.vThumb : im.hThumb))
        .Add("activebuttonrect", R(vertical ? im.vThumbHot : im.hThumbHot))
        .Add("vertical", vertical ? 1 : 0);
}

void EditSection(SkinBuild& skin, const std::string& name, Box r, Box focused,
                 const States* button) {
    Section& s = Custom(skin, name, r, 3, 3).Add("activeskinrect", R(focused));
    Font(s)
        .Add("disabledfontcolor", C(Th().disabledInk))
        .Add("activefontcolor", C(Th().ink))
        .Add("buttonrect", button ? R(r.w() - 18, 2, r.w() - 2, r.h() - 2) : R(kNone))
        .Add("activebuttonrect", R(button ? button->hot : kNone))
        .Add("downbuttonrect", R(button ? button->down : kNone))
        .Add("unenabledbuttonrect", R(button ? button->disabled : kNone));
}

void ListBoxSection(SkinBuild& skin, const std::string& name, const Images& im, bool caption,
                    bool checks) {
    const Box r = caption ? im.captionList : im.list;
    Section& s = Custom(skin, name, r, 4, 2)
                     .Add("itemrect", R(im.item))
                     .Add("activeitemrect", R(im.itemHot))
                     .Add("focusitemrect", R(im.itemFocus))
                     .Add("itemleftoffset", 2)
                     .Add("itemrightoffset", 2)
                     .Add("itemtextrect", R(checks ? 18 : 3, 0, 58, 16));
    Font(s)
        .Add("activefontcolor", C(Th().ink))
        .Add("focusfontcolor", C(kWhite))
        .Add("captionrect", caption ? R(2, 2, r.w() - 2, 18) : R(kNone));
    Font(s, "caption", 14, kWhite, "fsbold");
    for (const char* k : {"upbuttonrect", "activeupbuttonrect", "downupbuttonrect",
                          "downbuttonrect", "activedownbuttonrect", "downdownbuttonrect",
                          "checkbuttonrect", "activecheckbuttonrect", "downcheckbuttonrect"})
        s.Add(k, R(kNone));
    s.Add("vscrollbarname", "vscrollbar")
        .Add("hscrollbarname", "hscrollbar")
        .Add("bothhscrollbarname", "bothhscrollbar");
    if (checks)
        s.Add("checkimagerect", R(im.checkOn))
            .Add("itemcheckrect", R(2, 1, 15, 14))
            .Add("uncheckimagerect", R(im.checkOff));
}

void ComboSection(SkinBuild& skin, const std::string& name, const Images& im,
                  const std::string& listBox) {
    Section& s = Custom(skin, name, im.combo, 3, 3)
                     .Add("itemrect", R(im.item))
                     .Add("focusitemrect", R(im.itemFocus))
                     .Add("itemleftoffset", 2)
                     .Add("itemrightoffset", 2)
                     .Add("itemtextrect", R(3, 0, 58, 16));
    Font(s)
        .Add("focusfontcolor", C(kWhite))
        .Add("listboxname", listBox)
        .Add("buttonrect", R(62, 2, 78, 18))
        .Add("activebuttonrect", R(im.comboButton.hot))
        .Add("downbuttonrect", R(im.comboButton.down))
        .Add("unenabledbuttonrect", R(im.comboButton.disabled));
}

void ScrollBarSection(SkinBuild& skin, const std::string& name, const Images& im, Box r,
                      bool vertical) {
    const int len = vertical ? r.h() : r.w();
    Bar(skin, name, r, vertical, 17)
        .Add("trackarea", vertical ? R(0, 16, 16, len - 16) : R(16, 0, len - 16, 16))
        .Add("upbuttonrect", vertical ? R(0, 0, 16, 16) : R(len - 16, 0, len, 16))
        .Add("activeupbuttonrect", R(vertical ? im.upHot : im.rightHot))
        .Add("downupbuttonrect", R(vertical ? im.upDown : im.rightDown))
        .Add("downbuttonrect", vertical ? R(0, len - 16, 16, len) : R(0, 0, 16, 16))
        .Add("activedownbuttonrect", R(vertical ? im.downHot : im.leftHot))
        .Add("downdownbuttonrect", R(vertical ? im.downDown : im.leftDown))
        .Add("thumbrect", R(vertical ? im.vThumbBar : im.hThumbBar))
        .Add("activethumbrect", R(vertical ? im.vThumbBarHot : im.hThumbBarHot))
        .Add("downthumbrect", R(vertical ? im.vThumbBarDown : im.hThumbBarDown))
        .Add("thumboffset1", 4)
        .Add("thumboffset2", 4)
        .Add("glyphrect", R(vertical ? im.gripV : im.gripH))
        .Add("activeglyphrect", R(vertical ? im.gripVHot : im.gripHHot))
        .Add("downglyphrect", R(vertical ? im.gripVDown : im.gripHDown));
}

void SpinSection(SkinBuild& skin, const std::string& name, const Images& im) {
    Section& s = Custom(skin, name, im.spin, 3, 3).Add("activeskinrect", R(im.spinFocused));
    Font(s)
        .Add("activefontcolor", C(Th().ink))
        .Add("disabledfontcolor", C(Th().disabledInk))
        .Add("upbuttonrect", R(65, 2, 78, 10))
        .Add("activeupbuttonrect", R(im.spinUpHot))
        .Add("downupbuttonrect", R(im.spinUpDown))
        .Add("downbuttonrect", R(65, 10, 78, 18))
        .Add("activedownbuttonrect", R(im.spinDownHot))
        .Add("downdownbuttonrect", R(im.spinDownDown));
}

void UpDownSection(SkinBuild& skin, const std::string& name, const Images& im, bool vertical) {
    const Box r = vertical ? im.vUpDown : im.hUpDown;
    Fixed(skin, name, r)
        .Add("upbuttonrect", vertical ? R(0, 0, 16, 16) : R(16, 0, 32, 16))
        .Add("activeupbuttonrect", R(vertical ? im.upHot : im.rightHot))
        .Add("downupbuttonrect", R(vertical ? im.upDown : im.rightDown))
        .Add("downbuttonrect", vertical ? R(0, 16, 16, 32) : R(0, 0, 16, 16))
        .Add("activedownbuttonrect", R(vertical ? im.downHot : im.leftHot))
        .Add("downdownbuttonrect", R(vertical ? im.downDown : im.leftDown));
}

void BrowserLikeSection(SkinBuild& skin, const std::string& name) {
    Font(Base(skin, name, kNone)).Add("bgcolor", C(kWhite));
}

void TabSection(SkinBuild& skin) {
    const FixedPlaces& f = kFixed;
    Section& s = Base(skin, "tab", f.tabPage)
                     .Add("tabrect", R(f.tab))
                     .Add("activetabrect", R(f.activeTab))
                     .Add("focustabrect", R(f.focusTab))
                     .Add("mouseintabrect", R(kNone))
                     // The sheets lie inside the one-pixel rim, so a page control keeps the
                     // main window's stored geometry (sheets two pixels narrower than it).
                     .Add("clientrect", R(1, 1, 95, 80))
                     .Add("bgpictureindex", -1)
                     .Add("lefttoppoint", P(7, 6))
                     .Add("righttoppoint", P(88, 6))
                     .Add("leftbottompoint", P(6, 74))
                     .Add("rightbottompoint", P(87, 71))
                     .Add("tableftoffset", 10)
                     .Add("tabrightoffset", 10)
                     .Add("tabsbgrect", R(f.tabsBg));
    Font(s, "", 14, Rgb{0, 0, 0})
        .Add("activefontcolor", 0)
        .Add("focusfontcolor", 16777215)
        .Add("mouseinfontcolor", 0)
        .Add("updown", "hupdown");
}

void ExPanelSection(SkinBuild& skin) {
    const FixedPlaces& f = kFixed;
    Section& s = Base(skin, "expanel", f.exPanel)
                     // A 21-pixel caption bar and a one-pixel rim around the client.
                     .Add("lefttoppoint", P(5, 23))
                     .Add("righttoppoint", P(60, 23))
                     .Add("leftbottompoint", P(4, 56))
                     .Add("rightbottompoint", P(60, 57))
                     .Add("clientrect", R(1, 21, 66, 63))
                     .Add("rollhskinrect", R(f.rollH))
                     .Add("rollvskinrect", R(f.rollV))
                     .Add("rollleftoffset", 6)
                     .Add("rollrightoffset", 6)
                     .Add("rolltopoffset", 6)
                     .Add("rollbottomoffset", 6)
                     .Add("rollvcaptionrect", R(4, 2, 63, 19))
                     .Add("rollhcaptionrect", R(2, 2, 17, 64))
                     .Add("closebuttonrect", R(f.knob))
                     .Add("closebuttonactiverect", R(kNone))
                     .Add("closebuttondownrect", R(f.knobDown))
                     .Add("hrollbuttonrect", R(f.knob))
                     .Add("hrollbuttonactiverect", R(kNone))
                     .Add("hrollbuttondownrect", R(f.knobDown))
                     .Add("hrestorebuttonrect", R(f.hRestore))
                     .Add("hrestorebuttonactiverect", R(kNone))
                     .Add("hrestorebuttondownrect", R(f.hRestoreDown))
                     .Add("vrollbuttonrect", R(f.knob))
                     .Add("vrollbuttonactiverect", R(kNone))
                     .Add("vrollbuttondownrect", R(f.knobDown))
                     .Add("vrestorebuttonrect", R(f.knob))
                     .Add("vrestorebuttonactiverect", R(kNone))
                     .Add("vrestorebuttondownrect", R(f.knobDown))
                     .Add("captionrect", R(4, 2, 63, 19));
    Font(s, "", 14, kWhite);
    s.keys.back().second = "16777215";
}

void MainPanelSection(SkinBuild& skin) {
    const FixedPlaces& f = kFixed;
    Section& s = Base(skin, "panel", f.panel)
                     .Add("lefttoppoint", P(4, 3))
                     .Add("righttoppoint", P(89, 3))
                     .Add("leftbottompoint", P(3, 75))
                     .Add("rightbottompoint", P(87, 74))
                     .Add("clientrect", R(1, 1, 93, 78))
                     .Add("bgpictureindex", -1)
                     .Add("captionrect", R(kNone))
                     .Add("alignment", "tacenter");
    Font(s, "", 12, Rgb{0, 0, 0}).Add("checkimagerect", R(kNone)).Add("uncheckimagerect", R(kNone));
    // Present for skin editors; no definition reads them.
    s.Add("leftstretch", 0)
        .Add("topstretch", 0)
        .Add("rightstretch", 0)
        .Add("bottomstretch", 0)
        .Add("stretcheffect", 0);
}

}  // namespace

void BuildSkinControls(SkinBuild& skin) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"button", "button"},
        {"toolbutton", "button"},
        {"toolpanel", "panel"},
        {"checkbox", "checkradio"},
        {"radiobox", "checkradio"},
        {"gauge", "gauge"},
        {"panel", "panel"},
        {"label", "label"},
        {"trackbar", "trackbar"},
        {"vgauge", "gauge"},
        {"htrackbar", "trackbar"},
        {"grid", "grid"},
        {"tab", "tab"},
        {"edit", "edit"},
        {"memo", "memo"},
        {"vscrollbar", "scrollbar"},
        {"hscrollbar", "scrollbar"},
        {"listbox", "listbox"},
        {"combobox", "combobox"},
        {"checklistbox", "checklistbox"},
        {"spinedit", "spinedit"},
        {"groupbox", "panel"},
        {"stdlabel", "stdlabel"},
        {"statusbar", "panel"},
        {"statuspanel", "label"},
        {"vupdown", "updown"},
        {"hupdown", "updown"},
        {"buttonedit", "edit"},
        {"captionlistbox", "listbox"},
        {"captionchecklistbox", "checklistbox"},
        {"captioncombobox", "combobox"},
        {"mainmenubar", "mainmenubar"},
        {"controlbar", "controlbar"},
        {"resizebutton", "button"},
        {"vsplitter", "splitter"},
        {"hsplitter", "splitter"},
        {"bothhscrollbar", "scrollbar"},
        {"bigtoolpanel", "panel"},
        {"bigtoolbutton", "button"},
        {"toolmenubutton", "menubutton"},
        {"toolmenutrackbutton", "menubutton"},
        {"bigtoolmenutrackbutton", "menubutton"},
        {"bigtoolmenubutton", "menubutton"},
        {"scrollbox", "scrollbox"},
        {"listview", "listview"},
        {"treeview", "treeview"},
        {"statusgauge", "gauge"},
        {"richedit", "richedit"},
        {"expanel", "expanel"},
        {"slider", "slider"},
        {"bevel", "bevel"},
        {"toolcombobox", "combobox"},
        {"toolspinedit", "spinedit"},
        {"tooledit", "edit"},
        {"toolbuttonedit", "edit"},
        {"statusedit", "edit"},
        {"statusbuttonedit", "edit"},
        {"statusspinedit", "spinedit"},
        {"statuscombobox", "combobox"},
        {"resizetoolpanel", "panel"},
        {"resizetoolbutton", "button"}};
    Section& list = skin.text.Add("SKINCONTROLS");
    list.Add("count", static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i)
        list.Add(std::to_string(i), entries[i].first + ":" + entries[i].second);

    DrawFixedControls(skin.controls);
    const Images im = DrawImages(skin);
    const Box trackPart{36, 0, 48, 22}, bigTrackPart{28, 26, 40, 38};

    for (const auto& [name, type] : entries) {
        if (name == "button" || name == "resizebutton")
            ButtonSection(skin, name, im.button, 4, kButtonMask);
        else if (name == "toolbutton" || name == "resizetoolbutton")
            ButtonSection(skin, name, im.toolButton, 3);
        else if (name == "bigtoolbutton")
            ButtonSection(skin, name, im.bigToolButton, 3);
        else if (name == "toolmenubutton" || name == "toolmenutrackbutton")
            MenuButtonSection(skin, name, im.toolMenuButton, trackPart, 3);
        else if (name == "bigtoolmenubutton" || name == "bigtoolmenutrackbutton")
            MenuButtonSection(skin, name, im.bigToolMenuButton, bigTrackPart, 3);
        else if (name == "toolpanel")
            PanelSection(skin, name, im.toolPanel, 3, 1, kNone);
        else if (name == "bigtoolpanel")
            PanelSection(skin, name, im.bigToolPanel, 3, 1, kNone);
        else if (name == "resizetoolpanel")
            PanelSection(skin, name, im.resizeToolPanel, 9, 1, kNone);
        else if (name == "statusbar")
            PanelSection(skin, name, im.statusBar, 3, 1, kNone, "taleftjustify");
        else if (name == "groupbox")
            GroupBoxSection(skin, name, im);
        else if (name == "panel")
            MainPanelSection(skin);
        else if (name == "checkbox")
            CheckRadioSection(skin, name, im, false);
        else if (name == "radiobox")
            CheckRadioSection(skin, name, im, true);
        else if (name == "gauge" || name == "statusgauge")
            GaugeSection(skin, name, im.gauge, im.gaugeBar, false);
        else if (name == "vgauge")
            GaugeSection(skin, name, im.vgauge, im.vgaugeBar, true);
        else if (name == "label")
            Font(Custom(skin, name, kNone, 0, 0));
        else if (name == "statuspanel")
            Font(Custom(skin, name, im.statusPanel, 3, 2));
        else if (name == "stdlabel")
            Font(Base(skin, name, kNone)).Add("activefontcolor", C(Th().hotDark));
        else if (name == "trackbar")
            TrackBarSection(skin, name, im, true);
        else if (name == "htrackbar")
            TrackBarSection(skin, name, im, false);
        else if (name == "grid") {
            Section& s = Base(skin, name, kNone)
                             .Add("fixedcellrect", R(im.fixedCell))
                             .Add("selectcellrect", R(im.cellSelect))
                             .Add("focuscellrect", R(im.cellFocus))
                             .Add("fixedcellleftoffset", 2)
                             .Add("fixedcellrightoffset", 2)
                             .Add("fixedcelltextrect", R(3, 1, 37, 17))
                             .Add("cellleftoffset", 1)
                             .Add("cellrightoffset", 1)
                             .Add("celltextrect", R(3, 1, 37, 17))
                             .Add("linescolor", C(Th().faceShadow))
                             .Add("bgcolor", C(kWhite))
                             .Add("bgpictureindex", -1);
            Font(s).Add("selectfontcolor", C(Th().ink)).Add("focusfontcolor", C(kWhite));
            Font(s, "fixed", 14, Th().ink, "fsbold");
        } else if (name == "tab")
            TabSection(skin);
        else if (name == "edit" || name == "tooledit" || name == "statusedit")
            EditSection(skin, name, im.field, im.fieldFocused, nullptr);
        else if (name == "buttonedit" || name == "toolbuttonedit" || name == "statusbuttonedit")
            EditSection(skin, name, im.buttonEdit, im.buttonEditFocused, &im.editButton);
        else if (name == "memo") {
            EditSection(skin, name, im.field, im.fieldFocused, nullptr);
            skin.text.sections.back()
                .Add("bgcolor", C(kWhite))
                .Add("activebgcolor", C(Th().faceLight));
        } else if (name == "vscrollbar")
            ScrollBarSection(skin, name, im, im.vScroll, true);
        else if (name == "hscrollbar")
            ScrollBarSection(skin, name, im, im.hScroll, false);
        else if (name == "bothhscrollbar")
            ScrollBarSection(skin, name, im, im.bothHScroll, false);
        else if (name == "listbox")
            ListBoxSection(skin, name, im, false, false);
        else if (name == "captionlistbox")
            ListBoxSection(skin, name, im, true, false);
        else if (name == "checklistbox")
            ListBoxSection(skin, name, im, false, true);
        else if (name == "captionchecklistbox")
            ListBoxSection(skin, name, im, true, true);
        else if (name == "combobox" || name == "captioncombobox" || name == "toolcombobox" ||
                 name == "statuscombobox")
            ComboSection(skin, name, im, "listbox");
        else if (name == "spinedit" || name == "toolspinedit" || name == "statusspinedit")
            SpinSection(skin, name, im);
        else if (name == "vupdown")
            UpDownSection(skin, name, im, true);
        else if (name == "hupdown")
            UpDownSection(skin, name, im, false);
        else if (name == "mainmenubar")
            Base(skin, name, im.menuBar)
                .Add("itemsrect", R(2, 0, im.menuBar.w() - 2, 20))
                .Add("menubaritem", "mainmenubaritem")
                .Add("closebutton", "menubarclosebutton")
                .Add("minbutton", "menubarminbutton")
                .Add("maxbutton", "menubarmaxbutton")
                .Add("sysmenubutton", "menubarsysmenubutton")
                .Add("trackmarkcolor", C(Th().faceDark))
                .Add("trackmarkactivecolor", C(Th().hotDark));
        else if (name == "controlbar")
            Custom(skin, name, im.controlBar, 3, 2)
                .Add("itemrect", R(im.controlBarItem))
                .Add("bgpictureindex", -1);
        else if (name == "vsplitter")
            Bar(skin, name, im.vSplitter, true, 8);
        else if (name == "hsplitter")
            Bar(skin, name, im.hSplitter, false, 8);
        else if (name == "scrollbox")
            Custom(skin, name, im.scrollBox, 3, 2).Add("bgpictureindex", -1);
        else if (name == "listview" || name == "treeview" || name == "richedit")
            BrowserLikeSection(skin, name);
        else if (name == "expanel")
            ExPanelSection(skin);
        else if (name == "slider")
            Base(skin, name, kNone)
                .Add("bgcolor", C(Th().face))
                .Add("hrulerrect", R(im.hRuler))
                .Add("hthumbrect", R(im.sliderHThumb))
                .Add("vrulerrect", R(im.vRuler))
                .Add("vthumbrect", R(im.sliderVThumb))
                .Add("edgesize", 5)
                .Add("pointscolor", C(Th().faceDark));
        else if (name == "bevel")
            Base(skin, name, kNone)
                .Add("lightcolor", C(Th().faceLight))
                .Add("darkcolor", C(Th().faceShadow));
        else
            throw std::runtime_error("no section writer for " + name);
    }
}

}  // namespace skingen
