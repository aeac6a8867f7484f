#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "playlist/TrackTags.h"
#include "tags/FileStamp.h"

struct sqlite3;

// The tag cache: what was read from each file, kept in one SQLite file, so a list opened again
// shows its tags without opening its files. A record is keyed by the path's bytes and holds the
// file's stamp (size, modification time) when read; a file whose stamp differs is read again.
// A file that told nothing is kept too, so it is not opened again either.
//
// The cache never fails its caller: a file that is corrupt or of another version is rebuilt;
// one that is locked by another process is passed over for a few seconds; one that cannot be
// written (read-only, full disk) is only read; one deleted while open is made again at the
// next store. No call throws, and none waits on a lock beyond a few milliseconds.
//
// Bounded: a record not looked up or stored for MaxAgeDays days is dropped when the cache is
// opened, and past MaxRecords records the oldest go first.
//
// Thread: any; calls are serialised inside (one connection). Days count from the epoch and
// come from the caller, so aging repeats in tests.
class TagCache {
public:
    static constexpr int MaxAgeDays = 120;
    static constexpr std::int64_t MaxRecords = 2'000'000;

    // One file's record: tags nullopt when the file told nothing.
    struct Record {
        std::string Path;
        FileStamp Stamp;
        std::optional<TrackTags> Tags;
    };
    struct Key {
        std::string Path;
        FileStamp Stamp;
    };
    struct Hit {
        bool Found = false;
        std::optional<TrackTags> Tags;  // when found: the record's tags
    };

    // Opens or makes the cache at path (its folder is made too); today is the day of the
    // epoch it runs on. An unusable cache leaves the object working as an empty one.
    TagCache(std::string path, std::int64_t today);
    ~TagCache();
    TagCache(const TagCache&) = delete;
    TagCache& operator=(const TagCache&) = delete;

    // The record of each key whose stamp matches, in the order given; not found otherwise.
    std::vector<Hit> Find(const std::vector<Key>& keys);
    // Stores the records in one transaction, replacing those of the same paths.
    void Store(const std::vector<Record>& records);

    // The cache file is open (it may still refuse writes).
    bool Open() const;
    const std::string& Path() const { return path_; }

    // $XDG_CACHE_HOME/quavrel, or $HOME/.cache/quavrel when it is unset or empty; not made here.
    static std::string DefaultFolder();

private:
    bool OpenFile();
    int TryOpen();  // an SQLite result code
    void CloseFile();
    void RemoveFiles() const;
    // Handles a statement's result code: a corrupt file is rebuilt, a locked one rested.
    void Failed(int code);
    bool Resting() const;
    bool Prepare();
    bool FileReplaced() const;

    std::string path_;
    std::int64_t today_;
    mutable std::mutex mutex_;
    sqlite3* db_ = nullptr;
    struct Statements;
    Statements* statements_ = nullptr;
    std::uint64_t inode_ = 0;
    std::int64_t restUntilMs_ = 0;  // steady clock: locked by another process until then
    bool rebuilt_ = false;          // rebuilt once already: a second failure turns it off
    bool off_ = false;
};
