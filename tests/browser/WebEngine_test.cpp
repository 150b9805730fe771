// Shared parts of the engines: text conversion and the browser property store.
#include <gtest/gtest.h>

#include "platform/WebEngine.h"

using namespace platform;

TEST(WideText, RoundTripsChineseAndCharactersBeyondTheBasicPlane) {
    const std::string text = "欢迎推荐智力题 Puzzles 🧩";
    const WideString wide = Utf8ToWide(text);
    EXPECT_EQ(wide, u"欢迎推荐智力题 Puzzles 🧩");
    EXPECT_EQ(wide.size(), 18u) << "the emoji is a surrogate pair";
    EXPECT_EQ(WideToUtf8(wide), text);
}

TEST(WideText, BadInputBecomesReplacementCharactersWithoutReadingPastTheEnd) {
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong lead bytes are invalid";
    EXPECT_EQ(Utf8ToWide("\xE0\x80\xAF"), u"\uFFFD") << "an overlong three-byte form";
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD") << "an encoded surrogate";
    EXPECT_EQ(Utf8ToWide("x\xE6\xAC"), u"x\uFFFD") << "truncated at the end";
    EXPECT_EQ(Utf8ToWide("\xE6\xAC" "A"), u"\uFFFDA") << "resynchronises on the next lead byte";
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), u"\uFFFD") << "beyond U+10FFFF";
    EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xD800') + u"a"), "\xEF\xBF\xBD" "a") << "lone high surrogate";
    EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD") << "lone low surrogate";
    EXPECT_EQ(Utf8ToWide(std::string("a\0b", 3)), std::u16string(u"a\0b", 3)) << "embedded NUL kept";
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
