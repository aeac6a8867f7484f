#include "playlist/PlsReader.h"

#include <map>
#include <string>

#include "playlist/PlayListFormatError.h"
#include "textfile/AsciiCase.h"
#include "textfile/ListLineReader.h"

namespace {

// The N of "file<N>" or "title<N>": up to nine digits and nothing else; -1 otherwise.
long long IndexAfter(std::string_view key, std::string_view prefix) {
    if (!key.starts_with(prefix))
        return -1;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.empty() || digits.size() > 9)
        return -1;
    long long n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::vector<PlayListRecord> PlsReader::Read(std::string_view bytes) {
    ListLineReader reader(bytes);
    struct Slot {
        bool hasFile = false;
        PlayListRecord record;
    };
    std::map<long long, Slot> slots;
    bool sectionSeen = false, inSection = false;
    while (!reader.Eof()) {
        const std::string_view line = TrimBlanks(reader.ReadLine());
        if (line.starts_with('[')) {
            inSection = AsciiLowercase(line) == "[playlist]";
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        const std::string key = AsciiLowercase(TrimBlanks(line.substr(0, equals)));
        const std::string_view value = line.substr(equals + 1);
        if (const long long n = IndexAfter(key, "file"); n >= 0) {
            slots[n].hasFile = true;
            slots[n].record.Path = value;
            slots[n].record.PathEscapes = PlayListRecord::Escapes::WrittenFirst;
        } else if (const long long t = IndexAfter(key, "title"); t >= 0) {
            slots[t].record.Caption = TrimBlanks(value);
        }
    }
    if (!sectionSeen)
        throw EPlayListFormatError("It is not a PLS play list: it has no [playlist] section.");
    std::vector<PlayListRecord> records;
    for (auto& [n, slot] : slots)
        if (slot.hasFile)
            records.push_back(std::move(slot.record));
    return records;
}
