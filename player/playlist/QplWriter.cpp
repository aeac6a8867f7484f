#include "playlist/QplWriter.h"

#include "playlist/TrackPath.h"
#include "textfile/TextLineWriter.h"

void QplWriter::Write(TextLineWriter& writer, const std::vector<PlayListRecord>& records) {
    writer.WriteLine(Header);
    for (const PlayListRecord& record : records) {
        writer.WriteLine(record.Caption);
        writer.WriteLine(TrackPathOf({record.Path, record.StartMs, record.EndMs}));
    }
}
