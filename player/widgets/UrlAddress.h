#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The kinds of address a TURL holds; each selects the scheme prefix put in front of it.
enum class TURLType {
    utFile,
    utFtp,
    utGopher,
    utHttp,
    utHttps,
    utMailto,
    utNews,
    utTelnet,
    utWais
};

// The prefix of a kind: "file://", "ftp://", "gopher://", "http://", "https://", "mailto:",
// "news:", "telnet:", "wais:".
const char* UrlPrefix(TURLType type);

// The longest text, prefix and address together, that is handed to the system.
inline constexpr std::size_t MaxFullAddress = 79;

// Prefix + address, as the system opens it; none for an empty address, and none when the whole
// is longer than MaxFullAddress: a cut address would open the wrong place.
std::optional<std::string> FullAddress(TURLType type, const std::string& address);
