#include "playlist/FileAdder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <set>
#include <utility>

#include "playlist/PlayList.h"
#include "services/ShellInfo.h"

// The folders entered so far in one call, by device and inode.
struct FileAdder::Walk {
    std::set<std::pair<dev_t, ino_t>> entered;
};

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string Join(const std::string& folder, const char* name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + name;
}

}  // namespace

FileAdder::FileAdder(ShellInfo& shell, FilterTest passesFilter)
    : shell_(shell), passesFilter_(std::move(passesFilter)) {}

int FileAdder::AddFile(const std::string& path, const Append& append) const {
    Walk walk;
    return Add(path, append, walk);
}

int FileAdder::AddFile(const std::string& path, PlayList& list) const {
    std::vector<PlayListEntry> batch;
    const int index = AddFile(path, [&batch](PlayListEntry entry) {
        batch.push_back(std::move(entry));
        return static_cast<int>(batch.size()) - 1;
    });
    const int first = list.Append(std::move(batch));
    return index < 0 ? -1 : first + index;
}

int FileAdder::Add(const std::string& path, const Append& append, Walk& walk) const {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return -1;  // names nothing (a dangling link included)
    if (!S_ISDIR(info.st_mode)) {
        std::optional<PlayListEntry> entry = FileEntry(path);
        return entry ? append(std::move(*entry)) : -1;
    }
    if (!walk.entered.insert({info.st_dev, info.st_ino}).second)
        return -1;  // entered already, through a link
    bool found = false;
    if (std::unique_ptr<DIR, DirCloser> dir{::opendir(path.c_str())}) {
        while (const dirent* entry = ::readdir(dir.get())) {
            const std::string_view name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            found = true;
            Add(Join(path, entry->d_name), append, walk);
        }
    }
    return found ? -1 : append(FolderEntry(path));
}

std::optional<PlayListEntry> FileAdder::FileEntry(const std::string& path) const {
    if (passesFilter_ && !passesFilter_(path))
        return std::nullopt;
    ShellInfo::Info info = shell_.FileInfo(path, false);
    return PlayListEntry{std::move(info.DisplayName), std::move(info.TypeName), path,
                         info.IconIndex};
}

PlayListEntry FileAdder::FolderEntry(const std::string& path) const {
    ShellInfo::Info info = shell_.FileInfo(path, true);
    return PlayListEntry{std::move(info.DisplayName), std::move(info.TypeName), path,
                         info.IconIndex};
}
