// A region: a set of pixels kept as a list of non-overlapping rectangles in y-x bands,
// as the platform's window regions. Used for window shapes and canvas clipping.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Types.h"

class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);
    // Builds a region from arbitrary (possibly overlapping) rectangles.
    [[nodiscard]] static TRegion FromRects(const std::vector<TRect>& rects);
    // Reads the platform's rectangle-list region data: a 32-byte header (header size 32,
    // type 1, rectangle count, size, bounding box) and 16 bytes per rectangle. Raises
    // EInvalidOperation on a malformed block.
    [[nodiscard]] static TRegion FromRegionData(const uint8_t* data, size_t size);

    [[nodiscard]] bool IsEmpty() const { return rects_.empty(); }
    [[nodiscard]] TRect Bounds() const;
    [[nodiscard]] const std::vector<TRect>& Rects() const { return rects_; }
    [[nodiscard]] bool Contains(TPoint p) const;
    [[nodiscard]] bool Intersects(const TRect& r) const;

    [[nodiscard]] TRegion Union(const TRegion& other) const;
    [[nodiscard]] TRegion Intersect(const TRegion& other) const;
    [[nodiscard]] TRegion Subtract(const TRegion& other) const;
    [[nodiscard]] TRegion Xor(const TRegion& other) const;
    [[nodiscard]] TRegion Offset(int32_t dx, int32_t dy) const;

    friend bool operator==(const TRegion&, const TRegion&) = default;

private:
    std::vector<TRect> rects_;  // canonical: sorted by band, then by x; bands coalesced
};
