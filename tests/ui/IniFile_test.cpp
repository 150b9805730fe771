#include "ui/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/Strings.h"

namespace {

TMemIniFile Parse(const std::string& text) {
    TMemIniFile ini;
    ini.SetText(text);
    return ini;
}

TEST(IniFile, LinesAreTrimmedAndCommentsAndLeadingLinesIgnored) {
    const TMemIniFile ini = Parse(
        "orphan=1\r\n"
        "[ignored?]x\n"  // does not end with "]": not a section, and before any section
        "\t [ Main ] \x01\r\n"
        "; comment=2\n"
        "  ;also=3\n"
        "\x02 key \t=\t value with  inner  blanks \x7f\x1f\r"
        "\n"
        "url = http://x/?a=b\n"
        "bare line\n"
        "empty=\n"
        "[]\n"
        "k=in nameless\n");
    EXPECT_FALSE(ini.ValueExists("Main", "orphan"));
    EXPECT_TRUE(ini.SectionExists("main"));
    EXPECT_FALSE(ini.SectionExists("ignored?"));
    EXPECT_FALSE(ini.ValueExists("Main", "; comment"));
    EXPECT_FALSE(ini.ValueExists("Main", "also"));
    // 0x7F is not a control byte for trimming; 0x1F after it is.
    EXPECT_EQ(ini.ReadString("MAIN", "KEY", "d"), "value with  inner  blanks \x7f");
    EXPECT_EQ(ini.ReadString("main", "url", "d"), "http://x/?a=b");
    EXPECT_EQ(ini.ReadString("main", "empty", "d"), "");
    EXPECT_TRUE(ini.ValueExists("main", "empty"));
    EXPECT_FALSE(ini.ValueExists("main", "bare line"));
    EXPECT_EQ(ini.ReadString("", "k", "d"), "in nameless");

    TStringList values;
    ini.ReadSectionValues("Main", values);
    EXPECT_EQ(values, (TStringList{"key=value with  inner  blanks \x7f", "url=http://x/?a=b",
                                   "bare line", "empty="}));
    TStringList keys;
    ini.ReadSection("main", keys);
    EXPECT_EQ(keys, (TStringList{"key", "url", "empty"}));
}

TEST(IniFile, CaseInsensitiveNamesAndFirstOccurrenceWins) {
    const TMemIniFile ini = Parse(
        "[Label]\nfontname=Arial\nFONTNAME=Tahoma\n"
        "[LABEL]\nfontname=Courier\nonlyhere=1\n");
    EXPECT_EQ(ini.ReadString("label", "fontName", ""), "Arial");
    EXPECT_FALSE(ini.ValueExists("Label", "onlyhere"));
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (TStringList{"Label", "LABEL"}));
    // 8-bit names compare byte for byte beyond ASCII.
    const TMemIniFile latin = Parse("[\xC9t\xE9]\n\xC9=1\n");
    EXPECT_TRUE(latin.ValueExists("\xC9T\xE9", "\xC9"));
    EXPECT_FALSE(latin.ValueExists("\xE9t\xE9", "\xC9"));
}

TEST(IniFile, IntegerForms) {
    int32_t v = 0;
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"16744448", true, 16744448},
        {"-5", true, -5},
        {"+7", true, 7},
        {"0x1F", true, 31},
        {"0XfF", true, 255},
        {"$10", true, 16},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},
        {"0x80000000", true, INT32_MIN},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"0x100000000", false, 0},
        {"99999999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {"$", false, 0},
        {"12a", false, 0},
        {"1 2", false, 0},
        {" 1", false, 0},
        {"1.0", false, 0},
        {"0x1G", false, 0},
        {"--1", false, 0},
        {"true", false, 0},
    };
    for (const Case& c : cases) {
        v = 12345;
        EXPECT_EQ(TryParseIniInteger(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }

    const TMemIniFile ini =
        Parse("[s]\na=0x10\nbad=12x\nempty=\nbig=4294967296\nb2=2\nb1=1\nb0=0\nbt=true\n");
    EXPECT_EQ(ini.ReadInteger("s", "a", -1), 16);
    EXPECT_EQ(ini.ReadInteger("s", "bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("s", "big", 3), 3);
    EXPECT_EQ(ini.ReadInteger("s", "missing", 9), 9);
    EXPECT_EQ(ini.ReadInteger("nosection", "a", 9), 9);
    EXPECT_TRUE(ini.ReadBool("s", "b2", false));
    EXPECT_TRUE(ini.ReadBool("s", "b1", false));
    EXPECT_FALSE(ini.ReadBool("s", "b0", true));
    EXPECT_TRUE(ini.ReadBool("s", "bt", true));  // not an integer: the default
    EXPECT_FALSE(ini.ReadBool("s", "bt", false));
}

TEST(IniFile, WritingUpdatesTheFirstEntryAndAppendsOtherwise) {
    TMemIniFile ini = Parse("[A]\nx=1\nX=2\n[B]\ny=3\n");
    ini.WriteString("a", "X", "10");
    ini.WriteInteger("B", "z", -4);
    ini.WriteBool("C", "flag", true);
    TStringList out;
    ini.GetStrings(out);
    EXPECT_EQ(out, (TStringList{"[A]", "x=10", "X=2", "", "[B]", "y=3", "z=-4", "", "[C]", "flag=1",
                                ""}));

    ini.DeleteKey("A", "x");
    EXPECT_EQ(ini.ReadString("A", "x", ""), "2");  // the later duplicate becomes visible
    ini.EraseSection("b");
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_EQ(ini.ReadInteger("c", "flag", 0), 1);

    // Round trip through GetStrings / SetStrings.
    ini.GetStrings(out);
    TMemIniFile copy;
    copy.SetStrings(out);
    TStringList again;
    copy.GetStrings(again);
    EXPECT_EQ(again, out);
}

TEST(IniFile, DuplicateSectionBecomesVisibleAfterTheFirstIsErased) {
    TMemIniFile ini = Parse("[S]\na=1\n[s]\na=2\n");
    ini.EraseSection("S");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "2");
}

TEST(IniFile, CopiesAndMovesKeepTheirOwnText) {
    TMemIniFile original =
        Parse("[S]\nshort=1\nlong=a value longer than any small-string buffer\n");
    original.WriteString("S", "written", "w");
    TMemIniFile copy(original);
    original.WriteString("S", "short", "changed");
    original.SetText("[Other]\nx=1\n");  // the original's text is gone now
    EXPECT_EQ(copy.ReadString("s", "short", ""), "1");
    EXPECT_EQ(copy.ReadString("s", "long", ""), "a value longer than any small-string buffer");
    EXPECT_EQ(copy.ReadString("s", "written", ""), "w");
    TMemIniFile moved(std::move(copy));
    std::vector<TMemIniFile> many;
    many.push_back(std::move(moved));
    many.emplace_back();  // the vector moves its elements
    EXPECT_EQ(many[0].ReadString("S", "written", ""), "w");
    EXPECT_EQ(many[0].ReadInteger("S", "SHORT", 0), 1);
    copy = many[0];
    EXPECT_EQ(copy.ReadString("S", "long", ""), "a value longer than any small-string buffer");
}

TEST(IniFile, FileConstructorLoadsWhenPresent) {
    const auto path = std::filesystem::temp_directory_path() / "pb_ini_test.ini";
    std::filesystem::remove(path);
    TMemIniFile absent(path.string());
    EXPECT_FALSE(absent.SectionExists("x"));
    {
        std::ofstream f(path, std::ios::binary);
        f << "[x]\rv=1\r";
    }
    TMemIniFile present(path.string());
    EXPECT_EQ(present.ReadInteger("X", "V", 0), 1);
    present.WriteString("x", "w", "2");
    present.UpdateFile();
    TMemIniFile reread(path.string());
    EXPECT_EQ(reread.ReadString("x", "w", ""), "2");
    std::filesystem::remove(path);
}

}  // namespace
