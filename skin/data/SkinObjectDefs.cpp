#include "skin/data/SkinObjectDefs.h"

void TspDataSkinObject::Exchange(TSkinIniIo& io) {
    io.Text("hint", Hint);
    io.Boolean("rollup", RollUp);
    io.Integer("activepictureindex", ActivePictureIndex, -1);
    io.Boolean("skinrectinapicture", SkinRectInAPicture);
    io.Integer("cursorindex", CursorIndex, -1);
    io.Rect("skinrect", SkinRect);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Boolean("morphing", Morphing);
    io.MorphKind("morphkind", MorphKind);
}

void TspDataUserObject::Exchange(TSkinIniIo& io) {
    io.Boolean("rollup", RollUp);
    io.Rect("skinrect", SkinRect);
    io.Integer("cursorindex", CursorIndex, -1);
}

void TspDataSkinButton::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Rect("downrect", DownRect);
    io.Rect("disableskinrsect", DisableSkinRect);
    io.Integer("groupindex", GroupIndex, -1);
}

void TspDataSkinStdButton::Exchange(TSkinIniIo& io) {
    TspDataSkinButton::Exchange(io);
    io.Command("command", Command);
    io.Rect("restorerect", RestoreRect);
    io.Rect("restoreactiverect", RestoreActiveRect);
    io.Rect("restoredownrect", RestoreDownRect);
}

void TspDataSkinCaption::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Boolean("defaultcaption", DefaultCaption);
    io.Rect("textrect", TextRect);
    io.FontGroup("", FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Alignment("alignment", Alignment);
    io.Boolean("shadow", Shadow);
    io.Color("shadowcolor", ShadowColor);
    io.Color("activeshadowcolor", ActiveShadowColor);
    io.Rect("framerect", FrameRect);
    io.Rect("activeframerect", ActiveFrameRect);
    io.Rect("frametextrect", FrameTextRect);
    io.Coordinate("frameleftoffset", FrameLeftOffset);
    io.Coordinate("framerightoffset", FrameRightOffset);
}

void TspDataSkinMenuItem::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Coordinate("itemleftoffset", ItemLeftOffset);
    io.Coordinate("itemrightoffset", ItemRightOffset);
    io.Rect("dividerrect", DividerRect);
    io.Coordinate("dividerleftoffset", DividerLeftOffset);
    io.Coordinate("dividerrightoffset", DividerRightOffset);
    io.Rect("textrect", TextRect);
    io.FontGroup("", FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("unenabledfontcolor", UnEnabledFontColor);
}

void TspDataSkinMainMenuItem::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Coordinate("itemleftoffset", ItemLeftOffset);
    io.Coordinate("itemrightoffset", ItemRightOffset);
    io.Rect("downrect", DownRect);
    io.Rect("textrect", TextRect);
    io.FontGroup("", FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Color("unenabledfontColor", UnEnabledFontColor);
}

void TspDataSkinLabel::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.FontGroup("", FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Alignment("alignment", Alignment);
    io.Text("textvalue", TextValue);
}

void TspDataSkinBitLabel::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    if (io.Reading()) Morphing = false;
    io.Text("textvalue", TextValue);
    io.Coordinate("symbolwidth", SymbolWidth);
    io.Coordinate("symbolheight", SymbolHeight);
    io.LineList("symbols", Symbols);
}

void TspDataSkinGauge::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Integer("minvalue", MinValue);
    io.Integer("maxvalue", MaxValue);
    std::string kind = Kind == gkHorizontal ? "gkhorizontal" : "gkvertical";
    io.Text("kind", kind, "gkhorizontal");
    if (io.Reading()) Kind = kind == "gkhorizontal" ? gkHorizontal : gkVertical;
}

void TspDataSkinTrackBar::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Point("beginpoint", BeginPoint);
    io.Point("endpoint", EndPoint);
    io.Integer("minvalue", MinValue);
    io.Integer("maxvalue", MaxValue);
    io.Boolean("mousedownchangevalue", MouseDownChangeValue);
    if (io.Reading()) Morphing = false;
}

void ExchangeFramesPlacement(TSkinIniIo& io, const char* key, TspFramesPlacement& v) {
    std::string text = v == fpHorizontal ? "fphorizontal" : "fpvertical";
    io.Text(key, text, "fphorizontal");
    if (io.Reading()) v = text == "fphorizontal" ? fpHorizontal : fpVertical;
}

void ExchangeRegulatorKind(TSkinIniIo& io, const char* key, TspRegulatorKind& v) {
    std::string text = v == rkRound ? "rkround" : v == rkHorizontal ? "rkhorizontal" : "rkvertical";
    io.Text(key, text, "rkround");
    if (io.Reading())
        v = text == "rkround" ? rkRound : text == "rkhorizontal" ? rkHorizontal : rkVertical;
}

void TspDataSkinFrameGaugeObject::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Integer("minvalue", MinValue);
    io.Integer("maxvalue", MaxValue);
    io.Integer("countframes", CountFrames);
    ExchangeFramesPlacement(io, "framesplacement", FramesPlacement);
}

void TspDataSkinFrameRegulatorObject::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    io.Integer("minvalue", MinValue);
    io.Integer("maxvalue", MaxValue);
    io.Integer("countframes", CountFrames);
    ExchangeFramesPlacement(io, "framesplacement", FramesPlacement);
    ExchangeRegulatorKind(io, "kind", Kind);
}

void TspDataSkinAnimate::Exchange(TSkinIniIo& io) {
    TspDataSkinObject::Exchange(io);
    if (io.Reading()) Morphing = false;
    io.Integer("countframes", CountFrames, 1);
    io.Boolean("cycle", Cycle);
    io.Boolean("buttonstyle", ButtonStyle);
    io.Integer("timerinterval", TimerInterval, 50);
    io.Command("command", Command);
}

std::unique_ptr<TspDataSkinObject> CreateSkinObjectDef(const std::string& type,
                                                       const std::string& name) {
    if (type == "menuitem") return std::make_unique<TspDataSkinMenuItem>(name);
    if (type == "mainmenuitem") return std::make_unique<TspDataSkinMainMenuItem>(name);
    if (type == "mainmenubaritem") return std::make_unique<TspDataSkinMainMenuBarItem>(name);
    if (type == "button") return std::make_unique<TspDataSkinButton>(name);
    if (type == "stdbutton") return std::make_unique<TspDataSkinStdButton>(name);
    if (type == "mainmenubarbutton") return std::make_unique<TspDataSkinMainMenuBarButton>(name);
    if (type == "caption") return std::make_unique<TspDataSkinCaption>(name);
    if (type == "trackbar") return std::make_unique<TspDataSkinTrackBar>(name);
    if (type == "gauge") return std::make_unique<TspDataSkinGauge>(name);
    if (type == "framegauge") return std::make_unique<TspDataSkinFrameGaugeObject>(name);
    if (type == "frameregulator") return std::make_unique<TspDataSkinFrameRegulatorObject>(name);
    if (type == "label") return std::make_unique<TspDataSkinLabel>(name);
    if (type == "bitlabel") return std::make_unique<TspDataSkinBitLabel>(name);
    if (type == "switch") return std::make_unique<TspDataSkinSwitch>(name);
    if (type == "animate") return std::make_unique<TspDataSkinAnimate>(name);
    if (type == "userobject") return std::make_unique<TspDataUserObject>(name);
    return nullptr;
}
