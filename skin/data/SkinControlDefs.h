// Definitions of skin controls: how each kind of skinned control draws itself (picture,
// rectangle, corner points, client area and the kind's own images, fonts and colours), one
// per section named in [SKINCONTROLS]. Unless a comment says otherwise, rectangles that
// name an image are in picture coordinates and areas inside the control are relative to
// the top-left of SkinRect.
#pragma once

#include <memory>
#include <string>

#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinObjectDefs.h"  // frame placement and regulator kind

// A font group as the definition text writes it: fontname, fontheight, fontstyle, fontcolor.
struct TspSkinFontDef {
    std::string Name = "Arial";
    int32_t Height = 14;
    TFontStyles Style = 0;
    TColor Color = 0;
};

class TspDataSkinControl : public TSkinSectionDef {
public:
    explicit TspDataSkinControl(std::string idName) : IDName(std::move(idName)) {}

    std::string IDName;
    int32_t PictureIndex = -1;
    int32_t MaskPictureIndex = -1;
    int32_t CursorIndex = -1;
    TRect SkinRect{};

protected:
    [[nodiscard]] std::string SectionName() const override { return IDName; }
    void Exchange(TSkinIniIo& io) override;
    static void Font(TSkinIniIo& io, const std::string& prefix, TspSkinFontDef& f) {
        io.FontGroup(prefix, f.Name, f.Height, f.Style, f.Color);
    }
};

// Base of the resizable controls: corner points and client area, relative to SkinRect.
class TspDataSkinCustomControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
    TRect ClientRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinPanelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    int32_t BGPictureIndex = -1;
    TRect CaptionRect{};
    TAlignment Alignment = taCenter;
    TspSkinFontDef FontDef;
    TRect CheckImageRect{}, UnCheckImageRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinExPanelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect RollHSkinRect{}, RollVSkinRect{};
    int32_t RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect{}, RollHCaptionRect{};
    TRect CloseButtonRect{}, CloseButtonActiveRect{}, CloseButtonDownRect{};
    TRect HRollButtonRect{}, HRollButtonActiveRect{}, HRollButtonDownRect{};
    TRect HRestoreButtonRect{}, HRestoreButtonActiveRect{}, HRestoreButtonDownRect{};
    TRect VRollButtonRect{}, VRollButtonActiveRect{}, VRollButtonDownRect{};
    TRect VRestoreButtonRect{}, VRestoreButtonActiveRect{}, VRestoreButtonDownRect{};
    TRect CaptionRect{};
    TspSkinFontDef FontDef;

protected:
    void Exchange(TSkinIniIo& io) override;
};

// The page control: tab images, page area with corner points, and the scroller's section.
class TspDataSkinTabControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TRect TabRect{}, ActiveTabRect{}, FocusTabRect{}, MouseInTabRect{};
    TRect ClientRect{};
    int32_t BGPictureIndex = -1;
    TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
    int32_t TabLeftOffset = 0, TabRightOffset = 0;
    TRect TabsBGRect{};
    TspSkinFontDef FontDef;
    TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinButtonControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TspSkinFontDef FontDef;
    TColor ActiveFontColor = 0, DisabledFontColor = 0, DownFontColor = 0;
    bool Morphing = false;
    TspMorphStyle MorphKind = mkDefault;
    TRect ActiveSkinRect{}, DownSkinRect{}, DisabledSkinRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinMenuButtonControl : public TspDataSkinButtonControl {
public:
    using TspDataSkinButtonControl::TspDataSkinButtonControl;
    TRect TrackButtonRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinCheckRadioControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TspSkinFontDef FontDef;
    TColor ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
    bool Morphing = false;
    TspMorphStyle MorphKind = mkDefault;
    TRect ActiveSkinRect{}, CheckImageArea{}, TextArea{}, CheckImageRect{}, UnCheckImageRect{};
    TRect ActiveCheckImageRect{}, ActiveUnCheckImageRect{}, UnEnabledCheckImageRect{},
        UnEnabledUnCheckImageRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinGaugeControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect ProgressArea{}, ProgressRect{};
    int32_t BeginOffset = 0, EndOffset = 0;
    bool Vertical = false;
    TspSkinFontDef FontDef;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
};

class TspDataSkinTrackBarControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect TrackArea{}, ButtonRect{}, ActiveButtonRect{};
    bool Vertical = false;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinLabelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TspSkinFontDef FontDef;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinStdLabelControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TspSkinFontDef FontDef;
    TColor ActiveFontColor = 16711680;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinBitLabelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect SkinTextRect{};
    int32_t SymbolWidth = 0, SymbolHeight = 0;
    TStringList Symbols;

protected:
    void Exchange(TSkinIniIo& io) override;
};

// Frame strips (animations, switches, frame gauges and regulators).
class TspDataSkinFrameControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    int32_t FramesCount = 1;  // never below 1
    TspFramesPlacement FramesPlacement = fpHorizontal;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinFrameRegulator : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    TspRegulatorKind Kind = rkRound;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
};
class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
};
class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

// Up-down buttons. Normal pieces (UpButtonRect, DownButtonRect) are places inside the
// control; the active and pressed pieces are images in the picture.
class TspDataSkinUpDownControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect UpButtonRect{}, ActiveUpButtonRect{}, DownUpButtonRect{};
    TRect DownButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinGridControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TRect FixedCellRect{}, SelectCellRect{}, FocusCellRect{};
    int32_t FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect{};
    int32_t CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect{};
    TColor LinesColor = 0, BGColor = 0;
    int32_t BGPictureIndex = -1;
    TspSkinFontDef FontDef;
    TColor SelectFontColor = 0, FocusFontColor = 0;
    TspSkinFontDef FixedFontDef;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinMainMenuBar : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TRect ItemsRect{};
    std::string MenuBarItem, CloseButton, MinButton, MaxButton,
        SysMenuButton;  // [SKINOBJECTS] names
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinControlBar : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect ItemRect{};
    int32_t BGPictureIndex = -1;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinEditControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect ActiveSkinRect{};
    TspSkinFontDef FontDef;
    TColor DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect{}, ActiveButtonRect{}, DownButtonRect{}, UnEnabledButtonRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinMemoControl : public TspDataSkinEditControl {
public:
    using TspDataSkinEditControl::TspDataSkinEditControl;
    TColor BGColor = 0, ActiveBGColor = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinListBox : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect ItemRect{}, ActiveItemRect{}, FocusItemRect{};
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect{};
    TspSkinFontDef FontDef;
    TColor ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect{};
    TspSkinFontDef CaptionFontDef;
    TRect UpButtonRect{}, ActiveUpButtonRect{}, DownUpButtonRect{};
    TRect DownButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};
    TRect CheckButtonRect{}, ActiveCheckButtonRect{}, DownCheckButtonRect{};
    std::string VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar",
                BothScrollBarName = "bothhscrollbar";

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinCheckListBox : public TspDataSkinListBox {
public:
    using TspDataSkinListBox::TspDataSkinListBox;
    TRect CheckImageRect{}, ItemCheckRect{}, UnCheckImageRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinComboBox : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect ItemRect{}, FocusItemRect{};
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect{};
    TspSkinFontDef FontDef;
    TColor FocusFontColor = 0;
    std::string ListBoxName;
    TRect ButtonRect{}, ActiveButtonRect{}, DownButtonRect{}, UnEnabledButtonRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinScrollBarControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect TrackArea{};
    TRect UpButtonRect{}, ActiveUpButtonRect{}, DownUpButtonRect{};
    TRect DownButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};
    TRect ThumbRect{}, ActiveThumbRect{}, DownThumbRect{};
    int32_t ThumbOffset1 = 0, ThumbOffset2 = 0;
    TRect GlyphRect{}, ActiveGlyphRect{}, DownGlyphRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinSpinEditControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    TRect ActiveSkinRect{};
    TspSkinFontDef FontDef;
    TColor ActiveFontColor = 0, DisabledFontColor = 0;
    TRect UpButtonRect{}, ActiveUpButtonRect{}, DownUpButtonRect{};
    TRect DownButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinScrollBoxControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    int32_t BGPictureIndex = -1;

protected:
    void Exchange(TSkinIniIo& io) override;
};

// Tree view, list view and rich edit: a font and a background colour.
class TspDataSkinTextViewControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TspSkinFontDef FontDef;
    TColor BGColor = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};
class TspDataSkinTreeView : public TspDataSkinTextViewControl {
public:
    using TspDataSkinTextViewControl::TspDataSkinTextViewControl;
};
class TspDataSkinListView : public TspDataSkinTextViewControl {
public:
    using TspDataSkinTextViewControl::TspDataSkinTextViewControl;
};
class TspDataSkinRichEdit : public TspDataSkinTextViewControl {
public:
    using TspDataSkinTextViewControl::TspDataSkinTextViewControl;
};

class TspDataSkinSlider : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TColor BGColor = 0;
    TRect HRulerRect{}, HThumbRect{}, VRulerRect{}, VThumbRect{};
    int32_t EdgeSize = 0;
    TColor PointsColor = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinBevel : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    TColor LightColor = 0, DarkColor = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};

// The class a [SKINCONTROLS] type keyword selects (exact, case-sensitive); nullptr for an
// unknown type.
[[nodiscard]] std::unique_ptr<TspDataSkinControl> CreateSkinControlDef(const std::string& type,
                                                                       const std::string& name);
