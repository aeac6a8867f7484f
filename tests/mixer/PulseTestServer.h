#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QProcess;

// The PulseAudio server that tests/support/with-pulseaudio.sh started, seen from outside the
// program through pactl and pacat, the way another mixer program would change it. Tests run
// against that server only: the user's own sound server is never touched.
class PulseTestServer {
public:
    // Sets the test sink to 100 %, unmuted, as the server started it.
    PulseTestServer();
    // Ends the streams it started.
    ~PulseTestServer();

    // Why the tests cannot run here, and how to start the server; empty when they can.
    std::string SkipReason() const;
    bool Named() const { return !sink_.empty(); }
    // Without the script's server the tests fail, unless QVRL_ALLOW_SKIP_PULSE=1 lets them
    // skip (support/PulseSkip.h); a named server that does not answer is always a failure.
    bool MayBeSkipped() const;
    const std::string& Sink() const { return sink_; }

    // Volume in PulseAudio's own units (65536 is 100 %), both channels.
    void SetSinkVolume(std::uint32_t volume);
    void SetSinkMute(bool mute);
    // Per channel, in PulseAudio's units; empty when pactl failed.
    std::vector<std::uint32_t> SinkVolume() const;
    std::optional<bool> SinkMute() const;
    // A silent stream playing into the sink until this object ends.
    void StartStream();
    // Another null sink, made the default one, until this object ends (the test sink is then
    // the default again).
    void AddDefaultSink(const std::string& name);

private:
    std::string sink_;
    std::vector<std::unique_ptr<QProcess>> streams_;
    std::vector<std::string> modules_;
};
