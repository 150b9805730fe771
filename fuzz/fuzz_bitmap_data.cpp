// A picture property's stored form (byte count, then a BMP file) on arbitrary bytes: a form
// that reads must write and read back to the same pixels; a failed read must raise
// EReadError or EInvalidGraphic and leave the picture as it was.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"
#include "ui/BitmapData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    TBitmap picture(1, 1);
    picture.SetPixel(0, 0, 0x123456);
    try {
        ReadBitmapData(bytes, picture);
    } catch (const EReadError&) {
        if (picture.Width() != 1 || picture.GetPixel(0, 0) != 0x123456) std::abort();
        return 0;
    } catch (const EInvalidGraphic&) {
        if (picture.Width() != 1 || picture.GetPixel(0, 0) != 0x123456) std::abort();
        return 0;
    }
    TBitmap back;
    ReadBitmapData(BitmapData(picture), back);
    if (back.Width() != picture.Width() || back.Height() != picture.Height()) std::abort();
    for (int32_t y = 0; y < picture.Height(); ++y)
        for (int32_t x = 0; x < picture.Width(); ++x)
            if (back.GetPixel(x, y) != picture.GetPixel(x, y)) std::abort();
    return 0;
}
