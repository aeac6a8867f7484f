// The background tag scan on a list of real files, without a window: the list's lines become
// entries, a scan with the real reader and a tag cache in a fresh folder reads them all (the
// cold run: every file opened), then a second scan over the same list takes them from the
// cache (the warm run). Times each from its start to the last batch applied, and the
// process's resident memory once the tags are in. For perf: the figures of the scan alone.
//   build/release/bench/TagScanBench LIST.m3u [THREADS]
// Make the list with bench/make-tagged-files.sh.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "fakes/QueuedUiPost.h"
#include "playlist/PlayList.h"
#include "support/TempDir.h"
#include "tags/TagCache.h"
#include "tags/TagLibReader.h"
#include "tags/TagScanner.h"

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

double Scan(PlayList& list, TagReader& reader, TagCache& cache, int threads) {
    QueuedUiPost post;
    const auto start = std::chrono::steady_clock::now();
    TagScanner scanner(list, reader, &cache, post, threads);
    while (!scanner.Idle()) {
        post.WaitForCall();
        post.RunAll();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LIST.m3u [THREADS]\n", argv[0]);
        return 2;
    }
    const int threads = argc > 2 ? std::stoi(argv[2]) : 2;
    std::ifstream in(argv[1]);
    std::vector<PlayListEntry> entries;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#')
            entries.push_back(PlayListEntry{line.substr(line.rfind('/') + 1), "", line, 0});
    }
    const long before = ResidentKiB();
    TempDir cacheDir;
    TagLibReader reader;
    TagCache cache(cacheDir.File("quavrel/tags.sqlite"), 20000);
    PlayList list;
    list.Append(entries);
    const double cold = Scan(list, reader, cache, threads);
    int tagged = 0;
    for (int i = 0; i < list.Count(); ++i)
        tagged += list.At(i).Tags ? 1 : 0;
    const long after = ResidentKiB();
    list.Clear();
    list.Append(entries);
    const double warm = Scan(list, reader, cache, threads);
    std::printf("entries %d, tagged %d, threads %d\n", list.Count(), tagged, threads);
    std::printf("cold scan (files read) %.3f s\n", cold);
    std::printf("warm scan (from the cache) %.3f s\n", warm);
    std::printf("resident: %ld KiB with the entries, %ld KiB with their tags\n", before, after);
    return tagged == list.Count() ? 0 : 1;
}
