// AddFile of a folder tree into the play list, and the explorer list's Rescan of one large
// folder, with the real shell information service (QMimeDatabase by name, theme icons).
// The trees are made once in a temporary folder; the first iteration warms the caches.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

#include <filesystem>
#include <fstream>

#include "filter/FileTypeFilter.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayList.h"
#include "services/QtShellInfo.h"
#include "support/TempDir.h"
#include "views/FileListing.h"
#include "views/TFileView.h"

namespace {

const char* const kExtensions[] = {".mp3", ".wav", ".txt", ".mid", ".jpg"};

void MakeFiles(const std::filesystem::path& folder, int count, int offset) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i)
        std::ofstream(folder / ("track" + std::to_string(offset + i) + kExtensions[i % 5]));
}

struct Fixture {
    TempDir dir;
    QtShellInfo shell{QDir::homePath().toStdString()};
    std::vector<std::string> filterList = DefaultFilterList();
    FileAdder::FilterTest filter = [this](const std::string& path) {
        return PassesFilter(path, &filterList, 1);
    };

    Fixture() {
        // 10,000 files in 100 folders of 100, two levels deep.
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b)
                MakeFiles(dir.Path() / "tree" / ("album" + std::to_string(a)) /
                              ("disc" + std::to_string(b)),
                          100, (a * 10 + b) * 100);
        MakeFiles(dir.Path() / "flat", 20000, 0);
    }
};

Fixture* fixture = nullptr;

void BM_AddFileTreeOf10000Files(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        PlayList list;
        state.ResumeTiming();
        FileAdder adder(fixture->shell, state.range(0) ? fixture->filter : nullptr);
        adder.AddFile((fixture->dir.Path() / "tree").string(),
                      [&](PlayListEntry entry) { return list.Append(std::move(entry)); });
        benchmark::DoNotOptimize(list.Count());
        state.counters["entries"] = list.Count();
    }
}
BENCHMARK(BM_AddFileTreeOf10000Files)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("filtered")
    ->Unit(benchmark::kMillisecond);

// The same through the play list view as the main window has it: every entry reaches the view.
void BM_AddFileTreeOf10000FilesIntoTheView(benchmark::State& state) {
    PlayList list;
    TFileView view(list, fixture->shell, fixture->filter);
    view.SetViewStyle(state.range(0) ? TViewStyle::vsReport : TViewStyle::vsList);
    view.resize(600, 400);
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        list.Clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view.AddFile((fixture->dir.Path() / "tree").string());
        QCoreApplication::processEvents();  // the view lays the new rows out
        state.counters["entries"] = list.Count();
    }
}
BENCHMARK(BM_AddFileTreeOf10000FilesIntoTheView)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("report")
    ->Unit(benchmark::kMillisecond);

void BM_RescanFolderOf20000Files(benchmark::State& state) {
    FileListing listing(fixture->shell, state.range(0) ? fixture->filter : nullptr);
    listing.SetDisplayDirectory(false);
    for (auto _ : state) {
        listing.SetDirectory((fixture->dir.Path() / "flat").string());
        state.counters["entries"] = listing.Count();
    }
}
BENCHMARK(BM_RescanFolderOf20000Files)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("filtered")
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fixture made;
    fixture = &made;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
