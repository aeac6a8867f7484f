// Play list files and the shuffle on large lists: loading a list of 100,000 existing files
// through the logic's FileAdder (real shell information, the view's Qt model attached)
// as an M3U with CR LF ends (the Windows program's), with LF ends (Linux programs') and as an
// XSPF of file URIs with titles; the readers alone on the same bytes; saving 100,000 entries
// through the safe writer, and a shuffle "Next" on 100,000 entries of which one is left
// unplayed. Needs a Qt application for the view: a main() of its own.
// Goals: the LF list loads as fast as the CR LF one, the XSPF within 1.5 times of it.
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
#include "playlist/FileUri.h"
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
    std::string m3u, m3uLf, xspf;

    Fixture() {
        const auto media = dir.Path() / "media";
        std::filesystem::create_directories(media);
        std::string lines, linesLf;
        std::string tracks =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist version=\"1\" "
            "xmlns=\"http://xspf.org/ns/0/\">\n<trackList>\n";
        for (int i = 0; i < kEntries; ++i) {
            const std::string name = "track " + std::to_string(i) + (i % 2 ? ".mp3" : ".wav");
            const auto path = media / name;
            std::ofstream(path.string());
            lines += path.string() + "\r\n";
            linesLf += path.string() + "\n";
            tracks += "<track>\n<location>file://" + PercentEncode(path.string()) +
                      "</location>\n<title>Track " + std::to_string(i) + "</title>\n</track>\n";
        }
        m3u = dir.Write("big.m3u", lines);
        m3uLf = dir.Write("big-lf.m3u", linesLf);
        xspf = dir.Write("big.xspf", tracks + "</trackList>\n</playlist>\n");
    }
    const std::string& List(int form) const { return form == 0 ? m3u : form == 1 ? m3uLf : xspf; }
};

Fixture* fixture = nullptr;

// Arg: 0 the M3U with CR LF ends, 1 with LF ends, 2 the XSPF.
void BM_LoadListOf100000ExistingFiles(benchmark::State& state) {
    const std::string& file = fixture->List(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        PlayList list;
        TFileView view(list, fixture->shell, nullptr);
        const FileAdder adder(fixture->shell, [](const std::string& path) {
            return PassesFilter(path, &fixture->filterList, 1);
        });
        state.ResumeTiming();
        const auto outcome = PlayListFiles::Load(file, list, adder);
        benchmark::DoNotOptimize(outcome);
        state.counters["entries"] = list.Count();
    }
}
BENCHMARK(BM_LoadListOf100000ExistingFiles)
    ->ArgName("crlf0_lf1_xspf2")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The readers alone, bytes in and records out, on the same three lists.
void BM_ReadListOf100000(benchmark::State& state) {
    const int form = static_cast<int>(state.range(0));
    const std::string bytes = TempDir::Read(fixture->List(form));
    for (auto _ : state) {
        const auto records = PlayListFiles::Read(
            form == 2 ? PlayListFiles::Form::Xspf : PlayListFiles::Form::M3u, bytes);
        benchmark::DoNotOptimize(records.data());
        state.counters["records"] = static_cast<double>(records.size());
    }
}
BENCHMARK(BM_ReadListOf100000)
    ->ArgName("crlf0_lf1_xspf2")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

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
