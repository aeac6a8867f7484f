#include "tags/TagCache.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempDir.h"

namespace {

constexpr std::int64_t Today = 20000;

class TagCacheTest : public ::testing::Test {
protected:
    static TagCache::Record Record(const std::string& path, std::int64_t size,
                                   const std::string& title) {
        TrackTags tags;
        tags.Title = title;
        tags.Artist = "Artist " + title;
        tags.Album = "Album";
        tags.AlbumArtist = "Various";
        tags.Genre = "Jazz";
        tags.Track = 7;
        tags.Disc = 2;
        tags.Year = 1999;
        tags.LengthMs = 123456;
        tags.HasCover = true;
        return {path, FileStamp{size, 1000000007}, tags};
    }
    static std::vector<TagCache::Record> Records(int count) {
        std::vector<TagCache::Record> records;
        for (int i = 0; i < count; ++i)
            records.push_back(Record("/music/" + std::to_string(i) + ".mp3", 100 + i,
                                     "Song " + std::to_string(i)));
        return records;
    }
    static std::vector<TagCache::Key> Keys(const std::vector<TagCache::Record>& records) {
        std::vector<TagCache::Key> keys;
        for (const TagCache::Record& record : records)
            keys.push_back({record.Path, record.Stamp});
        return keys;
    }
    // How many of the records the cache gives back whole.
    static int Found(TagCache& cache, const std::vector<TagCache::Record>& records) {
        const std::vector<TagCache::Hit> hits = cache.Find(Keys(records));
        int found = 0;
        for (std::size_t i = 0; i < hits.size(); ++i) {
            if (hits[i].Found && hits[i].Tags == records[i].Tags)
                ++found;
        }
        return found;
    }

    TempDir dir_;
    std::string path_ = dir_.File("cache/quavrel/tags.sqlite");
};

TEST_F(TagCacheTest, FindsWhatWasStoredUnderTheSamePathAndStamp) {
    TagCache cache(path_, Today);
    const std::vector<TagCache::Record> records = Records(300);
    cache.Store(records);
    EXPECT_EQ(Found(cache, records), 300);
    EXPECT_TRUE(cache.Open());
    // Another size or modification time: the file changed, the record does not count.
    std::vector<TagCache::Key> changed = {
        {records[3].Path, {records[3].Stamp.Size + 1, 1000000007}},
        {records[4].Path, {records[4].Stamp.Size, 5}},
        {"/music/unknown.mp3", records[5].Stamp}};
    for (const TagCache::Hit& hit : cache.Find(changed))
        EXPECT_FALSE(hit.Found);
    // Paths are bytes, in whatever encoding the file system has; a file that told nothing is
    // kept as such; a new read replaces the old record.
    const TagCache::Record latin1 = Record("/music/Bj\xF6rk.mp3", 1, "J\xC3\xB3ga");
    const TagCache::Record nothing{"/music/bare.mp3", {9, 9}, std::nullopt};
    const TagCache::Record replaced = Record(records[0].Path, 100, "Again");
    cache.Store({latin1, nothing, replaced});
    const std::vector<TagCache::Hit> hits = cache.Find({{latin1.Path, latin1.Stamp},
                                                        {nothing.Path, nothing.Stamp},
                                                        {replaced.Path, replaced.Stamp},
                                                        {"/music/Bj\xC3\xB6rk.mp3", latin1.Stamp}});
    EXPECT_TRUE(hits[0].Found && hits[0].Tags == latin1.Tags);
    EXPECT_TRUE(hits[1].Found && !hits[1].Tags);
    EXPECT_TRUE(hits[2].Found && hits[2].Tags->Title == "Again");
    EXPECT_FALSE(hits[3].Found);
}

TEST_F(TagCacheTest, KeepsItsRecordsAcrossRunsAndDropsThoseNotSeenForLong) {
    const std::vector<TagCache::Record> records = Records(20);
    {
        TagCache cache(path_, Today);
        cache.Store(records);
    }
    {
        // Seen again within the limit: kept, and marked as seen that day.
        TagCache cache(path_, Today + TagCache::MaxAgeDays);
        EXPECT_EQ(Found(cache, {records.begin(), records.begin() + 10}), 10);
    }
    TagCache cache(path_, Today + TagCache::MaxAgeDays + 1);
    EXPECT_EQ(Found(cache, {records.begin(), records.begin() + 10}), 10);
    EXPECT_EQ(Found(cache, {records.begin() + 10, records.end()}), 0);
}

// Writes bytes over the cache file (and drops its companions), as another program might.
void Spoil(const std::string& path, const std::string& bytes) {
    for (const char* suffix : {"-wal", "-shm"})
        std::filesystem::remove(path + suffix);
    TempDir::Read(path);
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TEST_F(TagCacheTest, ACorruptFileIsRebuilt) {
    const std::vector<TagCache::Record> records = Records(2000);
    {
        TagCache cache(path_, Today);
        cache.Store(records);
    }
    const std::string whole = TempDir::Read(path_);
    ASSERT_GT(whole.size(), 8192u);
    for (const std::string& spoilt :
         {whole.substr(0, whole.size() / 3), whole.substr(0, 100), std::string(5000, 'x'),
          "SQLite format 3" + std::string(2000, '\xff'), std::string()}) {
        Spoil(path_, spoilt);
        TagCache cache(path_, Today);
        // What a broken file still gives may be little or nothing, never wrong tags...
        const std::vector<TagCache::Hit> hits = cache.Find(Keys(records));
        for (std::size_t i = 0; i < hits.size(); ++i) {
            if (hits[i].Found)
                EXPECT_EQ(hits[i].Tags, records[i].Tags);
        }
        // ...and the cache works again afterwards.
        cache.Store({records.begin(), records.begin() + 5});
        EXPECT_EQ(Found(cache, {records.begin(), records.begin() + 5}), 5);
    }
}

TEST_F(TagCacheTest, AFileDeletedWhileOpenIsMadeAgain) {
    TagCache cache(path_, Today);
    const std::vector<TagCache::Record> records = Records(10);
    cache.Store({records.begin(), records.begin() + 5});
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path_ + suffix);
    cache.Store({records.begin() + 5, records.end()});
    EXPECT_TRUE(std::filesystem::exists(path_));
    EXPECT_EQ(Found(cache, {records.begin() + 5, records.end()}), 5);
    TagCache later(path_, Today);
    EXPECT_EQ(Found(later, {records.begin() + 5, records.end()}), 5);
}

TEST_F(TagCacheTest, AFolderThatTakesNoFileLeavesAnEmptyCache) {
    dir_.Write("cache", "a file where the folder would be");
    TagCache cache(path_, Today);
    const std::vector<TagCache::Record> records = Records(3);
    cache.Store(records);
    EXPECT_EQ(Found(cache, records), 0);
    EXPECT_FALSE(cache.Open());
}

TEST_F(TagCacheTest, ACacheHeldByAnotherProcessIsPassedOver) {
    const std::vector<TagCache::Record> records = Records(10);
    {
        TagCache cache(path_, Today);
        cache.Store({records.begin(), records.begin() + 5});
    }
    // A second process takes the write lock and keeps it until told to let go.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        const int code =
            sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; DELETE FROM tags;",
                         nullptr, nullptr, nullptr);
        const char answer = code == SQLITE_OK ? 'y' : 'n';
        (void)!::write(ready[1], &answer, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1);
        sqlite3_close(db);
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    {
        TagCache cache(path_, Today);
        cache.Store({records.begin() + 5, records.end()});
        EXPECT_EQ(Found(cache, records), 0);  // nothing blocks, nothing is found
    }
    (void)!::write(release[1], "x", 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    // Let go: the other process's change never committed, and the cache works again.
    TagCache cache(path_, Today);
    EXPECT_EQ(Found(cache, {records.begin(), records.begin() + 5}), 5);
    cache.Store({records.begin() + 5, records.end()});
    EXPECT_EQ(Found(cache, records), 10);
}

}  // namespace
