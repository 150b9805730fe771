// Skin drawing at full-screen size (1920 x 1080): four-point composition with a tiled
// client, the frame strips, mask to region, and every bitmap effect. The same composition
// is also done with cairo repeat patterns on sub-surfaces, for comparison.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstring>

#include "skin/draw/EffectBmp.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/SkinCompose.h"
#include "ui/Bitmap.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

// A 64 x 64 form-like element at (10, 6) of a 100 x 80 picture: a 24-pixel caption band,
// 8-pixel side bands, a 48 x 32 client texture.
const TRect kR = Bounds(10, 6, 64, 64);
const TSkinGeometry kG{{20, 30}, {44, 30}, {20, 50}, {44, 50}, Rect(8, 24, 56, 56)};

TBitmap SkinPicture() {
    TBitmap b(100, 80);
    for (int32_t y = 0; y < 80; ++y)
        for (int32_t x = 0; x < 100; ++x)
            b.ScanLine(y)[x] = static_cast<uint32_t>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
    return b;
}

void BM_ComposeSkinImageTiled(benchmark::State& state) {
    const TBitmap pic = SkinPicture();
    const TSkinGeometry ng = ResizedGeometry(kG, kR, kW, kH);
    TBitmap target(kW, kH);
    for (auto _ : state) {
        ComposeSkinImageTiled(kG, ng, target, pic, kR, kW, kH, cdDrawClient);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_ComposeSkinImageTiled)->Unit(benchmark::kMillisecond);

// The same composition into a new bitmap each time (as a control's paint does).
void BM_ComposeSkinImageTiledNewTarget(benchmark::State& state) {
    const TBitmap pic = SkinPicture();
    const TSkinGeometry ng = ResizedGeometry(kG, kR, kW, kH);
    for (auto _ : state) {
        TBitmap target;
        ComposeSkinImageTiled(kG, ng, target, pic, kR, kW, kH, cdDrawClient);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_ComposeSkinImageTiledNewTarget)->Unit(benchmark::kMillisecond);

// cairo: one repeat pattern over a sub-surface per piece, same pieces and paint order.
void CairoPiece(cairo_t* cr, cairo_surface_t* picture, const TRect& src, const TRect& dst) {
    if (src.Width() < 1 || src.Height() < 1 || dst.Width() < 1 || dst.Height() < 1) return;
    cairo_surface_t* sub =
        cairo_surface_create_for_rectangle(picture, src.Left, src.Top, src.Width(), src.Height());
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(sub);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, -dst.Left, -dst.Top);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, dst.Left, dst.Top, dst.Width(), dst.Height());
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(sub);
}

void CairoCompose(cairo_t* cr, cairo_surface_t* pic, const TSkinGeometry& g,
                  const TSkinGeometry& ng, int32_t W, int32_t H) {
    const int32_t x0 = kR.Left, y0 = kR.Top;
    const TRect& C = g.C;
    const TRect& NC = ng.C;
    CairoPiece(cr, pic, Rect(x0 + g.LT.X, y0, x0 + g.RT.X, y0 + C.Top),
               Rect(ng.LT.X, 0, ng.RT.X, NC.Top));
    CairoPiece(cr, pic, Rect(x0 + g.LB.X, y0 + C.Bottom, x0 + g.RB.X, kR.Bottom),
               Rect(ng.LB.X, NC.Bottom, ng.RB.X, H));
    CairoPiece(cr, pic, Rect(x0, y0 + g.LT.Y, x0 + C.Left, y0 + g.LB.Y),
               Rect(0, ng.LT.Y, NC.Left, ng.LB.Y));
    CairoPiece(cr, pic, Rect(x0 + C.Right, y0 + g.RT.Y, kR.Right, y0 + g.RB.Y),
               Rect(NC.Right, ng.RT.Y, W, ng.RB.Y));
    CairoPiece(cr, pic, Rect(x0, y0, x0 + g.LT.X, y0 + C.Top), Rect(0, 0, ng.LT.X, NC.Top));
    CairoPiece(cr, pic, Rect(x0, y0 + C.Top, x0 + C.Left, y0 + g.LT.Y),
               Rect(0, NC.Top, NC.Left, ng.LT.Y));
    CairoPiece(cr, pic, Rect(x0 + g.RT.X, y0, kR.Right, y0 + C.Top), Rect(ng.RT.X, 0, W, NC.Top));
    CairoPiece(cr, pic, Rect(x0 + C.Right, y0 + C.Top, kR.Right, y0 + g.RT.Y),
               Rect(NC.Right, NC.Top, W, ng.RT.Y));
    CairoPiece(cr, pic, Rect(x0, y0 + g.LB.Y, x0 + C.Left, kR.Bottom),
               Rect(0, ng.LB.Y, NC.Left, H));
    CairoPiece(cr, pic, Rect(x0 + C.Left, y0 + C.Bottom, x0 + g.LB.X, kR.Bottom),
               Rect(NC.Left, NC.Bottom, ng.LB.X, H));
    CairoPiece(cr, pic, Rect(x0 + g.RB.X, y0 + C.Bottom, kR.Right, kR.Bottom),
               Rect(ng.RB.X, NC.Bottom, W, H));
    CairoPiece(cr, pic, Rect(x0 + C.Right, y0 + g.RB.Y, kR.Right, y0 + C.Bottom),
               Rect(NC.Right, ng.RB.Y, W, NC.Bottom));
    CairoPiece(cr, pic, Rect(x0 + C.Left, y0 + C.Top, x0 + C.Right, y0 + C.Bottom), NC);
}

void BM_CairoComposeRepeatPatterns(benchmark::State& state) {
    TBitmap pic = SkinPicture();
    cairo_surface_t* picture =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, pic.Width(), pic.Height());
    for (int32_t y = 0; y < pic.Height(); ++y) {
        std::memcpy(
            cairo_image_surface_get_data(picture) + y * cairo_image_surface_get_stride(picture),
            pic.ScanLine(y), static_cast<size_t>(pic.Width()) * 4);
    }
    cairo_surface_mark_dirty(picture);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
    cairo_t* cr = cairo_create(target);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const TSkinGeometry ng = ResizedGeometry(kG, kR, kW, kH);
    for (auto _ : state) {
        CairoCompose(cr, picture, kG, ng, kW, kH);
        cairo_surface_flush(target);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(target));
    }
    // Both ways must paint the same picture.
    TBitmap ours;
    ComposeSkinImageTiled(kG, ng, ours, pic, kR, kW, kH, cdDrawClient);
    int64_t differing = 0;
    for (int32_t y = 0; y < kH; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            cairo_image_surface_get_data(target) + y * cairo_image_surface_get_stride(target));
        for (int32_t x = 0; x < kW; ++x) differing += (row[x] & 0xFFFFFF) != ours.ScanLine(y)[x];
    }
    state.counters["pixels_differing_from_ours"] = static_cast<double>(differing);
    cairo_destroy(cr);
    cairo_surface_destroy(target);
    cairo_surface_destroy(picture);
}
BENCHMARK(BM_CairoComposeRepeatPatterns)->Unit(benchmark::kMillisecond);

void BM_ComposeBorderStrips(benchmark::State& state) {
    const TBitmap pic = SkinPicture();
    const TSkinGeometry ng = ResizedGeometry(kG, kR, kW, kH);
    TBitmap top, bottom, left, right;
    for (auto _ : state) {
        ComposeBorderStrips(kG, ng, kW, kH, kR, pic, TBorderStrips{&top, &bottom, &left, &right},
                            TEdgeStretch{});
        benchmark::DoNotOptimize(top.Bits());
    }
}
BENCHMARK(BM_ComposeBorderStrips)->Unit(benchmark::kMicrosecond);

// A full-window mask: black with rounded-off corners (1 run per row, 2 in corner rows).
TBitmap WindowMask() {
    TBitmap m(kW, kH);
    for (int32_t y = 0; y < kH; ++y) {
        uint32_t* row = m.ScanLine(y);
        for (int32_t x = 0; x < kW; ++x) row[x] = 0;
    }
    for (int32_t i = 0; i < 6; ++i)
        for (int32_t j = 0; j < 6 - i; ++j) {
            m.ScanLine(i)[j] = m.ScanLine(i)[kW - 1 - j] = 0xFFFFFF;
            m.ScanLine(kH - 1 - i)[j] = m.ScanLine(kH - 1 - i)[kW - 1 - j] = 0xFFFFFF;
        }
    return m;
}

void BM_MaskToRegionData(benchmark::State& state) {
    const TBitmap mask = WindowMask();
    for (auto _ : state) benchmark::DoNotOptimize(MaskToRegionData(mask, 0, 0));
}
BENCHMARK(BM_MaskToRegionData)->Unit(benchmark::kMillisecond);

void BM_MaskToRegion(benchmark::State& state) {
    const TBitmap mask = WindowMask();
    for (auto _ : state) benchmark::DoNotOptimize(MaskToRegion(mask));
}
BENCHMARK(BM_MaskToRegion)->Unit(benchmark::kMillisecond);

void BM_ComposeMaskRegion(benchmark::State& state) {
    const TBitmap mask = WindowMask();  // used as the element's whole mask picture
    TBitmap small(64, 64);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x) small.ScanLine(y)[x] = (x + y < 4) ? 0xFFFFFF : 0;
    const TRect r = Rect(0, 0, 64, 64);
    const TSkinGeometry ng = ResizedGeometry(kG, r, kW, kH);
    for (auto _ : state) benchmark::DoNotOptimize(ComposeMaskRegion(kG, ng, kW, kH, small));
}
BENCHMARK(BM_ComposeMaskRegion)->Unit(benchmark::kMillisecond);

// ---- Effects ----

TBitmap Photo(uint32_t salt) {
    TBitmap b(kW, kH);
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x)
            b.ScanLine(y)[x] =
                static_cast<uint32_t>((x * 2654435761u + salt) ^ (y * 97u)) & 0xFFFFFF;
    return b;
}

template <typename Effect>
void RunEffect(benchmark::State& state, Effect effect) {
    const TspEffectBmp source(Photo(1));
    const TspEffectBmp other(Photo(2));
    TspEffectBmp self = source;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(self.RowPointer(0), source.RowPointer(0), source.Size());
        state.ResumeTiming();
        effect(self, other);
        benchmark::DoNotOptimize(self.RowPointer(0));
    }
}

#define PB_EFFECT_BENCH(name, body)                                          \
    void BM_##name(benchmark::State& state) {                                \
        RunEffect(state, [](TspEffectBmp& self, const TspEffectBmp& other) { \
            (void)other;                                                     \
            body;                                                            \
        });                                                                  \
    }                                                                        \
    BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond)

PB_EFFECT_BENCH(BlendWith, self.BlendWith(other, 0.37));
PB_EFFECT_BENCH(BlendRect, self.BlendRect(other, Rect(0, 0, kW, kH), 0, 0, 0.37));
PB_EFFECT_BENCH(BlendGradient, self.BlendGradient(other, 0.37));
PB_EFFECT_BENCH(BlendLeftGradient, self.BlendLeftGradient(other, 0.37));
PB_EFFECT_BENCH(BlendRightGradient, self.BlendRightGradient(other, 0.37));
PB_EFFECT_BENCH(SlideFromLeft, self.SlideFromLeft(other, 0.37));
PB_EFFECT_BENCH(SlideFromRight, self.SlideFromRight(other, 0.37));
PB_EFFECT_BENCH(PushFromLeft, self.PushFromLeft(other, 0.37));
PB_EFFECT_BENCH(Lighten, self.Lighten(0.5));
PB_EFFECT_BENCH(Darken, self.Darken(0.3));
PB_EFFECT_BENCH(ToGray, self.ToGray());
PB_EFFECT_BENCH(ScatterNoise, self.ScatterNoise(50));
PB_EFFECT_BENCH(CornerBlur, self.CornerBlur(1));
PB_EFFECT_BENCH(InvertColors, self.InvertColors());

void BM_TurnLeft(benchmark::State& state) {
    const TspEffectBmp source(Photo(1));
    TspEffectBmp target(kH, kW);
    for (auto _ : state) {
        source.TurnLeft(target);
        benchmark::DoNotOptimize(target.RowPointer(0));
    }
}
BENCHMARK(BM_TurnLeft)->Unit(benchmark::kMillisecond);

void BM_TurnRight(benchmark::State& state) {
    const TspEffectBmp source(Photo(1));
    TspEffectBmp target(kH, kW);
    for (auto _ : state) {
        source.TurnRight(target);
        benchmark::DoNotOptimize(target.RowPointer(0));
    }
}
BENCHMARK(BM_TurnRight)->Unit(benchmark::kMillisecond);

// Wrapping a bitmap and copying the result back, as an alpha-blended control does.
void BM_EffectBmpFromAndToBitmap(benchmark::State& state) {
    const TBitmap photo = Photo(1);
    TBitmap back;
    for (auto _ : state) {
        const TspEffectBmp e(photo);
        e.CopyTo(back);
        benchmark::DoNotOptimize(back.Bits());
    }
}
BENCHMARK(BM_EffectBmpFromAndToBitmap)->Unit(benchmark::kMillisecond);

}  // namespace
