#include "playlist/ExtM3uWriter.h"

#include <algorithm>
#include <string>

#include "playlist/VlcTimes.h"
#include "textfile/SaveFile.h"

void ExtM3uWriter::Write(SaveFile& file, const std::vector<PlayListRecord>& records) {
    file.Write("#EXTM3U\n");
    for (const PlayListRecord& record : records) {
        std::string caption = record.Caption;
        std::replace_if(
            caption.begin(), caption.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        file.Write("#EXTINF:-1,");
        file.Write(caption);
        file.Write("\n");
        for (const std::string& option : VlcTimeOptions(record))
            file.Write("#EXTVLCOPT:" + option + "\n");
        file.Write(record.Path);
        file.Write("\n");
    }
}
