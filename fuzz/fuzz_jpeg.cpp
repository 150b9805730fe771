// JPEG decoding from arbitrary bytes: must either give a picture or raise EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "base/Exceptions.h"
#include "skin/draw/Jpeg.h"
#include "ui/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBitmap bitmap;
    try {
        LoadJpegFromMemory(bitmap, data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    // A decoded picture is fully addressable.
    if (!bitmap.Empty()) {
        volatile uint32_t corner = bitmap.ScanLine(bitmap.Height() - 1)[bitmap.Width() - 1];
        (void)corner;
    }
    return 0;
}
