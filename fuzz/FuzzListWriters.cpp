// The PLS and XSPF writers, read back by our own readers. Captions, paths and parts of files
// from the input: whatever bytes they hold, each writer's output reads back as the same
// entries (captions as the form can hold them).
#include "FuzzSupport.h"
#include "playlist/FileUri.h"
#include "playlist/PlsReader.h"
#include "playlist/PlsWriter.h"
#include "playlist/TrackPath.h"
#include "playlist/XspfReader.h"
#include "playlist/XspfWriter.h"
#include "textfile/TextEncoding.h"

namespace {

std::string Trimmed(const std::string& text, const char* blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos
               ? std::string()
               : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A path as the reader hands it to the path rules, made local again.
std::string Local(const std::string& written) {
    return HasUriScheme(written) ? FileUriPath(written).value_or("?") : written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> fields = Fields(Bytes(data, size));
    std::vector<PlayListRecord> records;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        PlayListRecord record{fields[i], "/" + fields[i + 1]};
        const std::size_t n = fields[i].size();
        if (n % 3 == 1) {  // a part of its file, as a CUE track is
            record.StartMs = static_cast<std::int64_t>(n) * 1337;
            record.EndMs = n % 2 ? -1 : record.StartMs + 75000;
        }
        record.LengthMs = static_cast<std::int64_t>(fields[i + 1].size()) * 1000 - 1;
        records.push_back(record);
    }

    const std::vector<PlayListRecord> fromPls = PlsReader::Read(PlsWriter::Text(records));
    FUZZ_CHECK(fromPls.size() == records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        std::string caption = records[k].Caption;
        for (char& c : caption)
            if (c == '\r' || c == '\n' || c == '\x1a')
                c = ' ';
        FUZZ_CHECK(fromPls[k].Caption == Trimmed(caption, " \t"));
        // PLS cannot say a part: the track path carries it.
        const std::string path = Local(fromPls[k].Path);
        const TrackPart part{records[k].Path, records[k].StartMs, records[k].EndMs};
        FUZZ_CHECK(path == TrackPathOf(part));
    }

    const std::vector<PlayListRecord> fromXspf = XspfReader::Read(XspfWriter::Text(records));
    FUZZ_CHECK(fromXspf.size() == records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        FUZZ_CHECK(Local(fromXspf[k].Path) == records[k].Path);
        FUZZ_CHECK(fromXspf[k].StartMs == records[k].StartMs);
        FUZZ_CHECK(fromXspf[k].EndMs == records[k].EndMs);
        // XML holds no controls, then reads every line end as LF; the reader trims.
        std::string kept;
        for (const char c : ReadableText(records[k].Caption))
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                kept += c;
        std::string caption;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (kept[i] != '\r') {
                caption += kept[i];
                continue;
            }
            caption += '\n';
            if (i + 1 < kept.size() && kept[i + 1] == '\n')
                ++i;
        }
        FUZZ_CHECK(fromXspf[k].Caption == Trimmed(caption, " \t\r\n"));
    }
    return 0;
}
