// Play list files and the shuffle on large lists: loading an M3U of 100,000 existing files
// through the logic's FileAdder (real shell information, the view's Qt model attached),
// saving 100,000 entries through the safe writer, and a shuffle "Next" on 100,000 entries of
// which one is left unplayed. Needs a Qt application for the view: a main() of its own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

#include <filesystem>
#include <fstream>

#include "fakes/FakeClock.h"
#include "fakes/FakeMediaDevice.h"
#include "filter/FileTypeFilter.h"
#include "playback/PlaybackDisplay.h"
#include "playback/PlayerState.h"
#include "playback/Sequencer.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListFiles.h"
#include "services/QtShellInfo.h"
#include "support/TempDir.h"
#include "views/TFileView.h"

namespace {

constexpr int kEntries = 100000;

struct Fixture {
    TempDir dir;
    QtShellInfo shell{QDir::homePath().toStdString()};
    std::vector<std::string> filterList = DefaultFilterList();
    std::string m3u;

    Fixture() {
        const auto media = dir.Path() / "media";
        std::filesystem::create_directories(media);
        std::string lines;
        for (int i = 0; i < kEntries; ++i) {
            const auto path = media / ("track" + std::to_string(i) + (i % 2 ? ".mp3" : ".wav"));
            std::ofstream(path.string());
            lines += path.string() + "\r\n";
        }
        m3u = dir.Write("big.m3u", lines);
    }
};

Fixture* fixture = nullptr;

void BM_LoadM3uOf100000ExistingFiles(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        PlayList list;
        TFileView view(list, fixture->shell, nullptr);
        const FileAdder adder(fixture->shell, [](const std::string& path) {
            return PassesFilter(path, &fixture->filterList, 1);
        });
        state.ResumeTiming();
        const auto outcome = PlayListFiles::Load(fixture->m3u, list, adder);
        benchmark::DoNotOptimize(outcome);
        state.counters["entries"] = list.Count();
    }
}
BENCHMARK(BM_LoadM3uOf100000ExistingFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Save100000Entries(benchmark::State& state) {
    PlayList list;
    for (int i = 0; i < kEntries; ++i)
        list.Append(PlayListEntry{
            "Track " + std::to_string(i), "MP3 audio",
            "/home/user/Music/Some Artist/Some Album/track" + std::to_string(i) + ".mp3", 0});
    const std::string file = fixture->dir.File("saved.qpl");
    for (auto _ : state)
        PlayListFiles::Save(file, static_cast<int>(state.range(0)), list, false);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(BM_Save100000Entries)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

class NullDisplay final : public PlaybackDisplay {
public:
    void SetCaption(const std::string&) override {}
    void SetToolTip(const std::string&) override {}
    void SetTrackBarMax(std::int64_t) override {}
    void SetTrackBarPosition(std::int64_t) override {}
    std::int64_t TrackBarPosition() const override { return 0; }
    std::string LcdCaption() const override { return {}; }
    void SetLcdCaption(const std::string&) override {}
    bool PreviewLengthEnabled() const override { return false; }
    std::string PreviewLength() const override { return "5"; }
    void SetPreviewLength(const std::string&) override {}
};

// The view is attached, so a repaint or notice per rejected draw would show in the figure.
void BM_ShuffleNextWithOneUnplayedOf100000(benchmark::State& state) {
    PlayList list;
    FakeMediaDevice device;
    for (int i = 0; i < kEntries; ++i) {
        const std::string path = "/m/" + std::to_string(i) + ".wav";
        list.Append(PlayListEntry{std::to_string(i), "", path, 0});
    }
    TFileView view(list, fixture->shell, nullptr);
    NullDisplay display;
    FakeClock clock;
    PlayerState shared;
    shared.ShuffleOn = 1;
    shared.LoopOn = 0;
    Sequencer sequencer(shared, list, device, display, clock);
    std::uint32_t now = 1000;
    std::int64_t draws = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.DeselectAll();
        const int unplayed = static_cast<int>((now * 7919u) % kEntries);
        list.Select(unplayed);
        device.AddFile(list.At(unplayed).Path, 1000);
        clock.Set(now += 977);
        state.ResumeTiming();
        sequencer.NextSClick();
        benchmark::DoNotOptimize(shared.PlayIndex);
        draws += shared.PlayIndex == unplayed;
    }
    state.counters["found"] = static_cast<double>(draws);
}
BENCHMARK(BM_ShuffleNextWithOneUnplayedOf100000)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture made;
    fixture = &made;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
