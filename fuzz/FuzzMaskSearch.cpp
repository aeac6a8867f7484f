// Mask parsing and matching: the first field is a mask value, the second a file name. The
// parsed list is sorted, free of duplicates, lowercase and never empty; "*" matches every
// name; a mask without wildcards matches itself.
#include <algorithm>

#include "FuzzSupport.h"
#include "views/MaskSearch.h"

namespace {

bool HasUpper(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> fields = Fields(Bytes(data, size));
    const std::string& value = fields[0];
    const std::string name = fields.size() > 1 ? fields[1] : std::string();

    const std::vector<std::string> masks = ParseMaskList(value);
    FUZZ_CHECK(!masks.empty());
    FUZZ_CHECK(std::is_sorted(masks.begin(), masks.end()));
    FUZZ_CHECK(std::adjacent_find(masks.begin(), masks.end()) == masks.end());
    for (const std::string& mask : masks) {
        FUZZ_CHECK(!mask.empty());
        FUZZ_CHECK(!HasUpper(mask));
        FUZZ_CHECK(mask.find_first_of(",;") == std::string::npos);
    }

    const bool listMatch = MatchMaskList(name, masks);
    if (name.empty())
        FUZZ_CHECK(listMatch);
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    FUZZ_CHECK(MatchMask(lower, "*"));
    if (lower.find_first_of("*?") == std::string::npos)
        FUZZ_CHECK(MatchMask(lower, lower));
    // The list matches when one of its masks does.
    if (!name.empty()) {
        const bool any = std::any_of(masks.begin(), masks.end(),
                                     [&](const std::string& m) { return MatchMask(lower, m); });
        FUZZ_CHECK(listMatch == any);
    }
    return 0;
}
