// JPEG decoding with libjpeg. libjpeg reports fatal errors through a callback that must
// not return; ours jumps back to the decoder with longjmp. The decoding function that calls
// setjmp therefore holds no object with a destructor: its output goes to a malloc'd buffer
// that the C++ side owns afterwards.
#include "skin/draw/Jpeg.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"
#include "ui/Streams.h"

namespace {

struct TJpegErrorManager {
    jpeg_error_mgr pub;  // first member: libjpeg hands back a pointer to it
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<TJpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (corrupt but decodable data) are not printed; the picture is used as decoded.
extern "C" void JpegOutputMessage(j_common_ptr) {}

struct TDecoded {
    unsigned char* pixels = nullptr;  // width * height * 3 bytes, R G B
    int width = 0;
    int height = 0;
    bool tooLarge = false;  // refused for its declared size (width and height say it)
    char error[JMSG_LENGTH_MAX] = {};
};

// Plain C-style decoder: only trivially destructible locals between setjmp and longjmp.
bool DecodeJpeg(const unsigned char* data, unsigned long size, int64_t maxPixels, TDecoded* out) {
    jpeg_decompress_struct info;
    TJpegErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JpegErrorExit;
    errors.pub.output_message = JpegOutputMessage;
    if (setjmp(errors.jump)) {
        std::snprintf(out->error, sizeof(out->error), "%s", errors.message);
        jpeg_destroy_decompress(&info);
        return false;  // the caller frees out->pixels
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (static_cast<int64_t>(info.image_width) * info.image_height > maxPixels) {
        std::snprintf(out->error, sizeof(out->error),
                      "JPEG image too large (%ux%u, at most %lld pixels)", info.image_width,
                      info.image_height, static_cast<long long>(maxPixels));
        out->tooLarge = true;
        out->width = static_cast<int>(info.image_width);
        out->height = static_cast<int>(info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width),
              height = static_cast<int>(info.output_height);
    const int components = info.output_components;
    const bool adobeInverted = cmyk && info.saw_Adobe_marker;
    out->width = width;
    out->height = height;
    out->pixels =
        static_cast<unsigned char*>(std::calloc(static_cast<size_t>(width) * height * 3 + 1, 1));
    unsigned char* row = static_cast<unsigned char*>(
        (*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                 static_cast<size_t>(width) * static_cast<size_t>(components)));
    if (!out->pixels) {
        std::snprintf(out->error, sizeof(out->error), "Out of memory decoding JPEG image");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        const JDIMENSION y = info.output_scanline;
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
        unsigned char* to = out->pixels + static_cast<size_t>(y) * width * 3;
        if (!cmyk) {
            std::memcpy(to, row, static_cast<size_t>(width) * 3);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            int c = row[x * 4], m = row[x * 4 + 1], yel = row[x * 4 + 2], k = row[x * 4 + 3];
            if (!adobeInverted) {
                c = 255 - c;
                m = 255 - m;
                yel = 255 - yel;
                k = 255 - k;
            }
            // With Adobe's inverted storage each value is already "amount of white".
            to[x * 3] = static_cast<unsigned char>(c * k / 255);
            to[x * 3 + 1] = static_cast<unsigned char>(m * k / 255);
            to[x * 3 + 2] = static_cast<unsigned char>(yel * k / 255);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool IsJpegFileName(const std::string& fileName) {
    return fileName.find(".jpg") != std::string::npos ||
           fileName.find(".jpeg") != std::string::npos;
}

void LoadJpegFromMemory(TBitmap& bitmap, const uint8_t* data, size_t size, int64_t maxPixels) {
    if (data == nullptr || size == 0) throw EInvalidGraphic("JPEG error: empty data");
    TDecoded decoded;
    const bool ok = DecodeJpeg(data, static_cast<unsigned long>(size),
                               std::min(maxPixels, kMaxJpegPixels), &decoded);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owner(decoded.pixels, &std::free);
    if (!ok && decoded.tooLarge) {
        throw EPictureTooLarge(std::string("JPEG error: ") + decoded.error, decoded.width,
                               decoded.height);
    }
    if (!ok) throw EInvalidGraphic(std::string("JPEG error: ") + decoded.error);

    TBitmap picture(decoded.width, decoded.height);
    for (int y = 0; y < decoded.height; ++y) {
        const unsigned char* from = decoded.pixels + static_cast<size_t>(y) * decoded.width * 3;
        uint32_t* to = picture.ScanLine(y);
        for (int x = 0; x < decoded.width; ++x, from += 3) {
            to[x] = (static_cast<uint32_t>(from[0]) << 16) | (static_cast<uint32_t>(from[1]) << 8) |
                    from[2];
        }
    }
    picture.SetPixelFormat(pf24bit);
    bitmap = std::move(picture);
}

void LoadJpegToBitmap(TBitmap& bitmap, const std::string& fileName, int64_t maxPixels) {
    const std::vector<uint8_t> bytes = ReadFileBytes(fileName);
    LoadJpegFromMemory(bitmap, bytes.data(), bytes.size(), maxPixels);
}
