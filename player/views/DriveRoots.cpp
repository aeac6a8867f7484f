#include "views/DriveRoots.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "textfile/TextEncoding.h"

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home.empty() ? "/" : home;
}

// The mount table writes a blank, tab, newline and backslash in a field as \040, \011, \012
// and \134.
std::string UnescapeOctal(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

// udev writes a blank in a label link's name as \x20, and any other unsafe byte likewise.
std::string UnescapeHex(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int hi = HexDigitValue(name[i + 2]), lo = HexDigitValue(name[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 3;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

bool Below(const std::string& path, std::string_view folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/');
}

DriveKind KindOf(const std::string& mountPoint, const std::string& type) {
    if (Below(mountPoint, "/media") || Below(mountPoint, "/run/media") || type == "iso9660" ||
        type == "udf")
        return DriveKind::Removable;
    if (type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3" || type == "fuse.sshfs")
        return DriveKind::Network;
    return DriveKind::Fixed;
}

}  // namespace

DriveRoots::DriveRoots() : DriveRoots(HomeFolder(), "/proc/self/mounts", "/dev/disk/by-label") {}

DriveRoots::DriveRoots(std::string home, std::string mountTable, std::string labelFolder)
    : home_(std::move(home)),
      mountTable_(std::move(mountTable)),
      labelFolder_(std::move(labelFolder)) {}

std::vector<DriveRoot> DriveRoots::Read() const {
    std::vector<DriveRoot> roots;
    roots.push_back({WithSlash(home_), "Home", DriveKind::Home});
    if (roots.front().Path != "/")
        roots.push_back({"/", "File System", DriveKind::FileSystem});
    std::ifstream in(mountTable_, std::ios::binary);
    if (!in)
        return roots;
    std::ostringstream text;
    text << in.rdbuf();
    for (DriveRoot& volume : Volumes(text.str())) {
        const bool known = std::any_of(roots.begin(), roots.end(),
                                       [&](const DriveRoot& r) { return r.Path == volume.Path; });
        if (!known)
            roots.push_back(std::move(volume));
    }
    return roots;
}

std::vector<DriveRoot> DriveRoots::Volumes(std::string_view mountTable) const {
    std::map<std::string, DriveRoot> byMountPoint;  // ordered by mount point
    std::size_t start = 0;
    while (start < mountTable.size()) {
        std::size_t end = mountTable.find('\n', start);
        if (end == std::string_view::npos)
            end = mountTable.size();
        std::istringstream line{std::string(mountTable.substr(start, end - start))};
        start = end + 1;
        std::string device, mountPoint, type;
        if (!(line >> device >> mountPoint >> type))
            continue;
        mountPoint = UnescapeOctal(mountPoint);
        while (mountPoint.size() > 1 && mountPoint.back() == '/')
            mountPoint.pop_back();
        if (mountPoint.empty() || mountPoint.front() != '/')
            continue;
        if (!Below(mountPoint, "/media") && !Below(mountPoint, "/run/media") &&
            !Below(mountPoint, "/mnt"))
            continue;
        DriveRoot root;
        root.Path = WithSlash(mountPoint);
        root.Kind = KindOf(mountPoint, type);
        root.Caption = Label(UnescapeOctal(device));
        if (root.Caption.empty())
            root.Caption = fs::path(mountPoint).filename().string();
        byMountPoint[mountPoint] = std::move(root);
    }
    std::vector<DriveRoot> volumes;
    for (auto& [mountPoint, root] : byMountPoint)
        volumes.push_back(std::move(root));
    return volumes;
}

std::string DriveRoots::Label(const std::string& device) const {
    if (device.empty() || device.front() != '/' || labelFolder_.empty())
        return {};
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error)
        return {};
    fs::directory_iterator it(labelFolder_, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code linkError;
        if (fs::canonical(it->path(), linkError) == target && !linkError)
            return UnescapeHex(it->path().filename().string());
    }
    return {};
}

std::string DriveRoots::HomeTrash() {
    const std::string dataHome = Env("XDG_DATA_HOME");
    if (!dataHome.empty())
        return WithSlash(dataHome) + "Trash/";
    return WithSlash(HomeFolder()) + ".local/share/Trash/";
}

std::string DriveRoots::CurrentFolder() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string() : WithSlash(current.string());
}
