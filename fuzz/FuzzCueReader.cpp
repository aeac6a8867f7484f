// The CUE sheet reader and the track paths its tracks become. Any bytes: records or the one
// format error, every part a well-formed one. Names, titles and times from the input, written
// as a sheet, read back as written; a part's track path reads back as that part.
#include "FuzzSupport.h"
#include "playlist/CueReader.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/TrackPath.h"

namespace {

// Text that a quoted CUE argument can hold whole.
std::string Quotable(std::string text) {
    std::erase_if(text, [](char c) { return c == '"' || c == '\r' || c == '\n' || c == '\x1a'; });
    return text;
}

std::string TwoDigits(std::int64_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    try {
        for (const PlayListRecord& record : CueReader::Read(bytes)) {
            FUZZ_CHECK(record.StartMs >= 0);
            FUZZ_CHECK(record.EndMs == -1 || record.EndMs > record.StartMs);
            FUZZ_CHECK(record.Path.find_first_of("\r\n") == std::string::npos);
            const std::optional<TrackPart> part =
                ParseTrackPath(TrackPathOf({"/" + record.Path, record.StartMs, record.EndMs}));
            if (record.StartMs > 0 || record.EndMs >= 0) {
                FUZZ_CHECK(part);
                FUZZ_CHECK(part->File == "/" + record.Path);
                FUZZ_CHECK(part->StartMs == record.StartMs && part->EndMs == record.EndMs);
            }
        }
    } catch (const EPlayListFormatError&) {
    }

    // A sheet of one FILE per two fields, a track per field, times growing by the bytes.
    const std::vector<std::string> fields = Fields(bytes);
    std::string sheet = "REM COMMENT \"fuzz\"\r\n";
    std::vector<PlayListRecord> expected;
    std::int64_t frames = 0;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        const std::string file = Quotable(fields[i]);
        sheet += "FILE \"" + file + "\" WAVE\n";
        const std::size_t first = expected.size();
        for (std::size_t k = 0; k < 2; ++k) {
            const std::string title = Quotable(k == 0 ? fields[i + 1] : fields[i]);
            const std::int64_t ms = (frames * 1000 + 37) / 75;
            sheet += "  TRACK " + TwoDigits(static_cast<std::int64_t>(expected.size() + 1) % 100) +
                     " AUDIO\r\n    TITLE \"" + title + "\"\r    INDEX 01 " +
                     std::to_string(frames / 75 / 60) + ":" + TwoDigits(frames / 75 % 60) + ":" +
                     TwoDigits(frames % 75) + "\n";
            PlayListRecord record{title, file};
            record.StartMs = ms;
            expected.push_back(record);
            frames +=
                1 + static_cast<unsigned char>(fields[i + 1].empty() ? 'x' : fields[i + 1][0]);
        }
        expected[first].EndMs = expected[first + 1].StartMs;
        frames = 0;  // the next file starts again at 0
    }
    if (expected.empty())
        return 0;
    const std::vector<PlayListRecord> read = CueReader::Read(sheet);
    FUZZ_CHECK(read.size() == expected.size());
    for (std::size_t k = 0; k < read.size(); ++k) {
        // A title left empty reads as "Track NN".
        FUZZ_CHECK(expected[k].Caption.empty() || read[k].Caption == expected[k].Caption);
        FUZZ_CHECK(read[k].Path == expected[k].Path);
        FUZZ_CHECK(read[k].StartMs == expected[k].StartMs);
        FUZZ_CHECK(read[k].EndMs == expected[k].EndMs);
    }
    return 0;
}
