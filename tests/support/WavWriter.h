#pragma once

#include <string>

// Writes a 16-bit mono PCM WAV file of a sine tone: real audio for the media device's tests.
void WriteWav(const std::string& path, int durationMs, int sampleRate = 8000,
              double frequencyHz = 440.0);
