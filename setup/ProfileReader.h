#pragma once

#include <cstddef>
#include <string>

// ProfileReader: the system's private-profile string reader, the way the launcher reads its
// configuration file. Windows asks GetPrivateProfileStringA; Linux reads the same "[section]"
// and "key=value" form itself (IniProfile). Never throws: a missing file, section or key gives
// the default. Like the Windows call, the result holds at most bufferSize - 1 bytes.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;

    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, std::size_t bufferSize,
                                   const std::string& fileName) = 0;
};
