#pragma once

#include <cstdint>

// The shuffle's random generator: a 32-bit linear congruential generator seeded from the time of
// day, so that a fixed clock gives a fixed order. Each draw sets seed := seed * 134775813 + 1
// (modulo 2^32) and yields (seed * n) div 2^32, both factors taken as unsigned 32-bit numbers.
// The generator has the full period 2^32, so a loop that draws until it hits one particular
// index always ends.
class ShuffleGenerator {
public:
    void Seed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t SeedValue() const { return seed_; }

    // An index from 0 to count - 1; count must be at least 1.
    int Draw(int count) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<int>((std::uint64_t{seed_} * static_cast<std::uint32_t>(count)) >> 32);
    }

private:
    std::uint32_t seed_ = 0;
};
