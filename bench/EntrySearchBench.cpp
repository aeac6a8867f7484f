// "Jump to File" over 1,000,000 entries (the 100,000-file list of side-by-side.sh ten times,
// with tags): each keystroke of a typed query searched as the window searches it. Goal: at
// most 50 ms a keystroke. Also what opening the window costs (the texts folded once).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "playlist/EntrySearch.h"

namespace {

constexpr int kEntries = 1'000'000;

// 1,000 to a folder; half FLAC, half MP3; each with its own title, artist, album and year.
std::unique_ptr<PlayList> MillionEntries() {
    auto list = std::make_unique<PlayList>();
    std::vector<PlayListEntry> entries;
    entries.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        const int file = i % 100'000;
        const std::string name =
            "track" + std::to_string(file) + (file % 2 == 0 ? ".flac" : ".mp3");
        PlayListEntry entry{
            name, file % 2 == 0 ? "FLAC audio" : "MP3 audio",
            "/tmp/qvrl-side-data/tagged/" + std::to_string(file / 1000) + "/" + name, 0};
        auto tags = std::make_shared<TrackTags>();
        tags->Title = "Title " + std::to_string(file);
        tags->Artist = "Artist " + std::to_string(file % 977) + (file % 13 == 0 ? " Björk" : "");
        tags->Album = "Album " + std::to_string(file / 10);
        tags->Year = 1950 + file % 70;
        tags->Track = 1 + file % 10;
        tags->LengthMs = 1000;
        entry.Tags = std::move(tags);
        entries.push_back(std::move(entry));
    }
    list->Append(std::move(entries));
    return list;
}

PlayList& List() {
    static std::unique_ptr<PlayList> list = MillionEntries();
    return *list;
}

// Types query one letter at a time, then takes it back letter by letter, as a user who
// mistyped would; every step is a search.
void Typing(benchmark::State& state, const std::string& query) {
    EntrySearch search(List());
    search.Find("");  // the window opens: every text folded
    std::vector<std::string> steps;
    for (std::size_t n = 1; n <= query.size(); ++n)
        steps.push_back(query.substr(0, n));
    for (std::size_t n = query.size(); n-- > 0;)
        steps.push_back(query.substr(0, n));
    double slowest = 0;
    double total = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        for (const std::string& step : steps) {
            const auto start = std::chrono::steady_clock::now();
            found += search.Find(step).size();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
            total += took.count();
        }
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(steps.size()));
    state.counters["ms_per_keystroke"] =
        total / static_cast<double>(state.iterations() * steps.size());
    state.counters["slowest_ms"] = slowest;
    state.SetLabel("goal: at most 50 ms a keystroke");
}

void BM_OpenOver1000000(benchmark::State& state) {
    for (auto _ : state) {
        EntrySearch search(List());
        benchmark::DoNotOptimize(search.Find("").size());
    }
}

}  // namespace

BENCHMARK(BM_OpenOver1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Typing, ArtistAndTitle, std::string("artist 12 title 4"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Typing, AccentedWord, std::string("BJÖRK album 99"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Typing, PathWords, std::string("tagged/42/ track4217"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Typing, NothingMatches, std::string("zzz qqq"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
