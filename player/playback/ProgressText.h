#pragma once

#include <cstdint>
#include <string>

// The texts of the progress display: the LCD's percentage and the tray tooltip built from it.
namespace ProgressText {

// The LCD caption when the device reports no length.
inline const std::string NoLength = "   ";
// The LCD caption while a stream plays: it has no length, so no percentage is true of it.
inline const std::string NoLengthStream = "---";

// Whole percent played, position * 100 div length, formed in 64 bits so that files of any
// length are right. length must be at least 1.
std::int64_t PercentPlayed(std::int64_t position, std::int64_t length);

// "42%" for the part played, or the part remaining ("58%") when showRemaining is 1.
std::string LcdCaption(std::int64_t percentPlayed, std::uint8_t showRemaining);

// nowPlaying + "  (Played 42%)", or "  (Remaining 58%)": lcdCaption is what the label holds.
std::string ToolTip(const std::string& nowPlaying, const std::string& lcdCaption,
                    std::uint8_t showRemaining);

}  // namespace ProgressText
