// The value syntax of skin definition texts: points and rectangles scanned digit by digit,
// booleans that are true only for "1", font styles by substring, the enumerations, lists
// and "name:type" entries. TSkinIniIo reads or writes one section with the same calls, so
// each definition class lists its keys once, in reading order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Types.h"
#include "ui/GraphicsObjects.h"
#include "ui/IniFile.h"
#include "ui/Label.h"  // TAlignment
#include "ui/Strings.h"

enum TspMorphStyle {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};
enum TspInactiveImageEffect {
    ieBrightness,
    ieDarkness,
    ieGrayScale,
    ieNoise,
    ieSplitBlur,
    ieInvert
};
enum TspButtonCommand {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// Coordinates, sizes and offsets of every section are kept within the platform's 16-bit
// window coordinates, as the form's frame geometry always was: a value read beyond
// -kMaxSkinCoordinate .. kMaxSkinCoordinate is clamped to it where the section is read, so
// that the drawing code can add a window size to any of them without overflowing.
constexpr int32_t kMaxSkinCoordinate = 32767;
[[nodiscard]] int32_t ClampSkinCoordinate(int64_t v);
// Font heights are read clamped to -kMaxSkinFontHeight .. kMaxSkinFontHeight (the largest
// caption font the frame draws): text that tall already fills a screen, and a control
// sizes its tabs and captions by its text.
constexpr int32_t kMaxSkinFontHeight = 512;
[[nodiscard]] TPoint ClampSkinPoint(TPoint p);
[[nodiscard]] TRect ClampSkinRect(const TRect& r);

// "'%s' is not a valid integer value" (EConvertError) for a field without digits or a
// missing field; blanks and any other non-digit characters (also "-") are dropped.
[[nodiscard]] TPoint ParseSkinPoint(const std::string& text);
[[nodiscard]] TRect ParseSkinRect(const std::string& text);
[[nodiscard]] std::string SkinPointText(TPoint p);
[[nodiscard]] std::string SkinRectText(const TRect& r);

[[nodiscard]] TFontStyles ParseSkinFontStyle(const std::string& text);
[[nodiscard]] std::string SkinFontStyleText(TFontStyles style);
// Exactly "tacenter" is centre, exactly "taleftjustify" left, any other text right.
[[nodiscard]] TAlignment ParseSkinAlignment(const std::string& text);
[[nodiscard]] std::string SkinAlignmentText(TAlignment a);
[[nodiscard]] TspMorphStyle ParseMorphKind(const std::string& text);  // unknown: mkDefault
[[nodiscard]] std::string MorphKindText(TspMorphStyle k);
[[nodiscard]] TspInactiveImageEffect ParseInactiveEffect(
    const std::string& text);  // unknown: ieGrayScale
[[nodiscard]] std::string InactiveEffectText(TspInactiveImageEffect e);
[[nodiscard]] TspButtonCommand ParseButtonCommand(
    const std::string& text);  // unknown: cmMinimizeToTray
[[nodiscard]] std::string ButtonCommandText(TspButtonCommand c);

// Splits "name:rest" at the first ":"; without ":" both parts are empty and it returns false.
bool SplitNameType(const std::string& value, std::string& name, std::string& rest);

// A list named N: N + "count" and entries "0" … count-1. A line list named N: N +
// "linecount" and entries N + "line" + i. Counts of 0 or less read nothing; counts are
// bounded by the number of lines the section has, so a huge count cannot run away.
void ReadSkinList(const TMemIniFile& ini, const std::string& section, const std::string& name,
                  TStringList& out);
void ReadSkinLineList(const TMemIniFile& ini, const std::string& section, const std::string& name,
                      TStringList& out);
void WriteSkinList(TMemIniFile& ini, const std::string& section, const std::string& name,
                   const TStringList& list);
void WriteSkinLineList(TMemIniFile& ini, const std::string& section, const std::string& name,
                       const TStringList& list);
// Number of entries a section holds (used to bound counts read from the text).
[[nodiscard]] int SkinSectionSize(const TMemIniFile& ini, const std::string& section);

// Reads (from a const INI) or writes (to a writable one) the keys of one section.
class TSkinIniIo {
public:
    TSkinIniIo(const TMemIniFile& in, std::string section)
        : in_(&in), section_(std::move(section)) {}
    TSkinIniIo(TMemIniFile& out, std::string section)
        : in_(&out), out_(&out), section_(std::move(section)) {}

    [[nodiscard]] bool Reading() const { return out_ == nullptr; }
    [[nodiscard]] const std::string& Section() const { return section_; }
    [[nodiscard]] const TMemIniFile& Ini() const { return *in_; }

    void Integer(const char* key, int32_t& v, int32_t def = 0);
    // An integer that places or sizes something (an offset, a width): read clamped to
    // -kMaxSkinCoordinate .. kMaxSkinCoordinate. Points and rectangles are read clamped too.
    void Coordinate(const char* key, int32_t& v, int32_t def = 0);
    void Boolean(const char* key, bool& v);
    void Color(const char* key, TColor& v, TColor def = 0);
    void Text(const char* key, std::string& v, const std::string& def = "");
    void Point(const char* key, TPoint& v);
    void Rect(const char* key, TRect& v);
    void FontStyle(const char* key, TFontStyles& v);
    void Alignment(const char* key, TAlignment& v);
    void MorphKind(const char* key, TspMorphStyle& v);
    void InactiveEffect(const char* key, TspInactiveImageEffect& v);
    void Command(const char* key, TspButtonCommand& v);
    void LineList(const char* name, TStringList& v);

    // Key groups that several sections share, each read and written in one place.
    // The font group: prefix + fontname, fontheight (clamped to kMaxSkinFontHeight),
    // fontstyle, fontcolor.
    void FontGroup(const std::string& prefix, std::string& name, int32_t& height,
                   TFontStyles& style, TColor& color);
    // The four corner points: prefix + lefttoppoint, righttoppoint, leftbottompoint,
    // rightbottompoint.
    void CornerPoints(const std::string& prefix, TPoint& leftTop, TPoint& rightTop,
                      TPoint& leftBottom, TPoint& rightBottom);
    // The stretch flags: leftstretch, rightstretch, topstretch, bottomstretch.
    void StretchFlags(bool& left, bool& right, bool& top, bool& bottom);
    // The six rectangles of two step buttons: upbuttonrect, activeupbuttonrect,
    // downupbuttonrect, downbuttonrect, activedownbuttonrect, downdownbuttonrect.
    void UpDownRects(TRect& up, TRect& activeUp, TRect& downUp, TRect& down, TRect& activeDown,
                     TRect& downDown);

private:
    [[nodiscard]] bool Has(const char* key) const { return in_->ValueExists(section_, key); }
    [[nodiscard]] std::string Get(const char* key, const std::string& def) const {
        return in_->ReadString(section_, key, def);
    }
    void Put(const char* key, const std::string& value) { out_->WriteString(section_, key, value); }

    const TMemIniFile* in_;
    TMemIniFile* out_ = nullptr;
    std::string section_;
};

// A definition kept in one section of the definition text. Its keys are listed once, in
// reading order, by Exchange; loading reads them and saving erases the section and writes
// them back.
class TSkinSectionDef {
public:
    virtual ~TSkinSectionDef() = default;
    virtual void LoadFromIni(const TMemIniFile& ini);
    virtual void SaveToIni(TMemIniFile& ini);

protected:
    [[nodiscard]] virtual std::string SectionName() const = 0;
    virtual void Exchange(TSkinIniIo& io) = 0;
};
