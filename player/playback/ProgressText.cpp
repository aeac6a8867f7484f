#include "playback/ProgressText.h"

namespace ProgressText {

std::int64_t PercentPlayed(std::int64_t position, std::int64_t length) {
    // Positions are milliseconds: position * 100 stays far inside 64 bits for any real file.
    return position * 100 / length;
}

std::string LcdCaption(std::int64_t percentPlayed, std::uint8_t showRemaining) {
    const std::int64_t shown = showRemaining == 1 ? 100 - percentPlayed : percentPlayed;
    return std::to_string(shown) + "%";
}

std::string ToolTip(const std::string& nowPlaying, const std::string& lcdCaption,
                    std::uint8_t showRemaining) {
    return nowPlaying + (showRemaining == 1 ? "  (Remaining " : "  (Played ") + lcdCaption + ")";
}

}  // namespace ProgressText
