#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "ui/Streams.h"

namespace {

TStringList FromBytes(const std::string& bytes) {
    TMemoryStream ms;
    ms.Assign(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    TStringList list;
    list.LoadFromStream(ms);
    return list;
}

TEST(StringList, LoadAcceptsCrLfCrAndLfAndIgnoresTheFinalBreak) {
    EXPECT_EQ(FromBytes("a\r\nb\rc\nd"), (TStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(FromBytes("a\r\n"), (TStringList{"a"}));
    EXPECT_EQ(FromBytes("a\r"), (TStringList{"a"}));
    // Empty lines in between survive; LF CR is two breaks, CR LF one.
    EXPECT_EQ(FromBytes("a\n\r\nb\n\rc"), (TStringList{"a", "", "b", "", "c"}));
    EXPECT_EQ(FromBytes("\r\n\r\n"), (TStringList{"", ""}));
    EXPECT_EQ(FromBytes("").Count(), 0);
    // Bytes are kept as they are: NUL, 8-bit and UTF-8.
    const std::string odd("x\0y\xE9\xE6\x88\x91", 7);
    EXPECT_EQ(FromBytes(odd + "\n").Strings(0), odd);
}

TEST(StringList, SaveWritesCrLfAfterEveryLineAndRoundTrips) {
    TStringList list{"one", "", "three"};
    TMemoryStream ms;
    list.SaveToStream(ms);
    EXPECT_EQ(std::string(ms.Bytes().begin(), ms.Bytes().end()), "one\r\n\r\nthree\r\n");
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(back, list);

    const auto path = std::filesystem::temp_directory_path() / "pb_strings_test.txt";
    list.SaveToFile(path.string());
    TStringList fromFile;
    fromFile.LoadFromFile(path.string());
    EXPECT_EQ(fromFile, list);
    std::filesystem::remove(path);
    EXPECT_THROW(fromFile.LoadFromFile(path.string()), EFOpenError);
}

TEST(StringList, EditingChecksIndexes) {
    TStringList list;
    list.Insert(0, "b");
    list.Insert(0, "a");
    list.Insert(2, "c");
    EXPECT_EQ(list, (TStringList{"a", "b", "c"}));
    list.Delete(1);
    EXPECT_EQ(list, (TStringList{"a", "c"}));
    EXPECT_THROW(list.Insert(3, "x"), EListError);
    EXPECT_THROW(list.Delete(2), EListError);
    EXPECT_THROW((void)list.Strings(-1), EListError);
    try {
        (void)list.Strings(5);
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_EQ(list.IndexOf("C"), 1);
    EXPECT_EQ(list.IndexOf("d"), -1);
}

TEST(StringList, NameValueLines) {
    TStringList list{"Width=10", "plain", "url=a=b", "=empty"};
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("WIDTH"), "10");
    EXPECT_EQ(list.Values("url"), "a=b");  // the first "=" separates
    EXPECT_EQ(list.Values("plain"), "");
    EXPECT_EQ(list.IndexOfName(""), 3);
    EXPECT_EQ(list.IndexOfName("Wid"), -1);
    list.SetValue("width", "20");
    EXPECT_EQ(list.Strings(0), "width=20");
    list.SetValue("new", "1");
    EXPECT_EQ(list.Strings(4), "new=1");
    list.SetValue("URL", "");
    EXPECT_EQ(list.IndexOfName("url"), -1);
    EXPECT_EQ(list.Count(), 4);
}

}  // namespace

// The one helper for ASCII letter case and blanks: bytes beyond ASCII are never folded, and
// every control character trims like a space.
TEST(AsciiText, CaseAndBlanks) {
    EXPECT_TRUE(SameTextAscii("TspSkinForm", "TSPSKINFORM"));
    EXPECT_FALSE(SameTextAscii("Ä", "ä"));  // UTF-8 bytes compare as they are
    EXPECT_FALSE(SameTextAscii("ab", "abc"));
    EXPECT_TRUE(StartsWithTextAscii("Software\\Puzzlebin", "SOFTWARE\\"));
    EXPECT_FALSE(StartsWithTextAscii("Soft", "Software"));
    EXPECT_EQ(TrimBlanks("\t\r key = v \x01"), "key = v");
    EXPECT_EQ(TrimBlanks(" \t\n"), "");
    EXPECT_EQ(LowerAsciiText("Ctrl+ÄB"), "ctrl+Äb");
}
