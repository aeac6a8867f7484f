#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class TagReader;
class UiPost;

// The picture the desktop shows for a playing file: the cover embedded in it, written once
// into the cache folder (one file per distinct picture, named by a hash of its bytes, so the
// tracks of an album share it), else a picture named cover or folder (.jpg, .jpeg, .png, any
// letter case) beside the file. Pictures in the folder not shown for MaxAgeDays are deleted
// when the object starts.
//
// Looking costs reading the file and its folder, so it runs on a thread of its own; the
// answer comes back through UiPost. Thread: the user-interface thread, but for that thread.
// The reader must outlive the object; destruction waits for the look under way.
class CoverArt {
public:
    CoverArt(TagReader& reader, std::string folder, UiPost& post);
    ~CoverArt();
    CoverArt(const CoverArt&) = delete;
    CoverArt& operator=(const CoverArt&) = delete;

    // The picture's path for the media file at path, empty while it is being looked for or
    // when there is none. The first ask for a path starts the look; when it finds a picture,
    // the OnFound handler runs (on the user-interface thread), and asks then give its path.
    std::string PictureFor(const std::string& path);
    void SetOnFound(std::function<void()> handler) { onFound_ = std::move(handler); }

    // The look itself, on the calling thread: the embedded cover written into folder (made
    // when missing; written through SaveFile, once), else a picture beside the file; empty
    // when neither is there or the folder takes no file.
    static std::string Look(TagReader& reader, const std::string& folder, const std::string& path);

    static constexpr std::size_t MaxRemembered = 512;  // paths answered, before forgetting all
    static constexpr int MaxAgeDays = 120;  // a picture not shown so long is deleted at start

private:
    struct Shared;
    void Work();

    TagReader& reader_;
    std::string folder_;
    UiPost& post_;
    std::function<void()> onFound_;
    std::map<std::string, std::optional<std::string>> answers_;  // nullopt: being looked for
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
