// The control images whose places in controls.bmp are fixed: panel, tab page and tabs,
// expanding panel with its rolled-up strips and buttons.
#include "FixedControls.h"

#include <algorithm>

#include "Theme.h"
#include "Widgets.h"

namespace skingen {

const FixedPlaces kFixed{};

void ReserveFixedPlaces(Packer& pack) {
    const FixedPlaces& f = kFixed;
    for (Box b : {f.tabPage, f.tab, f.activeTab, f.focusTab, f.exPanel, f.rollH, f.knob, f.knobDown,
                  f.hRestore, f.hRestoreDown})
        pack.Reserve(b);
}

namespace {

void DrawTab(Raster& img, Box b, Rgb top, Rgb bottom, Rgb line) {
    for (int y = b.t; y < b.b; ++y) {
        const Rgb c = Mix(top, bottom, (y - b.t) * 5 / std::max(1, b.h() - 1), 5);
        for (int x = b.l; x < b.r; ++x)
            if (Raster::InsideRound({b.l, b.t, b.r, b.b + 4}, 4, x, y)) img.Set(x, y, c);
    }
    for (int y = b.t; y < b.b; ++y)
        for (int x = b.l; x < b.r; ++x) {
            const Box outer{b.l, b.t, b.r, b.b + 4}, inner{b.l + 1, b.t + 1, b.r - 1, b.b + 4};
            if (Raster::InsideRound(outer, 4, x, y) && !Raster::InsideRound(inner, 3, x, y))
                img.Set(x, y, line);
        }
}

}  // namespace

void DrawFixedControls(Raster& img) {
    const FixedPlaces& f = kFixed;
    // Tab page: a dark rim around the panel image, which is a raised paper face.
    img.Frame(f.tabPage, Th().faceDark);
    DrawRaised(img, f.panel);
    // Tabs: normal (sunk back), selected (paper with an amber top), focused (slate).
    DrawTab(img, f.tab, Th().face, Th().faceShadow, Th().faceDark);
    img.Fill({f.tab.l, f.tab.b - 1, f.tab.r, f.tab.b}, Th().faceDark);
    DrawTab(img, f.activeTab, Th().faceLight, Th().face, Th().faceDark);
    img.Fill({f.activeTab.l + 3, f.activeTab.t + 1, f.activeTab.r - 3, f.activeTab.t + 3},
             Th().hot);
    DrawTab(img, f.focusTab, Th().frameLight, Th().frame, Th().outline);
    // Expanding panel: slate caption strip over a paper client.
    img.Fill(f.exPanel, Th().face);
    img.GradientV({f.exPanel.l, f.exPanel.t, f.exPanel.r, f.exPanel.t + 21}, Th().frameLight,
                  Th().frame, 8);
    img.Frame(f.exPanel, Th().frameDark);
    img.Fill({f.exPanel.l, f.exPanel.t + 20, f.exPanel.r, f.exPanel.t + 21}, Th().frameDark);
    img.Fill({f.exPanel.l + 1, f.exPanel.t + 1, f.exPanel.r - 1, f.exPanel.t + 2},
             Mix(Th().frameLight, kWhite, 1, 3));
    // Rolled up sideways: a vertical slate strip.
    img.GradientH(f.rollH, Th().frameLight, Th().frame, 8);
    img.Frame(f.rollH, Th().frameDark);
    // Small buttons of the expanding panel.
    struct SmallButton {
        Box box;
        State state;
        GlyphKind glyph;
    };
    const SmallButton buttons[] = {{f.knob, State::Normal, GlyphKind::Knob},
                                   {f.knobDown, State::Down, GlyphKind::Knob},
                                   {f.hRestore, State::Normal, GlyphKind::ArrowRight},
                                   {f.hRestoreDown, State::Down, GlyphKind::ArrowRight}};
    for (const SmallButton& b : buttons) {
        img.Fill(b.box, Th().frame);
        DrawCaptionButton(img, b.box, b.state, false);
        DrawGlyph(img, b.box, b.glyph, b.state == State::Normal ? kWhite : Th().ink);
    }
}

}  // namespace skingen
