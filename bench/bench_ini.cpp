// INI parsing at start-up: a skin definition text of about 2,000 lines in 200 sections,
// parsed and then every key read once (in another letter case than written).
#include <benchmark/benchmark.h>

#include <string>

#include "ui/IniFile.h"

namespace {

std::string SkinLikeText() {
    std::string text = "; generated\r\n";
    for (int s = 0; s < 200; ++s) {
        text += "[section" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 9; ++k) {
            text += "key" + std::to_string(k) + "rect = " + std::to_string(s) + "," +
                    std::to_string(k) + ",191,187\r\n";
        }
        text += "\r\n";
    }
    return text;
}

void BM_IniParse(benchmark::State& state) {
    const std::string text = SkinLikeText();
    for (auto _ : state) {
        TMemIniFile ini;
        ini.SetText(text);
        benchmark::DoNotOptimize(ini);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IniParse)->Unit(benchmark::kMicrosecond);

void BM_IniParseAndReadAll(benchmark::State& state) {
    const std::string text = SkinLikeText();
    std::vector<std::pair<std::string, std::string>> lookups;
    for (int s = 0; s < 200; ++s) {
        for (int k = 0; k < 9; ++k)
            lookups.emplace_back("SECTION" + std::to_string(s), "Key" + std::to_string(k) + "Rect");
    }
    for (auto _ : state) {
        TMemIniFile ini;
        ini.SetText(text);
        size_t total = 0;
        for (const auto& [section, key] : lookups) total += ini.ReadString(section, key, "").size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_IniParseAndReadAll)->Unit(benchmark::kMicrosecond);

}  // namespace
