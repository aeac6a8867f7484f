#include "playlist/M3uWriter.h"

#include "textfile/TextLineWriter.h"

void M3uWriter::Write(TextLineWriter& writer, const std::vector<PlayListRecord>& records) {
    for (const PlayListRecord& record : records)
        writer.WriteLine(record.Path);
}
