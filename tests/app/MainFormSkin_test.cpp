// The main form and its compiled-in skin: the skin is loaded while the description is read,
// the form hears of it before FormCreate starts the panes, and a damaged skin block leaves a
// working, unskinned form.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "base/Messages.h"
#include "platform/headless/FakeWebEngine.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/ZlibStreams.h"
#include "skin/form/SkinForm.h"
#include "skins/DefaultSkin.h"

using namespace platform;

namespace {

struct SkinMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
    size_t navigationsSoFar;  // navigations the fake engine had seen when it arrived
};

class MainFormSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless = &InstallHeadlessPlatform();
        headless->SetScreenSize({1280, 1024});
        engine = &InstallFakeWebEngine();
        RegisterAppClasses();
    }
    void TearDown() override { form.reset(); }

    // Reads the description into a fresh form whose window procedure records every skin
    // message (the whole SKINMSG range) as it arrives.
    void CreateForm(const std::string& description) {
        form.reset();
        messages.clear();
        form = std::make_unique<TForm1>(nullptr, TForm1Unread{});
        auto previous = form->WindowProc;
        form->WindowProc = [this, previous](TMessage& m) {
            if (m.Msg >= SKINMSG_BEFORECHANGE && m.Msg <= SKINMSG_MDICHILDRESTORED) {
                messages.push_back({m.Msg, m.WParam, m.LParam, engine->Navigations().size()});
            }
            previous(m);
        };
        form->CreateFromDescription(description);
    }

    HeadlessPlatform* headless = nullptr;
    FakeWebEngine* engine = nullptr;
    std::unique_ptr<TForm1> form;
    std::vector<SkinMessage> messages;
};

// The description with the hex text of its CompressedData block passed through `edit`.
std::string WithEditedSkinBlock(void (*edit)(std::string& hex)) {
    std::string text = MainFormDescription();
    const std::string key = "CompressedData = {";
    const size_t begin = text.find(key);
    if (begin == std::string::npos) return {};
    const size_t open = begin + key.size();
    const size_t close = text.find('}', open);
    std::string hex;
    for (size_t i = open; i < close; ++i) {
        if (std::isxdigit(static_cast<unsigned char>(text[i]))) hex += text[i];
    }
    edit(hex);
    return text.substr(0, open) + hex + text.substr(close);
}

FakeWebControl* FakeOf(TWebPane* pane) {
    return static_cast<FakeWebControl*>(pane->ControlObject());
}

TEST_F(MainFormSkinTest, TheSkinIsLoadedAndAnnouncedBeforeFormCreateStartsThePanes) {
    CreateForm(MainFormDescription());
    ASSERT_NE(form->spSkinData1, nullptr);
    ASSERT_NE(form->spCompressedStoredSkin1, nullptr);
    const auto sender = reinterpret_cast<uintptr_t>(form->spSkinData1);

    ASSERT_EQ(messages.size(), 3u);
    const uint32_t expected[] = {SKINMSG_BEFORECHANGE, SKINMSG_CHANGED, SKINMSG_AFTERCHANGE};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(messages[i].msg, expected[i]);
        EXPECT_EQ(messages[i].wParam, sender);
        EXPECT_EQ(messages[i].lParam, 1000);
        EXPECT_EQ(messages[i].navigationsSoFar, 0u)
            << "FormCreate ran before the skin was announced";
    }
    EXPECT_EQ(engine->Navigations().size(), 3u) << "FormCreate ran afterwards";
    EXPECT_TRUE(headless->MessageBoxes().empty());

    const TspSkinData& skin = *form->spSkinData1;
    EXPECT_EQ(skin.CompressedStoredSkin(), form->spCompressedStoredSkin1);
    EXPECT_FALSE(skin.SkinEmpty);
    EXPECT_EQ(skin.ObjectDefs.size(), 13u);
    EXPECT_EQ(skin.ControlDefs.size(), 61u);
    EXPECT_EQ(skin.ActivePictureList.size(), 6u);
    EXPECT_EQ(skin.MainPicture.Width(), 204);
    EXPECT_EQ(skin.MainPicture.Height(), 200);
    for (const char* name : {"panel", "expanel", "tab"}) {
        const int index = skin.GetControlDefIndex(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(skin.ControlDefs[static_cast<size_t>(index)]->IDName, name);
    }
    EXPECT_EQ(skin.GetControlDefIndex("Panel"), -1);
    EXPECT_GE(skin.GetObjectDefIndex("caption1"), 0);
}

TEST_F(MainFormSkinTest, TheDescriptionCarriesTheCompiledInBlockAfterTheControls) {
    CreateForm(MainFormDescription());
    const TspCompressedStoredSkin& stored = *form->spCompressedStoredSkin1;
    EXPECT_EQ(stored.FileName(), "skin.ini");
    const std::vector<uint8_t>& block = stored.CompressedData();
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block[0], 0x78);
    EXPECT_EQ(block[1], 0xDA) << "packed at the best compression level";
    EXPECT_EQ(block, DefaultSkinCompressedData())
        << "the description's block is not the compiled-in skin";

    const std::vector<std::string> order = {"LeftPanel",       "LeftPC",
                                            "spSkinTabSheet1", "spSkinExPanel1",
                                            "NavWB",           "spSkinPanel1",
                                            "Label1",          "spSkinPanel2",
                                            "ContentWB",       "spSkinTabSheet5",
                                            "quillMartWB",     "spSkinForm1",
                                            "spSkinData1",     "spCompressedStoredSkin1"};
    std::vector<std::string> names;
    for (int i = 0; i < form->ComponentCount(); ++i) names.push_back(form->Components(i)->Name());
    EXPECT_EQ(names, order);
    EXPECT_EQ(form->Components(11), static_cast<TComponent*>(form->spSkinForm1));
    EXPECT_EQ(form->Components(12), form->spSkinData1);
    EXPECT_EQ(form->Components(13), form->spCompressedStoredSkin1);
}

TEST_F(MainFormSkinTest, ADamagedSkinBlockLeavesAnUnskinnedFormThatStillStartsAndShows) {
    struct Case {
        const char* what;
        void (*edit)(std::string& hex);
    };
    const Case cases[] = {
        // 0x78 0xDB fails zlib's header check at once.
        {"header", [](std::string& hex) { hex.replace(2, 2, "DB"); }},
        // Zeroed bytes inside the deflate data: invalid codes or a wrong checksum.
        {"body", [](std::string& hex) { hex.replace(hex.size() / 2, 128, std::string(128, '0')); }},
        // The stream ends early, inside the main picture: its BMP runs past the package.
        {"cut", [](std::string& hex) { hex.resize(4000); }},
    };
    size_t boxes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string description = WithEditedSkinBlock(c.edit);
        ASSERT_FALSE(description.empty());
        ASSERT_NO_THROW(CreateForm(description));

        // Only the announcement before the change went out; the skin stays empty.
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].msg, static_cast<uint32_t>(SKINMSG_BEFORECHANGE));
        ASSERT_NE(form->spSkinData1, nullptr);
        EXPECT_TRUE(form->spSkinData1->SkinEmpty);
        EXPECT_TRUE(form->spSkinData1->ControlDefs.empty());
        EXPECT_EQ(form->spSkinData1->CompressedStoredSkin(), form->spCompressedStoredSkin1);

        // The error was shown once; the rest of the description was read and FormCreate ran.
        ASSERT_EQ(headless->MessageBoxes().size(), ++boxes);
        EXPECT_FALSE(headless->MessageBoxes().back().text.empty());
        const size_t before = engine->Navigations().size();
        ASSERT_GE(before, 3u);
        EXPECT_EQ(engine->Navigations()[before - 3].control, FakeOf(form->ContentWB));
        EXPECT_EQ(engine->Navigations()[before - 1].control, FakeOf(form->quillMartWB));
        EXPECT_EQ(form->ClientWidth(), 777);
        EXPECT_EQ(form->ClientHeight(), 491);
        form->Show();
        ASSERT_NE(form->PlatformWindow(), nullptr);
        EXPECT_TRUE(form->PlatformWindow()->Visible());

        // Set from code, the same container still raises to the caller.
        EXPECT_ANY_THROW(form->spSkinData1->SetCompressedStoredSkin(form->spCompressedStoredSkin1));
        EXPECT_TRUE(form->spSkinData1->SkinEmpty);
    }
    EXPECT_EQ(headless->MessageBoxes()[0].text, "Damaged compressed data: incorrect header check");
}

}  // namespace
