#include "tags/TagScanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/FakeTagReader.h"
#include "fakes/QueuedUiPost.h"
#include "support/TempDir.h"
#include "tags/TagCache.h"

namespace {

// Counts the tag notices, to see that results come in batches.
class TagNotices final : public PlayListObserver {
public:
    void EntriesInserted(int, int) override {}
    void EntriesRemoved(int, int) override {}
    void EntryMoved(int, int) override {}
    void EntriesChanged(int, int) override {}
    void TagsChanged(int, int) override { ++count; }
    void FocusChanged(int, int) override {}
    void Reset() override {}

    int count = 0;
};

class TagScannerTest : public ::testing::Test {
protected:
    // Files 0000.mp3 ... on disk, each told by the reader with its number as title and track.
    std::vector<PlayListEntry> Files(int count, int from = 0) {
        std::vector<PlayListEntry> entries;
        for (int i = from; i < from + count; ++i) {
            const std::string name = Name(i);
            const std::string path = dir_.Write(name + ".mp3", name);
            TrackTags tags;
            tags.Title = name;
            tags.Track = i;
            tags.LengthMs = 1000 + i;
            reader_.Add(path, tags);
            entries.push_back(PlayListEntry{name, "MP3 audio", path, 0});
        }
        return entries;
    }
    static std::string Name(int i) {
        std::string name = std::to_string(i);
        return std::string(4 - std::min<std::size_t>(4, name.size()), '0') + name;
    }
    // A scan that keeps Depth jobs queued, so a few hundred files make a list longer than
    // the queue (files are slow to make on a busy disk).
    static constexpr int Depth = 64;
    std::unique_ptr<TagScanner> Start(int threads = 2, TagCache* cache = nullptr) {
        return std::make_unique<TagScanner>(list_, reader_, cache, post_, threads, Depth);
    }
    // Runs posted batches until the scan has nothing left to do.
    void Finish(TagScanner& scanner) {
        post_.RunAll();
        while (!scanner.Idle()) {
            ASSERT_TRUE(post_.WaitForCall()) << "the scan stalled";
            post_.RunAll();
        }
    }
    // Every entry carries the tags of its own file, or none where its file told nothing.
    void ExpectTagsOnTheirEntries() {
        for (int i = 0; i < list_.Count(); ++i) {
            const PlayListEntry& entry = list_.At(i);
            SCOPED_TRACE(entry.Path);
            ASSERT_TRUE(entry.Tags);
            EXPECT_EQ(entry.Tags->Title, entry.Caption);
        }
        EXPECT_TRUE(list_.IsConsistent());
    }
    // The position of a row's path among the reads, or the read count when never read.
    std::size_t ReadAt(int row) const {
        const std::vector<std::string> reads = reader_.Reads();
        return std::find(reads.begin(), reads.end(), list_.At(row).Path) - reads.begin();
    }

    TempDir dir_;
    FakeTagReader reader_;
    QueuedUiPost post_;
    PlayList list_;
};

TEST_F(TagScannerTest, ReadsEveryEntryOnceAndTellsTheListInBatches) {
    list_.Append(Files(600));
    TagNotices notices;
    list_.AddObserver(&notices);
    auto scanner = Start();
    Finish(*scanner);
    ExpectTagsOnTheirEntries();
    EXPECT_EQ(list_.At(234).Tags->Track, 234);
    EXPECT_EQ(list_.At(234).Tags->LengthMs, 1234);
    EXPECT_EQ(reader_.Reads().size(), 600u);
    // A batch per queue-full at most, or per 16 files when both workers drain it together.
    EXPECT_LE(notices.count, 600 / 8);
    // Entries added later are read as they come.
    list_.Append(Files(10, 5000));
    Finish(*scanner);
    ExpectTagsOnTheirEntries();
    EXPECT_EQ(reader_.Reads().size(), 610u);
    list_.RemoveObserver(&notices);
}

TEST_F(TagScannerTest, ReadsTheRowsOnScreenFirst) {
    list_.Append(Files(300));
    reader_.ShutGate();
    auto scanner = Start(1);
    reader_.WaitForReads(1);      // the worker holds its first chunk, in list order
    scanner->ShowRows(250, 279);  // far past the queue's end
    scanner->ShowRows(50, 59);    // queued already, behind 34 others
    reader_.OpenGate();
    Finish(*scanner);
    ExpectTagsOnTheirEntries();
    const std::size_t chunk = ScanWorkers::ChunkSize;
    for (int row = 50; row <= 59; ++row)
        EXPECT_LT(ReadAt(row), chunk + 10) << row;
    // The rows scrolled past are still read soon after: they were queued as urgent, and the
    // scroll does not send them back.
    for (int row = 250; row <= 279; ++row)
        EXPECT_LT(ReadAt(row), chunk + 40) << row;
    EXPECT_GT(ReadAt(200), chunk + 40u);
}

TEST_F(TagScannerTest, ReadsNothingOfRemovedOrClearedEntries) {
    list_.Append(Files(300));
    reader_.ShutGate();
    auto scanner = Start(1);
    reader_.WaitForReads(1);
    list_.SetSelectedRange(30, 269, true);  // queued ones among them
    list_.DeleteSelected();
    reader_.OpenGate();
    Finish(*scanner);
    ExpectTagsOnTheirEntries();
    EXPECT_EQ(list_.Count(), 60);
    EXPECT_EQ(reader_.Reads().size(), 60u);

    reader_.ShutGate();
    list_.Append(Files(200, 300));
    reader_.WaitForReads(61);
    list_.Clear();
    reader_.OpenGate();
    Finish(*scanner);
    EXPECT_LE(reader_.Reads().size(), 60 + ScanWorkers::ChunkSize);
}

TEST_F(TagScannerTest, EditsDuringTheScanKeepEachResultOnItsEntry) {
    list_.Append(Files(300));
    reader_.ShutGate();
    auto scanner = Start(2);
    reader_.WaitForReads(2);
    list_.Move(0, 250);
    list_.Move(200, 3);
    list_.Delete(5);
    list_.Append(Files(5, 1000));
    list_.SetSelectedRange(10, 20, true);
    list_.Select(70);
    list_.DeleteSelected();
    reader_.OpenGate();
    // Half the batches land, then the list is re-sorted while the rest are under way.
    ASSERT_TRUE(post_.WaitForCall());
    post_.RunAll();
    list_.SortBy([this](int a, int b) { return list_.At(a).Caption > list_.At(b).Caption; });
    list_.Move(0, list_.Count() - 1);
    Finish(*scanner);
    ExpectTagsOnTheirEntries();
    EXPECT_EQ(list_.Count(), 300 - 1 - 12 + 5);
}

TEST_F(TagScannerTest, AFileWithoutTagsCostsNothingAndIsReadOnce) {
    list_.Append(Files(3));
    const std::string bare = dir_.Write("bare.mp3", "no tags");  // the reader knows nothing
    list_.Append(PlayListEntry{"bare", "", bare, 0});
    list_.Append(PlayListEntry{"gone", "", dir_.File("gone.mp3"), 0});
    list_.Append(PlayListEntry{"folder", "", dir_.Path().string(), 0});
    auto scanner = Start();
    Finish(*scanner);
    EXPECT_EQ(list_.Count(), 6);
    EXPECT_TRUE(list_.At(2).Tags);
    EXPECT_FALSE(list_.At(3).Tags);
    EXPECT_FALSE(list_.At(4).Tags);
    EXPECT_FALSE(list_.At(5).Tags);
    list_.Append(Files(1, 10));
    Finish(*scanner);
    const std::vector<std::string> reads = reader_.Reads();
    EXPECT_EQ(std::count(reads.begin(), reads.end(), bare), 1);
    EXPECT_EQ(std::count(reads.begin(), reads.end(), dir_.File("gone.mp3")), 0);  // no stamp
}

TEST_F(TagScannerTest, KeepsALengthTheDeviceToldWhenTheFileTellsNone) {
    list_.Append(Files(2));
    // The first entry played before the scan began: the device told its length.
    TrackTags played;
    played.LengthMs = 61000;
    list_.SetTags({{0, std::make_shared<TrackTags>(played)}});
    TrackTags lengthless;
    lengthless.Title = "0000";
    reader_.Add(list_.At(0).Path, lengthless);
    auto scanner = Start();
    Finish(*scanner);
    ASSERT_TRUE(list_.At(0).Tags);
    EXPECT_EQ(list_.At(0).Tags->Title, "0000");
    EXPECT_EQ(list_.At(0).Tags->LengthMs, 61000);
    EXPECT_EQ(reader_.Reads().size(), 2u);
    // Read entries are not read again at a reset (a sort); an entry whose tags went is.
    list_.SortBy([](int a, int b) { return a > b; });
    Finish(*scanner);
    EXPECT_EQ(reader_.Reads().size(), 2u);
    list_.SetTags({{0, nullptr}});
    list_.SortBy([](int a, int b) { return a < b; });
    Finish(*scanner);
    EXPECT_EQ(reader_.Reads().size(), 3u);
    ExpectTagsOnTheirEntries();
}

TEST_F(TagScannerTest, ResultsArrivingAfterTheScannerWentAreDropped) {
    list_.Append(Files(50));
    auto scanner = Start();
    ASSERT_TRUE(post_.WaitForCall());
    scanner.reset();
    post_.RunAll();
    for (int i = 0; i < list_.Count(); ++i)
        EXPECT_FALSE(list_.At(i).Tags);
}

TEST_F(TagScannerTest, AListOpenedAgainTakesItsTagsFromTheCache) {
    TempDir cacheDir;
    TagCache cache(cacheDir.File("quavrel/tags.sqlite"), 20000);
    list_.Append(Files(200));
    {
        auto scanner = Start(2, &cache);
        Finish(*scanner);
    }
    ExpectTagsOnTheirEntries();
    EXPECT_EQ(reader_.Reads().size(), 200u);
    std::vector<PlayListEntry> again;
    for (int i = 0; i < list_.Count(); ++i)
        again.push_back(PlayListEntry{list_.At(i).Caption, "", list_.At(i).Path, 0});
    list_.Clear();
    // One file changed meanwhile: it alone is read again.
    dir_.Write("0007.mp3", "a longer file than before");
    list_.Append(again);
    auto scanner = Start(2, &cache);
    Finish(*scanner);
    ExpectTagsOnTheirEntries();
    ASSERT_EQ(reader_.Reads().size(), 201u);
    EXPECT_EQ(reader_.Reads().back(), list_.At(7).Path);
}

}  // namespace
