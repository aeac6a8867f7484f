#include "playlist/VlcTimes.h"

#include "playlist/TrackPath.h"

std::vector<std::string> VlcTimeOptions(const PlayListRecord& record) {
    std::vector<std::string> options;
    if (record.StartMs > 0 || record.EndMs >= 0)
        options.push_back("start-time=" + SecondsText(record.StartMs));
    if (record.EndMs >= 0)
        options.push_back("stop-time=" + SecondsText(record.EndMs));
    return options;
}
