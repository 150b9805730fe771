#include "skin/draw/Jpeg.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "base/Exceptions.h"
#include "tests/skin_draw/TestPictures.h"

namespace {

// A baseline JPEG of a w x h picture: left half red, right half blue.
std::vector<uint8_t> EncodeJpeg(int w, int h, bool gray = false) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = gray ? 1 : 3;
    info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < w; ++x) {
            const bool left = x < w / 2;
            if (gray) {
                row[static_cast<size_t>(x)] = left ? 40 : 220;
            } else {
                row[static_cast<size_t>(x) * 3] = left ? 255 : 0;
                row[static_cast<size_t>(x) * 3 + 1] = 0;
                row[static_cast<size_t>(x) * 3 + 2] = left ? 0 : 255;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// Channel distance within a JPEG's loss.
bool Near(uint32_t pixel, uint32_t expected) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((pixel >> shift) & 0xFF),
                  b = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - b) > 12) return false;
    }
    return true;
}

}  // namespace

TEST(IsJpegFileName, CaseSensitiveSubstring) {
    EXPECT_TRUE(IsJpegFileName("back.jpg"));
    EXPECT_TRUE(IsJpegFileName("back.jpeg"));
    EXPECT_TRUE(IsJpegFileName("pics.jpg/readme.txt"));
    EXPECT_FALSE(IsJpegFileName("BACK.JPG"));
    EXPECT_FALSE(IsJpegFileName("back.bmp"));
    EXPECT_FALSE(IsJpegFileName("jpg"));
}

TEST(LoadJpeg, DecodesColourAndGreyPicturesAtTheirSize) {
    const std::vector<uint8_t> colour = EncodeJpeg(32, 16);
    TBitmap b;
    LoadJpegFromMemory(b, colour.data(), colour.size());
    ASSERT_EQ(b.Width(), 32);
    ASSERT_EQ(b.Height(), 16);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_TRUE(Near(At(b, 4, 8), 0xFF0000)) << std::hex << At(b, 4, 8);
    EXPECT_TRUE(Near(At(b, 28, 8), 0x0000FF)) << std::hex << At(b, 28, 8);
    const std::vector<uint8_t> grey = EncodeJpeg(16, 16, true);
    LoadJpegFromMemory(b, grey.data(), grey.size());
    EXPECT_TRUE(Near(At(b, 2, 2), 0x282828)) << std::hex << At(b, 2, 2);
    EXPECT_TRUE(Near(At(b, 14, 14), 0xDCDCDC)) << std::hex << At(b, 14, 14);
}

TEST(LoadJpeg, FileOnDiskAndMissingFile) {
    const std::string path = testing::TempDir() + "skin_draw_test.jpg";
    const std::vector<uint8_t> bytes = EncodeJpeg(8, 8);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    TBitmap b;
    LoadJpegToBitmap(b, path);
    EXPECT_EQ(b.Width(), 8);
    std::remove(path.c_str());
    EXPECT_THROW(LoadJpegToBitmap(b, path), EFOpenError);
}

TEST(LoadJpeg, DamagedDataRaisesInvalidGraphicAndLeavesTheBitmap) {
    const std::vector<uint8_t> good = EncodeJpeg(16, 16);
    TBitmap b = SolidPicture(3, 2, 0x123456);
    auto expectRejected = [&](const std::vector<uint8_t>& data) {
        EXPECT_THROW(LoadJpegFromMemory(b, data.data(), data.size()), EInvalidGraphic);
        EXPECT_EQ(b.Width(), 3);
        EXPECT_EQ(At(b, 2, 1), 0x123456u);
    };
    expectRejected({});
    expectRejected({'B', 'M', 0, 0, 0, 0});
    expectRejected(std::vector<uint8_t>(good.begin(), good.begin() + 40));  // inside the headers
    // A frame header claiming 60000 x 60000 pixels is refused before any allocation.
    std::vector<uint8_t> huge = good;
    for (size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF &&
            huge[i + 1] == 0xC0) {  // start of frame: FFC0 len(2) prec(1) h(2) w(2)
            huge[i + 5] = huge[i + 7] = 0xEA;
            huge[i + 6] = huge[i + 8] = 0x60;
            break;
        }
    }
    try {
        LoadJpegFromMemory(b, huge.data(), huge.size());
        FAIL() << "accepted a 60000 x 60000 picture";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
    // Corrupt scan data still decodes to a picture of the declared size (as libjpeg does).
    std::vector<uint8_t> noisy = good;
    for (size_t i = noisy.size() / 2; i < noisy.size() - 2; i += 7) noisy[i] ^= 0x5A;
    try {
        LoadJpegFromMemory(b, noisy.data(), noisy.size());
        EXPECT_EQ(b.Width(), 16);
    } catch (const EInvalidGraphic&) {
        SUCCEED();  // rejecting it is fine too; crashing is not
    }
}
