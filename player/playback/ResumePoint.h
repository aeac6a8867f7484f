#pragma once

#include <cstdint>
#include <optional>
#include <string>

class LinuxSettings;
class PlayList;

// Where playing stopped when the program ended, for "Resume Playback": the default play list's
// file, the entry and its path, the position, and a fingerprint of the whole list. The next
// start resumes only when it loads the same file into the same list (same paths in the same
// order) and the entry is still there; anything else starts as without it. Plain data.
struct ResumePoint {
    std::string listFile;
    int index = -1;
    std::string path;
    std::int64_t positionMs = 0;
    std::uint64_t fingerprint = 0;

    // A 64-bit FNV-1a over the number of entries and every path in order. Linear in the list.
    static std::uint64_t Fingerprint(const PlayList& list);

    // The index to resume at in list, just loaded from fileName; -1 to start as usual.
    int Find(const std::string& fileName, const PlayList& list) const;

    // quavrel.conf: resume.enabled (off by default) and the point in resume.list, resume.index,
    // resume.path, resume.position, resume.fingerprint. A point missing a key or with a bad
    // value reads as none.
    static bool Enabled(const LinuxSettings& settings);
    static void SetEnabled(LinuxSettings& settings, bool enabled);
    static std::optional<ResumePoint> Read(const LinuxSettings& settings);
    // Stores the point; none removes it.
    static void Write(LinuxSettings& settings, const std::optional<ResumePoint>& point);
};
