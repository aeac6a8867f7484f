#include "playback/ResumePoint.h"

#include <charconv>
#include <limits>

#include "config/LinuxSettings.h"
#include "playlist/PlayList.h"

namespace {

constexpr const char* kKeys[] = {"resume.list", "resume.index", "resume.path", "resume.position",
                                 "resume.fingerprint"};

void Mix(std::uint64_t& hash, std::string_view bytes) {
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
}

}  // namespace

std::uint64_t ResumePoint::Fingerprint(const PlayList& list) {
    std::uint64_t hash = 14695981039346656037ull;
    Mix(hash, std::to_string(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        Mix(hash, std::string_view("\n", 1));
        Mix(hash, list.At(i).Path);
    }
    return hash;
}

int ResumePoint::Find(const std::string& fileName, const PlayList& list) const {
    if (fileName != listFile || !list.Contains(index) || list.At(index).Path != path ||
        Fingerprint(list) != fingerprint)
        return -1;
    return index;
}

bool ResumePoint::Enabled(const LinuxSettings& settings) {
    return settings.GetBool("resume.enabled", false);
}

void ResumePoint::SetEnabled(LinuxSettings& settings, bool enabled) {
    settings.SetBool("resume.enabled", enabled);
}

std::optional<ResumePoint> ResumePoint::Read(const LinuxSettings& settings) {
    for (const char* key : kKeys)
        if (!settings.Has(key))
            return std::nullopt;
    ResumePoint point;
    point.listFile = settings.Get("resume.list");
    point.path = settings.Get("resume.path");
    point.index = static_cast<int>(
        settings.GetInt("resume.index", -1, 0, std::numeric_limits<std::int32_t>::max()));
    point.positionMs =
        settings.GetInt("resume.position", -1, 0, std::numeric_limits<std::int64_t>::max());
    const std::string hex = settings.Get("resume.fingerprint");
    const auto [end, error] =
        std::from_chars(hex.data(), hex.data() + hex.size(), point.fingerprint, 16);
    if (error != std::errc() || end != hex.data() + hex.size() || point.index < 0 ||
        point.positionMs < 0 || point.listFile.empty())
        return std::nullopt;
    return point;
}

void ResumePoint::Write(LinuxSettings& settings, const std::optional<ResumePoint>& point) {
    if (!point) {
        for (const char* key : kKeys)
            settings.Remove(key);
        return;
    }
    settings.Set("resume.list", point->listFile);
    settings.SetInt("resume.index", point->index);
    settings.Set("resume.path", point->path);
    settings.SetInt("resume.position", point->positionMs);
    char hex[17] = {};
    const auto result = std::to_chars(hex, hex + 16, point->fingerprint, 16);
    settings.Set("resume.fingerprint", std::string(hex, result.ptr));
}
