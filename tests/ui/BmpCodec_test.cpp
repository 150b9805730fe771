// BMP reading against the BMP Suite conformance images and hand-built files, and writing
// at every depth.
#include "ui/BmpCodec.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Streams.h"

namespace {

const std::string kSuite = std::string(PB_FIXTURES_DIR) + "/bmpsuite/";

TBitmap Load(const std::string& relative) {
    TBitmap b;
    b.LoadFromFile(kSuite + relative);
    return b;
}

std::vector<uint32_t> PixelsOf(const TBitmap& b) {
    return {b.Bits(), b.Bits() + static_cast<size_t>(b.Width()) * b.Height()};
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(kSuite + dir)) {
        if (e.path().extension() == ".bmp")
            names.push_back(dir + "/" + e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> Save(const TBitmap& b) {
    TMemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

TBitmap Reload(const std::vector<uint8_t>& bytes) {
    TMemoryStream s;
    s.Assign(bytes);
    TBitmap b;
    b.LoadFromStream(s);
    EXPECT_EQ(s.Position(), static_cast<int64_t>(bytes.size()));
    return b;
}

void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A minimal 8-bit file: 40-byte header, `colours` table entries (entry i = i,i,i grey),
// then the given pixel bytes, with the given compression.
std::vector<uint8_t> MakeBmp8(int32_t w, int32_t h, uint32_t compression,
                              const std::vector<uint8_t>& bits, uint32_t colours = 4,
                              uint16_t bpp = 8) {
    const size_t headers = 14 + 40 + 4 * colours;
    std::vector<uint8_t> f(headers + bits.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, static_cast<uint32_t>(f.size()));
    Put32(f, 10, static_cast<uint32_t>(headers));
    Put32(f, 14, 40);
    Put32(f, 18, static_cast<uint32_t>(w));
    Put32(f, 22, static_cast<uint32_t>(h));
    f[26] = 1;
    f[28] = static_cast<uint8_t>(bpp);
    Put32(f, 30, compression);
    Put32(f, 46, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        const uint8_t g = static_cast<uint8_t>(i * 16);
        f[54 + 4 * i] = g;
        f[55 + 4 * i] = g;
        f[56 + 4 * i] = g;
    }
    std::memcpy(f.data() + headers, bits.data(), bits.size());
    return f;
}

uint32_t Grey(uint32_t index) { return index * 16 * 0x010101; }

}  // namespace

TEST(BmpSuite, EveryGoodFileDecodesWithItsDepthAndSize) {
    struct Expect {
        const char* name;
        int32_t w, h;
        TPixelFormat format;
    };
    const Expect expects[] = {
        {"g/pal1.bmp", 127, 64, pf1bit},          {"g/pal4.bmp", 127, 64, pf4bit},
        {"g/pal4rle.bmp", 127, 64, pf4bit},       {"g/pal8.bmp", 127, 64, pf8bit},
        {"g/pal8nonsquare.bmp", 127, 32, pf8bit}, {"g/pal8w124.bmp", 124, 61, pf8bit},
        {"g/pal8w125.bmp", 125, 62, pf8bit},      {"g/pal8w126.bmp", 126, 63, pf8bit},
        {"g/rgb16.bmp", 127, 64, pf16bit},        {"g/rgb16-565.bmp", 127, 64, pf16bit},
        {"g/rgb24.bmp", 127, 64, pf24bit},        {"g/rgb32bf.bmp", 127, 64, pf32bit},
    };
    for (const Expect& e : expects) {
        const TBitmap b = Load(e.name);
        EXPECT_EQ(b.Width(), e.w) << e.name;
        EXPECT_EQ(b.Height(), e.h) << e.name;
        EXPECT_EQ(b.PixelFormat(), e.format) << e.name;
    }
    const std::vector<std::string> good = FilesIn("g");
    EXPECT_EQ(good.size(), 27u);
    for (const std::string& name : good) EXPECT_NO_THROW(Load(name)) << name;
}

TEST(BmpSuite, KnownPixelsAndPalettes) {
    const TBitmap pal1 = Load("g/pal1.bmp");
    EXPECT_EQ(pal1.GetPixel(0, 0), clWhite);
    EXPECT_EQ(pal1.GetPixel(0, 63), clBlack);
    ASSERT_EQ(pal1.Palette().size(), 2u);
    const TBitmap bg = Load("g/pal1bg.bmp");
    EXPECT_EQ(bg.ScanLine(0)[0], 0x40FF40u);
    EXPECT_EQ(bg.ScanLine(63)[0], 0x4040FFu);
    const TBitmap pal8 = Load("g/pal8.bmp");
    EXPECT_EQ(pal8.GetPixel(0, 0), clRed);
    EXPECT_EQ(pal8.ScanLine(0)[126], 0x99AACCu);
    EXPECT_EQ(pal8.ScanLine(50)[10], 0x335566u);
    EXPECT_EQ(pal8.Palette().size(), 252u);
    // The 12-byte core header's table has 3-byte entries and the full 256 of them.
    EXPECT_EQ(Load("g/pal8os2.bmp").Palette().size(), 256u);
    EXPECT_EQ(Load("g/rgb24.bmp").ScanLine(50)[10], 0x355252u);
}

TEST(BmpSuite, DifferentEncodingsOfOnePictureDecodeIdentically) {
    const std::vector<std::vector<std::string>> groups = {
        {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8rle.bmp", "g/pal8topdown.bmp",
         "g/pal8v4.bmp", "g/pal8v5.bmp", "q/pal8offs.bmp", "q/pal8os2sp.bmp", "q/pal8os2v2.bmp",
         "q/pal8os2v2-16.bmp", "q/pal8oversizepal.bmp"},
        {"g/pal4.bmp", "g/pal4rle.bmp"},
        {"g/pal1.bmp", "g/pal1wb.bmp"},
        {"g/rgb24.bmp", "g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp",
         "q/rgb24largepal.bmp", "q/rgb32-xbgr.bmp", "q/rgb32fakealpha.bmp", "q/rgb32h52.bmp"},
        {"g/rgb16.bmp", "g/rgb16bfdef.bmp", "q/rgb16faketrns.bmp", "q/rgba16-5551.bmp"},
        {"g/rgb16-565.bmp", "g/rgb16-565pal.bmp"},
    };
    for (const auto& group : groups) {
        const std::vector<uint32_t> reference = PixelsOf(Load(group[0]));
        for (size_t i = 1; i < group.size(); ++i) {
            EXPECT_TRUE(PixelsOf(Load(group[i])) == reference)
                << group[i] << " differs from " << group[0];
        }
    }
}

TEST(BmpSuite, SixteenBitPicturesMatchTheTrueColourOneWithinTheirPrecision) {
    const std::vector<uint32_t> truth = PixelsOf(Load("g/rgb24.bmp"));
    for (const char* name : {"g/rgb16.bmp", "g/rgb16-565.bmp"}) {
        const std::vector<uint32_t> p = PixelsOf(Load(name));
        ASSERT_EQ(p.size(), truth.size());
        int worst = 0;
        for (size_t i = 0; i < p.size(); ++i) {
            for (int shift : {0, 8, 16}) {
                worst = std::max(worst, std::abs(static_cast<int>((p[i] >> shift) & 0xFF) -
                                                 static_cast<int>((truth[i] >> shift) & 0xFF)));
            }
        }
        EXPECT_LE(worst, 4) << name;  // 5 bits per channel: steps of about 8
    }
}

TEST(BmpSuite, BadFilesAreRejectedExceptTheGenuinelyDecodableOnes) {
    // Density and image-size fields are not needed to decode an uncompressed picture, and an
    // index past a short colour table shows black, so these four decode.
    const std::vector<std::string> decodable = {"b/badbitssize.bmp", "b/baddens1.bmp",
                                                "b/baddens2.bmp", "b/pal8badindex.bmp"};
    for (const std::string& name : FilesIn("b")) {
        if (std::find(decodable.begin(), decodable.end(), name) != decodable.end()) continue;
        TBitmap b(3, 2);
        b.SetPixel(1, 1, clRed);
        EXPECT_THROW(b.LoadFromFile(kSuite + name), EInvalidGraphic) << name;
        EXPECT_EQ(b.Width(), 3) << name;  // unchanged on failure
        EXPECT_EQ(b.GetPixel(1, 1), clRed) << name;
    }
    const std::vector<uint32_t> pal1 = PixelsOf(Load("g/pal1.bmp"));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(PixelsOf(Load(decodable[i])) == pal1) << decodable[i];
    const TBitmap badIndex = Load("b/pal8badindex.bmp");
    EXPECT_EQ(badIndex.Palette().size(), 101u);
    size_t black = 0;
    for (uint32_t p : PixelsOf(badIndex)) black += p == 0;
    EXPECT_GT(black, 0u);
}

TEST(BmpSuite, QuestionableFilesDecodeOrFailCleanly) {
    // Rejected: Huffman, JPEG, PNG and RLE24 data, 64-bit pixels, and files whose declared
    // size is smaller than their own headers and pixels.
    const std::vector<std::string> rejected = {
        "q/pal1huffmsb.bmp", "q/rgb24jpeg.bmp",    "q/rgb24png.bmp",
        "q/rgb24rle24.bmp",  "q/rgba64.bmp",       "q/pal8os2-hs.bmp",
        "q/pal8os2-sz.bmp",  "q/pal8os2v2-sz.bmp", "q/pal8os2v2-40sz.bmp"};
    for (const std::string& name : FilesIn("q")) {
        const bool reject = std::find(rejected.begin(), rejected.end(), name) != rejected.end();
        if (reject) {
            EXPECT_THROW(Load(name), EInvalidGraphic) << name;
        } else {
            TBitmap b;
            EXPECT_NO_THROW(b = Load(name)) << name;
            EXPECT_EQ(b.Width(), 127) << name;
        }
    }
    // A 2-bit picture reads as a 4-bit one with its 4 colours; RLE pixels the data skips are black.
    const TBitmap pal2 = Load("q/pal2.bmp");
    EXPECT_EQ(pal2.PixelFormat(), pf4bit);
    EXPECT_EQ(pal2.Palette().size(), 4u);
    EXPECT_EQ(Load("q/pal8rlecut.bmp").ScanLine(0)[0], 0u);
}

TEST(BmpStream, StopsAtTheDeclaredSizeAndLeavesTheRestForTheNextReader) {
    std::vector<uint8_t> first = ReadFileBytes(kSuite + "g/pal4rle.bmp");
    // Trailing bytes inside the declared size belong to the file and are skipped.
    first.insert(first.end(), {0xAA, 0xBB});
    Put32(first, 2, static_cast<uint32_t>(first.size()));
    const std::vector<uint8_t> second = ReadFileBytes(kSuite + "g/pal1.bmp");
    TMemoryStream s;
    s.WriteBuffer(first.data(), static_cast<int32_t>(first.size()));
    s.WriteBuffer(second.data(), static_cast<int32_t>(second.size()));
    s.SetPosition(0);
    TBitmap a, b;
    a.LoadFromStream(s);
    EXPECT_EQ(s.Position(), static_cast<int64_t>(first.size()));
    b.LoadFromStream(s);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(a.PixelFormat(), pf4bit);
    EXPECT_EQ(b.PixelFormat(), pf1bit);
}

TEST(BmpStream, DeclaredSizeTooSmallOrTooLargeFailsAndRewinds) {
    std::vector<uint8_t> f = ReadFileBytes(kSuite + "g/pal8.bmp");
    for (uint32_t declared : {static_cast<uint32_t>(f.size() - 1), 14u + 40u, 20u,
                              static_cast<uint32_t>(f.size() + 1), 0xFFFFFFFFu}) {
        std::vector<uint8_t> g = f;
        Put32(g, 2, declared);
        TMemoryStream s;
        s.WriteBuffer("xy", 2);
        s.WriteBuffer(g.data(), static_cast<int32_t>(g.size()));
        s.SetPosition(2);
        TBitmap b;
        EXPECT_THROW(b.LoadFromStream(s), EInvalidGraphic) << declared;
        EXPECT_EQ(s.Position(), 2) << declared;
        EXPECT_TRUE(b.Empty());
    }
    TMemoryStream notBmp;
    notBmp.WriteBuffer("PK\3\4 not a bitmap at all", 25);
    notBmp.SetPosition(0);
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(notBmp), EInvalidGraphic);
}

TEST(BmpStream, EveryTruncationOfAFileIsRejected) {
    for (const char* name :
         {"g/pal8rle.bmp", "g/pal4rle.bmp", "g/rgb16-565.bmp", "g/pal8os2.bmp"}) {
        const std::vector<uint8_t> full = ReadFileBytes(kSuite + name);
        for (size_t n = 0; n < full.size(); n += (n < 200 ? 1 : 97)) {
            // Cut both the data and the declared size, so only the content can tell.
            std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
            if (n >= 6) Put32(cut, 2, static_cast<uint32_t>(n));
            EXPECT_THROW((void)DecodeBmp(cut.data(), cut.size()), EInvalidGraphic)
                << name << " cut at " << n;
        }
    }
}

TEST(BmpDecode, AbsurdSizesAreRefusedBeforeAllocating) {
    // 2^15 x 2^14 = 2^29 pixels from a 60-byte file.
    std::vector<uint8_t> f = MakeBmp8(1 << 15, 1 << 14, 0, {0, 1}, 1);
    EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic);
    // Within the pixel limit but more than the data holds.
    f = MakeBmp8(10000, 10000, 0, {0, 1}, 1);
    EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic);
    // RLE claiming 20000 x 10000 pixels from two bytes.
    f = MakeBmp8(20000, 10000, 1, {0, 1}, 1);
    EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic);
    // Height INT32_MIN (top-down) must not overflow.
    f = MakeBmp8(1, 1, 0, {0, 0, 0, 0}, 1);
    Put32(f, 22, 0x80000000u);
    EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic);
}

TEST(BmpDecode, Rle8EscapesRunsDeltasAndLiterals) {
    // 4 x 3, rows bottom-up.
    const std::vector<uint8_t> bits = {
        1, 1,              // row 0: 1
        0, 3, 1, 2, 3, 0,  // row 0: literal 1 2 3 + pad byte
        0, 0,              // end of line
        0, 2, 1, 0,        // row 1: delta right by 1
        1, 3,              // row 1: 3 at x = 1
        0, 0,              // end of line
        0, 3, 1, 2, 1, 0,  // row 2: literal 1 2 1 + pad byte
        0, 1,              // end of picture
    };
    const std::vector<uint8_t> f = MakeBmp8(4, 3, 1, bits);
    const TBmpImage img = DecodeBmp(f.data(), f.size());
    const std::vector<uint32_t> expected = {
        Grey(1), Grey(2), Grey(1), 0,        // top row (row 2)
        0,       Grey(3), 0,       0,        // row 1: skipped pixels stay black
        Grey(1), Grey(1), Grey(2), Grey(3),  // bottom row
    };
    EXPECT_EQ(img.pixels, expected);
    EXPECT_EQ(img.format, pf8bit);
}

TEST(BmpDecode, Rle4AlternatesNibblesAndPadsLiterals) {
    const std::vector<uint8_t> bits = {
        5, 0x12,              // 1 2 1 2 1
        0, 3,    0x30, 0x20,  // literal 3 0 2 (two bytes, already even)
        0, 1,
    };
    const std::vector<uint8_t> f = MakeBmp8(8, 1, 2, bits, 4, 4);
    const TBmpImage img = DecodeBmp(f.data(), f.size());
    const std::vector<uint32_t> expected = {Grey(1), Grey(2), Grey(1), Grey(2),
                                            Grey(1), Grey(3), 0,       Grey(2)};
    EXPECT_EQ(img.pixels, expected);
    EXPECT_EQ(img.format, pf4bit);
}

TEST(BmpDecode, RleNeverWritesOutsideThePicture) {
    const std::vector<std::vector<uint8_t>> bad = {
        {5, 1, 0, 1},              // run longer than the row
        {0, 5, 1, 1, 1, 1, 1, 0},  // literal longer than the row
        {0, 2, 5, 0, 1, 1, 0, 1},  // delta past the right edge
        {0, 2, 0, 3, 1, 1, 0, 1},  // delta below the last row, then a pixel
        {0, 0, 0, 0, 1, 1, 0, 1},  // end of line past the last row, then a pixel
        {0, 3, 1, 1},              // literal cut short
        {2, 1},                    // data ends without an end mark, rows missing
        {0, 2, 1},                 // delta cut short
    };
    for (const auto& bits : bad) {
        const std::vector<uint8_t> f = MakeBmp8(4, 2, 1, bits);
        EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic) << bits.size();
    }
}

TEST(BmpDecode, ShortColourTableAndBitFieldChecks) {
    // Index 3 with only 2 table entries shows black.
    std::vector<uint8_t> f = MakeBmp8(2, 1, 0, {1, 3, 0, 0}, 2);
    EXPECT_EQ(DecodeBmp(f.data(), f.size()).pixels, (std::vector<uint32_t>{Grey(1), 0}));
    // No colour table at all for an indexed picture.
    f = MakeBmp8(2, 1, 0, {1, 3, 0, 0}, 0);
    Put32(f, 46, 0);
    Put32(f, 10, 54);
    EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic);
    // 16-bit 5-6-5 bit fields: pure colours expand to 255.
    std::vector<uint8_t> g(14 + 40 + 12 + 8, 0);
    g[0] = 'B';
    g[1] = 'M';
    Put32(g, 2, static_cast<uint32_t>(g.size()));
    Put32(g, 10, 66);
    Put32(g, 14, 40);
    Put32(g, 18, 3);
    Put32(g, 22, 1);
    g[26] = 1;
    g[28] = 16;
    Put32(g, 30, 3);
    Put32(g, 54, 0xF800);
    Put32(g, 58, 0x07E0);
    Put32(g, 62, 0x001F);
    const uint16_t px[3] = {0xF800, 0x07E0, 0x0410};
    std::memcpy(g.data() + 66, px, 6);
    EXPECT_EQ(DecodeBmp(g.data(), g.size()).pixels,
              (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x008284}));
    // Overlapping masks and a mask wider than 16 bits are refused.
    Put32(g, 58, 0x0FE0);
    EXPECT_THROW((void)DecodeBmp(g.data(), g.size()), EInvalidGraphic);
    Put32(g, 58, 0x107E0);
    EXPECT_THROW((void)DecodeBmp(g.data(), g.size()), EInvalidGraphic);
}

TEST(BmpWrite, FileSizesFollowTheDepthWithAFullColourTable) {
    TBitmap b(204, 200);
    b.Canvas().FillSolid(Rect(0, 0, 100, 100), clRed);
    b.SetPixelFormat(pf8bit);
    EXPECT_EQ(Save(b).size(), 41878u);  // 14 + 40 + 256*4 + 200 * 204
    TBitmap mask(204, 200);
    mask.Canvas().FillSolid(Rect(10, 10, 50, 60), clBlack);
    mask.SetPixelFormat(pf1bit);
    const std::vector<uint8_t> bytes = Save(mask);
    EXPECT_EQ(bytes.size(), 5662u);  // 14 + 40 + 2*4 + 200 * 28
    const TBitmap back = Reload(bytes);
    EXPECT_EQ(back.PixelFormat(), pf1bit);
    EXPECT_TRUE(PixelsOf(back) == PixelsOf(mask));
    EXPECT_EQ(back.Palette(), (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
    TBitmap empty;
    TMemoryStream s;
    EXPECT_THROW(empty.SaveToStream(s), EInvalidGraphic);
}

TEST(BmpWrite, EveryDepthRoundTripsExactlyAtOddWidths) {
    for (int32_t w : {1, 2, 3, 5, 7, 9, 33}) {
        for (TPixelFormat format :
             {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
            TBitmap b(w, 3);
            const int colours = format == pf1bit ? 2 : format == pf4bit ? 16 : 200;
            for (int32_t y = 0; y < 3; ++y) {
                for (int32_t x = 0; x < w; ++x) {
                    const uint32_t i = static_cast<uint32_t>((x * 7 + y * 13) % colours);
                    // 5-bit channel values, so 15/16-bit files can hold them exactly.
                    auto c5 = [](uint32_t v) { return (v % 32 * 255 + 15) / 31; };
                    b.ScanLine(y)[x] = format == pf1bit
                                           ? (i ? 0xFFFFFF : 0)
                                           : (c5(i) << 16) | (c5(i / 32) << 8) | c5(i * 5);
                }
            }
            b.SetPixelFormat(format);
            const std::vector<uint8_t> bytes = Save(b);
            const TBitmap back = Reload(bytes);
            EXPECT_TRUE(PixelsOf(back) == PixelsOf(b)) << "width " << w << " format " << format;
            const uint16_t bpp = static_cast<uint16_t>(bytes[28] | (bytes[29] << 8));
            const uint16_t expectBpp = format == pf1bit                           ? 1
                                       : format == pf4bit                         ? 4
                                       : format == pf8bit                         ? 8
                                       : (format == pf15bit || format == pf16bit) ? 16
                                       : format == pf32bit                        ? 32
                                                                                  : 24;
            EXPECT_EQ(bpp, expectBpp) << "width " << w << " format " << format;
        }
    }
}

TEST(BmpWrite, IndexedFormatsKeepThePaletteOrFallBackToTrueColour) {
    TBitmap b(20, 20);
    b.SetPixelFormat(pf4bit);
    b.SetPalette({0x112233, 0xFFFFFF, 0x445566});
    b.Canvas().FillSolid(Rect(0, 0, 10, 10), RGB(0x11, 0x22, 0x33));
    TBitmap back = Reload(Save(b));
    EXPECT_EQ(back.PixelFormat(), pf4bit);
    EXPECT_EQ(back.Palette(), (std::vector<uint32_t>{0x112233, 0xFFFFFF, 0x445566}));
    // 17 colours do not fit 4 bits: the file is 24-bit and still exact.
    for (int i = 0; i < 17; ++i) b.ScanLine(19)[i] = static_cast<uint32_t>(i * 3);
    const std::vector<uint8_t> bytes = Save(b);
    EXPECT_EQ(bytes[28], 24);
    back = Reload(bytes);
    EXPECT_TRUE(PixelsOf(back) == PixelsOf(b));
    // Colours that 5-bit channels cannot hold fall back too.
    TBitmap c(2, 1);
    c.ScanLine(0)[0] = 0x010203;
    c.SetPixelFormat(pf15bit);
    EXPECT_EQ(Save(c)[28], 24);
}

TEST(BmpWrite, SuitePicturesRoundTripAtTheirOwnDepth) {
    for (const std::string& name : FilesIn("g")) {
        const TBitmap b = Load(name);
        const TBitmap back = Reload(Save(b));
        EXPECT_TRUE(PixelsOf(back) == PixelsOf(b)) << name;
        EXPECT_EQ(back.Width(), b.Width()) << name;
        if (b.PixelFormat() <= pf8bit) {
            EXPECT_EQ(back.PixelFormat(), b.PixelFormat()) << name;
        }
    }
}

namespace {

// The process's peak resident memory so far, in MiB.
long PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// RLE8 rows of `w` pixels of colour 1, each ended by an end of line.
std::vector<uint8_t> RleRows(int32_t w, int32_t rows) {
    std::vector<uint8_t> row;
    for (int32_t left = w; left > 0; left -= 255)
        row.insert(row.end(), {static_cast<uint8_t>(std::min(left, 255)), 1});
    row.insert(row.end(), {0, 0});
    std::vector<uint8_t> bits;
    for (int32_t y = 0; y < rows; ++y) bits.insert(bits.end(), row.begin(), row.end());
    return bits;
}

}  // namespace

TEST(BmpDecode, LyingRleDataIsRefusedBeforeThePictureIsAllocated) {
    // 65536 x 4096 = 2^28 pixels (1 GiB of pixel memory), within the codec's own limit. 128
    // honest rows use enough bytes for the ratio check; then the data lies. Each is found by
    // the check over the whole data before the picture exists: the peak memory stays far
    // below the picture's gigabyte.
    const int32_t w = 65536, h = 4096;
    const std::vector<uint8_t> rows = RleRows(w, 128);
    std::vector<uint8_t> pastEdge = rows;  // a run past the right edge
    for (int i = 0; i < 258; ++i) pastEdge.insert(pastEdge.end(), {255, 1});
    std::vector<uint8_t> deltaPastEnd = rows;  // deltas down past the last row
    for (int i = 0; i < 16; ++i) deltaPastEnd.insert(deltaPastEnd.end(), {0, 2, 0, 255});
    deltaPastEnd.insert(deltaPastEnd.end(), {0, 1});
    std::vector<uint8_t> literalPastEdge = rows;  // literal pixels past the right edge
    for (int i = 0; i < 257; ++i) literalPastEdge.insert(literalPastEdge.end(), {255, 1});
    literalPastEdge.insert(literalPastEdge.end(), {0, 4, 1, 1, 1, 1});
    std::vector<uint8_t> endsEarly = rows;  // no end mark, rows missing
    std::vector<uint8_t> padded = {0, 1};   // an end mark, then padding the ratio must not count
    padded.resize(1 << 17, 0);
    const long before = PeakMiB();
    for (const auto* bits : {&pastEdge, &deltaPastEnd, &literalPastEdge, &endsEarly, &padded}) {
        const std::vector<uint8_t> f = MakeBmp8(w, h, 1, *bits);
        EXPECT_THROW((void)DecodeBmp(f.data(), f.size()), EInvalidGraphic) << bits->size();
    }
    EXPECT_LT(PeakMiB() - before, 256) << "a picture was allocated before its data was checked";
    // The same data, honest to the end, decodes (a smaller picture, for the memory's sake).
    std::vector<uint8_t> honest = RleRows(300, 20);
    honest.insert(honest.end(), {0, 1});
    const std::vector<uint8_t> f = MakeBmp8(300, 20, 1, honest);
    EXPECT_EQ(DecodeBmp(f.data(), f.size()).pixels, std::vector<uint32_t>(300 * 20, Grey(1)));
}

TEST(BmpDecode, APictureAboveTheCallersLimitIsTooLargeBeforeAnyPixelExists) {
    const std::vector<uint8_t> f = MakeBmp8(20, 10, 0, std::vector<uint8_t>(200, 1));
    EXPECT_EQ(DecodeBmp(f.data(), f.size(), 200).width, 20);
    try {
        (void)DecodeBmp(f.data(), f.size(), 199);
        FAIL();
    } catch (const EPictureTooLarge& e) {
        EXPECT_EQ(e.Width, 20);
        EXPECT_EQ(e.Height, 10);
        EXPECT_STREQ(e.what(),
                     "Invalid bitmap: picture of 20 x 10 pixels is too large (at most 199 pixels)");
    }
    // From a stream only the headers are read; the stream goes back to where it was.
    TMemoryStream s;
    s.WriteBuffer("xy", 2);
    s.WriteBuffer(f.data(), static_cast<int32_t>(f.size()));
    s.SetPosition(2);
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(s, 100), EPictureTooLarge);
    EXPECT_EQ(s.Position(), 2);
    EXPECT_TRUE(b.Empty());
    b.LoadFromStream(s, 200);
    EXPECT_EQ(b.Width(), 20);
    EXPECT_EQ(s.Position(), s.Size());
}

TEST(BitmapMove, MovingHandsOverThePixelsAndEmptiesTheSource) {
    TBitmap a(3, 2);
    a.SetPixel(1, 1, clRed);
    (void)a.Surface();
    TBitmap b(std::move(a));
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.GetPixel(1, 1), clRed);
    EXPECT_TRUE(a.Empty());  // NOLINT(bugprone-use-after-move): a moved-from bitmap is empty
    TBitmap c;
    (void)b.Surface();
    c = std::move(b);
    EXPECT_EQ(c.GetPixel(1, 1), clRed);
    EXPECT_TRUE(b.Empty());  // NOLINT(bugprone-use-after-move)
    c.Canvas().FillSolid(Rect(0, 0, 1, 1), clBlue);
    EXPECT_EQ(c.GetPixel(0, 0), clBlue);
}
