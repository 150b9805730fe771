#include "skin/data/SkinIniValues.h"

#include <algorithm>
#include <array>

#include "base/Exceptions.h"

namespace {

// Scans the value into comma-separated fields of digits; every other character is dropped.
std::vector<std::string> DigitFields(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == ',')
            fields.emplace_back();
        else if (c >= '0' && c <= '9')
            fields.back() += c;
    }
    return fields;
}

int32_t FieldValue(const std::vector<std::string>& fields, size_t i) {
    const std::string field = i < fields.size() ? fields[i] : std::string();
    int32_t v = 0;
    if (field.empty() || !TryParseIniInteger(field, v))
        throw EConvertError("'" + field + "' is not a valid integer value");
    return v;
}

template <typename E, size_t N>
E ParseEnum(const std::string& text, const std::array<const char*, N>& names, E other) {
    for (size_t i = 0; i < N; ++i)
        if (text == names[i]) return static_cast<E>(i);
    return other;
}

const std::array<const char*, 7> kMorphKinds = {"mkdefault",       "mkgradient",  "mkleftgradient",
                                                "mkrightgradient", "mkleftslide", "mkrightslide",
                                                "mkpush"};
const std::array<const char*, 6> kInactiveEffects = {"iebrightness", "iedarkness",  "iegrayscale",
                                                     "ienoise",      "iesplitblur", "ieinvert"};
const std::array<const char*, 7> kCommands = {"cmclose",         "cmmaximize", "cmminimize",
                                              "cmsysmenu",       "cmdefault",  "cmrollup",
                                              "cmminimizetotray"};

}  // namespace

int32_t ClampSkinCoordinate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kMaxSkinCoordinate, kMaxSkinCoordinate));
}

TPoint ClampSkinPoint(TPoint p) { return {ClampSkinCoordinate(p.X), ClampSkinCoordinate(p.Y)}; }

TRect ClampSkinRect(const TRect& r) {
    return {ClampSkinCoordinate(r.Left), ClampSkinCoordinate(r.Top), ClampSkinCoordinate(r.Right),
            ClampSkinCoordinate(r.Bottom)};
}

TPoint ParseSkinPoint(const std::string& text) {
    const auto f = DigitFields(text);
    return {FieldValue(f, 0), FieldValue(f, 1)};
}

TRect ParseSkinRect(const std::string& text) {
    const auto f = DigitFields(text);
    return {FieldValue(f, 0), FieldValue(f, 1), FieldValue(f, 2), FieldValue(f, 3)};
}

std::string SkinPointText(TPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }

std::string SkinRectText(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

TFontStyles ParseSkinFontStyle(const std::string& text) {
    TFontStyles s = 0;
    if (text.find("fsbold") != std::string::npos) s |= fsBold;
    if (text.find("fsitalic") != std::string::npos) s |= fsItalic;
    if (text.find("fsunderline") != std::string::npos) s |= fsUnderline;
    if (text.find("fsstrikeout") != std::string::npos) s |= fsStrikeOut;
    return s;
}

std::string SkinFontStyleText(TFontStyles style) {
    std::string out;
    auto add = [&](TFontStyle bit, const char* name) {
        if (!(style & bit)) return;
        if (!out.empty()) out += ",";
        out += name;
    };
    add(fsBold, "fsbold");
    add(fsItalic, "fsitalic");
    add(fsUnderline, "fsunderline");
    add(fsStrikeOut, "fsstrikeout");
    return out;
}

TAlignment ParseSkinAlignment(const std::string& text) {
    if (text == "tacenter") return taCenter;
    if (text == "taleftjustify") return taLeftJustify;
    return taRightJustify;
}

std::string SkinAlignmentText(TAlignment a) {
    return a == taCenter ? "tacenter" : a == taLeftJustify ? "taleftjustify" : "tarightjustify";
}

TspMorphStyle ParseMorphKind(const std::string& text) {
    return ParseEnum(text, kMorphKinds, mkDefault);
}
std::string MorphKindText(TspMorphStyle k) { return kMorphKinds.at(static_cast<size_t>(k)); }
TspInactiveImageEffect ParseInactiveEffect(const std::string& text) {
    return ParseEnum(text, kInactiveEffects, ieGrayScale);
}
std::string InactiveEffectText(TspInactiveImageEffect e) {
    return kInactiveEffects.at(static_cast<size_t>(e));
}
TspButtonCommand ParseButtonCommand(const std::string& text) {
    return ParseEnum(text, kCommands, cmMinimizeToTray);
}
std::string ButtonCommandText(TspButtonCommand c) { return kCommands.at(static_cast<size_t>(c)); }

bool SplitNameType(const std::string& value, std::string& name, std::string& rest) {
    const size_t colon = value.find(':');
    if (colon == std::string::npos) {
        name.clear();
        rest.clear();
        return false;
    }
    name = value.substr(0, colon);
    rest = value.substr(colon + 1);
    return true;
}

int SkinSectionSize(const TMemIniFile& ini, const std::string& section) {
    TStringList keys;
    ini.ReadSection(section, keys);
    return keys.Count();
}

namespace {

// An entry beyond the section's size cannot exist (each entry is one line), so counts are
// bounded by it: a count of two billion in a ten-line section reads ten entries at most.
int BoundedCount(const TMemIniFile& ini, const std::string& section, const std::string& countKey) {
    const int32_t count = ini.ReadInteger(section, countKey, 0);
    if (count <= 0) return 0;
    return std::min(count, SkinSectionSize(ini, section));
}

}  // namespace

void ReadSkinList(const TMemIniFile& ini, const std::string& section, const std::string& name,
                  TStringList& out) {
    const int count = BoundedCount(ini, section, name + "count");
    for (int i = 0; i < count; ++i) out.Add(ini.ReadString(section, std::to_string(i), ""));
}

void ReadSkinLineList(const TMemIniFile& ini, const std::string& section, const std::string& name,
                      TStringList& out) {
    const int count = BoundedCount(ini, section, name + "linecount");
    for (int i = 0; i < count; ++i)
        out.Add(ini.ReadString(section, name + "line" + std::to_string(i), ""));
}

void WriteSkinList(TMemIniFile& ini, const std::string& section, const std::string& name,
                   const TStringList& list) {
    ini.WriteInteger(section, name + "count", list.Count());
    for (int i = 0; i < list.Count(); ++i)
        ini.WriteString(section, std::to_string(i), list.Strings(i));
}

void WriteSkinLineList(TMemIniFile& ini, const std::string& section, const std::string& name,
                       const TStringList& list) {
    ini.WriteInteger(section, name + "linecount", list.Count());
    for (int i = 0; i < list.Count(); ++i)
        ini.WriteString(section, name + "line" + std::to_string(i), list.Strings(i));
}

// --- TSkinIniIo ---

void TSkinIniIo::Integer(const char* key, int32_t& v, int32_t def) {
    if (Reading())
        v = in_->ReadInteger(section_, key, def);
    else
        out_->WriteInteger(section_, key, v);
}

void TSkinIniIo::Coordinate(const char* key, int32_t& v, int32_t def) {
    if (Reading())
        v = ClampSkinCoordinate(in_->ReadInteger(section_, key, def));
    else
        out_->WriteInteger(section_, key, v);
}

void TSkinIniIo::Boolean(const char* key, bool& v) {
    if (Reading())
        v = in_->ReadInteger(section_, key, 0) == 1;
    else
        Put(key, v ? "1" : "0");
}

void TSkinIniIo::Color(const char* key, TColor& v, TColor def) { Integer(key, v, def); }

void TSkinIniIo::Text(const char* key, std::string& v, const std::string& def) {
    if (Reading())
        v = Get(key, def);
    else
        Put(key, v);
}

void TSkinIniIo::Point(const char* key, TPoint& v) {
    if (Reading())
        v = ClampSkinPoint(ParseSkinPoint(Get(key, "0,0")));
    else
        Put(key, SkinPointText(v));
}

void TSkinIniIo::Rect(const char* key, TRect& v) {
    if (Reading())
        v = ClampSkinRect(ParseSkinRect(Get(key, "0,0,0,0")));
    else
        Put(key, SkinRectText(v));
}

void TSkinIniIo::FontStyle(const char* key, TFontStyles& v) {
    if (Reading())
        v = ParseSkinFontStyle(Get(key, ""));
    else
        Put(key, SkinFontStyleText(v));
}

void TSkinIniIo::Alignment(const char* key, TAlignment& v) {
    if (Reading())
        v = ParseSkinAlignment(Get(key, "tacenter"));
    else
        Put(key, SkinAlignmentText(v));
}

void TSkinIniIo::MorphKind(const char* key, TspMorphStyle& v) {
    if (Reading())
        v = ParseMorphKind(Get(key, "mkdefault"));
    else
        Put(key, MorphKindText(v));
}

void TSkinIniIo::InactiveEffect(const char* key, TspInactiveImageEffect& v) {
    if (Reading())
        v = ParseInactiveEffect(Get(key, "iebrightness"));
    else
        Put(key, InactiveEffectText(v));
}

void TSkinIniIo::Command(const char* key, TspButtonCommand& v) {
    if (Reading())
        v = ParseButtonCommand(Get(key, "cmdefault"));
    else
        Put(key, ButtonCommandText(v));
}

void TSkinIniIo::LineList(const char* name, TStringList& v) {
    if (Reading()) {
        v.Clear();
        ReadSkinLineList(*in_, section_, name, v);
    } else {
        WriteSkinLineList(*out_, section_, name, v);
    }
}

void TSkinIniIo::CornerPoints(const std::string& prefix, TPoint& leftTop, TPoint& rightTop,
                              TPoint& leftBottom, TPoint& rightBottom) {
    Point((prefix + "lefttoppoint").c_str(), leftTop);
    Point((prefix + "righttoppoint").c_str(), rightTop);
    Point((prefix + "leftbottompoint").c_str(), leftBottom);
    Point((prefix + "rightbottompoint").c_str(), rightBottom);
}

void TSkinIniIo::StretchFlags(bool& left, bool& right, bool& top, bool& bottom) {
    Boolean("leftstretch", left);
    Boolean("rightstretch", right);
    Boolean("topstretch", top);
    Boolean("bottomstretch", bottom);
}

void TSkinIniIo::UpDownRects(TRect& up, TRect& activeUp, TRect& downUp, TRect& down,
                             TRect& activeDown, TRect& downDown) {
    Rect("upbuttonrect", up);
    Rect("activeupbuttonrect", activeUp);
    Rect("downupbuttonrect", downUp);
    Rect("downbuttonrect", down);
    Rect("activedownbuttonrect", activeDown);
    Rect("downdownbuttonrect", downDown);
}

void TSkinIniIo::FontGroup(const std::string& prefix, std::string& name, int32_t& height,
                           TFontStyles& style, TColor& color) {
    Text((prefix + "fontname").c_str(), name, "Arial");
    Integer((prefix + "fontheight").c_str(), height, 14);
    if (Reading()) height = std::clamp(height, -kMaxSkinFontHeight, kMaxSkinFontHeight);
    FontStyle((prefix + "fontstyle").c_str(), style);
    Color((prefix + "fontcolor").c_str(), color);
}

// --- TSkinSectionDef ---

void TSkinSectionDef::LoadFromIni(const TMemIniFile& ini) {
    TSkinIniIo io(ini, SectionName());
    Exchange(io);
}

void TSkinSectionDef::SaveToIni(TMemIniFile& ini) {
    const std::string section = SectionName();
    ini.EraseSection(section);
    TSkinIniIo io(ini, section);
    Exchange(io);
}
