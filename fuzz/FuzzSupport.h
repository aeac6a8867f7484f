#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// Shared by the fuzz targets: the input as bytes, its split into fields, and a check that
// aborts (which libFuzzer reports as a crash, with the input saved) when a property fails.

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The input cut at every NUL: a way for one input to carry several strings.
inline std::vector<std::string> Fields(std::string_view bytes) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t nul = bytes.find('\0'); nul != std::string_view::npos;
         nul = bytes.find('\0', start)) {
        fields.emplace_back(bytes.substr(start, nul - start));
        start = nul + 1;
    }
    fields.emplace_back(bytes.substr(start));
    return fields;
}

// Removes the bytes that end a line or the file for the line reader (CR, Ctrl-Z), so that a
// field can stand in a line whole.
inline std::string LineSafe(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\x1a'; });
    return text;
}

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
