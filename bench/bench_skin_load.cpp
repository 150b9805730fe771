// Loading the compiled-in skin (inflate, BMP decoding, parsing, every definition), and our
// inflating adapter against zlib's one-call uncompress of the same block.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/ZlibStreams.h"

namespace {

TspCompressedStoredSkin& Container() {
    static TspCompressedStoredSkin* container = [] {
        InstallHeadlessPlatform();
        auto* c = new TspCompressedStoredSkin(nullptr);
        c->BuildFromSkinFile(std::string(PB_SOURCE_DIR) + "/skins/default/skin.ini");
        return c;
    }();
    return *container;
}

void BM_LoadCompiledInSkin(benchmark::State& state) {
    TspCompressedStoredSkin& container = Container();
    TspSkinData skin(nullptr);
    for (auto _ : state) {
        skin.LoadFromCompressedContainer(container);
        benchmark::DoNotOptimize(skin.ControlDefs.size());
    }
}
BENCHMARK(BM_LoadCompiledInSkin)->Unit(benchmark::kMicrosecond);

void BM_InflateAdapter(benchmark::State& state) {
    TspCompressedStoredSkin& container = Container();
    for (auto _ : state) {
        TMemoryStream out;
        container.InflateTo(out);
        benchmark::DoNotOptimize(out.Memory());
    }
}
BENCHMARK(BM_InflateAdapter)->Unit(benchmark::kMicrosecond);

void BM_InflateZlibUncompress(benchmark::State& state) {
    TspCompressedStoredSkin& container = Container();
    const auto& block = container.CompressedData();
    TMemoryStream probe;
    container.InflateTo(probe);
    std::vector<uint8_t> out(static_cast<size_t>(probe.Size()));
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        uncompress(out.data(), &size, block.data(), static_cast<uLong>(block.size()));
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_InflateZlibUncompress)->Unit(benchmark::kMicrosecond);

}  // namespace
