#include "skin/form/ObjectFormulas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int64_t NearestEven(double x) {
    const double down = std::floor(x);
    const double rest = x - down;
    auto n = static_cast<int64_t>(down);
    if (rest > 0.5) return n + 1;
    if (rest < 0.5) return n;
    return n % 2 == 0 ? n : n + 1;
}

bool TTrackGeometry::Vertical() const {
    return std::abs(int64_t{Begin.Y} - End.Y) >= std::abs(int64_t{End.X} - Begin.X);
}

namespace {

int32_t Clamp64(int64_t v, int64_t lo, int64_t hi) {
    if (lo > hi) std::swap(lo, hi);
    return static_cast<int32_t>(std::clamp(v, lo, hi));
}

}  // namespace

TPoint TrackValueToPosition(const TTrackGeometry& t, int32_t value) {
    const double range = static_cast<double>(t.MaxValue) - t.MinValue;
    const double f = range == 0 ? 0.0 : (static_cast<double>(value) - t.MinValue) / range;
    if (!t.Vertical()) {
        const int64_t x = t.Begin.X + NearestEven(f * (static_cast<double>(t.End.X) - t.Begin.X));
        return {Clamp64(x, INT32_MIN, INT32_MAX), t.Begin.Y};
    }
    const int64_t y = t.End.Y + NearestEven((1.0 - f) * (static_cast<double>(t.Begin.Y) - t.End.Y));
    return {t.Begin.X, Clamp64(y, INT32_MIN, INT32_MAX)};
}

int32_t TrackPositionToValue(const TTrackGeometry& t, TPoint p) {
    double f = 0;
    if (!t.Vertical()) {
        const double span = static_cast<double>(t.End.X) - t.Begin.X;
        if (span != 0) f = (static_cast<double>(p.X) - t.Begin.X) / span;
    } else {
        const double span = static_cast<double>(t.Begin.Y) - t.End.Y;
        if (span != 0) f = 1.0 - (static_cast<double>(p.Y) - t.End.Y) / span;
    }
    const double range = static_cast<double>(t.MaxValue) - t.MinValue;
    return Clamp64(t.MinValue + NearestEven(range * f), t.MinValue, t.MaxValue);
}

TPoint ClampToTrack(const TTrackGeometry& t, TPoint p) {
    if (!t.Vertical()) return {Clamp64(p.X, t.Begin.X, t.End.X), t.Begin.Y};
    return {t.Begin.X, Clamp64(p.Y, t.End.Y, t.Begin.Y)};
}

int32_t GaugeFilledExtent(int32_t minValue, int32_t maxValue, int32_t value, int32_t extent) {
    const double range = static_cast<double>(maxValue) - minValue;
    if (range == 0 || extent <= 0) return 0;
    const double f = (static_cast<double>(value) - minValue) / range;
    return Clamp64(NearestEven(f * extent), 0, extent);
}

int32_t GaugeEmptyTop(int32_t minValue, int32_t maxValue, int32_t value, int32_t extent) {
    const double range = static_cast<double>(maxValue) - minValue;
    if (extent <= 0) return 0;
    if (range == 0) return extent;
    const double f = (static_cast<double>(value) - minValue) / range;
    return Clamp64(NearestEven(extent * (1.0 - f)), 0, extent);
}

int32_t FrameForValue(int32_t minValue, int32_t maxValue, int32_t value, int32_t count) {
    if (count < 2) return 1;
    const int64_t divisor = (int64_t{maxValue} - minValue) / (count - 1);
    if (divisor == 0) return 1;
    const int64_t frame = std::llabs(int64_t{value} - minValue) / divisor + 1;
    // A range that does not divide evenly into the frames would point past the strip.
    return Clamp64(frame, 1, count);
}

int32_t ClampValue(int32_t value, int32_t minValue, int32_t maxValue) {
    return Clamp64(value, minValue, maxValue);
}
