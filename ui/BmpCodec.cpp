#include "ui/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <unordered_map>

#include "base/Exceptions.h"

namespace {

[[noreturn]] void Fail(const std::string& why) { throw EInvalidGraphic("Invalid bitmap: " + why); }

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct BmpHeader {
    uint32_t infoSize = 0;
    int64_t width = 0;
    int64_t height = 0;  // absolute
    bool topDown = false;
    uint16_t planes = 0;
    uint16_t bpp = 0;
    uint32_t compression = kRgb;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    bool coreTable = false;  // 3-byte colour table entries
    uint32_t masks[3] = {0, 0, 0};
    size_t tableStart = 0;
    uint32_t offBits = 0;
};

// One colour channel of a bit-field pixel: mask, shift and an expansion table to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int drop = 0;  // low bits dropped for channels wider than 8 bits
    uint8_t table[256] = {};

    void Init(uint32_t m) {
        mask = m;
        shift = std::countr_zero(m);
        const int bits = std::popcount(m);
        drop = bits > 8 ? bits - 8 : 0;
        const uint32_t maxValue = (1u << std::min(bits, 8)) - 1;
        for (uint32_t v = 0; v <= maxValue; ++v)
            table[v] = static_cast<uint8_t>((v * 255 + maxValue / 2) / maxValue);
    }
    [[nodiscard]] uint32_t Get(uint32_t pixel) const {
        return table[((pixel & mask) >> shift) >> drop];
    }
};

bool IsContiguous(uint32_t mask) {
    if (mask == 0) return false;
    const uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

BmpHeader ParseHeader(const uint8_t* data, size_t size) {
    BmpHeader h;
    if (size < kBmpFileHeaderSize + 4) Fail("the file is too short for its headers");
    h.offBits = U32(data + 10);
    h.infoSize = U32(data + 14);
    switch (h.infoSize) {
        case 12:
        case 16:
        case 40:
        case 52:
        case 56:
        case 64:
        case 108:
        case 124:
            break;
        default:
            Fail("unknown information header size " + std::to_string(h.infoSize));
    }
    if (kBmpFileHeaderSize + h.infoSize > size) Fail("the information header is cut short");
    const uint8_t* info = data + kBmpFileHeaderSize;
    if (h.infoSize == 12) {
        h.width = U16(info + 4);
        h.height = U16(info + 6);
        h.planes = U16(info + 8);
        h.bpp = U16(info + 10);
        h.coreTable = true;
    } else {
        const int32_t w = static_cast<int32_t>(U32(info + 4));
        const int32_t hh = static_cast<int32_t>(U32(info + 8));
        h.width = w;
        h.topDown = hh < 0;
        h.height = hh < 0 ? -static_cast<int64_t>(hh) : hh;
        h.planes = U16(info + 12);
        h.bpp = U16(info + 14);
        if (h.infoSize >= 40) {
            h.compression = U32(info + 16);
            h.sizeImage = U32(info + 20);
            h.clrUsed = U32(info + 32);
        }
        // The 64-byte OS/2 header numbers its compressions differently past RLE4.
        if (h.infoSize == 64 && h.compression > kRle4) {
            Fail("OS/2 compression " + std::to_string(h.compression) + " is not supported");
        }
    }
    h.tableStart = kBmpFileHeaderSize + h.infoSize;

    if (h.planes != 1) Fail("plane count " + std::to_string(h.planes) + " is not 1");
    if (h.width <= 0) Fail("width " + std::to_string(h.width) + " is not positive");
    if (h.height == 0) Fail("height is zero");
    const uint64_t pixels = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height);
    if (pixels > kBmpMaxPixels) {
        throw EPictureTooLarge("Invalid bitmap: picture of " + std::to_string(h.width) + " x " +
                                   std::to_string(h.height) + " pixels is too large",
                               h.width, h.height);
    }

    switch (h.compression) {
        case kRgb:
            if (h.bpp != 1 && h.bpp != 2 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 &&
                h.bpp != 24 && h.bpp != 32) {
                Fail(std::to_string(h.bpp) + " bits per pixel is not supported");
            }
            if (h.bpp == 16) {
                h.masks[0] = 0x7C00;
                h.masks[1] = 0x03E0;
                h.masks[2] = 0x001F;
            }
            if (h.bpp == 32) {
                h.masks[0] = 0xFF0000;
                h.masks[1] = 0xFF00;
                h.masks[2] = 0xFF;
            }
            break;
        case kRle8:
        case kRle4:
            if (h.bpp != (h.compression == kRle8 ? 8 : 4))
                Fail("RLE compression does not match the depth");
            if (h.topDown) Fail("an RLE picture cannot be stored top-down");
            break;
        case kBitFields:
        case kAlphaBitFields: {
            if (h.bpp != 16 && h.bpp != 32) Fail("bit fields need 16 or 32 bits per pixel");
            size_t at = kBmpFileHeaderSize + 40;
            if (h.infoSize < 52) {
                // Masks follow a 40-byte header (three, or four with alpha).
                if (h.infoSize != 40) Fail("bit fields need a Windows information header");
                const size_t maskBytes = h.compression == kAlphaBitFields ? 16 : 12;
                if (h.tableStart + maskBytes > size) Fail("the bit-field masks are cut short");
                h.tableStart += maskBytes;
            }
            for (int i = 0; i < 3; ++i) h.masks[i] = U32(data + at + 4 * i);
            const uint32_t limit = h.bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
            for (int i = 0; i < 3; ++i) {
                if (!IsContiguous(h.masks[i]) || (h.masks[i] & ~limit) != 0) {
                    Fail("bit-field mask " + std::to_string(h.masks[i]) +
                         " is empty, split or too wide");
                }
            }
            if ((h.masks[0] & h.masks[1]) || (h.masks[0] & h.masks[2]) ||
                (h.masks[1] & h.masks[2])) {
                Fail("bit-field masks overlap");
            }
            break;
        }
        default:
            Fail("compression " + std::to_string(h.compression) + " is not supported");
    }
    if (h.offBits < h.tableStart) Fail("the pixel data offset points into the headers");
    if (h.offBits > size) {
        Fail("the pixel data offset " + std::to_string(h.offBits) +
             " lies beyond the declared file size " + std::to_string(size));
    }
    return h;
}

std::vector<uint32_t> ReadColourTable(const uint8_t* data, const BmpHeader& h) {
    if (h.bpp > 8) return {};
    const uint32_t entrySize = h.coreTable ? 3 : 4;
    const uint32_t full = 1u << h.bpp;
    const size_t room = (h.offBits - h.tableStart) / entrySize;
    size_t count = h.clrUsed == 0 ? full : h.clrUsed;
    if (count > full) {
        // More entries than the depth can index: only tolerable when they are all there.
        if (count > room)
            Fail("colour table of " + std::to_string(h.clrUsed) + " entries does not fit the file");
        count = full;
    }
    count = std::min(count, room);  // short tables (the pixel data starts earlier)
    if (count == 0) Fail("the colour table is missing");
    std::vector<uint32_t> table(count);
    const uint8_t* p = data + h.tableStart;
    for (size_t i = 0; i < count; ++i, p += entrySize) {
        table[i] = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                   (static_cast<uint32_t>(p[2]) << 16);
    }
    return table;
}

TPixelFormat FormatForDepth(uint16_t bpp) {
    switch (bpp) {
        case 1:
            return pf1bit;
        case 2:
        case 4:
            return pf4bit;
        case 8:
            return pf8bit;
        case 16:
            return pf16bit;
        case 24:
            return pf24bit;
        default:
            return pf32bit;
    }
}

void DecodeIndexedRow(const uint8_t* src, uint32_t* dst, int32_t width, int bpp,
                      const uint32_t* lut) {
    switch (bpp) {
        case 8:
            for (int32_t x = 0; x < width; ++x) dst[x] = lut[src[x]];
            break;
        case 4: {
            int32_t x = 0;
            for (; x + 1 < width; x += 2) {
                const uint8_t b = src[x >> 1];
                dst[x] = lut[b >> 4];
                dst[x + 1] = lut[b & 0x0F];
            }
            if (x < width) dst[x] = lut[src[x >> 1] >> 4];
            break;
        }
        case 2:
            for (int32_t x = 0; x < width; ++x)
                dst[x] = lut[(src[x >> 2] >> (6 - 2 * (x & 3))) & 3];
            break;
        default:
            for (int32_t x = 0; x < width; ++x) dst[x] = lut[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
    }
}

void DecodeUncompressed(const uint8_t* bits, const BmpHeader& h, const uint32_t* lut,
                        TBmpImage& img) {
    const size_t stride = ((static_cast<size_t>(img.width) * h.bpp + 31) / 32) * 4;
    Channel ch[3];
    const bool plain32 =
        h.bpp == 32 && h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF;
    if (h.bpp == 16 || (h.bpp == 32 && !plain32)) {
        for (int i = 0; i < 3; ++i) ch[i].Init(h.masks[i]);
    }
    for (int32_t row = 0; row < img.height; ++row) {
        const uint8_t* src = bits + stride * static_cast<size_t>(row);
        const int32_t y = h.topDown ? row : img.height - 1 - row;
        uint32_t* dst = img.pixels.data() + static_cast<size_t>(y) * img.width;
        const int32_t w = img.width;
        switch (h.bpp) {
            case 24:
                for (int32_t x = 0; x < w; ++x, src += 3) {
                    dst[x] = static_cast<uint32_t>(src[0]) | (static_cast<uint32_t>(src[1]) << 8) |
                             (static_cast<uint32_t>(src[2]) << 16);
                }
                break;
            case 32:
                if (plain32) {
                    for (int32_t x = 0; x < w; ++x) dst[x] = U32(src + 4 * x) & 0x00FFFFFF;
                } else {
                    for (int32_t x = 0; x < w; ++x) {
                        const uint32_t v = U32(src + 4 * x);
                        dst[x] = (ch[0].Get(v) << 16) | (ch[1].Get(v) << 8) | ch[2].Get(v);
                    }
                }
                break;
            case 16:
                for (int32_t x = 0; x < w; ++x) {
                    const uint32_t v = U16(src + 2 * x);
                    dst[x] = (ch[0].Get(v) << 16) | (ch[1].Get(v) << 8) | ch[2].Get(v);
                }
                break;
            default:
                DecodeIndexedRow(src, dst, w, h.bpp, lut);
                break;
        }
    }
}

// RLE8 / RLE4: runs, end-of-line, end-of-picture and delta escapes. Pixels the data skips
// stay black. With `img` null the data is only checked, with every check the decoding
// makes, so that a picture is allocated only for data that proves it can fill it; the
// decoding pass over checked data then cannot fail. Returns the bytes the data used, up to
// and with its end mark.
size_t WalkRle(const uint8_t* begin, const uint8_t* end, const BmpHeader& h, const uint32_t* lut,
               TBmpImage* img) {
    const bool rle4 = h.compression == kRle4;
    const int64_t width = h.width, height = h.height;
    const uint8_t* p = begin;
    int64_t x = 0, y = 0;  // y counts rows from the bottom
    auto rowPtr = [&]() {
        return img->pixels.data() + static_cast<size_t>(height - 1 - y) * img->width;
    };
    for (;;) {
        if (end - p < 2) {
            if (y >= height)
                return static_cast<size_t>(
                    p - begin);  // every row was written; the end mark is missing
            Fail("the RLE data ends before the end-of-picture mark");
        }
        const uint8_t count = p[0];
        const uint8_t value = p[1];
        p += 2;
        if (count > 0) {
            if (y >= height || x + count > width) Fail("an RLE run runs past the picture's edge");
            if (img) {
                uint32_t* dst = rowPtr() + x;
                if (rle4) {
                    const uint32_t c[2] = {lut[value >> 4], lut[value & 0x0F]};
                    for (int i = 0; i < count; ++i) dst[i] = c[i & 1];
                } else {
                    std::fill(dst, dst + count, lut[value]);
                }
            }
            x += count;
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of picture
                return static_cast<size_t>(p - begin);
            case 2: {  // delta
                if (end - p < 2) Fail("an RLE delta is cut short");
                x += p[0];
                y += p[1];
                p += 2;
                if (x > width || y > height) Fail("an RLE delta moves past the picture's edge");
                break;
            }
            default: {  // literal pixels, padded to a 16-bit boundary
                const int n = value;
                const size_t bytes =
                    rle4 ? static_cast<size_t>((n + 1) / 2) : static_cast<size_t>(n);
                const size_t padded = (bytes + 1) & ~size_t{1};
                if (static_cast<size_t>(end - p) < bytes) Fail("RLE literal pixels are cut short");
                if (y >= height || x + n > width)
                    Fail("RLE literal pixels run past the picture's edge");
                if (img) {
                    uint32_t* dst = rowPtr() + x;
                    if (rle4) {
                        for (int i = 0; i < n; ++i)
                            dst[i] = lut[(i & 1) ? (p[i >> 1] & 0x0F) : (p[i >> 1] >> 4)];
                    } else {
                        for (int i = 0; i < n; ++i) dst[i] = lut[p[i]];
                    }
                }
                x += n;
                p += std::min(padded, static_cast<size_t>(end - p));
                break;
            }
        }
    }
}

// Writer helpers.
void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Indexes every pixel into at most 2^bits colours, starting from `palette`; false when
// the picture has more colours than that.
bool BuildIndex(const uint32_t* pixels, size_t count, int bits, std::vector<uint32_t>& palette,
                std::vector<uint8_t>& indexes) {
    const size_t maxEntries = size_t{1} << bits;
    if (palette.size() > maxEntries) palette.resize(maxEntries);
    if (palette.empty() && bits == 1) palette = {0x000000, 0xFFFFFF};
    std::unordered_map<uint32_t, uint8_t> lookup;
    for (size_t i = palette.size(); i-- > 0;)
        lookup[palette[i] & 0xFFFFFF] = static_cast<uint8_t>(i);
    indexes.resize(count);
    uint32_t lastPixel = 0xFFFFFFFF;
    uint8_t lastIndex = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i] & 0xFFFFFF;
        if (p != lastPixel) {
            auto it = lookup.find(p);
            if (it == lookup.end()) {
                if (palette.size() >= maxEntries) return false;
                it = lookup.emplace(p, static_cast<uint8_t>(palette.size())).first;
                palette.push_back(p);
            }
            lastPixel = p;
            lastIndex = it->second;
        }
        indexes[i] = lastIndex;
    }
    return true;
}

uint32_t Reduce(uint32_t c8, int bits) {
    const uint32_t maxValue = (1u << bits) - 1;
    return (c8 * maxValue + 127) / 255;
}
uint32_t Expand(uint32_t v, int bits) {
    const uint32_t maxValue = (1u << bits) - 1;
    return (v * 255 + maxValue / 2) / maxValue;
}

// Packs every pixel into 16 bits with the given red/green/blue widths; false when a pixel
// would not read back unchanged.
bool Pack16(const uint32_t* pixels, size_t count, int greenBits, std::vector<uint16_t>& out) {
    out.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i];
        const uint32_t r = Reduce((p >> 16) & 0xFF, 5), g = Reduce((p >> 8) & 0xFF, greenBits),
                       b = Reduce(p & 0xFF, 5);
        if (Expand(r, 5) != ((p >> 16) & 0xFF) || Expand(g, greenBits) != ((p >> 8) & 0xFF) ||
            Expand(b, 5) != (p & 0xFF)) {
            return false;
        }
        out[i] = static_cast<uint16_t>((r << (5 + greenBits)) | (g << 5) | b);
    }
    return true;
}

}  // namespace

uint32_t BmpDeclaredFileSize(const uint8_t* header14) {
    if (header14[0] != 'B' || header14[1] != 'M') Fail("the data does not start with \"BM\"");
    const uint32_t size = U32(header14 + 2);
    if (size < kBmpFileHeaderSize + 12)
        Fail("the declared file size " + std::to_string(size) + " is too small");
    return size;
}

uint64_t BmpDeclaredPixels(const uint8_t* first26, int32_t& width, int32_t& height) {
    const uint8_t* info = first26 + kBmpFileHeaderSize;
    const uint32_t infoSize = U32(info);
    int64_t w = 0, hh = 0;
    if (infoSize == 12) {
        w = U16(info + 4);
        hh = U16(info + 6);
    } else if (infoSize >= 16 && infoSize <= 124) {
        w = static_cast<int32_t>(U32(info + 4));
        hh = static_cast<int32_t>(U32(info + 8));
    } else {
        return 0;
    }
    if (w <= 0 || hh == 0) return 0;
    if (hh < 0) hh = -hh;
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(std::min<int64_t>(hh, INT32_MAX));
    return static_cast<uint64_t>(w) * static_cast<uint64_t>(hh);
}

TBmpImage DecodeBmp(const uint8_t* data, size_t size, uint64_t maxPixels) {
    if (size < kBmpFileHeaderSize) Fail("the file is too short");
    if (BmpDeclaredFileSize(data) > size) Fail("the file is shorter than its declared size");
    const BmpHeader h = ParseHeader(data, size);
    const uint64_t pixelCount = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height);
    if (pixelCount > maxPixels) {
        throw EPictureTooLarge("Invalid bitmap: picture of " + std::to_string(h.width) + " x " +
                                   std::to_string(h.height) + " pixels is too large (at most " +
                                   std::to_string(maxPixels) + " pixels)",
                               h.width, h.height);
    }
    const std::vector<uint32_t> table = ReadColourTable(data, h);

    const uint8_t* bits = data + h.offBits;
    const size_t available = size - h.offBits;
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    size_t rleBytes = 0;
    if (rle) {
        rleBytes = h.sizeImage != 0 ? std::min<size_t>(h.sizeImage, available) : available;
        // Every run, literal and delta is checked before the picture exists, and the size
        // is judged by the bytes the data uses, not by the padding a file may add after
        // its end mark.
        const size_t used = WalkRle(bits, bits + rleBytes, h, nullptr, nullptr);
        if (pixelCount > static_cast<uint64_t>(used) * kRleMaxPixelsPerByte) {
            Fail("the RLE data is far too short for a picture of " + std::to_string(h.width) +
                 " x " + std::to_string(h.height) + " pixels (it uses " + std::to_string(used) +
                 " bytes)");
        }
    } else {
        const uint64_t stride = ((static_cast<uint64_t>(h.width) * h.bpp + 31) / 32) * 4;
        const uint64_t needed = stride * static_cast<uint64_t>(h.height);
        if (needed > available) {
            Fail("the pixel data is cut short (" + std::to_string(needed) + " bytes needed, " +
                 std::to_string(available) + " present)");
        }
    }

    // Indexes beyond a short colour table read as black, as the platform shows them.
    uint32_t lut[256] = {};
    std::copy(table.begin(), table.end(), lut);

    TBmpImage img;
    img.width = static_cast<int32_t>(h.width);
    img.height = static_cast<int32_t>(h.height);
    img.pixels.assign(static_cast<size_t>(pixelCount), 0);
    img.palette = table;
    img.format = FormatForDepth(h.bpp);
    if (rle)
        (void)WalkRle(bits, bits + rleBytes, h, lut, &img);
    else
        DecodeUncompressed(bits, h, lut, img);
    return img;
}

std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, int32_t width, int32_t height,
                               TPixelFormat format, const std::vector<uint32_t>& palette) {
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic("Cannot save an empty picture as a bitmap file");
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);

    int bpp = 24;
    uint32_t compression = kRgb;
    std::vector<uint32_t> table;
    std::vector<uint8_t> indexes;
    std::vector<uint16_t> packed;
    switch (format) {
        case pf1bit:
        case pf4bit:
        case pf8bit: {
            const int bits = format == pf1bit ? 1 : format == pf4bit ? 4 : 8;
            table = palette;
            if (BuildIndex(pixels, count, bits, table, indexes))
                bpp = bits;
            else
                table.clear();
            break;
        }
        case pf15bit:
        case pf16bit:
            if (format == pf16bit && Pack16(pixels, count, 6, packed)) {
                bpp = 16;
                compression = kBitFields;
            } else if (Pack16(pixels, count, 5, packed)) {
                bpp = 16;
            }
            break;
        case pf32bit:
            bpp = 32;
            break;
        default:
            break;
    }

    const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    const size_t tableEntries = bpp <= 8 ? (size_t{1} << bpp) : 0;
    const size_t headers =
        kBmpFileHeaderSize + 40 + (compression == kBitFields ? 12 : 0) + tableEntries * 4;
    const uint64_t total = headers + static_cast<uint64_t>(stride) * height;
    if (total > 0xFFFFFFFFu) throw EInvalidGraphic("Picture too large for a bitmap file");

    std::vector<uint8_t> out(static_cast<size_t>(total), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(total));
    Put32(out, 10, static_cast<uint32_t>(headers));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<uint32_t>(bpp));
    Put32(out, 30, compression);
    Put32(out, 34, static_cast<uint32_t>(stride * height));
    Put32(out, 46, static_cast<uint32_t>(table.size()));
    size_t at = kBmpFileHeaderSize + 40;
    if (compression == kBitFields) {
        Put32(out, at, 0xF800);
        Put32(out, at + 4, 0x07E0);
        Put32(out, at + 8, 0x001F);
        at += 12;
    }
    for (size_t i = 0; i < table.size(); ++i) Put32(out, at + 4 * i, table[i] & 0xFFFFFF);

    for (int32_t y = 0; y < height; ++y) {
        uint8_t* dst = out.data() + headers + stride * static_cast<size_t>(height - 1 - y);
        const size_t rowStart = static_cast<size_t>(y) * width;
        const uint32_t* src = pixels + rowStart;
        switch (bpp) {
            case 32:
                for (int32_t x = 0; x < width; ++x)
                    Put32(out, static_cast<size_t>(dst - out.data()) + 4 * x, src[x] & 0xFFFFFF);
                break;
            case 24:
                for (int32_t x = 0; x < width; ++x, dst += 3) {
                    dst[0] = static_cast<uint8_t>(src[x]);
                    dst[1] = static_cast<uint8_t>(src[x] >> 8);
                    dst[2] = static_cast<uint8_t>(src[x] >> 16);
                }
                break;
            case 16:
                for (int32_t x = 0; x < width; ++x) {
                    dst[2 * x] = static_cast<uint8_t>(packed[rowStart + x]);
                    dst[2 * x + 1] = static_cast<uint8_t>(packed[rowStart + x] >> 8);
                }
                break;
            case 8:
                std::memcpy(dst, indexes.data() + rowStart, static_cast<size_t>(width));
                break;
            case 4:
                for (int32_t x = 0; x < width; ++x) {
                    dst[x >> 1] |= static_cast<uint8_t>(indexes[rowStart + x] << ((x & 1) ? 0 : 4));
                }
                break;
            default:
                for (int32_t x = 0; x < width; ++x) {
                    dst[x >> 3] |= static_cast<uint8_t>(indexes[rowStart + x] << (7 - (x & 7)));
                }
                break;
        }
    }
    return out;
}
