#pragma once

#include <optional>
#include <string>

// Where the sound server (PulseAudio, or PipeWire's PulseAudio service) listens: PULSE_SERVER
// when it names a local socket ("unix:/path" or "/path"), else $XDG_RUNTIME_DIR/pulse/native.
// None for a server named otherwise (tcp, several), which is not watched.
std::optional<std::string> SoundServerSocket();

// True when a server accepts a connection at socket now. Returns at once: a local socket
// accepts or refuses without waiting. Nothing is said on the connection.
bool SoundServerAnswers(const std::string& socket);
