// The popup menu window and hint window frames ([POPUPWINDOW], [HINTWINDOW]) and the named
// rectangles of [SKINAREAS].
#pragma once

#include <string>

#include "skin/data/SkinIniValues.h"

class TspDataSkinPopupWindow : public TSkinSectionDef {
public:
    int32_t WindowPictureIndex = -1;
    int32_t MaskPictureIndex = -1;
    TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
    int32_t CursorIndex = -1;
    TRect ItemsRect{};
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

protected:
    [[nodiscard]] std::string SectionName() const override { return "POPUPWINDOW"; }
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinHintWindow : public TSkinSectionDef {
public:
    int32_t WindowPictureIndex = -1;
    int32_t MaskPictureIndex = -1;
    TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
    TRect ClientRect{};
    std::string FontName = "Arial";
    int32_t FontHeight = 12;  // before any skin; a skin without the key gives 14
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

protected:
    [[nodiscard]] std::string SectionName() const override { return "HINTWINDOW"; }
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinArea {
public:
    TspDataSkinArea(std::string idName, const TRect& rect)
        : IDName(std::move(idName)), AreaRect(rect) {}
    const std::string IDName;
    const TRect AreaRect;
};
