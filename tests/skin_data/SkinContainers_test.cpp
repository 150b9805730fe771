// The two skin containers built from files on disk: JPEG pictures (chosen by a
// case-sensitive name test, and only for the uncompressed container), empty picture values,
// the required sections, and compressed skin files with a wrong format or a length that runs
// past the file.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/StoredSkin.h"
#include "ui/Bitmap.h"

namespace fs = std::filesystem;

namespace {

// A w x h JPEG file of one colour.
void WriteJpeg(const fs::path& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        row[static_cast<size_t>(x) * 3] = r;
        row[static_cast<size_t>(x) * 3 + 1] = g;
        row[static_cast<size_t>(x) * 3 + 2] = b;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(buffer), static_cast<std::streamsize>(size));
    std::free(buffer);
}

void WriteBmp(const fs::path& path, int w, int h, TColor color) {
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, color);
    bmp.SaveToFile(path.string());
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Every required section, with the given [PICTURES] body.
std::string SkinText(const std::string& pictures) {
    return "[VERSION]\r\nskinname=Test\r\n[PICTURES]\r\n" + pictures +
           "[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=1\r\n0=panel:"
           "panel\r\n"
           "[panel]\r\nskinrect=0,0,10,10\r\n";
}

bool Near(int a, int b) { return std::abs(a - b) <= 6; }

class SkinContainersTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        dir = fs::path(::testing::TempDir()) / ("skin_containers_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(SkinContainersTest, StoredSkinDecodesPicturesNamedJpegAndTheSkinDataCopiesThem) {
    WriteJpeg(dir / "main.jpg", 40, 30, 250, 10, 10);
    WriteJpeg(dir / "photo.jpeg.bmp", 12, 8, 10, 10, 250);  // ".jpeg" anywhere in the name
    WriteBmp(dir / "plain.bmp", 5, 7, 0x0000FF00);
    WriteText(dir / "skin.ini", SkinText("picture=main.jpg\r\nmask=\r\nactivepicturescount=2\r\n"
                                         "0=photo.jpeg.bmp\r\n1=plain.bmp\r\n"));
    TspStoredSkin stored(nullptr);
    stored.BuildFromSkinFile((dir / "skin.ini").string());
    const TSkinPictures& p = stored.Pictures();
    ASSERT_EQ(p.Optional[0].Width(), 40);
    ASSERT_EQ(p.Optional[0].Height(), 30);
    const TColor red = p.Optional[0].GetPixel(20, 15);
    EXPECT_TRUE(Near(red & 0xFF, 250) && Near((red >> 16) & 0xFF, 10)) << std::hex << red;
    EXPECT_TRUE(p.Optional[1].Empty()) << "an empty value makes the picture empty";
    ASSERT_EQ(p.Active.size(), 2u);
    EXPECT_EQ(p.Active[0]->Width(), 12);
    EXPECT_TRUE(Near((p.Active[0]->GetPixel(6, 4) >> 16) & 0xFF, 250));
    EXPECT_EQ(p.Active[1]->Width(), 5);
    EXPECT_EQ(p.Active[1]->GetPixel(2, 3), 0x0000FF00);

    TspSkinData data(nullptr);
    data.SetStoredSkin(&stored);
    ASSERT_FALSE(data.SkinEmpty);
    EXPECT_EQ(data.MainPicture.Width(), 40);
    ASSERT_EQ(data.ActivePictureList.size(), 2u);
    EXPECT_NE(data.ActivePictureList[0].get(), p.Active[0].get()) << "the skin data keeps copies";
    EXPECT_EQ(data.ActivePictureList[1]->GetPixel(2, 3), 0x0000FF00);
    EXPECT_EQ(data.GetControlDefIndex("panel"), 0);
}

TEST_F(SkinContainersTest, JpegNamesAreCaseSensitiveAndTheCompressedBuilderTakesBitmapsOnly) {
    WriteJpeg(dir / "main.JPG", 8, 8, 1, 2, 3);
    WriteText(dir / "upper.ini", SkinText("picture=main.JPG\r\n"));
    TspStoredSkin stored(nullptr);
    EXPECT_THROW(stored.BuildFromSkinFile((dir / "upper.ini").string()), Exception)
        << "read as a bitmap file";

    WriteJpeg(dir / "main.jpg", 8, 8, 1, 2, 3);
    WriteText(dir / "lower.ini", SkinText("picture=main.jpg\r\n"));
    TspCompressedStoredSkin compressed(nullptr);
    compressed.SetCompressedData({1, 2, 3});
    EXPECT_THROW(compressed.BuildFromSkinFile((dir / "lower.ini").string()), Exception);
    EXPECT_EQ(compressed.CompressedData(), (std::vector<uint8_t>{1, 2, 3}))
        << "a failed build keeps the old data";
}

TEST_F(SkinContainersTest, CompressedBuilderFlagsEmptyPicturesAndNeedsEverySection) {
    WriteBmp(dir / "a.bmp", 3, 2, 0x00123456);
    WriteText(dir / "skin.ini",
              SkinText("picture=\r\nrollupmask=a.bmp\r\nactivepicturescount=1\r\n0=a.bmp\r\n"));
    TspCompressedStoredSkin compressed(nullptr);
    compressed.BuildFromSkinFile((dir / "skin.ini").string());
    TMemoryStream package;
    compressed.InflateTo(package);
    const std::vector<uint8_t>& b = package.Bytes();
    ASSERT_GT(b.size(), 8u);
    EXPECT_EQ(b[0], 1);  // format value
    EXPECT_EQ(b[4], 1) << "no main picture";
    EXPECT_EQ(b[5], 1) << "no mask";
    EXPECT_EQ(b[6], 1) << "no roll-up picture";
    EXPECT_EQ(b[7], 0) << "a roll-up mask follows";
    EXPECT_EQ(b[8], 'B');
    package.SetPosition(0);
    TSkinPictures pictures;
    TStringList lines;
    ASSERT_TRUE(ReadSkinPackage(package, pictures, lines));
    EXPECT_EQ(pictures.Optional[3].Width(), 3);
    ASSERT_EQ(pictures.Active.size(), 1u);
    EXPECT_EQ(pictures.Active[0]->GetPixel(1, 1), 0x00123456);
    EXPECT_EQ(lines.Strings(0), "[VERSION]");

    // Each required section in turn missing: nothing changes.
    const std::vector<uint8_t> before = compressed.CompressedData();
    for (const char* section :
         {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"}) {
        SCOPED_TRACE(section);
        std::string text = SkinText("");
        text.replace(text.find(section), std::string(section).size(), "[OTHER]");
        WriteText(dir / "partial.ini", text);
        compressed.BuildFromSkinFile((dir / "partial.ini").string());
        EXPECT_EQ(compressed.CompressedData(), before);
    }
}

TEST_F(SkinContainersTest, CompressedSkinFilesWithAWrongFormatOrLengthLoadNothing) {
    const std::vector<uint8_t> block = {0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
    auto write = [&](const std::string& name, int32_t format, int32_t length,
                     const std::vector<uint8_t>& data) {
        TMemoryStream s;
        s.WriteBuffer(&format, 4);
        s.WriteBuffer(&length, 4);
        if (!data.empty()) s.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
        s.SaveToFile((dir / name).string());
        return (dir / name).string();
    };
    TspCompressedStoredSkin compressed(nullptr);
    compressed.ReadCompressedSkinFile(write("good.skin", 1, 8, block));
    EXPECT_EQ(compressed.CompressedData(), block);

    compressed.ReadCompressedSkinFile(write("format2.skin", 2, 8, block));
    EXPECT_TRUE(compressed.IsEmpty()) << "a wrong format value empties the data";

    compressed.SetCompressedData(block);
    EXPECT_THROW(compressed.ReadCompressedSkinFile(write("long.skin", 1, 9, block)), Exception);
    EXPECT_TRUE(compressed.IsEmpty());
    EXPECT_THROW(compressed.ReadCompressedSkinFile(write("negative.skin", 1, -1, block)),
                 Exception);
    EXPECT_THROW(compressed.ReadCompressedSkinFile((dir / "absent.skin").string()), Exception);
    EXPECT_TRUE(compressed.IsEmpty());
}

}  // namespace
