#include "config/LinuxSettings.h"

#include <charconv>
#include <filesystem>

#include "textfile/FileBytes.h"
#include "textfile/SaveFile.h"

namespace {

bool ValidKey(std::string_view key) {
    if (key.empty() || key.size() > LinuxSettings::kMaxKeyBytes)
        return false;
    for (char c : key)
        if (c == '=' || c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

std::string_view TrimLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

}  // namespace

LinuxSettings LinuxSettings::Read(const std::string& path) {
    try {
        // A FIFO or device in its place is never waited on, a huge file never read.
        return Parse(ReadFileBytes(path, kMaxFileBytes));
    } catch (const std::exception&) {
        return {};
    }
}

LinuxSettings LinuxSettings::Parse(std::string_view bytes) {
    LinuxSettings settings;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = TrimLineEnd(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = TrimLineEnd(line.substr(0, equals));
        const std::string_view value = line.substr(equals + 1);
        if (!ValidKey(key) || value.size() > kMaxValueBytes)
            continue;
        settings.Set(key, value);
    }
    return settings;
}

std::string LinuxSettings::Bytes() const {
    std::string bytes;
    for (const auto& [key, value] : entries_) {
        bytes += key;
        bytes += '=';
        bytes += value;
        bytes += '\n';
    }
    return bytes;
}

void LinuxSettings::Write(const std::string& path) const {
    std::error_code error;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    SaveFile file(path);
    file.Write(Bytes());
    file.Commit();
}

std::string LinuxSettings::Get(std::string_view key, std::string_view fallback) const {
    for (const auto& [k, value] : entries_)
        if (k == key)
            return value;
    return std::string(fallback);
}

std::int64_t LinuxSettings::GetInt(std::string_view key, std::int64_t fallback, std::int64_t min,
                                   std::int64_t max) const {
    if (!Has(key))
        return fallback;
    const std::string text = Get(key);
    if (text.empty() || text.size() > 20)  // no 64-bit number is longer; never parse a run
        return fallback;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return fallback;
    return value;
}

bool LinuxSettings::GetBool(std::string_view key, bool fallback) const {
    const std::string text = Get(key, "?");
    if (text == "1" || text == "true" || text == "yes" || text == "on")
        return true;
    if (text == "0" || text == "false" || text == "no" || text == "off")
        return false;
    return fallback;
}

bool LinuxSettings::Has(std::string_view key) const {
    for (const auto& entry : entries_)
        if (entry.first == key)
            return true;
    return false;
}

void LinuxSettings::Set(std::string_view key, std::string_view value) {
    if (!ValidKey(key))
        return;
    value = value.substr(0, std::min(value.find_first_of("\r\n"), kMaxValueBytes));
    for (auto& entry : entries_)
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    entries_.emplace_back(key, value);
}

void LinuxSettings::SetInt(std::string_view key, std::int64_t value) {
    Set(key, std::to_string(value));
}

void LinuxSettings::SetBool(std::string_view key, bool value) {
    Set(key, value ? "1" : "0");
}

void LinuxSettings::Remove(std::string_view key) {
    std::erase_if(entries_, [key](const auto& entry) { return entry.first == key; });
}
