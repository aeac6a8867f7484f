#pragma once

#include <filesystem>
#include <string>

// A fresh temporary folder, removed with everything in it when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Full path of a name inside the folder, as a string.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes bytes to a file inside the folder (folders on the way are made); returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // Reads a file whole, byte for byte.
    static std::string Read(const std::string& path);

private:
    std::filesystem::path path_;
};
