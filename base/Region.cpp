#include "base/Region.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/Exceptions.h"

namespace {

struct Span {
    int32_t l;
    int32_t r;
};

enum class Op { Union, Intersect, Subtract, Xor };

bool Inside(Op op, bool a, bool b) {
    switch (op) {
        case Op::Union:
            return a || b;
        case Op::Intersect:
            return a && b;
        case Op::Subtract:
            return a && !b;
        case Op::Xor:
            return a != b;
    }
    return false;
}

// Combines two sorted, disjoint span lists of one band.
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Op op,
                  std::vector<Span>& out) {
    out.clear();
    std::vector<int32_t> xs;
    xs.reserve((a.size() + b.size()) * 2);
    for (const Span& s : a) {
        xs.push_back(s.l);
        xs.push_back(s.r);
    }
    for (const Span& s : b) {
        xs.push_back(s.l);
        xs.push_back(s.r);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        const int32_t x0 = xs[i], x1 = xs[i + 1];
        while (ia < a.size() && a[ia].r <= x0) ++ia;
        while (ib < b.size() && b[ib].r <= x0) ++ib;
        const bool inA = ia < a.size() && a[ia].l <= x0;
        const bool inB = ib < b.size() && b[ib].l <= x0;
        if (!Inside(op, inA, inB)) continue;
        if (!out.empty() && out.back().r == x0)
            out.back().r = x1;
        else
            out.push_back({x0, x1});
    }
}

// Appends one band to a canonical rectangle list, merging it with the band above when that
// band touches it and has the same spans.
class BandWriter {
public:
    explicit BandWriter(std::vector<TRect>& out) : out_(out) {}
    void Add(int32_t top, int32_t bottom, const std::vector<Span>& spans) {
        if (spans.empty() || bottom <= top) return;
        if (lastCount_ == spans.size() && lastBottom_ == top && SameAsLast(spans)) {
            for (size_t i = out_.size() - lastCount_; i < out_.size(); ++i) out_[i].Bottom = bottom;
        } else {
            for (const Span& s : spans) out_.push_back({s.l, top, s.r, bottom});
            lastCount_ = spans.size();
        }
        lastBottom_ = bottom;
    }

private:
    bool SameAsLast(const std::vector<Span>& spans) const {
        const size_t first = out_.size() - lastCount_;
        for (size_t i = 0; i < spans.size(); ++i) {
            if (out_[first + i].Left != spans[i].l || out_[first + i].Right != spans[i].r)
                return false;
        }
        return true;
    }
    std::vector<TRect>& out_;
    size_t lastCount_ = 0;
    int32_t lastBottom_ = 0;
};

// Spans of a canonical rectangle list in the band starting at y (the list's bands are
// either fully inside or outside any band derived from both operands' edges).
void SpansAt(const std::vector<TRect>& rects, size_t& cursor, int32_t y, std::vector<Span>& out) {
    out.clear();
    while (cursor < rects.size() && rects[cursor].Bottom <= y) ++cursor;
    for (size_t i = cursor; i < rects.size() && rects[i].Top <= y; ++i) {
        if (rects[i].Bottom > y) out.push_back({rects[i].Left, rects[i].Right});
    }
}

std::vector<TRect> Combine(const std::vector<TRect>& a, const std::vector<TRect>& b, Op op) {
    std::vector<int32_t> ys;
    ys.reserve((a.size() + b.size()) * 2);
    for (const TRect& r : a) {
        ys.push_back(r.Top);
        ys.push_back(r.Bottom);
    }
    for (const TRect& r : b) {
        ys.push_back(r.Top);
        ys.push_back(r.Bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<TRect> out;
    BandWriter writer(out);
    std::vector<Span> sa, sb, sc;
    size_t ca = 0, cb = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        SpansAt(a, ca, ys[i], sa);
        SpansAt(b, cb, ys[i], sb);
        CombineSpans(sa, sb, op, sc);
        writer.Add(ys[i], ys[i + 1], sc);
    }
    return out;
}

int32_t ReadInt32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);  // the format is little-endian, as this machine
    return static_cast<int32_t>(v);
}

}  // namespace

TRegion::TRegion(const TRect& rect) {
    if (!IsRectEmpty(rect)) rects_.push_back(rect);
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects) {
    // Sweep over the distinct edges with the rectangles that cover each band.
    std::vector<TRect> valid;
    valid.reserve(rects.size());
    for (const TRect& r : rects) {
        if (!IsRectEmpty(r)) valid.push_back(r);
    }
    std::sort(valid.begin(), valid.end(),
              [](const TRect& x, const TRect& y) { return x.Top < y.Top; });
    std::vector<int32_t> ys;
    ys.reserve(valid.size() * 2);
    for (const TRect& r : valid) {
        ys.push_back(r.Top);
        ys.push_back(r.Bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    TRegion result;
    BandWriter writer(result.rects_);
    std::vector<const TRect*> active;
    std::vector<Span> spans, merged;
    size_t next = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const int32_t y = ys[i];
        std::erase_if(active, [y](const TRect* r) { return r->Bottom <= y; });
        while (next < valid.size() && valid[next].Top <= y) active.push_back(&valid[next++]);
        spans.clear();
        for (const TRect* r : active) spans.push_back({r->Left, r->Right});
        std::sort(spans.begin(), spans.end(),
                  [](const Span& x, const Span& z) { return x.l < z.l; });
        merged.clear();
        for (const Span& s : spans) {
            if (!merged.empty() && s.l <= merged.back().r)
                merged.back().r = std::max(merged.back().r, s.r);
            else
                merged.push_back(s);
        }
        writer.Add(y, ys[i + 1], merged);
    }
    return result;
}

TRegion TRegion::FromRegionData(const uint8_t* data, size_t size) {
    constexpr size_t kHeaderSize = 32;
    constexpr size_t kRectSize = 16;
    if (data == nullptr || size < kHeaderSize) {
        throw EInvalidOperation("Region data too short: " + std::to_string(size) + " bytes");
    }
    const int32_t headerSize = ReadInt32(data);
    const int32_t type = ReadInt32(data + 4);
    const int32_t count = ReadInt32(data + 8);
    const int32_t rgnSize = ReadInt32(data + 12);
    const TRect bound{ReadInt32(data + 16), ReadInt32(data + 20), ReadInt32(data + 24),
                      ReadInt32(data + 28)};
    if (headerSize != static_cast<int32_t>(kHeaderSize)) {
        throw EInvalidOperation("Region data header size is " + std::to_string(headerSize) +
                                ", not 32");
    }
    if (type != 1)
        throw EInvalidOperation("Region data type " + std::to_string(type) + " is not rectangles");
    if (count < 0 || static_cast<uint64_t>(count) > (size - kHeaderSize) / kRectSize) {
        throw EInvalidOperation("Region data rectangle count " + std::to_string(count) +
                                " does not fit the " + std::to_string(size) + "-byte block");
    }
    const uint64_t rectBytes = static_cast<uint64_t>(count) * kRectSize;
    if (rgnSize != 0 && (rgnSize < 0 || static_cast<uint64_t>(rgnSize) < rectBytes)) {
        throw EInvalidOperation("Region data size field " + std::to_string(rgnSize) +
                                " is smaller than its rectangles");
    }
    if (bound.Right < bound.Left || bound.Bottom < bound.Top) {
        throw EInvalidOperation("Region data bounding rectangle is inverted");
    }
    std::vector<TRect> rects;
    rects.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t* p = data + kHeaderSize + static_cast<size_t>(i) * kRectSize;
        const TRect r{ReadInt32(p), ReadInt32(p + 4), ReadInt32(p + 8), ReadInt32(p + 12)};
        if (r.Right < r.Left || r.Bottom < r.Top) {
            throw EInvalidOperation("Region data rectangle " + std::to_string(i) + " is inverted");
        }
        rects.push_back(r);
    }
    return FromRects(rects);
}

TRect TRegion::Bounds() const {
    if (rects_.empty()) return {};
    TRect b = rects_.front();
    for (const TRect& r : rects_) {
        b.Left = std::min(b.Left, r.Left);
        b.Right = std::max(b.Right, r.Right);
    }
    b.Bottom = rects_.back().Bottom;
    return b;
}

bool TRegion::Contains(TPoint p) const {
    for (const TRect& r : rects_) {
        if (r.Top > p.Y) break;
        if (PtInRect(r, p)) return true;
    }
    return false;
}

bool TRegion::Intersects(const TRect& rect) const {
    if (IsRectEmpty(rect)) return false;
    for (const TRect& r : rects_) {
        if (r.Top >= rect.Bottom) break;
        if (!IsRectEmpty(IntersectRect(r, rect))) return true;
    }
    return false;
}

TRegion TRegion::Union(const TRegion& other) const {
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, Op::Union);
    return r;
}

TRegion TRegion::Intersect(const TRegion& other) const {
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, Op::Intersect);
    return r;
}

TRegion TRegion::Subtract(const TRegion& other) const {
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, Op::Subtract);
    return r;
}

TRegion TRegion::Xor(const TRegion& other) const {
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, Op::Xor);
    return r;
}

TRegion TRegion::Offset(int32_t dx, int32_t dy) const {
    TRegion r = *this;
    for (TRect& rect : r.rects_) rect = OffsetRect(rect, dx, dy);
    return r;
}
