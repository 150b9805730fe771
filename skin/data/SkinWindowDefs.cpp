#include "skin/data/SkinWindowDefs.h"

void TspDataSkinPopupWindow::Exchange(TSkinIniIo& io) {
    io.Integer("windowpictureindex", WindowPictureIndex, -1);
    io.Integer("maskpictureindex", MaskPictureIndex, -1);
    io.CornerPoints("", LTPoint, RTPoint, LBPoint, RBPoint);
    io.Integer("cursorindex", CursorIndex, -1);
    io.Rect("itemsrect", ItemsRect);
    io.Color("scrollmarkercolor", ScrollMarkerColor);
    io.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    io.StretchFlags(LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TspDataSkinHintWindow::Exchange(TSkinIniIo& io) {
    io.Integer("windowpictureindex", WindowPictureIndex, -1);
    io.Integer("maskpictureindex", MaskPictureIndex, -1);
    io.CornerPoints("", LTPoint, RTPoint, LBPoint, RBPoint);
    io.Rect("clientrect", ClientRect);
    io.FontGroup("", FontName, FontHeight, FontStyle, FontColor);
    io.StretchFlags(LeftStretch, RightStretch, TopStretch, BottomStretch);
}
