#include "ui/Canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/Bitmap.h"
#include "ui/NearestStretch.h"
#include "ui/TextLayout.h"

struct TCanvas::State {
    TPoint origin;
    TPoint penPos;
    std::optional<TRegion> clip;
    TPen pen;
    TBrush brush;
    TFont font;
};

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;

uint32_t PixelOf(TColor color) { return ColorToPixel(ColorToRGB(color)); }

uint32_t ApplyMode(TPenMode mode, uint32_t dst, uint32_t color) {
    switch (mode) {
        case pmNot:
            return ~dst & kRgbMask;
        case pmXor:
            return (dst ^ color) & kRgbMask;
        case pmNotXor:
            return ~(dst ^ color) & kRgbMask;
        case pmCopy:
            break;
    }
    return color;
}

// Dash patterns of one-pixel pens, in pixels on/off.
const std::vector<int>& DashPattern(TPenStyle style) {
    static const std::vector<int> kNone;
    static const std::vector<int> kDash{18, 6};
    static const std::vector<int> kDot{3, 3};
    static const std::vector<int> kDashDot{9, 6, 3, 6};
    static const std::vector<int> kDashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
        case psDash:
            return kDash;
        case psDot:
            return kDot;
        case psDashDot:
            return kDashDot;
        case psDashDotDot:
            return kDashDotDot;
        default:
            return kNone;
    }
}

// Left inset of row k of a w x h ellipse whose pixel centres lie inside it.
int32_t EllipseInset(int32_t k, int32_t w, int32_t h) {
    const double rx = w / 2.0, ry = h / 2.0;
    const double dy = (k + 0.5 - ry) / ry;
    const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    return static_cast<int32_t>(std::ceil(rx - half - 0.5));
}

}  // namespace

// The target's pixels inside the clip, as a list of device rectangles.
class TCanvas::Clipper {
public:
    Clipper(const TCanvas& canvas) {
        const TRect whole{0, 0, canvas.target_.Width(), canvas.target_.Height()};
        if (canvas.clip_) {
            rects_ = canvas.clip_->Intersect(TRegion(whole)).Rects();
        } else if (!IsRectEmpty(whole)) {
            rects_.push_back(whole);
        }
        for (const TRect& r : rects_) bounds_ = UnionRect(bounds_, r);
    }
    [[nodiscard]] const std::vector<TRect>& Rects() const { return rects_; }
    [[nodiscard]] const TRect& Bounds() const { return bounds_; }
    [[nodiscard]] bool Visible(int32_t x, int32_t y) const {
        if (!PtInRect(bounds_, {x, y})) return false;
        if (rects_.size() == 1) return true;
        for (const TRect& r : rects_) {
            if (r.Top > y) break;
            if (PtInRect(r, {x, y})) return true;
        }
        return false;
    }

private:
    std::vector<TRect> rects_;
    TRect bounds_{};
};

TCanvas::TCanvas(TBitmap& target) : target_(target) {}
TCanvas::~TCanvas() = default;

TRegion TCanvas::DeviceClip() const {
    const TRegion whole(TRect{0, 0, target_.Width(), target_.Height()});
    return clip_ ? clip_->Intersect(whole) : whole;
}

TRect TCanvas::ClipRect() const {
    return OffsetRect(DeviceClip().Bounds(), -origin_.X, -origin_.Y);
}

void TCanvas::SetClipRegion(const std::optional<TRegion>& logicalRegion) {
    if (logicalRegion)
        clip_ = logicalRegion->Offset(origin_.X, origin_.Y);
    else
        clip_.reset();
}

void TCanvas::IntersectClipRect(const TRect& logicalRect) {
    clip_ = DeviceClip().Intersect(TRegion(OffsetRect(logicalRect, origin_.X, origin_.Y)));
}

void TCanvas::ExcludeClipRect(const TRect& logicalRect) {
    clip_ = DeviceClip().Subtract(TRegion(OffsetRect(logicalRect, origin_.X, origin_.Y)));
}

bool TCanvas::RectVisible(const TRect& logicalRect) const {
    return DeviceClip().Intersects(OffsetRect(logicalRect, origin_.X, origin_.Y));
}

void TCanvas::SaveState() { saved_.push_back(State{origin_, penPos_, clip_, Pen, Brush, Font}); }

void TCanvas::RestoreState() {
    if (saved_.empty()) return;
    State& s = saved_.back();
    origin_ = s.origin;
    penPos_ = s.penPos;
    clip_ = std::move(s.clip);
    Pen = s.pen;
    Brush = s.brush;
    Font = s.font;
    saved_.pop_back();
}

// ---- pixels and fills ----

void TCanvas::BlendPixel(int32_t devX, int32_t devY, uint32_t pixel) {
    if (devX < 0 || devY < 0 || devX >= target_.Width() || devY >= target_.Height()) return;
    uint32_t& dst = target_.ScanLine(devY)[devX];
    dst = ApplyMode(Pen.Mode, dst, pixel);
}

void TCanvas::FillDevice(const Clipper& clip, const TRect& devRect, uint32_t pixel, TPenMode mode) {
    for (const TRect& c : clip.Rects()) {
        const TRect r = IntersectRect(c, devRect);
        if (IsRectEmpty(r)) continue;
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            uint32_t* row = target_.ScanLine(y);
            if (mode == pmCopy) {
                std::fill(row + r.Left, row + r.Right, pixel);
            } else {
                for (int32_t x = r.Left; x < r.Right; ++x) row[x] = ApplyMode(mode, row[x], pixel);
            }
        }
    }
}

void TCanvas::FillSpan(const Clipper& clip, int32_t devY, int32_t x0, int32_t x1, uint32_t pixel,
                       TPenMode mode) {
    if (x1 > x0) FillDevice(clip, TRect{x0, devY, x1, devY + 1}, pixel, mode);
}

TRect TCanvas::ToDevice(const TRect& r) const { return OffsetRect(r, origin_.X, origin_.Y); }

void TCanvas::FillRect(const TRect& r) {
    if (Brush.Style == bsClear) return;
    FillDevice(Clipper(*this), ToDevice(r), PixelOf(Brush.Color), pmCopy);
}

void TCanvas::FillSolid(const TRect& r, TColor color) {
    FillDevice(Clipper(*this), ToDevice(r), PixelOf(color), pmCopy);
}

void TCanvas::FrameRect(const TRect& r) {
    if (Brush.Style == bsClear || IsRectEmpty(r)) return;
    const Clipper clip(*this);
    const TRect d = ToDevice(r);
    const uint32_t p = PixelOf(Brush.Color);
    FillDevice(clip, {d.Left, d.Top, d.Right, d.Top + 1}, p, pmCopy);
    FillDevice(clip, {d.Left, d.Bottom - 1, d.Right, d.Bottom}, p, pmCopy);
    FillDevice(clip, {d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, p, pmCopy);
    FillDevice(clip, {d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, p, pmCopy);
}

TColor TCanvas::GetPixel(int32_t x, int32_t y) const {
    return target_.GetPixel(x + origin_.X, y + origin_.Y);
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    const int32_t dx = x + origin_.X, dy = y + origin_.Y;
    if (Clipper(*this).Visible(dx, dy)) target_.ScanLine(dy)[dx] = PixelOf(color);
}

// ---- lines ----

void TCanvas::PenDot(const Clipper& clip, int32_t devX, int32_t devY) {
    const uint32_t p = PixelOf(Pen.Color);
    if (Pen.Width <= 1) {
        if (clip.Visible(devX, devY)) BlendPixel(devX, devY, p);
        return;
    }
    const int32_t w = std::min(Pen.Width, 1024);
    const int32_t x0 = devX - w / 2, y0 = devY - w / 2;
    FillDevice(clip, {x0, y0, x0 + w, y0 + w}, p, Pen.Mode);
}

void TCanvas::DeviceLine(const Clipper& clip, TPoint a, TPoint b) {
    if (Pen.Style == psClear) return;
    const int64_t dx = std::llabs(static_cast<int64_t>(b.X) - a.X);
    const int64_t dy = std::llabs(static_cast<int64_t>(b.Y) - a.Y);
    const int64_t sx = b.X >= a.X ? 1 : -1, sy = b.Y >= a.Y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    if (major == 0) return;
    const int64_t majorStart = xMajor ? a.X : a.Y, minorStart = xMajor ? a.Y : a.X;
    const int64_t majorStep = xMajor ? sx : sy, minorStep = xMajor ? sy : sx;

    // Only the steps whose major coordinate can reach the clip (widened by the pen) are
    // walked, so a line's cost is bounded by the target, not by its length.
    const int64_t margin = std::max(Pen.Width, 1);
    const int64_t lo = (xMajor ? clip.Bounds().Left : clip.Bounds().Top) - margin;
    const int64_t hi = (xMajor ? clip.Bounds().Right : clip.Bounds().Bottom) + margin;
    int64_t first = majorStep > 0 ? lo - majorStart : majorStart - hi;
    int64_t last = majorStep > 0 ? hi - majorStart : majorStart - lo;  // inclusive
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, major - 1);
    if (first > last) return;

    // Bresenham state after `first` steps: the minor axis has advanced
    // floor((2 * minor * i + major - 1) / (2 * major)) times (ties round towards the start).
    auto advanced = [&](int64_t i) {
        return static_cast<int64_t>((static_cast<__int128>(2) * minor * i + major - 1) /
                                    (2 * major));
    };
    int64_t m = advanced(first);
    __int128 err = static_cast<__int128>(2) * minor * (first + 1) - major -
                   static_cast<__int128>(2) * major * m;

    const std::vector<int>& dash = Pen.Width <= 1 ? DashPattern(Pen.Style) : DashPattern(psSolid);
    size_t dashIndex = 0;
    int dashLeft = 0;
    if (!dash.empty()) {
        int period = 0;
        for (int d : dash) period += d;
        int phase = static_cast<int>(first % period);
        while (phase >= dash[dashIndex]) phase -= dash[dashIndex++];
        dashLeft = dash[dashIndex] - phase;
    }
    for (int64_t i = first; i <= last; ++i) {
        if (dash.empty() || (dashIndex % 2) == 0) {
            const int64_t pm = majorStart + majorStep * i, pn = minorStart + minorStep * m;
            const int64_t x = xMajor ? pm : pn, y = xMajor ? pn : pm;
            if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
                PenDot(clip, static_cast<int32_t>(x), static_cast<int32_t>(y));
            }
        }
        if (!dash.empty() && --dashLeft == 0) {
            dashIndex = (dashIndex + 1) % dash.size();
            dashLeft = dash[dashIndex];
        }
        if (err > 0) {
            ++m;
            err -= 2 * major;
        }
        err += 2 * minor;
    }
}

void TCanvas::MoveTo(int32_t x, int32_t y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int32_t x, int32_t y) {
    const Clipper clip(*this);
    ClippedLine(clip, penPos_, {x, y});
    penPos_ = {x, y};
}

void TCanvas::ClippedLine(const Clipper& clip, TPoint from, TPoint to) {
    const TPoint a{from.X + origin_.X, from.Y + origin_.Y};
    const TPoint b{to.X + origin_.X, to.Y + origin_.Y};
    // Lines that cannot touch the clip are skipped without walking them.
    const int32_t margin = std::max(Pen.Width, 1);
    const TRect box{std::min(a.X, b.X) - margin, std::min(a.Y, b.Y) - margin,
                    std::max(a.X, b.X) + margin + 1, std::max(a.Y, b.Y) + margin + 1};
    if (IsRectEmpty(IntersectRect(box, clip.Bounds()))) return;
    DeviceLine(clip, a, b);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    const Clipper clip(*this);
    for (size_t i = 0; i + 1 < points.size(); ++i) ClippedLine(clip, points[i], points[i + 1]);
    // The platform's polyline draws its last point too only through the next segment; the
    // end point stays excluded as with LineTo.
}

// ---- shapes ----

void TCanvas::FillShapeRows(const Clipper& clip, const std::vector<RowSpan>& rows, bool skipFirst,
                            bool skipLast) {
    // rows: one span per device row (empty when x0 > x1), x inclusive. Skipped end rows only
    // tell whether their neighbours lie on the outline.
    const bool fill = Brush.Style != bsClear;
    const bool pen = Pen.Style != psClear;
    const uint32_t brushPixel = PixelOf(Brush.Color);
    const uint32_t penPixel = PixelOf(Pen.Color);
    const size_t first = skipFirst ? 1 : 0;
    const size_t last = rows.size() - (skipLast ? 1 : 0);
    for (size_t i = first; i < last; ++i) {
        const RowSpan& s = rows[i];
        if (s.x0 > s.x1) continue;
        if (!pen) {
            if (fill) FillSpan(clip, s.y, s.x0, s.x1 + 1, brushPixel, Pen.Mode);
            continue;
        }
        // Interior: inside this row's span and the rows above and below, not at its ends.
        int32_t in0 = s.x0 + 1, in1 = s.x1 - 1;
        for (const size_t j : {i - 1, i + 1}) {
            if (j >= rows.size() || rows[j].x0 > rows[j].x1) {
                in0 = 1;
                in1 = 0;
                break;
            }
            in0 = std::max(in0, rows[j].x0);
            in1 = std::min(in1, rows[j].x1);
        }
        if (in0 > in1) {
            FillSpan(clip, s.y, s.x0, s.x1 + 1, penPixel, Pen.Mode);
        } else {
            FillSpan(clip, s.y, s.x0, in0, penPixel, Pen.Mode);
            if (fill) FillSpan(clip, s.y, in0, in1 + 1, brushPixel, Pen.Mode);
            FillSpan(clip, s.y, in1 + 1, s.x1 + 1, penPixel, Pen.Mode);
        }
    }
}

void TCanvas::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    const Clipper clip(*this);
    const TRect d = ToDevice({l, t, r, b});
    if (Pen.Style == psClear) {
        // Without a pen the platform fills one pixel less to the right and bottom.
        if (Brush.Style != bsClear) {
            FillDevice(clip, {d.Left, d.Top, d.Right - 1, d.Bottom - 1}, PixelOf(Brush.Color),
                       Pen.Mode);
        }
        return;
    }
    if (IsRectEmpty(d)) return;
    const int32_t w = std::max(Pen.Width, 1);
    if (Brush.Style != bsClear) {
        FillDevice(clip, InflateRect(d, -w, -w), PixelOf(Brush.Color), Pen.Mode);
    }
    if (Pen.Width <= 1 && Pen.Style != psSolid && Pen.Style != psInsideFrame) {
        const TPoint p[] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}};
        for (int i = 0; i < 4; ++i) ClippedLine(clip, p[i], p[i + 1]);
        return;
    }
    // The outline lies inside the rectangle, w pixels thick, each pixel drawn once.
    const uint32_t pp = PixelOf(Pen.Color);
    const int32_t tw = std::min(w, d.Height()), lw = std::min(w, d.Width());
    const int32_t bandTop = d.Top + tw, bandBottom = std::max(d.Bottom - w, bandTop);
    FillDevice(clip, {d.Left, d.Top, d.Right, bandTop}, pp, Pen.Mode);
    FillDevice(clip, {d.Left, bandBottom, d.Right, d.Bottom}, pp, Pen.Mode);
    FillDevice(clip, {d.Left, bandTop, d.Left + lw, bandBottom}, pp, Pen.Mode);
    FillDevice(clip, {std::max(d.Right - w, d.Left + lw), bandTop, d.Right, bandBottom}, pp,
               Pen.Mode);
}

void TCanvas::RoundShape(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    const TRect d = ToDevice({l, t, r, b});
    if (IsRectEmpty(d)) return;
    const Clipper clip(*this);
    const TRect visible = IntersectRect(d, clip.Bounds());
    if (IsRectEmpty(visible)) return;
    cw = std::clamp(cw, 0, d.Width());
    ch = std::clamp(ch, 0, d.Height());
    // One row beyond each end of the visible band decides the outline of its edge rows.
    const int32_t y0 = std::max(visible.Top - 1, d.Top),
                  y1 = std::min(visible.Bottom + 1, d.Bottom);
    std::vector<RowSpan> rows;
    rows.reserve(static_cast<size_t>(y1 - y0));
    for (int32_t y = y0; y < y1; ++y) {
        const int32_t k = std::min(y - d.Top, d.Bottom - 1 - y);
        const int32_t inset = (cw > 0 && ch > 0 && k < (ch + 1) / 2) ? EllipseInset(k, cw, ch) : 0;
        rows.push_back({y, d.Left + inset, d.Right - 1 - inset});
    }
    FillShapeRows(clip, rows, y0<visible.Top, y1> visible.Bottom);
}

void TCanvas::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
    RoundShape(l, t, r, b, std::abs(r - l), std::abs(b - t));
}

void TCanvas::RoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch) {
    RoundShape(l, t, r, b, cw, ch);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    const Clipper clip(*this);
    if (Brush.Style != bsClear && points.size() >= 3) {
        // Even-odd scan conversion at pixel centres; vertices are pixel corners.
        int32_t minY = INT32_MAX, maxY = INT32_MIN;
        for (const TPoint& p : points) {
            minY = std::min(minY, p.Y + origin_.Y);
            maxY = std::max(maxY, p.Y + origin_.Y);
        }
        minY = std::max(minY, clip.Bounds().Top);
        maxY = std::min(maxY, clip.Bounds().Bottom);
        const uint32_t brushPixel = PixelOf(Brush.Color);
        std::vector<double> xs;
        for (int32_t y = minY; y < maxY; ++y) {
            const double cy = y + 0.5;
            xs.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                const TPoint& p = points[i];
                const TPoint& q = points[(i + 1) % points.size()];
                const double y0 = p.Y + origin_.Y, y1 = q.Y + origin_.Y;
                if ((y0 <= cy) == (y1 <= cy)) continue;
                const double x0 = p.X + origin_.X, x1 = q.X + origin_.X;
                xs.push_back(x0 + (cy - y0) * (x1 - x0) / (y1 - y0));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                const double a = std::clamp(std::ceil(xs[i] - 0.5), -1e9, 1e9);
                const double b = std::clamp(std::ceil(xs[i + 1] - 0.5), -1e9, 1e9);
                FillSpan(clip, y,
                         static_cast<int32_t>(std::max(a, static_cast<double>(INT32_MIN / 2))),
                         static_cast<int32_t>(std::min(b, static_cast<double>(INT32_MAX / 2))),
                         brushPixel, Pen.Mode);
            }
        }
    }
    for (size_t i = 0; i < points.size(); ++i)
        ClippedLine(clip, points[i], points[(i + 1) % points.size()]);
}

// ---- pictures ----

void TCanvas::Blit(const TRect& dest, const TBitmap& source, const TRect& sourceRect, bool keyed,
                   uint32_t key) {
    const int64_t dw = static_cast<int64_t>(dest.Right) - dest.Left,
                  dh = static_cast<int64_t>(dest.Bottom) - dest.Top;
    const int64_t sw = static_cast<int64_t>(sourceRect.Right) - sourceRect.Left;
    const int64_t sh = static_cast<int64_t>(sourceRect.Bottom) - sourceRect.Top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || source.Empty()) return;
    const Clipper clip(*this);
    const TRect d = ToDevice(dest);
    const bool self = &source == &target_;
    // Copying a picture onto itself reads from a snapshot so overlapping areas stay right.
    const TBitmap* src = &source;
    TBitmap snapshot;
    if (self) {
        snapshot = source;
        src = &snapshot;
    }
    const bool unscaled = dw == sw && dh == sh && !keyed;
    std::vector<int32_t> columns;
    for (const TRect& c : clip.Rects()) {
        TRect r = IntersectRect(c, d);
        if (IsRectEmpty(r)) continue;
        if (unscaled) {
            // A 1:1 copy: whole row pieces, limited to what the source has.
            const int32_t sx0 = sourceRect.Left - d.Left, sy0 = sourceRect.Top - d.Top;
            r = IntersectRect(r, Rect(-sx0, -sy0, src->Width() - sx0, src->Height() - sy0));
            for (int32_t y = r.Top; y < r.Bottom; ++y) {
                const uint32_t* srow = src->ScanLine(y + sy0) + sx0;
                uint32_t* drow = target_.ScanLine(y);
                for (int32_t x = r.Left; x < r.Right; ++x) drow[x] = srow[x] & kRgbMask;
            }
            continue;
        }
        columns.resize(static_cast<size_t>(r.Width()));
        for (int32_t x = r.Left; x < r.Right; ++x) {
            const int64_t sx = sourceRect.Left + NearestSourceOffset(int64_t{x} - d.Left, sw, dw);
            columns[static_cast<size_t>(x - r.Left)] =
                (sx >= 0 && sx < src->Width()) ? static_cast<int32_t>(sx) : -1;
        }
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            const int64_t sy = sourceRect.Top + NearestSourceOffset(int64_t{y} - d.Top, sh, dh);
            if (sy < 0 || sy >= src->Height()) continue;
            const uint32_t* srow = src->ScanLine(static_cast<int32_t>(sy));
            uint32_t* drow = target_.ScanLine(y);
            for (int32_t x = r.Left; x < r.Right; ++x) {
                const int32_t sx = columns[static_cast<size_t>(x - r.Left)];
                if (sx < 0) continue;
                const uint32_t p = srow[sx] & kRgbMask;
                if (keyed && p == key) continue;
                drow[x] = p;
            }
        }
    }
}

void TCanvas::Draw(int32_t x, int32_t y, const TBitmap& picture) {
    StretchDraw(Bounds(x, y, picture.Width(), picture.Height()), picture);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& picture) {
    const TRect all{0, 0, picture.Width(), picture.Height()};
    if (picture.Transparent)
        Blit(dest, picture, all, true, PixelOf(picture.TransparentColor()));
    else
        Blit(dest, picture, all, false, 0);
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
    Blit(dest, source, sourceRect, false, 0);
}

void TCanvas::CopyRectTransparent(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                                  TColor key) {
    Blit(dest, source, sourceRect, true, PixelOf(key));
}

// ---- text ----

TSize TCanvas::TextExtent(const std::string& utf8) { return MeasureText(Font, utf8); }

void TCanvas::TextOut(int32_t x, int32_t y, const std::string& utf8) {
    const Clipper clip(*this);
    std::optional<uint32_t> background;
    if (Brush.Style != bsClear) background = PixelOf(Brush.Color);
    const TSize size =
        DrawTextLine(target_, Font, x + origin_.X, y + origin_.Y, utf8, background, clip.Rects());
    penPos_ = {x + size.cx, y};
}

void TCanvas::TextRect(const TRect& r, int32_t x, int32_t y, const std::string& utf8) {
    const Clipper clip(*this);
    const TRect d = ToDevice(r);
    // With a brush the whole rectangle is the text's background.
    if (Brush.Style != bsClear) FillDevice(clip, d, PixelOf(Brush.Color), pmCopy);
    const std::vector<TRect> rects = TRegion::FromRects(clip.Rects()).Intersect(TRegion(d)).Rects();
    if (rects.empty()) return;
    DrawTextLine(target_, Font, x + origin_.X, y + origin_.Y, utf8, std::nullopt, rects);
}

int32_t TCanvas::DrawText(const std::string& utf8, TRect& r, uint32_t flags) {
    std::optional<uint32_t> background;
    if (Brush.Style != bsClear) background = PixelOf(Brush.Color);
    const TRect d = ToDevice(r);
    if (flags & DT_CALCRECT) {
        const TSize size = FormatText(nullptr, Font, utf8, d, flags, std::nullopt, {});
        r.Right = r.Left + size.cx;
        r.Bottom = r.Top + size.cy;
        return size.cy;
    }
    const Clipper clip(*this);
    std::vector<TRect> rects = clip.Rects();
    if (!(flags & DT_NOCLIP)) rects = TRegion::FromRects(rects).Intersect(TRegion(d)).Rects();
    return FormatText(&target_, Font, utf8, d, flags, background, rects).cy;
}
