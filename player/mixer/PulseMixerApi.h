#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "mixer/MixerApi.h"

class PulseContext;
class PulseMainloop;
class PulseNoticeListener;
class UiPost;

// The system mixer on a PulseAudio server (or PipeWire's PulseAudio server).
//
// One device (index 0) while the server answers, none otherwise; the server is never started
// for us. Destination 0 is the default sink, the other sinks follow in the server's order;
// a destination's source lines are the streams playing into it. Each line has a volume control
// with the line's channels (0 to 65535 onto 0 to 100 %, see PulseMixerIds.h) and a uniform
// mute control. Changes to sinks and streams, made by anyone, arrive as the device's notices,
// posted through the UiPost.
//
// Requests run on a connection that the user-interface thread turns itself, inside each call,
// so libpulse's callbacks for them run there too; each call waits at most the timeout for
// the server. Notices come from a second connection on a thread of its own (see
// PulseNoticeListener), which only posts.
class PulseMixerApi final : public MixerApi {
public:
    // server: an address as PULSE_SERVER takes it; empty for the user's default server.
    // uiPost must outlive this object.
    explicit PulseMixerApi(UiPost& uiPost, std::string server = {},
                           std::chrono::milliseconds timeout = std::chrono::seconds(2));
    ~PulseMixerApi() override;

    int DeviceCount() override;
    std::optional<std::uint32_t> Open(int deviceId, NoticeHandler onNotice) override;
    void Close(std::uint32_t handle) override;
    std::optional<MixerDeviceCaps> GetDevCaps(std::uint32_t handle) override;
    std::optional<MixerLine> GetDestinationLine(std::uint32_t handle, int destination) override;
    std::optional<MixerLine> GetSourceLine(std::uint32_t handle, int destination,
                                           int source) override;
    std::optional<std::vector<MixerControl>> GetLineControls(std::uint32_t handle,
                                                             std::uint32_t lineId) override;
    std::optional<std::vector<std::uint32_t>> GetControlDetails(std::uint32_t handle,
                                                                std::uint32_t controlId,
                                                                int channels, int items) override;
    bool SetControlDetails(std::uint32_t handle, std::uint32_t controlId, int channels, int items,
                           const std::vector<std::uint32_t>& values) override;

private:
    struct Target;

    bool Connected();
    bool IsOpen(std::uint32_t handle);
    void StartListener();

    UiPost& uiPost_;
    std::string server_;
    std::chrono::milliseconds timeout_;
    std::unique_ptr<PulseMainloop> mainloop_;
    std::unique_ptr<PulseContext> context_;
    std::unique_ptr<PulseNoticeListener> listener_;
    std::shared_ptr<Target> target_;  // the open device's notice handler; null while closed
    std::uint32_t nextHandle_ = 1;
};
