#include "skin/draw/Blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/Bitmap.h"
#include "ui/NearestStretch.h"

namespace {

// The part of a span [0, n) of destination offsets whose destination (dstStart + i) lies
// in [0, dstLimit) and whose 1:1 source (srcStart + i) lies in [0, srcLimit).
struct Span {
    int64_t begin;
    int64_t end;
};

Span ClipUnscaled(int64_t n, int64_t dstStart, int64_t dstLimit, int64_t srcStart,
                  int64_t srcLimit) {
    return {std::max<int64_t>({0, -dstStart, -srcStart}),
            std::min<int64_t>({n, dstLimit - dstStart, srcLimit - srcStart})};
}

// Widths and heights in 64 bits: a rectangle's Right - Left need not fit 32 bits.
int64_t Width64(const TRect& r) { return int64_t{r.Right} - r.Left; }
int64_t Height64(const TRect& r) { return int64_t{r.Bottom} - r.Top; }

// A w x h block from (sx, sy) of the source to (dx, dy) of the target, clipped to both.
void CopyUnscaled(TBitmap& target, int64_t dx, int64_t dy, const TBitmap& source, int64_t sx,
                  int64_t sy, int64_t w, int64_t h) {
    const Span xs = ClipUnscaled(w, dx, target.Width(), sx, source.Width());
    const Span ys = ClipUnscaled(h, dy, target.Height(), sy, source.Height());
    if (xs.begin >= xs.end || ys.begin >= ys.end) return;
    const size_t bytes = static_cast<size_t>(xs.end - xs.begin) * sizeof(uint32_t);
    auto copyRow = [&](int64_t j) {
        const uint32_t* from = source.ScanLine(static_cast<int32_t>(sy + j)) + (sx + xs.begin);
        uint32_t* to = target.ScanLine(static_cast<int32_t>(dy + j)) + (dx + xs.begin);
        std::memmove(to, from, bytes);  // memmove: source and target may be one bitmap
    };
    // Within one bitmap, copy rows in the order that never reads a row already written.
    if (&target == &source && dy > sy) {
        for (int64_t j = ys.end - 1; j >= ys.begin; --j) copyRow(j);
    } else {
        for (int64_t j = ys.begin; j < ys.end; ++j) copyRow(j);
    }
}

void CopyStretched(TBitmap& target, const TRect& dst, const TBitmap& sourceIn, const TRect& src) {
    // Stretching a bitmap onto itself reads pixels it may already have written.
    TBitmap copy;
    const TBitmap* sourcePtr = &sourceIn;
    if (&target == &sourceIn) {
        copy = sourceIn;
        sourcePtr = &copy;
    }
    const TBitmap& source = *sourcePtr;
    const int64_t dw = Width64(dst), dh = Height64(dst), sw = Width64(src), sh = Height64(src);

    std::vector<int32_t> xMap;
    int64_t firstX = -1;
    for (int64_t i = std::max<int64_t>(0, -int64_t{dst.Left});
         i < dw && dst.Left + i < target.Width(); ++i) {
        const int64_t sx = src.Left + NearestSourceOffset(i, sw, dw);
        if (sx < 0) continue;
        if (sx >= source.Width()) break;  // source offsets only grow with i
        if (firstX < 0) firstX = i;
        xMap.push_back(static_cast<int32_t>(sx));
    }
    if (xMap.empty()) return;

    for (int64_t j = std::max<int64_t>(0, -int64_t{dst.Top});
         j < dh && dst.Top + j < target.Height(); ++j) {
        const int64_t sy = src.Top + NearestSourceOffset(j, sh, dh);
        if (sy < 0) continue;
        if (sy >= source.Height()) break;
        const uint32_t* from = source.ScanLine(static_cast<int32_t>(sy));
        uint32_t* to = target.ScanLine(static_cast<int32_t>(dst.Top + j)) + dst.Left + firstX;
        for (size_t k = 0; k < xMap.size(); ++k) to[k] = from[xMap[k]];
    }
}

bool Contains(const TBitmap& bitmap, const TRect& r) {
    return r.Left >= 0 && r.Top >= 0 && r.Right <= bitmap.Width() && r.Bottom <= bitmap.Height();
}

}  // namespace

void BlitRect(TBitmap& target, const TRect& dst, const TBitmap& source, const TRect& src) {
    const int64_t dw = Width64(dst), dh = Height64(dst), sw = Width64(src), sh = Height64(src);
    if (dw < 1 || dh < 1 || sw < 1 || sh < 1) return;
    if (target.Empty() || source.Empty()) return;
    if (dw == sw && dh == sh) {
        CopyUnscaled(target, dst.Left, dst.Top, source, src.Left, src.Top, dw, dh);
    } else {
        CopyStretched(target, dst, source, src);
    }
}

void TileRect(TBitmap& target, const TRect& area, const TBitmap& source, const TRect& tile) {
    const int64_t cw = Width64(tile), ch = Height64(tile);
    const int64_t areaW = Width64(area), areaH = Height64(area);
    if (cw < 1 || ch < 1 || areaW < 1 || areaH < 1) return;
    if (target.Empty() || source.Empty()) return;

    // The visible part of the area.
    const int64_t ax0 = std::max<int64_t>(area.Left, 0),
                  ax1 = std::min<int64_t>(area.Right, target.Width());
    const int64_t ay0 = std::max<int64_t>(area.Top, 0),
                  ay1 = std::min<int64_t>(area.Bottom, target.Height());
    if (ax0 >= ax1 || ay0 >= ay1) return;

    if (&target == &source || !Contains(source, tile)) {
        // Rare: the tile reaches outside its picture (or reads its own target). Copy tile
        // by tile so that BlitRect's clipping decides every pixel; only tiles that touch
        // the visible part are visited.
        for (int64_t ty = (ay0 - area.Top) / ch * ch; area.Top + ty < ay1; ty += ch) {
            for (int64_t tx = (ax0 - area.Left) / cw * cw; area.Left + tx < ax1; tx += cw) {
                const int64_t w = std::min<int64_t>(cw, areaW - tx);
                const int64_t h = std::min<int64_t>(ch, areaH - ty);
                CopyUnscaled(target, area.Left + tx, area.Top + ty, source, tile.Left, tile.Top, w,
                             h);
            }
        }
        return;
    }

    // Build each row of the first band of tiles by doubling the copied pattern, then copy
    // whole rows from one tile height above.
    const size_t len = static_cast<size_t>(ax1 - ax0);
    const int64_t phaseX = (ax0 - area.Left) % cw;
    for (int64_t y = ay0; y < ay1; ++y) {
        uint32_t* to = target.ScanLine(static_cast<int32_t>(y)) + ax0;
        if (y - ch >= ay0) {
            std::memcpy(to, target.ScanLine(static_cast<int32_t>(y - ch)) + ax0,
                        len * sizeof(uint32_t));
            continue;
        }
        const uint32_t* from =
            source.ScanLine(static_cast<int32_t>(tile.Top + (y - area.Top) % ch)) + tile.Left;
        const size_t first = std::min<size_t>(static_cast<size_t>(cw - phaseX), len);
        std::memcpy(to, from + phaseX, first * sizeof(uint32_t));
        if (first == len) continue;
        uint32_t* base = to + first;
        const size_t rest = len - first;
        size_t filled = std::min<size_t>(static_cast<size_t>(cw), rest);
        std::memcpy(base, from, filled * sizeof(uint32_t));
        while (filled < rest) {
            const size_t n = std::min(filled, rest - filled);
            std::memcpy(base + filled, base, n * sizeof(uint32_t));
            filled += n;
        }
    }
}
