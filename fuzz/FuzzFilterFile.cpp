// The filter list file loader, through a real file: any bytes give a list that is never
// empty (the defaults fill an empty one) and whose entries hold no line end or NUL.
#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "FuzzSupport.h"
#include "filter/FileTypeFilter.h"
#include "textfile/StringListFile.h"

namespace {

std::filesystem::path& Folder() {
    static std::filesystem::path folder;
    return folder;
}

std::string FilterPath() {
    static const std::string path = [] {
        // Memory-backed where there is such a folder: a file per input is the whole cost.
        std::error_code error;
        const auto base = std::filesystem::is_directory("/dev/shm", error)
                              ? std::filesystem::path("/dev/shm")
                              : std::filesystem::temp_directory_path();
        Folder() = base / ("qvrl-fuzz-filter-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Folder(), ignored);
        });
        return (Folder() / "Qvrl.flt").string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    {
        std::ofstream file(FilterPath(), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::string> list;
    LoadFilterFile(FilterPath(), list);
    FUZZ_CHECK(!list.empty());
    for (const std::string& entry : list)
        FUZZ_CHECK(entry.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    // The loader is the parser on the file's bytes, lines that are no extension dropped.
    std::vector<std::string> parsed;
    for (const std::string& line : ParseStringList(bytes))
        if (IsFilterEntry(line) && parsed.size() < kMaxFilterEntries)
            parsed.push_back(line);
    if (!parsed.empty())
        FUZZ_CHECK(parsed == list);
    else
        FUZZ_CHECK(list == DefaultFilterList());
    for (const std::string& entry : list)
        FUZZ_CHECK(IsFilterEntry(entry));
    return 0;
}
