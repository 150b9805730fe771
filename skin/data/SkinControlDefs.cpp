#include "skin/data/SkinControlDefs.h"

void TspDataSkinControl::Exchange(TSkinIniIo& io) {
    io.Integer("pictureindex", PictureIndex, -1);
    io.Integer("maskpictureindex", MaskPictureIndex, -1);
    io.Integer("cursorindex", CursorIndex, -1);
    io.Rect("skinrect", SkinRect);
}

void TspDataSkinCustomControl::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.CornerPoints("", LTPoint, RTPoint, LBPoint, RBPoint);
    io.Rect("clientrect", ClientRect);
}

void TspDataSkinPanelControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.Rect("captionrect", CaptionRect);
    io.Alignment("alignment", Alignment);
    Font(io, "", FontDef);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
}

void TspDataSkinExPanelControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("rollhskinrect", RollHSkinRect);
    io.Rect("rollvskinrect", RollVSkinRect);
    io.Coordinate("rollleftoffset", RollLeftOffset);
    io.Coordinate("rollrightoffset", RollRightOffset);
    io.Coordinate("rolltopoffset", RollTopOffset);
    io.Coordinate("rollbottomoffset", RollBottomOffset);
    io.Rect("rollvcaptionrect", RollVCaptionRect);
    io.Rect("rollhcaptionrect", RollHCaptionRect);
    io.Rect("closebuttonrect", CloseButtonRect);
    io.Rect("closebuttonactiverect", CloseButtonActiveRect);
    io.Rect("closebuttondownrect", CloseButtonDownRect);
    io.Rect("hrollbuttonrect", HRollButtonRect);
    io.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    io.Rect("hrollbuttondownrect", HRollButtonDownRect);
    io.Rect("hrestorebuttonrect", HRestoreButtonRect);
    io.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    io.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    io.Rect("vrollbuttonrect", VRollButtonRect);
    io.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    io.Rect("vrollbuttondownrect", VRollButtonDownRect);
    io.Rect("vrestorebuttonrect", VRestoreButtonRect);
    io.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    io.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    io.Rect("captionrect", CaptionRect);
    Font(io, "", FontDef);
}

void TspDataSkinTabControl::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.Rect("tabrect", TabRect);
    io.Rect("activetabrect", ActiveTabRect);
    io.Rect("focustabrect", FocusTabRect);
    io.Rect("mouseintabrect", MouseInTabRect);
    io.Rect("clientrect", ClientRect);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.CornerPoints("", LTPoint, RTPoint, LBPoint, RBPoint);
    io.Coordinate("tableftoffset", TabLeftOffset);
    io.Coordinate("tabrightoffset", TabRightOffset);
    io.Rect("tabsbgrect", TabsBGRect);
    Font(io, "", FontDef);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Color("mouseinfontcolor", MouseInFontColor);
    io.Text("updown", UpDown);
}

void TspDataSkinButtonControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    Font(io, "", FontDef);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Boolean("morphing", Morphing);
    io.MorphKind("morphkind", MorphKind);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("downskinrect", DownSkinRect);
    io.Rect("disabledskinrect", DisabledSkinRect);
}

void TspDataSkinMenuButtonControl::Exchange(TSkinIniIo& io) {
    TspDataSkinButtonControl::Exchange(io);
    io.Rect("trackbuttonrect", TrackButtonRect);
}

void TspDataSkinCheckRadioControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    Font(io, "", FontDef);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("unenabledfontcolor", UnEnabledFontColor);
    io.Color("framefontcolor", FrameFontColor);
    io.Boolean("morphing", Morphing);
    io.MorphKind("morphkind", MorphKind);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("checkimagearea", CheckImageArea);
    io.Rect("textarea", TextArea);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
    io.Rect("activecheckimagerect", ActiveCheckImageRect);
    io.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    io.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    io.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
}

void TspDataSkinGaugeControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("progressarea", ProgressArea);
    io.Rect("progressrect", ProgressRect);
    io.Coordinate("beginoffset", BeginOffset);
    io.Coordinate("endoffset", EndOffset);
    io.Boolean("vertical", Vertical);
    Font(io, "", FontDef);
}

void TspDataSkinTrackBarControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", TrackArea);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Boolean("vertical", Vertical);
}

void TspDataSkinLabelControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    Font(io, "", FontDef);
}

void TspDataSkinStdLabelControl::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    Font(io, "", FontDef);
    io.Color("activefontcolor", ActiveFontColor, 16711680);
}

void TspDataSkinBitLabelControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("skintextrect", SkinTextRect);
    io.Coordinate("symbolwidth", SymbolWidth);
    io.Coordinate("symbolheight", SymbolHeight);
    io.LineList("symbols", Symbols);
}

void TspDataSkinFrameControl::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.Integer("framescount", FramesCount, 1);
    if (FramesCount < 1) FramesCount = 1;
    ExchangeFramesPlacement(io, "framesplacement", FramesPlacement);
}

void TspDataSkinFrameRegulator::Exchange(TSkinIniIo& io) {
    TspDataSkinFrameControl::Exchange(io);
    ExchangeRegulatorKind(io, "kind", Kind);
}

void TspDataSkinUpDownControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.UpDownRects(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                   ActiveDownButtonRect, DownDownButtonRect);
}

void TspDataSkinGridControl::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.Rect("fixedcellrect", FixedCellRect);
    io.Rect("selectcellrect", SelectCellRect);
    io.Rect("focuscellrect", FocusCellRect);
    io.Coordinate("fixedcellleftoffset", FixedCellLeftOffset);
    io.Coordinate("fixedcellrightoffset", FixedCellRightOffset);
    io.Rect("fixedcelltextrect", FixedCellTextRect);
    io.Coordinate("cellleftoffset", CellLeftOffset);
    io.Coordinate("cellrightoffset", CellRightOffset);
    io.Rect("celltextrect", CellTextRect);
    io.Color("linescolor", LinesColor);
    io.Color("bgcolor", BGColor);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    Font(io, "", FontDef);
    io.Color("selectfontcolor", SelectFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    Font(io, "fixed", FixedFontDef);
}

void TspDataSkinMainMenuBar::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.Rect("itemsrect", ItemsRect);
    io.Text("menubaritem", MenuBarItem);
    io.Text("closebutton", CloseButton);
    io.Text("minbutton", MinButton);
    io.Text("maxbutton", MaxButton);
    io.Text("sysmenubutton", SysMenuButton);
    io.Color("trackmarkcolor", TrackMarkColor);
    io.Color("trackmarkactivecolor", TrackMarkActiveColor);
}

void TspDataSkinControlBar::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TspDataSkinEditControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    Font(io, "", FontDef);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TspDataSkinMemoControl::Exchange(TSkinIniIo& io) {
    TspDataSkinEditControl::Exchange(io);
    io.Color("bgcolor", BGColor);
    io.Color("activebgcolor", ActiveBGColor);
}

void TspDataSkinListBox::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Rect("activeitemrect", ActiveItemRect);
    io.Rect("focusitemrect", FocusItemRect);
    io.Coordinate("itemleftoffset", ItemLeftOffset);
    io.Coordinate("itemrightoffset", ItemRightOffset);
    io.Rect("itemtextrect", ItemTextRect);
    Font(io, "", FontDef);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Rect("captionrect", CaptionRect);
    Font(io, "caption", CaptionFontDef);
    io.UpDownRects(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                   ActiveDownButtonRect, DownDownButtonRect);
    io.Rect("checkbuttonrect", CheckButtonRect);
    io.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    io.Rect("downcheckbuttonrect", DownCheckButtonRect);
    io.Text("vscrollbarname", VScrollBarName, "vscrollbar");
    io.Text("hscrollbarname", HScrollBarName, "hscrollbar");
    io.Text("bothhscrollbarname", BothScrollBarName, "bothhscrollbar");
}

void TspDataSkinCheckListBox::Exchange(TSkinIniIo& io) {
    TspDataSkinListBox::Exchange(io);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("itemcheckrect", ItemCheckRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
}

void TspDataSkinComboBox::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Rect("focusitemrect", FocusItemRect);
    io.Coordinate("itemleftoffset", ItemLeftOffset);
    io.Coordinate("itemrightoffset", ItemRightOffset);
    io.Rect("itemtextrect", ItemTextRect);
    Font(io, "", FontDef);
    io.Color("focusfontcolor", FocusFontColor);
    io.Text("listboxname", ListBoxName);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TspDataSkinScrollBarControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", TrackArea);
    io.UpDownRects(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                   ActiveDownButtonRect, DownDownButtonRect);
    io.Rect("thumbrect", ThumbRect);
    io.Rect("activethumbrect", ActiveThumbRect);
    io.Rect("downthumbrect", DownThumbRect);
    io.Coordinate("thumboffset1", ThumbOffset1);
    io.Coordinate("thumboffset2", ThumbOffset2);
    io.Rect("glyphrect", GlyphRect);
    io.Rect("activeglyphrect", ActiveGlyphRect);
    io.Rect("downglyphrect", DownGlyphRect);
}

void TspDataSkinSpinEditControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    Font(io, "", FontDef);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.UpDownRects(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                   ActiveDownButtonRect, DownDownButtonRect);
}

void TspDataSkinScrollBoxControl::Exchange(TSkinIniIo& io) {
    TspDataSkinCustomControl::Exchange(io);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TspDataSkinTextViewControl::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    Font(io, "", FontDef);
    io.Color("bgcolor", BGColor);
}

void TspDataSkinSlider::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.Color("bgcolor", BGColor);
    io.Rect("hrulerrect", HRulerRect);
    io.Rect("hthumbrect", HThumbRect);
    io.Rect("vrulerrect", VRulerRect);
    io.Rect("vthumbrect", VThumbRect);
    io.Coordinate("edgesize", EdgeSize);
    io.Color("pointscolor", PointsColor);
}

void TspDataSkinBevel::Exchange(TSkinIniIo& io) {
    TspDataSkinControl::Exchange(io);
    io.Color("lightcolor", LightColor);
    io.Color("darkcolor", DarkColor);
}

std::unique_ptr<TspDataSkinControl> CreateSkinControlDef(const std::string& type,
                                                         const std::string& name) {
    if (type == "panel") return std::make_unique<TspDataSkinPanelControl>(name);
    if (type == "expanel") return std::make_unique<TspDataSkinExPanelControl>(name);
    if (type == "tab") return std::make_unique<TspDataSkinTabControl>(name);
    if (type == "button") return std::make_unique<TspDataSkinButtonControl>(name);
    if (type == "menubutton") return std::make_unique<TspDataSkinMenuButtonControl>(name);
    if (type == "checkradio") return std::make_unique<TspDataSkinCheckRadioControl>(name);
    if (type == "gauge") return std::make_unique<TspDataSkinGaugeControl>(name);
    if (type == "splitter") return std::make_unique<TspDataSkinSplitterControl>(name);
    if (type == "trackbar") return std::make_unique<TspDataSkinTrackBarControl>(name);
    if (type == "label") return std::make_unique<TspDataSkinLabelControl>(name);
    if (type == "stdlabel") return std::make_unique<TspDataSkinStdLabelControl>(name);
    if (type == "bitlabel") return std::make_unique<TspDataSkinBitLabelControl>(name);
    if (type == "frameregulator") return std::make_unique<TspDataSkinFrameRegulator>(name);
    if (type == "framegauge") return std::make_unique<TspDataSkinFrameGauge>(name);
    if (type == "animate") return std::make_unique<TspDataSkinAnimateControl>(name);
    if (type == "switch") return std::make_unique<TspDataSkinSwitchControl>(name);
    if (type == "updown") return std::make_unique<TspDataSkinUpDownControl>(name);
    if (type == "grid") return std::make_unique<TspDataSkinGridControl>(name);
    if (type == "mainmenubar") return std::make_unique<TspDataSkinMainMenuBar>(name);
    if (type == "controlbar") return std::make_unique<TspDataSkinControlBar>(name);
    if (type == "edit") return std::make_unique<TspDataSkinEditControl>(name);
    if (type == "memo") return std::make_unique<TspDataSkinMemoControl>(name);
    if (type == "listbox") return std::make_unique<TspDataSkinListBox>(name);
    if (type == "checklistbox") return std::make_unique<TspDataSkinCheckListBox>(name);
    if (type == "combobox") return std::make_unique<TspDataSkinComboBox>(name);
    if (type == "scrollbar") return std::make_unique<TspDataSkinScrollBarControl>(name);
    if (type == "spinedit") return std::make_unique<TspDataSkinSpinEditControl>(name);
    if (type == "scrollbox") return std::make_unique<TspDataSkinScrollBoxControl>(name);
    if (type == "treeview") return std::make_unique<TspDataSkinTreeView>(name);
    if (type == "listview") return std::make_unique<TspDataSkinListView>(name);
    if (type == "richedit") return std::make_unique<TspDataSkinRichEdit>(name);
    if (type == "slider") return std::make_unique<TspDataSkinSlider>(name);
    if (type == "bevel") return std::make_unique<TspDataSkinBevel>(name);
    return nullptr;
}
