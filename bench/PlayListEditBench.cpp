// Editing a play list of 100,000 entries as the user sees it: the play list view shown (offscreen)
// in list style and the events run until it has laid itself out again. Each figure has a goal,
// printed as the benchmark's label:
//   select all in the view, then "Delete Selected"      under  50 ms
//   "Delete Selected" with every other entry selected   under 100 ms
//   "Sorting" > "Name" (captions in the locale's order)  under 300 ms
//   a click on the "Artist" or "Length" header (tags)    under 300 ms
//   a shuffle "Next" with one unplayed entry left         under   1 ms (PlayListFilesBench)
//   a jump to anywhere in the list and its repaint        under  16 ms, list and report styles
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QScrollBar>

#include <random>

#include "fakes/FakeMediaDevice.h"
#include "playback/PlayerState.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListEditor.h"
#include "services/QtShellInfo.h"
#include "views/CaptionOrder.h"
#include "views/ColumnOrder.h"
#include "views/TFileView.h"

namespace {

constexpr int kEntries = 100000;

struct Window {
    QtShellInfo shell{QDir::homePath().toStdString()};
    PlayList list;
    TFileView view{list, shell, nullptr};
    FakeMediaDevice device;
    PlayerState state;
    PlayListEditor editor{state, list, device};

    Window() {
        view.SetViewStyle(TViewStyle::vsList);
        view.resize(600, 400);
        view.show();
    }

    // 100,000 entries with captions in a shuffled order, shown.
    void Fill() {
        list.Clear();
        std::mt19937 random(7);
        std::vector<int> numbers(kEntries);
        for (int i = 0; i < kEntries; ++i)
            numbers[i] = i;
        std::shuffle(numbers.begin(), numbers.end(), random);
        for (int n : numbers) {
            const std::string name = "Track " + std::to_string(n) + " of the Album";
            PlayListEntry entry{name, "MP3 audio", "/home/user/Music/Artist/Album/" + name + ".mp3",
                                0};
            auto tags = std::make_shared<TrackTags>();
            tags->Artist = "Artist " + std::to_string(n % 997);
            tags->Album = "Album " + std::to_string(n % 1013);
            tags->Track = 1 + n % 12;
            tags->LengthMs = 1000 * (n % 600);
            entry.Tags = std::move(tags);
            list.Append(std::move(entry));
        }
        QCoreApplication::processEvents();
    }
};

Window* window = nullptr;

void BM_SelectAllThenDelete100000(benchmark::State& state) {
    state.SetLabel("goal < 50 ms");
    for (auto _ : state) {
        state.PauseTiming();
        window->Fill();
        state.ResumeTiming();
        window->view.CurrentView()->selectAll();
        window->editor.DeleteSelected();
        QCoreApplication::processEvents();
        if (!window->list.Empty())
            state.SkipWithError("entries left");
    }
}
BENCHMARK(BM_SelectAllThenDelete100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DeleteEveryOtherOf100000(benchmark::State& state) {
    state.SetLabel("goal < 100 ms");
    for (auto _ : state) {
        state.PauseTiming();
        window->Fill();
        // Ctrl+clicks on every other entry, made at once.
        QItemSelection every;
        const QAbstractItemModel* model = window->view.CurrentView()->model();
        for (int i = 0; i < kEntries; i += 2)
            every.select(model->index(i, 0), model->index(i, 2));
        window->view.CurrentView()->selectionModel()->select(every, QItemSelectionModel::Select);
        QCoreApplication::processEvents();
        if (window->list.SelectedCount() != kEntries / 2)
            state.SkipWithError("not selected");
        state.ResumeTiming();
        window->editor.DeleteSelected();
        QCoreApplication::processEvents();
        if (window->list.Count() != kEntries / 2)
            state.SkipWithError("wrong count left");
    }
}
BENCHMARK(BM_DeleteEveryOtherOf100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortByNameOf100000(benchmark::State& state) {
    state.SetLabel("goal < 300 ms");
    for (auto _ : state) {
        state.PauseTiming();
        window->Fill();
        window->list.Focus(kEntries / 2);
        state.ResumeTiming();
        CaptionOrder::Sort(window->list);
        QCoreApplication::processEvents();
        if (!CaptionOrder::Sorted(window->list))
            state.SkipWithError("not sorted");
    }
}
BENCHMARK(BM_SortByNameOf100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// A click on a column's header: the window's own sort, PlayIndex followed.
void BM_SortByColumnOf100000(benchmark::State& state) {
    state.SetLabel("goal < 300 ms");
    const auto column = static_cast<PlayListColumn>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        window->Fill();
        int follow = kEntries / 2;
        state.ResumeTiming();
        ColumnOrder::Sort(window->list, column, false, follow);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortByColumnOf100000)
    ->Arg(static_cast<int>(PlayListColumn::Name))
    ->Arg(static_cast<int>(PlayListColumn::Artist))
    ->Arg(static_cast<int>(PlayListColumn::Length))
    ->ArgName("column")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Jumps across the list and repaints: only the rows in sight are asked for, whatever the
// list's length (uniform sizes; a list-style layout in batches, a report without measuring).
void BM_ScrollAndRepaint100000(benchmark::State& state) {
    state.SetLabel("goal < 16 ms a jump (one frame)");
    window->view.SetViewStyle(state.range(0) ? TViewStyle::vsReport : TViewStyle::vsList);
    window->Fill();
    QAbstractItemView* view = window->view.CurrentView();
    QScrollBar* bar = state.range(0) ? view->verticalScrollBar() : view->horizontalScrollBar();
    // The batched layout done, as after a moment on screen (the range is set when it ends).
    for (int round = 0, still = 0, last = -1; round < 20000 && (last <= 0 || still < 50); ++round) {
        QCoreApplication::processEvents();
        still = bar->maximum() == last ? still + 1 : 0;
        last = bar->maximum();
    }
    std::mt19937 random(11);
    const QAbstractItemModel* model = view->model();
    std::int64_t farthest = 0;
    for (auto _ : state) {
        const int row = std::uniform_int_distribution<int>(0, model->rowCount() - 1)(random);
        view->scrollTo(model->index(row, 0), QAbstractItemView::PositionAtTop);
        view->viewport()->repaint();
        farthest = std::max<std::int64_t>(farthest, view->indexAt(QPoint(4, 4)).row());
    }
    state.counters["farthest top row"] = static_cast<double>(farthest);
    window->view.SetViewStyle(TViewStyle::vsList);
}
BENCHMARK(BM_ScrollAndRepaint100000)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("report")
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Window made;
    window = &made;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
