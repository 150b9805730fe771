#include "skin/data/SkinWindowDefs.h"

void TspDataSkinPopupWindow::LoadFromIni(const TMemIniFile& ini) {
    TSkinIniIo io(ini, "POPUPWINDOW");
    io.Integer("windowpictureindex", WindowPictureIndex, -1);
    io.Integer("maskpictureindex", MaskPictureIndex, -1);
    io.Point("lefttoppoint", LTPoint);
    io.Point("righttoppoint", RTPoint);
    io.Point("leftbottompoint", LBPoint);
    io.Point("rightbottompoint", RBPoint);
    io.Integer("cursorindex", CursorIndex, -1);
    io.Rect("itemsrect", ItemsRect);
    io.Color("scrollmarkercolor", ScrollMarkerColor);
    io.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    io.Boolean("leftstretch", LeftStretch);
    io.Boolean("rightstretch", RightStretch);
    io.Boolean("topstretch", TopStretch);
    io.Boolean("bottomstretch", BottomStretch);
}

void TspDataSkinHintWindow::LoadFromIni(const TMemIniFile& ini) {
    TSkinIniIo io(ini, "HINTWINDOW");
    io.Integer("windowpictureindex", WindowPictureIndex, -1);
    io.Integer("maskpictureindex", MaskPictureIndex, -1);
    io.Point("lefttoppoint", LTPoint);
    io.Point("righttoppoint", RTPoint);
    io.Point("leftbottompoint", LBPoint);
    io.Point("rightbottompoint", RBPoint);
    io.Rect("clientrect", ClientRect);
    io.Text("fontname", FontName, "Arial");
    io.Integer("fontheight", FontHeight, 14);
    io.FontStyle("fontstyle", FontStyle);
    io.Color("fontcolor", FontColor);
    io.Boolean("leftstretch", LeftStretch);
    io.Boolean("rightstretch", RightStretch);
    io.Boolean("topstretch", TopStretch);
    io.Boolean("bottomstretch", BottomStretch);
}
