#pragma once

#include "ProfileReader.h"

// WinProfile: GetPrivateProfileStringA itself.
class WinProfile final : public ProfileReader {
public:
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::size_t bufferSize,
                           const std::string& fileName) override;
};
