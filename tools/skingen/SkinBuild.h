// Shared state while the skin is generated: the definition text, the big controls
// picture and its packer, and the output folder.
#pragma once

#include <string>

#include "IniText.h"
#include "Pack.h"
#include "Raster.h"
#include "Themes.h"

namespace skingen {

// Picture indices of the active picture list, in [PICTURES] order.
// kObjects (the frame objects' state images) and kMdiBackground (the tile behind MDI
// children) exist only in skins with an object band.
enum PictureIndex {
    kPw = 0,
    kMenuItems = 1,
    kActive = 2,
    kControls = 3,
    kHw = 4,
    kButtonMask = 5,
    kObjects = 6,
    kMdiBackground = 7
};

// Places in the window picture that follow from its size.
struct FrameGeometry {
    int width = 0, height = 0, band = 0;
    Box window;       // the visible window shape
    Box clientRim;    // dark line around the client area
    Box client;       // the client area ([FORMINFO] clientrect)
    Box buttons;      // the caption button row
    Box bandArea;     // the object band under the client area (empty without one)
    int bottomY = 0;  // leftbottompoint.Y and rightbottompoint.Y
};
[[nodiscard]] FrameGeometry FrameGeometryOf(const SkinTheme& theme);

struct SkinBuild {
    SkinBuild(const SkinTheme& theme, std::string dir);
    const SkinTheme& theme;
    FrameGeometry frame;
    std::string outDir;
    SkinText text;
    Raster controls;
    Packer pack;
};

// Writes main.bmp, mask.bmp and the small active pictures; adds [VERSION], [PICTURES],
// [FORMINFO], [POPUPWINDOW] and [HINTWINDOW].
void BuildFramePictures(SkinBuild& skin);
// Adds [SKINOBJECTS] and one section per object.
void BuildSkinObjects(SkinBuild& skin);
// Adds [SKINCONTROLS] and one section per control; draws their images into controls.bmp.
void BuildSkinControls(SkinBuild& skin);

// Pieces shared between the files above.
void AddFrameObjectSections(SkinBuild& skin);  // MENUITEM, caption1, closebutton
void AddFramePlaceButton(SkinBuild& skin, const std::string& name, const std::string& command,
                         const std::string& hint);
[[nodiscard]] Box SysMenuPlace();

}  // namespace skingen
