// How a main-menu item's caption is drawn, taken from its skin definition: shared by the
// items drawn in the frame and those on the skinned menu bar.
#pragma once

#include <cstdint>
#include <string>

#include "base/Types.h"
#include "skin/data/SkinObjectDefs.h"
#include "ui/GraphicsObjects.h"

struct TspMenuItemLook {
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
    TRect TextRect{};
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;

    void TakeLook(const TspDataSkinMainMenuItem& def) {
        FontName = def.FontName;
        FontHeight = def.FontHeight;
        FontStyle = def.FontStyle;
        FontColor = def.FontColor;
        ActiveFontColor = def.ActiveFontColor;
        DownFontColor = def.DownFontColor;
        UnEnabledFontColor = def.UnEnabledFontColor;
        TextRect = def.TextRect;
        ItemLeftOffset = def.ItemLeftOffset;
        ItemRightOffset = def.ItemRightOffset;
    }
};
