// Skin files from outside, loaded along the program's own path: what each kind of damage
// raises (damaged compressed data is named as such, not as whatever reader meets the
// shortened package next), and the little-endian integers of the file layouts.
#include "skin/data/SkinFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/ZlibStreams.h"
#include "ui/Forms.h"

namespace fs = std::filesystem;

namespace {

const std::string kSkinIni = std::string(PB_SOURCE_DIR) + "/skins/default/skin.ini";

std::vector<uint8_t> DefaultBlock() {
    TspCompressedStoredSkin c(nullptr);
    c.BuildFromSkinFile(kSkinIni);
    return c.CompressedData();
}

std::vector<uint8_t> SkinFileBytes(const std::vector<uint8_t>& block, int32_t format = 1) {
    TMemoryStream s;
    WriteInt32LE(s, format);
    WriteInt32LE(s, static_cast<int32_t>(block.size()));
    s.WriteBuffer(block.data(), static_cast<int32_t>(block.size()));
    return s.Bytes();
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& bytes) {
    TMemoryStream src, dst;
    src.Assign(bytes);
    CompressWholeStream(src, dst);
    return dst.Bytes();
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& block) {
    TMemoryStream src, dst;
    src.Assign(block);
    DecompressWholeStream(dst, src);
    return dst.Bytes();
}

class SkinFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        path = (fs::path(::testing::TempDir()) / ("skinfile_" + std::to_string(getpid()) + ".skin"))
                   .string();
    }
    void TearDown() override { fs::remove(path); }
    void Write(const std::vector<uint8_t>& bytes) {
        TMemoryStream s;
        s.Assign(bytes);
        s.SaveToFile(path);
    }
    // The message the load raises (with the exception's class checked), or "" when it loads.
    template <class E>
    std::string LoadFails() {
        TForm form(nullptr);
        auto* container = new TspCompressedStoredSkin(&form);
        auto* data = new TspSkinData(&form);
        try {
            LoadSkinFile(path, *container, *data);
        } catch (const E& e) {
            EXPECT_TRUE(data->SkinEmpty);
            return e.what();
        }
        return "";
    }
    std::string path;
};

TEST_F(SkinFileTest, TheCompiledInSkinLoadsFromAFile) {
    Write(SkinFileBytes(DefaultBlock()));
    TForm form(nullptr);
    TspCompressedStoredSkin container(&form);
    TspSkinData data(&form);
    LoadSkinFile(path, container, data);
    EXPECT_FALSE(data.SkinEmpty);
    EXPECT_EQ(data.SkinName, "Puzzlebin Slate");
    EXPECT_EQ(data.MainPicture.Width(), 204);
}

TEST_F(SkinFileTest, DamagedCompressedDataIsReportedAsSuch) {
    const std::vector<uint8_t> block = DefaultBlock();
    // Cut inside the zlib stream (the file's length says so too): the package would end
    // inside a picture.
    Write(SkinFileBytes(
        std::vector<uint8_t>(block.begin(), block.begin() + static_cast<long>(block.size() / 2))));
    EXPECT_EQ(LoadFails<EDecompressionError>(),
              "Damaged compressed data: it ends before the end of its stream");
    // Bytes changed in the middle of the stream.
    std::vector<uint8_t> changed = block;
    for (size_t i = 40; i < 60; ++i) changed[i] ^= 0x5A;
    Write(SkinFileBytes(changed));
    const std::string message = LoadFails<EDecompressionError>();
    EXPECT_EQ(message.rfind("Damaged compressed data: ", 0), 0u) << message;
    // A broken zlib header.
    changed = block;
    changed[1] = 0xDB;
    Write(SkinFileBytes(changed));
    EXPECT_EQ(LoadFails<EDecompressionError>(), "Damaged compressed data: incorrect header check");
}

TEST_F(SkinFileTest, FilesThatAreNoSkinsSayWhy) {
    Write(SkinFileBytes(DefaultBlock(), 2));
    EXPECT_EQ(LoadFails<EReadError>(),
              path + ": not a compressed skin file, or one without compressed data");
    // A good stream of a package whose format value is not 1.
    Write(SkinFileBytes(Deflate({2, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0})));
    EXPECT_EQ(LoadFails<EReadError>(),
              path + ": not a skin (the skin package's format value is not 1)");
    // The declared length runs past the file.
    std::vector<uint8_t> cut = SkinFileBytes(DefaultBlock());
    cut.resize(5000);
    Write(cut);
    EXPECT_EQ(LoadFails<EReadError>().rfind("Damaged compressed skin file: it declares ", 0), 0u);
    fs::remove(path);
    EXPECT_NE(LoadFails<EFOpenError>(), "");
}

TEST_F(SkinFileTest, DefinitionErrorsAreThoseOfTheProgramsLoad) {
    TspCompressedStoredSkin built(nullptr);
    built.BuildFromSkinFile(kSkinIni);
    TMemoryStream package;
    built.InflateTo(package);
    // A client rectangle without digits.
    std::vector<uint8_t> bytes = package.Bytes();
    const std::string key = "clientrect=13,33,191,187";
    const std::string text(bytes.begin(), bytes.end());
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    const std::string bad = "clientrect=a,b,c,d      ";
    ASSERT_EQ(bad.size(), key.size());
    std::copy(bad.begin(), bad.end(), bytes.begin() + static_cast<long>(at));
    Write(SkinFileBytes(Deflate(bytes)));
    EXPECT_EQ(LoadFails<EConvertError>(), "'' is not a valid integer value");
}

TEST_F(SkinFileTest, EveryContainerLoadsAndDamageReadsTheSameWhateverTheContainer) {
    auto loadAny = [this]() -> std::string {
        TForm form(nullptr);
        TspCompressedStoredSkin container(&form);
        TspSkinData data(&form);
        try {
            LoadAnySkinFile(path, container, data);
        } catch (const std::exception& e) {
            EXPECT_TRUE(data.SkinEmpty);
            return e.what();
        }
        EXPECT_EQ(data.SkinName, "Puzzlebin Slate");
        return "";
    };
    const std::vector<uint8_t> block = DefaultBlock();
    // A compressed skin file, a bare zlib stream and an uncompressed package all load.
    Write(SkinFileBytes(block));
    EXPECT_EQ(SkinFileContainerOf(SkinFileBytes(block)), TSkinFileContainer::CompressedFile);
    EXPECT_EQ(loadAny(), "");
    Write(block);
    EXPECT_EQ(SkinFileContainerOf(block), TSkinFileContainer::ZlibBlock);
    EXPECT_EQ(loadAny(), "");
    const std::vector<uint8_t> package = Inflate(block);
    Write(package);
    EXPECT_EQ(SkinFileContainerOf(package), TSkinFileContainer::Package);
    EXPECT_EQ(loadAny(), "");
    // A cut zlib stream is damaged compressed data, in a skin file or bare.
    std::vector<uint8_t> cut(block.begin(),
                             block.begin() + static_cast<std::ptrdiff_t>(block.size() / 2));
    Write(cut);
    EXPECT_EQ(loadAny(), "Damaged compressed data: it ends before the end of its stream");
    // An empty file does not load either.
    Write({});
    EXPECT_NE(loadAny(), "");
    // Bytes that are nothing: the package reader's message.
    Write({'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n'});
    EXPECT_EQ(loadAny(), path + ": not a skin (the skin package's format value is not 1)");
}

TEST(SkinFileLayouts, IntegersAreLittleEndianWhateverTheHost) {
    TMemoryStream s;
    s.Assign({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x01});
    int32_t v = 0;
    ASSERT_TRUE(ReadInt32LE(s, v));
    EXPECT_EQ(v, 0x12345678);
    ASSERT_TRUE(ReadInt32LE(s, v));
    EXPECT_EQ(v, -2);
    EXPECT_FALSE(ReadInt32LE(s, v));  // one byte left
    TMemoryStream out;
    WriteInt32LE(out, 0x0A0B0C0D);
    EXPECT_EQ(out.Bytes(), (std::vector<uint8_t>{0x0D, 0x0C, 0x0B, 0x0A}));
    // The adapter itself keeps returning a shorter result for a stream that ends early.
    std::vector<uint8_t> block = Deflate(std::vector<uint8_t>(20000, 7));
    block.resize(block.size() / 2);
    EXPECT_LT(Inflate(block).size(), 20000u);
}

}  // namespace
