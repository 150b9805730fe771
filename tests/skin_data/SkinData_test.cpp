#include "skin/data/SkinData.h"

#include <gtest/gtest.h>

#include "base/Messages.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/StoredSkin.h"
#include "skin/data/ZlibStreams.h"
#include "ui/ClassRegistry.h"
#include "ui/Forms.h"

namespace {

const std::string kSkinIni = std::string(PB_SOURCE_DIR) + "/skins/default/skin.ini";

// Records the skin messages a form receives.
struct Recorder {
    explicit Recorder(TForm& form) {
        auto old = form.WindowProc;
        form.WindowProc = [this, old](TMessage& m) {
            if (m.Msg >= SKINMSG_BEFORECHANGE && m.Msg <= SKINMSG_AFTERCHANGE) {
                seen.push_back(m.Msg);
                wParams.push_back(m.WParam);
                EXPECT_EQ(m.LParam, 1000);
            }
            old(m);
        };
    }
    std::vector<uint32_t> seen;
    std::vector<uintptr_t> wParams;
};

class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        form = std::make_unique<TForm>(nullptr);
        container = new TspCompressedStoredSkin(form.get());
        data = new TspSkinData(form.get());
    }
    // A package with the given bytes after the format value, deflated into the container.
    void SetPackage(const std::vector<uint8_t>& package) {
        TMemoryStream src, block;
        src.Assign(package);
        CompressWholeStream(src, block);
        container->SetCompressedData(block.Bytes());
    }
    std::unique_ptr<TForm> form;
    TspCompressedStoredSkin* container = nullptr;
    TspSkinData* data = nullptr;
};

TEST_F(SkinDataTest, CompiledInSkinLoadsWithItsQuotedValues) {
    container->BuildFromSkinFile(kSkinIni);
    ASSERT_FALSE(container->IsEmpty());
    Recorder owner(*form);
    TForm other(nullptr);
    Recorder second(other);
    data->SetCompressedStoredSkin(container);

    const std::vector<uint32_t> sequence = {SKINMSG_BEFORECHANGE, SKINMSG_CHANGED,
                                            SKINMSG_AFTERCHANGE};
    EXPECT_EQ(owner.seen, sequence);
    EXPECT_EQ(second.seen, sequence);
    EXPECT_EQ(owner.wParams[0], reinterpret_cast<uintptr_t>(data));
    ASSERT_FALSE(data->SkinEmpty);

    EXPECT_EQ(data->MainPicture.Width(), 204);
    EXPECT_EQ(data->MainPicture.Height(), 200);
    EXPECT_EQ(data->MaskPicture.PixelFormat(), pf1bit);
    EXPECT_TRUE(data->RollUpPicture.Empty());
    const std::vector<std::pair<int, int>> sizes = {{99, 63},   {50, 118}, {67, 75},
                                                    {390, 432}, {35, 19},  {51, 23}};
    ASSERT_EQ(data->ActivePictureList.size(), sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(data->ActivePictureList[i]->Width(), sizes[i].first);
        EXPECT_EQ(data->ActivePictureList[i]->Height(), sizes[i].second);
    }
    EXPECT_EQ(data->ObjectDefs.size(), 13u);
    EXPECT_EQ(data->ControlDefs.size(), 61u);
    EXPECT_EQ(data->clientrect, (TRect{13, 33, 191, 187}));
    EXPECT_EQ(data->lefttoppoint, (TPoint{98, 37}));
    EXPECT_EQ(data->maskrectarea, (TRect{12, 12, 192, 189}));
    EXPECT_EQ(data->hittestrightbottompoint, (TPoint{186, 184}));
    EXPECT_EQ(data->buttonsrect, (TRect{133, 7, 193, 26}));
    EXPECT_EQ(data->inactiveeffect, ieGrayScale);
    EXPECT_EQ(data->borderwidth, 3);

    auto* close = dynamic_cast<TspDataSkinStdButton*>(
        data->ObjectDefs[data->GetObjectDefIndex("closebutton")].get());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->SkinRect, (TRect{44, 4, 62, 22}));
    EXPECT_EQ(close->DownRect, (TRect{4, 4, 22, 22}));
    EXPECT_EQ(close->Command, cmClose);
    EXPECT_EQ(close->Hint, "Close");
    auto* tray = dynamic_cast<TspDataSkinStdButton*>(
        data->ObjectDefs[data->GetObjectDefIndex("traybutton")].get());
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->Command, cmMinimizeToTray);
    EXPECT_EQ(tray->DisableSkinRect, (TRect{2, 29, 20, 47}));
    auto* caption = dynamic_cast<TspDataSkinCaption*>(
        data->ObjectDefs[data->GetObjectDefIndex("caption1")].get());
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->FontStyle, fsBold);
    EXPECT_EQ(caption->ActiveFontColor, 16777215);
    EXPECT_EQ(data->GetObjectDefIndex("menuitem"), -1);
    EXPECT_EQ(data->GetObjectDefIndex("MENUITEM"), 0);

    auto* panel = dynamic_cast<TspDataSkinPanelControl*>(
        data->ControlDefs[data->GetControlDefIndex("panel")].get());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->SkinRect, (TRect{2, 146, 96, 225}));
    EXPECT_EQ(panel->RBPoint, (TPoint{87, 74}));
    EXPECT_EQ(panel->FontDef.Height, 12);
    auto* tab = dynamic_cast<TspDataSkinTabControl*>(
        data->ControlDefs[data->GetControlDefIndex("tab")].get());
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->UpDown, "hupdown");
    EXPECT_EQ(tab->FocusFontColor, 16777215);
    EXPECT_NE(data->GetControlDefIndex("hupdown"), -1);
    auto* ex = dynamic_cast<TspDataSkinExPanelControl*>(
        data->ControlDefs[data->GetControlDefIndex("expanel")].get());
    ASSERT_NE(ex, nullptr);
    EXPECT_EQ(ex->RollHSkinRect, (TRect{2, 305, 21, 372}));
    EXPECT_EQ(ex->HRestoreButtonDownRect, (TRect{29, 307, 44, 322}));
    EXPECT_EQ(ex->FontDef.Color, 16777215);
    // Every picture index the skin uses selects a picture.
    for (const auto& c : data->ControlDefs)
        EXPECT_TRUE(c->PictureIndex == -1 || data->ActivePicture(c->PictureIndex)) << c->IDName;
    EXPECT_NE(data->ActivePicture(data->PopupWindowDef.WindowPictureIndex), nullptr);
    EXPECT_EQ(data->ActivePicture(6), nullptr);
}

TEST_F(SkinDataTest, LoadingTwiceSendsTheSequenceTwiceAndRemovalKeepsTheSkin) {
    container->BuildFromSkinFile(kSkinIni);
    Recorder owner(*form);
    data->SetCompressedStoredSkin(container);
    data->SetCompressedStoredSkin(container);
    EXPECT_EQ(owner.seen.size(), 6u);
    delete container;
    EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(data->SkinEmpty);
}

TEST_F(SkinDataTest, EmptyContainerLoadsNothingAndSendsNothing) {
    Recorder owner(*form);
    data->SetCompressedStoredSkin(container);
    EXPECT_TRUE(owner.seen.empty());
    EXPECT_TRUE(data->SkinEmpty);
}

TEST_F(SkinDataTest, WrongFormatValueSendsOnlyBeforeChange) {
    container->BuildFromSkinFile(kSkinIni);
    data->SetCompressedStoredSkin(container);
    TMemoryStream package;
    container->InflateTo(package);
    std::vector<uint8_t> bytes = package.Bytes();
    bytes[0] = 2;
    SetPackage(bytes);
    Recorder owner(*form);
    data->LoadFromCompressedContainer(*container);
    EXPECT_EQ(owner.seen, std::vector<uint32_t>{SKINMSG_BEFORECHANGE});
    EXPECT_TRUE(data->SkinEmpty);
    EXPECT_TRUE(data->ObjectDefs.empty());
    EXPECT_TRUE(data->MainPicture.Empty());
}

TEST_F(SkinDataTest, BadPackagesRaiseAndLeaveTheSkinEmpty) {
    // format 1, four "no picture" flags, then a count and what follows.
    auto package = [](int32_t count, const std::vector<uint8_t>& rest) {
        std::vector<uint8_t> p = {1, 0, 0, 0, 1, 1, 1, 1};
        for (int i = 0; i < 4; ++i) p.push_back(static_cast<uint8_t>(count >> (8 * i)));
        p.insert(p.end(), rest.begin(), rest.end());
        return p;
    };
    const std::string text = "[FORMINFO]\r\nclientrect=1,2,,4\r\n";
    Recorder owner(*form);
    SetPackage(package(-1, {}));
    EXPECT_THROW(data->LoadFromCompressedContainer(*container), EReadError);
    SetPackage(package(2000000000, std::vector<uint8_t>(100, 0)));
    EXPECT_THROW(data->LoadFromCompressedContainer(*container), EReadError);
    // A BMP whose declared size runs past the data.
    std::vector<uint8_t> bmp = {'B', 'M', 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    bmp.resize(60, 0);
    SetPackage(package(1, bmp));
    EXPECT_THROW(data->LoadFromCompressedContainer(*container), Exception);
    SetPackage(package(0, std::vector<uint8_t>(text.begin(), text.end())));
    try {
        data->LoadFromCompressedContainer(*container);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
    EXPECT_TRUE(data->SkinEmpty);
    for (uint32_t m : owner.seen) EXPECT_EQ(m, static_cast<uint32_t>(SKINMSG_BEFORECHANGE));
    // Damaged zlib data.
    container->SetCompressedData({0x78, 0xDA, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_THROW(data->LoadFromCompressedContainer(*container), EDecompressionError);
    EXPECT_TRUE(data->SkinEmpty);
}

TEST_F(SkinDataTest, PackageWithOnlyTextAndCorrectionsApply) {
    const std::string text =
        "[PICTURES]\r\nmask=m.bmp\r\n[FORMINFO]\r\nlefttoppoint=5,5\r\nrightbottompoint=300,300\r\n"
        "clientrect=10,10,100,100\r\nmaskrectarea=20,0,90,120\r\n[SKINOBJECTS]\r\ncount=3\r\n0=a:"
        "stdbutton\r\n"
        "1=b:Stdbutton\r\n2=a:caption\r\n[SKINAREAS]\r\ncount=1\r\n0=zone:1,2,3,4\r\n";
    std::vector<uint8_t> p = {1, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0};
    p.insert(p.end(), text.begin(), text.end());
    SetPackage(p);
    data->LoadFromCompressedContainer(*container);
    ASSERT_FALSE(data->SkinEmpty);
    EXPECT_EQ(data->maskrectarea, (TRect{10, 0, 100, 120}));
    EXPECT_EQ(data->hittestlefttoppoint, (TPoint{5, 5}));  // taken before clamping
    EXPECT_EQ(data->lefttoppoint, (TPoint{10, 10}));
    EXPECT_EQ(data->rightbottompoint, (TPoint{100, 100}));
    ASSERT_EQ(data->ObjectDefs.size(), 2u);
    EXPECT_EQ(data->GetObjectDefIndex("a"), 0);  // first of two with the same name
    ASSERT_EQ(data->GetAreaDefIndex("zone"), 0);
    EXPECT_EQ(data->AreaDefs[0]->AreaRect, (TRect{1, 2, 3, 4}));
}

TEST_F(SkinDataTest, StoredSkinMissingASectionSendsAllThreeAndStaysEmpty) {
    auto* stored = new TspStoredSkin(form.get());
    stored->SetIniStrings(
        TStringList{"[VERSION]", "skinname=x", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]"});
    Recorder owner(*form);
    data->SetStoredSkin(stored);
    EXPECT_EQ(owner.seen.size(), 3u);
    EXPECT_TRUE(data->SkinEmpty);
}

TEST_F(SkinDataTest, StoredSkinRoundTripAndCursorIndex) {
    auto* stored = new TspStoredSkin(form.get());
    stored->BuildFromSkinFile(kSkinIni);
    const auto bytes = stored->PicturesData();
    TspStoredSkin copy(nullptr);
    copy.SetPicturesData(bytes);
    ASSERT_EQ(copy.Pictures().Active.size(), 6u);
    EXPECT_EQ(copy.Pictures().Active[3]->Width(), 390);
    TStringList lines = stored->IniStrings();
    lines.Add("[CURSORS]");
    lines.Add("startcursorindex=-3");
    stored->SetIniStrings(lines);
    data->SkinAuthor = "previous";
    data->SetStoredSkin(stored);
    ASSERT_FALSE(data->SkinEmpty);
    EXPECT_EQ(data->SkinName, "Puzzlebin Slate");
    EXPECT_EQ(data->SkinAuthor, "previous");
    EXPECT_EQ(data->StartCursorIndex, 1);
    EXPECT_EQ(data->ControlDefs.size(), 61u);
    EXPECT_TRUE(data->MaskFileName.empty());
}

TEST_F(SkinDataTest, OwnerThatIsNoFormSendsToEveryForm) {
    container->BuildFromSkinFile(kSkinIni);
    TComponent module(nullptr);
    auto* skin = new TspSkinData(&module);
    Recorder owner(*form);
    skin->SetCompressedStoredSkin(container);
    EXPECT_EQ(owner.seen.size(), 3u);
}

TEST(SkinDataClasses, RegistrationIsIdempotentAndNamesTheThreeClasses) {
    RegisterSkinDataClasses();
    RegisterSkinDataClasses();
    for (const char* c : {"TspSkinData", "TspCompressedStoredSkin", "TspStoredSkin"})
        EXPECT_NE(TClassRegistry::Instance().Find(c), nullptr) << c;
    EXPECT_NE(TClassRegistry::Instance().FindProperty("TspCompressedStoredSkin", "CompressedData"),
              nullptr);
}

}  // namespace
