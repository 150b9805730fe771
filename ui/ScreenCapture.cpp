#include "ui/ScreenCapture.h"

#include <cstring>
#include <vector>

#include "platform/Platform.h"
#include "ui/Bitmap.h"

void CopyScreenArea(int32_t x, int32_t y, TBitmap& bitmap) {
    if (bitmap.Empty() || !platform::HasCurrent()) return;
    const int32_t w = bitmap.Width(), h = bitmap.Height();
    const std::vector<uint32_t> pixels = platform::Current().CaptureScreen(Bounds(x, y, w, h));
    if (pixels.size() < static_cast<size_t>(w) * static_cast<size_t>(h)) return;
    for (int32_t row = 0; row < h; ++row) {
        std::memcpy(bitmap.ScanLine(row), pixels.data() + static_cast<size_t>(row) * w,
                    static_cast<size_t>(w) * 4);
    }
}
