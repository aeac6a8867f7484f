#include "support/WavWriter.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace {

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

void WriteWav(const std::string& path, int durationMs, int sampleRate, double frequencyHz) {
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    const std::uint32_t samples = static_cast<std::uint32_t>(sampleRate) * durationMs / 1000;
    const std::uint32_t dataBytes = samples * 2;
    out.write("RIFF", 4);
    Put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    Put(out, 16, 4);
    Put(out, 1, 2);  // PCM
    Put(out, 1, 2);  // mono
    Put(out, sampleRate, 4);
    Put(out, sampleRate * 2, 4);
    Put(out, 2, 2);
    Put(out, 16, 2);
    out.write("data", 4);
    Put(out, dataBytes, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const auto value =
            static_cast<std::int16_t>(8000.0 * std::sin(2.0 * std::numbers::pi * frequencyHz * t));
        Put(out, static_cast<std::uint16_t>(value), 2);
    }
}
