// Expanding a folder of 5,000 subfolders in the directory tree: the folder and, one level
// ahead, each of its subfolders are read (5,001 folder reads), sorted and made nodes; the view
// variant adds the Qt model insertion and the tree view's layout. Goal: under 0.3 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "views/DirTree.h"
#include "views/Tdirtree.h"
#include "views/TdirtreeModel.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSubfolders = 5000;

// One root "big/" holding 5,000 subfolders, each with one folder of its own (so every child
// gets an expand button, the costlier case), made once for all runs.
const TempDir& BigFolder() {
    static const TempDir dir;
    static const bool made = [] {
        for (int i = 0; i < kSubfolders; ++i)
            fs::create_directories(dir.Path() / "big" / ("Folder " + std::to_string(i)) / "x");
        return true;
    }();
    (void)made;
    return dir;
}

DirTree::Platform Platform() {
    DirTree::Platform platform;
    platform.readRoots = [] {
        return std::vector<DriveRoot>{{BigFolder().File("big") + "/", "Big", DriveKind::Fixed}};
    };
    return platform;
}

void BM_ExpandFolderOf5000Subfolders(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        DirTree tree(Platform());
        tree.CreateWindow();
        state.ResumeTiming();
        tree.Expand(tree.TopLevel().front().get());
        benchmark::DoNotOptimize(tree.NodePaths().size());
    }
}
BENCHMARK(BM_ExpandFolderOf5000Subfolders)->Unit(benchmark::kMillisecond);

QApplication& App() {
    static int argc = 1;
    static char name[] = "TdirtreeBench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_ExpandFolderOf5000SubfoldersInTheView(benchmark::State& state) {
    App();
    for (auto _ : state) {
        state.PauseTiming();
        Tdirtree view(Platform());
        view.resize(200, 400);
        view.show();
        QCoreApplication::processEvents();
        const QModelIndex big = view.Model()->index(0, 0);
        state.ResumeTiming();
        view.expand(big);
        QCoreApplication::processEvents();  // the layout that fetches and places the rows
        benchmark::DoNotOptimize(view.Model()->rowCount(big));
    }
}
BENCHMARK(BM_ExpandFolderOf5000SubfoldersInTheView)->Unit(benchmark::kMillisecond);

}  // namespace
