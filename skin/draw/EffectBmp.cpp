#include "skin/draw/EffectBmp.h"

#include <immintrin.h>

#include <algorithm>
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

inline uint8_t Mix(double t, uint8_t c, uint8_t o) {
    return ClampByte(RoundEven(t * c + (1.0 - t) * o));
}

// A non-finite factor counts as 0.
inline double Finite(double k) { return std::isfinite(k) ? k : 0.0; }
inline double Clamp01(double k) { return std::clamp(Finite(k), 0.0, 1.0); }

// round(n * k) as an integer, kept far from overflow for absurd factors.
inline int32_t RoundedShare(int32_t n, double k) {
    const double v = std::clamp(static_cast<double>(n) * Finite(k), -1073741824.0, 1073741824.0);
    return static_cast<int32_t>(RoundEven(v));
}

inline double ClampChannel(double v) { return std::min(std::max(v, 0.0), 255.0); }

// The per-byte loops of the whole-image effects, compiled for AVX2 too where the CPU has
// it (same IEEE double arithmetic, no contraction into fused multiply-adds).
#define PB_VECTOR_KERNEL __attribute__((target_clones("avx2", "default")))

// c := round(a * c + k * o), portable form.
void BlendBytesScalar(uint8_t* c, const uint8_t* o, size_t n, double a, double k) {
    for (size_t i = 0; i < n; ++i) {
        c[i] = static_cast<uint8_t>(static_cast<int>(ClampChannel(RoundEven(a * c[i] + k * o[i]))));
    }
}

// The AVX2 form: the same products and sum in doubles, four at a time. Converting to
// integers rounds in the current mode (to nearest, ties to even, as RoundEven), and the
// saturating packs clamp to 0..255.
// Four results from the low four bytes of cs and os: round(a * c + k * o) as int32.
__attribute__((target("avx2"))) inline __m128i BlendFour(__m128i cs, __m128i os, __m256d va,
                                                         __m256d vk) {
    const __m256d dc = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(cs));
    const __m256d dv = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(os));
    return _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_mul_pd(va, dc), _mm256_mul_pd(vk, dv)));
}

__attribute__((target("avx2"))) void BlendBytesAvx2(uint8_t* c, const uint8_t* o, size_t n,
                                                    double a, double k) {
    const __m256d va = _mm256_set1_pd(a), vk = _mm256_set1_pd(k);
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i cs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
        const __m128i os = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i));
        const __m128i r0 = BlendFour(cs, os, va, vk);
        const __m128i r1 = BlendFour(_mm_srli_si128(cs, 4), _mm_srli_si128(os, 4), va, vk);
        const __m128i r2 = BlendFour(_mm_srli_si128(cs, 8), _mm_srli_si128(os, 8), va, vk);
        const __m128i r3 = BlendFour(_mm_srli_si128(cs, 12), _mm_srli_si128(os, 12), va, vk);
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(c + i), packed);
    }
    BlendBytesScalar(c + i, o + i, n - i, a, k);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

void BlendBytes(uint8_t* c, const uint8_t* o, size_t n, double a, double k) {
    if (HasAvx2()) {
        BlendBytesAvx2(c, o, n, a, k);
    } else {
        BlendBytesScalar(c, o, n, a, k);
    }
}

// c := round(a * c + b).
__attribute__((target("avx2"))) inline __m128i ScaleFour(__m128i cs, __m256d va, __m256d vb) {
    const __m256d dc = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(cs));
    return _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_mul_pd(va, dc), vb));
}

__attribute__((target("avx2"))) size_t ScaleBytesAvx2(uint8_t* c, size_t n, double a, double b) {
    const __m256d va = _mm256_set1_pd(a), vb = _mm256_set1_pd(b);
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i cs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
        const __m128i packed = _mm_packus_epi16(
            _mm_packs_epi32(ScaleFour(cs, va, vb), ScaleFour(_mm_srli_si128(cs, 4), va, vb)),
            _mm_packs_epi32(ScaleFour(_mm_srli_si128(cs, 8), va, vb),
                            ScaleFour(_mm_srli_si128(cs, 12), va, vb)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(c + i), packed);
    }
    return i;
}

void ScaleBytes(uint8_t* c, size_t n, double a, double b) {
    const size_t done = HasAvx2() ? ScaleBytesAvx2(c, n, a, b) : 0;
    for (size_t i = done; i < n; ++i) {
        c[i] = static_cast<uint8_t>(static_cast<int>(ClampChannel(RoundEven(a * c[i] + b))));
    }
}

PB_VECTOR_KERNEL void InvertBytes(uint8_t* c, size_t n) {
    for (size_t i = 0; i < n; ++i) c[i] = static_cast<uint8_t>(255 - c[i]);
}

// Pixels (blue, green, red) := g = round(0.3 red + 0.59 green + 0.11 blue).
PB_VECTOR_KERNEL void GrayPixels(uint8_t* p, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i) {
        const double v = 0.3 * p[i * 3 + 2] + 0.59 * p[i * 3 + 1] + 0.11 * p[i * 3];
        const auto g = static_cast<uint8_t>(static_cast<int>(ClampChannel(RoundEven(v))));
        p[i * 3] = g;
        p[i * 3 + 1] = g;
        p[i * 3 + 2] = g;
    }
}

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
    for (int32_t y = 0; y < Height(); ++y) BlendBytes(RowPointer(y), other.RowPointer(y), n, a, k);
}

void TspEffectBmp::BlendRect(const TspEffectBmp& other, const TRect& r, int32_t row0, int32_t col0,
                             double k) {
    if (!SameSize(other)) return;
    k = Clamp01(k);
    const double a = 1.0 - k;
    // Keep both the own and the paired column/row inside their images.
    const int64_t x0 = std::max<int64_t>({r.Left, 0, int64_t{r.Left} - col0});
    const int64_t x1 =
        std::min<int64_t>({r.Right, Width(), int64_t{r.Left} - col0 + other.Width()});
    const int64_t y0 = std::max<int64_t>({r.Top, 0, int64_t{r.Top} - row0});
    const int64_t y1 =
        std::min<int64_t>({r.Bottom, Height(), int64_t{r.Top} - row0 + other.Height()});
    // An inverted rectangle, or one whose columns or rows miss either image, blends
    // nothing: its span would be negative.
    if (x0 >= x1 || y0 >= y1) return;
    for (int64_t y = y0; y < y1; ++y) {
        uint8_t* c = RowPointer(static_cast<int32_t>(y)) + x0 * 3;
        const uint8_t* o =
            other.RowPointer(static_cast<int32_t>(row0 + (y - r.Top))) + (col0 + (x0 - r.Left)) * 3;
        BlendBytes(c, o, static_cast<size_t>(x1 - x0) * 3, a, k);
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
            if (left <= right)
                std::memcpy(c + left * 3, o + left * 3, static_cast<size_t>(right - left + 1) * 3);
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
        BlendBytes(RowPointer(y), other.RowPointer(y), n, t, 1.0 - t);
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

void TspEffectBmp::Lighten(double k) {
    k = Clamp01(k);
    const size_t n = static_cast<size_t>(Width()) * 3;
    for (int32_t y = 0; y < Height(); ++y) ScaleBytes(RowPointer(y), n, 1.0 - k, 255.0 * k);
}

void TspEffectBmp::Darken(double k) {
    k = Clamp01(k);
    const size_t n = static_cast<size_t>(Width()) * 3;
    for (int32_t y = 0; y < Height(); ++y) ScaleBytes(RowPointer(y), n, 1.0 - k, 0.0);
}

void TspEffectBmp::InvertColors() {
    const size_t n = static_cast<size_t>(Width()) * 3;
    for (int32_t y = 0; y < Height(); ++y) InvertBytes(RowPointer(y), n);
}

void TspEffectBmp::ToGray() {
    for (int32_t y = 0; y < Height(); ++y) GrayPixels(RowPointer(y), static_cast<size_t>(Width()));
}

void TspEffectBmp::ScatterNoise(int amount) { ScatterNoise(amount, random_); }

void TspEffectBmp::ScatterNoise(int amount, TNoiseRandom& random) {
    if (amount <= 0) return;
    const int half = amount / 2;
    for (int32_t y = 0; y < Height(); ++y) {
        uint8_t* p = RowPointer(y);
        for (int32_t x = 0; x < Width(); ++x, p += 3) {
            const int d = static_cast<int>(random.Next(static_cast<uint32_t>(amount))) - half;
            for (int ch = 0; ch < 3; ++ch)
                p[ch] = static_cast<uint8_t>(std::clamp(p[ch] + d, 0, 255));
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
            const size_t r =
                static_cast<size_t>(col(int64_t{x} + a >= W ? W - x : int64_t{x} + a)) * 3;
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
            std::memcpy(target.RowPointer(W - 1 - x) + static_cast<size_t>(y) * 3,
                        from + static_cast<size_t>(x) * 3, 3);
        }
    }
}

void TspEffectBmp::TurnRight(TspEffectBmp& target) const {
    const int32_t W = Width(), H = Height();
    if (target.Width() != H || target.Height() != W) return;
    for (int32_t y = 0; y < H; ++y) {
        const uint8_t* from = RowPointer(y);
        for (int32_t x = 0; x < W; ++x) {
            std::memcpy(target.RowPointer(x) + static_cast<size_t>(H - 1 - y) * 3,
                        from + static_cast<size_t>(x) * 3, 3);
        }
    }
}
