// The one nearest-pixel rule of every stretching copy: destination pixel i of a span of
// destLength pixels shows the source pixel under its centre, floor((i + 1/2) * sourceLength
// / destLength). Both ends of a span are treated alike: 3 -> 5 pixels gives 0 0 1 2 2,
// 5 -> 3 gives 0 2 4, and equal lengths copy 1:1.
#pragma once

#include <cstdint>

// Offset into the source span for offset i (0 <= i < destLength, destLength > 0). Computed
// in 128 bits: rectangles of 32-bit coordinates give spans up to 2^32 pixels long.
[[nodiscard]] constexpr int64_t NearestSourceOffset(int64_t i, int64_t sourceLength,
                                                    int64_t destLength) {
    return static_cast<int64_t>((static_cast<__int128>(2) * i + 1) * sourceLength /
                                (static_cast<__int128>(2) * destLength));
}
