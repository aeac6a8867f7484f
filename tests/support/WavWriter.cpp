#include "support/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace {

std::int16_t ToneSample(std::uint32_t i, int sampleRate, double frequencyHz) {
    const double t = static_cast<double>(i) / sampleRate;
    return static_cast<std::int16_t>(8000.0 * std::sin(2.0 * std::numbers::pi * frequencyHz * t));
}

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
        Put(out, static_cast<std::uint16_t>(ToneSample(i, sampleRate, frequencyHz)), 2);
    }
}

namespace {

// Matroska's elements: an id, a size as an 8-byte variable-length number, the content.
void PutElement(std::string& out, std::uint32_t id, const std::string& content) {
    std::string idBytes;
    for (; id != 0; id >>= 8)
        idBytes.insert(idBytes.begin(), static_cast<char>(id & 0xFF));
    out += idBytes;
    out += '\x01';
    for (int i = 6; i >= 0; --i)
        out += static_cast<char>((static_cast<std::uint64_t>(content.size()) >> (8 * i)) & 0xFF);
    out += content;
}

std::string Unsigned(std::uint64_t value) {
    std::string bytes;
    for (int i = 7; i >= 0; --i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Element(std::uint32_t id, const std::string& content) {
    std::string out;
    PutElement(out, id, content);
    return out;
}

}  // namespace

std::string MkaHead(int sampleRate) {
    std::string head =
        Element(0x1A45DFA3, Element(0x4286, Unsigned(1)) + Element(0x42F7, Unsigned(1)) +
                                Element(0x42F2, Unsigned(4)) + Element(0x42F3, Unsigned(8)) +
                                Element(0x4282, "matroska") + Element(0x4287, Unsigned(4)) +
                                Element(0x4285, Unsigned(2)));
    // The segment's size is unknown, as a recorder that cannot seek back writes it.
    head += std::string("\x18\x53\x80\x67\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12);
    head += Element(0x1549A966, Element(0x2AD7B1, Unsigned(1000000)));  // no Duration
    double rate = sampleRate;
    std::uint64_t rateBits = 0;
    static_assert(sizeof rate == sizeof rateBits);
    std::memcpy(&rateBits, &rate, sizeof rate);
    const std::string audio = Element(0xB5, Unsigned(rateBits)) + Element(0x9F, Unsigned(1)) +
                              Element(0x6264, Unsigned(16));
    head += Element(0x1654AE6B,
                    Element(0xAE, Element(0xD7, Unsigned(1)) + Element(0x73C5, Unsigned(1)) +
                                      Element(0x83, Unsigned(2)) + Element(0x86, "A_PCM/INT/LIT") +
                                      Element(0xE1, audio)));
    return head;
}

std::string MkaCluster(int durationMs, int sampleRate) {
    // One block of up to 256 frames of equal size (fixed-size lacing). Only the block carries a
    // time stamp and the track no frame duration, so the last time stamp a player sees is 0.
    const std::uint32_t samples = static_cast<std::uint32_t>(sampleRate) * durationMs / 1000;
    const std::uint32_t frames =
        std::min<std::uint32_t>(256, std::max<std::uint32_t>(1, samples / 64));
    std::string block("\x81\x00\x00\x84", 4);  // track 1, at the cluster's time, key, laced
    block += static_cast<char>(frames - 1);
    const std::uint32_t perFrame = samples / frames;
    for (std::uint32_t i = 0; i < perFrame * frames; ++i) {
        const auto value = static_cast<std::uint16_t>(ToneSample(i, sampleRate, 440.0));
        block += static_cast<char>(value & 0xFF);
        block += static_cast<char>(value >> 8);
    }
    return Element(0x1F43B675, Element(0xE7, Unsigned(0)) + Element(0xA3, block));
}

void WriteUnsizedMka(const std::string& path, int durationMs, int sampleRate) {
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    const std::string file = MkaHead(sampleRate) + MkaCluster(durationMs, sampleRate);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
}
