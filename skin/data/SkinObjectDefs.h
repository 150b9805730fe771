// Definitions of skin objects: the pieces of the skinned window frame (caption, caption
// buttons, menu items, labels, gauges ...), one per section named in [SKINOBJECTS].
// Plain data read once from the definition text; owned by the skin data component.
#pragma once

#include <memory>
#include <string>

#include "skin/data/SkinIniValues.h"

// Loading reads the section named IDName; saving erases it and writes the values back in
// their written forms.
class TspDataSkinObject : public TSkinSectionDef {
public:
    explicit TspDataSkinObject(std::string idName) : IDName(std::move(idName)) {}

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect{};
    TRect ActiveSkinRect{};
    bool Morphing = false;
    TspMorphStyle MorphKind = mkDefault;
    int32_t ActivePictureIndex = -1;
    int32_t CursorIndex = -1;
    bool RollUp = false;

protected:
    [[nodiscard]] std::string SectionName() const override { return IDName; }
    // The keys in reading order; every class adds its own after its base's.
    void Exchange(TSkinIniIo& io) override;
};

// "userobject": only rollup, skinrect and cursorindex.
class TspDataUserObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinButton : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    int32_t GroupIndex = -1;
    TRect DownRect{};
    TRect DisableSkinRect{};  // key "disableskinrsect"

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinStdButton : public TspDataSkinButton {
public:
    using TspDataSkinButton::TspDataSkinButton;
    TspButtonCommand Command = cmDefault;
    TRect RestoreRect{};
    TRect RestoreActiveRect{};
    TRect RestoreDownRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
    using TspDataSkinStdButton::TspDataSkinStdButton;
};

class TspDataSkinCaption : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taCenter;
    TRect TextRect{};
    bool DefaultCaption = false;
    TRect FrameRect{};
    TRect ActiveFrameRect{};
    int32_t FrameLeftOffset = 0;
    int32_t FrameRightOffset = 0;
    TRect FrameTextRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

// The popup menu item.
class TspDataSkinMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    TRect DividerRect{};
    int32_t DividerLeftOffset = 0;
    int32_t DividerRightOffset = 0;
    int32_t ItemLeftOffset = 0;
    int32_t ItemRightOffset = 0;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRect{};

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinMainMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    TRect DownRect{};
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRect{};
    int32_t ItemLeftOffset = 0;
    int32_t ItemRightOffset = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
};

class TspDataSkinLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    std::string TextValue;

protected:
    void Exchange(TSkinIniIo& io) override;
};

// A label drawn with a bitmap font.
class TspDataSkinBitLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    TStringList Symbols;
    std::string TextValue;
    int32_t SymbolWidth = 0;
    int32_t SymbolHeight = 0;

protected:
    void Exchange(TSkinIniIo& io) override;
};

enum TspGaugeKind { gkHorizontal, gkVertical };

class TspDataSkinGauge : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    TspGaugeKind Kind = gkHorizontal;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinTrackBar : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    TRect ButtonRect{};
    TRect ActiveButtonRect{};
    TPoint BeginPoint{};
    TPoint EndPoint{};
    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    bool MouseDownChangeValue = false;

protected:
    void Exchange(TSkinIniIo& io) override;
};

enum TspFramesPlacement { fpHorizontal, fpVertical };
enum TspRegulatorKind { rkRound, rkHorizontal, rkVertical };

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    int32_t CountFrames = 0;
    TspFramesPlacement FramesPlacement = fpHorizontal;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    int32_t CountFrames = 0;
    TspFramesPlacement FramesPlacement = fpHorizontal;
    TspRegulatorKind Kind = rkRound;

protected:
    void Exchange(TSkinIniIo& io) override;
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
};

class TspDataSkinAnimate : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    int32_t CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int32_t TimerInterval = 50;
    TspButtonCommand Command = cmDefault;

protected:
    void Exchange(TSkinIniIo& io) override;
};

// The class a [SKINOBJECTS] type keyword selects (exact, case-sensitive); nullptr for an
// unknown type.
[[nodiscard]] std::unique_ptr<TspDataSkinObject> CreateSkinObjectDef(const std::string& type,
                                                                     const std::string& name);

// Reading and writing helpers shared with the frame-placement enumerations.
void ExchangeFramesPlacement(TSkinIniIo& io, const char* key, TspFramesPlacement& v);
void ExchangeRegulatorKind(TSkinIniIo& io, const char* key, TspRegulatorKind& v);
