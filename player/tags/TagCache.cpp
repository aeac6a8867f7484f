#include "tags/TagCache.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int SchemaVersion = 1;
constexpr int BusyWaitMs = 20;  // a lock held longer than this is another process's
constexpr int RestAfterBusyMs = 5000;

const char* const CreateSchema =
    "CREATE TABLE IF NOT EXISTS tags("
    " path BLOB PRIMARY KEY NOT NULL, size INTEGER NOT NULL, mtime INTEGER NOT NULL,"
    " seen INTEGER NOT NULL, found INTEGER NOT NULL, title TEXT, artist TEXT, album TEXT,"
    " album_artist TEXT, genre TEXT, track INTEGER, disc INTEGER, year INTEGER,"
    " length_ms INTEGER, has_cover INTEGER) WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS tags_seen ON tags(seen);";

std::int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool Corrupt(int code) {
    code &= 0xFF;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool Locked(int code) {
    code &= 0xFF;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        code_ = sqlite3_prepare_v2(db, sql, -1, &s_, nullptr);
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return code_ == SQLITE_OK && s_; }
    int Code() const { return code_; }
    sqlite3_stmt* Get() const { return s_; }

private:
    sqlite3_stmt* s_ = nullptr;
    int code_ = SQLITE_OK;
};

std::string Column(sqlite3_stmt* s, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text ? std::string(text, sqlite3_column_bytes(s, column)) : std::string();
}

void BindText(sqlite3_stmt* s, int column, const std::string& text) {
    sqlite3_bind_text(s, column, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

std::uint64_t InodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_ino) : 0;
}

}  // namespace

struct TagCache::Statements {
    explicit Statements(sqlite3* db)
        : find(db,
               "SELECT size, mtime, seen, found, title, artist, album, album_artist, genre, track,"
               " disc, year, length_ms, has_cover FROM tags WHERE path = ?"),
          store(db,
                "INSERT OR REPLACE INTO tags VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          touch(db, "UPDATE tags SET seen = ? WHERE path = ?") {}

    bool Ok() const { return find.Ok() && store.Ok() && touch.Ok(); }
    int Code() const {
        return !find.Ok() ? find.Code() : !store.Ok() ? store.Code() : touch.Code();
    }

    Statement find;
    Statement store;
    Statement touch;
};

TagCache::TagCache(std::string path, std::int64_t today) : path_(std::move(path)), today_(today) {}

TagCache::~TagCache() {
    std::lock_guard lock(mutex_);
    CloseFile();
}

std::string TagCache::DefaultFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache)
        return std::string(cache) + "/quavrel";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "") + "/.cache/quavrel";
}

bool TagCache::Open() const {
    std::lock_guard lock(mutex_);
    return db_ != nullptr;
}

void TagCache::CloseFile() {
    delete statements_;
    statements_ = nullptr;
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool TagCache::OpenFile() {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), error);
    int code = TryOpen();
    if (code == SQLITE_OK)
        return true;
    CloseFile();
    if (Corrupt(code) && !rebuilt_) {
        // Garbage, a cut file or another program's: made again, once a run.
        rebuilt_ = true;
        RemoveFiles();
        if (TryOpen() == SQLITE_OK)
            return true;
        CloseFile();
    }
    return false;
}

void TagCache::RemoveFiles() const {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        ::unlink((path_ + suffix).c_str());
}

int TagCache::TryOpen() {
    int code =
        sqlite3_open_v2(path_.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        CloseFile();
        code = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                               nullptr);
        if (code != SQLITE_OK)
            return code;
    }
    sqlite3_busy_timeout(db_, BusyWaitMs);
    inode_ = InodeOf(path_);
    // The first statements read the file's header: garbage or a cut file shows here. A
    // read-only file keeps its journal mode.
    code = sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr,
                        nullptr, nullptr);
    if (Corrupt(code) || Locked(code))
        return code;
    int version = -1;
    {
        Statement check(db_, "PRAGMA user_version");
        code = check.Code();
        if (check.Ok()) {
            code = sqlite3_step(check.Get());
            if (code == SQLITE_ROW)
                version = sqlite3_column_int(check.Get(), 0);
        }
    }
    if (version < 0)
        return code == SQLITE_OK ? SQLITE_ERROR : code;
    if (version != SchemaVersion) {
        // Another layout (or a new file): start again.
        const std::string make = "DROP TABLE IF EXISTS tags; " + std::string(CreateSchema) +
                                 "PRAGMA user_version=" + std::to_string(SchemaVersion) + ";";
        code = sqlite3_exec(db_, make.c_str(), nullptr, nullptr, nullptr);
        if (code != SQLITE_OK)
            return code;
    }
    const std::string prune =
        "DELETE FROM tags WHERE seen < " + std::to_string(today_ - MaxAgeDays) +
        "; DELETE FROM tags WHERE path IN (SELECT path FROM tags ORDER BY seen DESC LIMIT -1"
        " OFFSET " +
        std::to_string(MaxRecords) + ");";
    code = sqlite3_exec(db_, prune.c_str(), nullptr, nullptr, nullptr);
    if (Corrupt(code))
        return code;  // read-only, full or locked: pruned another time
    statements_ = new Statements(db_);
    return statements_->Ok() ? SQLITE_OK
                             : (statements_->Code() ? statements_->Code() : SQLITE_ERROR);
}

void TagCache::Failed(int code) {
    if (Corrupt(code)) {
        // Found broken while in use: made again at the next call, once a run; else off.
        CloseFile();
        if (!rebuilt_) {
            rebuilt_ = true;
            RemoveFiles();
        } else {
            off_ = true;
        }
    } else if (Locked(code)) {
        restUntilMs_ = SteadyMs() + RestAfterBusyMs;
    }
}

bool TagCache::Resting() const {
    return restUntilMs_ != 0 && SteadyMs() < restUntilMs_;
}

bool TagCache::FileReplaced() const {
    return InodeOf(path_) != inode_;
}

bool TagCache::Prepare() {
    if (off_ || Resting())
        return false;
    if (db_ && FileReplaced())
        CloseFile();  // deleted or replaced while open: the records go to a new file
    if (!db_ && !OpenFile()) {
        // An unusable folder or file is tried again a little later, not at every call.
        restUntilMs_ = SteadyMs() + RestAfterBusyMs;
        return false;
    }
    return true;
}

std::vector<TagCache::Hit> TagCache::Find(const std::vector<Key>& keys) {
    std::vector<Hit> hits(keys.size());
    std::lock_guard lock(mutex_);
    if (keys.empty() || !Prepare())
        return hits;
    sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* find = statements_->find.Get();
    std::vector<std::size_t> stale;  // found, but not seen today
    int failure = SQLITE_OK;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key& key = keys[i];
        sqlite3_reset(find);
        sqlite3_bind_blob(find, 1, key.Path.data(), static_cast<int>(key.Path.size()),
                          SQLITE_STATIC);
        const int code = sqlite3_step(find);
        if (code == SQLITE_DONE)
            continue;
        if (code != SQLITE_ROW) {
            failure = code;
            break;
        }
        if (sqlite3_column_int64(find, 0) != key.Stamp.Size ||
            sqlite3_column_int64(find, 1) != key.Stamp.ModifiedNs)
            continue;
        Hit& hit = hits[i];
        hit.Found = true;
        if (sqlite3_column_int64(find, 2) < today_)
            stale.push_back(i);
        if (sqlite3_column_int(find, 3) == 0)
            continue;
        TrackTags& tags = hit.Tags.emplace();
        tags.Title = Column(find, 4);
        tags.Artist = Column(find, 5);
        tags.Album = Column(find, 6);
        tags.AlbumArtist = Column(find, 7);
        tags.Genre = Column(find, 8);
        tags.Track = sqlite3_column_int(find, 9);
        tags.Disc = sqlite3_column_int(find, 10);
        tags.Year = sqlite3_column_int(find, 11);
        tags.LengthMs = sqlite3_column_int64(find, 12);
        tags.HasCover = sqlite3_column_int(find, 13) != 0;
    }
    sqlite3_reset(find);
    sqlite3_clear_bindings(find);
    sqlite3_stmt* touch = statements_->touch.Get();
    for (const std::size_t i : stale) {
        if (failure != SQLITE_OK)
            break;
        sqlite3_reset(touch);
        sqlite3_bind_int64(touch, 1, today_);
        sqlite3_bind_blob(touch, 2, keys[i].Path.data(), static_cast<int>(keys[i].Path.size()),
                          SQLITE_STATIC);
        const int code = sqlite3_step(touch);
        if (code != SQLITE_DONE && !Locked(code))
            failure = code;  // a full disk only costs the day's mark
        if (Locked(code))
            break;
    }
    sqlite3_reset(touch);
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (failure != SQLITE_OK) {
        if (Corrupt(failure) || Locked(failure))
            hits.assign(keys.size(), Hit{});  // what was read of a broken file is not trusted
        Failed(failure);
    }
    return hits;
}

void TagCache::Store(const std::vector<Record>& records) {
    std::lock_guard lock(mutex_);
    if (records.empty() || !Prepare())
        return;
    int code = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        Failed(code);
        return;
    }
    sqlite3_stmt* store = statements_->store.Get();
    for (const Record& record : records) {
        static const TrackTags none;
        const TrackTags& tags = record.Tags ? *record.Tags : none;
        sqlite3_reset(store);
        sqlite3_bind_blob(store, 1, record.Path.data(), static_cast<int>(record.Path.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int64(store, 2, record.Stamp.Size);
        sqlite3_bind_int64(store, 3, record.Stamp.ModifiedNs);
        sqlite3_bind_int64(store, 4, today_);
        sqlite3_bind_int(store, 5, record.Tags ? 1 : 0);
        BindText(store, 6, tags.Title);
        BindText(store, 7, tags.Artist);
        BindText(store, 8, tags.Album);
        BindText(store, 9, tags.AlbumArtist);
        BindText(store, 10, tags.Genre);
        sqlite3_bind_int(store, 11, tags.Track);
        sqlite3_bind_int(store, 12, tags.Disc);
        sqlite3_bind_int(store, 13, tags.Year);
        sqlite3_bind_int64(store, 14, tags.LengthMs);
        sqlite3_bind_int(store, 15, tags.HasCover ? 1 : 0);
        code = sqlite3_step(store);
        if (code != SQLITE_DONE)
            break;
    }
    sqlite3_reset(store);
    sqlite3_clear_bindings(store);
    if (code == SQLITE_DONE)
        code = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK && code != SQLITE_DONE) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        Failed(code);  // a full disk or a read-only file: these records are not kept
    }
}
