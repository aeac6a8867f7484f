// MatchMaskList over a million file names, with the masks the explorer uses.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "views/MaskSearch.h"

namespace {

std::vector<std::string> Names(int count) {
    static const char* const extensions[] = {".mp3", ".WAV", ".txt", ".mp3.bak", "", ".Flac"};
    std::vector<std::string> names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.push_back("Track " + std::to_string(i) + " - Some Artist" + extensions[i % 6]);
    return names;
}

void BM_MatchMaskListMillionNames(benchmark::State& state, const char* maskValue) {
    const std::vector<std::string> names = Names(1'000'000);
    const std::vector<std::string> masks = ParseMaskList(maskValue);
    for (auto _ : state) {
        int matched = 0;
        for (const std::string& name : names)
            matched += MatchMaskList(name, masks) ? 1 : 0;
        benchmark::DoNotOptimize(matched);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}

BENCHMARK_CAPTURE(BM_MatchMaskListMillionNames, StarDotStar, "*.*")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MatchMaskListMillionNames, AudioMasks, "*.mp3, *.wav, song?, *artist*")
    ->Unit(benchmark::kMillisecond);

}  // namespace
