#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The settings only the Linux program has (columns, ReplayGain, resume, ...), in a file of its
// own beside Qvrl.ini and Qvrl.flt, which stay byte for byte as the Windows program writes them.
// The file is "quavrel.conf": UTF-8 lines "key=value", LF ends, in the order the keys were
// first set. Keys this build does not know are kept and written back, so a newer or older
// build never drops another's settings.
//
// Reading never fails: a missing or unreadable file, a line without "=", a key or value of
// absurd length and a file past its size limit give the defaults of whoever asks. Numbers are
// read in linear time and a value out of range reads as the caller's fallback. Plain data:
// use from one thread.
class LinuxSettings {
public:
    // The longest file read; a larger one is passed over whole (the defaults hold).
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    // Lines whose key or value is longer than this are dropped as they are read.
    static constexpr std::size_t kMaxKeyBytes = 64;
    static constexpr std::size_t kMaxValueBytes = 64 * 1024;

    // Reads path; never throws (see above). Blocks on the file.
    static LinuxSettings Read(const std::string& path);
    // Parses the bytes of a file (what Read does after reading it).
    static LinuxSettings Parse(std::string_view bytes);

    // Replaces the file at path through SaveFile; the folder is made when missing.
    // Throws EInOutError with the runtime's text; then the old file stays whole.
    void Write(const std::string& path) const;
    // The bytes Write puts in the file.
    std::string Bytes() const;

    // The value of key, or fallback when the key is absent.
    std::string Get(std::string_view key, std::string_view fallback = {}) const;
    // A decimal integer in [min, max] (an optional "-", digits, nothing else); fallback when
    // absent, malformed or out of range.
    std::int64_t GetInt(std::string_view key, std::int64_t fallback, std::int64_t min,
                        std::int64_t max) const;
    // "1"/"true"/"yes"/"on" or "0"/"false"/"no"/"off"; fallback otherwise.
    bool GetBool(std::string_view key, bool fallback) const;
    bool Has(std::string_view key) const;

    // Sets key (no "=", CR or LF; at most kMaxKeyBytes) to value (no CR or LF; longer values and
    // line breaks are cut off, so the file always reads back). An invalid key is ignored.
    void Set(std::string_view key, std::string_view value);
    void SetInt(std::string_view key, std::int64_t value);
    void SetBool(std::string_view key, bool value);
    void Remove(std::string_view key);

    bool operator==(const LinuxSettings&) const = default;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// The file's name in the settings folder.
inline constexpr std::string_view kLinuxSettingsFileName = "quavrel.conf";
