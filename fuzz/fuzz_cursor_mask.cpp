// Reads arbitrary bytes as a cursor mask (width, height, bits per pixel and hot spot in the
// first four bytes, the mask after them) and checks that the hint offset stays within the
// cursor's rows or is the system height.
#include <cstddef>
#include <cstdint>

#include "skin/popup/SkinHint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    platform::CursorInfo c;
    c.systemHeight = 32;
    c.width = data[0];
    c.height = data[1];
    c.bitsPerPixel = data[2] % 40;
    c.hotspotY = data[3] % 64;
    c.mask.assign(data + 4, data + size);
    const int offset = CursorBottomOffsetFromMask(c);
    if (offset != 32 && (offset < -c.hotspotY || offset >= c.height - c.hotspotY)) __builtin_trap();
    return 0;
}
