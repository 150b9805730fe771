// Every key the compiled-in skin writes in an object or control section is one its
// definition class reads, with the same value: a reader that misspells a key, forgets one
// or reads it with the wrong type would drop or change it when the definition writes itself
// back. Empty sections give the classes' defaults.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/AsciiText.h"
#include "skin/data/SkinControlDefs.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/data/SkinWindowDefs.h"
#include "ui/IniFile.h"
#include "ui/Strings.h"

namespace {

// Values compared without blanks and letter case (rectangles may be written "1, 2, 3, 4",
// enumerations in any case).
std::string Normal(const std::string& v) {
    std::string out;
    for (char c : v)
        if (c != ' ' && c != '\t') out += LowerAscii(c);
    return out;
}

struct Definition {
    std::string name, type;
};

std::vector<Definition> Entries(const TMemIniFile& ini, const std::string& section) {
    std::vector<Definition> out;
    const int count = ini.ReadInteger(section, "count", 0);
    for (int i = 0; i < count; ++i) {
        Definition d;
        if (SplitNameType(ini.ReadString(section, std::to_string(i), ""), d.name, d.type))
            out.push_back(d);
    }
    return out;
}

// Loads each listed section with its class, writes it back and compares key by key.
template <class Create>
int CheckSections(const TMemIniFile& skin, const std::string& list, Create create,
                  const std::vector<std::string>& unread = {}) {
    int checked = 0;
    for (const Definition& d : Entries(skin, list)) {
        auto def = create(d.type, d.name);
        if (!def) continue;
        SCOPED_TRACE(d.name + ":" + d.type);
        def->LoadFromIni(skin);
        TMemIniFile written;
        def->SaveToIni(written);
        TStringList keys;
        skin.ReadSection(d.name, keys);
        for (const std::string& key : keys) {
            if (std::find(unread.begin(), unread.end(), key) != unread.end()) continue;
            if (!written.ValueExists(d.name, key)) {
                ADD_FAILURE() << "key \"" << key << "\" is not read";
                continue;
            }
            EXPECT_EQ(Normal(written.ReadString(d.name, key, "")),
                      Normal(skin.ReadString(d.name, key, "")))
                << "key \"" << key << "\"";
        }
        ++checked;
    }
    return checked;
}

TMemIniFile DefaultSkin() {
    TStringList lines;
    lines.LoadFromFile(std::string(PB_SOURCE_DIR) + "/skins/default/skin.ini");
    TMemIniFile ini;
    ini.SetStrings(lines);
    return ini;
}

TEST(SkinDefinitionKeys, EveryKeyOfTheDefaultSkinIsReadBackUnchanged) {
    const TMemIniFile skin = DefaultSkin();
    EXPECT_EQ(CheckSections(skin, "SKINOBJECTS", CreateSkinObjectDef), 13);
    // The skin's control sections also carry edge stretch keys that no control definition
    // reads.
    EXPECT_EQ(CheckSections(
                  skin, "SKINCONTROLS", CreateSkinControlDef,
                  {"leftstretch", "topstretch", "rightstretch", "bottomstretch", "stretcheffect"}),
              61);
}

TEST(SkinDefinitionKeys, EmptySectionsGiveTheDefaults) {
    const TMemIniFile empty;
    TspDataSkinCaption caption("c");
    caption.LoadFromIni(empty);
    EXPECT_EQ(caption.FontName, "Arial");
    EXPECT_EQ(caption.FontHeight, 14);
    EXPECT_EQ(caption.ActivePictureIndex, -1);
    EXPECT_EQ(caption.CursorIndex, -1);
    TspDataSkinStdButton button("b");
    button.LoadFromIni(empty);
    EXPECT_EQ(button.GroupIndex, -1);
    EXPECT_EQ(button.Command, cmDefault);
    TspDataSkinPanelControl panel("p");
    panel.LoadFromIni(empty);
    EXPECT_EQ(panel.PictureIndex, -1);
    EXPECT_EQ(panel.MaskPictureIndex, -1);
    EXPECT_EQ(panel.BGPictureIndex, -1);
    EXPECT_EQ(panel.FontDef.Name, "Arial");
    EXPECT_EQ(panel.FontDef.Height, 14);
}

// The popup and hint window sections read every key of the default skin back unchanged.
TEST(SkinDefinitionKeys, WindowSectionsAreReadBackUnchanged) {
    const TMemIniFile skin = DefaultSkin();
    TspDataSkinPopupWindow popup;
    TspDataSkinHintWindow hint;
    for (TSkinSectionDef* def : std::vector<TSkinSectionDef*>{&popup, &hint}) {
        const std::string section = def == &popup ? "POPUPWINDOW" : "HINTWINDOW";
        SCOPED_TRACE(section);
        def->LoadFromIni(skin);
        TMemIniFile written;
        def->SaveToIni(written);
        TStringList keys;
        skin.ReadSection(section, keys);
        ASSERT_GT(keys.Count(), 10);
        for (const std::string& key : keys) {
            ASSERT_TRUE(written.ValueExists(section, key)) << key;
            EXPECT_EQ(Normal(written.ReadString(section, key, "")),
                      Normal(skin.ReadString(section, key, "")))
                << key;
        }
    }
}

// The shared key groups keep each section's keys and their order.
TEST(SkinDefinitionKeys, SharedKeyGroupsKeepEachSectionsKeysInOrder) {
    auto keysOf = [](TSkinSectionDef& def, const std::string& section) {
        TMemIniFile written;
        def.SaveToIni(written);
        TStringList keys;
        written.ReadSection(section, keys);
        return std::vector<std::string>(keys.begin(), keys.end());
    };
    TspDataSkinUpDownControl updown("u");
    EXPECT_EQ(keysOf(updown, "u"),
              (std::vector<std::string>{
                  "pictureindex", "maskpictureindex", "cursorindex", "skinrect", "lefttoppoint",
                  "righttoppoint", "leftbottompoint", "rightbottompoint", "clientrect",
                  "upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
                  "activedownbuttonrect", "downdownbuttonrect"}));
    TspDataSkinTabControl tab("t");
    EXPECT_EQ(keysOf(tab, "t"),
              (std::vector<std::string>{
                  "pictureindex",    "maskpictureindex", "cursorindex",    "skinrect",
                  "tabrect",         "activetabrect",    "focustabrect",   "mouseintabrect",
                  "clientrect",      "bgpictureindex",   "lefttoppoint",   "righttoppoint",
                  "leftbottompoint", "rightbottompoint", "tableftoffset",  "tabrightoffset",
                  "tabsbgrect",      "fontname",         "fontheight",     "fontstyle",
                  "fontcolor",       "activefontcolor",  "focusfontcolor", "mouseinfontcolor",
                  "updown"}));
    TspDataSkinLabel label("l");
    EXPECT_EQ(keysOf(label, "l"),
              (std::vector<std::string>{
                  "hint", "rollup", "activepictureindex", "skinrectinapicture", "cursorindex",
                  "skinrect", "activeskinrect", "morphing", "morphkind", "fontname", "fontheight",
                  "fontstyle", "fontcolor", "activefontcolor", "alignment", "textvalue"}));
    TspDataSkinHintWindow hint;
    EXPECT_EQ(
        keysOf(hint, "HINTWINDOW"),
        (std::vector<std::string>{"windowpictureindex", "maskpictureindex", "lefttoppoint",
                                  "righttoppoint", "leftbottompoint", "rightbottompoint",
                                  "clientrect", "fontname", "fontheight", "fontstyle", "fontcolor",
                                  "leftstretch", "rightstretch", "topstretch", "bottomstretch"}));
}

}  // namespace
