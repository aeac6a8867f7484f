#pragma once

#include "ProfileReader.h"

// IniProfile: the private-profile reader of Windows, done by hand for Linux. It reads the file
// afresh on every call, byte for byte (8-bit text):
// - lines end at CR, LF or CR LF; blanks (spaces and tabs) around a line are ignored; a UTF-8
//   byte order mark at the start is skipped;
// - "[name]" starts a section (name up to the last "]"); lines before the first section belong
//   to no section; section and key names compare without regard to ASCII letter case;
// - "key=value" splits at the first "="; blanks around key and value are dropped, and a value
//   enclosed in a matching pair of single or double quotation marks loses them;
// - only the first section of a name is looked in, and the first key of a name found there;
//   a key line without "=" gives the default;
// - a missing or unreadable file, section or key gives the default, without its trailing
//   blanks; an empty value is a value;
// - the result holds at most bufferSize - 1 bytes (none for a buffer of 0).
class IniProfile final : public ProfileReader {
public:
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::size_t bufferSize,
                           const std::string& fileName) override;
};
