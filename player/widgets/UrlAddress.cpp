#include "UrlAddress.h"

const char* UrlPrefix(TURLType type) {
    switch (type) {
        case TURLType::utFile:
            return "file://";
        case TURLType::utFtp:
            return "ftp://";
        case TURLType::utGopher:
            return "gopher://";
        case TURLType::utHttp:
            return "http://";
        case TURLType::utHttps:
            return "https://";
        case TURLType::utMailto:
            return "mailto:";
        case TURLType::utNews:
            return "news:";
        case TURLType::utTelnet:
            return "telnet:";
        case TURLType::utWais:
            return "wais:";
    }
    return "";
}

std::optional<std::string> FullAddress(TURLType type, const std::string& address) {
    if (address.empty())
        return std::nullopt;
    std::string full = UrlPrefix(type) + address;
    if (full.size() > MaxFullAddress)
        return std::nullopt;
    return full;
}
