#include "playlist/M3uWriter.h"

#include "playlist/VlcTimes.h"
#include "textfile/TextLineWriter.h"

void M3uWriter::Write(TextLineWriter& writer, const std::vector<PlayListRecord>& records) {
    for (const PlayListRecord& record : records) {
        for (const std::string& option : VlcTimeOptions(record))
            writer.WriteLine("#EXTVLCOPT:" + option);
        writer.WriteLine(record.Path);
    }
}
