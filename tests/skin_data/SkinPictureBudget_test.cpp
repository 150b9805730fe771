// One budget for all pictures of a skin: a small package or picture file that declares huge
// pictures, or many pictures that together are too many, is refused with "too large" and
// the picture's name before any of its pixels exist; lying RLE data is refused with the
// picture's name; both compiled-in skins still load, well inside the budget.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFile.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/StoredSkin.h"
#include "skin/data/ZlibStreams.h"
#include "skins/CompiledInSkins.h"
#include "ui/Bitmap.h"
#include "ui/Forms.h"
#include "ui/Streams.h"

namespace fs = std::filesystem;

namespace {

void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// An 8-bit BMP file (RLE8 when `rle`) with a two-entry colour table.
std::vector<uint8_t> Bmp8(int32_t w, int32_t h, bool rle, const std::vector<uint8_t>& bits) {
    const size_t headers = 14 + 40 + 8;
    std::vector<uint8_t> f(headers + bits.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, static_cast<uint32_t>(f.size()));
    Put32(f, 10, static_cast<uint32_t>(headers));
    Put32(f, 14, 40);
    Put32(f, 18, static_cast<uint32_t>(w));
    Put32(f, 22, static_cast<uint32_t>(h));
    f[26] = 1;
    f[28] = 8;
    Put32(f, 30, rle ? 1 : 0);
    Put32(f, 34, static_cast<uint32_t>(bits.size()));
    Put32(f, 46, 2);
    f[58] = f[59] = f[60] = 0xFF;
    std::memcpy(f.data() + headers, bits.data(), bits.size());
    return f;
}

// RLE8 data that fills every row with runs of colour 1, an end of line after each row.
std::vector<uint8_t> HonestRle(int32_t w, int32_t h) {
    std::vector<uint8_t> row;
    for (int32_t left = w; left > 0; left -= 255) {
        row.push_back(static_cast<uint8_t>(std::min(left, 255)));
        row.push_back(1);
    }
    row.push_back(0);
    row.push_back(0);
    std::vector<uint8_t> bits;
    bits.reserve(row.size() * static_cast<size_t>(h) + 2);
    for (int32_t y = 0; y < h; ++y) bits.insert(bits.end(), row.begin(), row.end());
    bits.push_back(0);
    bits.push_back(1);
    return bits;
}

// The picture: 16384 x 16384 declared, one end-of-picture mark, then 64 KiB of
// padding that made the old "pixels per data byte" ratio believe the data was long.
std::vector<uint8_t> HugeEndMarkPicture() {
    std::vector<uint8_t> bits = {0, 1};
    bits.resize(2 + 65536, 0);
    return Bmp8(16384, 16384, true, bits);
}

const std::string kText =
    "[VERSION]\r\nskinname=budget\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=0\r\n"
    "[SKINCONTROLS]\r\ncount=0\r\n";

// A package: format 1, the four optional pictures (empty: absent), the active pictures,
// the definition text.
std::vector<uint8_t> Package(const std::vector<std::vector<uint8_t>>& optional,
                             const std::vector<std::vector<uint8_t>>& active) {
    std::vector<uint8_t> p = {1, 0, 0, 0};
    for (size_t i = 0; i < 4; ++i) {
        const bool present = i < optional.size() && !optional[i].empty();
        p.push_back(present ? 0 : 1);
        if (present) p.insert(p.end(), optional[i].begin(), optional[i].end());
    }
    const auto count = static_cast<uint32_t>(active.size());
    for (int i = 0; i < 4; ++i) p.push_back(static_cast<uint8_t>(count >> (8 * i)));
    for (const auto& a : active) p.insert(p.end(), a.begin(), a.end());
    p.insert(p.end(), kText.begin(), kText.end());
    return p;
}

class SkinPictureBudgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        form = std::make_unique<TForm>(nullptr);
        container = new TspCompressedStoredSkin(form.get());
        data = new TspSkinData(form.get());
    }
    void SetPackage(const std::vector<uint8_t>& package) {
        TMemoryStream src, block;
        src.Assign(package);
        CompressWholeStream(src, block);
        container->SetCompressedData(block.Bytes());
    }
    // The message of the EPictureTooLarge the program's load raises ("" when it loads).
    std::string TooLarge() {
        try {
            data->LoadFromCompressedContainer(*container);
        } catch (const EPictureTooLarge& e) {
            EXPECT_TRUE(data->SkinEmpty);
            EXPECT_TRUE(data->MainPicture.Empty());
            EXPECT_TRUE(data->ActivePictureList.empty());
            return e.what();
        }
        return "";
    }
    std::unique_ptr<TForm> form;
    TspCompressedStoredSkin* container = nullptr;
    TspSkinData* data = nullptr;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(SkinPictureBudgetTest, APictureDeclaringAHugeSizeIsRefusedAsTooLargeNamingIt) {
    const std::vector<uint8_t> huge = HugeEndMarkPicture();
    const std::vector<uint8_t> small = Bmp8(4, 2, false, std::vector<uint8_t>(8, 1));
    SetPackage(Package({huge}, {huge}));
    std::string message = TooLarge();
    EXPECT_EQ(
        message.rfind("main picture: picture of 16384 x 16384 pixels is too large for a skin", 0),
        0u)
        << message;
    EXPECT_TRUE(Has(message, std::to_string(kSkinPicturesMaxPixels) + " pixels in all")) << message;
    SetPackage(Package({small, huge}, {}));
    message = TooLarge();
    EXPECT_EQ(message.rfind("mask: ", 0), 0u) << message;
    SetPackage(Package({}, {small, small, huge}));
    message = TooLarge();
    EXPECT_EQ(message.rfind("active picture 2: picture of 16384 x 16384", 0), 0u) << message;
    // Eight such pictures are refused at the first.
    SetPackage(Package({huge, huge, huge, huge}, {huge, huge, huge, huge}));
    EXPECT_EQ(TooLarge().rfind("main picture: ", 0), 0u);
}

TEST_F(SkinPictureBudgetTest,
       PicturesThatTogetherExceedTheBudgetAreRefusedAtTheFirstThatDoesNotFit) {
    // Eight full-HD pictures (2,073,600 pixels each) fit the budget; a ninth does not.
    const std::vector<uint8_t> hd = Bmp8(1920, 1080, true, HonestRle(1920, 1080));
    SetPackage(Package({hd}, std::vector<std::vector<uint8_t>>(7, hd)));
    EXPECT_EQ(TooLarge(), "");
    EXPECT_FALSE(data->SkinEmpty);
    EXPECT_EQ(data->ActivePictureList.size(), 7u);
    EXPECT_EQ(data->MainPicture.Width(), 1920);
    SetPackage(Package({hd}, std::vector<std::vector<uint8_t>>(8, hd)));
    const std::string message = TooLarge();
    EXPECT_EQ(
        message.rfind("active picture 7: picture of 1920 x 1080 pixels is too large for a skin", 0),
        0u)
        << message;
    EXPECT_TRUE(
        Has(message, std::to_string(kSkinPicturesMaxPixels - 8 * 1920 * 1080) + " are left"))
        << message;
}

TEST(SkinPictureBudget, ManyMediumPicturesShareOneBudgetInEveryReader) {
    // The same rule with a small budget: 3 pictures of 10 x 10 fit 300 pixels, a fourth not.
    const std::vector<uint8_t> p = Bmp8(10, 10, true, HonestRle(10, 10));
    std::vector<uint8_t> package = Package({p, p}, {p, p});
    TMemoryStream s;
    s.Assign(package);
    s.SetPosition(4);
    TSkinPictures pictures;
    try {
        ReadSkinPictures(s, pictures, 300);
        FAIL() << "four pictures of 100 pixels fit 300";
    } catch (const EPictureTooLarge& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "active picture 1: picture of 10 x 10 pixels is too large for a skin "
                      "(its pictures may hold 300 pixels in all, 0 are left for this one)",
                      0),
                  0u)
            << e.what();
    }
    // The stored skin's picture block reads its pictures the same way (its own budget).
    TspStoredSkin stored(nullptr);
    TSkinPictures two;  // 2 x 8.6 million pixels
    for (int i = 0; i < 2; ++i) {
        two.Active.push_back(std::make_unique<TBitmap>(4096, 2100));
        two.Active.back()->SetPixelFormat(pf1bit);
    }
    TMemoryStream block;
    WriteSkinPictures(block, two);
    EXPECT_THROW(stored.SetPicturesData(block.Bytes()), EPictureTooLarge);
    EXPECT_TRUE(stored.Pictures().Active.empty());
}

TEST_F(SkinPictureBudgetTest, LyingRleDataIsRefusedNamingThePicture) {
    const int32_t w = 4000, h = 4000;
    std::vector<uint8_t> rows = HonestRle(w, h - 1);
    rows.resize(rows.size() - 2);  // without the end mark
    std::vector<uint8_t> pastEdge = rows;
    for (int i = 0; i < 16; ++i) pastEdge.insert(pastEdge.end(), {255, 1});
    std::vector<uint8_t> deltaPastEnd = rows;
    deltaPastEnd.insert(deltaPastEnd.end(), {0, 2, 0, 5, 1, 1, 0, 1});
    std::vector<uint8_t> endsEarly = HonestRle(w, h / 2);
    endsEarly.resize(endsEarly.size() - 2);
    std::vector<uint8_t> lone = {0, 1};
    lone.resize(70000, 0);
    const struct {
        std::vector<uint8_t> bits;
        const char* why;
    } cases[] = {
        {pastEdge, "an RLE run runs past the picture's edge"},
        {deltaPastEnd, "an RLE delta moves past the picture's edge"},
        {endsEarly, "the RLE data ends before the end-of-picture mark"},
        {lone,
         "the RLE data is far too short for a picture of 4000 x 4000 pixels (it uses 2 bytes)"},
    };
    for (const auto& c : cases) {
        SetPackage(
            Package({Bmp8(4, 4, false, std::vector<uint8_t>(16, 0))}, {Bmp8(w, h, true, c.bits)}));
        try {
            data->LoadFromCompressedContainer(*container);
            ADD_FAILURE() << c.why;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("active picture 0: Invalid bitmap: ") + c.why);
            EXPECT_TRUE(data->SkinEmpty);
        }
    }
}

// A baseline JPEG of w x h grey pixels.
std::vector<uint8_t> EncodeJpeg(int w, int h) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(w), 128);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

class SkinPictureFilesBudgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        dir = fs::path(::testing::TempDir()) / ("skin_budget_" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        TMemoryStream s;
        s.Assign(bytes);
        s.SaveToFile((dir / name).string());
    }
    std::string Ini(const std::string& pictures) {
        TStringList lines;
        const std::string text = "[VERSION]\nskinname=files\n[PICTURES]\n" + pictures +
                                 "[FORMINFO]\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n";
        std::string line;
        for (char c : text) {
            if (c == '\n') {
                lines.Add(line);
                line.clear();
            } else {
                line += c;
            }
        }
        const std::string path = (dir / "skin.ini").string();
        lines.SaveToFile(path);
        return path;
    }
    fs::path dir;
};

TEST_F(SkinPictureFilesBudgetTest, PictureFilesShareTheBudgetAndAreNamedByRoleAndFile) {
    Write("big.bmp", HugeEndMarkPicture());
    Write("small.bmp", Bmp8(4, 2, false, std::vector<uint8_t>(8, 1)));
    TspCompressedStoredSkin built(nullptr);
    try {
        built.BuildFromSkinFile(
            Ini("picture=small.bmp\nactivepicturescount=2\n0=small.bmp\n1=big.bmp\n"));
        FAIL() << "built a skin with a 16384 x 16384 picture";
    } catch (const EPictureTooLarge& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "active picture 1 \"big.bmp\": picture of 16384 x 16384 pixels is too "
                      "large for a skin",
                      0),
                  0u)
            << e.what();
    }
    EXPECT_TRUE(built.IsEmpty());
    // A JPEG picture (read by the stored skin) is judged by its header, before decoding:
    // 5000 x 5000 is within the JPEG reader's own limit but not within the skin's budget.
    std::vector<uint8_t> jpeg = EncodeJpeg(16, 16);
    for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF &&
            jpeg[i + 1] == 0xC0) {  // start of frame: FFC0 len(2) prec(1) h(2) w(2)
            jpeg[i + 5] = jpeg[i + 7] = 0x13;
            jpeg[i + 6] = jpeg[i + 8] = 0x88;
            break;
        }
    }
    Write("big.jpg", jpeg);
    Write("fine.jpg", EncodeJpeg(16, 16));
    TspStoredSkin stored(nullptr);
    stored.BuildFromSkinFile(Ini("picture=fine.jpg\n"));
    EXPECT_EQ(stored.Pictures().Optional[0].Width(), 16);
    try {
        stored.BuildFromSkinFile(Ini("picture=fine.jpg\nmask=big.jpg\n"));
        FAIL() << "built a skin with a 5000 x 5000 JPEG";
    } catch (const EPictureTooLarge& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "mask \"big.jpg\": picture of 5000 x 5000 pixels is too large", 0),
                  0u)
            << e.what();
    }
    EXPECT_EQ(stored.Pictures().Optional[0].Width(), 16) << "the stored skin keeps what it had";
}

TEST(CompiledInSkinsBudget, BothCompiledInSkinsLoadWellInsideTheBudget) {
    InstallHeadlessPlatform();
    for (const CompiledInSkin& skin : CompiledInSkins()) {
        TspCompressedStoredSkin container(nullptr);
        TspSkinData data(nullptr);
        LoadSkinBlock(*skin.compressedData, skin.name, container, data);
        ASSERT_FALSE(data.SkinEmpty) << skin.name;
        uint64_t pixels = 0;
        for (const TBitmap* b :
             {&data.MainPicture, &data.MaskPicture, &data.RollUpPicture, &data.RollUpMaskPicture})
            pixels += static_cast<uint64_t>(b->Width()) * b->Height();
        for (const auto& b : data.ActivePictureList)
            pixels += static_cast<uint64_t>(b->Width()) * b->Height();
        EXPECT_GT(pixels, 0u) << skin.name;
        EXPECT_LT(pixels, kSkinPicturesMaxPixels / 8) << skin.name;
    }
}

}  // namespace
