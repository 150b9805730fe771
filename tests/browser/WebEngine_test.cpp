// Shared parts of the engines: text conversion and the browser property store.
#include "platform/WebEngine.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/DownloadNames.h"
#include "platform/WebHost.h"

using namespace platform;

TEST(WideText, RoundTripsChineseAndCharactersBeyondTheBasicPlane) {
    const std::string text = "欢迎推荐智力题 Puzzles 🧩";
    const WideString wide = Utf8ToWide(text);
    EXPECT_EQ(wide, u"欢迎推荐智力题 Puzzles 🧩");
    EXPECT_EQ(wide.size(), 18u) << "the emoji is a surrogate pair";
    EXPECT_EQ(WideToUtf8(wide), text);
}

TEST(WideText, BadInputBecomesReplacementCharactersWithoutReadingPastTheEnd) {
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong lead bytes are invalid";
    EXPECT_EQ(Utf8ToWide("\xE0\x80\xAF"), u"\uFFFD") << "an overlong three-byte form";
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD") << "an encoded surrogate";
    EXPECT_EQ(Utf8ToWide("x\xE6\xAC"), u"x\uFFFD") << "truncated at the end";
    EXPECT_EQ(Utf8ToWide("\xE6\xAC"
                         "A"),
              u"\uFFFDA")
        << "resynchronises on the next lead byte";
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), u"\uFFFD") << "beyond U+10FFFF";
    EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xD800') + u"a"),
              "\xEF\xBF\xBD"
              "a")
        << "lone high surrogate";
    EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD") << "lone low surrogate";
    EXPECT_EQ(Utf8ToWide(std::string("a\0b", 3)), std::u16string(u"a\0b", 3))
        << "embedded NUL kept";
}

TEST(WebProperties, StartWithTheBrowserDefaultsAndCheckKinds) {
    WebPropertyStore store;
    Variant v;
    ASSERT_EQ(store.Get(DISPID_PROP_VISIBLE, v), kS_OK);
    EXPECT_EQ(v, Variant::FromBool(true));
    ASSERT_EQ(store.Get(DISPID_PROP_TOOLBAR, v), kS_OK);
    EXPECT_EQ(v, Variant::FromInt(0));
    EXPECT_EQ(store.Get(401, v), kDISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(store.Put(DISPID_PROP_STATUSTEXT, Variant::FromBool(true)), kDISP_E_TYPEMISMATCH);

    // Any nonzero automation boolean is true and reads back as -1.
    Variant odd = Variant::FromBool(true);
    odd.boolValue = 1;
    ASSERT_EQ(store.Put(DISPID_PROP_OFFLINE, odd), kS_OK);
    ASSERT_EQ(store.Get(DISPID_PROP_OFFLINE, v), kS_OK);
    EXPECT_EQ(v.boolValue, kVariantTrue);
}

TEST(ControlState, AppliesAStoredBlockAllOrNothing) {
    const std::vector<uint8_t> good = MakeControlState(
        {{DISPID_PROP_SILENT, 1}, {DISPID_PROP_TOOLBAR, 7}, {DISPID_PROP_VISIBLE, 0}});
    ASSERT_EQ(good.size(), kControlStateSize);
    WebPropertyStore store;
    ASSERT_TRUE(ApplyControlState(good, store));
    Variant v;
    store.Get(DISPID_PROP_SILENT, v);
    EXPECT_EQ(v.boolValue, kVariantTrue);
    store.Get(DISPID_PROP_TOOLBAR, v);
    EXPECT_EQ(v.intValue, 7);

    // A block with one bad entry (a boolean of 2) changes nothing, not even its good entries.
    WebPropertyStore fresh;
    std::vector<uint8_t> bad =
        MakeControlState({{DISPID_PROP_OFFLINE, 1}, {DISPID_PROP_SILENT, 2}});
    EXPECT_FALSE(ApplyControlState(bad, fresh));
    fresh.Get(DISPID_PROP_OFFLINE, v);
    EXPECT_EQ(v.boolValue, kVariantFalse);

    // Unknown property, the text property, wrong signature, version, or a count beyond the block.
    EXPECT_FALSE(ApplyControlState(MakeControlState({{401, 1}}), fresh));
    EXPECT_FALSE(ApplyControlState(MakeControlState({{DISPID_PROP_STATUSTEXT, 0}}), fresh));
    std::vector<uint8_t> sig = good;
    sig[0] = 'X';
    EXPECT_FALSE(ApplyControlState(sig, fresh));
    std::vector<uint8_t> ver = good;
    ver[4] = 2;
    EXPECT_FALSE(ApplyControlState(ver, fresh));
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 8 + 8 * 2);  // 3 entries announced
    EXPECT_FALSE(ApplyControlState(truncated, fresh));
    truncated.resize(5);
    EXPECT_FALSE(ApplyControlState(truncated, fresh));
    EXPECT_FALSE(ApplyControlState({}, fresh));
}

TEST(UserAgentTokens, GoIntoThePlatformCommentOnceEachAndOnlyWhenUsable) {
    const std::string ua =
        "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15 (KHTML, like Gecko)";
    EXPECT_EQ(UserAgentWithTokens(ua, {}), ua);
    EXPECT_EQ(UserAgentWithTokens(ua, {" Puzzlebin WebPane (+http://x/) ", "Other/1", "Other/1"}),
              "Mozilla/5.0 (X11; Linux x86_64; Puzzlebin WebPane (+http://x/); Other/1) "
              "AppleWebKit/605.1.15 "
              "(KHTML, like Gecko)");
    // Tokens that would break the header or its comment are left out.
    EXPECT_EQ(UserAgentWithTokens(ua, {"bad\r\nX-Injected: 1", "open (", "close )", "back\\slash",
                                       "\xE6\x99\xBA", "   "}),
              ua);
    EXPECT_EQ(UserAgentWithTokens("Simple/1 Engine/2", {"T"}), "Simple/1 (T) Engine/2");
    EXPECT_EQ(UserAgentWithTokens("Bare", {"T"}), "Bare (T)");
    EXPECT_EQ(UserAgentWithTokens("A (x (nested)) B", {"T"}), "A (x (nested); T) B");
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i) many.push_back("t" + std::to_string(i));
    const std::string withMany = UserAgentWithTokens("A (p)", many);
    EXPECT_NE(withMany.find("t31"), std::string::npos);
    EXPECT_EQ(withMany.find("t32"), std::string::npos) << "at most 32 tokens";
}

TEST(DownloadNames, SuggestedNamesBecomePlainFileNames) {
    EXPECT_EQ(SafeDownloadName("report.pdf"), "report.pdf");
    EXPECT_EQ(SafeDownloadName("../../etc/passwd"), "passwd") << "no folders";
    EXPECT_EQ(SafeDownloadName("C:\\Windows\\evil.exe"), "evil.exe");
    EXPECT_EQ(SafeDownloadName(".bashrc"), "bashrc") << "no hidden files";
    EXPECT_EQ(SafeDownloadName("a\nb\tc\x7F.txt"), "abc.txt") << "no control characters";
    EXPECT_EQ(SafeDownloadName("name. . "), "name");
    for (const char* nothing : {"", "..", "/", "dir/", " . "})
        EXPECT_EQ(SafeDownloadName(nothing), "download") << nothing;
    EXPECT_EQ(SafeDownloadName("题目.html"), "题目.html");
    const std::string longName = std::string(300, 'x') + ".zip";
    const std::string cut = SafeDownloadName(longName);
    EXPECT_EQ(cut.size(), 200u);
    EXPECT_EQ(cut.substr(cut.size() - 4), ".zip") << "the extension is kept";
    const std::string wide =
        SafeDownloadName(std::string(99, 'a') + std::string(40, '\0') +
                         "智力智力智力智力智力智力智力智力智力智力智力智力智力智力智力智力智力智力"
                         "智力智力智力智力智力智力智力智力智力智力智力智力智力智力智力");
    EXPECT_LE(wide.size(), 200u);
    EXPECT_EQ(Utf8ToWide(wide).find(u'\uFFFD'), std::u16string::npos) << "no character cut in two";
}

TEST(DownloadNames, AnExistingFileIsNeverReplaced) {
    std::set<std::string> existing = {"/d/report.txt", "/d/report (1).txt", "/d/archive"};
    auto taken = [&](const std::string& p) { return existing.count(p) > 0; };
    EXPECT_EQ(DownloadDestination("/d", "report.txt", taken), "/d/report (2).txt");
    EXPECT_EQ(DownloadDestination("/d", "archive", taken), "/d/archive (1)") << "no extension";
    EXPECT_EQ(DownloadDestination("/d", "new.txt", taken), "/d/new.txt");
    EXPECT_EQ(DownloadDestination("/d", "../report.txt", taken), "/d/report (2).txt");
}
