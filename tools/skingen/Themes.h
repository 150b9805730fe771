// The skins skingen can make: each names its palette, its texts and the size of its
// window picture. Everything else is drawn by the same code for all of them.
#pragma once

#include <string>
#include <vector>

#include "Theme.h"

namespace skingen {

struct SkinTheme {
    std::string name;      // the name on skingen's command line
    std::string skinName;  // [VERSION] skinname
    std::string comments;  // [VERSION] skincomments
    Palette palette;
    int mainWidth = 204;  // size of main.bmp
    int mainHeight = 200;
    // Height of the band under the client area that carries the further frame objects
    // (switch, track bar, gauges, labels, animation, regulator); 0 for none.
    int objectBand = 0;
};

[[nodiscard]] const std::vector<SkinTheme>& SkinThemes();
// Null when no theme has this name.
[[nodiscard]] const SkinTheme* FindSkinTheme(const std::string& name);

}  // namespace skingen
