// [SKINOBJECTS]: the caption, the caption buttons, the popup menu item and the menu bar
// pieces. Maximise, minimise, system-menu and menu-bar images are drawn into controls.bmp.
#include <string>
#include <vector>

#include "FrameObjects.h"
#include "SkinBuild.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {

struct ButtonCells {
    Box normal, hot, down;
};

ButtonCells CaptionButtonCells(SkinBuild& skin, int size, GlyphKind glyph) {
    const std::vector<Box> cells = skin.pack.Strip(size, size, 3);
    const State states[] = {State::Normal, State::Hot, State::Down};
    for (int i = 0; i < 3; ++i) {
        skin.controls.Fill(cells[i], Th().frame);
        DrawCaptionButton(skin.controls, cells[i], states[i], false);
        DrawGlyph(skin.controls, cells[i], glyph, states[i] == State::Normal ? kWhite : Th().ink);
    }
    return {cells[0], cells[1], cells[2]};
}

void AddStdButton(SkinBuild& skin, const std::string& name, const std::string& command,
                  const std::string& hint, bool inPicture, Box skinRect, const ButtonCells& cells,
                  const ButtonCells* restore) {
    skin.text.Add(name)
        .Add("hint", hint)
        .Add("rollup", 0)
        .Add("activepictureindex", kControls)
        .Add("skinrectinapicture", inPicture ? 1 : 0)
        .Add("cursorindex", -1)
        .Add("skinrect", R(skinRect))
        .Add("activeskinrect", R(cells.hot))
        .Add("morphing", 1)
        .Add("morphkind", "mkdefault")
        .Add("downrect", R(cells.down))
        .Add("disableskinrsect", R(0, 0, 0, 0))
        .Add("groupindex", -1)
        .Add("command", command)
        .Add("restorerect", R(restore ? restore->normal : Box{}))
        .Add("restoreactiverect", R(restore ? restore->hot : Box{}))
        .Add("restoredownrect", R(restore ? restore->down : Box{}));
}

// The main menu bar's item; the frame's own main-menu item ("MAINMENUITEM") looks the same.
std::vector<Box> DrawMenuBarItemCells(SkinBuild& skin) {
    const std::vector<Box> cells = skin.pack.Strip(40, 20, 3);
    skin.controls.Fill(cells[0], Th().face);
    DrawToolButton(skin.controls, cells[1], State::Hot);
    DrawToolButton(skin.controls, cells[2], State::Down);
    return cells;
}

void AddMenuBarItem(SkinBuild& skin, const std::string& name, const std::vector<Box>& cells) {
    skin.text.Add(name)
        .Add("hint", "")
        .Add("rollup", 0)
        .Add("activepictureindex", kControls)
        .Add("skinrectinapicture", 1)
        .Add("cursorindex", -1)
        .Add("skinrect", R(cells[0]))
        .Add("activeskinrect", R(cells[1]))
        .Add("morphing", 0)
        .Add("morphkind", "mkdefault")
        .Add("itemleftoffset", 3)
        .Add("itemrightoffset", 3)
        .Add("downrect", R(cells[2]))
        .Add("textrect", R(4, 2, 36, 18))
        .Add("fontname", "Arial")
        .Add("fontheight", 14)
        .Add("fontstyle", "")
        .Add("fontcolor", 0)
        .Add("activefontcolor", 0)
        .Add("downfontcolor", 0)
        .Add("unenabledfontColor", 8421504);
}

}  // namespace

void BuildSkinObjects(SkinBuild& skin) {
    std::vector<std::string> entries = {"MENUITEM:menuitem",
                                        "caption1:caption",
                                        "closebutton:stdbutton",
                                        "maxbutton:stdbutton",
                                        "minbutton:stdbutton",
                                        "rollupbutton:stdbutton",
                                        "mainmenubaritem:mainmenubaritem",
                                        "sysmenubutton:stdbutton",
                                        "menubarsysmenubutton:mainmenubarbutton",
                                        "menubarclosebutton:mainmenubarbutton",
                                        "menubarmaxbutton:mainmenubarbutton",
                                        "menubarminbutton:mainmenubarbutton",
                                        "traybutton:stdbutton"};
    const bool band = skin.frame.band > 0;
    if (band) {
        entries.push_back("MAINMENUITEM:mainmenuitem");
        for (const std::string& e : BandObjectEntries()) entries.push_back(e);
    }
    Section& list = skin.text.Add("SKINOBJECTS");
    list.Add("count", static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) list.Add(std::to_string(i), entries[i]);

    AddFrameObjectSections(skin);  // MENUITEM, caption1, closebutton
    const ButtonCells max = CaptionButtonCells(skin, 18, GlyphKind::Maximize);
    const ButtonCells restore = CaptionButtonCells(skin, 18, GlyphKind::Restore);
    const ButtonCells min = CaptionButtonCells(skin, 18, GlyphKind::Minimize);
    const ButtonCells sys = CaptionButtonCells(skin, 18, GlyphKind::Puzzle);
    AddStdButton(skin, "maxbutton", "cmmaximize", "Maximize", true, max.normal, max, &restore);
    AddStdButton(skin, "minbutton", "cmminimize", "Minimize", true, min.normal, min, &restore);
    AddFramePlaceButton(skin, "rollupbutton", "cmrollup", "Roll up");
    const std::vector<Box> itemCells = DrawMenuBarItemCells(skin);
    AddMenuBarItem(skin, "mainmenubaritem", itemCells);
    AddStdButton(skin, "sysmenubutton", "cmsysmenu", "System menu", false, SysMenuPlace(), sys,
                 nullptr);

    const ButtonCells barSys = CaptionButtonCells(skin, 14, GlyphKind::Puzzle);
    const ButtonCells barClose = CaptionButtonCells(skin, 14, GlyphKind::Close);
    const ButtonCells barMax = CaptionButtonCells(skin, 14, GlyphKind::Maximize);
    const ButtonCells barMin = CaptionButtonCells(skin, 14, GlyphKind::Minimize);
    const ButtonCells barRestore = CaptionButtonCells(skin, 14, GlyphKind::Restore);
    AddStdButton(skin, "menubarsysmenubutton", "cmsysmenu", "", true, barSys.normal, barSys,
                 nullptr);
    AddStdButton(skin, "menubarclosebutton", "cmclose", "", true, barClose.normal, barClose,
                 nullptr);
    AddStdButton(skin, "menubarmaxbutton", "cmmaximize", "", true, barMax.normal, barMax,
                 &barRestore);
    AddStdButton(skin, "menubarminbutton", "cmminimize", "", true, barMin.normal, barMin,
                 &barRestore);
    AddFramePlaceButton(skin, "traybutton", "cmminimizetotray", "Minimize to tray");
    if (band) {
        AddMenuBarItem(skin, "MAINMENUITEM", itemCells);
        AddBandObjectSections(skin);
    }
}

}  // namespace skingen
