#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes a file without ever losing the old one: the bytes go to a temporary file in the same
// folder, which Commit flushes to disk and renames over the old file. Until Commit succeeds the
// old file stays whole; a failed or interrupted write (an exception, a full disk, the object
// destroyed without Commit) removes the temporary file and leaves the old file as it was.
// There is no direct-write fallback: a folder that takes no temporary file is an error.
//
// A symbolic link is followed: its target is replaced and the link stays a link. A replaced
// file keeps its permission bits (and, where allowed, its owner); a new file gets 0666 less
// the umask, as a plain create would. Every call blocks; use from one thread at a time.
// Errors are EInOutError with the runtime's text ("File access denied", "Disk full", ...).
class SaveFile {
public:
    // Creates the temporary file next to path's target. Throws EInOutError.
    explicit SaveFile(std::string path);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Appends bytes (buffered). Throws EInOutError, after which only destruction is useful.
    void Write(std::string_view bytes);
    // Flushes, syncs and renames the temporary file into place. Throws EInOutError; then the
    // old file is untouched. After a successful Commit, Write and Commit must not be called.
    void Commit();

    const std::string& Path() const { return path_; }  // the path as given

private:
    void Flush();
    void Discard() noexcept;

    std::string path_;
    std::string target_;  // path_ with symbolic links followed
    std::string tempPath_;
    std::string buffer_;
    int fd_ = -1;
};

// Removes what interrupted saves left in folder: regular files named as SaveFile names its
// temporary files (".NAME.XXXXXX", six letters or digits) for each of names. Run it only while no
// other copy of the program can be saving there. Returns how many were removed; never throws.
int RemoveLeftoverSaveFiles(const std::string& folder, const std::vector<std::string>& names);
