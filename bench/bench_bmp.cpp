// BMP decoding speed for full-HD pictures (reported as output pixel bytes per second), and
// the canvas' fill and copy primitives.
#include <benchmark/benchmark.h>

#include <vector>

#include "ui/Bitmap.h"
#include "ui/BmpCodec.h"
#include "ui/Canvas.h"
#include "ui/Streams.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

std::vector<uint8_t> MakeFile(TPixelFormat format) {
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < 256; ++i) palette.push_back(i * 0x010203 & 0xFFFFFF);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint32_t i = static_cast<uint32_t>((x / 7 + y / 5 + x * y) & 0xFF);
            pixels[static_cast<size_t>(y) * kWidth + x] =
                format == pf8bit ? palette[i] : (static_cast<uint32_t>(x * 3 + y) & 0xFFFFFF);
        }
    }
    return EncodeBmp(pixels.data(), kWidth, kHeight, format, palette);
}

void Decode(benchmark::State& state, TPixelFormat format) {
    const std::vector<uint8_t> file = MakeFile(format);
    for (auto _ : state) {
        TBmpImage image = DecodeBmp(file.data(), file.size());
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_Decode8bit(benchmark::State& state) { Decode(state, pf8bit); }
void BM_Decode24bit(benchmark::State& state) { Decode(state, pf24bit); }
void BM_Decode32bit(benchmark::State& state) { Decode(state, pf32bit); }

// The whole load path: stream framing, copy into the bitmap.
void BM_LoadFromStream24bit(benchmark::State& state) {
    TMemoryStream stream;
    stream.Assign(MakeFile(pf24bit));
    TBitmap bitmap;
    for (auto _ : state) {
        stream.SetPosition(0);
        bitmap.LoadFromStream(stream);
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_Encode8bit(benchmark::State& state) {
    const TBmpImage image = [] {
        const std::vector<uint8_t> f = MakeFile(pf8bit);
        return DecodeBmp(f.data(), f.size());
    }();
    for (auto _ : state) {
        std::vector<uint8_t> out =
            EncodeBmp(image.pixels.data(), kWidth, kHeight, pf8bit, image.palette);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_CanvasFillRect(benchmark::State& state) {
    TBitmap b(kWidth, kHeight);
    b.Canvas().Brush.Color = clBtnFace;
    for (auto _ : state) b.Canvas().FillRect(Rect(0, 0, kWidth, kHeight));
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_CanvasStretchCopy(benchmark::State& state) {
    TBitmap source(640, 360);
    TBitmap b(kWidth, kHeight);
    for (auto _ : state)
        b.Canvas().CopyRect(Rect(0, 0, kWidth, kHeight), source, Rect(0, 0, 640, 360));
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_CanvasTransparentDraw(benchmark::State& state) {
    TBitmap source(kWidth, kHeight);
    source.Transparent = true;
    source.Canvas().FillSolid(Rect(100, 100, 900, 900), clRed);
    TBitmap b(kWidth, kHeight);
    for (auto _ : state) b.Canvas().Draw(0, 0, source);
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

}  // namespace

BENCHMARK(BM_Decode8bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode24bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode32bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromStream24bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode8bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasFillRect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasStretchCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasTransparentDraw)->Unit(benchmark::kMillisecond);
