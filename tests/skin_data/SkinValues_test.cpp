#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "skin/data/SkinControlDefs.h"
#include "skin/data/SkinObjectDefs.h"

namespace {

TMemIniFile Ini(const std::string& text) {
    TMemIniFile ini;
    ini.SetText(text);
    return ini;
}

TEST(SkinValues, PointsAndRectanglesKeepOnlyDigits) {
    EXPECT_EQ(ParseSkinRect(" 13 , 33,191 ,187 "), (TRect{13, 33, 191, 187}));
    EXPECT_EQ(ParseSkinPoint("-5,7"), (TPoint{5, 7}));
    EXPECT_EQ(ParseSkinRect("1,2,3,4,5"), (TRect{1, 2, 3, 4}));
}

TEST(SkinValues, FieldWithoutDigitsOrMissingFieldIsAConversionError) {
    for (const char* bad : {"1,,3,4", "1,2,3", "", "a,b,c,d"}) {
        try {
            (void)ParseSkinRect(bad);
            FAIL() << bad;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "'' is not a valid integer value") << bad;
        }
    }
    EXPECT_THROW((void)ParseSkinPoint("7"), EConvertError);
    EXPECT_THROW((void)ParseSkinRect("99999999999,0,0,0"), EConvertError);
}

TEST(SkinValues, EnumerationsAndStyles) {
    EXPECT_EQ(ParseSkinFontStyle("fsitalic;fsbold"), fsBold | fsItalic);
    EXPECT_EQ(ParseSkinFontStyle("FSBOLD,FSITALIC"), 0);
    EXPECT_EQ(SkinFontStyleText(fsBold | fsStrikeOut), "fsbold,fsstrikeout");
    EXPECT_EQ(ParseSkinAlignment("taCenter"), taRightJustify);
    EXPECT_EQ(ParseInactiveEffect("iegreyscale"), ieGrayScale);
    EXPECT_EQ(ParseButtonCommand("cmclos"), cmMinimizeToTray);
}

TEST(SkinValues, BooleansAbsentKeysAndKeyCase) {
    const auto ini =
        Ini("[b]\nMORPHING=true\nrollup=2\nSkinRectInAPicture=1\nFontName=Tahoma\n"
            "alignment=\n");
    TspDataSkinLabel label("b");
    label.LoadFromIni(ini);
    EXPECT_FALSE(label.Morphing);
    EXPECT_FALSE(label.RollUp);
    EXPECT_TRUE(label.SkinRectInAPicture);
    EXPECT_EQ(label.FontName, "Tahoma");
    EXPECT_EQ(label.Alignment, taRightJustify);  // present but empty
    TspDataSkinCaption caption("absent");
    caption.LoadFromIni(ini);
    EXPECT_EQ(caption.Alignment, taCenter);
    EXPECT_EQ(caption.ActivePictureIndex, -1);
}

TEST(SkinValues, ClassSpecificReadingRules) {
    const auto ini =
        Ini("[u]\nhint=x\nactivepictureindex=3\nskinrect=1,2,3,4\n"
            "[a]\nmorphing=1\n"
            "[f]\nframescount=-4\nframesplacement=fpHorizontal\n"
            "[s]\nfontcolor=5\n"
            "[g]\nkind=gkdiagonal\n"
            "[bl]\nsymbolslinecount=2000000000\nsymbolsline0=A\n");
    TspDataUserObject user("u");
    user.LoadFromIni(ini);
    EXPECT_EQ(user.Hint, "");
    EXPECT_EQ(user.ActivePictureIndex, -1);
    EXPECT_EQ(user.SkinRect, (TRect{1, 2, 3, 4}));
    TspDataSkinAnimate animate("a");
    animate.LoadFromIni(ini);
    EXPECT_FALSE(animate.Morphing);
    EXPECT_EQ(animate.TimerInterval, 50);
    TspDataSkinFrameControl frames("f");
    frames.LoadFromIni(ini);
    EXPECT_EQ(frames.FramesCount, 1);
    EXPECT_EQ(frames.FramesPlacement, fpVertical);
    TspDataSkinStdLabelControl std("s");
    std.LoadFromIni(ini);
    EXPECT_EQ(std.ActiveFontColor, 16711680);
    EXPECT_EQ(std.FontDef.Color, 5);
    TspDataSkinGauge gauge("g");
    gauge.LoadFromIni(ini);
    EXPECT_EQ(gauge.Kind, gkVertical);
    TspDataSkinBitLabel bits("bl");
    bits.LoadFromIni(ini);  // a huge count stays bounded by the section's size
    EXPECT_LE(bits.Symbols.Count(), 2);
    EXPECT_EQ(bits.Symbols.Strings(0), "A");
}

TEST(SkinValues, UnknownAndCapitalisedTypesCreateNothing) {
    EXPECT_EQ(CreateSkinObjectDef("Stdbutton", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlDef("Panel", "x"), nullptr);
    EXPECT_NE(dynamic_cast<TspDataSkinMainMenuBarButton*>(
                  CreateSkinObjectDef("mainmenubarbutton", "x").get()),
              nullptr);
    std::string name, rest;
    EXPECT_TRUE(SplitNameType("a:b:c", name, rest));
    EXPECT_EQ(name, "a");
    EXPECT_EQ(rest, "b:c");
    EXPECT_FALSE(SplitNameType("abc", name, rest));
    EXPECT_EQ(name, "");
}

TEST(SkinValues, SaveThenLoadGivesTheSameValues) {
    TMemIniFile ini;
    TspDataSkinStdButton a("btn");
    a.SkinRect = {1, 2, 3, 4};
    a.Command = cmRollUp;
    a.MorphKind = mkPush;
    a.Morphing = true;
    a.Hint = "Hi";
    a.SaveToIni(ini);
    TspDataSkinStdButton b("btn");
    b.LoadFromIni(ini);
    EXPECT_EQ(b.SkinRect, a.SkinRect);
    EXPECT_EQ(b.Command, cmRollUp);
    EXPECT_EQ(b.MorphKind, mkPush);
    EXPECT_TRUE(b.Morphing);
    EXPECT_EQ(b.Hint, "Hi");
}

}  // namespace
