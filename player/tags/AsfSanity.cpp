#include "tags/AsfSanity.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// The objects' GUIDs as they are stored (little-endian fields).
constexpr unsigned char HeaderGuid[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                          0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr unsigned char ExtendedContentGuid[16] = {0x40, 0xA4, 0xD0, 0xD2, 0x07, 0xE3, 0xD2, 0x11,
                                                   0x97, 0xF0, 0x00, 0xA0, 0xC9, 0x5E, 0xA8, 0x50};
constexpr unsigned char HeaderExtensionGuid[16] = {0xB5, 0x03, 0xBF, 0x5F, 0x2E, 0xA9, 0xCF, 0x11,
                                                   0x8E, 0xE3, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr unsigned char MetadataGuid[16] = {0xEA, 0xCB, 0xF8, 0xC5, 0xAF, 0x5B, 0x77, 0x48,
                                            0x84, 0x67, 0xAA, 0x8C, 0x44, 0xFA, 0x4C, 0xCA};
constexpr unsigned char MetadataLibraryGuid[16] = {0x94, 0x1C, 0x23, 0x44, 0x98, 0x94, 0xD1, 0x49,
                                                   0xA1, 0x41, 0x1D, 0x13, 0x4E, 0x45, 0x70, 0x54};

std::uint64_t Little(std::string_view bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Every object of the kind in head, wherever it stands (TagLib may meet it at any place a
// bad size sends it to): its counted records must fit in its size and in the file.
bool CountsFit(std::string_view head, const unsigned char (&guid)[16], std::uint64_t record) {
    const std::string_view key(reinterpret_cast<const char*>(guid), 16);
    for (std::size_t at = head.find(key); at != std::string_view::npos;
         at = head.find(key, at + 1)) {
        if (at + 26 > head.size())
            return true;
        const std::uint64_t size = Little(head, at + 16, 8);
        const std::uint64_t count = Little(head, at + 24, 2);
        const std::uint64_t room = std::min<std::uint64_t>(size, head.size() - at);
        if (room < 26 || count * record > room - 26)
            return false;
    }
    return true;
}

}  // namespace

bool AsfCountsFit(std::string_view head) {
    if (head.size() < 30 || std::memcmp(head.data(), HeaderGuid, 16) != 0)
        return true;  // not an ASF header: TagLib refuses it anyway
    // Six bytes at least for an attribute, twelve for a metadata record.
    return CountsFit(head, ExtendedContentGuid, 6) && CountsFit(head, MetadataGuid, 12) &&
           CountsFit(head, MetadataLibraryGuid, 12);
}
