#include "playlist/M3uReader.h"

#include "textfile/TextLineReader.h"

std::vector<PlayListRecord> M3uReader::Read(TextLineReader& reader) {
    std::vector<PlayListRecord> records;
    while (!reader.Eof())
        records.push_back(PlayListRecord{{}, reader.ReadLine()});
    return records;
}
