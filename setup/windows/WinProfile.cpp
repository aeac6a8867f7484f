#include "windows/WinProfile.h"

#include <windows.h>

#include <vector>

std::string WinProfile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, std::size_t bufferSize,
                                   const std::string& fileName) {
    if (bufferSize == 0)
        return {};
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 static_cast<DWORD>(bufferSize), fileName.c_str());
    return std::string(buffer.data(), length);
}
