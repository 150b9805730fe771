// The compiled-in skins, "default" and "gallery": found by name, loaded along the program's
// own path, complete (every object kind on the gallery frame, every control section the
// skinned controls read, every image inside its picture), accepted by pbskin, and equal to
// what skingen makes from the themes.
#include "skins/CompiledInSkins.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFile.h"
#include "skin/draw/RectUtils.h"

namespace fs = std::filesystem;

namespace {

class CompiledInSkinsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallHeadlessPlatform(); }

    // Loads a compiled-in skin the way the program loads its own.
    void Load(const std::string& name) {
        const std::vector<uint8_t>* bytes = FindCompiledInSkin(name);
        ASSERT_NE(bytes, nullptr) << name;
        LoadSkinBlock(*bytes, name, container, skin);
        ASSERT_FALSE(skin.SkinEmpty) << name;
    }
    template <class T>
    const T* Object(const std::string& name) const {
        const int i = skin.GetObjectDefIndex(name);
        return i < 0 ? nullptr
                     : dynamic_cast<const T*>(skin.ObjectDefs[static_cast<size_t>(i)].get());
    }
    [[nodiscard]] TRect PictureRect(int32_t index) const {
        const TBitmap* p = skin.ActivePicture(index);
        return p ? Rect(0, 0, p->Width(), p->Height()) : TRect{};
    }
    [[nodiscard]] TRect MainRect() const {
        return Rect(0, 0, skin.MainPicture.Width(), skin.MainPicture.Height());
    }

    TspCompressedStoredSkin container{nullptr};
    TspSkinData skin{nullptr};
};

// A rectangle lies inside a picture when it is not empty and none of its edges leaves it.
::testing::AssertionResult Inside(const TRect& r, const TRect& picture, const std::string& what) {
    if (RectWidth(r) < 1 || RectHeight(r) < 1)
        return ::testing::AssertionFailure() << what << " is empty";
    if (r.Left < picture.Left || r.Top < picture.Top || r.Right > picture.Right ||
        r.Bottom > picture.Bottom)
        return ::testing::AssertionFailure()
               << what << " (" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom
               << ") leaves its picture of " << picture.Right << " x " << picture.Bottom;
    return ::testing::AssertionSuccess();
}

TEST_F(CompiledInSkinsTest, ListsBothSkinsByExactName) {
    ASSERT_EQ(CompiledInSkins().size(), 2u);
    EXPECT_EQ(CompiledInSkins()[0].name, "default");
    EXPECT_EQ(CompiledInSkins()[1].name, "gallery");
    EXPECT_EQ(FindCompiledInSkin("default"), &DefaultSkinCompressedData());
    EXPECT_EQ(FindCompiledInSkin("gallery"), &GallerySkinCompressedData());
    EXPECT_NE(DefaultSkinCompressedData(), GallerySkinCompressedData());
    EXPECT_EQ(FindCompiledInSkin("Gallery"), nullptr);
    EXPECT_EQ(FindCompiledInSkin("gallery "), nullptr);
    EXPECT_EQ(FindCompiledInSkin(""), nullptr);
    // Both are zlib streams at the best compression level, as the program's container wants.
    for (const CompiledInSkin& s : CompiledInSkins()) {
        ASSERT_GE(s.compressedData->size(), 2u) << s.name;
        EXPECT_EQ((*s.compressedData)[0], 0x78) << s.name;
        EXPECT_EQ((*s.compressedData)[1], 0xDA) << s.name;
    }
}

TEST_F(CompiledInSkinsTest, GalleryLoadsAlongTheProgramsPathAsItsOwnSkin) {
    Load("gallery");
    EXPECT_EQ(skin.SkinName, "Puzzlebin Gallery");
    EXPECT_EQ(skin.MainPicture.Width(), 520);
    EXPECT_EQ(skin.MainPicture.Height(), 260);
    ASSERT_EQ(skin.ActivePictureList.size(), 8u);
    EXPECT_EQ(skin.ActivePictureNames.Strings(6), "objects.bmp");
    // MDI children sit on the skin's own tile; other forms keep the client-area tiling.
    const TBitmap* mdiTile = skin.ActivePicture(skin.mdibgpictureindex);
    ASSERT_NE(mdiTile, nullptr);
    EXPECT_EQ(mdiTile->Width(), 48);
    EXPECT_EQ(skin.bgpictureindex, -1);
    // Loading the default skin into the same component afterwards replaces it whole.
    Load("default");
    EXPECT_EQ(skin.SkinName, "Puzzlebin Slate");
    EXPECT_EQ(skin.ActivePictureList.size(), 6u);
    EXPECT_EQ(skin.GetObjectDefIndex("switch1"), -1);
    EXPECT_EQ(skin.mdibgpictureindex, -1);
}

TEST_F(CompiledInSkinsTest, GalleryHasADefinitionOfEveryObjectKind) {
    Load("gallery");
    std::set<std::type_index> kinds;
    // Through a reference: typeid of a call (the pointer's operator*) warns under clang.
    for (const auto& def : skin.ObjectDefs) {
        const auto& object = *def;
        kinds.insert(typeid(object));
    }
    const std::vector<std::pair<std::type_index, const char*>> all = {
        {typeid(TspDataSkinMenuItem), "menuitem"},
        {typeid(TspDataSkinMainMenuItem), "mainmenuitem"},
        {typeid(TspDataSkinMainMenuBarItem), "mainmenubaritem"},
        {typeid(TspDataSkinButton), "button"},
        {typeid(TspDataSkinStdButton), "stdbutton"},
        {typeid(TspDataSkinMainMenuBarButton), "mainmenubarbutton"},
        {typeid(TspDataSkinCaption), "caption"},
        {typeid(TspDataSkinTrackBar), "trackbar"},
        {typeid(TspDataSkinGauge), "gauge"},
        {typeid(TspDataSkinFrameGaugeObject), "framegauge"},
        {typeid(TspDataSkinFrameRegulatorObject), "frameregulator"},
        {typeid(TspDataSkinLabel), "label"},
        {typeid(TspDataSkinBitLabel), "bitlabel"},
        {typeid(TspDataSkinSwitch), "switch"},
        {typeid(TspDataSkinAnimate), "animate"},
        {typeid(TspDataUserObject), "userobject"},
    };
    for (const auto& [kind, type] : all)
        EXPECT_TRUE(kinds.count(kind)) << "no \"" << type << "\" definition";
    // The frame's own main-menu items are looked up by this exact name.
    EXPECT_NE(Object<TspDataSkinMainMenuItem>("MAINMENUITEM"), nullptr);
}

TEST_F(CompiledInSkinsTest, EveryControlSectionTheSkinnedControlsReadIsThere) {
    // Sections named by the skinned controls, the MDI tab bar ("tab") and the main menu bar.
    const std::vector<std::string> read = {"panel",   "expanel", "tab",
                                           "hupdown", "vupdown", "mainmenubar"};
    Load("default");
    std::set<std::string> defaultControls;
    for (const auto& def : skin.ControlDefs) defaultControls.insert(def->IDName);
    Load("gallery");
    std::set<std::string> galleryControls;
    for (const auto& def : skin.ControlDefs) galleryControls.insert(def->IDName);
    for (const std::string& name : read) EXPECT_TRUE(galleryControls.count(name)) << name;
    // Nothing the default skin offers to a skinned control is missing from the gallery.
    for (const std::string& name : defaultControls)
        EXPECT_TRUE(galleryControls.count(name)) << name;

    // The menu bar names its item and system buttons, and each is an object of its kind.
    const int bar = skin.GetControlDefIndex("mainmenubar");
    ASSERT_GE(bar, 0);
    const auto* menuBar = dynamic_cast<const TspDataSkinMainMenuBar*>(
        skin.ControlDefs[static_cast<size_t>(bar)].get());
    ASSERT_NE(menuBar, nullptr);
    EXPECT_NE(Object<TspDataSkinMainMenuBarItem>(menuBar->MenuBarItem), nullptr)
        << menuBar->MenuBarItem;
    for (const std::string& button :
         {menuBar->CloseButton, menuBar->MinButton, menuBar->MaxButton, menuBar->SysMenuButton})
        EXPECT_NE(Object<TspDataSkinMainMenuBarButton>(button), nullptr) << "'" << button << "'";
    EXPECT_FALSE(IsRectEmpty(menuBar->ItemsRect));
}

// Every image an object draws lies inside the picture it is taken from: a slip in the
// generator's layout would copy garbage or nothing at all.
TEST_F(CompiledInSkinsTest, EveryObjectImageLiesInsideItsPicture) {
    for (const char* name : {"default", "gallery"}) {
        SCOPED_TRACE(name);
        Load(name);
        for (const auto& def : skin.ObjectDefs) {
            const std::string id = def->IDName;
            const auto& object = *def;
            if (typeid(object) == typeid(TspDataUserObject)) {
                EXPECT_TRUE(Inside(def->SkinRect, MainRect(), id + " skinrect"));
                continue;
            }
            const TRect active = PictureRect(def->ActivePictureIndex);
            const bool menuItem = dynamic_cast<const TspDataSkinMenuItem*>(def.get()) != nullptr;
            if (!IsRectEmpty(def->SkinRect) && !menuItem) {
                EXPECT_TRUE(Inside(def->SkinRect, def->SkinRectInAPicture ? active : MainRect(),
                                   id + " skinrect"));
            }
            if (!IsRectEmpty(def->ActiveSkinRect)) {
                EXPECT_TRUE(Inside(def->ActiveSkinRect, active, id + " activeskinrect"));
            }
            if (const auto* b = dynamic_cast<const TspDataSkinButton*>(def.get());
                b && !IsRectEmpty(b->DownRect)) {
                EXPECT_TRUE(Inside(b->DownRect, active, id + " downrect"));
            }
            if (const auto* t = dynamic_cast<const TspDataSkinTrackBar*>(def.get())) {
                EXPECT_TRUE(Inside(t->ButtonRect, active, id + " buttonrect"));
                EXPECT_TRUE(Inside(t->ActiveButtonRect, active, id + " activebuttonrect"));
                // The thumb's whole travel stays inside the object.
                const TRect object =
                    Rect(0, 0, RectWidth(def->SkinRect), RectHeight(def->SkinRect));
                for (const TPoint p : {t->BeginPoint, t->EndPoint})
                    EXPECT_TRUE(Inside(Bounds(p.X - RectWidth(t->ButtonRect) / 2,
                                              p.Y - RectHeight(t->ButtonRect) / 2,
                                              RectWidth(t->ButtonRect), RectHeight(t->ButtonRect)),
                                       object, id + " thumb at an end"));
                EXPECT_LT(t->MinValue, t->MaxValue);
            }
            if (const auto* a = dynamic_cast<const TspDataSkinAnimate*>(def.get())) {
                const TRect last =
                    Bounds(a->ActiveSkinRect.Left + (a->CountFrames - 1) * RectWidth(a->SkinRect),
                           a->ActiveSkinRect.Top, RectWidth(a->SkinRect), RectHeight(a->SkinRect));
                EXPECT_TRUE(Inside(last, active, id + " last frame"));
            }
            const auto stripFits = [&](int32_t count) {
                ASSERT_GE(count, 2) << id;
                EXPECT_EQ(RectWidth(def->ActiveSkinRect) % count, 0)
                    << id << ": frames of unequal width";
                EXPECT_EQ(RectWidth(def->ActiveSkinRect) / count, RectWidth(def->SkinRect)) << id;
                EXPECT_EQ(RectHeight(def->ActiveSkinRect), RectHeight(def->SkinRect)) << id;
            };
            if (const auto* g = dynamic_cast<const TspDataSkinFrameGaugeObject*>(def.get()))
                stripFits(g->CountFrames);
            if (const auto* r = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(def.get()))
                stripFits(r->CountFrames);
        }
    }
}

// The bitmap label's text is all in its glyph table, and every cell of the table lies in
// the picture, so no character of the label is left as a gap.
TEST_F(CompiledInSkinsTest, GalleryBitLabelHasAGlyphForEveryCharacter) {
    Load("gallery");
    const auto* bits = Object<TspDataSkinBitLabel>("bitlabel1");
    ASSERT_NE(bits, nullptr);
    ASSERT_GT(bits->SymbolWidth, 0);
    ASSERT_GT(bits->SymbolHeight, 0);
    ASSERT_GT(bits->Symbols.Count(), 0);
    const TRect picture = PictureRect(bits->ActivePictureIndex);
    for (int row = 0; row < bits->Symbols.Count(); ++row) {
        const std::string line = bits->Symbols.Strings(row);
        const TRect lastCell = Bounds(
            bits->ActiveSkinRect.Left + static_cast<int>(line.size() - 1) * bits->SymbolWidth,
            bits->ActiveSkinRect.Top + row * bits->SymbolHeight, bits->SymbolWidth,
            bits->SymbolHeight);
        EXPECT_TRUE(Inside(lastCell, picture, "row " + std::to_string(row)));
    }
    auto inTable = [&](char c) {
        for (int row = 0; row < bits->Symbols.Count(); ++row)
            if (bits->Symbols.Strings(row).find(c) != std::string::npos) return true;
        return false;
    };
    for (char c : bits->TextValue) EXPECT_TRUE(inTable(c)) << "'" << c << "'";
    // Values the gallery shows from 0 to 100 fit the label.
    EXPECT_GE(RectWidth(bits->SkinRect) / bits->SymbolWidth, 4);
    for (char c : std::string("0123456789%")) EXPECT_TRUE(inTable(c)) << "'" << c << "'";
}

// The band objects keep their size when the window grows: each lies wholly in the left-
// or the right-bottom corner area, which only move, and none in the part that repeats.
TEST_F(CompiledInSkinsTest, GalleryBandObjectsLieInTheBottomCornerAreas) {
    Load("gallery");
    const int pw = skin.MainPicture.Width(), ph = skin.MainPicture.Height();
    const TRect lba = Rect(0, skin.leftbottompoint.Y, skin.leftbottompoint.X, ph);
    const TRect rba = Rect(skin.rightbottompoint.X, skin.rightbottompoint.Y, pw, ph);
    ASSERT_LT(skin.leftbottompoint.X, skin.rightbottompoint.X);
    const std::vector<std::string> band = {"switch1",     "animate1",       "helpbutton", "label1",
                                           "bitlabel1",   "userobject1",    "trackbar1",  "gauge1",
                                           "framegauge1", "frameregulator1"};
    int left = 0, right = 0;
    for (const std::string& name : band) {
        const auto* def = Object<TspDataSkinObject>(name);
        ASSERT_NE(def, nullptr) << name;
        const TRect r = def->SkinRect;
        const TPoint tl{r.Left, r.Top}, br{r.Right, r.Bottom};
        const bool inLeft = PtInRect(lba, tl) && PtInRect(lba, br);
        const bool inRight = PtInRect(rba, tl) && PtInRect(rba, br);
        EXPECT_TRUE(inLeft || inRight) << name << " spans corner areas and would be stretched";
        left += inLeft;
        right += inRight;
        // Below the client area, inside the window's shape.
        EXPECT_GE(r.Top, skin.clientrect.Bottom) << name;
        EXPECT_LE(r.Bottom, skin.maskrectarea.Bottom + 7) << name;
    }
    EXPECT_GT(left, 0);
    EXPECT_GT(right, 0);
}

#if defined(PB_PBSKIN_PATH) && defined(PB_SKINGEN_PATH)

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun RunTool(const std::string& command) {
    ToolRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Q(const fs::path& p) { return "'" + p.string() + "'"; }

std::string FileText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SkinToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("compiled_skins_test_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(SkinToolsTest, PbskinFindsNoProblemInThePackedGallerySkin) {
    const fs::path packed = dir / "gallery.skin";
    const fs::path ini = fs::path(PB_SOURCE_DIR) / "skins" / "gallery" / "skin.ini";
    const ToolRun build =
        RunTool(std::string("'") + PB_PBSKIN_PATH + "' build " + Q(ini) + " " + Q(packed));
    ASSERT_EQ(build.exitCode, 0) << build.output;
    const ToolRun info = RunTool(std::string("'") + PB_PBSKIN_PATH + "' info " + Q(packed));
    EXPECT_EQ(info.exitCode, 0) << info.output;
    EXPECT_NE(info.output.find("0 problem(s)"), std::string::npos) << info.output;
    EXPECT_EQ(info.output.find("problem:"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("active 6: 300 x 100, 8 bpp"), std::string::npos) << info.output;
}

// The committed skins are exactly what skingen draws from the themes: editing a picture by
// hand, or the generator without committing its output, fails here.
TEST_F(SkinToolsTest, RegeneratedSkinsEqualTheCommittedFiles) {
    for (const std::string theme : {"default", "gallery"}) {
        SCOPED_TRACE(theme);
        const fs::path out = dir / theme;
        fs::create_directories(out);
        const ToolRun gen =
            RunTool(std::string("'") + PB_SKINGEN_PATH + "' --theme " + theme + " " + Q(out));
        ASSERT_EQ(gen.exitCode, 0) << gen.output;
        const fs::path committed = fs::path(PB_SOURCE_DIR) / "skins" / theme;
        std::set<std::string> made, kept;
        for (const auto& e : fs::directory_iterator(out)) made.insert(e.path().filename().string());
        for (const auto& e : fs::directory_iterator(committed))
            kept.insert(e.path().filename().string());
        EXPECT_EQ(made, kept);
        for (const std::string& file : made) {
            if (kept.count(file)) {
                EXPECT_TRUE(FileText(out / file) == FileText(committed / file))
                    << file << " differs";
            }
        }
    }
    // The theme's name is checked: an unknown one is a usage error and writes nothing.
    const ToolRun bad =
        RunTool(std::string("'") + PB_SKINGEN_PATH + "' --theme Gallery " + Q(dir / "none"));
    EXPECT_EQ(bad.exitCode, 2) << bad.output;
    EXPECT_FALSE(fs::exists(dir / "none" / "skin.ini"));
}

#endif

}  // namespace
