// The PLS reader. Any bytes: it ends with records or with its one format error. Fields from
// the input written as File/Title pairs in reverse order read back in the order of N.
#include "FuzzSupport.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/PlsReader.h"

namespace {

std::string PlsSafe(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\x1a'; });
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    try {
        FUZZ_CHECK(PlsReader::Read(bytes).size() <= size / 7 + 1);
    } catch (const EPlayListFormatError&) {
    }

    const std::vector<std::string> fields = Fields(bytes);
    std::vector<PlayListRecord> expected;
    std::string pls = "[playlist]\r\n";
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        const PlayListRecord record{PlsSafe(fields[i]), PlsSafe(fields[i + 1]),
                                    PlayListRecord::Escapes::WrittenFirst};
        const std::string n = std::to_string(fields.size() - i);
        pls = pls + "Title" + n + "=" + record.Caption + "\nFile" + n + "=" + record.Path + "\r";
        expected.insert(expected.begin(), record);
    }
    pls += "NumberOfEntries=" + std::to_string(expected.size()) + "\nVersion=2\n";
    FUZZ_CHECK(PlsReader::Read(pls) == expected);
    return 0;
}
