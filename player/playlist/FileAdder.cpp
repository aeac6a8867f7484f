#include "playlist/FileAdder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <utility>

#include "media/StreamText.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListFiles.h"
#include "services/ShellInfo.h"

// One call's walk: the folders entered so far, by device and inode; the devices never
// entered; the hook and its count.
struct FileAdder::Walk {
    std::set<std::pair<dev_t, ino_t>> entered;
    std::set<dev_t> excluded;
    bool mountsRead = false;  // excluded is read when the walk first meets a folder
    const Progress* progress = nullptr;
    int added = 0;
    bool cancelled = false;

    // Counts an entry made, or looks at one entry; false once cancelled.
    bool Step() {
        if (!cancelled && progress && *progress && !(*progress)(added))
            cancelled = true;
        return !cancelled;
    }
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

bool ExcludedType(std::string_view type) {
    for (std::string_view kernel :
         {"proc", "sysfs", "devtmpfs", "cgroup", "cgroup2", "debugfs", "tracefs", "autofs"}) {
        if (type == kernel)
            return true;
    }
    return false;
}

std::string ReadWhole(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    return text.str();
}

}  // namespace

FileAdder::FileAdder(ShellInfo& shell, FilterTest passesFilter)
    : shell_(shell), passesFilter_(std::move(passesFilter)) {}

std::set<dev_t> FileAdder::ExcludedDevices(std::string_view mountInfo) {
    std::set<dev_t> devices;
    std::istringstream lines{std::string(mountInfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, field;
        if (!(fields >> id >> parent >> device))
            continue;
        // Optional fields end at a lone "-"; the file system type follows.
        while (fields >> field && field != "-") {
        }
        std::string type;
        if (field != "-" || !(fields >> type) || !ExcludedType(type))
            continue;
        unsigned major = 0, minor = 0;
        char colon = 0;
        std::istringstream numbers(device);
        if (numbers >> major >> colon >> minor && colon == ':')
            devices.insert(makedev(major, minor));
    }
    return devices;
}

int FileAdder::AddFile(const std::string& path, const Append& append,
                       const Progress& progress) const {
    Walk walk;
    walk.progress = &progress;
    const Append counted = [&](PlayListEntry entry) {
        ++walk.added;
        return append(std::move(entry));
    };
    const int index = Add(path, counted, walk);
    return walk.cancelled ? -1 : index;
}

int FileAdder::AddFile(const std::string& path, PlayList& list, const Progress& progress) const {
    std::vector<PlayListEntry> batch;
    const int index = AddFile(
        path,
        [&batch](PlayListEntry entry) {
            batch.push_back(std::move(entry));
            return static_cast<int>(batch.size()) - 1;
        },
        progress);
    const int first = list.Append(std::move(batch));
    return index < 0 ? -1 : first + index;
}

int FileAdder::Add(const std::string& path, const Append& append, Walk& walk) const {
    // An internet stream names nothing on disk; the type filter is for files' extensions.
    if (StreamText::IsStreamAddress(path))
        return append(StreamEntry(path));
    struct stat info {};
    // A NUL byte ends the name the system sees: such a text names nothing, not its prefix.
    if (path.empty() || path.find('\0') != std::string::npos || StatPath(path, info) != 0)
        return -1;  // names nothing (a dangling link included)
    if (!S_ISDIR(info.st_mode)) {
        // A FIFO, terminal or socket would hold whoever opens it; a device has no end.
        if (!S_ISREG(info.st_mode))
            return -1;
        std::optional<PlayListEntry> entry = FileEntry(path);
        return entry ? append(std::move(*entry)) : -1;
    }
    if (!walk.mountsRead) {
        walk.mountsRead = true;
        if (!mountInfoFile_.empty())
            walk.excluded = ExcludedDevices(ReadWhole(mountInfoFile_));
    }
    if (walk.excluded.contains(info.st_dev))
        return -1;  // the kernel's own folders, an automount point
    if (!walk.entered.insert({info.st_dev, info.st_ino}).second)
        return -1;  // entered already, through a link
    return AddFolder(path, append, walk);
}

FileAdder::Session::Session(const FileAdder& adder) : adder_(adder) {
    adder_.session_ = true;
}

FileAdder::Session::~Session() {
    if (adder_.sessionFd_ >= 0)
        ::close(adder_.sessionFd_);
    adder_.sessionFd_ = -1;
    adder_.sessionFolder_.clear();
    adder_.session_ = false;
}

int FileAdder::StatPath(const std::string& path, struct stat& info) const {
    const std::size_t slash = path.rfind('/');
    if (!session_ || slash == std::string::npos || slash + 1 >= path.size())
        return ::stat(path.c_str(), &info);
    const std::string_view name = std::string_view(path).substr(slash + 1);
    if (name == "." || name == "..")
        return ::stat(path.c_str(), &info);
    const std::string_view folder = std::string_view(path).substr(0, slash == 0 ? 1 : slash);
    if (folder != sessionFolder_ || sessionFd_ < 0) {
        if (sessionFd_ >= 0)
            ::close(sessionFd_);
        sessionFolder_.assign(folder);
        sessionFd_ = ::open(sessionFolder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (sessionFd_ < 0)
            return ::stat(path.c_str(), &info);
    }
    return ::fstatat(sessionFd_, path.c_str() + slash + 1, &info, 0);
}

int FileAdder::AddFolder(const std::string& path, const Append& append, Walk& walk) const {
    bool found = false;
    if (std::unique_ptr<DIR, DirCloser> dir{::opendir(path.c_str())}) {
        while (const dirent* entry = ::readdir(dir.get())) {
            const std::string_view name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            found = true;
            const std::string child = Join(path, entry->d_name);
            if (entry->d_type == DT_REG) {
                // Known to be a regular file without a look of its own.
                if (std::optional<PlayListEntry> file = FileEntry(child))
                    append(std::move(*file));
            } else if (entry->d_type == DT_DIR) {
                Add(child, append, walk);
            } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                struct stat info {};
                if (::stat(child.c_str(), &info) == 0 &&
                    (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)))
                    Add(child, append, walk);
            }
            // Devices, pipes and sockets are never added.
            if (!walk.Step())
                return -1;
        }
    }
    return found ? -1 : append(FolderEntry(path));
}

PlayListEntry FileAdder::StreamEntry(const std::string& address) {
    PlayListEntry entry;
    entry.Caption = address;
    entry.TypeName = StreamTypeName;
    entry.Path = address;
    return entry;
}

std::optional<PlayListEntry> FileAdder::FileEntry(const std::string& path) const {
    if (passesFilter_ && !passesFilter_(path))
        return std::nullopt;
    // A play list is read as a list, never played as media: a list naming itself would
    // otherwise be opened by the media device again and again.
    if (PlayListFiles::IsPlayListFile(path))
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
