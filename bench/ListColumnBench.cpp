// The play list view in list style with 100,000 entries: their arrival in one notice, a
// caption changed (the longest one, which makes the column measure everything again), a
// sort, and a repaint, which measures nothing; each beside the same in small icons, which
// measures nothing at all. Offscreen; needs a Qt application.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>

#include "fakes/FakeShellInfo.h"
#include "playlist/PlayList.h"
#include "views/TFileView.h"

namespace {

constexpr int kEntries = 100000;

std::vector<PlayListEntry> Entries() {
    std::vector<PlayListEntry> entries;
    entries.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        entries.push_back(PlayListEntry{"Track " + std::to_string(i) + " of an album", "MP3 audio",
                                        "/music/" + std::to_string(i) + ".mp3", 0});
    return entries;
}

// Argument 1: list style, the column measured; 0: small icons, where nothing is measured, for
// what Qt's own work costs.
struct View {
    FakeShellInfo shell;
    PlayList list;
    TFileView view{list, shell, nullptr};
    explicit View(std::int64_t listStyle) {
        view.resize(350, 400);
        view.SetViewStyle(listStyle ? TViewStyle::vsList : TViewStyle::vsSmallIcon);
        view.show();
    }
};

void BM_ArrivalOf100000Entries(benchmark::State& state) {
    const std::vector<PlayListEntry> entries = Entries();
    for (auto _ : state) {
        state.PauseTiming();
        View shown(state.range(0));
        state.ResumeTiming();
        shown.list.Append(entries);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ArrivalOf100000Entries)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_LongestCaptionChangedAmong100000(benchmark::State& state) {
    View shown(state.range(0));
    shown.list.Append(Entries());
    QCoreApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        shown.list.SetCaption(0, std::string(20 + round++ % 40, 'W'));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LongestCaptionChangedAmong100000)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_SortOf100000(benchmark::State& state) {
    View shown(state.range(0));
    shown.list.Append(Entries());
    QCoreApplication::processEvents();
    bool forward = false;
    for (auto _ : state) {
        forward = !forward;
        shown.list.Sort(
            forward
                ? +[](const PlayListEntry& a, const PlayListEntry& b) { return a.Path < b.Path; }
                : +[](const PlayListEntry& a, const PlayListEntry& b) { return a.Path > b.Path; });
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortOf100000)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_RepaintOf100000(benchmark::State& state) {
    View shown(state.range(0));
    shown.list.Append(Entries());
    QCoreApplication::processEvents();
    for (auto _ : state)
        shown.view.CurrentView()->viewport()->repaint();
}
BENCHMARK(BM_RepaintOf100000)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
