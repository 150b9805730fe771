#include "skin/draw/EffectBmp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace {

// Round to nearest, ties to even, for |x| < 2^51: adding and removing 1.5 * 2^52 leaves
// the double's integer part rounded by the FPU's default mode. Same results as
// std::nearbyint, but it vectorises.
inline double RoundEven(double x) {
    constexpr double kMagic = 6755399441055744.0;
    return (x + kMagic) - kMagic;
}

inline uint8_t ClampByte(double v) {
    return v <= 0.0 ? uint8_t{0} : v >= 255.0 ? uint8_t{255} : static_cast<uint8_t>(v);
}

inline uint8_t Mix(double t, uint8_t c, uint8_t o) { return ClampByte(RoundEven(t * c + (1.0 - t) * o)); }

// A non-finite factor counts as 0.
inline double Finite(double k) { return std::isfinite(k) ? k : 0.0; }
inline double Clamp01(double k) { return std::clamp(Finite(k), 0.0, 1.0); }

// round(n * k) as an integer, kept far from overflow for absurd factors.
inline int32_t RoundedShare(int32_t n, double k) {
    const double v = std::clamp(static_cast<double>(n) * Finite(k), -1073741824.0, 1073741824.0);
    return static_cast<int32_t>(RoundEven(v));
}

// A 256-entry map of every channel value (for effects that depend on c alone).
using TChannelMap = std::array<uint8_t, 256>;

}  // namespace

TspEffectBmp::TspEffectBmp(int32_t width, int32_t height) : pixels_(width, height) {}

TspEffectBmp::TspEffectBmp(const TBitmap& source) : pixels_(source) {}

TColor TspEffectBmp::PixelAt(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clBlack;
    const uint8_t* p = pixels_.ScanLine(y) + static_cast<size_t>(x) * 3;
    return RGB(p[2], p[1], p[0]);
}

void TspEffectBmp::SetPixelAt(int32_t x, int32_t y, TColor color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    uint8_t* p = pixels_.ScanLine(y) + static_cast<size_t>(x) * 3;
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
}

void TspEffectBmp::ReadRow(int32_t y, uint8_t* buffer) const {
    std::memcpy(buffer, pixels_.ScanLine(y), static_cast<size_t>(Width()) * 3);
}

void TspEffectBmp::WriteRow(int32_t y, const uint8_t* buffer) {
    std::memcpy(pixels_.ScanLine(y), buffer, static_cast<size_t>(Width()) * 3);
}

void TspEffectBmp::CopyTo(TBitmap& target) const { pixels_.CopyTo(target); }

void TspEffectBmp::DrawTo(TCanvas& canvas, int32_t x, int32_t y) const {
    TBitmap image;
    CopyTo(image);
    canvas.Draw(x, y, image);
}

void TspEffectBmp::BlendWith(const TspEffectBmp& other, double k) {
    if (!SameSize(other)) return;
    k = Clamp01(k);
    const double a = 1.0 - k;
    const size_t n = static_cast<size_t>(Width()) * 3;
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* c = RowPointer(y);
        const uint8_t* o = other.RowPointer(y);
        for (size_t i = 0; i < n; ++i) c[i] = ClampByte(RoundEven(a * c[i] + k * o[i]));
    }
}

void TspEffectBmp::BlendRect(const TspEffectBmp& other, const TRect& r, int32_t row0, int32_t col0, double k) {
    if (!SameSize(other)) return;
    k = Clamp01(k);
    const double a = 1.0 - k;
    // Keep both the own and the paired column/row inside their images.
    const int64_t x0 = std::max<int64_t>({r.Left, 0, int64_t{r.Left} - col0});
    const int64_t x1 = std::min<int64_t>({r.Right, Width(), int64_t{r.Left} - col0 + other.Width()});
    const int64_t y0 = std::max<int64_t>({r.Top, 0, int64_t{r.Top} - row0});
    const int64_t y1 = std::min<int64_t>({r.Bottom, Height(), int64_t{r.Top} - row0 + other.Height()});
    for (int64_t y = y0; y < y1; ++y) {
        uint8_t* c = RowPointer(static_cast<int32_t>(y)) + x0 * 3;
        const uint8_t* o = other.RowPointer(static_cast<int32_t>(row0 + (y - r.Top))) + (col0 + (x0 - r.Left)) * 3;
        for (int64_t i = 0; i < (x1 - x0) * 3; ++i) c[i] = ClampByte(RoundEven(a * c[i] + k * o[i]));
    }
}

void TspEffectBmp::BlendGradient(const TspEffectBmp& other, double k) {
    if (!SameSize(other) || Width() < 1 || Height() < 1) return;
    const int32_t W = Width(), H = Height();
    if (W >= H) {
        // The middle columns show other, fading back to self over a band on each side.
        const int32_t b = RoundedShare(W, k);
        const int32_t band = (W - b) / 2;
        const double step = band == 0 ? 1.0 : 1.0 / band;
        const int32_t left = std::clamp(W / 2 - b / 2, 0, W - 1);
        const int32_t right = std::clamp(W / 2 + b / 2, 0, W - 1);
        for (int32_t y = 0; y < H; ++y) {
            uint8_t* c = RowPointer(y);
            const uint8_t* o = other.RowPointer(y);
            if (left <= right) std::memcpy(c + left * 3, o + left * 3, static_cast<size_t>(right - left + 1) * 3);
            double t = 0.0;
            for (int32_t x = left; x >= 0; --x, t = std::min(1.0, t + step)) {
                for (int ch = 0; ch < 3; ++ch) c[x * 3 + ch] = Mix(t, c[x * 3 + ch], o[x * 3 + ch]);
            }
            t = 0.0;
            for (int32_t x = right; x < W; ++x, t = std::min(1.0, t + step)) {
                for (int ch = 0; ch < 3; ++ch) c[x * 3 + ch] = Mix(t, c[x * 3 + ch], o[x * 3 + ch]);
            }
        }
        return;
    }
    // Taller than wide: the same over rows.
    const int32_t b = RoundedShare(H, k);
    const int32_t band = (H - 1 - b) / 2;
    const double step = band == 0 ? 0.0 : 1.0 / band;
    const int32_t top = std::clamp(H / 2 - b / 2, 0, H - 1);
    const int32_t bottom = std::clamp(H / 2 + b / 2, 0, H - 1);
    const size_t n = static_cast<size_t>(W) * 3;
    for (int32_t y = top; y <= bottom; ++y) std::memcpy(RowPointer(y), other.RowPointer(y), n);
    auto fadeRow = [&](int32_t y, double t) {
        uint8_t* c = RowPointer(y);
        const uint8_t* o = other.RowPointer(y);
        for (size_t i = 0; i < n; ++i) c[i] = Mix(t, c[i], o[i]);
    };
    double t = 0.0;
    for (int32_t y = top; y >= 0; --y, t = std::min(1.0, t + step)) fadeRow(y, t);
    t = 0.0;
    for (int32_t y = bottom; y < H; ++y, t = std::min(1.0, t + step)) fadeRow(y, t);
}

void TspEffectBmp::BlendLeftGradient(const TspEffectBmp& other, double k) {
    if (!SameSize(other) || Width() < 1) return;
    const int32_t W = Width();
    const int32_t a = std::max(1, std::min(RoundedShare(W, k), W - 1));
    const double step = 1.0 / a;
    const int32_t last = std::min(a, W - 1);
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* c = RowPointer(y);
        const uint8_t* o = other.RowPointer(y);
        double t = 0.0;
        for (int32_t x = 0; x <= last; ++x, t = std::min(1.0, t + step)) {
            for (int ch = 0; ch < 3; ++ch) c[x * 3 + ch] = Mix(t, c[x * 3 + ch], o[x * 3 + ch]);
        }
    }
}

void TspEffectBmp::BlendRightGradient(const TspEffectBmp& other, double k) {
    if (!SameSize(other) || Width() < 1) return;
    const int32_t W = Width();
    const int32_t a = std::clamp(W - RoundedShare(W, k), 0, W - 1);
    const double step = W - a <= 0 ? 1.0 : 1.0 / (W - a);
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* c = RowPointer(y);
        const uint8_t* o = other.RowPointer(y);
        double t = 0.0;
        for (int32_t x = W - 1; x >= a; --x, t = std::min(1.0, t + step)) {
            for (int ch = 0; ch < 3; ++ch) c[x * 3 + ch] = Mix(t, c[x * 3 + ch], o[x * 3 + ch]);
        }
    }
}

void TspEffectBmp::SlideFromLeft(const TspEffectBmp& other, double k) {
    if (!SameSize(other) || Width() < 1) return;
    const int32_t W = Width();
    const int32_t b = std::max(1, std::min(RoundedShare(W, k), W - 1));
    for (int32_t y = 0; y < Height(); ++y) {
        std::memcpy(RowPointer(y), other.RowPointer(y) + (W - b) * 3, static_cast<size_t>(b) * 3);
    }
}

void TspEffectBmp::SlideFromRight(const TspEffectBmp& other, double k) {
    if (!SameSize(other) || Width() < 1) return;
    const int32_t W = Width();
    const int32_t b = std::max(1, std::min(RoundedShare(W, k), W - 1));
    for (int32_t y = 0; y < Height(); ++y) {
        std::memcpy(RowPointer(y) + (W - b) * 3, other.RowPointer(y), static_cast<size_t>(b) * 3);
    }
}

void TspEffectBmp::PushFromLeft(const TspEffectBmp& other, double k) {
    if (!SameSize(other) || Width() < 1) return;
    const int32_t W = Width();
    const int32_t a = std::clamp(RoundedShare(W, k), 0, W - 1);
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* c = RowPointer(y);
        const uint8_t* o = other.RowPointer(y);
        // Self moves right by a + 1 columns (overlapping move), then other's rightmost
        // a + 1 columns come in at the left.
        std::memmove(c + (a + 1) * 3, c, static_cast<size_t>(W - a - 1) * 3);
        for (int32_t i = 0; i <= a; ++i) {
            const int32_t from = std::min(W - a - 1 + i, W - 1);
            std::memcpy(c + i * 3, o + from * 3, 3);
        }
    }
}

namespace {

void ApplyChannelMap(TFBitmap& pixels, const TChannelMap& map) {
    const size_t n = static_cast<size_t>(pixels.Width()) * 3;
    for (int32_t y = 0; y < pixels.Height(); ++y) {
        uint8_t* c = pixels.ScanLine(y);
        for (size_t i = 0; i < n; ++i) c[i] = map[c[i]];
    }
}

}  // namespace

void TspEffectBmp::Lighten(double k) {
    k = Clamp01(k);
    TChannelMap map;
    for (int c = 0; c < 256; ++c) map[static_cast<size_t>(c)] = ClampByte(RoundEven((1.0 - k) * c + 255.0 * k));
    ApplyChannelMap(pixels_, map);
}

void TspEffectBmp::Darken(double k) {
    k = Clamp01(k);
    TChannelMap map;
    for (int c = 0; c < 256; ++c) map[static_cast<size_t>(c)] = ClampByte(RoundEven((1.0 - k) * c));
    ApplyChannelMap(pixels_, map);
}

void TspEffectBmp::InvertColors() {
    TChannelMap map;
    for (int c = 0; c < 256; ++c) map[static_cast<size_t>(c)] = static_cast<uint8_t>(255 - c);
    ApplyChannelMap(pixels_, map);
}

void TspEffectBmp::ToGray() {
    // Products per channel value, summed in the same order as 0.3 r + 0.59 g + 0.11 b.
    std::array<double, 256> red{}, green{}, blue{};
    for (int v = 0; v < 256; ++v) {
        red[static_cast<size_t>(v)] = 0.3 * v;
        green[static_cast<size_t>(v)] = 0.59 * v;
        blue[static_cast<size_t>(v)] = 0.11 * v;
    }
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* p = RowPointer(y);
        for (int32_t x = 0; x < Width(); ++x, p += 3) {
            const uint8_t g = ClampByte(RoundEven(red[p[2]] + green[p[1]] + blue[p[0]]));
            p[0] = p[1] = p[2] = g;
        }
    }
}

void TspEffectBmp::ScatterNoise(int amount) { ScatterNoise(amount, random_); }

void TspEffectBmp::ScatterNoise(int amount, TNoiseRandom& random) {
    if (amount <= 0) return;
    const int half = amount / 2;
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* p = RowPointer(y);
        for (int32_t x = 0; x < Width(); ++x, p += 3) {
            const int d = static_cast<int>(random.Next(static_cast<uint32_t>(amount))) - half;
            for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<uint8_t>(std::clamp(p[ch] + d, 0, 255));
        }
    }
}

void TspEffectBmp::CornerBlur(int distance) {
    if (distance == 0 || Width() < 1 || Height() < 1) return;
    const int32_t W = Width(), H = Height(), a = distance;
    // The fallback rows/columns (H - y, W - x) leave the image for images one pixel high
    // or wide; every index is kept inside.
    auto row = [H](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, H - 1)); };
    auto col = [W](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, W - 1)); };
    for (int32_t y = 0; y < H; ++y) {
        const int32_t up = row(int64_t{y} - a < 0 ? y : int64_t{y} - a);
        const int32_t down = row(int64_t{y} + a >= H ? H - y : int64_t{y} + a);
        const uint8_t* upRow = RowPointer(up);
        const uint8_t* downRow = RowPointer(down);
        uint8_t* p = RowPointer(y);
        for (int32_t x = 0; x < W; ++x) {
            const size_t l = static_cast<size_t>(col(int64_t{x} - a < 0 ? x : int64_t{x} - a)) * 3;
            const size_t r = static_cast<size_t>(col(int64_t{x} + a >= W ? W - x : int64_t{x} + a)) * 3;
            for (int ch = 0; ch < 3; ++ch) {
                const int sum = upRow[l + ch] + downRow[l + ch] + upRow[r + ch] + downRow[r + ch];
                p[x * 3 + ch] = static_cast<uint8_t>(sum / 4);
            }
        }
    }
}

void TspEffectBmp::TurnLeft(TspEffectBmp& target) const {
    const int32_t W = Width(), H = Height();
    if (target.Width() != H || target.Height() != W) return;
    for (int32_t y = 0; y < H; ++y) {
        const uint8_t* from = RowPointer(y);
        for (int32_t x = 0; x < W; ++x) {
            std::memcpy(target.RowPointer(W - 1 - x) + static_cast<size_t>(y) * 3, from + static_cast<size_t>(x) * 3, 3);
        }
    }
}

void TspEffectBmp::TurnRight(TspEffectBmp& target) const {
    const int32_t W = Width(), H = Height();
    if (target.Width() != H || target.Height() != W) return;
    for (int32_t y = 0; y < H; ++y) {
        const uint8_t* from = RowPointer(y);
        for (int32_t x = 0; x < W; ++x) {
            std::memcpy(target.RowPointer(x) + static_cast<size_t>(H - 1 - y) * 3, from + static_cast<size_t>(x) * 3, 3);
        }
    }
}
