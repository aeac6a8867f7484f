// The background tag scan on a list of real files, without a window: the list's lines become
// entries, a scan with the real reader and a tag cache in a fresh folder reads them all (the
// cold run: every file opened), then a second scan over the same list takes them from the
// cache (the warm run). Times each from its start to the last batch applied, how soon rows
// far ahead of the scan get their tags once reported on screen, and the process's resident
// memory once the tags are in. For perf: the figures of the scan alone.
//   build/release/bench/TagScanBench LIST.m3u [THREADS]
// Make the list with bench/make-tagged-files.sh.
#include <algorithm>
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

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Scans the list to the end. With scroll, once a tenth of the list has its tags, rows near
// the end (far ahead of the scan) are reported on screen; scrollSeconds is the time until
// every one of them had its tags.
double Scan(PlayList& list, TagReader& reader, TagCache& cache, int threads, bool scroll,
            double& scrollSeconds) {
    QueuedUiPost post;
    const auto start = Clock::now();
    TagScanner scanner(list, reader, &cache, post, threads);
    const int first = std::max(0, list.Count() - 100);
    const int last = std::max(0, list.Count() - 71);
    Clock::time_point scrolled{};
    bool waiting = false;
    int tagged = 0;
    while (!scanner.Idle()) {
        post.WaitForCall();
        post.RunAll();
        if (scroll && scrolled == Clock::time_point{}) {
            tagged = 0;
            for (int i = 0; i < list.Count(); i += 97)
                tagged += list.At(i).Tags ? 1 : 0;
            if (tagged * 97 * 10 >= list.Count()) {
                scrolled = Clock::now();
                scanner.ShowRows(first, last);
                waiting = true;
            }
        }
        if (waiting) {
            bool all = true;
            for (int i = first; i <= last && all; ++i)
                all = list.At(i).Tags != nullptr;
            if (all) {
                scrollSeconds = Seconds(scrolled);
                waiting = false;
            }
        }
    }
    return Seconds(start);
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
    double scroll = -1;
    const double cold = Scan(list, reader, cache, threads, true, scroll);
    int tagged = 0;
    for (int i = 0; i < list.Count(); ++i)
        tagged += list.At(i).Tags ? 1 : 0;
    const long after = ResidentKiB();
    list.Clear();
    list.Append(entries);
    double unused = -1;
    const double warm = Scan(list, reader, cache, threads, false, unused);
    std::printf("entries %d, tagged %d, threads %d\n", list.Count(), tagged, threads);
    std::printf("cold scan (files read) %.3f s\n", cold);
    std::printf("warm scan (from the cache) %.3f s\n", warm);
    std::printf("rows near the end, reported on screen a tenth into the scan: tags in %.1f ms\n",
                scroll * 1000);
    std::printf("resident: %ld KiB with the entries, %ld KiB with their tags\n", before, after);
    return tagged == list.Count() ? 0 : 1;
}
