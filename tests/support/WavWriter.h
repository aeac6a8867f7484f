#pragma once

#include <string>

// Writes a 16-bit mono PCM WAV file of a sine tone: real audio for the media device's tests.
void WriteWav(const std::string& path, int durationMs, int sampleRate = 8000,
              double frequencyHz = 440.0);

// Writes a Matroska audio file of the same tone as a recorder writes to a stream it cannot seek
// back in: no duration, no index, the sound in one block. mpv cannot tell its length (reads 0).
void WriteUnsizedMka(const std::string& path, int durationMs, int sampleRate = 8000);
// The two parts of such a file: everything up to the sound, and the cluster holding the sound.
// A test that feeds only the head through a pipe has a file that loads and never gets ready.
std::string MkaHead(int sampleRate = 8000);
std::string MkaCluster(int durationMs, int sampleRate = 8000);
