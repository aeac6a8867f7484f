#include "playlist/QplReader.h"

#include "textfile/ListLineReader.h"

std::vector<PlayListRecord> QplReader::Read(std::string_view bytes) {
    ListLineReader reader(bytes);
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
