#include "tags/CoverArt.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "services/UiPost.h"
#include "tags/TagReader.h"
#include "textfile/AsciiCase.h"
#include "textfile/SaveFile.h"

struct CoverArt::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::string> paths;
    bool stopping = false;
    bool alive = true;  // cleared by the destructor on the user-interface thread
};

namespace {

std::uint64_t Fnv1a(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

const char* ExtensionOf(const std::string& mimeType) {
    if (mimeType == "image/png")
        return ".png";
    if (mimeType == "image/gif")
        return ".gif";
    if (mimeType == "image/bmp")
        return ".bmp";
    return ".jpg";
}

std::string Embedded(TagReader& reader, const std::string& folder, const std::string& path) {
    const std::optional<CoverPicture> cover = reader.ReadCover(path);
    if (!cover)
        return {};
    std::array<char, 17> hex{};
    std::snprintf(hex.data(), hex.size(), "%016llx",
                  static_cast<unsigned long long>(Fnv1a(cover->Bytes)));
    const std::string file = folder + "/" + hex.data() + ExtensionOf(cover->MimeType);
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        ::utimensat(AT_FDCWD, file.c_str(), nullptr, 0);  // in use: not aged out
        return file;
    }
    std::filesystem::create_directories(folder, error);
    try {
        SaveFile out(file);
        out.Write(cover->Bytes);
        out.Commit();
    } catch (const std::exception&) {
        return {};  // a full or read-only cache: the desktop shows no picture
    }
    return file;
}

std::string Beside(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    static const std::array<const char*, 6> names = {"cover.jpg",  "cover.jpeg",  "cover.png",
                                                     "folder.jpg", "folder.jpeg", "folder.png"};
    std::string best;
    std::size_t bestRank = names.size();
    while (const dirent* entry = ::readdir(dir)) {
        for (std::size_t rank = 0; rank < bestRank; ++rank) {
            if (EqualsIgnoringAsciiCase(entry->d_name, names[rank])) {
                best = folder + entry->d_name;
                bestRank = rank;
                break;
            }
        }
    }
    ::closedir(dir);
    std::error_code error;
    return !best.empty() && std::filesystem::is_regular_file(best, error) ? best : std::string();
}

// Pictures not used for MaxAgeDays go, so the folder stays bounded.
void DropOldPictures(const std::string& folder) {
    std::error_code error;
    const auto limit = std::filesystem::file_time_type::clock::now() -
                       std::chrono::hours(24 * CoverArt::MaxAgeDays);
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && entry.last_write_time(error) < limit)
            std::filesystem::remove(entry.path(), error);
    }
}

}  // namespace

std::string CoverArt::Look(TagReader& reader, const std::string& folder, const std::string& path) {
    std::string picture = Embedded(reader, folder, path);
    return picture.empty() ? Beside(path) : picture;
}

CoverArt::CoverArt(TagReader& reader, std::string folder, UiPost& post)
    : reader_(reader),
      folder_(std::move(folder)),
      post_(post),
      shared_(std::make_shared<Shared>()) {
    thread_ = std::thread([this] { Work(); });
}

CoverArt::~CoverArt() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
        shared_->alive = false;
    }
    shared_->wake.notify_all();
    thread_.join();
}

std::string CoverArt::PictureFor(const std::string& path) {
    const auto found = answers_.find(path);
    if (found != answers_.end())
        return found->second.value_or(std::string());
    if (answers_.size() >= MaxRemembered)
        answers_.clear();
    answers_.emplace(path, std::nullopt);
    {
        std::lock_guard lock(shared_->mutex);
        shared_->paths.push_back(path);
    }
    shared_->wake.notify_all();
    return {};
}

void CoverArt::Work() {
    DropOldPictures(folder_);
    std::unique_lock lock(shared_->mutex);
    for (;;) {
        shared_->wake.wait(lock, [this] { return shared_->stopping || !shared_->paths.empty(); });
        if (shared_->stopping)
            return;
        const std::string path = std::move(shared_->paths.front());
        shared_->paths.pop_front();
        lock.unlock();
        std::string picture = Look(reader_, folder_, path);
        lock.lock();
        if (shared_->stopping)
            return;
        // The answer is kept on the user-interface thread, where answers_ lives.
        post_.Post([shared = shared_, this, path, picture = std::move(picture)] {
            if (!shared->alive)
                return;
            answers_[path] = picture;
            if (!picture.empty() && onFound_)
                onFound_();
        });
    }
}
