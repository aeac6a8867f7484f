#include "playlist/QplReader.h"

#include "textfile/TextLineReader.h"

std::vector<PlayListRecord> QplReader::Read(TextLineReader& reader) {
    std::vector<PlayListRecord> records;
    reader.ReadLine();  // the header, whatever it holds
    while (!reader.Eof()) {
        PlayListRecord record;
        record.Caption = reader.ReadLine();
        record.Path = reader.ReadLine();
        records.push_back(std::move(record));
    }
    return records;
}
